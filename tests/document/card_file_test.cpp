#include "document/card_file.h"

#include "document/units.h"
#include "support/bytes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace vellamo::document;
using vellamo::testing::Bytes;
using vellamo::testing::cardSignature;
using vellamo::testing::doubleAt;
using vellamo::testing::formatRecord;
using vellamo::testing::int32At;

namespace {

QByteArray defaultHeader(const std::string& background = "", int mode = -1)
{
    Bytes b;
    b.raw(cardSignature()).raw(formatRecord(0, 0, 90, 55, 90, 55, 2, 5, "None Business Cardstype"));
    b.i32(212598).i32(129921).i32(mode).zstr(background).f64(1.0).f64(208.0);
    return b.data;
}

// One entry in file order, every field given a distinct value.
QByteArray entry(int slot, int kind, const std::string& text, const std::string& font)
{
    Bytes b;
    b.i32(slot).i32(-100).i32(200).i32(300).i32(400).u8(1).i32(kind).i32(0x00112233).i32(5).i32(2);
    b.i32(0x00445566).i32(2).u8(1).u8(0).i32(7).i32(-3).u8(1).u8(1).i32(9).i32(1);
    b.zstr(text).i32(0x00778899).i32(-16).zstr(font).u8(2).i32(12).u8(0x0B);
    return b.data;
}

Tobs entryObject(int kind, const std::string& text, const std::string& font)
{
    Tobs o;
    o.Left = -100;
    o.Top = 200;
    o.Width = 300;
    o.Height = 400;
    o.KeepAspect = true;
    o.Kind = kind;
    o.Color = 0x00112233;
    o.ShapeKind = 5;
    o.TextAlign = 2;
    o.BorderColor = 0x00445566;
    o.FillMode = 2;
    o.Shadow = true;
    o.Outline = false;
    o.ShadowDX = 7;
    o.ShadowDY = -3;
    o.Transparent = true;
    o.AutoTransparent = true;
    o.LineWidth = 9;
    o.Rotation = 1;
    o.Text = text;
    o.FontColor = 0x00778899;
    o.FontHeight = -16;
    o.FontName = font;
    o.FontPitch = 2;
    o.FontSize = 12;
    o.FontStyle = 0x0B;
    return o;
}

void expectSameFields(const Tobs& a, const Tobs& b)
{
    EXPECT_EQ(a.Left, b.Left);
    EXPECT_EQ(a.Top, b.Top);
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.KeepAspect, b.KeepAspect);
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.Color, b.Color);
    EXPECT_EQ(a.ShapeKind, b.ShapeKind);
    EXPECT_EQ(a.TextAlign, b.TextAlign);
    EXPECT_EQ(a.BorderColor, b.BorderColor);
    EXPECT_EQ(a.FillMode, b.FillMode);
    EXPECT_EQ(a.Shadow, b.Shadow);
    EXPECT_EQ(a.Outline, b.Outline);
    EXPECT_EQ(a.ShadowDX, b.ShadowDX);
    EXPECT_EQ(a.ShadowDY, b.ShadowDY);
    EXPECT_EQ(a.Transparent, b.Transparent);
    EXPECT_EQ(a.AutoTransparent, b.AutoTransparent);
    EXPECT_EQ(a.LineWidth, b.LineWidth);
    EXPECT_EQ(a.Rotation, b.Rotation);
    EXPECT_EQ(a.Text, b.Text);
    EXPECT_EQ(a.FontColor, b.FontColor);
    EXPECT_EQ(a.FontHeight, b.FontHeight);
    EXPECT_EQ(a.FontName, b.FontName);
    EXPECT_EQ(a.FontPitch, b.FontPitch);
    EXPECT_EQ(a.FontSize, b.FontSize);
    EXPECT_EQ(a.FontStyle, b.FontStyle);
}

}  // namespace

TEST(CardFile, EmptyCardIsHeaderAndTerminator)
{
    CardDocument doc;
    const QByteArray bytes = cardToBytes(doc);
    ASSERT_EQ(bytes.size(), 180);
    EXPECT_EQ(bytes, Bytes().raw(defaultHeader()).i32(10001).data);
    EXPECT_EQ(bytes.mid(159, 1), QByteArray(1, '\0'));  // empty background path
    EXPECT_EQ(doubleAt(bytes, 160), 1.0);               // ZoomNum right behind it
    EXPECT_EQ(doubleAt(bytes, 168), 208.0);
    EXPECT_EQ(int32At(bytes, 176), 10001);
}

