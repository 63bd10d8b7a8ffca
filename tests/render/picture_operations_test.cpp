#include "render/picture_operations.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellamo::render;
using namespace vellamo::imaging;

namespace {

// Pixel (x, y) holds the value 10 * y + x, in a palette or as a colour.
DibRecord numbered(int w, int h, int bits)
{
    DibRecord r;
    const QRgb table[2] = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    EXPECT_TRUE(newdib(r, w, h, bits, bits == 1 ? table : nullptr, bits == 1 ? 2 : 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            setpixel(r, x, y, bits == 1 ? (x + y) % 2 : 10 * y + x);
    return r;
}

}  // namespace

TEST(Turning, QuarterTurnsMoveEveryPixel)
{
    for (int bits : {8, 24}) {
        DibRecord left = numbered(3, 2, bits);
        RotLeft(left);
        ASSERT_EQ(left.width(), 2);
        ASSERT_EQ(left.height(), 3);
        EXPECT_EQ(left.bitsPerPixel(), bits);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(getpixel(left, y, 3 - 1 - x), 10u * y + x) << bits;
        EXPECT_EQ(getpixel(left, 0, 2), 0u) << "the top-left pixel ends bottom-left";

        DibRecord right = numbered(3, 2, bits);
        RotRight(right);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(getpixel(right, 2 - 1 - y, x), 10u * y + x);

        DibRecord half = numbered(3, 2, bits);
        Rot180(half);
        EXPECT_EQ(half.width(), 3);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(getpixel(half, 2 - x, 1 - y), 10u * y + x);
    }
}

TEST(Turning, FourRightTurnsGiveBackThePicture)
{
    const DibRecord start = numbered(7, 4, 24);
    DibRecord r = start;
    for (int i = 0; i < 4; ++i)
        RotRight(r);
    EXPECT_EQ(r.image(), start.image());
}

TEST(Turning, KeepsTheColourTable)
{
    DibRecord mono = numbered(5, 3, 1);
    const auto table = mono.colorTable();
    Rot180(mono);
    EXPECT_EQ(mono.bitsPerPixel(), 1);
    EXPECT_EQ(mono.colorTable(), table);
    ASSERT_EQ(mono.colorTable().size(), 2);
}

TEST(Turning, ReportsRowProgress)
{
    std::vector<int> seen;
    DibRecord r = numbered(2, 5, 8);
    RotLeft(r, [&](int p) { seen.push_back(p); });
    EXPECT_EQ(seen, (std::vector<int>{0, 0, 25, 50, 75, 100, 0}));

    seen.clear();
    DibRecord row = numbered(4, 1, 8);
    RotRight(row, [&](int p) { seen.push_back(p); });
    EXPECT_EQ(seen, (std::vector<int>{0, 0})) << "one row: no per-row progress";
    EXPECT_EQ(row.height(), 4);

    DibRecord none;
    RotLeft(none);
    EXPECT_FALSE(none.isLoaded());
}

TEST(LoadDIBit, ResolvesBareNamesInTheProgramFolder)
{
    QTemporaryDir program;
    QTemporaryDir other;
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(program.filePath("logo.png")));
    ASSERT_TRUE(image.scaled(8, 8).save(other.filePath("logo.png")));

    EXPECT_EQ(resolvePicturePath("logo.jpg", "/home/x/"), "/home/x/logo.jpg");
    EXPECT_EQ(resolvePicturePath("logo.jpg", "/home/x"), "/home/x/logo.jpg");
    EXPECT_EQ(resolvePicturePath("D:\\pics\\logo.jpg", "/home/x/"), "D:\\pics\\logo.jpg");
    EXPECT_EQ(resolvePicturePath("/srv/logo.jpg", "/home/x/"), "/srv/logo.jpg");

    DibRecord target;
    ASSERT_TRUE(LoadDIBit(target, "logo.png", program.path() + "/"));
    EXPECT_EQ(target.width(), 4);
    ASSERT_TRUE(LoadDIBit(target, other.filePath("logo.png"), program.path() + "/"));
    EXPECT_EQ(target.width(), 8);
    // A failure leaves the target as it was.
    EXPECT_FALSE(LoadDIBit(target, "missing.png", program.path() + "/"));
    EXPECT_EQ(target.width(), 8);
}

TEST(PictureFileFilter, AllPicturesIsEveryTypeOfTheList)
{
    // Pairs of text and patterns: "All pictures", the twelve types, "All files (*.*)".
    const QStringList parts = PictureFileFilter.split('|');
    ASSERT_EQ(parts.size(), 28);
    EXPECT_EQ(parts[0], "All pictures");
    EXPECT_EQ(parts[26], "All files (*.*)");
    EXPECT_EQ(parts[27], "*.*");
    const QStringList types{"BMP", "DIB", "GIF", "IFF", "JIF", "JPG",
                            "LBM", "PCX", "RLE", "TGA", "TIF", "PNG"};
    QStringList each;
    for (int k = 0; k < types.size(); ++k) {
        const QString& text = parts[2 + 2 * k];
        const QString& patterns = parts[3 + 2 * k];
        // Each entry reads "XYZ - description" and offers exactly its own extension.
        EXPECT_TRUE(text.startsWith(types[k] + " - ")) << text.toStdString();
        EXPECT_EQ(patterns, "*." + types[k]);
        each.append(patterns);
    }
    EXPECT_EQ(parts[1], each.join(';')) << "the first entry offers all twelve, in the list's order";
    EXPECT_EQ(parts[2], "BMP - Windows, OS/2 Bitmap");
    EXPECT_EQ(parts[10], "JIF - JPEG - JFIF Compilant") << "the texts as the user knows them";
}
