#include "imaging/picture_reader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace vellamo::imaging {

namespace {

// The depth the picture had in its file, where Qt's reader hides it.
int fileBitsPerPixel(const QByteArray& bytes, const QImage& image)
{
    if (bytes.startsWith("BM") && bytes.size() >= 30) {
        const int bits = uchar(bytes[28]) | (uchar(bytes[29]) << 8);
        if (bits == 1 || bits == 4 || bits == 8)
            return bits;
        return image.hasAlphaChannel() ? 32 : 24;
    }
    switch (image.format()) {
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return 1;
    case QImage::Format_Indexed8:
        return image.colorCount() <= 2 ? 1 : image.colorCount() <= 16 ? 4 : 8;
    default:
        return image.hasAlphaChannel() ? 32 : 24;
    }
}

}  // namespace

bool readPicture(DibRecord& out, const QByteArray& bytes, const ProgressCallback& progress)
{
    out.clear();
    report(progress, 0);
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels) {
        report(progress, 0);
        return false;
    }
    QImage image;
    if (reader.read(&image) && !image.isNull())
        out = DibRecord(image, fileBitsPerPixel(bytes, image));
    report(progress, out.isLoaded() ? 100 : 0);
    report(progress, 0);
    return out.isLoaded();
}

bool OpenDib(DibRecord& out, const QString& path, const ProgressCallback& progress)
{
    out.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return readPicture(out, file.readAll(), progress);
}

}  // namespace vellamo::imaging