TEST(CardFile, EntriesAreWrittenInFileOrderForEveryKind)
{
    CardDocument doc;
    doc.BackgroundMode = CenterZoomedIn;
    doc.BackgroundFile = "back.jpg";
    const std::string lines = "First line\rSecond line";
    for (int kind : {1, 2, 3})
        doc.object(kind * 3) = entryObject(kind, kind == 2 ? lines : "pic.bmp", "Arial");
    doc.object(10000) = entryObject(2, "top", "Times New Roman");
    doc.object(20).Kind = 0;  // free slots are left out

    const QByteArray expected = Bytes()
                                    .raw(defaultHeader("back.jpg", 2))
                                    .raw(entry(3, 1, "pic.bmp", "Arial"))
                                    .raw(entry(6, 2, lines, "Arial"))
                                    .raw(entry(9, 3, "pic.bmp", "Arial"))
                                    .raw(entry(10000, 2, "top", "Times New Roman"))
                                    .i32(10001)
                                    .data;
    EXPECT_EQ(cardToBytes(doc), expected);
    EXPECT_EQ(entry(1, 1, "", "").size(), 81);  // 81 + t + f bytes
}

TEST(CardFile, EveryFieldOfEveryKindRoundTrips)
{
    const QByteArray file = Bytes()
                                .raw(defaultHeader("C:\\pics\\back.jpg", 3))
                                .raw(entry(1, 1, "", ""))
                                .raw(entry(2, 2, "caf\xE9\r\x80 5", "Arial"))
                                .raw(entry(9999, 3, "logo.png", ""))
                                .i32(10001)
                                .data;
    CardDocument doc;
    const auto result = readCardBytes(file, doc);
    EXPECT_TRUE(result.signatureMatched);
    EXPECT_TRUE(result.complete);
    expectSameFields(doc.object(1), entryObject(1, "", ""));
    expectSameFields(doc.object(2), entryObject(2, "caf\xE9\r\x80 5", "Arial"));
    expectSameFields(doc.object(9999), entryObject(3, "logo.png", ""));
    EXPECT_EQ(doc.BackgroundMode, 3);
    EXPECT_EQ(doc.BackgroundFile, "C:\\pics\\back.jpg");
    EXPECT_EQ(cardToBytes(doc), file);
}

TEST(CardFile, SignatureMustMatchInAll35Bytes)
{
    const QByteArray good = Bytes().raw(defaultHeader()).i32(10001).data;
    for (int at : {0, 10, 33, 34}) {
        QByteArray bad = good;
        bad[at] = char(bad[at] ^ 0x20);
        if (at == 34)
            bad[at] = 'X';  // the terminating 0 byte
        CardDocument doc;
        doc.object(4).Kind = ShapeObject;
        doc.DocumentFileName = "current.vis";
        EXPECT_FALSE(readCardBytes(bad, doc).signatureMatched) << at;
        EXPECT_EQ(doc.object(4).Kind, ShapeObject) << "the current card stays";
        EXPECT_EQ(doc.DocumentFileName, "current.vis");
    }
    CardDocument doc;
    EXPECT_FALSE(readCardBytes(good.left(34), doc).signatureMatched);
    EXPECT_TRUE(hasCardSignature(good.left(35)));
}

TEST(CardFile, TruncatedFileKeepsWhatWasRead)
{
    const QByteArray full = Bytes()
                                .raw(defaultHeader())
                                .raw(entry(1, 1, "", ""))
                                .raw(entry(2, 2, "hello", "Arial"))
                                .i32(10001)
                                .data;
    // Cut inside the second entry's text.
    const qsizetype cut = full.indexOf("hel") + 2;
    CardDocument doc;
    const auto result = readCardBytes(full.left(cut), doc);
    EXPECT_TRUE(result.signatureMatched);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(doc.object(1).Kind, 1);
    EXPECT_EQ(doc.object(2).Kind, 2);
    EXPECT_EQ(doc.object(2).Text, "he");  // the string without its zero byte
    EXPECT_EQ(doc.object(2).FontName, "");

    // Every shorter prefix reads without harm.
    for (qsizetype n = 35; n < full.size(); ++n) {
        CardDocument d;
        EXPECT_FALSE(readCardBytes(full.left(n), d).complete) << n;
    }
    // Cut before the stored extents: the extents follow the format that was read.
    CardDocument d;
    d.CardExtentX = 1;
    readCardBytes(full.left(35 + 112 + 2), d);
    EXPECT_EQ(d.CardExtentX, 212598);
}

