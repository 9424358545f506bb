#include "growth/Food.h"
#include "growth/FoodEffects.h"
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

TEST(Food, ItsLineTellsHeightWeightFullnessMoodEnergyAndHealthWithSignsAndLeavesOutWhatItDoesNotChange) {
    EXPECT_EQ(growth::EffectLine(Food("Cake 0.2 120 -5 35 20 5 0 0")),
              "+0.2 cm  +120 g  full +35  mood +20  energy +5  health -5");
    EXPECT_EQ(growth::EffectLine(Food("Medicine 0.0 -5 30 0 -10 0 0 0")), "-5 g  mood -10  health +30");
    EXPECT_EQ(growth::EffectLine(Food("Crumb 0.04 2.6 0 0 0 0 3 3")), "+3 g");
    EXPECT_EQ(growth::EffectLine(Food("Water 0 0 0 0 0 0 0 0")), "no effect");
}
