#include "presentation/StringTokenizer.h"

#include <gtest/gtest.h>

#include <climits>
#include <locale>

TEST(StringTokenizer, SplitsAtSingleDelimiters) {
    StringTokenizer window("640 480 Hatchling");
    EXPECT_EQ(window.NextInt(), 640);
    EXPECT_EQ(window.NextInt(), 480);
    EXPECT_EQ(window.NextToken(), "Hatchling");
    EXPECT_FALSE(window.RanPastEnd());

    StringTokenizer gap("a  b");
    EXPECT_EQ(gap.NextToken(), "a");
    EXPECT_EQ(gap.NextToken(), "");
    EXPECT_EQ(gap.NextToken(), "b");

    StringTokenizer leading(" x");
    EXPECT_EQ(leading.NextToken(), "");
    EXPECT_EQ(leading.NextToken(), "x");

    StringTokenizer tabs("a\tb c");
    EXPECT_EQ(tabs.NextToken(), "a\tb"); // only the blank splits by default

    StringTokenizer empty;
    EXPECT_EQ(empty.GetText(), "");
    EXPECT_EQ(empty.NextToken(), "");
    EXPECT_FALSE(empty.RanPastEnd());
}

TEST(StringTokenizer, FinalDelimiterAndPastTheEnd) {
    StringTokenizer t("7 ");
    EXPECT_EQ(t.NextInt(), 7);
    EXPECT_EQ(t.NextToken(), ""); // the field after the final blank
    EXPECT_FALSE(t.RanPastEnd());
    EXPECT_EQ(t.NextInt(), 0); // past the end: an empty field, and the reader says so
    EXPECT_TRUE(t.RanPastEnd());
    EXPECT_EQ(t.NextToken(), "");
    EXPECT_TRUE(t.RanPastEnd());

    t.Rewind();
    EXPECT_FALSE(t.RanPastEnd());
    EXPECT_EQ(t.NextToken(), "7");

    StringTokenizer plain("one");
    EXPECT_EQ(plain.NextToken(), "one");
    EXPECT_EQ(plain.NextToken(), "");
    EXPECT_TRUE(plain.RanPastEnd());

    // SetText keeps the position.
    StringTokenizer moved("ab cd");
    moved.NextToken();
    moved.SetText("xy zw uv");
    EXPECT_EQ(moved.GetText(), "xy zw uv");
    EXPECT_EQ(moved.NextToken(), "zw");
}

TEST(StringTokenizer, GivenDelimitersReplaceTheBlank) {
    StringTokenizer commas("a b,c;d", ",;");
    EXPECT_EQ(commas.NextToken(), "a b");
    EXPECT_EQ(commas.NextToken(), "c");
    EXPECT_EQ(commas.NextToken(), "d");
    StringTokenizer list("1|2 3", std::vector<char>{'|'});
    EXPECT_EQ(list.NextInt(), 1);
    EXPECT_EQ(list.NextToken(), "2 3");
    StringTokenizer set("x:y", std::set<char>{':'});
    EXPECT_EQ(set.NextToken(), "x");
    EXPECT_EQ(set.NextToken(), "y");
}

TEST(StringTokenizer, ConvertsFieldsLikeAtoiAndAtof) {
    StringTokenizer t("12abc,abc,-7, +42,99999999999,-99999999999,12.5x,.5,-1e3,+2.25,,true,True,1", ",");
    EXPECT_EQ(t.NextInt(), 12);
    EXPECT_EQ(t.NextInt(), 0);
    EXPECT_EQ(t.NextInt(), -7);
    EXPECT_EQ(t.NextInt(), 42);
    EXPECT_EQ(t.NextInt(), INT_MAX); // saturated instead of overflowing
    EXPECT_EQ(t.NextInt(), INT_MIN);
    EXPECT_EQ(t.NextDouble(), 12.5);
    EXPECT_EQ(t.NextDouble(), 0.5);
    EXPECT_EQ(t.NextDouble(), -1000.0);
    EXPECT_EQ(t.NextDouble(), 2.25);
    EXPECT_EQ(t.NextDouble(), 0.0);
    EXPECT_TRUE(t.NextBool());
    EXPECT_FALSE(t.NextBool());
    EXPECT_FALSE(t.NextBool());
    EXPECT_FALSE(t.RanPastEnd());
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
    EXPECT_EQ(StringTokenizer::ToString(12.5), "12.500000");
    EXPECT_EQ(StringTokenizer::ToString(12.5, 2), "12.50");
    EXPECT_EQ(StringTokenizer::ToString(3.14159, 2), "3.14");
    EXPECT_EQ(StringTokenizer::ToString(3.14159), "3.141590");
    EXPECT_EQ(StringTokenizer::ToString(-0.25, 1), "-0.2");
    EXPECT_EQ(StringTokenizer::ToString(1234567.0, 0), "1234567");
    EXPECT_EQ(StringTokenizer::ToString(-42), "-42");
    EXPECT_EQ(StringTokenizer::ToString(INT_MIN), "-2147483648");
    EXPECT_EQ(StringTokenizer::ToString(true), "true");
    EXPECT_EQ(StringTokenizer::ToString(false), "false");

    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    EXPECT_EQ(StringTokenizer::ToString(1234.5), "1234.500000");
    EXPECT_EQ(StringTokenizer::ToString(1234567), "1234567");
    StringTokenizer t("1234.75 1234");
    EXPECT_EQ(t.NextDouble(), 1234.75);
    EXPECT_EQ(t.NextInt(), 1234);
    std::locale::global(previous);
}
