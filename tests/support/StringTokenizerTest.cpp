#include "support/StringTokenizer.h"

#include <gtest/gtest.h>

#include <locale>

namespace {
// A locale that writes numbers the German way with grouping, to show the game ignores it.
struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
} // namespace

// Splitting at every single delimiter, running past the end and atoi's whole numbers are held to
// the C library by the fuzzing of the token reader, on its seeds at every test run.
TEST(StringTokenizer, NumbersReadLikeAtofAndWrittenFixedWhateverTheLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));
    StringTokenizer t("12.5x,-1e3,,1234.75", ",");
    for (double expected : {12.5, -1000.0, 0.0, 1234.75}) {
        EXPECT_EQ(t.NextDouble(), expected);
    }
    EXPECT_EQ(StringTokenizer::ToString(1234.5), "1234.500000");
    EXPECT_EQ(StringTokenizer::ToString(3.14159, 2), "3.14");
    EXPECT_EQ(StringTokenizer::ToString(1234567), "1234567");
    std::locale::global(previous);
}
