#include "print/picture_export.h"

#include "document/paths.h"
#include "document/units.h"
#include "imaging/picture_writer.h"

#include <QPainter>
#include <array>

namespace vellamo::print {

namespace {

constexpr std::array<const char*, LastFilterIndex> Extensions = {
    ".BMP", ".DIB", ".GIF", ".IFF", ".JIF", ".JPG", ".LBM", ".PCX", ".RLE", ".TGA", ".TIF", ".PNG",
};

}  // namespace

QSize exportPictureSize(const document::CardFormat& format)
{
    return QSize(document::truncToInt32(document::mmToInches(format.CardWidth) * ExportPixelsPerInch),
                 document::truncToInt32(document::mmToInches(format.CardHeight) * ExportPixelsPerInch));
}

bool renderCardPicture(document::CardDocument& doc, const render::RenderContext& context,
                       imaging::DibRecord& out)
{
    out.clear();
    const QSize size = exportPictureSize(doc.Format);
    if (size.width() <= 0 || size.height() <= 0 ||
        qint64(size.width()) * size.height() > imaging::MaxPicturePixels)
        return false;
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    {
        const document::RenderModeScope mode(doc, document::DeviceConversion,
                                             double(ExportPixelsPerInch) / document::UnitsPerInch);
        QPainter painter(&image);
        // XOff = W and YOff = H put the card's top-left corner on pixel (0, 0).
        render::DrawVCart(painter, doc, context, size.width(), size.height(), size.width(), size.height(),
                          doc.PrintScale, false);
    }
    out = imaging::DibRecord(image, 24);
    return out.isLoaded();
}

QString exportExtension(int filterIndex)
{
    if (filterIndex < FirstFilterIndex || filterIndex > LastFilterIndex)
        return {};
    return QString::fromLatin1(Extensions[std::size_t(filterIndex - 1)]);
}

QString withExportExtension(const QString& name, int filterIndex)
{
    if (document::fileNameWithoutFolder(name).contains(u'.'))
        return name;
    return name + exportExtension(filterIndex);
}

int filterIndexForName(const QString& name)
{
    const QString file = document::fileNameWithoutFolder(name);
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot < 0)
        return 0;
    const QString extension = file.mid(dot);
    for (int index = FirstFilterIndex; index <= LastFilterIndex; ++index) {
        if (extension.compare(exportExtension(index), Qt::CaseInsensitive) == 0)
            return index;
    }
    return 0;
}

ExportResult exportCardPicture(document::CardDocument& doc, const render::RenderContext& context,
                               const QString& name, int filterIndex,
                               const imaging::ProgressCallback& progress)
{
    ExportResult result;
    result.path = withExportExtension(name, filterIndex);
    imaging::DibRecord picture;
    if (renderCardPicture(doc, context, picture))
        result.saved = imaging::SaveDib(picture, result.path, exportFormatCode(filterIndex), progress);
    imaging::deldib(picture);
    return result;
}

}  // namespace vellamo::print
