#include "imaging/halftone.h"

#include "sample_pictures.h"

#include <gtest/gtest.h>

using namespace vellamo::imaging;
using namespace vellamo::testing;

namespace {

// The mean colour of a picture, to compare a dithered copy with its source.
QRgb meanColour(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            r += qRed(c), g += qGreen(c), b += qBlue(c);
        }
    const double n = double(rgb.width()) * rgb.height();
    return qRgb(int(r / n + 0.5), int(g / n + 0.5), int(b / n + 0.5));
}

DibRecord flat(QRgb colour, int width = 32, int height = 32)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return DibRecord(image, 24);
}

}  // namespace

TEST(Halftone, DitheredCopyHasItsOwnPaletteAndKeepsTheTone)
{
    DibRecord out;
    ASSERT_TRUE(DIBHalftoneDIB(out, flat(qRgb(100, 180, 30))));
    EXPECT_EQ(out.bitsPerPixel(), 8);
    EXPECT_EQ(out.colorTable().size(), 256);
    EXPECT_EQ(out.colorTable()[215], qRgb(255, 255, 255));
    const QRgb mean = meanColour(out.image());
    // A flat colour between two cube levels becomes a pattern of both whose mean is that colour.
    EXPECT_NEAR(qRed(mean), 100, 3);
    EXPECT_NEAR(qGreen(mean), 180, 3);
    EXPECT_NEAR(qBlue(mean), 30, 3);
    // Cube colours stay exact.
    ASSERT_TRUE(DIBHalftoneDIB(out, flat(qRgb(51, 204, 255), 8, 8)));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(getpixel(out, x, y), 1u * 36 + 4 * 6 + 5);

    // Palette pictures of any depth and the record itself as the target.
    DibRecord same = palettePicture(1, 16, 16);
    const QRgb sourceMean = meanColour(same.image());
    ASSERT_TRUE(DIBHalftoneDIB(same, same));
    EXPECT_EQ(same.bitsPerPixel(), 8);
    EXPECT_NEAR(qGreen(meanColour(same.image())), qGreen(sourceMean), 3);

    EXPECT_FALSE(DIBHalftoneDIB(out, DibRecord()));
    EXPECT_FALSE(out.isLoaded());
}

TEST(Halftone, ScaledCopy)
{
    DibRecord out;
    const DibRecord source = colourPattern(200, 100);
    ASSERT_TRUE(DIBHalftoneDIBXY(out, source, 50, 20));
    EXPECT_EQ(out.width(), 50);
    EXPECT_EQ(out.height(), 20);
    EXPECT_EQ(out.bitsPerPixel(), 8);
    ASSERT_TRUE(DIBHalftoneDIBXY(out, palettePicture(4, 10, 10), 30, 30));
    EXPECT_EQ(out.width(), 30);
    EXPECT_FALSE(DIBHalftoneDIBXY(out, source, 0, 10));
    EXPECT_FALSE(DIBHalftoneDIBXY(out, source, 1 << 20, 1 << 20));
    EXPECT_FALSE(out.isLoaded());
}
