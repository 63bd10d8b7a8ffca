#include "imaging/bmp_rle_codec.h"

#include "imaging/byte_view.h"

#include <algorithm>

namespace vellamo::imaging {

namespace {

void appendU32le(QByteArray& out, std::uint32_t v)
{
    appendU16le(out, v & 0xFFFF);
    appendU16le(out, v >> 16);
}

qsizetype runAt(const uchar* row, qsizetype at, qsizetype width)
{
    qsizetype run = 1;
    while (at + run < width && run < 255 && row[at + run] == row[at])
        ++run;
    return run;
}

// One row: runs of two or more as (count, index); stretches without runs as absolute blocks of
// 3..255 indices padded to a 16-bit boundary, shorter ones as single-pixel runs.
void appendRow(QByteArray& out, const uchar* row, qsizetype width)
{
    qsizetype x = 0;
    while (x < width) {
        const qsizetype run = runAt(row, x, width);
        if (run >= 2) {
            out.append(char(run)).append(char(row[x]));
            x += run;
            continue;
        }
        const qsizetype start = x;
        while (x < width && x - start < 255 && runAt(row, x, width) < 2)
            ++x;
        const qsizetype length = x - start;
        if (length < 3) {
            for (qsizetype i = start; i < x; ++i)
                out.append(char(1)).append(char(row[i]));
        } else {
            out.append(char(0)).append(char(length));
            out.append(reinterpret_cast<const char*>(row + start), length);
            if (length & 1)
                out.append(char(0));
        }
    }
}

}  // namespace

std::optional<QByteArray> writeRle8Bitmap(const DibRecord& picture, const ProgressCallback& progress)
{
    if (!picture.isPalettePicture())
        return std::nullopt;
    const QImage& image = picture.image();
    const int width = image.width();
    const int height = image.height();
    const QList<QRgb> table = picture.colorTable();

    QByteArray pixels;
    int lastPercent = -1;
    for (int y = height - 1; y >= 0; --y) {  // bottom-up
        const int percent = int(qint64(height - 1 - y) * 100 / height);
        if (percent != lastPercent)
            report(progress, lastPercent = percent);
        appendRow(pixels, image.constScanLine(y), width);
        pixels.append(char(0)).append(char(y == 0 ? 1 : 0));  // end of line, end of bitmap
    }
    const std::uint32_t pixelsAt = 14 + 40 + 256 * 4;
    if (qint64(pixels.size()) + pixelsAt > 0x7FFFFFFF)
        return std::nullopt;

    QByteArray out("BM");
    appendU32le(out, pixelsAt + std::uint32_t(pixels.size()));
    appendU32le(out, 0);
    appendU32le(out, pixelsAt);
    appendU32le(out, 40);
    appendU32le(out, std::uint32_t(width));
    appendU32le(out, std::uint32_t(height));
    appendU16le(out, 1);  // planes
    appendU16le(out, 8);  // bits per pixel
    appendU32le(out, 1);  // RLE8
    appendU32le(out, std::uint32_t(pixels.size()));
    appendU32le(out, 3780);  // 96 pixels per inch
    appendU32le(out, 3780);
    appendU32le(out, 256);
    appendU32le(out, 0);
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
    }
    out.append(pixels);
    return out;
}

DibRecord readRleBitmap(const QByteArray& data, int width, int height, int bits,
                        const QList<QRgb>& colorTable, qint64 maxPixels)
{
    if ((bits != 4 && bits != 8) || width <= 0 || height <= 0 ||
        qint64(width) * height > std::min(maxPixels, MaxPicturePixels))
        return {};
    QImage image(width, height, QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    image.fill(0);
    QList<QRgb> table(colorTableSize(bits), qRgb(0, 0, 0));
    for (qsizetype i = 0; i < std::min(table.size(), colorTable.size()); ++i)
        table[i] = colorTable[i] | 0xFF000000u;
    image.setColorTable(table);

    const ByteView in(data);
    const uchar highest = uchar(table.size() - 1);
    qint64 x = 0;
    qint64 row = 0;  // counted from the bottom
    auto put = [&](uchar index) {
        if (x < width && row < height)
            image.scanLine(int(height - 1 - row))[x] = std::min(index, highest);
        ++x;
    };
    qsizetype at = 0;
    while (in.has(at, 2)) {
        const std::uint32_t count = in.u8(at);
        const std::uint32_t value = in.u8(at + 1);
        at += 2;
        if (count > 0) {  // a run of one index, or of two alternating nibbles
            for (std::uint32_t i = 0; i < count; ++i)
                put(bits == 8 ? uchar(value) : uchar(i % 2 == 0 ? value >> 4 : value & 0x0F));
            continue;
        }
        switch (value) {
        case 0:  // end of line
            x = 0;
            ++row;
            break;
        case 1:  // end of bitmap
            return DibRecord(image, bits);
        case 2:  // jump right and up
            if (!in.has(at, 2))
                return {};
            x += in.u8(at);
            row += in.u8(at + 1);
            at += 2;
            break;
        default: {  // `value` indices as they are, padded to 16 bits
            const qsizetype bytes = bits == 8 ? qsizetype(value) : qsizetype(value + 1) / 2;
            if (!in.has(at, bytes))
                return {};
            for (std::uint32_t i = 0; i < value; ++i) {
                const std::uint32_t b = in.u8(at + (bits == 8 ? qsizetype(i) : qsizetype(i / 2)));
                put(bits == 8 ? uchar(b) : uchar(i % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            at += bytes + (bytes & 1);
            break;
        }
        }
        // Nothing above the top row can be drawn; what is left cannot change the picture.
        if (row >= height)
            return DibRecord(image, bits);
    }
    return {};
}

}  // namespace vellamo::imaging
