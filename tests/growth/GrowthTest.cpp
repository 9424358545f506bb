#include "growth/Stages.h"
#include "support/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// The stage a pet of that stage and size grows into, or "" when it stays.
std::string GrowsInto(const std::string& stage, double height, double weight, int health = 80,
                      int dirty = 10) {
    auto s = MakeStage(stage, {.height = height, .weight = weight, .health = health, .dirty = dirty});
    return SignalFrom<GrowStateChanged>([&] { s->Grow(); });
}

struct Case {
    const char* stage;
    double height, weight;
    const char* next;
};
} // namespace

// The game clones only prototypes, whose count is 0: a clone of a counting egg is never made.
TEST(Growth, EggHatchesOnItsSixthCheck) {
    auto egg = MakeStage("Egg", {.health = 0, .full = 0, .dirty = 100, .energy = 0});
    for (int check = 1; check <= 4; ++check) {
        egg->Grow(); // a hatch here would escape and fail the test
    }
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { egg->Grow(); }), "");
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { egg->Grow(); }), "SmallBaby");
}

TEST(Growth, StrictThresholdsOfEveryStageInOrder) {
    const Case cases[] = {
        {"SmallBaby", 20.1, 550.1, "Baby"},
        {"SmallBaby", 20.0, 900, ""},
        {"SmallChick", 75.5, 961, "Chicken"},
        {"SmallChick", 75, 1000, ""},
        {"Cock", 121, 959, "BigCock"},
        {"Cock", 121, 960, ""},
        // The baby tries big baby, then small cock, then small chick.
        {"Baby", 44, 801, "BigBaby"},
        {"Baby", 45, 900, "SmallChick"},
        {"Baby", 44, 800, "SmallChick"},
        {"Baby", 46, 599, "SmallCock"},
        {"Baby", 46, 600, ""},
        {"Baby", 38, 640, ""},
        {"BigBaby", 70, 1300, "Flower"},
        {"BigBaby", 75, 1300, ""},
        {"BigBaby", 80, 1000, "Chicken"},
        {"BigBaby", 80, 960, ""},
        {"SmallCock", 95, 800, "Cock"},
        {"SmallCock", 90, 800, ""},
        {"SmallCock", 76, 961, "Chicken"},
        {"SmallCock", 75, 961, ""},
        {"Chicken", 240, 5000, ""},
        {"Flower", 240, 5000, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight), c.next)
            << c.stage << " " << c.height << " " << c.weight;
    }
}

TEST(Growth, OnlyAFitPetGrows) {
    for (const Case& c : {Case{"SmallBaby", 25, 600, "Baby"}, Case{"BigBaby", 70, 1300, "Flower"},
                          Case{"SmallCock", 95, 800, "Cock"}}) {
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 41, 34), c.next) << c.stage;
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 40, 34), "") << c.stage;
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 41, 35), "") << c.stage;
    }
}
