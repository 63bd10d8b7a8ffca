#include "render/draw_dib.h"

#include "render_support.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::render;
using vellamo::testing::picture24;

namespace {

// Pixel (x, y) of the picture has the colour rgb(10 * x, 10 * y, 7).
QRgb numbered(int x, int y) { return qRgb(10 * x, 10 * y, 7); }

QImage drawn(const imaging::DibRecord& dib, int X, int Y, int DestW, int DestH, int SrcX, int SrcY, int SrcW,
             int SrcH, QSize size = QSize(40, 20))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DrawDib(p, X, Y, DestW, DestH, dib, SrcX, SrcY, SrcW, SrcH);
    return image;
}

}  // namespace

TEST(DrawDib, NearestNeighbourDropsColumnsAndRows)
{
    const imaging::DibRecord dib = picture24(4, 3, numbered);
    // Column i shows 4 * i / 10, row r shows 3 * r / 5.
    const QImage out = drawn(dib, 2, 1, 10, 5, 0, 0, 4, 3);
    for (int r = 0; r < 5; ++r)
        for (int i = 0; i < 10; ++i)
            ASSERT_EQ(out.pixel(2 + i, 1 + r), numbered(4 * i / 10, 3 * r / 5)) << i << "," << r;
    EXPECT_EQ(out.pixel(12, 1), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(2, 6), qRgb(255, 255, 255));

    // Shrinking keeps whole pixels as well: 4 -> 2 shows columns 0 and 2.
    const QImage small = drawn(dib, 0, 0, 2, 3, 0, 0, 4, 3);
    EXPECT_EQ(small.pixel(0, 0), numbered(0, 0));
    EXPECT_EQ(small.pixel(1, 0), numbered(2, 0));
}

TEST(DrawDib, PalettePicturesDrawTheirColours)
{
    QImage image(3, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgb(1, 2, 3), qRgb(200, 100, 50), qRgb(9, 8, 7)});
    for (int x = 0; x < 3; ++x)
        image.setPixel(x, 0, 2 - x);
    const imaging::DibRecord dib(image, 8);
    const QImage out = drawn(dib, 0, 0, 6, 2, 0, 0, 3, 1);
    EXPECT_EQ(out.pixel(0, 0), qRgb(9, 8, 7));
    EXPECT_EQ(out.pixel(3, 1), qRgb(200, 100, 50));
    EXPECT_EQ(out.pixel(5, 0), qRgb(1, 2, 3));
}

TEST(DrawDib, SourceBeyondThePictureShrinksTheDestination)
{
    const imaging::DibRecord dib = picture24(4, 4, numbered);
    // Columns 2..5 asked, 2..3 exist: 8 pixels become Round(8 * 2 / 4) = 4.
    QImage out = drawn(dib, 0, 0, 8, 4, 2, 0, 4, 4);
    EXPECT_EQ(out.pixel(0, 0), numbered(2, 0));
    EXPECT_EQ(out.pixel(3, 0), numbered(3, 0));
    EXPECT_EQ(out.pixel(4, 0), qRgb(255, 255, 255));

    // Columns -2..1: the first half is cut, and the destination moves right by what is lost.
    out = drawn(dib, 0, 0, 8, 4, -2, 0, 4, 4);
    EXPECT_EQ(out.pixel(3, 0), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(4, 0), numbered(0, 0));
    EXPECT_EQ(out.pixel(7, 0), numbered(1, 0));

    // SrcY counts from the bottom: rows 0..1 from the bottom are the picture's rows 2 and 3.
    out = drawn(dib, 0, 0, 4, 2, 0, 0, 4, 2);
    EXPECT_EQ(out.pixel(0, 0), numbered(0, 2));
    EXPECT_EQ(out.pixel(0, 1), numbered(0, 3));

    // Rows reaching above the top: the destination loses its top part.
    out = drawn(dib, 0, 0, 4, 8, 0, 2, 4, 4);
    EXPECT_EQ(out.pixel(0, 3), qRgb(255, 255, 255));
    EXPECT_EQ(out.pixel(0, 4), numbered(0, 0));
    EXPECT_EQ(out.pixel(0, 7), numbered(0, 1));

    // Nothing to draw.
    EXPECT_EQ(drawn(dib, 0, 0, 0, 4, 0, 0, 4, 4).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(drawn(dib, 0, 0, 4, 4, 5, 0, 4, 4).pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(drawn(imaging::DibRecord(), 0, 0, 4, 4, 0, 0, 4, 4).pixel(0, 0), qRgb(255, 255, 255));
}

TEST(DrawDib, AHugeDestinationDrawsItsVisiblePart)
{
    // Ten billion destination pixels, of which the surface shows 40 x 20.
    const imaging::DibRecord dib = picture24(2, 2, numbered);
    const QImage out = drawn(dib, -50000, -50000, 100000, 100000, 0, 0, 2, 2);
    EXPECT_EQ(out.pixel(0, 0), numbered(1, 1));
    EXPECT_EQ(out.pixel(39, 19), numbered(1, 1));

    QImage clipped(40, 20, QImage::Format_RGB32);
    clipped.fill(Qt::white);
    QPainter p(&clipped);
    p.setClipRect(10, 5, 5, 5);
    DrawDib(p, 0, 0, 40, 20, dib, 0, 0, 2, 2);
    p.end();
    EXPECT_EQ(clipped.pixel(9, 7), qRgb(255, 255, 255));
    EXPECT_EQ(clipped.pixel(12, 7), numbered(0, 0));
}

TEST(DrawDib, HalftoneOnlyForTheScreenDepthTheCallerGives)
{
    const imaging::DibRecord dib = picture24(8, 8, [](int, int) { return qRgb(100, 180, 30); });
    auto draw = [&](bool halftone, int depth) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        DrawDib(p, 0, 0, 8, 8, dib, 0, 0, 8, 8, halftone, depth);
        return image;
    };
    // The dithering palette is the 6 x 6 x 6 cube of levels 0, 51, ..., 255.
    auto onCube = [](QRgb c) { return qRed(c) % 51 == 0 && qGreen(c) % 51 == 0 && qBlue(c) % 51 == 0; };
    const QImage eightBit = draw(true, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_TRUE(onCube(eightBit.pixel(x, y))) << x << "," << y;
    EXPECT_EQ(draw(true, 24).pixel(3, 3), qRgb(100, 180, 30)) << "a true-colour screen needs no dithering";
    EXPECT_EQ(draw(false, 8).pixel(3, 3), qRgb(100, 180, 30)) << "not asked for";
}
