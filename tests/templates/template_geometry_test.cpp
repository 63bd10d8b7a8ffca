#include "templates/template_adoption.h"
#include "templates/template_geometry.h"
#include "templates/template_page.h"

#include "support/scripted_prompter.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace vellamo::templates;
using vellamo::document::Tobs;
using vellamo::imaging::DibRecord;

namespace {

TemplateLayout layoutOf(std::initializer_list<std::tuple<int, int, int>> placed)
{
    TemplateLayout l;
    for (auto [c, r, e] : placed)
        l.cells[c][r] = e;
    return l;
}

// Text n pixels high per line, `wide` pixels wide at any size.
class FixedMeasure : public TextMeasure {
public:
    int wide = 100;
    int lines = 1;
    QSize measure(const QString&, int n, int, int) const override { return QSize(wide, n * lines); }
};

DibRecord picture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::green);
    return DibRecord(image, 24);
}

class NamedPictures : public vellamo::document::PictureLoader {
public:
    std::vector<QString> good;
    bool load(DibRecord& target, const QString& path) const override
    {
        if (std::find(good.begin(), good.end(), path) == good.end())
            return false;
        target = picture(8, 4);
        return true;
    }
    void rotate(DibRecord&, int) const override {}
};

}  // namespace

TEST(TemplateGeometry, GalleryOf90x55Cards)
{
    const GalleryGeometry g = galleryGeometry(90, 55, 600, 9);
    EXPECT_EQ(g.TW, 245);     // Trunc(150 x 90 / 55)
    EXPECT_EQ(g.columns, 2);  // 590 div 255
    EXPECT_EQ(g.rows, 5);
    EXPECT_EQ(g.surfaceWidth, 520);
    EXPECT_EQ(g.surfaceHeight, 810);
    EXPECT_EQ(galleryGeometry(90, 55, 600, 8).rows, 5) << "one row more on a multiple of the columns";
    EXPECT_EQ(galleryGeometry(90, 55, 100, 3).columns, 1) << "at least one column";

    EXPECT_EQ(thumbnailCell(g, 0), (Edges{10, 10, 255, 160}));
    EXPECT_EQ(thumbnailCell(g, 3), (Edges{265, 170, 510, 320}));
    EXPECT_EQ(thumbnailAt(g, 9, 255, 160), 0) << "edges included";
    EXPECT_EQ(thumbnailAt(g, 9, 260, 100), -1) << "between thumbnails";
    EXPECT_EQ(thumbnailAt(g, 9, 265, 170), 3);
    EXPECT_EQ(thumbnailAt(g, 9, 265, 650), -1) << "the cell of layout 9 does not exist";
    EXPECT_EQ(thumbnailAt(g, 9, 10, 650), 8);

    // The background covers the cell (246 x 151 counting both edges).
    EXPECT_EQ(coverPlacement(492, 151, thumbnailCell(g, 0)), (PicturePlace{-123, 0, 492, 151}));
    EXPECT_EQ(coverPlacement(246, 604, thumbnailCell(g, 0)), (PicturePlace{0, -226, 246, 604}));
}

