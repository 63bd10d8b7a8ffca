#include "render/card_renderer.h"

#include "document/ansi_text.h"
#include "render/draw_dib.h"
#include "render/gdi_geometry.h"
#include "render/see_through_picture.h"

#include <QFont>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace vellamo::render {

using document::CardDocument;
using document::Tobs;
using document::truncToInt32;
using imaging::DibRecord;

namespace {

// Damaged values never turn into pens, fonts or outlines that take minutes to draw.
constexpr int MaxPenWidth = 1 << 20;
constexpr int MaxFontPixels = 1 << 16;
constexpr int MaxOutlineRadius = 256;
// An outline is the text drawn at every offset of a square of that radius; beyond this many
// offsets per side the square is sampled evenly, its corners kept. The gaps stay far below a
// stroke's width, and one repaint stays quick at any scale.
constexpr int MaxOutlineSteps = 8;

// The offsets -r .. r, sampled evenly (ends included) when there are more than the steps allow.
std::vector<int> outlineOffsets(int r)
{
    const int steps = std::min(r, MaxOutlineSteps);
    std::vector<int> offsets;
    offsets.reserve(std::size_t(2 * steps + 1));
    for (int k = -steps; k <= steps; ++k)
        offsets.push_back(k * r / steps);
    return offsets;
}

QColor colorOf(std::int32_t colorRef) { return QColor(imaging::rgbFromColorRef(std::uint32_t(colorRef))); }

int clampToInt(std::int64_t v)
{
    return int(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Signed halving toward zero.
std::int64_t half(std::int64_t v) { return v / 2; }

struct Rect64 {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Box {
    std::int64_t x = 0, y = 0, w = 0, h = 0;
};

class RenderingFlag {
public:
    explicit RenderingFlag(CardDocument& doc) : m_doc(doc) { m_doc.Rendering = true; }
    ~RenderingFlag() { m_doc.Rendering = false; }
    RenderingFlag(const RenderingFlag&) = delete;
    RenderingFlag& operator=(const RenderingFlag&) = delete;

private:
    CardDocument& m_doc;
};

// The painter's clipping as it was, to be put back after a clip of our own.
class SavedClip {
public:
    explicit SavedClip(const QPainter& p)
        : m_had(p.hasClipping()), m_region(m_had ? p.clipRegion() : QRegion())
    {
    }
    void restore(QPainter& p) const
    {
        if (m_had)
            p.setClipRegion(m_region);
        else
            p.setClipping(false);
    }

private:
    bool m_had;
    QRegion m_region;
};

void clipTo(QPainter& p, const Rect64& r)
{
    p.setClipRect(gdiRect(r.left, r.top, r.right, r.bottom), Qt::IntersectClip);
}

void drawDib(QPainter& p, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h,
             const DibRecord& dib)
{
    DrawDib(p, clampToInt(x), clampToInt(y), clampToInt(w), clampToInt(h), dib, 0, 0, dib.width(),
            dib.height());
}

void drawBackground(QPainter& p, const CardDocument& doc, const Rect64& R, int W, int H, bool framed)
{
    const DibRecord& picture = doc.BackgroundPicture;
    if (!picture.isLoaded())
        return;
    const std::int64_t pw = picture.width();
    const std::int64_t ph = picture.height();
    std::int64_t cw = R.right - R.left + 1;
    std::int64_t ch = R.bottom - R.top + 1;
    switch (doc.BackgroundMode) {
    case document::StretchToCard:
        drawDib(p, R.left, R.top, cw, ch, picture);
        break;
    case document::CenterZoomedOut: {
        std::int64_t dx = 0, dy = 0;
        const std::int64_t fittedHeight = ph * cw / pw;
        if (fittedHeight < ch) {
            dy = half(ch - fittedHeight);
            ch = fittedHeight;
        } else {
            const std::int64_t fittedWidth = pw * ch / ph;
            dx = half(cw - fittedWidth);
            cw = fittedWidth;
        }
        drawDib(p, R.left + dx, R.top + dy, cw - 1, ch - 1, picture);
        break;
    }
    case document::CenterZoomedIn: {
        std::int64_t dx = 0, dy = 0;
        const std::int64_t fittedHeight = ph * cw / pw;
        if (fittedHeight > ch) {
            dy = half(ch - fittedHeight);
            ch = fittedHeight;
        } else {
            const std::int64_t fittedWidth = pw * ch / ph;
            dx = half(cw - fittedWidth);
            cw = fittedWidth;
        }
        const SavedClip saved(p);
        if (framed)
            clipTo(p, R);
        drawDib(p, R.left + dx, R.top + dy, cw - 1, ch - 1, picture);
        if (framed)
            saved.restore(p);
        break;
    }
    case document::TileBackground: {
        const SavedClip saved(p);
        clipTo(p, R);
        // Tiles past the card's far edge are clipped away, so the loops stop there. A tile
        // step below one pixel would never advance; such tiles are empty anyway.
        const std::int64_t tileHeight = ph * cw / pw;
        if (tileHeight < ch) {
            const std::int64_t step = tileHeight - 1;
            for (std::int64_t k = 0; step > 0 && k < H && R.top + k < R.bottom; k += step)
                drawDib(p, R.left, R.top + k, cw - 1, tileHeight - 1, picture);
        } else {
            const std::int64_t tileWidth = pw * ch / ph;
            const std::int64_t step = tileWidth - 1;
            for (std::int64_t k = 0; step > 0 && k < W && R.left + k < R.right; k += step)
                drawDib(p, R.left + k, R.top, tileWidth - 1, ch - 1, picture);
        }
        saved.restore(p);
        break;
    }
    default:
        break;
    }
}

// Every figure lies within its box, so a pen reaching across the box and the visible part of
// the surface together already covers all the surface shows of it; a wider pen would look the
// same and only cost more to draw.
int widestUsefulPen(const QPainter& p, const Box& b)
{
    const QRect visible = visibleArea(p);
    if (visible.isEmpty())
        return 1;
    const std::int64_t left = std::min({std::int64_t(visible.left()), b.x, b.x + b.w});
    const std::int64_t right = std::max({std::int64_t(visible.right()) + 1, b.x, b.x + b.w});
    const std::int64_t top = std::min({std::int64_t(visible.top()), b.y, b.y + b.h});
    const std::int64_t bottom = std::max({std::int64_t(visible.bottom()) + 1, b.y, b.y + b.h});
    const double across = std::hypot(double(right - left), double(bottom - top));
    return int(std::min(2 * across + 4, double(MaxPenWidth)));
}

void drawShape(QPainter& p, const Tobs& o, const Box& b, double Scale, const RenderContext& context)
{
    QColor penColor = p.pen().color();
    QBrush brush = p.brush();
    brush.setStyle(Qt::SolidPattern);
    if (!document::isLineShape(o.ShapeKind)) {
        switch (o.FillMode) {
        case document::FillFilled:
            penColor = colorOf(o.Color);
            brush.setColor(colorOf(o.Color));
            break;
        case document::FillOnlyBorder:
            penColor = colorOf(o.BorderColor);
            brush.setStyle(Qt::NoBrush);
            break;
        case document::FillFilledWithBorder:
            penColor = colorOf(o.BorderColor);
            brush.setColor(colorOf(o.Color));
            break;
        default:
            break;
        }
    } else {
        penColor = colorOf(o.Color);
        brush.setColor(colorOf(o.Color));
    }
    const std::int64_t d = b.w < b.h ? b.w : b.h;
    const int width = std::min(
        std::clamp(truncToInt32(o.LineWidth * 0.2 * 20000 / context.MmPerInchX * Scale), 1, MaxPenWidth),
        widestUsefulPen(p, b));
    p.setPen(gdiPen(penColor, width));
    p.setBrush(brush);

    const std::int64_t x = b.x, y = b.y, w = b.w, h = b.h;
    switch (o.ShapeKind) {
    case document::ShapeCircle:
        gdiEllipse(p, x, y, x + d, y + d);
        break;
    case document::ShapeEllipse:
        gdiEllipse(p, x, y, x + w, y + h);
        break;
    case document::ShapeSquare:
        gdiRectangle(p, x, y, x + d, y + d);
        break;
    case document::ShapeRectangle:
        gdiRectangle(p, x, y, x + w, y + h);
        break;
    case document::ShapeRoundedSquare:
        gdiRoundRect(p, x, y, x + d, y + d, w / 3, h / 3);
        break;
    case document::ShapeRoundedRectangle:
        gdiRoundRect(p, x, y, x + w, y + h, w / 3, h / 3);
        break;
    case document::LineHorizontal:
        gdiLine(p, x, y, x + w, y);
        break;
    case document::LineVertical:
        gdiLine(p, x, y, x, y + h);
        break;
    case document::LineSlantedUp:
        gdiLine(p, x, y + h, x + w, y);
        break;
    case document::LineSlantedDown:
        gdiLine(p, x, y, x + w, y + h);
        break;
    default:
        break;
    }
    p.setPen(gdiPen(penColor, 1));
    brush.setStyle(Qt::SolidPattern);
    p.setBrush(brush);
}

QFont textFont(const Tobs& o, double Scale, const RenderContext& context)
{
    const int dpi = context.screenDpi > 0 ? context.screenDpi : 96;
    const int ppi = context.fontPpi > 0 ? context.fontPpi : dpi;
    // The character height in pixels (the em size), without internal leading.
    const std::int32_t height = truncToInt32((20000.0 / dpi) * o.FontSize * Scale * ppi / dpi);
    QFont font(document::fromAnsi(o.FontName));
    if (height != 0)
        font.setPixelSize(std::clamp(std::abs(height), 1, MaxFontPixels));
    font.setWeight(o.FontStyle & document::FontBold ? QFont::Bold : QFont::Normal);
    font.setItalic(o.FontStyle & document::FontItalic);
    font.setUnderline(o.FontStyle & document::FontUnderline);
    font.setStrikeOut(o.FontStyle & document::FontStrikeOut);
    // Letters one by one on their advances, as the system's text output places them: no
    // kerning, and no ligatures where the script does not need shaping (which is also the
    // largest part of the time a sheet of cards takes).
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QString textToDraw(const Tobs& o, const RenderContext& context)
{
    std::string text = o.Text;
    if (o.Rotation != 0)
        std::replace(text.begin(), text.end(), '\r', ' ');
    if (context.placeholders)
        text = GetRepStr(std::move(text), *context.placeholders);
    if (const auto nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    QString s = document::fromAnsi(text);
    if (o.Rotation == 0) {
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(u'\r', u'\n');
    }
    return s;
}

void drawText(QPainter& p, const CardDocument& doc, const Tobs& o, const Box& b, int XOff, int YOff,
              double Scale, const RenderContext& context)
{
    if (o.Rotation < 0 || o.Rotation > 3)
        return;
    const QString text = textToDraw(o, context);
    if (text.isEmpty())
        return;
    p.save();
    p.setFont(textFont(o, Scale, context));
    p.setBackgroundMode(Qt::TransparentMode);

    const double sx = Scale * o.ShadowDX * 2000 / context.MmPerInchX;
    const double sy = Scale * o.ShadowDY * 2000 / context.MmPerInchY;
    const int r = std::clamp(truncToInt32(Scale * 4000 / context.MmPerInchX), 1, MaxOutlineRadius);
    const std::vector<int> offsets = o.Outline ? outlineOffsets(r) : std::vector<int>();
    const std::int64_t x = b.x, y = b.y, w = b.w, h = b.h;

    if (o.Rotation != 0) {
        // A single line on its baseline, turned counter-clockwise by 360 - 90 x Rotation degrees.
        const qreal angle = (3600 - 900 * o.Rotation) / 10.0;
        std::int64_t ax = x, ay = y;
        if (o.Rotation == 2) {
            ax = x + w;
        } else if (o.Rotation == 3) {
            ax = x + w;
            ay = y + h;
        }
        auto drawAt = [&](std::int64_t px, std::int64_t py, std::int32_t color) {
            p.save();
            p.setPen(colorOf(color));
            p.translate(gdiPoint(px, py));
            p.rotate(-angle);
            p.drawText(QPointF(0, 0), text);
            p.restore();
        };
        if (o.Shadow)
            drawAt(ax + truncToInt32(sx), ay + truncToInt32(sy), o.ShadowColor());
        if (o.Outline) {
            for (const int i : offsets)
                for (const int j : offsets)
                    if (i != 0 && j != 0)
                        drawAt(ax + i, ay + j, o.BorderColor);
        }
        drawAt(ax, ay, o.Color);
    } else {
        const int align = o.TextAlign == 1   ? Qt::AlignHCenter
                          : o.TextAlign == 2 ? Qt::AlignRight
                                             : Qt::AlignLeft;
        const int flags = Qt::TextWordWrap | Qt::AlignTop | align;
        auto drawIn = [&](std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                          std::int32_t color) {
            const QRect box = gdiRect(left, top, right, bottom);
            if (box.isEmpty())
                return;
            p.setPen(colorOf(color));
            p.drawText(box, flags, text);
        };
        if (o.Shadow) {
            // The offsets join the unshifted position before truncating.
            const double X0 = GetLeft(doc, o);
            const double Y0 = GetTop(doc, o);
            drawIn(std::int64_t(truncToInt32(X0 + sx)) - XOff, std::int64_t(truncToInt32(Y0 + sy)) - YOff,
                   std::int64_t(truncToInt32(X0 + double(w) + sx)) - XOff,
                   std::int64_t(truncToInt32(Y0 + double(h) + sy)) - YOff, o.ShadowColor());
        }
        if (o.Outline) {
            for (const int i : offsets)
                for (const int j : offsets)
                    if (i != 0 && j != 0)
                        drawIn(x + i, y + j, x + i + w, y + j + h, o.BorderColor);
        }
        drawIn(x, y, x + w, y + h, o.Color);
    }
    p.restore();
}

// The colour a transparent pixel lets through: the pixel below it on a picture surface; beyond
// the picture's edge white, the colour of blank paper.
class SurfaceReader {
public:
    explicit SurfaceReader(const QPainter& p)
    {
        QPaintDevice* device = p.device();
        if (device && device->devType() == QInternal::Image)
            m_image = static_cast<const QImage*>(device);
        m_transform = p.combinedTransform();
        m_translateOnly = m_transform.type() <= QTransform::TxTranslate;
    }

    QRgb pixel(std::int64_t x, std::int64_t y) const
    {
        if (!m_image)
            return White;
        std::int64_t dx = x, dy = y;
        if (m_translateOnly) {
            dx += std::int64_t(std::floor(m_transform.dx()));
            dy += std::int64_t(std::floor(m_transform.dy()));
        } else {
            const QPointF d = m_transform.map(QPointF(qreal(x) + 0.5, qreal(y) + 0.5));
            dx = std::int64_t(std::floor(d.x()));
            dy = std::int64_t(std::floor(d.y()));
        }
        if (dx < 0 || dy < 0 || dx >= m_image->width() || dy >= m_image->height())
            return White;
        return m_image->pixel(int(dx), int(dy)) | 0xFF000000u;
    }

private:
    static constexpr QRgb White = 0xFFFFFFFFu;
    const QImage* m_image = nullptr;
    QTransform m_transform;
    bool m_translateOnly = true;
};

// The key colour of a transparent picture as getpixel reports it. Automatic transparency takes
// the bottom-left pixel; a palette picture's chosen colour becomes the index that holds it.
std::uint32_t transparentKey(Tobs& o)
{
    const DibRecord& picture = o.Picture;
    if (o.AutoTransparent) {
        o.TransparentKey() = std::int32_t(imaging::getpixel(picture, 0, picture.height() - 1));
    } else if (picture.bitsPerPixel() < 24 && !picture.transparentKeyIsIndex()) {
        // Palette pictures compare indices, so a chosen colour becomes the index that holds it,
        // once: read again as a colour, the index would name another entry.
        const QList<QRgb> table = picture.colorTable();
        const QRgb wanted = imaging::rgbFromColorRef(std::uint32_t(o.TransparentKey()));
        for (qsizetype i = 0; i < table.size(); ++i) {
            if ((table[i] & 0xFFFFFFu) == (wanted & 0xFFFFFFu)) {
                o.TransparentKey() = std::int32_t(i);
                o.Picture.setTransparentKeyIsIndex(true);
                break;
            }
        }
    }
    return std::uint32_t(o.TransparentKey());
}

void drawPicture(QPainter& p, Tobs& o, const Box& b, const RenderContext& context)
{
    const DibRecord& picture = o.Picture;
    if (!picture.isLoaded())
        return;
    const std::int64_t pw = picture.width();
    const std::int64_t ph = picture.height();
    std::int64_t w = b.w, h = b.h;
    if (o.KeepAspect) {
        const std::int64_t fittedHeight = ph * w / pw;
        if (fittedHeight < h)
            h = fittedHeight;
        else
            w = pw * h / ph;
    }
    if (!o.Transparent) {
        drawDib(p, b.x, b.y, w - 1, h - 1, picture);
        return;
    }

    const std::uint32_t key = transparentKey(o);
    const QPaintDevice* device = p.device();
    if (!device || device->devType() != QInternal::Image) {
        // The surface cannot tell what lies below, so it composes the picture itself from one
        // with the key see-through, shared by every card of the job when the caller keeps them.
        // A copy shares the cached image's pixels, and with them its identity.
        const DibRecord seen =
            context.seeThrough ? context.seeThrough->picture(picture, key) : seeThroughPicture(picture, key);
        drawDib(p, b.x, b.y, w - 1, h - 1, seen);
        return;
    }
    const QList<QRgb> table = picture.colorTable();

    // The composed picture is (w - 1) x (h - 1); only the part the surface shows is composed.
    const std::int64_t tw = w - 1;
    const std::int64_t th = h - 1;
    if (tw <= 0 || th <= 0)
        return;
    const QRect visible = visibleArea(p).intersected(gdiRect(b.x, b.y, b.x + tw, b.y + th));
    if (visible.isEmpty() || qint64(visible.width()) * visible.height() > imaging::MaxPicturePixels)
        return;
    QImage composed(visible.size(), QImage::Format_RGB32);
    if (composed.isNull())
        return;
    const bool palette = picture.isPalettePicture();
    const SurfaceReader surface(p);
    const std::int64_t firstColumn = visible.x() - b.x;
    const std::int64_t firstRow = visible.y() - b.y;
    std::vector<int> columns(std::size_t(visible.width()));
    for (std::size_t k = 0; k < columns.size(); ++k)
        columns[k] = int(pw * (firstColumn + std::int64_t(k)) / tw);
    for (int k = 0; k < composed.height(); ++k) {
        const std::int64_t r = firstRow + k;
        const int sourceRow = int(ph * r / th);
        auto* target = reinterpret_cast<QRgb*>(composed.scanLine(k));
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::uint32_t v = imaging::getpixel(picture, columns[i], sourceRow);
            if (v == key)
                target[i] = surface.pixel(visible.x() + std::int64_t(i), visible.y() + k);
            else if (palette)
                target[i] = (v < std::uint32_t(table.size()) ? table[qsizetype(v)] : 0u) | 0xFF000000u;
            else
                target[i] = imaging::rgbFromColorRef(v & 0xFFFFFFu);
        }
    }
    const DibRecord composedRecord(composed, 24);
    DrawDib(p, visible.x(), visible.y(), visible.width(), visible.height(), composedRecord, 0, 0,
            visible.width(), visible.height());
}

}  // namespace

void DrawVCart(QPainter& surface, document::CardDocument& doc, const RenderContext& context, int W, int H,
               int XOff, int YOff, double Scale, bool Framed)
{
    DrawVCart(surface, doc, usedSlots(doc), context, W, H, XOff, YOff, Scale, Framed);
}

std::vector<int> usedSlots(const document::CardDocument& doc)
{
    std::vector<int> found;
    for (int slot = document::FirstSlot; slot <= document::LastSlot; ++slot)
        if (doc.object(slot).isUsed())
            found.push_back(slot);
    return found;
}

void DrawVCart(QPainter& surface, document::CardDocument& doc, const std::vector<int>& drawn,
               const RenderContext& context, int W, int H, int XOff, int YOff, double Scale, bool Framed)
{
    const RenderingFlag rendering(doc);
    surface.setRenderHint(QPainter::Antialiasing, true);
    surface.setRenderHint(QPainter::TextAntialiasing, true);
    surface.setPen(gdiPen(Qt::white, 1));
    if (surface.brush().style() == Qt::NoBrush)
        surface.setBrush(QBrush(Qt::white, Qt::NoBrush));

    const std::int64_t w = W, h = H;
    Rect64 R;
    if (Framed)
        R = {w / 3 - XOff, h / 3 - YOff, (w + w) / 3 - XOff, (h + h) / 3 - YOff};
    else
        R = {w - XOff, h - YOff, 2 * w - XOff, 2 * h - YOff};
    const SavedClip saved(surface);
    if (!Framed)
        clipTo(surface, R);

    drawBackground(surface, doc, R, W, H, Framed);

    for (const int slot : drawn) {
        Tobs& o = doc.object(slot);
        const Box b{std::int64_t(GetLeft(doc, o)) - XOff, std::int64_t(GetTop(doc, o)) - YOff,
                    GetWidth(doc, o), GetHeight(doc, o)};
        switch (o.Kind) {
        case document::ShapeObject:
            drawShape(surface, o, b, Scale, context);
            break;
        case document::TextObject:
            drawText(surface, doc, o, b, XOff, YOff, Scale, context);
            break;
        case document::PictureObject:
            drawPicture(surface, o, b, context);
            break;
        default:
            break;
        }
    }

    if (!Framed)
        saved.restore(surface);
}

}  // namespace vellamo::render
