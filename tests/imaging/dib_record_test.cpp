#include "imaging/dib_record.h"

#include <gtest/gtest.h>

using namespace vellamo::imaging;

TEST(DibRecord, NewPicturesOfEachDepth)
{
    const QRgb table[3] = {qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)};
    for (int bits : {1, 4, 8}) {
        DibRecord r;
        ASSERT_TRUE(newdib(r, 5, 3, bits, table, 3)) << bits;
        EXPECT_EQ(r.bitsPerPixel(), bits);
        EXPECT_EQ(r.colorTable().size(), colorTableSize(bits));
        EXPECT_EQ(r.colorTable()[1], table[1]);
        EXPECT_EQ(r.colorTable().back(), bits == 1 ? table[1] : qRgb(0, 0, 0));
        EXPECT_EQ(getpixel(r, 4, 2), 0u);
    }
    DibRecord rgb;
    ASSERT_TRUE(newdib(rgb, 2, 2, 24, nullptr, 0));
    EXPECT_TRUE(rgb.colorTable().isEmpty());
    EXPECT_EQ(colorTableSize(24), 0);
}

TEST(DibRecord, UnusableGeometryIsRefused)
{
    DibRecord r;
    EXPECT_FALSE(newdib(r, 0, 5, 24, nullptr, 0));
    EXPECT_FALSE(newdib(r, 5, -1, 8, nullptr, 0));
    EXPECT_FALSE(newdib(r, 5, 5, 16, nullptr, 0));
    EXPECT_FALSE(newdib(r, 1 << 20, 1 << 20, 24, nullptr, 0));
    EXPECT_FALSE(r.isLoaded());
    deldib(r);  // harmless on a record that is not loaded
    EXPECT_FALSE(r.isLoaded());
}

TEST(DibRecord, PixelValuesReproduceAtTheSameDepth)
{
    DibRecord palette;
    ASSERT_TRUE(newdib(palette, 3, 3, 8, nullptr, 0));
    setpixel(palette, 1, 2, 200);
    EXPECT_EQ(getpixel(palette, 1, 2), 200u);

    DibRecord rgb;
    ASSERT_TRUE(newdib(rgb, 3, 3, 24, nullptr, 0));
    setpixel(rgb, 2, 0, 0x00332211);  // Windows colour: blue 33, green 22, red 11
    EXPECT_EQ(getpixel(rgb, 2, 0), 0x00332211u);
    EXPECT_EQ(rgb.image().pixel(2, 0), qRgb(0x11, 0x22, 0x33));

    DibRecord alpha;
    ASSERT_TRUE(newdib(alpha, 1, 1, 32, nullptr, 0));
    setpixel(alpha, 0, 0, 0x00AABBCC);
    EXPECT_EQ(getpixel(alpha, 0, 0), 0x00AABBCCu) << "opaque pixels compare like colours";
    setpixel(alpha, 0, 0, 0xFF010203);
    EXPECT_EQ(qAlpha(alpha.image().pixel(0, 0)), 0);
    EXPECT_EQ(getpixel(alpha, 0, 0), 0xFF010203u);

    // Outside the picture: nothing read, nothing written.
    EXPECT_EQ(getpixel(rgb, -1, 0), 0u);
    EXPECT_EQ(getpixel(rgb, 3, 0), 0u);
    setpixel(rgb, 0, 3, 0xFFFFFF);
}

TEST(DibRecord, CopiesShareUntilWritten)
{
    DibRecord a;
    ASSERT_TRUE(newdib(a, 2, 2, 24, nullptr, 0));
    DibRecord b = a;
    setpixel(b, 0, 0, 0xFFFFFF);
    EXPECT_EQ(getpixel(a, 0, 0), 0u);
    deldib(a);
    EXPECT_TRUE(b.isLoaded());
}

TEST(DibRecord, AdoptedImagesTakeTheRepresentation)
{
    QImage mono(4, 4, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    DibRecord r(mono, 1);
    EXPECT_EQ(r.image().format(), QImage::Format_Indexed8);
    EXPECT_EQ(r.bitsPerPixel(), 1);
    EXPECT_EQ(getpixel(r, 3, 3), 1u);

    QImage many(2, 1, QImage::Format_Indexed8);
    many.setColorTable(QList<QRgb>(40, qRgb(9, 9, 9)));
    DibRecord r4(many, 4);
    EXPECT_EQ(r4.bitsPerPixel(), 8) << "a table beyond 16 entries cannot be 4-bit";

    QImage argb(1, 1, QImage::Format_ARGB32);
    argb.fill(qRgba(1, 2, 3, 4));
    EXPECT_EQ(DibRecord(argb, 32).bitsPerPixel(), 32);
    EXPECT_EQ(DibRecord(argb, 24).image().format(), QImage::Format_RGB32);
}
