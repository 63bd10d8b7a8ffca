// Reading every type of the picture filter, from bytes laid out here or from files that
// netpbm's encoders wrote.

#include "imaging/picture_reader.h"

#include "netpbm.h"
#include "sample_pictures.h"
#include "support/bytes.h"

#include <gtest/gtest.h>

using namespace vellamo::imaging;
using namespace vellamo::testing;

namespace {

void u16le(Bytes& b, int v) { b.u8(v & 0xFF).u8((v >> 8) & 0xFF); }
void u16be(Bytes& b, int v) { b.u8((v >> 8) & 0xFF).u8(v & 0xFF); }
void u32be(Bytes& b, std::uint32_t v)
{
    u16be(b, int(v >> 16));
    u16be(b, int(v & 0xFFFF));
}

DibRecord read(const QByteArray& bytes)
{
    DibRecord r;
    readPicture(r, bytes);
    return r;
}

QRgb colourAt(const DibRecord& r, int x, int y) { return r.image().pixel(x, y); }

// A BITMAPINFOHEADER for a bottom-up picture.
Bytes infoHeader(int width, int height, int bits, int compression, int colours, int imageBytes)
{
    Bytes b;
    b.i32(40).i32(width).i32(height);
    u16le(b, 1);
    u16le(b, bits);
    b.i32(compression).i32(imageBytes).i32(3780).i32(3780).i32(colours).i32(0);
    return b;
}

void colourTable(Bytes& b, int count)
{
    for (int i = 0; i < count; ++i)
        b.u8(i * 10).u8(i * 20).u8(255 - i).u8(0);  // blue, green, red, reserved
}

QByteArray bitmapFile(const QByteArray& info, int tableBytes, const QByteArray& pixels)
{
    Bytes b;
    b.u8('B')
        .u8('M')
        .i32(14 + info.size() - tableBytes + tableBytes + pixels.size())
        .i32(0)
        .i32(14 + info.size());
    b.raw(info).raw(pixels);
    return b.data;
}

}  // namespace

TEST(PictureFormats, RunLengthBitmapsAndHeaderlessDibs)
{
    // RLE8, 6 x 2, bottom-up: row 1 (bottom) = a run of 3 x index 2, then absolute 4 5 6
    // (padded to a word); row 0 (top) = a run of 6 x index 7, end of bitmap.
    Bytes rle8;
    rle8.u8(3).u8(2).u8(0).u8(3).u8(4).u8(5).u8(6).u8(0).u8(0).u8(0).u8(6).u8(7).u8(0).u8(1);
    Bytes info = infoHeader(6, 2, 8, 1, 8, rle8.data.size());
    colourTable(info, 8);
    DibRecord r = read(bitmapFile(info.data, 32, rle8.data));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 8);
    EXPECT_EQ(getpixel(r, 0, 1), 2u);
    EXPECT_EQ(getpixel(r, 3, 1), 4u);
    EXPECT_EQ(getpixel(r, 5, 1), 6u);
    EXPECT_EQ(getpixel(r, 5, 0), 7u);
    EXPECT_EQ(r.colorTable()[2], qRgb(253, 40, 20));

    // RLE4, 4 x 1: a run of 4 alternating 1 and 9.
    Bytes rle4;
    rle4.u8(4).u8(0x19).u8(0).u8(1);
    Bytes info4 = infoHeader(4, 1, 4, 2, 16, rle4.data.size());
    colourTable(info4, 16);
    r = read(bitmapFile(info4.data, 64, rle4.data));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 4);
    EXPECT_EQ(getpixel(r, 0, 0), 1u);
    EXPECT_EQ(getpixel(r, 1, 0), 9u);
    EXPECT_EQ(getpixel(r, 3, 0), 9u);

    // Header-less: information header, table and rows of a 4-bit 3 x 2 picture, nothing else.
    Bytes dib = infoHeader(3, 2, 4, 0, 16, 8);
    colourTable(dib, 16);
    dib.u8(0x12).u8(0x30).u8(0).u8(0);  // bottom row 1 2 3
    dib.u8(0xFE).u8(0xD0).u8(0).u8(0);  // top row 15 14 13
    r = read(dib.data);
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 4);
    EXPECT_EQ(getpixel(r, 0, 0), 15u);
    EXPECT_EQ(getpixel(r, 2, 1), 3u);
    // A picture whose rows the file cannot hold.
    EXPECT_FALSE(read(dib.data.left(dib.data.size() - 1)).isLoaded());
}

