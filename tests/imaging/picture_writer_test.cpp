#include "imaging/picture_reader.h"
#include "imaging/picture_writer.h"

#include "netpbm.h"
#include "sample_pictures.h"
#include "support/bytes.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::imaging;
using namespace vellamo::testing;

namespace {

struct Written {
    QByteArray bytes;
    bool saved = false;
};

Written saveToBytes(const DibRecord& picture, int code)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    Written w;
    w.saved = SaveDib(picture, path, code);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        w.bytes = file.readAll();
    return w;
}

QImage readBack(const QByteArray& bytes, int* bits = nullptr)
{
    DibRecord r;
    if (!readPicture(r, bytes))
        return {};
    if (bits)
        *bits = r.bitsPerPixel();
    return r.image();
}

struct LosslessCase {
    int code;
    const char* decoder;
};

}  // namespace

TEST(PictureWriter, LosslessFormatsMatchAnIndependentDecoder)
{
    // Every depth the picture library holds, written in every format that keeps colours exactly.
    const LosslessCase cases[] = {{FormatBmp, "bmptopnm"}, {FormatDib, "bmptopnm"},  {FormatPcx, "pcxtoppm"},
                                  {FormatTga, "tgatoppm"}, {FormatTif, "tifftopnm"}, {FormatPng, "pngtopnm"}};
    const DibRecord pictures[] = {palettePicture(1), palettePicture(4), palettePicture(8, 40, 9),
                                  colourPattern()};
    for (const LosslessCase& c : cases) {
        for (const DibRecord& picture : pictures) {
            SCOPED_TRACE(testing::Message()
                         << "format " << c.code << ", " << picture.bitsPerPixel() << " bits");
            const Written w = saveToBytes(picture, c.code);
            ASSERT_TRUE(w.saved);
            const QImage decoded = decodeWithNetpbm(c.decoder, w.bytes);
            ASSERT_FALSE(decoded.isNull()) << c.decoder << " refused the file";
            EXPECT_EQ(largestDifference(decoded, picture.image()), 0);
            int bits = 0;
            EXPECT_EQ(largestDifference(readBack(w.bytes, &bits), picture.image()), 0);
            EXPECT_EQ(bits, picture.bitsPerPixel());
        }
    }
}

TEST(PictureWriter, PaletteFormatsGetAGoodPaletteFromColourPictures)
{
    const LosslessCase cases[] = {
        {FormatGif, "giftopnm"}, {FormatIff, "ilbmtoppm"}, {FormatLbm, "ilbmtoppm"}, {FormatRle, "bmptopnm"}};
    const DibRecord colour = colourPattern(64, 48);
    for (const LosslessCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "format " << c.code);
        const Written w = saveToBytes(colour, c.code);
        ASSERT_TRUE(w.saved);
        const QImage decoded = decodeWithNetpbm(c.decoder, w.bytes);
        ASSERT_FALSE(decoded.isNull()) << c.decoder << " refused the file";
        EXPECT_LT(meanDifference(decoded, colour.image()), 4.0);
        int bits = 0;
        EXPECT_EQ(largestDifference(readBack(w.bytes, &bits), decoded), 0);
        EXPECT_LE(bits, 8);

        // Palette pictures keep their exact colours.
        for (int depth : {1, 4, 8}) {
            // An even width: netpbm reads chunky rows without the padding byte of odd widths.
            const DibRecord palette = palettePicture(depth, 34, 17);
            const Written p = saveToBytes(palette, c.code);
            ASSERT_TRUE(p.saved);
            EXPECT_EQ(largestDifference(decodeWithNetpbm(c.decoder, p.bytes), palette.image()), 0)
                << depth << " bits";
            EXPECT_EQ(largestDifference(readBack(p.bytes), palette.image()), 0) << depth << " bits";
        }
    }
}

