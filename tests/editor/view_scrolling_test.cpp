#include "editor/view_scrolling.h"

#include <gtest/gtest.h>

using namespace vellamo::editor;

TEST(Zoom, StepsFromTheStartAndTheLimits)
{
    double den = 208;
    std::vector<double> seen;
    for (int i = 0; i < 5; ++i) {
        den = zoomAt(500, 300, true, 1.0, den, 212598, 129921, 400, 300).zoomDen;
        seen.push_back(den);
    }
    EXPECT_NEAR(seen[0], 138.67, 0.005);
    EXPECT_NEAR(seen[1], 92.44, 0.005);
    EXPECT_NEAR(seen[2], 61.63, 0.005);
    EXPECT_NEAR(seen[3], 41.09, 0.005);
    EXPECT_EQ(seen[4], seen[3]) << "at the limit ZoomDen stays";

    den = 208;
    for (int i = 0; i < 5; ++i)
        den = zoomAt(0, 0, false, 1.0, den, 212598, 129921, 400, 300).zoomDen;
    EXPECT_NEAR(den, 1053, 0.005);
    EXPECT_EQ(zoomAt(0, 0, false, 1.0, den, 212598, 129921, 400, 300).zoomDen, den);
}

TEST(Zoom, CentresThePressedPointAndClampsEachAxis)
{
    // At 208 the surface is 1022 x 624; the press at (601, 401) is unit (125008, 83408).
    ZoomResult r = zoomAt(601, 401, true, 1.0, 208, 212598, 129921, 400, 300);
    EXPECT_EQ(r.surfaceWidth, 1533);
    EXPECT_EQ(r.surfaceHeight, 936);
    EXPECT_EQ(r.scroll.x, 901 - 200);
    EXPECT_EQ(r.scroll.y, 601 - 150);

    // Near the top-left corner both positions are raised to 0.
    r = zoomAt(10, 10, true, 1.0, 208, 212598, 129921, 400, 300);
    EXPECT_EQ(r.scroll.x, 0);
    EXPECT_EQ(r.scroll.y, 0);
    // One axis clamped, the other not.
    r = zoomAt(5, 401, true, 1.0, 208, 212598, 129921, 400, 300);
    EXPECT_EQ(r.scroll.x, 0);
    EXPECT_EQ(r.scroll.y, 451);
    // Past the far edge the position is lowered to the range - 1.
    r = zoomAt(1030, 700, true, 1.0, 208, 212598, 129921, 0, 0);
    EXPECT_EQ(r.scroll.x, 1532);
    EXPECT_EQ(r.scroll.y, 935);
    EXPECT_EQ(clampToRange(-4, 7000, 100, 50).x, 0);
    EXPECT_EQ(clampToRange(-4, 7000, 100, 50).y, 49);
}

TEST(Hand, TheGrabbedPointFollowsTheMouse)
{
    ScrollTarget s = Drag2Hand(100, 50, 300, 200, 280, 230, 1000, 600);
    EXPECT_EQ(s.x, 120);
    EXPECT_EQ(s.y, 20);
    s = Drag2Hand(10, 10, 300, 200, 400, 300, 1000, 600);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 0);
    s = Drag2Hand(900, 500, 0, 0, -500, -500, 1000, 600);
    EXPECT_EQ(s.x, 999);
    EXPECT_EQ(s.y, 599);
}
