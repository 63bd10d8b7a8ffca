#include "document/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vellamo::document;

TEST(Units, StandardCardAndScreenConversion)
{
    EXPECT_EQ(editingExtent(90.0), 212598);
    EXPECT_EQ(editingExtent(55.0), 129921);
    EXPECT_EQ(startZoomDen(96), 208.0);
    EXPECT_EQ(startZoomDen(120), 166.0);
    EXPECT_EQ(unitsToScreen(20800, 1.0, 208.0), 100);
    EXPECT_EQ(mmToUnits(25.39995), 20000);
}

TEST(Units, ConversionsTruncateTowardZero)
{
    EXPECT_EQ(unitsToScreen(207, 1.0, 208.0), 0);
    EXPECT_EQ(unitsToScreen(-207, 1.0, 208.0), 0);
    EXPECT_EQ(unitsToScreen(-209, 1.0, 208.0), -1);
    EXPECT_EQ(screenToUnits(3, 1.0, 41.09), 123);  // 123.27
    EXPECT_EQ(pressToUnits(3, 1.0, 41.09), 123);
    EXPECT_EQ(unitsToDevice(20000, 600.0 / 20000), 600);
    EXPECT_EQ(unitsToDevice(19999, 600.0 / 20000), 599);
}

TEST(Units, DamagedValuesNeverOverflow)
{
    EXPECT_EQ(truncToInt32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(truncToInt32(1e300), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(truncToInt32(-1e300), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(unitsToScreen(100, 1.0, 0.0), std::numeric_limits<std::int32_t>::max());
}

TEST(Units, ZoomsThatAreNoRatioAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double num, den;
    };
    for (const Case c :
         {Case{1.0, 0.0}, Case{0.0, 208.0}, Case{-1.0, 208.0}, Case{inf, 208.0}, Case{1.0, nan}}) {
        double num = c.num, den = c.den;
        EXPECT_FALSE(bringZoomIntoToolRange(num, den)) << c.num << " / " << c.den;
        EXPECT_TRUE(num == c.num || (std::isnan(num) && std::isnan(c.num)));
    }
    double num = 1.0, den = 208.0;
    EXPECT_TRUE(bringZoomIntoToolRange(num, den));
    EXPECT_EQ(den, 208.0);
}
