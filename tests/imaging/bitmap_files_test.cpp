// Bitmap files built byte by byte from the BMP layout: a 14-byte file header ("BM", file size,
// 0, pixel offset), a 40-byte information header (40, width, height, 1 plane, bits,
// compression, image size, 2 resolutions, colours used, colours important), the colour table
// as blue, green, red, 0, then the pixels.

#include "imaging/picture_reader.h"

#include "support/bytes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace vellamo::imaging;
using vellamo::testing::Bytes;

namespace {

QByteArray infoHeader(int width, int height, int bits, int compression, const QList<QRgb>& table,
                      const QByteArray& pixels)
{
    Bytes b;
    b.i32(40).i32(width).i32(height);
    b.u8(1).u8(0).u8(bits).u8(0);
    b.i32(compression).i32(int(pixels.size())).i32(2835).i32(2835).i32(int(table.size())).i32(0);
    for (QRgb c : table)
        b.u8(qBlue(c)).u8(qGreen(c)).u8(qRed(c)).u8(0);
    b.raw(pixels);
    return b.data;
}

QByteArray bitmapFile(int width, int height, int bits, int compression, const QList<QRgb>& table,
                      const QByteArray& pixels)
{
    const QByteArray dib = infoHeader(width, height, bits, compression, table, pixels);
    Bytes b;
    b.u8('B').u8('M').i32(int(14 + dib.size())).i32(0).i32(int(14 + 40 + 4 * table.size()));
    b.raw(dib);
    return b.data;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Grey = qRgb(10, 20, 30);

// Leaves freed heap memory of about `size` bytes filled with `value`, where the next picture
// of that size is likely to be put.
void dirtyTheHeap(std::size_t size, int value)
{
    void* p = std::malloc(size);
    std::memset(p, value, size);
    std::free(p);
}

}  // namespace

TEST(BitmapFiles, TopDownRowsComeInTheirOrder)
{
    // 24 bits, 3 x 2, top row first: 9 bytes of pixels padded to 12 per row.
    const QByteArray rows = bytes({0,   0,   255, 0, 255, 0, 255, 0,  0,  0, 0, 0,    // red, green, blue
                                   255, 255, 255, 0, 0,   0, 30,  20, 10, 0, 0, 0});  // white, black, grey
    for (const QByteArray& file : {bitmapFile(3, -2, 24, 0, {}, rows), infoHeader(3, -2, 24, 0, {}, rows)}) {
        DibRecord r;
        ASSERT_TRUE(readPicture(r, file));
        ASSERT_EQ(r.image().size(), QSize(3, 2));
        EXPECT_EQ(r.bitsPerPixel(), 24);
        EXPECT_EQ(r.image().pixel(0, 0), Red);
        EXPECT_EQ(r.image().pixel(1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(r.image().pixel(2, 0), Blue);
        EXPECT_EQ(r.image().pixel(0, 1), White);
        EXPECT_EQ(r.image().pixel(2, 1), Grey);
    }
    // 8 bits with a colour table: indices 1, 2 on top, 0, 3 below, rows padded to 4 bytes.
    const QList<QRgb> table = {White, Red, Blue, Grey};
    const QByteArray indices = bytes({1, 2, 0, 0, 0, 3, 0, 0});
    for (const QByteArray& file :
         {bitmapFile(2, -2, 8, 0, table, indices), infoHeader(2, -2, 8, 0, table, indices)}) {
        DibRecord r;
        ASSERT_TRUE(readPicture(r, file));
        EXPECT_EQ(r.bitsPerPixel(), 8);
        EXPECT_EQ(r.image().pixelIndex(0, 0), 1);
        EXPECT_EQ(r.image().pixelIndex(1, 0), 2);
        EXPECT_EQ(r.image().pixelIndex(1, 1), 3);
        EXPECT_EQ(r.image().pixel(1, 1), Grey);
    }
    // The same rows stored bottom-up give the same picture.
    DibRecord up, down;
    ASSERT_TRUE(readPicture(up, bitmapFile(2, 2, 8, 0, table, bytes({0, 3, 0, 0, 1, 2, 0, 0}))));
    ASSERT_TRUE(readPicture(down, bitmapFile(2, -2, 8, 0, table, indices)));
    EXPECT_EQ(up.image(), down.image());
}

TEST(BitmapFiles, RunLengthPixelsTheRunsSkipAreIndexZero)
{
    const QList<QRgb> table = {White, Red, Blue, Grey};
    // RLE8, 200 x 3, bottom-up: the bottom row is index 1 throughout (a run of 200), the middle
    // row has two pixels of index 2 before its end of line, then the end of bitmap.
    const QByteArray rle8 = bytes({200, 1, 0, 0, 2, 2, 0, 0, 0, 1});
    QImage first;
    for (int fill : {0x55, 0xAA}) {
        dirtyTheHeap(200 * 3, fill);
        DibRecord r;
        ASSERT_TRUE(readPicture(r, bitmapFile(200, 3, 8, 1, table, rle8)));
        EXPECT_EQ(r.bitsPerPixel(), 8);
        const QImage& image = r.image();
        for (int x = 0; x < 200; ++x) {
            EXPECT_EQ(image.pixelIndex(x, 0), 0) << "top row, never reached: x " << x;
            EXPECT_EQ(image.pixelIndex(x, 1), x < 2 ? 2 : 0) << "middle row, x " << x;
            EXPECT_EQ(image.pixelIndex(x, 2), 1) << "bottom row, x " << x;
        }
        if (first.isNull())
            first = image;
        EXPECT_EQ(image, first) << "the same picture whatever the heap held";
    }
    // A jump (0, 2, dx, dy) from the bottom-left corner: right 1 and up 1, then one pixel.
    DibRecord jumped;
    ASSERT_TRUE(readPicture(jumped, bitmapFile(3, 3, 8, 1, table, bytes({0, 2, 1, 1, 1, 3, 0, 1}))));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(jumped.image().pixelIndex(x, y), x == 1 && y == 1 ? 3 : 0) << x << ", " << y;

    // RLE4, 5 x 2: a run of 5 alternating nibbles 1, 2 at the bottom; on top an absolute block
    // of 3 nibbles (3, 4, 5 in two bytes, already 16-bit aligned) and two unreached pixels.
    DibRecord four;
    ASSERT_TRUE(
        readPicture(four, bitmapFile(5, 2, 4, 2, table, bytes({5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1}))));
    EXPECT_EQ(four.bitsPerPixel(), 4);
    const int top[] = {3, 4, 5, 0, 0};
    const int bottom[] = {1, 2, 1, 2, 1};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(four.image().pixelIndex(x, 0), top[x]) << x;
        EXPECT_EQ(four.image().pixelIndex(x, 1), bottom[x]) << x;
    }
    // An absolute block of odd length is padded to 16 bits before the next code.
    DibRecord padded;
    ASSERT_TRUE(readPicture(padded, bitmapFile(4, 1, 8, 1, table, bytes({0, 3, 1, 2, 3, 0, 1, 2, 0, 1}))));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(padded.image().pixelIndex(x, 0), x == 0 ? 1 : x == 1 ? 2 : x == 2 ? 3 : 2) << x;
}

TEST(BitmapFiles, RunLengthDataCutShortIsRefused)
{
    const QList<QRgb> table = {White, Red};
    const QByteArray whole = bytes({4, 1, 0, 0, 4, 1, 0, 1});
    DibRecord r;
    ASSERT_TRUE(readPicture(r, bitmapFile(4, 2, 8, 1, table, whole)));
    for (qsizetype n = 0; n < whole.size(); ++n)
        EXPECT_FALSE(readPicture(r, bitmapFile(4, 2, 8, 1, table, whole.left(n)))) << "cut to " << n;
    // An absolute block running past the data.
    EXPECT_FALSE(readPicture(r, bitmapFile(4, 2, 8, 1, table, bytes({0, 4, 1, 1}))));
}
