#include "render/card_renderer.h"
#include "render/picture_operations.h"

#include "render_support.h"

#include <QPaintEngine>
#include <QPicture>
#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::testing;
using document::CardDocument;
using document::Tobs;

namespace {

constexpr QRgb Red = 0xFFFF0000u;
constexpr QRgb Blue = 0xFF0000FFu;
constexpr QRgb Green = 0xFF00FF00u;

Tobs& filledRect(Canvas& c, int slot, int x, int y, int w, int h, int color)
{
    Tobs& o = c.add(slot, document::ShapeObject, x, y, w, h);
    o.ShapeKind = 3;
    o.FillMode = 0;
    o.Color = color;
    return o;
}

Tobs& text(Canvas& c, int slot, int x, int y, int w, int h, const std::string& s, int fontSize)
{
    Tobs& o = c.add(slot, document::TextObject, x, y, w, h);
    o.Text = s;
    o.FontName = "Arial";
    o.FontSize = fontSize;
    o.Color = 0;
    return o;
}

}  // namespace

TEST(CardRenderer, NotFramedCutsAtTheCardFramedDrawsOutside)
{
    // Card 100 x 50 pixels; an object starting 20 pixels left of and above the card.
    Canvas cut;
    filledRect(cut, 1, 100 - 20, 50 - 20, 70, 50, colorRef(255, 0, 0));
    cut.drawCard(100, 50, 50, 50);
    EXPECT_TRUE(cut.isWhite(45, 60)) << "left of the card";
    EXPECT_TRUE(cut.isWhite(60, 45)) << "above the card";
    EXPECT_EQ(cut.at(50, 50), Red) << "the card's first pixel";
    EXPECT_EQ(cut.at(99, 79), Red);
    EXPECT_TRUE(cut.isWhite(100, 60)) << "the object's own right edge";
    EXPECT_FALSE(cut.doc.Rendering);
    EXPECT_EQ(cut.ink(), QRect(50, 50, 50, 30));

    Canvas framed;
    filledRect(framed, 1, 100 - 20, 50 - 20, 70, 50, colorRef(255, 0, 0));
    framed.drawFramed(300, 150);
    EXPECT_EQ(framed.ink(), QRect(80, 30, 70, 50)) << "drawn whole around the card (100, 50, 200, 100)";
}

TEST(CardRenderer, TheCardClipDoesNotOutliveTheCall)
{
    Canvas c;
    filledRect(c, 1, 100, 50, 10, 10, colorRef(255, 0, 0));
    QPainter p(&c.image);
    render::DrawVCart(p, c.doc, c.context, 100, 50, 50, 0, c.scale, false);
    EXPECT_FALSE(p.hasClipping());
    p.fillRect(0, 0, 5, 5, Qt::blue);
    p.end();
    EXPECT_EQ(c.at(2, 2), Blue);
}

TEST(CardRenderer, CircleAndRoundedSquareInAWideBox)
{
    // A 100 x 40 box: the circle has the diameter 40 at the box's top-left corner.
    Canvas circle;
    Tobs& o = filledRect(circle, 1, 20, 20, 100, 40, colorRef(255, 0, 0));
    o.ShapeKind = 0;
    circle.drawFramed(300, 150);
    EXPECT_TRUE(circle.isRed(40, 20) && circle.isRed(40, 59) && circle.isRed(20, 40) && circle.isRed(59, 40));
    EXPECT_TRUE(circle.isWhite(40, 60) && circle.isWhite(60, 40) && circle.isWhite(20, 20) &&
                circle.isWhite(40, 19));
    EXPECT_EQ(circle.ink(), QRect(20, 20, 40, 40));

    // The rounded square is 40 x 40 too, but its corners are ellipses of 100/3 x 40/3 = 33 x 13.
    Canvas rounded;
    Tobs& r = filledRect(rounded, 1, 20, 20, 100, 40, colorRef(255, 0, 0));
    r.ShapeKind = 4;
    rounded.drawFramed(300, 150);
    EXPECT_EQ(rounded.ink(), QRect(20, 20, 40, 40));
    EXPECT_TRUE(rounded.isRed(40, 20) && rounded.isRed(59, 40)) << "straight edges";
    EXPECT_TRUE(rounded.isWhite(20 + 6, 20)) << "a corner 33 pixels wide cuts the top row this far in";
    EXPECT_TRUE(rounded.isRed(20, 20 + 7)) << "a corner only 13 pixels high leaves the left column here";
}

