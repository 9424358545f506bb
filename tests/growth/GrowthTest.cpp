#include "core/Signals.h"
#include "growth/Stages.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// The stage a pet of that stage and size grows into, or "" when it stays.
std::string GrowsInto(const std::string& stage, double height, double weight, int health = 80,
                      int dirty = 10) {
    auto s = MakeStage(stage, {.height = height, .weight = weight, .health = health, .dirty = dirty});
    return SignalFrom<GrowStateChanged>([&] { s->Grow(); });
}
} // namespace

TEST(Growth, EggHatchesOnItsSixthCheckWhateverItsState) {
    auto egg = MakeStage("Egg", {.health = 0, .full = 0, .dirty = 100, .energy = 0});
    for (int check = 1; check <= 5; ++check) {
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { egg->Grow(); }), "") << check;
    }
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { egg->Grow(); }), "SmallBaby");

    // A clone keeps the count; the text form does not carry it.
    auto fresh = MakeStage("Egg");
    for (int check = 0; check < 4; ++check) {
        fresh->Grow();
    }
    EXPECT_EQ(dynamic_cast<Egg&>(*fresh).GetHatchCount(), 4);
    auto clone = fresh->Clone();
    clone->Grow();
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { clone->Grow(); }), "SmallBaby");
    auto reloaded = MakeStage("Egg");
    reloaded->FromString(fresh->ToString());
    for (int check = 1; check <= 5; ++check) {
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { reloaded->Grow(); }), "") << check;
    }
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { reloaded->Grow(); }), "SmallBaby");
}

TEST(Growth, SmallBabyAndSingleTargetStages) {
    EXPECT_EQ(GrowsInto("SmallBaby", 20.1, 550.1), "Baby");
    EXPECT_EQ(GrowsInto("SmallBaby", 20.0, 900.0), "");
    EXPECT_EQ(GrowsInto("SmallBaby", 30.0, 550.0), "");

    EXPECT_EQ(GrowsInto("SmallChick", 75.5, 961.0), "Chicken");
    EXPECT_EQ(GrowsInto("SmallChick", 75.0, 1000.0), "");
    EXPECT_EQ(GrowsInto("SmallChick", 80.0, 960.0), "");

    EXPECT_EQ(GrowsInto("Cock", 121.0, 959.0), "BigCock");
    EXPECT_EQ(GrowsInto("Cock", 121.0, 960.0), "");
    EXPECT_EQ(GrowsInto("Cock", 120.0, 900.0), "");
    EXPECT_EQ(GrowsInto("Cock", 240.0, -5.0), "BigCock");

    for (const char* last : {"Chicken", "BigCock", "Flower"}) {
        EXPECT_EQ(GrowsInto(last, 240.0, 5000.0), "") << last;
        EXPECT_EQ(GrowsInto(last, 0.0, 0.0), "") << last;
    }
}

TEST(Growth, BabyTriesBigBabyThenSmallCockThenSmallChick) {
    EXPECT_EQ(GrowsInto("Baby", 44.0, 801.0), "BigBaby");
    EXPECT_EQ(GrowsInto("Baby", 40.0, 900.0), "BigBaby"); // would also be a small chick
    EXPECT_EQ(GrowsInto("Baby", 45.0, 900.0), "SmallChick");
    EXPECT_EQ(GrowsInto("Baby", 44.0, 800.0), "SmallChick");
    EXPECT_EQ(GrowsInto("Baby", 46.0, 599.0), "SmallCock");
    EXPECT_EQ(GrowsInto("Baby", 46.0, 600.0), "");
    EXPECT_EQ(GrowsInto("Baby", 45.0, 500.0), "");
    EXPECT_EQ(GrowsInto("Baby", 44.0, 700.0), "SmallChick");
    EXPECT_EQ(GrowsInto("Baby", 44.0, 600.0), "");
    EXPECT_EQ(GrowsInto("Baby", 37.0, 700.0), "");
    EXPECT_EQ(GrowsInto("Baby", 38.0, 640.0), "");
}

TEST(Growth, BigBabyAndSmallCockChooseByHeightAndWeight) {
    EXPECT_EQ(GrowsInto("BigBaby", 70.0, 1300.0), "Flower");
    EXPECT_EQ(GrowsInto("BigBaby", 74.9, 1200.0), "");
    EXPECT_EQ(GrowsInto("BigBaby", 80.0, 1000.0), "Chicken");
    EXPECT_EQ(GrowsInto("BigBaby", 80.0, 960.0), "");
    EXPECT_EQ(GrowsInto("BigBaby", 75.0, 1300.0), "");
    EXPECT_EQ(GrowsInto("BigBaby", 75.0, 1000.0), "");

    EXPECT_EQ(GrowsInto("SmallCock", 95.0, 800.0), "Cock");
    EXPECT_EQ(GrowsInto("SmallCock", 95.0, 1000.0), "Chicken");
    EXPECT_EQ(GrowsInto("SmallCock", 90.0, 800.0), "");
    EXPECT_EQ(GrowsInto("SmallCock", 91.0, 840.0), "");
    EXPECT_EQ(GrowsInto("SmallCock", 76.0, 961.0), "Chicken");
    EXPECT_EQ(GrowsInto("SmallCock", 75.0, 961.0), "");
}

TEST(Growth, OnlyAFitPetGrows) {
    struct Case {
        const char* stage;
        double height, weight;
        const char* next;
    };
    for (const Case& c : {Case{"SmallBaby", 25, 600, "Baby"}, Case{"Baby", 44, 801, "BigBaby"},
                          Case{"Baby", 46, 500, "SmallCock"}, Case{"Baby", 40, 700, "SmallChick"},
                          Case{"BigBaby", 70, 1300, "Flower"}, Case{"BigBaby", 80, 1000, "Chicken"},
                          Case{"SmallChick", 80, 1000, "Chicken"}, Case{"SmallCock", 95, 800, "Cock"},
                          Case{"SmallCock", 95, 1000, "Chicken"}, Case{"Cock", 121, 900, "BigCock"}}) {
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 41, 34), c.next) << c.stage;
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 40, 34), "") << c.stage;
        EXPECT_EQ(GrowsInto(c.stage, c.height, c.weight, 41, 35), "") << c.stage;
    }
}