TEST(PictureWriter, AlphaSurvivesPngAndTga)
{
    QImage image(6, 3, QImage::Format_ARGB32);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 3; ++y)
            image.setPixel(x, y, qRgba(x * 40, y * 80, 200, x * 51));
    const DibRecord picture(image, 32);
    for (int code : {FormatPng, FormatTga}) {
        DibRecord r;
        ASSERT_TRUE(readPicture(r, saveToBytes(picture, code).bytes)) << code;
        EXPECT_EQ(r.bitsPerPixel(), 32) << code;
        EXPECT_EQ(r.image(), picture.image()) << code;
    }
}

TEST(PictureWriter, RunLengthFilesAreCompressedEightBitBitmaps)
{
    const Written w = saveToBytes(palettePicture(4, 50, 10), FormatRle);
    ASSERT_TRUE(w.saved);
    ASSERT_GE(w.bytes.size(), 54);
    EXPECT_TRUE(w.bytes.startsWith("BM"));
    EXPECT_EQ(int32At(w.bytes, 14), 40);  // Windows 3 information header
    EXPECT_EQ(uchar(w.bytes[28]), 8);     // bits per pixel
    EXPECT_EQ(int32At(w.bytes, 30), 1);   // RLE8
}

TEST(PictureWriter, JpegFollowsTheQualitySetting)
{
    const DibRecord colour = colourPattern(80, 60);
    SetJPEGQual(95);
    const Written fine = saveToBytes(colour, FormatJpg);
    SetJPEGQual(5);
    const Written coarse = saveToBytes(colour, FormatJif);
    SetJPEGQual(75);
    ASSERT_TRUE(fine.saved && coarse.saved);
    const QImage fineDecoded = decodeWithNetpbm("jpegtopnm", fine.bytes);
    const QImage coarseDecoded = decodeWithNetpbm("jpegtopnm", coarse.bytes);
    EXPECT_LT(meanDifference(fineDecoded, colour.image()), 12.0);
    EXPECT_GT(meanDifference(coarseDecoded, colour.image()), meanDifference(fineDecoded, colour.image()));
    EXPECT_LT(coarse.bytes.size(), fine.bytes.size());
    // Palette pictures are written in colour.
    const Written palette = saveToBytes(palettePicture(8, 40, 20), FormatJpg);
    EXPECT_TRUE(palette.saved);
    EXPECT_FALSE(decodeWithNetpbm("jpegtopnm", palette.bytes).isNull());
}

TEST(PictureWriter, FailedWritesLeaveTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old.bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("previous contents");
    file.close();

    int lastProgress = -1;
    EXPECT_FALSE(SaveDib(DibRecord(), path, FormatBmp, [&](int p) { lastProgress = p; }));
    EXPECT_EQ(lastProgress, 0);
    EXPECT_FALSE(SaveDib(colourPattern(), path, 2));
    EXPECT_FALSE(SaveDib(colourPattern(), path, 15));
    EXPECT_FALSE(SaveDib(colourPattern(), dir.filePath("no/such/folder/x.bmp"), FormatBmp));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("previous contents"));
    file.close();

    EXPECT_TRUE(SaveDib(colourPattern(), path, FormatPng, [&](int p) { lastProgress = p; }));
    EXPECT_EQ(lastProgress, 0);
    DibRecord r;
    EXPECT_TRUE(OpenDib(r, path));
}

TEST(PictureWriter, SaveFilterListsTheFormatsInCodeOrder)
{
    const QStringList parts = GetDIBSaveFilter().split('|');
    ASSERT_EQ(parts.size(), 24);
    const char* patterns[] = {"*.BMP", "*.DIB", "*.GIF", "*.IFF", "*.JIF", "*.JPG",
                              "*.LBM", "*.PCX", "*.RLE", "*.TGA", "*.TIF", "*.PNG"};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(parts[2 * i + 1], patterns[i]);
        EXPECT_TRUE(parts[2 * i].startsWith(QString(patterns[i]).mid(2))) << parts[2 * i].toStdString();
    }
}