TEST(TemplateGeometry, MarginThirdsSpansGapsAndTheEmptyMiddleRow)
{
    const Edges thumb{10, 10, 255, 160};
    EXPECT_EQ(templateMargin(245, 90, 55), 13);  // Trunc(5 x 245 / 90)
    EXPECT_EQ(templateMargin(245, 10, 55), 0);
    EXPECT_EQ(templateMargin(245, 90, 14.9), 0);
    // Card area 23..242 x 23..147; x at 96 and 169, y at 64 and 105; gaps of 13 div 5 = 2.

    // One element alone in the middle of row 0, nothing in row 1: the whole width, down to
    // the middle of the middle row.
    LayoutCells cells = layoutCells(thumb, 245, 90, 55, layoutOf({{1, 0, 1}}));
    EXPECT_EQ(cells[1][0], (Edges{23, 23, 240, 83}));  // 64 + (103 - 64) div 2
    EXPECT_EQ(cells[0][2].top, 83);

    // Left and right used, middle empty: split at the middle of the middle cell (96 + 73 div 2).
    cells = layoutCells(thumb, 245, 90, 55, layoutOf({{0, 2, 1}, {2, 2, 2}, {2, 1, 3}}));
    EXPECT_EQ(cells[0][2], (Edges{23, 105, 130, 145}));
    EXPECT_EQ(cells[2][2], (Edges{132, 105, 240, 145}));
    EXPECT_EQ(cells[2][1], (Edges{23, 64, 240, 103})) << "only the right cell: from the left edge";
    EXPECT_EQ(cells[1][0], (Edges{96, 23, 167, 62})) << "an empty row is not widened";

    cells = layoutCells(thumb, 245, 90, 55, layoutOf({{0, 1, 1}, {1, 1, 2}}));
    EXPECT_EQ(cells[0][1], (Edges{23, 64, 94, 103})) << "left and middle: unchanged";

    // No margin and no gaps on a 10 mm card.
    cells = layoutCells({0, 0, 30, 150}, 30, 10, 55, layoutOf({{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {0, 1, 4}}));
    EXPECT_EQ(cells[0][0], (Edges{0, 0, 10, 50}));
    EXPECT_EQ(cells[2][0], (Edges{20, 0, 30, 50}));
    EXPECT_EQ(cells[0][1], (Edges{0, 50, 30, 100}));
}

TEST(TemplateGeometry, PicturesFitAndFontsShrink)
{
    // Twice as wide as the cell's proportions, right column, bottom row: full width, at the bottom.
    const Edges cell{132, 105, 240, 145};  // 109 x 41
    EXPECT_EQ(fitPicture(436, 82, cell, 2, 2), (PicturePlace{132, 126, 109, 20}));
    EXPECT_EQ(fitPicture(436, 82, cell, 0, 0), (PicturePlace{132, 105, 109, 20}));
    EXPECT_EQ(fitPicture(436, 82, cell, 1, 1), (PicturePlace{132, 115, 109, 20}));
    // Too tall: full height, centred in the middle column.
    EXPECT_EQ(fitPicture(10, 100, {10, 10, 29, 49}, 1, 1), (PicturePlace{18, 10, 4, 40}));
    EXPECT_EQ(fitPicture(0, 10, cell, 1, 1).w, 0);

    FixedMeasure two;
    two.lines = 2;
    EXPECT_EQ(fitFontHeight(two, "a\nb", {0, 0, 200, 50}, 0, 40), 25);
    EXPECT_EQ(fitFontHeight(two, "a\nb", {0, 0, 200, 50}, 0, 20), 19) << "below the start size";
    FixedMeasure wide;
    wide.wide = 500;
    EXPECT_EQ(fitFontHeight(wide, "x", {0, 0, 200, 50}, 0, 40), 1) << "never fits: 1 in any case";

    const ScreenTextMeasure screen;
    EXPECT_EQ(fitFontHeight(screen, "Averyveryverylongword", {0, 0, 3, 100}, 2, 40), 1);
    const int n = fitFontHeight(screen, "Anna Berg", {0, 0, 200, 100}, 1, 40);
    EXPECT_GT(n, 10);
    EXPECT_LE(screen.measure("Anna Berg", n, 200, 1).width(), 200);
    EXPECT_LE(screen.measure("Anna Berg", n, 200, 1).height(), 100);
}

TEST(TemplateAdoption, ObjectsColumnByColumnWithBoxesInUnits)
{
    TemplateSet set;
    set.elements.push_back({false, "[First Name]\r[Last Name]", {}});
    set.elements.push_back({true, "/pics/logo.png", picture(8, 4)});
    set.elements.push_back({true, "/pics/gone.png", picture(8, 4)});
    set.layouts.push_back(layoutOf({{2, 2, 2}, {0, 0, 1}, {1, 2, 3}}));
    set.backgroundPresent = true;
    set.backgroundFile = "sky.jpg";

    TemplateCardInput input;
    input.set = &set;
    input.cardWidthMm = 90;
    input.cardHeightMm = 55;
    input.cardExtentX = 212598;  // Trunc(3 x 90 x 20000 / 25.39995)
    input.cardExtentY = 129921;
    input.screenDpi = 96;
    FixedMeasure measure;
    measure.lines = 2;
    NamedPictures pictures;
    pictures.good = {"/pics/logo.png"};
    vellamo::testing::ScriptedPrompter ask;

    TemplateCard card = RenderTemplate(input, measure, pictures, ask);
    EXPECT_EQ(card.ZoomDen, 208);
    ASSERT_EQ(card.objects.size(), 2u) << "the picture that cannot be read is left out";
    ASSERT_EQ(ask.messages.size(), 2u);
    EXPECT_EQ(ask.messages[0].text, "Could not open picture (/pics/gone.png).");
    EXPECT_EQ(ask.messages[0].icon, vellamo::document::MessageIcon::Error);
    EXPECT_EQ(ask.messages[1].text, "Could not open picture (sky.jpg).");
    EXPECT_EQ(card.BackgroundMode, vellamo::document::NoBackground);
    EXPECT_TRUE(card.BackgroundFile.empty());

    // W = 1022, H = 624: card (340, 208)-(681, 416), m = 18, gaps 3; area 358..663 x 226..398.
    // The text alone in row 0 with row 1 empty: (358, 226)-(660, 310).
    const Tobs& text = card.objects[0];
    EXPECT_EQ(text.Kind, vellamo::document::TextObject);
    EXPECT_EQ(text.Text, "[First Name]\r[Last Name]");
    EXPECT_EQ(text.TextAlign, 0);
    EXPECT_EQ(text.FontName, "Arial");
    EXPECT_EQ(text.FontSize, 42);  // 2 x 42 <= 310 - 226
    EXPECT_EQ(text.FontHeight, 42);
    EXPECT_EQ(text.Color, 0);
    EXPECT_EQ(text.FontColor, 0);
    EXPECT_FALSE(text.Shadow);
    EXPECT_EQ(text.Rotation, 0);
    // Pixels p -> Trunc(p x 20000 / 96 / 208) -> x 208 units.
    EXPECT_EQ(text.Left, 358 * 208);
    EXPECT_EQ(text.Top, 226 * 208);
    EXPECT_EQ(text.Width, 303 * 208);
    EXPECT_EQ(text.Height, 85 * 208);

    // The picture in the right cell of row 2: row 2 holds middle and right, so the cell is
    // (561, 310)-(660, 395) below the empty middle row; an 8 x 4 picture is 100 x 50 and sits at
    // the bottom (top 346).
    const Tobs& logo = card.objects[1];
    EXPECT_EQ(logo.Kind, vellamo::document::PictureObject);
    EXPECT_EQ(logo.PictureFile(), "/pics/logo.png");
    EXPECT_TRUE(logo.KeepAspect);
    EXPECT_TRUE(logo.Picture.isLoaded());
    EXPECT_EQ(logo.Left, 561 * 208);
    EXPECT_EQ(logo.Top, 346 * 208);
    EXPECT_EQ(logo.Width, 100 * 208) << "the box reaches the cell's right edge";
    EXPECT_EQ(logo.Height, 50 * 208);

    // A background that loads: centred, zoomed in.
    pictures.good.push_back("sky.jpg");
    card = RenderTemplate(input, measure, pictures, ask);
    EXPECT_EQ(card.BackgroundMode, vellamo::document::CenterZoomedIn);
    EXPECT_EQ(card.BackgroundFile, "sky.jpg");
    EXPECT_TRUE(card.BackgroundPicture.isLoaded());

    input.selected = 1;
    EXPECT_TRUE(RenderTemplate(input, measure, pictures, ask).objects.empty()) << "no such layout";
}
