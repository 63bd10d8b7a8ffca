#include "print/sheet_layout.h"

#include <gtest/gtest.h>

using namespace vellamo;
using namespace vellamo::print;

namespace {

constexpr double MmPerInch = 25.39995;

document::CardFormat format(int columns, int rows)
{
    document::CardFormat f = document::defaultCardFormat();
    f.Columns = columns;
    f.Rows = rows;
    return f;
}

std::vector<int> indices(const std::vector<SheetPosition>& positions)
{
    std::vector<int> out;
    for (const SheetPosition& p : positions)
        out.push_back(p.index);
    return out;
}

}  // namespace

TEST(SheetLayout, ZoomStepsAndTheirEnds)
{
    std::vector<int> in{StartPreviewDpi};
    while (zoomedIn(in.back()) != in.back())
        in.push_back(zoomedIn(in.back()));
    EXPECT_EQ(in, (std::vector<int>{35, 52, 78, 117, 175, 262}));
    std::vector<int> out{StartPreviewDpi};
    while (zoomedOut(out.back()) != out.back())
        out.push_back(zoomedOut(out.back()));
    EXPECT_EQ(out, (std::vector<int>{35, 23, 15}));
    EXPECT_EQ(zoomedOut(262), 174) << "the way back is not the way in";
    EXPECT_EQ(zoomedIn(199), 298);
    EXPECT_EQ(zoomedIn(200), 200) << "300 is not below 300";
    EXPECT_EQ(zoomedOut(16), 16) << "10 is not above 10";
    EXPECT_EQ(zoomedOut(17), 11);
}

TEST(SheetLayout, ClampsOfUsedAndPage)
{
    // 2 x 5, used 3, copies 10: positions 3..12 on two pages.
    EXPECT_EQ(pageCount({3, 10, 1}, 10), 2);
    SheetValues v = clampedValues({3, 10, 3}, 10);
    EXPECT_EQ(v.used, 3);
    EXPECT_EQ(v.copies, 10);
    EXPECT_EQ(v.page, 2);

    v = clampedValues({9, 1, 1}, 10);
    EXPECT_EQ(v.used, 9) << "S - 1 itself stays";
    v = clampedValues({10, 1, 5}, 10);
    EXPECT_EQ(v.used, 9);
    EXPECT_EQ(v.page, 1);
    v = clampedValues({100, 1000, 1000}, 10);
    EXPECT_EQ(v.used, 9);
    EXPECT_EQ(v.page, 101) << "(9 + 1000 - 1) div 10 + 1";

    // 1 x 1: nothing can be used, every copy is a page of its own.
    v = clampedValues({5, 4, 9}, 1);
    EXPECT_EQ(v.used, 0);
    EXPECT_EQ(v.page, 4);
    // 50 x 50.
    EXPECT_EQ(cardsPerSheet(format(50, 50)), 2500);
    v = clampedValues({100, 1000, 2}, 2500);
    EXPECT_EQ(v.used, 100);
    EXPECT_EQ(v.page, 1);
    EXPECT_EQ(cardsPerSheet(format(0, 5)), 1) << "a damaged format still divides";
}