TEST(PictureFormats, TargaLayouts)
{
    auto header = [](int mapType, int type, int mapLength, int mapBits, int w, int h, int bits,
                     int descriptor) {
        Bytes b;
        b.u8(0).u8(mapType).u8(type);
        u16le(b, 0);
        u16le(b, mapLength);
        b.u8(mapBits);
        u16le(b, 0);
        u16le(b, 0);
        u16le(b, w);
        u16le(b, h);
        b.u8(bits).u8(descriptor);
        return b;
    };
    // 24-bit, 2 x 2, bottom-up (the default): the first stored row is the bottom one.
    Bytes t = header(0, 2, 0, 0, 2, 2, 24, 0);
    t.u8(255).u8(0).u8(0).u8(0).u8(255).u8(0);  // bottom: blue, green
    t.u8(0).u8(0).u8(255).u8(9).u8(9).u8(9);    // top: red, grey
    DibRecord r = read(t.data);
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 24);
    EXPECT_EQ(colourAt(r, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(colourAt(r, 0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(colourAt(r, 1, 1), qRgb(0, 255, 0));

    // The same pixels stored top-down.
    Bytes top = header(0, 2, 0, 0, 2, 2, 24, 0x20);
    top.u8(0).u8(0).u8(255).u8(9).u8(9).u8(9);
    top.u8(255).u8(0).u8(0).u8(0).u8(255).u8(0);
    r = read(top.data);
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(colourAt(r, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(colourAt(r, 1, 1), qRgb(0, 255, 0));

    // Run-length 32-bit with alpha: one run packet of 3 pixels, then one raw pixel.
    Bytes rle = header(0, 10, 0, 0, 4, 1, 32, 0x28);
    rle.u8(0x82).u8(10).u8(20).u8(30).u8(128);
    rle.u8(0x00).u8(1).u8(2).u8(3).u8(255);
    r = read(rle.data);
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 32);
    EXPECT_EQ(qAlpha(r.image().pixel(2, 0)), 128);
    EXPECT_EQ(r.image().pixel(3, 0), qRgba(3, 2, 1, 255));

    // Colour-mapped with a 24-bit map of 3 entries.
    Bytes mapped = header(1, 1, 3, 24, 3, 1, 8, 0x20);
    mapped.u8(0).u8(0).u8(0).u8(0).u8(0).u8(200).u8(0).u8(200).u8(0);
    mapped.u8(2).u8(1).u8(0);
    r = read(mapped.data);
    ASSERT_TRUE(r.isLoaded());
    EXPECT_LE(r.bitsPerPixel(), 8);
    EXPECT_EQ(colourAt(r, 0, 0), qRgb(0, 200, 0));
    EXPECT_EQ(colourAt(r, 1, 0), qRgb(200, 0, 0));
    EXPECT_EQ(getpixel(r, 0, 0), 2u);

    // Netpbm's encoder, plain and (its default) run-length.
    const DibRecord pattern = colourPattern();
    for (const QStringList& options : {QStringList{"-rgb", "-norle"}, QStringList{"-rgb"}}) {
        const DibRecord fromNetpbm = read(encodeWithNetpbm("pamtotga", pattern.image(), options));
        EXPECT_EQ(largestDifference(fromNetpbm.image(), pattern.image()), 0)
            << options.join(' ').toStdString();
    }
    // Truncated pixels are refused.
    EXPECT_FALSE(read(t.data.left(t.data.size() - 2)).isLoaded());
}

TEST(PictureFormats, PcxFromNetpbm)
{
    struct Case {
        int bits;
        QStringList options;
        int expectedBits;
    };
    const Case cases[] = {{1, {}, 1}, {4, {}, 4}, {4, {"-packed"}, 4}, {8, {"-8bit"}, 8}};
    for (const Case& c : cases) {
        const DibRecord source = palettePicture(c.bits, 21, 6);
        const DibRecord r = read(encodeWithNetpbm("ppmtopcx", source.image(), c.options));
        ASSERT_TRUE(r.isLoaded()) << c.bits << " bits " << c.options.join(' ').toStdString();
        EXPECT_EQ(largestDifference(r.image(), source.image()), 0) << c.bits;
        EXPECT_EQ(r.bitsPerPixel(), c.expectedBits);
    }
    const DibRecord colour = colourPattern();
    const DibRecord r = read(encodeWithNetpbm("ppmtopcx", colour.image(), {"-24bit"}));
    EXPECT_EQ(r.bitsPerPixel(), 24);
    EXPECT_EQ(largestDifference(r.image(), colour.image()), 0);
}

TEST(PictureFormats, GifAndTiffKeepTheirPalettes)
{
    const DibRecord four = palettePicture(2, 13, 5);  // four colours
    DibRecord r = read(encodeWithNetpbm("pamtogif", four.image()));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(largestDifference(r.image(), four.image()), 0);
    EXPECT_EQ(r.bitsPerPixel(), 4);
    EXPECT_LE(r.colorTable().size(), 16);

    const DibRecord eight = palettePicture(8, 32, 8);
    r = read(encodeWithNetpbm("pnmtotiff", eight.image()));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(largestDifference(r.image(), eight.image()), 0);
    EXPECT_EQ(r.bitsPerPixel(), 8);

    const DibRecord colour = colourPattern();
    r = read(encodeWithNetpbm("pnmtotiff", colour.image(), {"-truecolor"}));
    EXPECT_EQ(r.bitsPerPixel(), 24);
    EXPECT_EQ(largestDifference(r.image(), colour.image()), 0);
}

TEST(PictureFormats, IlbmFromNetpbm)
{
    for (int bits : {1, 4, 8}) {
        const DibRecord source = palettePicture(bits, 21, 6);
        const DibRecord r = read(encodeWithNetpbm("ppmtoilbm", source.image(), {"-maxplanes", "8"}));
        ASSERT_TRUE(r.isLoaded()) << bits;
        EXPECT_EQ(largestDifference(r.image(), source.image()), 0) << bits;
        EXPECT_EQ(r.bitsPerPixel(), bits);
    }
    const DibRecord colour = colourPattern();
    DibRecord r = read(encodeWithNetpbm("ppmtoilbm", colour.image(), {"-24force"}));
    EXPECT_EQ(r.bitsPerPixel(), 24);
    EXPECT_EQ(largestDifference(r.image(), colour.image()), 0);

    // Hold-and-modify pictures decode as netpbm's own decoder sees them.
    for (const char* ham : {"-ham6", "-ham8"}) {
        const QByteArray file = encodeWithNetpbm("ppmtoilbm", colour.image(), {"-hamforce", ham});
        r = read(file);
        ASSERT_TRUE(r.isLoaded()) << ham;
        EXPECT_EQ(r.bitsPerPixel(), 24);
        EXPECT_EQ(largestDifference(r.image(), decodeWithNetpbm("ilbmtoppm", file)), 0) << ham;
    }
}

TEST(PictureFormats, IffLayouts)
{
    auto form = [](const char* type, const QByteArray& chunks) {
        Bytes b;
        b.raw("FORM");
        u32be(b, std::uint32_t(4 + chunks.size()));
        b.raw(type).raw(chunks);
        return b.data;
    };
    auto chunk = [](const char* id, const QByteArray& data) {
        Bytes b;
        b.raw(id);
        u32be(b, std::uint32_t(data.size()));
        b.raw(data);
        if (data.size() & 1)
            b.u8(0);
        return b.data;
    };
    auto bmhd = [](int w, int h, int planes, int masking, int compression) {
        Bytes b;
        u16be(b, w);
        u16be(b, h);
        b.i32(0).u8(planes).u8(masking).u8(compression).u8(0);
        u16be(b, 0);
        b.u8(1).u8(1);
        u16be(b, w);
        u16be(b, h);
        return b.data;
    };
    auto cmap = [](int n) {
        Bytes b;
        for (int i = 0; i < n; ++i)
            b.u8(i * 8).u8(255 - i * 8).u8(i * 4);
        return b.data;
    };

    // Chunky PBM, 3 x 2, ByteRun1: rows are padded to an even width.
    Bytes body;
    body.u8(3).u8(5).u8(6).u8(7).u8(0xAA);  // literal 5 6 7 + pad
    body.u8(0xFD).u8(9);                    // run of 4 x 9 (3 pixels + pad)
    DibRecord r = read(form("PBM ", chunk("BMHD", bmhd(3, 2, 8, 0, 1)) + chunk("CMAP", cmap(16)) +
                                        chunk("BODY", body.data)));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 8);
    EXPECT_EQ(getpixel(r, 2, 0), 7u);
    EXPECT_EQ(getpixel(r, 2, 1), 9u);
    EXPECT_EQ(r.colorTable()[9], qRgb(72, 183, 36));

    // Planar, 2 planes, uncompressed, with a mask plane that is skipped: 8 x 1.
    Bytes planar;
    planar.u8(0xF0).u8(0).u8(0xCC).u8(0).u8(0xFF).u8(0xFF);  // plane 0, plane 1, mask
    r = read(form("ILBM",
                  chunk("BMHD", bmhd(8, 1, 2, 1, 0)) + chunk("CMAP", cmap(4)) + chunk("BODY", planar.data)));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(r.bitsPerPixel(), 4);
    const std::uint32_t expected[8] = {3, 3, 1, 1, 2, 2, 0, 0};
    for (int x = 0; x < 8; ++x)
        EXPECT_EQ(getpixel(r, x, 0), expected[x]) << x;

    // Extra-half-brite: index 32 + i is colour i at half brightness.
    Bytes ehb;
    ehb.u8(0x80).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0).u8(0x80).u8(0);  // 6 planes: index 33
    Bytes camg;
    u32be(camg, 0x80);
    r = read(form("ILBM", chunk("BMHD", bmhd(1, 1, 6, 0, 0)) + chunk("CMAP", cmap(32)) +
                              chunk("CAMG", camg.data) + chunk("BODY", ehb.data)));
    ASSERT_TRUE(r.isLoaded());
    EXPECT_EQ(getpixel(r, 0, 0), 33u);
    EXPECT_EQ(r.colorTable()[33], qRgb(4, 123, 2));

    // A run that would cross the end of a row, and a body shorter than the picture.
    Bytes badRun;
    badRun.u8(0xFB).u8(1);  // 6 bytes for a 4-byte row
    EXPECT_FALSE(
        read(form("PBM ", chunk("BMHD", bmhd(4, 1, 8, 0, 1)) + chunk("BODY", badRun.data))).isLoaded());
    EXPECT_FALSE(
        read(form("ILBM", chunk("BMHD", bmhd(8, 2, 2, 0, 0)) + chunk("BODY", planar.data))).isLoaded());
}
