#include "imaging/halftone.h"

#include <array>

namespace vellamo::imaging {

namespace {

constexpr int Levels = 6;

// Level of the colour cube for each channel value and each cell of the 8 x 8 Bayer matrix:
// floor(value * 5 / 255 + threshold), the threshold spread evenly over (0, 1).
struct DitherTable {
    std::array<std::array<uchar, 256>, 64> level{};
    DitherTable()
    {
        static constexpr int bayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                // The 8 x 8 matrix built from the 4 x 4 one.
                const int b = 4 * bayer4[y & 3][x & 3] + (((y >> 2) * 2 + (x >> 2)) == 0   ? 0
                                                          : ((y >> 2) * 2 + (x >> 2)) == 1 ? 2
                                                          : ((y >> 2) * 2 + (x >> 2)) == 2 ? 3
                                                                                           : 1);
                for (int v = 0; v < 256; ++v)
                    level[size_t(y * 8 + x)][size_t(v)] = uchar(
                        std::min(Levels - 1, (v * (Levels - 1) * 128 + (2 * b + 1) * 255) / (255 * 128)));
            }
        }
    }
};

const DitherTable& ditherTable()
{
    static const DitherTable table;
    return table;
}

QList<QRgb> cubePalette()
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    for (int r = 0; r < Levels; ++r)
        for (int g = 0; g < Levels; ++g)
            for (int b = 0; b < Levels; ++b)
                table[r * 36 + g * 6 + b] = qRgb(r * 51, g * 51, b * 51);
    return table;
}

bool halftone(DibRecord& out, const QImage& source)
{
    const QImage rgb = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
                           ? source
                           : source.convertToFormat(QImage::Format_RGB32);
    QImage image(rgb.width(), rgb.height(), QImage::Format_Indexed8);
    if (rgb.isNull() || image.isNull())
        return false;
    image.setColorTable(cubePalette());
    const DitherTable& dither = ditherTable();
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* row = image.scanLine(y);
        const auto* cells = &dither.level[size_t((y & 7) * 8)];
        for (int x = 0; x < rgb.width(); ++x) {
            const auto& cell = cells[x & 7];
            const QRgb c = in[x];
            row[x] = uchar(cell[qRed(c)] * 36 + cell[qGreen(c)] * 6 + cell[qBlue(c)]);
        }
    }
    out = DibRecord(image, 8);
    return out.isLoaded();
}

}  // namespace

bool DIBHalftoneDIB(DibRecord& out, const DibRecord& in)
{
    const QImage source = in.image();  // `out` may be `in`
    out.clear();
    return !source.isNull() && halftone(out, source);
}

bool DIBHalftoneDIBXY(DibRecord& out, const DibRecord& in, int width, int height)
{
    const QImage source = in.image();
    out.clear();
    if (source.isNull() || width <= 0 || height <= 0 || qint64(width) * height > MaxPicturePixels)
        return false;
    const QImage rgb =
        source.format() == QImage::Format_Indexed8 ? source.convertToFormat(QImage::Format_RGB32) : source;
    return halftone(out, rgb.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace vellamo::imaging
