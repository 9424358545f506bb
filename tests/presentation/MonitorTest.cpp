#include "presentation/Monitor.h"

#include <gtest/gtest.h>

TEST(Monitor, WithoutXftDpiTheDensityIsAWholeGdkScale) {
    EXPECT_EQ(facade::DensityScale(std::nullopt, "3") * 10 + facade::DensityScale(std::nullopt, "2.5"), 31);
}
