#include "pet/Food.h"
#include "support/FileError.h"

#include <gtest/gtest.h>

TEST(Food, ReadsTheNineFieldsInOrderLikeAtoi) {
    const Food sour("Lemon -1.25 -3 -4 2 -10 0 -7 3 extra fields are ignored");
    EXPECT_EQ(std::tuple(sour.GetHeight(), sour.GetWeight(), sour.GetHealth(), sour.GetFull(), sour.GetMood(),
                         sour.GetEnergy(), sour.GetStrength(), sour.GetWisdom()),
              std::tuple(-1.25, -3.0, -4, 2, -10, 0, -7, 3));
    // A final blank after strength leaves wisdom as one empty field.
    EXPECT_EQ(Food("Apple 0.5 20 5 30 10 5 7 ").GetWisdom(), 0);
}

// A line without its wisdom field is refused by name in the food list's test.
TEST(Food, RefusesALineWithoutANameOrWithANonFiniteHeight) {
    EXPECT_THROW(Food(" Apple 0.5 20 5 30 10 5 0 1"), FileError);
    EXPECT_THROW(Food("Apple nan 20 5 30 10 5 0 1"), FileError);
}