TEST(CardRenderer, FillModesAndPenWidths)
{
    Canvas c;
    Tobs& border = filledRect(c, 1, 10, 10, 40, 30, colorRef(255, 0, 0));
    border.FillMode = 1;
    border.BorderColor = colorRef(0, 0, 255);
    Tobs& both = filledRect(c, 2, 60, 10, 40, 30, colorRef(255, 0, 0));
    both.FillMode = 2;
    both.BorderColor = colorRef(0, 0, 255);
    // Lines take Color whatever FillMode holds.
    Tobs& line = c.add(3, document::ShapeObject, 10, 60, 50, 10);
    line.ShapeKind = 6;
    line.FillMode = 1;
    line.Color = colorRef(0, 255, 0);
    // 5 x 0.2 mm at 100 pixels per inch: Trunc(3.937) = 3 pixels.
    Tobs& thick = c.add(4, document::ShapeObject, 10, 80, 50, 10);
    thick.ShapeKind = 6;
    thick.LineWidth = 5;
    c.drawFramed(300, 150);

    EXPECT_EQ(c.at(10, 20), Blue);
    EXPECT_EQ(c.at(49, 39), Blue);
    EXPECT_TRUE(c.isWhite(30, 25)) << "only the border";
    EXPECT_TRUE(c.isWhite(50, 25) && c.isWhite(30, 40));
    EXPECT_EQ(c.at(60, 20), Blue);
    EXPECT_EQ(c.at(80, 25), Red) << "filled with border";

    // A 1-pixel line covers its first pixel and stops before its end.
    for (int x = 10; x < 60; ++x)
        ASSERT_EQ(c.at(x, 60), Green) << x;
    EXPECT_TRUE(c.isWhite(60, 60) && c.isWhite(9, 60) && c.isWhite(30, 59) && c.isWhite(30, 61));

    EXPECT_EQ(c.at(30, 79), 0xFF000000u);
    EXPECT_EQ(c.at(30, 80), 0xFF000000u);
    EXPECT_EQ(c.at(30, 81), 0xFF000000u);
    EXPECT_TRUE(c.isWhite(30, 78) && c.isWhite(30, 82));
}

TEST(CardRenderer, PenIsAtLeastOnePixel)
{
    for (double scale : {0.005, 1e-7}) {
        Canvas c;
        Tobs& line = c.add(1, document::ShapeObject, 10, 20, 50, 10);
        line.ShapeKind = 6;
        line.LineWidth = scale < 0.001 ? 20 : 0;
        c.scale = scale;
        c.drawFramed(300, 150);
        EXPECT_EQ(c.ink(), QRect(10, 20, 50, 1)) << scale;
        EXPECT_EQ(c.at(30, 20), 0xFF000000u);
    }
}

TEST(CardRenderer, SlotOrderIsDrawingOrder)
{
    Canvas c;
    filledRect(c, 9998, 10, 10, 50, 50, colorRef(255, 0, 0));
    filledRect(c, 9999, 30, 30, 50, 50, colorRef(0, 255, 0));
    filledRect(c, 10000, 20, 40, 20, 50, colorRef(0, 0, 255));
    c.drawFramed(300, 150);
    EXPECT_EQ(c.at(15, 15), Red);
    EXPECT_EQ(c.at(45, 45), Green) << "9999 over 9998";
    EXPECT_EQ(c.at(35, 45), Blue) << "10000 over both";
    EXPECT_EQ(c.at(25, 85), Blue);
    EXPECT_EQ(c.at(70, 70), Green);
}

