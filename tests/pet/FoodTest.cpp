#include "pet/Food.h"
#include "support/FileError.h"

#include <gtest/gtest.h>

TEST(Food, ReadsTheNineFieldsInOrderLikeAtoi) {
    const Food sour("Lemon -1.25 -3 -4 2 -10 0 -7 3 extra fields are ignored");
    EXPECT_EQ(std::tuple(sour.GetHeight(), sour.GetWeight(), sour.GetHealth(), sour.GetFull(), sour.GetMood(),
                         sour.GetEnergy(), sour.GetStrength(), sour.GetWisdom()),
              std::tuple(-1.25, -3.0, -4, 2, -10, 0, -7, 3));
    // One blank too many shifts the later amounts; the empty field reads 0.
    const Food shifted("Apple 0.5  20 5 30 10 5 0 1");
    EXPECT_EQ(shifted.GetHealth(), 20);
    // A final blank after strength leaves wisdom as one empty field.
    EXPECT_EQ(Food("Apple 0.5 20 5 30 10 5 7 ").GetWisdom(), 0);
    EXPECT_EQ(Food("Cake lots 12kg x 4.9 -2x 1 1 1").GetWeight(), 12.0);
}

TEST(Food, RefusesLinesThatLackFieldsOrAName) {
    EXPECT_THROW(Food(" Apple 0.5 20 5 30 10 5 0 1"), FileError); // empty name
    try {
        Food("Apple 0.5 20 5 30 10 5 7");
        FAIL() << "accepted a short line";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("wisdom"), std::string::npos) << error.what();
    }
}
