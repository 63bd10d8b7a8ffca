#include "imaging/pcx_codec.h"

#include "imaging/byte_view.h"

#include <algorithm>
#include <vector>

namespace vellamo::imaging {

namespace {

// One plane row: runs of up to 63; a single byte with both top bits set must be sent as a run.
void appendPcxRun(QByteArray& out, const std::uint8_t* data, qsizetype length)
{
    qsizetype i = 0;
    while (i < length) {
        qsizetype run = 1;
        while (i + run < length && run < 63 && data[i + run] == data[i])
            ++run;
        if (run > 1 || data[i] >= 0xC0)
            out.append(char(0xC0 | run));
        out.append(char(data[i]));
        i += run;
    }
}

}  // namespace

DibRecord readPcx(const QByteArray& bytes, const ProgressCallback& progress, qint64 maxPixels)
{
    const ByteView v(bytes);
    if (v.size() < 128 || v.u8(0) != 0x0A || v.u8(2) > 1)
        return {};
    const bool compressed = v.u8(2) == 1;
    const int bitsPerPlane = int(v.u8(3));
    const int planes = int(v.u8(65));
    const qint64 width = qint64(v.u16le(8)) - qint64(v.u16le(4)) + 1;
    const qint64 height = qint64(v.u16le(10)) - qint64(v.u16le(6)) + 1;
    const qsizetype bytesPerLine = qsizetype(v.u16le(66));
    const int depth = bitsPerPlane * planes;
    const bool planar1 = bitsPerPlane == 1 && planes >= 1 && planes <= 4;
    const bool packed = planes == 1 && (bitsPerPlane == 2 || bitsPerPlane == 4 || bitsPerPlane == 8);
    const bool rgb = bitsPerPlane == 8 && planes == 3;
    if (!(planar1 || packed || rgb) || width <= 0 || height <= 0 ||
        width * height > std::min(maxPixels, MaxPicturePixels) ||
        qint64(bytesPerLine) * 8 < width * bitsPerPlane)
        return {};
    const qsizetype lineBytes = bytesPerLine * planes;
    // Two bytes of a run stand for at most 63.
    const qint64 data = v.size() - 128;
    if (qint64(lineBytes) * height > (compressed ? data * 32 : data))
        return {};

    const int bits = rgb ? 24 : depth == 1 ? 1 : depth <= 4 ? 4 : 8;
    QImage image(int(width), int(height), rgb ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    if (!rgb) {
        QList<QRgb> table(colorTableSize(bits), qRgb(0, 0, 0));
        if (bits == 8) {
            const qsizetype at = v.size() - 769;
            const bool hasPalette = at >= 128 && v.u8(at) == 0x0C;
            // Version 5 files always end with the palette; without it the file was cut short.
            if (!hasPalette && v.u8(1) == 5)
                return {};
            for (int i = 0; i < 256; ++i)
                table[i] = hasPalette ? qRgb(int(v.u8(at + 1 + 3 * i)), int(v.u8(at + 2 + 3 * i)),
                                             int(v.u8(at + 3 + 3 * i)))
                                      : qRgb(i, i, i);
        } else {
            for (int i = 0; i < 16 && i < table.size(); ++i)
                table[i] = qRgb(int(v.u8(16 + 3 * i)), int(v.u8(17 + 3 * i)), int(v.u8(18 + 3 * i)));
            if (bits == 1 && table[0] == table[1])
                table = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
        }
        image.setColorTable(table);
    }

    std::vector<std::uint8_t> line(static_cast<size_t>(lineBytes));
    qsizetype at = 128;
    int runLeft = 0;  // a run may go on into the next row
    std::uint8_t runValue = 0;
    int lastPercent = -1;
    for (int y = 0; y < int(height); ++y) {
        const int percent = int(qint64(y) * 100 / height);
        if (percent != lastPercent)
            report(progress, lastPercent = percent);
        for (qsizetype i = 0; i < lineBytes; ++i) {
            if (!compressed) {
                line[size_t(i)] = std::uint8_t(v.u8(at++));
                continue;
            }
            while (runLeft == 0) {
                if (at >= v.size())
                    return {};
                const std::uint8_t b = std::uint8_t(v.u8(at++));
                if ((b & 0xC0) == 0xC0) {
                    if (at >= v.size())
                        return {};
                    runLeft = b & 0x3F;
                    runValue = std::uint8_t(v.u8(at++));
                } else {
                    runLeft = 1;
                    runValue = b;
                }
            }
            line[size_t(i)] = runValue;
            --runLeft;
        }
        if (v.overrun())
            return {};
        uchar* out = image.scanLine(y);
        if (rgb) {
            QRgb* pixels = reinterpret_cast<QRgb*>(out);
            for (int x = 0; x < int(width); ++x)
                pixels[x] =
                    qRgb(line[size_t(x)], line[size_t(bytesPerLine + x)], line[size_t(2 * bytesPerLine + x)]);
        } else if (planar1) {
            for (int x = 0; x < int(width); ++x) {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= ((line[size_t(p * bytesPerLine + (x >> 3))] >> (7 - (x & 7))) & 1) << p;
                out[x] = uchar(index);
            }
        } else if (bitsPerPlane == 8) {
            std::copy_n(line.data(), width, out);
        } else {
            const int perByte = 8 / bitsPerPlane;
            const int mask = (1 << bitsPerPlane) - 1;
            for (int x = 0; x < int(width); ++x)
                out[x] =
                    uchar((line[size_t(x / perByte)] >> ((perByte - 1 - x % perByte) * bitsPerPlane)) & mask);
        }
    }
    return DibRecord(image, bits);
}

std::optional<QByteArray> writePcx(const DibRecord& picture, const ProgressCallback& progress)
{
    if (!picture.isLoaded())
        return std::nullopt;
    const int width = picture.width();
    const int height = picture.height();
    if (width > 65535 || height > 65535)
        return std::nullopt;
    const int bits = picture.bitsPerPixel();
    const int planes = bits == 4 ? 4 : bits > 8 ? 3 : 1;
    const int bitsPerPlane = bits <= 4 ? 1 : 8;
    // Rows are a whole, even number of bytes per plane.
    qsizetype bytesPerLine = (qsizetype(width) * bitsPerPlane + 7) / 8;
    bytesPerLine += bytesPerLine & 1;
    if (bytesPerLine > 65535)
        return std::nullopt;
    const QList<QRgb> table = picture.colorTable();

    QByteArray out;
    out.reserve(128 + qsizetype(height) * bytesPerLine * planes / 2 + 769);
    out.append(char(0x0A)).append(char(5)).append(char(1)).append(char(bitsPerPlane));
    appendU16le(out, 0);
    appendU16le(out, 0);
    appendU16le(out, std::uint32_t(width - 1));
    appendU16le(out, std::uint32_t(height - 1));
    appendU16le(out, 96);
    appendU16le(out, 96);
    for (int i = 0; i < 16; ++i) {
        const QRgb c = bits <= 4 && i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(char(0)).append(char(planes));
    appendU16le(out, std::uint32_t(bytesPerLine));
    appendU16le(out, 1);  // colour palette
    appendU16le(out, 0);
    appendU16le(out, 0);
    out.append(QByteArray(128 - out.size(), '\0'));

    const QImage& image = picture.image();
    std::vector<std::uint8_t> plane(static_cast<size_t>(bytesPerLine));
    int lastPercent = -1;
    for (int y = 0; y < height; ++y) {
        const int percent = int(qint64(y) * 100 / height);
        if (percent != lastPercent)
            report(progress, lastPercent = percent);
        const uchar* row = image.constScanLine(y);
        for (int p = 0; p < planes; ++p) {
            std::fill(plane.begin(), plane.end(), 0);
            if (bits == 8) {
                std::copy_n(row, width, plane.data());
            } else if (bits <= 4) {
                for (int x = 0; x < width; ++x)
                    if ((row[x] >> p) & 1)
                        plane[size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
            } else {
                const QRgb* pixels = reinterpret_cast<const QRgb*>(row);
                const int shift = 16 - 8 * p;  // red, green, blue
                for (int x = 0; x < width; ++x)
                    plane[size_t(x)] = std::uint8_t(pixels[x] >> shift);
            }
            appendPcxRun(out, plane.data(), bytesPerLine);
        }
    }
    if (bits == 8) {
        out.append(char(0x0C));
        for (int i = 0; i < 256; ++i) {
            const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
            out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
        }
    }
    return out;
}

}  // namespace vellamo::imaging
