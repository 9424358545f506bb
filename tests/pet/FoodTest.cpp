#include "pet/Food.h"
#include "core/FileError.h"

#include <gtest/gtest.h>

TEST(Food, ReadsTheNineFieldsInOrder) {
    const Food apple("Apple 0.5 20 5 30 10 5 0 1");
    EXPECT_EQ(apple.GetName(), "Apple");
    EXPECT_EQ(apple.GetHeight(), 0.5);
    EXPECT_EQ(apple.GetWeight(), 20.0);
    EXPECT_EQ(apple.GetHealth(), 5);
    EXPECT_EQ(apple.GetFull(), 30);
    EXPECT_EQ(apple.GetMood(), 10);
    EXPECT_EQ(apple.GetEnergy(), 5);
    EXPECT_EQ(apple.GetStrength(), 0);
    EXPECT_EQ(apple.GetWisdom(), 1);

    const Food sour("Lemon -1.25 -3 -4 2 -10 0 -7 3 extra fields are ignored");
    EXPECT_EQ(sour.GetHeight(), -1.25);
    EXPECT_EQ(sour.GetWeight(), -3.0);
    EXPECT_EQ(sour.GetHealth(), -4);
    EXPECT_EQ(sour.GetMood(), -10);
    EXPECT_EQ(sour.GetStrength(), -7);
    EXPECT_EQ(sour.GetWisdom(), 3);
}

TEST(Food, BlanksAndBadNumbers) {
    // A final blank changes nothing.
    const Food withBlank("Apple 0.5 20 5 30 10 5 0 1 ");
    EXPECT_EQ(withBlank.GetWisdom(), 1);
    EXPECT_EQ(withBlank.GetStrength(), 0);

    // One blank too many shifts the later amounts; the empty field reads 0.
    const Food shifted("Apple 0.5  20 5 30 10 5 0 1");
    EXPECT_EQ(shifted.GetWeight(), 0.0);
    EXPECT_EQ(shifted.GetHealth(), 20);
    EXPECT_EQ(shifted.GetFull(), 5);
    EXPECT_EQ(shifted.GetWisdom(), 0);

    // Stopping after strength with a final blank leaves wisdom as one empty field.
    const Food noWisdom("Apple 0.5 20 5 30 10 5 7 ");
    EXPECT_EQ(noWisdom.GetStrength(), 7);
    EXPECT_EQ(noWisdom.GetWisdom(), 0);

    const Food words("Cake lots 12kg x 4.9 -2x 1 1 1");
    EXPECT_EQ(words.GetHeight(), 0.0);
    EXPECT_EQ(words.GetWeight(), 12.0);
    EXPECT_EQ(words.GetHealth(), 0);
    EXPECT_EQ(words.GetFull(), 4);
    EXPECT_EQ(words.GetMood(), -2);
}

TEST(Food, RefusesLinesThatLackFieldsOrAName) {
    EXPECT_THROW(Food("Apple 0.5 20 5 30 10 5 7"), FileError); // wisdom missing, no final blank
    EXPECT_THROW(Food("Apple 0.5 20 5 30 10"), FileError);
    EXPECT_THROW(Food("Apple"), FileError);
    EXPECT_THROW(Food(""), FileError);
    EXPECT_THROW(Food(" Apple 0.5 20 5 30 10 5 0 1"), FileError); // empty name
    try {
        Food("Apple 0.5 20 5 30 10 5 7");
        FAIL() << "accepted a short line";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("wisdom"), std::string::npos) << error.what();
    }
}
