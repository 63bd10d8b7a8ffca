#include "imaging/ilbm_codec.h"

#include "imaging/byte_view.h"

#include <algorithm>
#include <vector>

namespace vellamo::imaging {

namespace {

struct Chunk {
    qsizetype offset = -1;
    qsizetype length = 0;
    bool found() const { return offset >= 0; }
};

// Reports a percentage only when it changes, so per-row calls stay cheap.
class RowProgress {
public:
    RowProgress(const ProgressCallback& progress, int rows) : m_progress(progress), m_rows(std::max(rows, 1))
    {
    }
    void row(int y)
    {
        const int percent = int(qint64(y) * 100 / m_rows);
        if (percent != m_last) {
            m_last = percent;
            report(m_progress, percent);
        }
    }

private:
    const ProgressCallback& m_progress;
    int m_rows;
    int m_last = -1;
};

// Unpacks exactly `length` bytes from `at`; false when the data ends first or a run crosses the end.
bool unpackByteRun1(const ByteView& in, qsizetype& at, qsizetype end, std::uint8_t* out, qsizetype length)
{
    qsizetype filled = 0;
    while (filled < length) {
        if (at >= end)
            return false;
        const int n = std::int8_t(in.data()[at++]);
        if (n >= 0) {
            const qsizetype count = n + 1;
            if (count > length - filled || count > end - at)
                return false;
            std::copy_n(in.data() + at, count, out + filled);
            at += count;
            filled += count;
        } else if (n != -128) {
            const qsizetype count = 1 - n;
            if (count > length - filled || at >= end)
                return false;
            std::fill_n(out + filled, count, in.data()[at++]);
            filled += count;
        }
    }
    return true;
}

}  // namespace

bool looksLikeIff(const QByteArray& bytes)
{
    const ByteView v(bytes);
    return v.startsWith(0, "FORM", 4) && (v.startsWith(8, "ILBM", 4) || v.startsWith(8, "PBM ", 4));
}

DibRecord readIff(const QByteArray& bytes, const ProgressCallback& progress, qint64 maxPixels)
{
    if (!looksLikeIff(bytes))
        return {};
    const ByteView v(bytes);
    const bool chunky = v.startsWith(8, "PBM ", 4);
    const qint64 formEnd = qint64(v.u32be(4)) + 8;
    if (formEnd > bytes.size())
        return {};

    Chunk header, colours, viewMode, body;
    for (qsizetype at = 12; at + 8 <= formEnd;) {
        const qint64 length = v.u32be(at + 4);
        if (length > formEnd - at - 8)
            return {};
        const Chunk chunk{at + 8, qsizetype(length)};
        if (v.startsWith(at, "BMHD", 4))
            header = chunk;
        else if (v.startsWith(at, "CMAP", 4))
            colours = chunk;
        else if (v.startsWith(at, "CAMG", 4))
            viewMode = chunk;
        else if (v.startsWith(at, "BODY", 4))
            body = chunk;
        at += 8 + length + (length & 1);
    }
    if (!header.found() || header.length < 20 || !body.found())
        return {};

    const int width = int(v.u16be(header.offset));
    const int height = int(v.u16be(header.offset + 2));
    const int planes = int(v.u8(header.offset + 8));
    const int masking = int(v.u8(header.offset + 9));
    const int compression = int(v.u8(header.offset + 10));
    const std::uint32_t mode = viewMode.found() && viewMode.length >= 4 ? v.u32be(viewMode.offset) : 0;
    if (width == 0 || height == 0 || qint64(width) * height > std::min(maxPixels, MaxPicturePixels) ||
        compression > 1)
        return {};
    const bool ham = !chunky && (mode & 0x800) && (planes == 6 || planes == 8);
    const bool halfBrite = !chunky && (mode & 0x80) && planes == 6 && !ham;
    if (chunky ? planes != 8 : !((planes >= 1 && planes <= 8) || planes == 24))
        return {};

    const qsizetype planeBytes = qsizetype((width + 15) / 16) * 2;
    const qsizetype maskBytes = masking == 1 ? planeBytes : 0;
    const qsizetype pixelBytes = chunky ? qsizetype(width + (width & 1)) : planeBytes * planes;
    const qsizetype lineBytes = pixelBytes + maskBytes;
    // ByteRun1 turns two bytes into at most 128, which bounds what a body can describe.
    const qint64 bodyCapacity = compression == 1 ? qint64(body.length) * 64 : qint64(body.length);
    if (qint64(lineBytes) * height > bodyCapacity)
        return {};

    const bool direct = ham || planes == 24;
    const int bits = direct ? 24 : planes == 1 ? 1 : planes <= 4 ? 4 : 8;
    const int entries = halfBrite ? 64 : std::min(1 << std::min(planes, 8), 256);
    QList<QRgb> table(std::max(colorTableSize(bits), entries), qRgb(0, 0, 0));
    const int stored = colours.found() ? int(std::min<qsizetype>(colours.length / 3, 256)) : 0;
    if (stored == 0 && !direct) {
        for (int i = 0; i < entries; ++i)
            table[i] = qRgb(i * 255 / std::max(entries - 1, 1), i * 255 / std::max(entries - 1, 1),
                            i * 255 / std::max(entries - 1, 1));
    }
    for (int i = 0; i < stored && i < table.size(); ++i) {
        const qsizetype at = colours.offset + qsizetype(i) * 3;
        table[i] = qRgb(int(v.u8(at)), int(v.u8(at + 1)), int(v.u8(at + 2)));
    }
    if (halfBrite)
        for (int i = 0; i < 32; ++i)
            table[32 + i] = qRgb(qRed(table[i]) / 2, qGreen(table[i]) / 2, qBlue(table[i]) / 2);

    QImage image(width, height, direct ? QImage::Format_RGB32 : QImage::Format_Indexed8);
    if (image.isNull())
        return {};
    if (!direct)
        image.setColorTable(table.mid(0, colorTableSize(bits)));

    std::vector<std::uint8_t> line(static_cast<size_t>(lineBytes));
    std::vector<std::uint32_t> indices(static_cast<size_t>(width));
    qsizetype at = body.offset;
    const qsizetype bodyEnd = body.offset + body.length;
    RowProgress rows(progress, height);
    for (int y = 0; y < height; ++y) {
        rows.row(y);
        if (compression == 1) {
            if (!unpackByteRun1(v, at, bodyEnd, line.data(), lineBytes))
                return {};
        } else {
            std::copy_n(v.data() + at, lineBytes, line.data());
            at += lineBytes;
        }
        if (chunky) {
            std::copy_n(line.data(), width, image.scanLine(y));
            continue;
        }
        std::fill(indices.begin(), indices.end(), 0u);
        for (int p = 0; p < planes; ++p) {
            const std::uint8_t* plane = line.data() + qsizetype(p) * planeBytes;
            for (int x = 0; x < width; ++x)
                indices[size_t(x)] |= std::uint32_t((plane[x >> 3] >> (7 - (x & 7))) & 1) << p;
        }
        if (!direct) {
            uchar* out = image.scanLine(y);
            for (int x = 0; x < width; ++x)
                out[x] = uchar(indices[size_t(x)]);
        } else if (planes == 24) {
            QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const std::uint32_t i = indices[size_t(x)];
                out[x] = qRgb(int(i & 0xFF), int((i >> 8) & 0xFF), int((i >> 16) & 0xFF));
            }
        } else {
            // Hold-and-modify: a pixel takes a palette colour or replaces the top bits of one
            // component of its left neighbour, as the display hardware does; rows start with colour 0.
            const int dataBits = planes - 2;
            const std::uint32_t dataMask = (1u << dataBits) - 1;
            const int keptMask = (1 << (8 - dataBits)) - 1;
            QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            int r = qRed(table[0]), g = qGreen(table[0]), b = qBlue(table[0]);
            for (int x = 0; x < width; ++x) {
                const std::uint32_t i = indices[size_t(x)];
                const int value = int(i & dataMask);
                const int top = value << (8 - dataBits);
                switch (i >> dataBits) {
                case 0:
                    r = qRed(table[value]), g = qGreen(table[value]), b = qBlue(table[value]);
                    break;
                case 1:
                    b = (b & keptMask) | top;
                    break;
                case 2:
                    r = (r & keptMask) | top;
                    break;
                default:
                    g = (g & keptMask) | top;
                    break;
                }
                out[x] = qRgb(r, g, b);
            }
        }
    }
    return DibRecord(image, bits);
}

