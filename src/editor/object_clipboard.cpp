#include "editor/object_clipboard.h"

#include "document/ansi_text.h"
#include "document/object_entry.h"
#include "document/paths.h"
#include "document/units.h"
#include "editor/insertion.h"
#include "imaging/safe_file_write.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <climits>
#include <cmath>
#include <unordered_set>

namespace vellamo::editor {

using document::CardDocument;
using document::Tobs;

namespace {

constexpr int ClipboardPixelsPerInch = 96;
// The clipboard picture's longest side; a larger object is drawn at fewer pixels per inch.
constexpr qint64 MaxClipboardSide = 2048;
constexpr double PasteStepMm = 2.0;
// Far beyond any card; only ends the search on a card crowded at one corner.
constexpr int MostPasteSteps = 10000;

qint64 millimetresToPixels(double mm, double pixelsPerInch)
{
    return qint64(std::ceil(mm / document::MillimetresPerInch * pixelsPerInch));
}

// Room around the box for what is drawn beyond it: half the pen, a shadow, an outline.
qint64 marginFor(const Tobs& o, double pixelsPerInch)
{
    switch (o.Kind) {
    case document::ShapeObject:
        return millimetresToPixels(std::max(o.LineWidth, 1) * 0.2, pixelsPerInch) / 2 + 1;
    case document::TextObject:
        return (o.Shadow ? millimetresToPixels(
                               std::max(std::abs(double(o.ShadowDX)), std::abs(double(o.ShadowDY))) * 0.1,
                               pixelsPerInch)
                         : 0) +
               (o.Outline ? 2 : 0) + 1;
    default:
        return 0;
    }
}

// The pixels the clipboard picture covers: the object's box with its margin, turned the right
// way round where a width or height is negative (a shape then reaches back from its corner).
struct PictureArea {
    qint64 left = 0, top = 0, width = 0, height = 0;
};

PictureArea pictureArea(const Tobs& o, double pixelsPerInch)
{
    const double scale = pixelsPerInch / document::UnitsPerInch;
    const qint64 margin = marginFor(o, pixelsPerInch);
    auto span = [&](std::int32_t start, std::int32_t size, qint64& from, qint64& length) {
        const qint64 a = document::unitsToDevice(start, scale);
        const qint64 b = a + document::unitsToDevice(size, scale);
        from = std::min(a, b) - margin;
        length = std::max<qint64>(1, std::abs(b - a) + 2 * margin);
    };
    PictureArea area;
    span(o.Left, o.Width, area.left, area.width);
    span(o.Top, o.Height, area.top, area.height);
    return area;
}

QImage pictureFrom(const QMimeData& data)
{
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull())
            return image;
    }
    for (const char* type : {"image/png", "image/jpeg", "image/bmp"}) {
        const QString mime = QString::fromLatin1(type);
        if (data.hasFormat(mime)) {
            const QImage image = QImage::fromData(data.data(mime));
            if (!image.isNull())
                return image;
        }
    }
    return {};
}

void reportFullCard(document::Prompter& ask)
{
    ask.inform(QStringLiteral("Error: No more free object available"),
               QStringLiteral("To much objects created!"), document::MessageIcon::Information);
}

// The record at its paste place in the lowest free slot, selected.
int placeCopy(document::CardChange& change, const Tobs& record, document::Prompter& ask)
{
    CardDocument& doc = change.doc();
    const int slot = doc.lowestFreeSlot();
    if (slot == 0) {
        reportFullCard(ask);
        return 0;
    }
    const document::ObjectBox place = pastePlace(doc, record);
    Tobs& o = change.object(slot);
    o = record;
    o.Left = place.left;
    o.Top = place.top;
    change.select(slot);
    return slot;
}

// Hands the insertion the name of the picture just written for it.
class WrittenPicture : public PictureChooser {
public:
    WrittenPicture(const QImage& image, const QString& folder, document::Prompter& ask)
        : m_image(image), m_folder(folder), m_ask(ask)
    {
    }
    std::optional<QString> choosePicture() override
    {
        const QString name = freshPictureName(m_folder);
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !m_image.save(&buffer, "PNG") ||
            !imaging::writeFileSafely(document::withTrailingSeparator(m_folder) + name, png).written()) {
            m_ask.inform(QStringLiteral("Error: Could not create the file"),
                         QStringLiteral("Error: Could not create file!"), document::MessageIcon::Information);
            return std::nullopt;
        }
        // Directly in the program folder, so stored by its bare name.
        return name;
    }

private:
    QImage m_image;
    QString m_folder;
    document::Prompter& m_ask;
};

}  // namespace