TEST(CardRenderer, TurnedTextsRunFromTheirAnchor)
{
    // Rotation 2: upside down from the box's top-right corner (200, 50), running leftwards.
    Canvas c;
    Tobs& t = text(c, 1, 100, 50, 100, 60, "L", 40);
    t.Rotation = 2;
    c.drawFramed(300, 150);
    const QRect ink = c.ink();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.right(), 199);
    EXPECT_GE(ink.left(), 200 - 41);
    EXPECT_GE(ink.top(), 50) << "the baseline is the box's top and the letters hang below it";
    EXPECT_LE(ink.top(), 51);
    // An L upside down: its foot is the top row, its stem stands at the right.
    auto inkInRow = [&](int y) {
        int n = 0;
        for (int x = 0; x < c.image.width(); ++x)
            n += qRed(c.at(x, y)) < 128;
        return n;
    };
    const int stemWidth = inkInRow(ink.bottom() - 5);
    EXPECT_GT(inkInRow(ink.top() + 1), 2 * stemWidth);
    for (int x = ink.left(); x < ink.left() + ink.width() / 2; ++x)
        EXPECT_TRUE(qRed(c.at(x, ink.bottom() - 5)) > 128) << "the stem is on the right, x " << x;

    // Rotation 1 runs down from the top-left corner, 3 up from the bottom-right corner.
    Canvas down;
    text(down, 1, 100, 20, 60, 120, "LLLL", 20).Rotation = 1;
    down.drawFramed(300, 150);
    EXPECT_GE(down.ink().left(), 100);
    EXPECT_GE(down.ink().top(), 20);
    EXPECT_GT(down.ink().height(), 2 * down.ink().width());

    Canvas up;
    text(up, 1, 100, 20, 60, 120, "LLLL", 20).Rotation = 3;
    up.drawFramed(300, 150);
    EXPECT_LE(up.ink().right(), 159);
    EXPECT_LE(up.ink().bottom(), 139);
    EXPECT_GT(up.ink().height(), 2 * up.ink().width());
}

TEST(CardRenderer, OutlineOfRadiusOneIsFourDiagonalCopies)
{
    // Added up on black, each copy in blue 40 shows how many copies cover a pixel.
    auto draw = [](bool outline) {
        Canvas c;
        c.image.fill(Qt::black);
        Tobs& t = text(c, 1, 20, 20, 200, 150, "I", 100);
        t.Outline = outline;
        t.BorderColor = colorRef(0, 0, 40);
        t.Color = outline ? 0 : colorRef(0, 0, 40);
        QPainter p(&c.image);
        p.setCompositionMode(QPainter::CompositionMode_Plus);
        render::DrawVCart(p, c.doc, c.context, 300, 150, 0, 0, c.scale, true);
        return c.image;
    };
    auto inkOf = [](const QImage& image, int* strongest) {
        QRect r;
        *strongest = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const int b = qBlue(image.pixel(x, y)); b > 0) {
                    r = r.united(QRect(x, y, 1, 1));
                    *strongest = std::max(*strongest, b);
                }
        return r;
    };
    int plainMax = 0, outlinedMax = 0;
    const QRect plain = inkOf(draw(false), &plainMax);
    const QRect outlined = inkOf(draw(true), &outlinedMax);
    EXPECT_EQ(plainMax, 40);
    EXPECT_EQ(outlinedMax, 4 * 40) << "inside the stem exactly four copies overlap";
    EXPECT_EQ(outlined, plain.adjusted(-1, -1, 1, 1));
}

namespace {

// A surface that only counts the text items drawn on it.
class TextCountingEngine : public QPaintEngine {
public:
    int texts = 0;
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF&, const QTextItem&) override { ++texts; }
    Type type() const override { return User; }
};

class TextCountingDevice : public QPaintDevice {
public:
    TextCountingEngine engine;
    QPaintEngine* paintEngine() const override { return const_cast<TextCountingEngine*>(&engine); }

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth:
            return 300;
        case PdmHeight:
            return 200;
        case PdmWidthMM:
        case PdmHeightMM:
            return 80;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatioScaled:
            return int(QPaintDevice::devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        default:
            return 1;
        }
    }
};

}  // namespace