TEST(SheetLayout, JobPositionsAndPageBreaks)
{
    const document::CardFormat twoByFive = format(2, 5);
    // Used 0, copies 10: one page, positions 0..9.
    auto p = jobPositions({0, 10, 1}, twoByFive);
    ASSERT_EQ(p.size(), 10u);
    for (const SheetPosition& s : p)
        EXPECT_FALSE(s.newPage) << s.index;
    EXPECT_EQ(p[9].column, 1);
    EXPECT_EQ(p[9].row, 4);
    EXPECT_EQ(p[4].column, 0);
    EXPECT_EQ(p[4].row, 2);

    // Used 9, copies 2: the last cell of sheet 1, then the top-left cell of sheet 2.
    p = jobPositions({9, 2, 1}, twoByFive);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].index, 9);
    EXPECT_EQ(p[0].sheet, 0);
    EXPECT_EQ(p[0].column, 1);
    EXPECT_EQ(p[0].row, 4);
    EXPECT_FALSE(p[0].newPage) << "the first position never breaks";
    EXPECT_EQ(p[1].sheet, 1);
    EXPECT_EQ(p[1].column, 0);
    EXPECT_EQ(p[1].row, 0);
    EXPECT_TRUE(p[1].newPage);

    // Used 0, copies 11: a break before position 10 only.
    p = jobPositions({0, 11, 1}, twoByFive);
    ASSERT_EQ(p.size(), 11u);
    for (const SheetPosition& s : p)
        EXPECT_EQ(s.newPage, s.index == 10) << s.index;

    // Used 3, copies 10: 3..12, the break before 10.
    p = jobPositions({3, 10, 1}, twoByFive);
    EXPECT_EQ(indices(p), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(p[0].column, 1);
    EXPECT_EQ(p[0].row, 1);

    // 1 x 1: a page per copy.
    p = jobPositions({0, 3, 1}, format(1, 1));
    ASSERT_EQ(p.size(), 3u);
    EXPECT_FALSE(p[0].newPage);
    EXPECT_TRUE(p[1].newPage);
    EXPECT_TRUE(p[2].newPage);
    EXPECT_EQ(p[2].sheet, 2);
    EXPECT_EQ(p[2].column, 0);
    EXPECT_EQ(p[2].row, 0);

    EXPECT_TRUE(jobPositions({0, 0, 1}, twoByFive).empty());
}

TEST(SheetLayout, PreviewCells)
{
    document::CardFormat f = format(2, 5);
    f.MarginLeft = 10;
    f.MarginTop = 12.5;
    f.PitchX = 95;
    f.PitchY = 57;
    // X = Trunc(10 / 25.39995 x 35 + 95 / 25.39995 x 35 x 1) = Trunc(13.7795 + 130.9058) = 144.
    const QRect cell = previewCell(f, 35, 1, 3);
    EXPECT_EQ(cell.left(), int(10 / MmPerInch * 35 + 95 / MmPerInch * 35 * 1));
    EXPECT_EQ(cell.left(), 144);
    EXPECT_EQ(cell.top(), int(12.5 / MmPerInch * 35 + 57 / MmPerInch * 35 * 3));
    EXPECT_EQ(cell.top(), 252);
    EXPECT_EQ(cell.size(), QSize(124, 75)) << "Trunc(90 / 25.39995 x 35), Trunc(55 / 25.39995 x 35)";
    EXPECT_EQ(previewCardSize(f, 262), QSize(928, 567));
    EXPECT_EQ(previewCell(f, 35, 0, 0).topLeft(), QPoint(13, 17));
}

TEST(SheetLayout, PrintCellsFollowTheCalibration)
{
    document::CardFormat f = format(2, 5);
    f.MarginLeft = 10;
    f.MarginTop = 5;
    f.PitchX = 95;
    f.PitchY = 57;
    const int dpi = 600;

    // No correction: exactly where the preview puts it at 600 dpi.
    const Calibration none;
    EXPECT_DOUBLE_EQ(none.mmPerInchX(), MmPerInch);
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 5; ++r)
            EXPECT_EQ(printCell(f, none, dpi, dpi, c, r), previewCell(f, dpi, c, r)) << c << "," << r;
    EXPECT_EQ(printCell(f, none, dpi, dpi, 1, 0).left(), int(10 / MmPerInch * 600 + 95 / MmPerInch * 600));
    EXPECT_EQ(printCell(f, none, dpi, dpi, 1, 0).left(), 2480);

    // Width 101: every horizontal position and width shrinks by 100 / 101.
    Calibration wide;
    wide.width = 101;
    const double mmX = 101 * MmPerInch / 100;
    const QRect w = printCell(f, wide, dpi, dpi, 1, 2);
    EXPECT_EQ(w.left(), int(10 / mmX * 600 + 95 / mmX * 600));
    EXPECT_EQ(w.left(), 2455);
    EXPECT_EQ(w.width(), int(90 / mmX * 600));
    EXPECT_EQ(w.width(), 2104);
    EXPECT_EQ(w.top(), printCell(f, none, dpi, dpi, 1, 2).top()) << "vertical stays";
    EXPECT_EQ(w.height(), printCell(f, none, dpi, dpi, 1, 2).height());

    // Left offset 4 with margin 10: the first column starts 6 mm in.
    Calibration shifted;
    shifted.left = 4;
    EXPECT_EQ(printCell(f, shifted, dpi, dpi, 0, 0).left(), int(6 / MmPerInch * 600));
    EXPECT_EQ(printCell(f, shifted, dpi, dpi, 0, 0).left(), 141);
    // A top offset beyond the margin moves the card above the printable area.
    shifted.top = 8;
    EXPECT_EQ(printCell(f, shifted, dpi, dpi, 0, 0).top(), int(-3 / MmPerInch * 600));
    EXPECT_EQ(printCell(f, shifted, dpi, dpi, 0, 0).top(), -70);

    // Each axis at its own resolution.
    const QRect mixed = printCell(f, none, 300, 600, 1, 1);
    EXPECT_EQ(mixed.left(), int(10 / MmPerInch * 300 + 95 / MmPerInch * 300));
    EXPECT_EQ(mixed.top(), int(5 / MmPerInch * 600 + 57 / MmPerInch * 600));
    EXPECT_EQ(testRectangleSize(600, 300), QSize(2362, 1181));
}

