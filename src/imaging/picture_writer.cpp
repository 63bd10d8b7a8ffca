#include "imaging/picture_writer.h"

#include "imaging/bmp_rle_codec.h"
#include "imaging/ilbm_codec.h"
#include "imaging/magick_bridge.h"
#include "imaging/pcx_codec.h"
#include "imaging/safe_file_write.h"

#include <QBuffer>
#include <QImageWriter>

#include <algorithm>
#include <atomic>

namespace vellamo::imaging {

namespace {

std::atomic<int> jpegQuality{75};

// Palette formats take a quantized copy of 24- and 32-bit pictures.
DibRecord asPalettePicture(const DibRecord& picture)
{
    return picture.isPalettePicture() ? picture : quantized(picture, 256);
}

std::optional<QByteArray> writeWithQt(const QImage& image, const char* format, int quality = -1,
                                      int compression = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    if (compression >= 0)
        writer.setCompression(compression);
    if (!writer.write(image))
        return std::nullopt;
    return bytes;
}

// Qt writes a 1-bit file only from its one-bit format; 4 and 8 bits follow the colour count.
QImage imageForQt(const DibRecord& picture)
{
    if (picture.bitsPerPixel() == 1)
        return picture.image().convertToFormat(QImage::Format_Mono, picture.colorTable());
    return picture.image();
}

std::optional<QByteArray> encode(const DibRecord& picture, int formatCode, const ProgressCallback& progress)
{
    switch (formatCode) {
    case FormatBmp:
    case FormatDib:
        // A .DIB file is a bitmap file like any other; the header-less form is only for reading.
        return writeWithQt(imageForQt(picture), "bmp");
    case FormatGif:
        return writeWithMagick(asPalettePicture(picture), "GIF");
    case FormatIff:
        return writeIff(asPalettePicture(picture), IffLayout::Planar, progress);
    case FormatLbm:
        return writeIff(asPalettePicture(picture), IffLayout::Chunky, progress);
    case FormatJif:
    case FormatJpg: {
        const QImage& image = picture.image();
        return writeWithQt(picture.isPalettePicture() ? image.convertToFormat(QImage::Format_RGB32) : image,
                           "jpeg", jpegQuality.load());
    }
    case FormatPcx:
        return writePcx(picture, progress);
    case FormatRle:
        return writeRle8Bitmap(asPalettePicture(picture), progress);
    case FormatTga:
        return writeWithMagick(picture, "TGA");
    case FormatTif:
        // Qt writes palette pictures of 1 and 4 bits as 8-bit or colourless bilevel files.
        if (picture.isPalettePicture())
            return writeWithMagick(picture, "TIFF", MagickCompression::Lzw);
        return writeWithQt(picture.image(), "tiff", -1, 1);  // LZW
    case FormatPng:
        return writeWithQt(imageForQt(picture), "png");
    default:
        return std::nullopt;
    }
}

}  // namespace

bool SaveDib(const DibRecord& picture, const QString& path, int formatCode, const ProgressCallback& progress)
{
    report(progress, 0);
    bool saved = false;
    if (picture.isLoaded()) {
        const std::optional<QByteArray> bytes = encode(picture, formatCode, progress);
        saved = bytes && writeFileSafely(path, *bytes).written();
    }
    if (saved)
        report(progress, 100);
    report(progress, 0);
    return saved;
}

QString GetDIBSaveFilter()
{
    return QStringLiteral("BMP - Windows, OS/2 Bitmap|*.BMP|"
                          "DIB - Windows, OS/2 DIB|*.DIB|"
                          "GIF - CompuServe Graphics Interchange|*.GIF|"
                          "IFF - Amiga|*.IFF|"
                          "JIF - JPEG - JFIF Compilant|*.JIF|"
                          "JPG - JPEG - JFIF Compilant|*.JPG|"
                          "LBM - Deluxe Paint|*.LBM|"
                          "PCX - ZSoft Paintbrush|*.PCX|"
                          "RLE - Windows RLE|*.RLE|"
                          "TGA - Truevision Targa|*.TGA|"
                          "TIF - Tagged image file Format|*.TIF|"
                          "PNG - Portable Graphics Network|*.PNG");
}

void SetJPEGQual(int quality) { jpegQuality.store(std::clamp(quality, 1, 99)); }

}  // namespace vellamo::imaging
