#include "growth/Food.h"
#include "support/FileError.h"

#include <gtest/gtest.h>

// The fields' order is held by the feeding rules' exact results; a line without its wisdom field
// is refused by name in the food list's test.
TEST(Food, IgnoresExtraFieldsTakesAFinalBlankForAnEmptyWisdomAndRefusesNamelessOrNonFiniteLines) {
    EXPECT_EQ(Food("Lemon -1.25 -3 -4 2 -10 0 -7 3 extra fields are ignored").GetWisdom(), 3);
    EXPECT_EQ(Food("Apple 0.5 20 5 30 10 5 7 ").GetWisdom(), 0);
    EXPECT_THROW(Food(" Apple 0.5 20 5 30 10 5 0 1"), FileError);
    EXPECT_THROW(Food("Apple nan 20 5 30 10 5 0 1"), FileError);
}