void appendByteRun1(QByteArray& out, const std::uint8_t* data, qsizetype length)
{
    qsizetype i = 0;
    auto runAt = [&](qsizetype at) {
        qsizetype run = 1;
        while (at + run < length && run < 128 && data[at + run] == data[at])
            ++run;
        return run;
    };
    while (i < length) {
        const qsizetype run = runAt(i);
        if (run >= 3) {
            out.append(char(1 - run)).append(char(data[i]));
            i += run;
            continue;
        }
        const qsizetype start = i;
        while (i < length && i - start < 128 && runAt(i) < 3)
            ++i;
        out.append(char(i - start - 1));
        out.append(reinterpret_cast<const char*>(data + start), i - start);
    }
}

std::optional<QByteArray> writeIff(const DibRecord& picture, IffLayout layout,
                                   const ProgressCallback& progress)
{
    if (!picture.isPalettePicture())
        return std::nullopt;
    const int width = picture.width();
    const int height = picture.height();
    if (width > 65535 || height > 65535)
        return std::nullopt;
    const bool chunky = layout == IffLayout::Chunky;
    const int planes = chunky ? 8 : picture.bitsPerPixel();
    const QList<QRgb> table = picture.colorTable();

    QByteArray out("FORM\0\0\0\0", 8);
    out.append(chunky ? "PBM " : "ILBM");
    out.append("BMHD");
    appendU32be(out, 20);
    appendU16be(out, std::uint32_t(width));
    appendU16be(out, std::uint32_t(height));
    appendU32be(out, 0);                                                       // position
    out.append(char(planes)).append(char(0)).append(char(1)).append(char(0));  // no mask, ByteRun1
    appendU16be(out, 0);                                                       // transparent colour
    out.append(char(1)).append(char(1));                                       // square pixels
    appendU16be(out, std::uint32_t(std::min(width, 32767)));
    appendU16be(out, std::uint32_t(std::min(height, 32767)));

    out.append("CMAP");
    appendU32be(out, std::uint32_t(table.size() * 3));
    for (QRgb c : table)
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));

    out.append("BODY");
    const qsizetype bodyLengthAt = out.size();
    appendU32be(out, 0);
    const qsizetype planeBytes = chunky ? qsizetype(width + (width & 1)) : qsizetype((width + 15) / 16) * 2;
    std::vector<std::uint8_t> plane(static_cast<size_t>(planeBytes));
    RowProgress rows(progress, height);
    const QImage& image = picture.image();
    for (int y = 0; y < height; ++y) {
        rows.row(y);
        const uchar* row = image.constScanLine(y);
        if (chunky) {
            std::fill(plane.begin(), plane.end(), 0);
            std::copy_n(row, width, plane.data());
            appendByteRun1(out, plane.data(), planeBytes);
            continue;
        }
        for (int p = 0; p < planes; ++p) {
            std::fill(plane.begin(), plane.end(), 0);
            for (int x = 0; x < width; ++x)
                if ((row[x] >> p) & 1)
                    plane[size_t(x >> 3)] |= std::uint8_t(0x80 >> (x & 7));
            appendByteRun1(out, plane.data(), planeBytes);
        }
    }
    const qsizetype bodyLength = out.size() - bodyLengthAt - 4;
    if (bodyLength & 1)
        out.append('\0');
    if (out.size() > qsizetype(0xFFFFFFF0))
        return std::nullopt;
    QByteArray length;
    appendU32be(length, std::uint32_t(bodyLength));
    out.replace(bodyLengthAt, 4, length);
    length.clear();
    appendU32be(length, std::uint32_t(out.size() - 8));
    out.replace(4, 4, length);
    return out;
}

}  // namespace vellamo::imaging
