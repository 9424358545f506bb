#include "presentation/StringTokenizer.h"

#include <gtest/gtest.h>

#include <locale>

// Splitting at every single delimiter and atoi's whole numbers are held to the C library by the
// reader's fuzz target, on its seeds at every test run.
TEST(StringTokenizer, ConvertsFieldsLikeAtofAndKnowsWhenItRanPastTheEnd) {
    StringTokenizer t("12.5x,-1e3,,true,True", ",");
    for (double expected : {12.5, -1000.0, 0.0}) {
        EXPECT_EQ(t.NextDouble(), expected);
    }
    EXPECT_TRUE(t.NextBool());
    EXPECT_FALSE(t.NextBool());
    EXPECT_FALSE(t.RanPastEnd());
    EXPECT_EQ(t.NextInt(), 0);
    EXPECT_TRUE(t.RanPastEnd());
    t.Rewind();
    EXPECT_FALSE(t.RanPastEnd());
    EXPECT_EQ(t.NextToken(), "12.5x");
}

namespace {
// A locale that writes numbers the German way with grouping, to show the game ignores it.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

TEST(StringTokenizer, NumberTextIsFixedAndLocaleIndependent) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    EXPECT_EQ(StringTokenizer::ToString(1234.5), "1234.500000");
    EXPECT_EQ(StringTokenizer::ToString(3.14159, 2), "3.14");
    EXPECT_EQ(StringTokenizer::ToString(1234567), "1234567");
    StringTokenizer t("1234.75 1234");
    EXPECT_EQ(t.NextDouble(), 1234.75);
    EXPECT_EQ(t.NextInt(), 1234);
    std::locale::global(previous);
}