QImage objectPicture(const CardDocument& doc, int slot, const render::RenderContext& context)
{
    if (!CardDocument::isSlot(slot) || !doc.object(slot).isUsed())
        return {};
    const Tobs& source = doc.object(slot);
    CardDocument alone(context.screenDpi);
    alone.Format = doc.Format;
    alone.CardExtentX = doc.CardExtentX;
    alone.CardExtentY = doc.CardExtentY;
    alone.object(document::FirstSlot) = source;
    // A huge object is drawn smaller rather than at gigabytes; its margin shrinks with it, so a
    // few steps settle on a resolution that fits.
    double pixelsPerInch = ClipboardPixelsPerInch;
    PictureArea area = pictureArea(source, pixelsPerInch);
    for (int step = 0; step < 8 && std::max(area.width, area.height) > MaxClipboardSide; ++step) {
        pixelsPerInch *= double(MaxClipboardSide) / double(std::max(area.width, area.height) + 2);
        area = pictureArea(source, pixelsPerInch);
    }
    if (std::max(area.width, area.height) > MaxClipboardSide || area.left < INT_MIN || area.top < INT_MIN ||
        area.left > INT_MAX || area.top > INT_MAX)
        return {};
    QImage image(int(area.width), int(area.height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(Qt::transparent);
    image.setDotsPerMeterX(qRound(pixelsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(pixelsPerInch / 0.0254));
    {
        const double scale = pixelsPerInch / document::UnitsPerInch;
        const document::RenderModeScope mode(alone, document::DeviceConversion, scale);
        QPainter painter(&image);
        // Framed draws without cutting at the card; the lone object has no background.
        render::DrawVCart(painter, alone, context, alone.CardExtentX, alone.CardExtentY, int(area.left),
                          int(area.top), scale, true);
    }
    return image;
}

std::unique_ptr<QMimeData> objectMimeData(const CardDocument& doc, int slot,
                                          const render::RenderContext& context)
{
    if (!CardDocument::isSlot(slot) || slot > document::LastSlot || !doc.object(slot).isUsed())
        return nullptr;
    auto data = std::make_unique<QMimeData>();
    data->setData(ObjectMimeType, document::objectEntryToBytes(slot, doc.object(slot)));
    const QImage picture = objectPicture(doc, slot, context);
    if (!picture.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        // The PNG carries the picture's resolution, so that other programs show it at its size.
        if (picture.save(&buffer, "PNG"))
            data->setData(QStringLiteral("image/png"), png);
    }
    return data;
}

bool canPaste(const QMimeData* data)
{
    if (!data)
        return false;
    return data->hasFormat(ObjectMimeType) || data->hasImage() ||
           data->hasFormat(QStringLiteral("image/png")) || data->hasFormat(QStringLiteral("image/jpeg")) ||
           data->hasFormat(QStringLiteral("image/bmp"));
}

document::ObjectBox pastePlace(const CardDocument& doc, const Tobs& object)
{
    const auto key = [](std::int32_t left, std::int32_t top) {
        return (std::uint64_t(std::uint32_t(left)) << 32) | std::uint32_t(top);
    };
    std::unordered_set<std::uint64_t> taken;
    for (int slot = document::FirstSlot; slot <= document::LastSlot; ++slot) {
        const Tobs& o = doc.object(slot);
        if (o.isUsed())
            taken.insert(key(o.Left, o.Top));
    }
    const std::int32_t step = document::mmToUnits(PasteStepMm);
    document::ObjectBox place = document::boxOf(object);
    for (int n = 0; n < MostPasteSteps && taken.count(key(place.left, place.top)); ++n) {
        if (place.left > INT32_MAX - step || place.top > INT32_MAX - step)
            break;
        place.left += step;
        place.top += step;
    }
    return place;
}

int pasteInto(document::CardChange& change, const QMimeData& data, PasteContext& context)
{
    if (data.hasFormat(ObjectMimeType)) {
        auto entry = document::objectEntryFromBytes(data.data(ObjectMimeType));
        if (!entry)
            return 0;
        Tobs& record = entry->object;
        if (record.Kind == document::PictureObject) {
            if (change.doc().lowestFreeSlot() == 0) {
                reportFullCard(context.ask);
                return 0;
            }
            const QString path = document::fromAnsi(record.PictureFile());
            if (!context.pictures.load(record.Picture, path)) {
                context.ask.inform(document::DefaultCaption, "Could not open picture (" + path + ").",
                                   document::MessageIcon::Error);
                return 0;
            }
            // The box was stored turned already; only the fresh pixels need the turn.
            if (record.Rotation >= 1 && record.Rotation <= 3)
                context.pictures.rotate(record.Picture, record.Rotation);
        }
        return placeCopy(change, record, context.ask);
    }

    const QImage image = pictureFrom(data);
    if (image.isNull())
        return 0;
    CardDocument& doc = change.doc();
    if (const int slot = doc.lowestFreeSlot())
        change.object(slot);
    WrittenPicture written(image, context.programFolder, context.ask);
    InsertionContext insertion{context.ask,       &written,     context.programFolder,
                               context.screenDpi, context.font, context.progress};
    // At the card's top-left corner, as if the picture tool had been released there.
    return insertObject(doc, NewObjectKind::Picture, doc.surfaceWidth() / 3, doc.surfaceHeight() / 3,
                        insertion);
}

int duplicateInto(document::CardChange& change, int slot, document::Prompter& ask)
{
    if (!document::isObjectSlot(slot) || !change.doc().object(slot).isUsed())
        return 0;
    const Tobs record = change.doc().object(slot);
    return placeCopy(change, record, ask);
}

QString freshPictureName(const QString& folder)
{
    const QDir dir(folder);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("Clipboard%1.png").arg(n);
        if (!QFileInfo::exists(dir.filePath(name)))
            return name;
    }
}

}  // namespace vellamo::editor