TEST(CardRenderer, OutlinesReachTheirRadiusWithBoundedWork)
{
    // Radius Trunc(Scale x 4000 / 25.39995): 20 at this scale.
    const double scale = 20.5 * 25.39995 / 4000;
    auto draw = [&](bool outline) {
        Canvas c;
        c.scale = scale;
        Tobs& t = text(c, 1, 100, 60, 100, 80, "I", 1);
        t.Outline = outline;
        t.Color = colorRef(255, 0, 0);
        t.BorderColor = colorRef(255, 0, 0);
        c.drawFramed(300, 200);
        return c.ink();
    };
    const QRect plain = draw(false);
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_EQ(draw(true), plain.adjusted(-20, -20, 20, 20));

    // At a scale of radius 157 every offset of the square would be 314 x 314 draws.
    Canvas c;
    c.scale = 1.0;
    text(c, 1, 100, 60, 100, 80, "I", 1).Outline = true;
    TextCountingDevice device;
    {
        QPainter p(&device);
        render::DrawVCart(p, c.doc, c.context, 300, 200, 0, 0, c.scale, true);
    }
    EXPECT_GE(device.engine.texts, 5) << "the four corners and the text itself";
    EXPECT_LE(device.engine.texts, 17 * 17) << "at most 8 sampled offsets to each side";
}

TEST(CardRenderer, TextAlignOutsideOneAndTwoIsLeft)
{
    auto draw = [](int align) {
        Canvas c;
        text(c, 1, 20, 20, 200, 60, "ab", 20).TextAlign = align;
        c.drawFramed(300, 150);
        return c;
    };
    const Canvas left = draw(0);
    for (int align : {3, 7, -1})
        EXPECT_EQ(draw(align).image, left.image) << align;
    EXPECT_LT(left.ink().left(), 25);
    const Canvas centred = draw(1);
    EXPECT_NEAR(centred.ink().center().x(), 120, 2);
    const Canvas right = draw(2);
    EXPECT_GT(right.ink().right(), 214);
    EXPECT_LE(right.ink().right(), 219);
}

TEST(CardRenderer, BoxTextsWrapAndStayInTheirBox)
{
    Canvas c;
    text(c, 1, 20, 20, 60, 40, "word word word\rword word word word word", 15);
    c.drawFramed(300, 150);
    const QRect ink = c.ink();
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 79);
    EXPECT_LE(ink.bottom(), 59) << "cut at the box";
    EXPECT_GT(ink.height(), 30) << "several lines";
}

TEST(CardRenderer, ShadowIsOffsetByTenthsOfAMillimetre)
{
    // 20 x 0.1 mm at 100 pixels per inch: 7.87 pixels.
    Canvas c;
    Tobs& t = text(c, 1, 20, 20, 200, 100, "I", 40);
    t.Shadow = true;
    t.ShadowDX = 20;
    t.ShadowDY = 20;
    t.ShadowColor() = colorRef(255, 0, 0);
    c.drawFramed(300, 150);
    QRect red, black;
    for (int y = 0; y < c.image.height(); ++y)
        for (int x = 0; x < c.image.width(); ++x) {
            if (c.isRed(x, y))
                red = red.united(QRect(x, y, 1, 1));
            if (qRed(c.at(x, y)) < 60 && qGreen(c.at(x, y)) < 60)
                black = black.united(QRect(x, y, 1, 1));
        }
    EXPECT_NEAR(red.bottom() - black.bottom(), 7, 1);
    EXPECT_NEAR(red.right() - black.right(), 7, 1);
}

TEST(CardRenderer, PlaceholdersAreFilledFromTheCurrentAddress)
{
    auto draw = [](const std::string& s, const render::PlaceholderFields* fields) {
        Canvas c;
        c.context.placeholders = fields;
        text(c, 1, 20, 20, 200, 60, s, 20);
        c.drawFramed(300, 150);
        return c.image;
    };
    const render::PlaceholderFields fields = {{"First Name", "Anna", "Name:"}};
    EXPECT_EQ(draw("[First Name]", &fields), draw("Anna", nullptr));
    EXPECT_EQ(draw("<First Name> x", &fields), draw("Name: x", nullptr));
    EXPECT_NE(draw("[First Name]", nullptr), draw("Anna", nullptr)) << "no address: the token itself";
}

