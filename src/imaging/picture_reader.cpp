#include "imaging/picture_reader.h"

#include "imaging/bmp_rle_codec.h"
#include "imaging/byte_view.h"
#include "imaging/ilbm_codec.h"
#include "imaging/magick_bridge.h"
#include "imaging/pcx_codec.h"
#include "imaging/regular_file.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <limits>
#include <optional>

namespace vellamo::imaging {

namespace {

enum class PictureType { Unknown, Bmp, HeaderlessDib, Gif, Jpeg, Png, Tiff, Iff, Pcx, Tga };

// The most pixels one byte of a file can describe in each format's best compression; a header
// declaring more than its file could hold is refused before anything is allocated.
qint64 maxPixelsPerByte(PictureType type)
{
    switch (type) {
    case PictureType::Gif:
        return 4096 * 3;  // a 3-bit LZW code can stand for a 4096-pixel string
    case PictureType::Png:
    case PictureType::Tiff:
        return 1032 * 8;  // deflate's limit, 8 one-bit pixels per byte
    case PictureType::Jpeg:
        return 8192;
    default:
        return 256;
    }
}

bool fitsTheFile(qint64 width, qint64 height, qint64 fileSize, PictureType type, qint64 maxPixels)
{
    if (width <= 0 || height <= 0 || width * height > std::min(maxPixels, MaxPicturePixels))
        return false;
    return width * height <= fileSize * maxPixelsPerByte(type);
}

bool isBitmapInfoSize(std::uint32_t size)
{
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// Checks a bitmap information header at `base` (and the pixels at `dataOffset`, or right after the
// colour table when negative) against the file before Qt's reader allocates for it.
bool plausibleBitmap(const ByteView& v, qsizetype base, qint64 dataOffset, qint64 maxPixels)
{
    const std::uint32_t headerSize = v.u32le(base);
    if (!isBitmapInfoSize(headerSize))
        return false;
    const bool core = headerSize == 12;
    // Signed for the information header: a negative height means the rows are stored top first.
    // (Both branches widened, so that the unsigned core fields do not make the sign vanish.)
    const qint64 width = core ? qint64(v.u16le(base + 4)) : qint64(v.i32le(base + 4));
    const qint64 rawHeight = core ? qint64(v.u16le(base + 6)) : qint64(v.i32le(base + 8));
    const int planes = int(core ? v.u16le(base + 8) : v.u16le(base + 12));
    const int bits = int(core ? v.u16le(base + 10) : v.u16le(base + 14));
    const std::uint32_t compression = core ? 0 : v.u32le(base + 16);
    const std::uint32_t coloursUsed = core ? 0 : v.u32le(base + 32);
    if (v.overrun() || planes != 1 || width <= 0 || rawHeight == 0)
        return false;
    const qint64 height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (!(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32))
        return false;
    const bool runLength = compression == 1 || compression == 2;
    if (compression > 3 || (compression == 1 && bits != 8) || (compression == 2 && bits != 4) ||
        (compression == 3 && bits != 16 && bits != 32) || (runLength && rawHeight < 0))
        return false;
    qint64 entries = 0;
    if (bits <= 8) {
        entries = coloursUsed ? coloursUsed : (1 << bits);
        if (entries > 256)
            return false;
    }
    const qint64 masks = compression == 3 && headerSize == 40 ? 12 : 0;
    const qint64 tableEnd = base + headerSize + masks + entries * (core ? 3 : 4);
    if (tableEnd > v.size())
        return false;
    const qint64 pixelsAt = dataOffset < 0 ? tableEnd : dataOffset;
    if (pixelsAt > v.size() || width * height > std::min(maxPixels, MaxPicturePixels))
        return false;
    const qint64 available = v.size() - pixelsAt;
    if (runLength)
        return width * height <= available * maxPixelsPerByte(PictureType::Bmp);
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    return rowBytes * height <= available;
}

bool looksLikePcx(const ByteView& v)
{
    const std::uint32_t version = v.u8(1);
    const std::uint32_t bits = v.u8(3);
    return v.size() >= 128 && v.u8(0) == 0x0A && (version <= 5 && version != 1) && v.u8(2) <= 1 &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

bool looksLikeTga(const ByteView& v)
{
    if (v.size() < 18)
        return false;
    const std::uint32_t mapType = v.u8(1);
    const std::uint32_t type = v.u8(2);
    const std::uint32_t mapEntryBits = v.u8(7);
    const std::uint32_t bits = v.u8(16);
    const bool mapped = type == 1 || type == 9;
    if (mapType > 1 || !(mapped || type == 2 || type == 3 || type == 10 || type == 11))
        return false;
    if (mapped && (mapType != 1 || bits != 8))
        return false;
    if (mapType == 1 &&
        !(mapEntryBits == 15 || mapEntryBits == 16 || mapEntryBits == 24 || mapEntryBits == 32))
        return false;
    if ((type == 3 || type == 11) && bits != 8 && bits != 16)
        return false;
    return bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

bool plausibleTga(const ByteView& v, qint64 maxPixels)
{
    const qint64 width = v.u16le(12);
    const qint64 height = v.u16le(14);
    const qint64 bytesPerPixel = (v.u8(16) + 7) / 8;
    const qint64 mapBytes = v.u8(1) == 1 ? qint64(v.u16le(5)) * ((v.u8(7) + 7) / 8) : 0;
    const qint64 dataAt = 18 + qint64(v.u8(0)) + mapBytes;
    if (v.overrun() || dataAt > v.size() || width == 0 || height == 0 ||
        width * height > std::min(maxPixels, MaxPicturePixels))
        return false;
    const qint64 data = v.size() - dataAt;
    // A run packet of 1 + bytesPerPixel bytes stands for at most 128 pixels.
    return v.u8(2) >= 9 ? width * height <= data * 64 : width * height * bytesPerPixel <= data;
}

PictureType pictureTypeOf(const ByteView& v)
{
    if (v.startsWith(0, "BM", 2))
        return PictureType::Bmp;
    if (v.startsWith(0, "GIF87a", 6) || v.startsWith(0, "GIF89a", 6))
        return PictureType::Gif;
    if (v.startsWith(0, "\xFF\xD8\xFF", 3))
        return PictureType::Jpeg;
    if (v.startsWith(0, "\x89PNG\r\n\x1A\n", 8))
        return PictureType::Png;
    if (v.startsWith(0, "II*\0", 4) || v.startsWith(0, "MM\0*", 4))
        return PictureType::Tiff;
    if (v.startsWith(0, "FORM", 4))
        return PictureType::Iff;
    if (isBitmapInfoSize(v.u32le(0)) && v.size() >= 16)
        return PictureType::HeaderlessDib;
    if (looksLikePcx(v))
        return PictureType::Pcx;
    if (looksLikeTga(v))
        return PictureType::Tga;
    return PictureType::Unknown;
}

// libjpeg pads a file that ends early with grey; we want such a file refused. The end-of-image
// marker can only follow the first scan, as entropy-coded data stuffs every 0xFF.
bool jpegIsComplete(const ByteView& v)
{
    qsizetype at = 2;
    while (v.has(at, 4)) {
        if (v.u8(at) != 0xFF)
            return false;
        const std::uint32_t marker = v.u8(at + 1);
        if (marker == 0xFF) {
            ++at;
            continue;
        }
        if (marker == 0xDA)
            break;
        at += 2 + qsizetype(v.u16be(at + 2));
    }
    for (qsizetype i = v.size() - 2; i > at; --i)
        if (v.u8(i) == 0xFF && v.u8(i + 1) == 0xD9)
            return true;
    return false;
}

// Every chunk lies within the file, and the picture ends with its end chunk.
bool pngIsComplete(const ByteView& v)
{
    qsizetype at = 8;
    while (v.has(at, 12)) {
        const qint64 length = v.u32be(at);
        if (length > v.size() - at - 12)
            return false;
        if (v.startsWith(at + 4, "IEND", 4))
            return true;
        at += 12 + qsizetype(length);
    }
    return false;
}

// The depth the picture had in its file, where Qt's reader hides it.
int fileBitsPerPixel(const ByteView& v, PictureType type, const QImage& image)
{
    if (type == PictureType::Bmp || type == PictureType::HeaderlessDib) {
        const qsizetype base = type == PictureType::Bmp ? 14 : 0;
        const int bits = int(v.u32le(base) == 12 ? v.u16le(base + 10) : v.u16le(base + 14));
        if (bits == 1 || bits == 4 || bits == 8)
            return bits;
        return image.hasAlphaChannel() ? 32 : 24;
    }
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Grayscale8:
        return 8;
    case QImage::Format_Indexed8:
        return image.colorCount() <= 2 ? 1 : image.colorCount() <= 16 ? 4 : 8;
    default:
        return image.hasAlphaChannel() ? 32 : 24;
    }
}

// RLE4 and RLE8 bitmaps are ours to decode (see readRleBitmap); nothing for other bitmaps.
std::optional<DibRecord> readRunLengthBitmap(const QByteArray& bytes, const ByteView& v, qsizetype base,
                                             qint64 dataOffset, qint64 maxPixels)
{
    const std::uint32_t headerSize = v.u32le(base);
    if (headerSize == 12)
        return std::nullopt;
    const std::uint32_t compression = v.u32le(base + 16);
    if (compression != 1 && compression != 2)
        return std::nullopt;
    // plausibleBitmap has checked the header, the colour table and where the pixels start.
    const int width = v.i32le(base + 4);
    const int height = v.i32le(base + 8);
    const int bits = compression == 1 ? 8 : 4;
    const std::uint32_t coloursUsed = v.u32le(base + 32);
    const qsizetype entries = coloursUsed ? qsizetype(coloursUsed) : (qsizetype(1) << bits);
    const qsizetype tableAt = base + qsizetype(headerSize);
    QList<QRgb> table;
    for (qsizetype i = 0; i < entries; ++i) {
        const qsizetype at = tableAt + 4 * i;
        table.append(qRgb(int(v.u8(at + 2)), int(v.u8(at + 1)), int(v.u8(at))));
    }
    const qsizetype pixelsAt = dataOffset < 0 ? tableAt + 4 * entries : qsizetype(dataOffset);
    return readRleBitmap(bytes.mid(pixelsAt), width, height, bits, table, maxPixels);
}

// The size a JPEG of `size` is read at: itself, or scaled by the smallest of 1/2, 1/4 and 1/8 that
// keeps it within `maxPixels`, which libjpeg decodes without ever holding the whole picture;
// invalid when even 1/8 is too large.
QSize jpegReadSize(QSize size, qint64 maxPixels)
{
    for (int denominator = 1; denominator <= 8; denominator *= 2) {
        // Rounded down, so that Qt picks this denominator for libjpeg's scaling.
        const QSize scaled(size.width() / denominator, size.height() / denominator);
        if (!scaled.isEmpty() && qint64(scaled.width()) * scaled.height() <= maxPixels)
            return scaled;
    }
    return {};
}

DibRecord readWithQt(const QByteArray& bytes, const ByteView& v, PictureType type, qint64 maxPixels)
{
    const char* format = nullptr;
    switch (type) {
    case PictureType::Bmp:
        if (!plausibleBitmap(v, 14, v.u32le(10), maxPixels))
            return {};
        if (auto rle = readRunLengthBitmap(bytes, v, 14, v.u32le(10), maxPixels))
            return *rle;
        format = "bmp";
        break;
    case PictureType::HeaderlessDib:
        if (!plausibleBitmap(v, 0, -1, maxPixels))
            return {};
        if (auto rle = readRunLengthBitmap(bytes, v, 0, -1, maxPixels))
            return *rle;
        format = "dib";
        break;
    case PictureType::Jpeg:
        if (!jpegIsComplete(v))
            return {};
        format = "jpeg";
        break;
    case PictureType::Png:
        if (!pngIsComplete(v))
            return {};
        format = "png";
        break;
    default:
        return {};
    }
    // Qt's own bound, for what our checks of the header do not see.
    QImageReader::setAllocationLimit(int(MaxDecodedPictureBytes >> 20));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (type == PictureType::Jpeg && size.isValid()) {
        // Too large a JPEG is read smaller rather than refused; the file must still hold it.
        const QSize readSize = jpegReadSize(size, maxPixels);
        if (readSize.isEmpty() ||
            !fitsTheFile(size.width(), size.height(), bytes.size(), type, std::numeric_limits<qint64>::max()))
            return {};
        if (readSize != size)
            reader.setScaledSize(readSize);
    } else if (size.isValid() && !fitsTheFile(size.width(), size.height(), bytes.size(), type, maxPixels)) {
        return {};
    }
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return DibRecord(image, fileBitsPerPixel(v, type, image));
}

DibRecord decode(const QByteArray& bytes, const ProgressCallback& progress, qint64 maxPixels)
{
    const ByteView v(bytes);
    const PictureType type = pictureTypeOf(v);
    switch (type) {
    case PictureType::Unknown:
        return {};
    case PictureType::Iff:
        return readIff(bytes, progress, maxPixels);
    case PictureType::Gif:
        if (!fitsTheFile(v.u16le(6), v.u16le(8), bytes.size(), type, maxPixels))
            return {};
        return readWithMagick(bytes, "GIF", maxPixelsPerByte(type), maxPixels);
    case PictureType::Pcx:
        return readPcx(bytes, progress, maxPixels);
    case PictureType::Tga:
        return plausibleTga(v, maxPixels) ? readWithMagick(bytes, "TGA", maxPixelsPerByte(type), maxPixels)
                                          : DibRecord();
    case PictureType::Tiff:
        // Qt turns palette files of fewer than 8 bits into colour pictures; GraphicsMagick keeps them.
        return readWithMagick(bytes, "TIFF", maxPixelsPerByte(type), maxPixels);
    default:
        return readWithQt(bytes, v, type, maxPixels);
    }
}

}  // namespace

bool readPicture(DibRecord& out, const QByteArray& bytes, const ProgressCallback& progress, qint64 maxBytes)
{
    out.clear();
    report(progress, 0);
    out = decode(bytes, progress, decodedPixelsFor(std::min(maxBytes, MaxDecodedPictureBytes)));
    if (out.isLoaded())
        report(progress, 100);
    report(progress, 0);
    return out.isLoaded();
}

bool OpenDib(DibRecord& out, const QString& path, const ProgressCallback& progress, qint64 maxBytes)
{
    out.clear();
    const std::optional<QByteArray> bytes = readRegularFile(path, MaxPictureFileBytes);
    return bytes && readPicture(out, *bytes, progress, maxBytes);
}

}  // namespace vellamo::imaging