TEST(CardFile, SlotNumbersOutsideTheTableEndTheList)
{
    for (int slot : {0, -5, 10001, 123456}) {
        const QByteArray file =
            Bytes().raw(defaultHeader()).raw(entry(3, 1, "", "")).raw(entry(slot, 2, "x", "")).data;
        CardDocument doc;
        const auto result = readCardBytes(file, doc);
        EXPECT_TRUE(result.complete) << slot;
        EXPECT_EQ(doc.object(3).Kind, 1);
        EXPECT_EQ(doc.object(10000).Kind, 0);
    }
}

TEST(CardFile, ALaterEntryForTheSameSlotWins)
{
    const QByteArray file = Bytes()
                                .raw(defaultHeader())
                                .raw(entry(8, 1, "first", ""))
                                .raw(entry(8, 2, "second", ""))
                                .i32(10001)
                                .data;
    CardDocument doc;
    readCardBytes(file, doc);
    EXPECT_EQ(doc.object(8).Kind, 2);
    EXPECT_EQ(doc.object(8).Text, "second");
}

TEST(CardFile, UnusableStoredValuesAreCorrected)
{
    Bytes b;
    b.raw(cardSignature()).raw(formatRecord(0, 0, 90, 55, 0, 55, 0, 5, "broken"));
    b.i32(-4).i32(129921).i32(-1).zstr("").f64(std::numeric_limits<double>::quiet_NaN()).f64(0.0).i32(10001);
    CardDocument doc;
    doc.ZoomDen = 92.44;
    readCardBytes(b.data, doc);
    EXPECT_TRUE(std::isnan(doc.ZoomNum)) << "read as stored";
    makeReadCardUsable(doc, 1.0, 92.44);
    EXPECT_EQ(doc.Format.CardWidth, 1.0);
    EXPECT_EQ(doc.Format.Columns, 1);
    EXPECT_EQ(doc.CardExtentX, editingExtent(1.0));
    EXPECT_EQ(doc.ZoomNum, 1.0);
    EXPECT_EQ(doc.ZoomDen, 92.44);
    EXPECT_GT(doc.surfaceWidth(), 0);

    // Usable values stay as stored, even extents that do not follow the format.
    CardDocument ok;
    ok.CardExtentX = 5000;
    ok.ZoomDen = 61.63;
    makeReadCardUsable(ok, 1.0, 208.0);
    EXPECT_EQ(ok.CardExtentX, 5000);
    EXPECT_EQ(ok.ZoomDen, 61.63);
}

TEST(CardFile, AStoredZoomIsBroughtIntoTheZoomToolsRange)
{
    // The zoom tool steps ZoomDen by 1.5 while above 50 or below 1000: 50 / 1.5 .. 1500.
    struct Case {
        double num, den, wantNum, wantDen;
    };
    for (const Case c : {Case{1, 1, 1, 50.0 / 1.5}, Case{1, 33.0, 1, 50.0 / 1.5}, Case{2, 60, 1, 50.0 / 1.5},
                         Case{1, 1e9, 1, 1500}, Case{0.5, 800, 1, 1500}, Case{1, 50.0 / 1.5, 1, 50.0 / 1.5},
                         Case{1, 1500, 1, 1500}, Case{2, 500, 2, 500}, Case{1, 41.15, 1, 41.15}}) {
        CardDocument doc;
        doc.ZoomNum = c.num;
        doc.ZoomDen = c.den;
        makeReadCardUsable(doc, 1.0, 208.0);
        EXPECT_EQ(doc.ZoomNum, c.wantNum) << c.num << " / " << c.den;
        EXPECT_DOUBLE_EQ(doc.ZoomDen, c.wantDen) << c.num << " / " << c.den;
    }
}
