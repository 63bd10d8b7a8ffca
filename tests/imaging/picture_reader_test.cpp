#include "imaging/picture_reader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::imaging;

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

QImage palettePicture(int colours)
{
    QImage image(6, 4, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < colours; ++i)
        table.append(qRgb(i * 10, 255 - i, i));
    image.setColorTable(table);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            image.setPixel(x, y, uint((x + y) % colours));
    return image;
}

}  // namespace

TEST(PictureReader, KeepsBitDepthAndPalette)
{
    DibRecord r;
    ASSERT_TRUE(readPicture(r, encoded(palettePicture(256), "BMP")));
    EXPECT_EQ(r.bitsPerPixel(), 8);
    EXPECT_EQ(r.colorTable()[3], qRgb(30, 252, 3));
    EXPECT_EQ(getpixel(r, 2, 1), 3u);

    ASSERT_TRUE(readPicture(r, encoded(palettePicture(2).convertToFormat(QImage::Format_Mono), "BMP")));
    EXPECT_EQ(r.bitsPerPixel(), 1);
    EXPECT_EQ(r.colorTable().size(), 2);

    QImage rgb(5, 3, QImage::Format_RGB32);
    rgb.fill(qRgb(10, 20, 30));
    ASSERT_TRUE(readPicture(r, encoded(rgb, "PNG")));
    EXPECT_EQ(r.bitsPerPixel(), 24);
    EXPECT_EQ(getpixel(r, 4, 2), 0x001E140Au);
}

TEST(PictureReader, FormatComesFromTheContentNotTheName)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture.dib");  // holds a whole BMP file
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(encoded(palettePicture(16), "BMP"));
    f.close();
    DibRecord r;
    int lastProgress = -1;
    ASSERT_TRUE(OpenDib(r, path, [&](int p) { lastProgress = p; }));
    EXPECT_EQ(r.width(), 6);
    EXPECT_EQ(lastProgress, 0);

    const QString png = dir.filePath("really-a-png.jpg");
    QFile g(png);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(encoded(palettePicture(4).convertToFormat(QImage::Format_RGB32), "PNG"));
    g.close();
    EXPECT_TRUE(OpenDib(r, png));
}

TEST(PictureReader, DamagedFilesAreNotLoaded)
{
    DibRecord r;
    EXPECT_FALSE(OpenDib(r, "/no/such/file.bmp"));
    EXPECT_FALSE(readPicture(r, QByteArray()));
    EXPECT_FALSE(readPicture(r, QByteArray("BM this is no bitmap")));
    QByteArray bmp = encoded(palettePicture(256), "BMP");
    EXPECT_FALSE(readPicture(r, bmp.left(40)));
    // A header claiming a picture far beyond what any file could hold.
    QByteArray huge = bmp;
    huge[18] = char(0xFF);
    huge[19] = char(0xFF);
    huge[20] = char(0xFF);
    huge[22] = char(0xFF);
    huge[23] = char(0xFF);
    huge[24] = char(0xFF);
    EXPECT_FALSE(readPicture(r, huge));
    EXPECT_FALSE(r.isLoaded());
}
