#include "imaging/dib_record.h"

namespace vellamo::imaging {

int colorTableSize(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::uint32_t colorRefFromRgb(QRgb rgb)
{
    return std::uint32_t(qRed(rgb)) | (std::uint32_t(qGreen(rgb)) << 8) | (std::uint32_t(qBlue(rgb)) << 16);
}

QRgb rgbFromColorRef(std::uint32_t colorRef)
{
    return qRgb(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

namespace {

QList<QRgb> paddedTable(QList<QRgb> table, int bits)
{
    table.resize(colorTableSize(bits), qRgb(0, 0, 0));
    return table;
}

}  // namespace

DibRecord::DibRecord(const QImage& image, int bitsPerPixel)
{
    if (image.isNull())
        return;
    if (bitsPerPixel <= 1)
        m_bits = 1;
    else if (bitsPerPixel <= 4)
        m_bits = 4;
    else if (bitsPerPixel <= 8)
        m_bits = 8;
    else if (bitsPerPixel == 32 && image.hasAlphaChannel())
        m_bits = 32;
    else
        m_bits = 24;

    if (m_bits <= 8) {
        m_image = image.format() == QImage::Format_Indexed8 ? image
                                                            : image.convertToFormat(QImage::Format_Indexed8);
        // Indices at or beyond the padded table would read colours nobody stored.
        if (m_image.colorCount() > colorTableSize(m_bits))
            m_bits = 8;
        m_image.setColorTable(paddedTable(m_image.colorTable(), m_bits));
    } else {
        const auto format = m_bits == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32;
        m_image = image.format() == format ? image : image.convertToFormat(format);
    }
    if (m_image.isNull())
        m_bits = 0;
}

QList<QRgb> DibRecord::colorTable() const
{
    return isPalettePicture() ? m_image.colorTable() : QList<QRgb>();
}

void DibRecord::clear()
{
    // Clearing the 10000 slots of a card is common; most hold no picture.
    if (!m_image.isNull())
        m_image = QImage();
    m_bits = 0;
    m_keyIsIndex = false;
}

void deldib(DibRecord& record) { record.clear(); }

bool newdib(DibRecord& out, int width, int height, int bitsPerPixel, const QRgb* colorTable, int colorCount)
{
    out.clear();
    if (width <= 0 || height <= 0 || qint64(width) * height > MaxPicturePixels)
        return false;
    const int tableSize = colorTableSize(bitsPerPixel);
    QImage image;
    if (tableSize > 0) {
        image = QImage(width, height, QImage::Format_Indexed8);
        if (image.isNull())
            return false;
        QList<QRgb> table(tableSize, qRgb(0, 0, 0));
        for (int i = 0; colorTable && i < colorCount && i < tableSize; ++i)
            table[i] = colorTable[i];
        image.setColorTable(table);
    } else if (bitsPerPixel == 24 || bitsPerPixel == 32) {
        image = QImage(width, height, bitsPerPixel == 32 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (image.isNull())
            return false;
    } else {
        return false;
    }
    image.fill(0);
    out = DibRecord(image, bitsPerPixel);
    return out.isLoaded();
}

std::uint32_t getpixel(const DibRecord& record, int x, int y)
{
    const QImage& image = record.image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return 0;
    if (record.isPalettePicture())
        return image.constScanLine(y)[x];
    const QRgb rgb = reinterpret_cast<const QRgb*>(image.constScanLine(y))[x];
    if (record.bitsPerPixel() == 32)
        return colorRefFromRgb(rgb) | (std::uint32_t(255 - qAlpha(rgb)) << 24);
    return colorRefFromRgb(rgb);
}

void setpixel(DibRecord& record, int x, int y, std::uint32_t value)
{
    QImage& image = record.image();
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    if (record.isPalettePicture()) {
        image.scanLine(y)[x] = uchar(value & 0xFF);
        return;
    }
    QRgb rgb = rgbFromColorRef(value);
    if (record.bitsPerPixel() == 32)
        rgb = qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), 255 - int(value >> 24));
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = rgb;
}

}  // namespace vellamo::imaging
