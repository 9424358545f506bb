// The needs and the meters' colours at their bounds, per stage family.
#include "growth/Needs.h"

#include <gtest/gtest.h>

#include <tuple>

using needs::Level;
using needs::Meter;

TEST(Needs, HoldFromTheirBoundsOnAndOnlyForTheStagesTheyCanHarm) {
    const auto of = [](const char* stage, const char* body, int health, int full, int dirty) {
        const needs::Needs n = needs::Of(stage, body, health, full, dirty);
        return std::make_tuple(n.hungry, n.dirty, n.sick);
    };
    EXPECT_EQ(of("Baby", "Normal", 60, 21, 54), std::make_tuple(false, false, false));
    EXPECT_EQ(of("Baby", "Normal", 59, 20, 55), std::make_tuple(true, true, true));
    EXPECT_EQ(of("Chicken", "Sick", 100, 100, 0), std::make_tuple(false, false, true));
    // The egg and the flower never lose fullness; dirt harms the flower only above 89.
    EXPECT_EQ(of("Egg", "Normal", 100, 0, 55), std::make_tuple(false, true, false));
    EXPECT_EQ(of("Flower", "Normal", 100, 0, 69), std::make_tuple(false, false, false));
    EXPECT_EQ(of("Flower", "Normal", 100, 0, 70), std::make_tuple(false, true, false));
}

TEST(Needs, MetersTurnAmberFifteenPointsBeforeANeedAndRedWhileItHolds) {
    EXPECT_EQ(needs::LevelOf(Meter::Full, "Cock", 36), Level::Good);
    EXPECT_EQ(needs::LevelOf(Meter::Full, "Cock", 35), Level::Close);
    EXPECT_EQ(needs::LevelOf(Meter::Full, "Cock", 20), Level::Need);
    EXPECT_EQ(needs::LevelOf(Meter::Full, "Flower", 0), Level::Good);
    // Dirt counts the other way.
    EXPECT_EQ(needs::LevelOf(Meter::Dirty, "SmallChick", 39), Level::Good);
    EXPECT_EQ(needs::LevelOf(Meter::Dirty, "SmallChick", 40), Level::Close);
    EXPECT_EQ(needs::LevelOf(Meter::Dirty, "Flower", 55), Level::Close);
    EXPECT_EQ(needs::LevelOf(Meter::Dirty, "Flower", 100), Level::Need);
    EXPECT_EQ(needs::LevelOf(Meter::Health, "Baby", 75), Level::Good);
    EXPECT_EQ(needs::LevelOf(Meter::Health, "Baby", 74), Level::Close);
    EXPECT_EQ(needs::LevelOf(Meter::Health, "Baby", 59), Level::Need);
    // Tiredness and boredom are no needs: the pet gets over them by itself.
    EXPECT_EQ(needs::LevelOf(Meter::Energy, "Baby", -5), Level::Good);
    EXPECT_EQ(needs::LevelOf(Meter::Mood, "Baby", 0), Level::Good);
}
