#include "editor/ruler_scale.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace vellamo::editor;

namespace {

std::vector<RulerTick> labelled(const RulerScale& s)
{
    std::vector<RulerTick> l;
    std::copy_if(s.ticks.begin(), s.ticks.end(), std::back_inserter(l),
                 [](const RulerTick& t) { return t.kind == TickKind::Labelled; });
    return l;
}

}  // namespace

TEST(RulerScale, StepRule)
{
    EXPECT_EQ(rulerStep(2.49), 1);
    EXPECT_EQ(rulerStep(2.5), 5);
    EXPECT_EQ(rulerStep(7.4), 5);
    EXPECT_EQ(rulerStep(14.9), 10);
    EXPECT_EQ(rulerStep(29), 20);
    EXPECT_EQ(rulerStep(69), 40);
    EXPECT_EQ(rulerStep(70), 100);
}

TEST(RulerScale, RealSizeWithTheCardAtTheViewsEdge)
{
    // 90 mm card at ZoomDen 208: surface 1022 pixels, card 340 pixels; scrolled to the card.
    const RulerScale s = horizontalRulerScale(421, 340, 1022, 90.0);
    EXPECT_DOUBLE_EQ(s.mmStart, 0.0);
    EXPECT_NEAR(s.mmEnd, 400 * 90.0 / 340, 1e-9);
    EXPECT_EQ(s.step, 10) << "about 13 mm per 50 pixels";
    const auto labels = labelled(s);
    ASSERT_GE(labels.size(), 10u);
    EXPECT_EQ(labels.front().value, 0);
    EXPECT_EQ(labels.front().position, 20) << "0 stands over the card's left edge";
    EXPECT_EQ(labels[1].value, 10);
    EXPECT_EQ(labels[1].position, 20 + 37);  // Trunc(400 x 10 / 105.88)
    // Between two labels: one long tick every 2 mm and short ones between.
    int between = 0;
    for (const auto& t : s.ticks)
        between += t.position > labels[0].position && t.position < labels[1].position;
    EXPECT_EQ(between, 9);
}

TEST(RulerScale, NegativeValuesLeftOfTheCardAndZoomChangesTheStep)
{
    const RulerScale left = horizontalRulerScale(421, 0, 1022, 90.0);
    const auto labels = labelled(left);
    ASSERT_FALSE(labels.empty());
    EXPECT_EQ(labels.front().value, -90);
    EXPECT_TRUE(std::all_of(left.ticks.begin(), left.ticks.end(),
                            [](const RulerTick& t) { return t.position >= 20; }));

    // Zoomed in to 41.09: a 90 mm card is 1724 pixels; 50 pixels are 2.6 mm.
    const RulerScale zoomed = horizontalRulerScale(421, 1724, 5172, 90.0);
    EXPECT_EQ(zoomed.step, 5);
    // Zoomed out to 1053: 50 pixels are 66 mm.
    const RulerScale far = horizontalRulerScale(421, 0, 201, 90.0);
    EXPECT_EQ(far.step, 40);
}

TEST(RulerScale, VerticalRulerKeepsTicksAboveItsTop)
{
    // 55 mm card at 208: surface 624, card 208 pixels.
    const RulerScale s = verticalRulerScale(301, 208, 624, 55.0);
    EXPECT_DOUBLE_EQ(s.mmStart, 0.0);
    const auto labels = labelled(s);
    ASSERT_FALSE(labels.empty());
    EXPECT_LT(s.ticks.front().position, 0) << "drawn without a sign test";
    EXPECT_EQ(std::find_if(labels.begin(), labels.end(), [](auto& t) { return t.value == 0; })->position, 0);
}

TEST(RulerScale, DegenerateSizesGiveNoTicks)
{
    EXPECT_TRUE(horizontalRulerScale(421, 0, 2, 90.0).ticks.empty());
    EXPECT_TRUE(horizontalRulerScale(10, 0, 1022, 90.0).ticks.empty());
    EXPECT_TRUE(verticalRulerScale(0, 0, 624, 55.0).ticks.empty());
}