TEST(CardRenderer, BackgroundModesPlaceThePicture)
{
    // Framed 300 x 150: the card is (100, 50, 200, 100), cw = 101, ch = 51.
    const auto red = [](int, int) { return Red; };
    auto draw = [](int mode, const imaging::DibRecord& picture) {
        Canvas c;
        c.doc.BackgroundMode = mode;
        c.doc.BackgroundPicture = picture;
        c.drawFramed(300, 150);
        return c;
    };

    // The stretched picture reaches one pixel past the card, which the fitting modes cannot.
    const imaging::DibRecord sameShape = picture24(202, 102, red);
    const Canvas stretched = draw(document::StretchToCard, sameShape);
    EXPECT_EQ(stretched.ink(), QRect(100, 50, 101, 51));
    EXPECT_EQ(draw(document::CenterZoomedOut, sameShape).ink(), QRect(100, 50, 100, 50));
    EXPECT_EQ(draw(document::CenterZoomedIn, sameShape).ink(), QRect(100, 50, 100, 50));

    // Zoomed out, wide: h' = 20 * 101 / 200 = 10, dy = 20, drawn 100 x 9.
    EXPECT_EQ(draw(document::CenterZoomedOut, picture24(200, 20, red)).ink(), QRect(100, 70, 100, 9));
    // Zoomed out, tall: w' = 20 * 51 / 200 = 5, dx = 48, drawn 4 x 50.
    EXPECT_EQ(draw(document::CenterZoomedOut, picture24(20, 200, red)).ink(), QRect(148, 50, 4, 50));

    // Zoomed in, wide: w' = 510, dx = -204, drawn 509 x 50 from x = -104 and clipped to the card.
    const Canvas in =
        draw(document::CenterZoomedIn, picture24(200, 20, [](int x, int) { return x < 100 ? Red : Blue; }));
    EXPECT_EQ(in.ink(), QRect(100, 50, 100, 50));
    EXPECT_EQ(in.at(150, 75), Red);
    EXPECT_EQ(in.at(151, 75), Blue) << "column 255 of 509 shows source column 100";

    // Tiles of 100 x 9 from the card's top, their first row red, clipped to the card.
    const Canvas tiles =
        draw(document::TileBackground, picture24(200, 20, [](int, int y) { return y == 0 ? Red : Blue; }));
    EXPECT_EQ(tiles.ink(), QRect(100, 50, 100, 50));
    for (int y = 50; y < 100; ++y)
        EXPECT_EQ(tiles.at(150, y), (y - 50) % 9 == 0 ? Red : Blue) << y;

    EXPECT_TRUE(draw(4, sameShape).ink().isEmpty());
    EXPECT_TRUE(draw(document::NoBackground, sameShape).ink().isEmpty());

    // A picture far wider than the card tiles in steps below one pixel: nothing, and no hang.
    EXPECT_TRUE(draw(document::TileBackground, picture24(5000, 2, red)).ink().isEmpty());
}

TEST(CardRenderer, BackgroundClipsLeaveObjectsOutsideTheCardVisible)
{
    for (int mode : {document::CenterZoomedIn, document::TileBackground}) {
        Canvas c;
        c.doc.BackgroundMode = mode;
        c.doc.BackgroundPicture = picture24(10, 10, [](int, int) { return Blue; });
        filledRect(c, 1, 10, 10, 20, 20, colorRef(255, 0, 0));
        c.drawFramed(300, 150);
        EXPECT_EQ(c.at(15, 15), Red) << mode;
        EXPECT_EQ(c.at(150, 75), Blue) << mode;
    }
    // Not framed, even the stretched picture stops at the card.
    Canvas c;
    c.doc.BackgroundMode = document::StretchToCard;
    c.doc.BackgroundPicture = picture24(10, 10, [](int, int) { return Blue; });
    c.drawCard(100, 50, 50, 50);
    EXPECT_EQ(c.ink(), QRect(50, 50, 100, 50));
}

TEST(CardRenderer, PicturesKeepTheirAspectAndLoseTheirLastPixel)
{
    Canvas c;
    Tobs& p = c.add(1, document::PictureObject, 10, 10, 101, 101);
    p.Picture = picture24(100, 50, [](int, int) { return Red; });
    p.KeepAspect = true;
    Tobs& q = c.add(2, document::PictureObject, 150, 10, 41, 21);
    q.Picture = picture24(4, 4, [](int, int) { return Blue; });
    c.add(3, document::PictureObject, 150, 100, 41, 21);  // not loaded: nothing
    c.drawFramed(300, 150);
    // h' = 50 * 101 / 100 = 50, drawn 100 x 49.
    EXPECT_EQ(c.at(10, 10), Red);
    EXPECT_EQ(c.at(109, 58), Red);
    EXPECT_TRUE(c.isWhite(110, 30) && c.isWhite(50, 59));
    EXPECT_EQ(c.at(189, 29), Blue);
    EXPECT_TRUE(c.isWhite(190, 20) && c.isWhite(170, 30));
}

