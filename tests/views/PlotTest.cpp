// The axes every plot shares: round steps, and ticks on each whole step of a range, its ends
// kept even where the arithmetic lands a hair beside them.
#include "views/Plot.h"

#include <gtest/gtest.h>

using plot::Axis;

TEST(PlotAxis, RoundStepsAndTicksThatKeepTheRangesEnds) {
    // The map's heights of a pet grown from 10 to 57.3 cm: 5 to 65 in fives.
    const Axis heights = Axis::Round(10.0, 57.3, 10.0, 7.0f);
    EXPECT_DOUBLE_EQ(heights.step, 5.0);
    EXPECT_DOUBLE_EQ(heights.lo, 5.0);
    EXPECT_DOUBLE_EQ(heights.hi, 65.0);
    EXPECT_EQ(heights.Ticks().size(), 13u);
    // A range narrower than the least span is widened around its middle.
    const Axis weights = Axis::Round(500.0, 500.0, 100.0, 5.0f);
    EXPECT_LE(weights.lo, 450.0);
    EXPECT_GE(weights.hi, 550.0);

    // The chart's minutes: the first whole step inside the range, up to its end.
    EXPECT_EQ(Axis({0.3, 59.2, 10.0}).Ticks(), (std::vector<double>{10.0, 20.0, 30.0, 40.0, 50.0}));
    // 2.1 / 0.3 is a hair above 7, and 3 * 0.1 a hair above 0.3: the ends stay ticks.
    EXPECT_EQ(plot::Number(Axis({2.1, 3.0, 0.3}).Ticks().front()), "2.1");
    EXPECT_EQ(Axis({0.0, 0.3, 0.1}).Ticks().size(), 4u);
    EXPECT_EQ(Axis({0.0, 1e9, 1.0}).Ticks().size(), 21u) << "a runaway range stops at 21 ticks";

    const std::vector<double> minutes = {1.0, 2.0, 5.0, 10.0, 15.0};
    EXPECT_DOUBLE_EQ(plot::StepFor(59.2, 6.0, minutes), 10.0);
    EXPECT_DOUBLE_EQ(plot::StepFor(6.0, 6.0, minutes), 1.0) << "six pieces of one are few enough";
    EXPECT_DOUBLE_EQ(plot::StepFor(600.0, 6.0, minutes), 15.0) << "none fits: the largest";
    EXPECT_FLOAT_EQ(Axis({0.0, 10.0, 1.0}).At(20.0, 100.0f, 200.0f), 202.0f) << "kept a little outside";
}
