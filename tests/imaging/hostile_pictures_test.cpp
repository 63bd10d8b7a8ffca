// Damaged and hostile files of every readable type: cut short, bits flipped, sizes that no
// file could hold. None may crash or read past its data, and cut files are refused.

#include "imaging/picture_reader.h"
#include "imaging/picture_writer.h"

#include "netpbm.h"
#include "sample_pictures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

using namespace vellamo::imaging;
using namespace vellamo::testing;

namespace {

struct Sample {
    QString name;
    QByteArray bytes;
};

QByteArray saved(const DibRecord& picture, int code)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("p");
    if (!SaveDib(picture, path, code))
        return {};
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray headerless(const QByteArray& bmp) { return bmp.mid(14); }

std::vector<Sample> samples()
{
    const DibRecord colour = colourPattern(24, 16);
    const DibRecord palette = palettePicture(8, 24, 16);
    const DibRecord four = palettePicture(4, 24, 16);
    std::vector<Sample> all = {
        {"bmp", saved(colour, FormatBmp)},
        {"bmp 4-bit", saved(four, FormatBmp)},
        {"dib without file header", headerless(saved(palette, FormatBmp))},
        {"rle8", saved(palette, FormatRle)},
        {"gif", saved(palette, FormatGif)},
        {"ilbm", saved(four, FormatIff)},
        {"pbm", saved(palette, FormatLbm)},
        {"jpeg", saved(colour, FormatJpg)},
        {"pcx 24-bit", saved(colour, FormatPcx)},
        {"pcx 8-bit", saved(palette, FormatPcx)},
        {"pcx 4-bit", saved(four, FormatPcx)},
        {"tga", saved(colour, FormatTga)},
        {"tga mapped", saved(palette, FormatTga)},
        {"tga rle", encodeWithNetpbm("pamtotga", colour.image(), {"-rgb"})},
        {"tiff", saved(colour, FormatTif)},
        {"tiff palette", saved(four, FormatTif)},
        {"png", saved(palette, FormatPng)},
        {"ham6", encodeWithNetpbm("ppmtoilbm", colour.image(), {"-hamforce", "-ham6"})},
    };
    return all;
}

bool loads(const QByteArray& bytes)
{
    DibRecord r;
    const bool loaded = readPicture(r, bytes);
    EXPECT_EQ(loaded, r.isLoaded());
    if (loaded) {
        EXPECT_LE(qint64(r.width()) * r.height(), MaxPicturePixels);
    }
    return loaded;
}

}  // namespace

TEST(HostilePictures, EverySampleLoadsWhole)
{
    for (const Sample& s : samples()) {
        ASSERT_FALSE(s.bytes.isEmpty()) << s.name.toStdString();
        EXPECT_TRUE(loads(s.bytes)) << s.name.toStdString();
    }
}

TEST(HostilePictures, FilesCutShortAreRefused)
{
    for (const Sample& s : samples()) {
        DibRecord whole;
        ASSERT_TRUE(readPicture(whole, s.bytes));
        const qsizetype size = s.bytes.size();
        std::vector<qsizetype> lengths;
        for (qsizetype n = 0; n < std::min<qsizetype>(size, 80); ++n)
            lengths.push_back(n);
        for (int k = 1; k < 32; ++k)
            lengths.push_back(size * k / 32);
        lengths.push_back(size - 1);
        for (qsizetype n : lengths) {
            // Losing only what follows the pixels (a trailer, an end marker, a text tag) may
            // still give the whole picture; anything else is refused, never half a picture.
            DibRecord cut;
            if (readPicture(cut, s.bytes.left(n))) {
                EXPECT_EQ(cut.image(), whole.image())
                    << s.name.toStdString() << " cut to " << n << " of " << size;
                EXPECT_EQ(cut.bitsPerPixel(), whole.bitsPerPixel());
            }
        }
        EXPECT_FALSE(loads(s.bytes.left(size / 2))) << s.name.toStdString();
    }
}

TEST(HostilePictures, FlippedBitsNeverCrash)
{
    std::mt19937 random(20240607);
    for (const Sample& s : samples()) {
        for (int round = 0; round < 400; ++round) {
            QByteArray damaged = s.bytes;
            // Mostly the headers, where sizes and counts live, sometimes anywhere.
            const qsizetype span = round % 3 == 0 ? damaged.size() : std::min<qsizetype>(damaged.size(), 140);
            const int flips = 1 + int(random() % 4);
            for (int i = 0; i < flips; ++i) {
                const qsizetype at = qsizetype(random() % std::uint32_t(span));
                damaged[at] = char(damaged[at] ^ (1 << (random() % 8)));
            }
            loads(damaged);
        }
    }
}

TEST(HostilePictures, SizesBeyondTheFileAreRefused)
{
    auto withBytes = [](QByteArray bytes, qsizetype at, std::initializer_list<int> values) {
        for (int v : values)
            bytes[at++] = char(v);
        return bytes;
    };
    const std::vector<Sample> all = samples();
    auto sample = [&](const char* name) {
        for (const Sample& s : all)
            if (s.name == name)
                return s.bytes;
        return QByteArray();
    };
    // Width and height fields set to the largest values each header can hold.
    EXPECT_FALSE(loads(withBytes(sample("bmp"), 18, {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00})));
    EXPECT_FALSE(loads(withBytes(sample("rle8"), 18, {0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00})));
    EXPECT_FALSE(loads(withBytes(sample("dib without file header"), 4, {0x00, 0x40, 0x00, 0x00})));
    EXPECT_FALSE(loads(withBytes(sample("gif"), 6, {0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("pcx 8-bit"), 8, {0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("pcx 24-bit"), 66, {0xFE, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("tga"), 12, {0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("tga rle"), 12, {0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("ilbm"), 20, {0xFF, 0xFF, 0xFF, 0xFF})));
    EXPECT_FALSE(loads(withBytes(sample("pbm"), 20, {0xFF, 0xFF, 0xFF, 0xFF})));
    // A colour table longer than the file, and one longer than the depth allows.
    EXPECT_FALSE(loads(withBytes(sample("bmp 4-bit"), 46, {0x00, 0x01, 0x00, 0x00})));
    EXPECT_FALSE(loads(withBytes(sample("bmp 4-bit"), 46, {0x00, 0x00, 0x01, 0x00})));
}

TEST(HostilePictures, DecodedPicturesStayWithinTheirBound)
{
    // Every sample is 24 x 16 pixels; one pixel's bytes less than it needs refuses it, except a
    // JPEG, which is read at half the size instead.
    const qint64 whole = 4 * 24 * 16;
    for (const Sample& sample : samples()) {
        SCOPED_TRACE(sample.name.toStdString());
        DibRecord r;
        ASSERT_TRUE(readPicture(r, sample.bytes, {}, whole));
        EXPECT_EQ(r.image().size(), QSize(24, 16));
        const bool read = readPicture(r, sample.bytes, {}, whole - 4);
        EXPECT_EQ(read, sample.name == "jpeg");
        if (read) {
            EXPECT_EQ(r.image().size(), QSize(12, 8));
        }
    }
}
