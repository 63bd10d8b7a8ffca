#include "document/units.h"

#include <gtest/gtest.h>
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

TEST(Units, UsableZoomBand)
{
    EXPECT_TRUE(isUsableZoom(1.0, 208.0));
    EXPECT_TRUE(isUsableZoom(1.0, 41.09));
    EXPECT_TRUE(isUsableZoom(1.0, 1053.0));
    EXPECT_FALSE(isUsableZoom(1.0, 0.0));
    EXPECT_FALSE(isUsableZoom(0.0, 208.0));
    EXPECT_FALSE(isUsableZoom(-1.0, 208.0));
    EXPECT_FALSE(isUsableZoom(std::numeric_limits<double>::infinity(), 208.0));
    EXPECT_FALSE(isUsableZoom(1.0, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(isUsableZoom(1.0, 1e-9));
}
