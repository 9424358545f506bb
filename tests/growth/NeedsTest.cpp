// The needs and the meters' colours at their bounds, per stage family.
#include "growth/Needs.h"

#include <gtest/gtest.h>

using needs::Meter;

TEST(Needs, HoldFromTheirBoundsWhereTheyCanHarmAndMetersTurnAmberFifteenPointsBefore) {
    const auto held = [](const char* stage, const char* body, int health, int full, int dirty) {
        const needs::Needs n = needs::Of(stage, body, health, full, dirty);
        return std::to_string(n.hungry) + std::to_string(n.dirty) + std::to_string(n.sick);
    };
    EXPECT_EQ(held("Baby", "Normal", 60, 21, 54), "000");
    EXPECT_EQ(held("Baby", "Normal", 59, 20, 55), "111");
    EXPECT_EQ(held("Chicken", "Sick", 100, 100, 0), "001");
    // The egg and the flower never lose fullness; dirt harms the flower only above 89.
    EXPECT_EQ(held("Egg", "Normal", 100, 0, 55) + held("Flower", "Normal", 100, 0, 69), "010000");
    EXPECT_EQ(held("Flower", "Normal", 100, 0, 70), "010");

    const auto levels = [](Meter meter, const char* stage, std::initializer_list<int> values) {
        std::string codes; // Good, Close (amber), Need (red)
        for (const int value : values) {
            codes += "GCN"[static_cast<int>(needs::LevelOf(meter, stage, value))];
        }
        return codes;
    };
    EXPECT_EQ(levels(Meter::Full, "Cock", {36, 35, 21, 20}) + levels(Meter::Full, "Flower", {0}), "GCCNG");
    // Dirt counts the other way.
    EXPECT_EQ(levels(Meter::Dirty, "SmallChick", {39, 40, 54, 55}), "GCCN");
    EXPECT_EQ(levels(Meter::Dirty, "Flower", {54, 55, 69, 70}), "GCCN");
    EXPECT_EQ(levels(Meter::Health, "Baby", {75, 74, 60, 59}), "GCCN");
    // Tiredness and boredom are no needs: the pet gets over them by itself.
    EXPECT_EQ(levels(Meter::Energy, "Baby", {-5}) + levels(Meter::Mood, "Baby", {0}), "GG");
}
