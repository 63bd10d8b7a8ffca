#include "imaging/magick_bridge.h"

#include <Magick++.h>

#include <algorithm>
#include <mutex>
#include <vector>

namespace vellamo::imaging {

namespace {

void ensureMagick()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // The program keeps its own signal handling; GraphicsMagick must not install any.
        using namespace MagickLib;
        ExceptionInfo exception;
        GetExceptionInfo(&exception);
        InitializeMagickEx(nullptr, MAGICK_OPT_NO_SIGNAL_HANDER, &exception);
        DestroyExceptionInfo(&exception);
        // Writing takes pictures up to this size; reading is bounded by each read's own check.
        SetMagickResourceLimit(PixelsResource, MaxPicturePixels);
        SetMagickResourceLimit(WidthResource, 1 << 20);
        SetMagickResourceLimit(HeightResource, 1 << 20);
        // Pixels stay in memory; a picture too large for it fails instead of filling the disk.
        SetMagickResourceLimit(DiskResource, 0);
    });
}

int bitsForColours(unsigned colours) { return colours <= 2 ? 1 : colours <= 16 ? 4 : 8; }

quint8 toByte(MagickLib::Quantum q) { return quint8(q / ((MaxRGB + 1) / 256)); }
MagickLib::Quantum toQuantum(int byte) { return MagickLib::Quantum(byte * (MaxRGB / 255)); }

DibRecord fromMagick(Magick::Image& image)
{
    const int width = int(image.columns());
    const int height = int(image.rows());
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxPicturePixels)
        return {};
    const unsigned colours = image.classType() == Magick::PseudoClass ? image.colorMapSize() : 0;
    if (colours > 0 && colours <= 256) {
        const int bits = bitsForColours(colours);
        QImage out(width, height, QImage::Format_Indexed8);
        if (out.isNull())
            return {};
        QList<QRgb> table(colorTableSize(bits), qRgb(0, 0, 0));
        for (unsigned i = 0; i < colours; ++i) {
            const Magick::Color c = image.colorMap(i);
            table[int(i)] = qRgb(toByte(c.redQuantum()), toByte(c.greenQuantum()), toByte(c.blueQuantum()));
        }
        out.setColorTable(table);
        for (int y = 0; y < height; ++y) {
            image.getConstPixels(0, y, unsigned(width), 1);
            const Magick::IndexPacket* indices = image.getConstIndexes();
            if (!indices)
                return {};
            uchar* row = out.scanLine(y);
            for (int x = 0; x < width; ++x)
                row[x] = indices[x] < colours ? uchar(indices[x]) : 0;
        }
        return DibRecord(out, bits);
    }
    const bool alpha = image.matte();
    QImage out(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (out.isNull())
        return {};
    // 32-bit QImage rows are exactly width * 4 bytes, so the picture is one contiguous block.
    image.write(0, 0, unsigned(width), unsigned(height), "BGRA", Magick::CharPixel, out.bits());
    if (!alpha) {
        for (int y = 0; y < height; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
            for (int x = 0; x < width; ++x)
                row[x] |= 0xFF000000u;
        }
    }
    return DibRecord(out, alpha ? 32 : 24);
}

Magick::Image toMagick(const DibRecord& picture)
{
    const QImage& src = picture.image();
    const unsigned width = unsigned(src.width());
    const unsigned height = unsigned(src.height());
    if (picture.isPalettePicture()) {
        const QList<QRgb> table = picture.colorTable();
        Magick::Image image(Magick::Geometry(width, height), Magick::Color(0, 0, 0));
        image.classType(Magick::PseudoClass);
        const unsigned entries = unsigned(table.size());
        image.colorMapSize(entries);
        std::vector<Magick::PixelPacket> colours(entries);
        for (unsigned i = 0; i < entries; ++i) {
            const QRgb rgb = i < unsigned(table.size()) ? table[int(i)] : qRgb(0, 0, 0);
            const Magick::Color colour(toQuantum(qRed(rgb)), toQuantum(qGreen(rgb)), toQuantum(qBlue(rgb)));
            image.colorMap(i, colour);
            colours[i] = colour;
        }
        for (unsigned y = 0; y < height; ++y) {
            Magick::PixelPacket* pixels = image.setPixels(0, int(y), width, 1);
            Magick::IndexPacket* indices = image.getIndexes();
            const uchar* row = src.constScanLine(int(y));
            for (unsigned x = 0; x < width; ++x) {
                const unsigned index = row[x] < entries ? row[x] : 0;
                indices[x] = Magick::IndexPacket(index);
                pixels[x] = colours[index];
            }
            image.syncPixels();
        }
        return image;
    }
    const bool alpha = picture.bitsPerPixel() == 32;
    Magick::Image image(width, height, alpha ? "BGRA" : "BGRP", Magick::CharPixel, src.constBits());
    image.matte(alpha);
    return image;
}

}  // namespace

DibRecord readWithMagick(const QByteArray& bytes, const char* coder, qint64 maxPixelsPerByte,
                         qint64 maxPixels)
{
    ensureMagick();
    try {
        const Magick::Blob blob(bytes.constData(), size_t(bytes.size()));
        Magick::Image image;
        image.magick(coder);
        // Only the first frame of an animation is wanted; do not decode the rest.
        image.subImage(0);
        image.subRange(1);
        Magick::Image header = image;
        header.ping(blob);
        const qint64 pixels = qint64(header.columns()) * qint64(header.rows());
        if (pixels <= 0 || pixels > std::min(maxPixels, MaxPicturePixels) ||
            pixels > qint64(bytes.size()) * maxPixelsPerByte)
            return {};
        image.read(blob);
        return fromMagick(image);
    } catch (const std::exception&) {
        return {};
    }
}

std::optional<QByteArray> writeWithMagick(const DibRecord& picture, const char* coder,
                                          MagickCompression compression)
{
    if (!picture.isLoaded())
        return std::nullopt;
    ensureMagick();
    try {
        Magick::Image image = toMagick(picture);
        image.compressType(compression == MagickCompression::RunLength ? Magick::RLECompression
                           : compression == MagickCompression::Lzw     ? Magick::LZWCompression
                                                                       : Magick::NoCompression);
        Magick::Blob blob;
        image.write(&blob, coder);
        if (blob.length() == 0)
            return std::nullopt;
        return QByteArray(static_cast<const char*>(blob.data()), qsizetype(blob.length()));
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

DibRecord quantized(const DibRecord& picture, int colours)
{
    if (!picture.isLoaded() || picture.isPalettePicture())
        return picture;
    ensureMagick();
    try {
        Magick::Image image = toMagick(picture);
        image.matte(false);
        image.quantizeColorSpace(Magick::RGBColorspace);
        image.quantizeColors(unsigned(std::clamp(colours, 2, 256)));
        image.quantizeDither(true);
        image.quantize();
        return fromMagick(image);
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace vellamo::imaging
