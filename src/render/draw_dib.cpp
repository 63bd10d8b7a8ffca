#include "render/draw_dib.h"

#include "document/units.h"
#include "imaging/halftone.h"
#include "render/gdi_geometry.h"

#include <QPaintEngine>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace vellamo::render {

using imaging::DibRecord;

namespace {

// Rounds to nearest with ties to even, the rounding of every stretch computation here.
std::int64_t roundNearest(double value) { return document::truncToInt32(std::nearbyint(value)); }

std::int64_t proportion(std::int64_t dest, std::int64_t part, std::int64_t whole)
{
    return roundNearest(double(dest) * double(part) / double(whole));
}

constexpr QRgb Black = 0xFF000000u;

// The picture's colours by palette index; indices without an entry show black.
std::array<QRgb, 256> paletteLookup(const DibRecord& dib)
{
    std::array<QRgb, 256> lookup;
    lookup.fill(Black);
    const QList<QRgb> table = dib.image().colorTable();
    for (qsizetype i = 0; i < table.size() && i < 256; ++i)
        lookup[std::size_t(i)] = table[i] | Black;
    return lookup;
}

}  // namespace

QRect visibleArea(const QPainter& surface)
{
    const QPaintDevice* device = surface.device();
    if (!device)
        return {};
    QRect area;
    if (device->devType() == QInternal::Picture) {
        // A recording has no pixels of its own yet; whatever it is played onto cuts it.
        constexpr int reach = 1 << 20;
        area = QRect(-reach, -reach, 2 * reach, 2 * reach);
    } else {
        bool invertible = false;
        const QTransform toLogical = surface.combinedTransform().inverted(&invertible);
        if (!invertible)
            return {};
        area = toLogical.mapRect(QRectF(0, 0, device->width(), device->height())).toAlignedRect();
    }
    if (surface.hasClipping())
        area = area.intersected(surface.clipBoundingRect().toAlignedRect());
    return area;
}

void DrawDib(QPainter& surface, int X, int Y, int DestW, int DestH, const DibRecord& dib, int SrcX, int SrcY,
             int SrcW, int SrcH, bool Halftone, int ScreenDepth)
{
    if (!dib.isLoaded() || !surface.isActive())
        return;
    std::int64_t x = X, y = Y, dw = DestW, dh = DestH, sx = SrcX, sy = SrcY, sw = SrcW, sh = SrcH;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return;

    // Cut the source to the picture, in this order, shrinking the destination with it.
    const std::int64_t width = dib.width();
    const std::int64_t height = dib.height();
    if (sx + sw > width) {
        const std::int64_t part = width - sx;
        if (part <= 0)
            return;
        dw = proportion(dw, part, sw);
        sw = part;
    }
    if (sy < 0) {
        const std::int64_t part = sy + sh;
        if (part <= 0)
            return;
        dh = proportion(dh, part, sh);
        sy = 0;
        sh = part;
    }
    if (sy + sh > height) {
        const std::int64_t part = height - sy;
        if (part <= 0)
            return;
        const std::int64_t newHeight = proportion(dh, part, sh);
        y += dh - newHeight;
        dh = newHeight;
        sh = part;
    }
    if (sx < 0) {
        const std::int64_t part = sx + sw;
        if (part <= 0)
            return;
        const std::int64_t newWidth = proportion(dw, part, sw);
        x += dw - newWidth;
        dw = newWidth;
        sx = 0;
        sw = part;
    }
    if (dw <= 0 || dh <= 0)
        return;

    const DibRecord* source = &dib;
    DibRecord halftoned;
    if (Halftone && dib.bitsPerPixel() == 24 && ScreenDepth <= 8) {
        if (dw < sw || dh < sh) {
            const std::int64_t hw = proportion(dw, width, sw);
            const std::int64_t hh = proportion(dh, height, sh);
            if (hw > 0 && hh > 0 && imaging::DIBHalftoneDIBXY(halftoned, dib, int(hw), int(hh))) {
                sx = proportion(sx, dw, sw);
                sy = proportion(sy, dh, sh);
                sw = dw;
                sh = dh;
            }
        } else {
            imaging::DIBHalftoneDIB(halftoned, dib);
        }
        if (halftoned.isLoaded())
            source = &halftoned;
    }

    const QRect visible = visibleArea(surface).intersected(gdiRect(x, y, x + dw, y + dh));
    if (visible.isEmpty())
        return;
    const QImage& picture = source->image();
    const QPaintEngine* engine = surface.paintEngine();
    const bool paged =
        surface.device()->devType() == QInternal::Printer ||
        (engine && (engine->type() == QPaintEngine::Pdf || engine->type() == QPaintEngine::SVG));
    if (paged && source == &dib) {
        // Printers, PDF and SVG files stretch the picture themselves. Handing it over whole keeps
        // one copy of it in the document however often it is drawn, at any resolution.
        const QRectF from(qreal(sx), qreal(picture.height() - sy - sh), qreal(sw), qreal(sh));
        const bool smooth = surface.testRenderHint(QPainter::SmoothPixmapTransform);
        surface.setRenderHint(QPainter::SmoothPixmapTransform, false);
        surface.drawImage(QRectF(qreal(x), qreal(y), qreal(dw), qreal(dh)), picture, from);
        surface.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
        return;
    }
    if (qint64(visible.width()) * visible.height() > imaging::MaxPicturePixels)
        return;
    const std::int64_t pictureWidth = picture.width();
    const std::int64_t pictureHeight = picture.height();
    const std::int64_t firstColumn = visible.x() - x;
    const std::int64_t firstRow = visible.y() - y;
    const std::int64_t topRow = pictureHeight - sy - sh;

    const bool truePicture = !source->isPalettePicture();
    if (truePicture && dw == sw && dh == sh) {
        // One source pixel per destination pixel: the picture itself, no copy.
        const QRect from(int(sx + firstColumn), int(topRow + firstRow), visible.width(), visible.height());
        surface.drawImage(visible.topLeft(), picture, from);
        return;
    }

    std::vector<int> columns(std::size_t(visible.width()));
    for (std::size_t k = 0; k < columns.size(); ++k) {
        const std::int64_t c = sx + sw * (firstColumn + std::int64_t(k)) / dw;
        columns[k] = c >= 0 && c < pictureWidth ? int(c) : -1;
    }
    const std::array<QRgb, 256> lookup = truePicture ? std::array<QRgb, 256>{} : paletteLookup(*source);

    QImage out(visible.size(), source->bitsPerPixel() == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (out.isNull())
        return;
    std::int64_t previousRow = -1;
    for (int k = 0; k < out.height(); ++k) {
        auto* target = reinterpret_cast<QRgb*>(out.scanLine(k));
        const std::int64_t row = topRow + sh * (firstRow + k) / dh;
        if (row < 0 || row >= pictureHeight) {
            std::fill(target, target + out.width(), Black);
            previousRow = -1;
            continue;
        }
        if (row == previousRow) {
            std::memcpy(target, out.constScanLine(k - 1), std::size_t(out.bytesPerLine()));
            continue;
        }
        previousRow = row;
        const uchar* line = picture.constScanLine(int(row));
        if (truePicture) {
            const auto* pixels = reinterpret_cast<const QRgb*>(line);
            for (std::size_t i = 0; i < columns.size(); ++i)
                target[i] = columns[i] >= 0 ? pixels[columns[i]] : Black;
        } else {
            for (std::size_t i = 0; i < columns.size(); ++i)
                target[i] = columns[i] >= 0 ? lookup[line[columns[i]]] : Black;
        }
    }
    surface.drawImage(visible.topLeft(), out);
}

}  // namespace vellamo::render