TEST(CardRenderer, AutomaticTransparencyTakesTheBottomLeftPixel)
{
    Canvas c;
    filledRect(c, 1, 0, 0, 300, 150, colorRef(0, 0, 255));
    Tobs& p = c.add(2, document::PictureObject, 20, 20, 41, 41);
    // 4 x 4, each source pixel 10 x 10 on the card; green in the left column and the bottom row.
    p.Picture = picture24(4, 4, [](int x, int y) { return x == 0 || y == 3 ? Green : Red; });
    p.Transparent = true;
    p.AutoTransparent = true;
    p.TransparentKey() = 0x123456;
    c.drawFramed(300, 150);
    EXPECT_EQ(p.TransparentKey(), colorRef(0, 255, 0));
    EXPECT_EQ(c.at(25, 25), Blue) << "the key lets the surface through";
    EXPECT_EQ(c.at(45, 25), Red);
    EXPECT_EQ(c.at(45, 55), Blue);
    EXPECT_EQ(c.at(60, 25), Blue) << "drawn 40 x 40";
}

TEST(CardRenderer, PalettePictureKeysBecomeIndices)
{
    Canvas c;
    filledRect(c, 1, 0, 0, 300, 150, colorRef(0, 0, 255));
    QImage image(2, 1, QImage::Format_Indexed8);
    // Entry 0 holds the colour value 2 (red 2), which the index 2 would name if read as a colour.
    image.setColorTable({qRgb(2, 0, 0), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(255, 255, 0)});
    image.setPixel(0, 0, 1);
    image.setPixel(1, 0, 2);
    Tobs& p = c.add(2, document::PictureObject, 20, 20, 41, 11);
    p.Picture = imaging::DibRecord(image, 8);
    p.Transparent = true;
    p.TransparentKey() = colorRef(0, 255, 0);
    c.drawFramed(300, 150);
    EXPECT_EQ(p.TransparentKey(), 2);
    EXPECT_EQ(c.at(25, 25), Red) << "a kept pixel shows its palette colour, not its index";
    EXPECT_EQ(c.at(45, 25), Blue);

    // Drawn again, and after a turn of the picture: the index stays the key.
    c.drawFramed(300, 150);
    EXPECT_EQ(p.TransparentKey(), 2) << "the index is not taken for a colour";
    render::RotRight(p.Picture);
    render::RotLeft(p.Picture);
    c.drawFramed(300, 150);
    EXPECT_EQ(p.TransparentKey(), 2);
    EXPECT_EQ(c.at(45, 25), Blue);
    EXPECT_EQ(c.at(25, 25), Red);

    // The picture read afresh (as when the card is opened again) takes the stored value anew.
    p.Picture = imaging::DibRecord(image, 8);
    c.drawFramed(300, 150);
    EXPECT_EQ(p.TransparentKey(), 0);
}

// A recording, like a printer or a PDF, cannot be read back: it gets the picture with its key
// see-through and shows whatever it is played onto there.
TEST(CardRenderer, TransparentPixelsShowTheSurfaceWhereItCannotBeRead)
{
    Canvas c;
    Tobs& p = c.add(1, document::PictureObject, 20, 20, 41, 41);
    p.Picture = picture24(2, 1, [](int x, int) { return x == 0 ? Green : Red; });
    p.Transparent = true;
    p.TransparentKey() = colorRef(0, 255, 0);
    QPicture recording;
    {
        QPainter rp(&recording);
        render::DrawVCart(rp, c.doc, c.context, 300, 150, 0, 0, c.scale, true);
    }
    c.image.fill(Qt::blue);
    QPainter painter(&c.image);
    recording.play(&painter);
    painter.end();
    EXPECT_EQ(c.at(25, 25), Blue);
    EXPECT_EQ(c.at(55, 25), Red);
}