TEST(SheetLayout, PreviewPageSize)
{
    // A4 printable at 600 dpi (4760 x 6779): 600 div 35 = 17.
    EXPECT_EQ(previewPageSize({4760, 6779}, 600, 600, 35), QSize(280, 398));
    EXPECT_EQ(previewPageSize({4760, 6779}, 600, 600, 262), QSize(2380, 3389)) << "600 div 262 = 2";
    // Below the preview's resolution: printable x dpi / Dx.
    EXPECT_EQ(previewPageSize({1600, 2200}, 200, 200, 262), QSize(2096, 2882));
    EXPECT_EQ(previewPageSize({1653, 2200}, 200, 100, 262),
              QSize(int(1653 * 262.0 / 200), int(2200 * 262.0 / 100)));
    EXPECT_EQ(previewPageSize({1000, 1000}, 0, 600, 35), QSize(0, 58));
}

TEST(SheetLayout, ThePreviewRendersNoMoreOfACardThanThePageShows)
{
    const QSize a4(280, 398);  // at 35 dpi
    const document::CardFormat ten = format(2, 5);
    SheetValues values;
    values.copies = 10;
    const std::vector<SheetPosition> sheet = jobPositions(values, ten);
    EXPECT_EQ(previewShownPart(sheet, 0, ten, 35, a4), QRect(QPoint(0, 0), previewCardSize(ten, 35)))
        << "every cell lies on the page";
    EXPECT_TRUE(previewShownPart(sheet, 1, ten, 35, a4).isEmpty()) << "no position on the second sheet";

    // A 3000 x 1000 mm card: at 262 dpi 30944 x 10314 pixels, of which the page shows its own size.
    document::CardFormat huge = format(1, 1);
    huge.CardWidth = huge.PitchX = 3000;
    huge.CardHeight = huge.PitchY = 1000;
    huge.MarginLeft = 10;
    const QSize page(2380, 3389);
    values.copies = 1;
    const QRect part = previewShownPart(jobPositions(values, huge), 0, huge, 262, page);
    const int left = int(10 / MmPerInch * 262);
    EXPECT_EQ(part, QRect(0, 0, page.width() - left, page.height()));

    // A cell starting before the page's corner shows its part from there on.
    huge.MarginLeft = -10;
    huge.MarginTop = 200;
    const QRect shifted = previewShownPart(jobPositions(values, huge), 0, huge, 262, page);
    EXPECT_EQ(shifted.topLeft(), QPoint(left, 0)) << "Trunc(-10 / 25.39995 x 262) is -" << left;
    EXPECT_EQ(shifted.size(), QSize(page.width(), page.height() - int(200 / MmPerInch * 262)));
    huge.MarginTop = 5000;
    EXPECT_TRUE(previewShownPart(jobPositions(values, huge), 0, huge, 262, page).isEmpty())
        << "below the page";
}
