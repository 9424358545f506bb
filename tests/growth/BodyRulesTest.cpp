#include "core/Signals.h"
#include "growth/GrowState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
using Check = void (GrowState::*)();

// The body state a check sends a pet of that stage and statistics to, or "" when none.
std::string After(const std::string& stage, Check check, const Stats& stats) {
    auto s = MakeStage(stage, stats);
    return SignalFrom<BodyStateChanged>([&] { (s.get()->*check)(); });
}

const std::vector<std::string> kCommon = {"SmallBaby", "Baby", "BigBaby", "SmallCock", "Cock", "BigCock"};
const std::vector<std::string> kChicks = {"SmallChick", "Chicken"};
} // namespace

TEST(BodyRules, NormalCheckOfCommonAndChicks) {
    for (const auto& family : {std::pair{kCommon, 9}, std::pair{kChicks, 19}}) {
        const int sleepAt = family.second;
        for (const std::string& st : family.first) {
            const Check n = &GrowState::CheckNormal;
            EXPECT_EQ(After(st, n, {}), "") << st;
            EXPECT_EQ(After(st, n, {.health = 5, .dirty = 95, .energy = sleepAt}), "Sleep") << st;
            EXPECT_EQ(After(st, n, {.mood = 50, .energy = sleepAt + 1}), "") << st;
            EXPECT_EQ(After(st, n, {.health = 19, .mood = 0, .energy = 20}), "Sick") << st;
            EXPECT_EQ(After(st, n, {.dirty = 91, .mood = 0, .energy = 20}), "Sick") << st;
            EXPECT_EQ(After(st, n, {.health = 20, .dirty = 90, .energy = 20}), "") << st;
            EXPECT_EQ(After(st, n, {.dirty = 0, .mood = 14, .energy = 49}), "Bored") << st;
            EXPECT_EQ(After(st, n, {.dirty = 0, .mood = 14, .energy = 50}), "") << st;
            EXPECT_EQ(After(st, n, {.dirty = 0, .mood = 15, .energy = 49}), "") << st;
            EXPECT_EQ(After(st, n, {.dirty = 29, .mood = 61}), "Smile") << st;
            EXPECT_EQ(After(st, n, {.dirty = 30, .mood = 61}), "") << st;
            EXPECT_EQ(After(st, n, {.dirty = 29, .mood = 60}), "") << st;
        }
    }
    EXPECT_EQ(After("Baby", &GrowState::CheckNormal, {.energy = 15}), "");
    EXPECT_EQ(After("Chicken", &GrowState::CheckNormal, {.energy = 15}), "Sleep");
    EXPECT_EQ(After("Baby", &GrowState::CheckNormal, {.health = 80, .dirty = 20, .mood = 10, .energy = 50}),
              "");
}

TEST(BodyRules, SleepEndsAboveEachStagesWakeLevel) {
    const std::pair<const char*, int> wake[] = {{"SmallBaby", 40}, {"SmallCock", 40},  {"Cock", 40},
                                                {"BigCock", 40},   {"Baby", 60},       {"BigBaby", 60},
                                                {"Flower", 60},    {"SmallChick", 75}, {"Chicken", 75}};
    for (const auto& [stage, level] : wake) {
        EXPECT_EQ(After(stage, &GrowState::CheckSleep, {.energy = level}), "") << stage;
        EXPECT_EQ(After(stage, &GrowState::CheckSleep, {.health = 0, .dirty = 100, .energy = level + 1}),
                  "Normal")
            << stage;
    }
}

TEST(BodyRules, SickAndBoredChecksOfCommonAndChicks) {
    for (const auto& family : {std::pair{kCommon, 9}, std::pair{kChicks, 19}}) {
        const int sleepAt = family.second;
        for (const std::string& st : family.first) {
            const Check sick = &GrowState::CheckSick;
            EXPECT_EQ(After(st, sick, {.health = 21, .dirty = 74}), "Normal") << st;
            EXPECT_EQ(After(st, sick, {.health = 21, .dirty = 75}), "") << st;
            EXPECT_EQ(After(st, sick, {.health = 20, .dirty = 0}), "") << st;

            const Check bored = &GrowState::CheckBored;
            EXPECT_EQ(After(st, bored, {.health = 5, .dirty = 95, .mood = 90, .energy = sleepAt}), "Sleep")
                << st;
            EXPECT_EQ(After(st, bored, {.health = 24, .mood = 90, .energy = 90}), "Sick") << st;
            EXPECT_EQ(After(st, bored, {.dirty = 86, .mood = 90, .energy = 90}), "Sick") << st;
            EXPECT_EQ(After(st, bored, {.health = 25, .dirty = 85, .mood = 0, .energy = 51}), "Normal") << st;
            EXPECT_EQ(After(st, bored, {.health = 50, .dirty = 10, .mood = 21, .energy = 30}), "Normal")
                << st;
            EXPECT_EQ(After(st, bored, {.health = 50, .dirty = 10, .mood = 20, .energy = 50}), "") << st;
        }
    }
}

TEST(BodyRules, SmileCheckOfCommonAndChicks) {
    for (const auto& family : {std::pair{kCommon, 9}, std::pair{kChicks, 19}}) {
        const int sleepAt = family.second;
        for (const std::string& st : family.first) {
            const Check smile = &GrowState::CheckSmile;
            EXPECT_EQ(After(st, smile, {.health = 5, .dirty = 95, .mood = 0, .energy = sleepAt}), "Sleep")
                << st;
            EXPECT_EQ(After(st, smile, {.health = 19, .dirty = 95, .mood = 0, .energy = sleepAt + 1}), "Sick")
                << st;
            EXPECT_EQ(After(st, smile, {.dirty = 91, .mood = 90, .energy = 90}), "Sick") << st;
            EXPECT_EQ(After(st, smile, {.health = 50, .dirty = 31, .mood = 80, .energy = 50}), "Normal")
                << st;
            EXPECT_EQ(After(st, smile, {.dirty = 10, .mood = 49, .energy = 50}), "Normal") << st;
            EXPECT_EQ(After(st, smile, {.dirty = 30, .mood = 50, .energy = 50}), "") << st;
        }
    }
}

TEST(BodyRules, FlowerSleepsSmilesButNeverSickens) {
    const std::string f = "Flower";
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.health = 5, .dirty = 95, .mood = 0, .energy = 9}), "Sleep");
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.health = 5, .dirty = 95, .mood = 0, .energy = 10}), "");
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.dirty = 29, .mood = 41, .energy = 10}), "Smile");
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.dirty = 29, .mood = 40, .energy = 10}), "");
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.dirty = 30, .mood = 90, .energy = 10}), "");
    EXPECT_EQ(After(f, &GrowState::CheckNormal, {.dirty = 10, .mood = 0, .energy = 40}), ""); // never bored

    EXPECT_EQ(After(f, &GrowState::CheckSmile, {.dirty = 95, .mood = 0, .energy = 9}), "Sleep");
    EXPECT_EQ(After(f, &GrowState::CheckSmile, {.health = 5, .dirty = 30, .mood = 50, .energy = 10}), "");
    EXPECT_EQ(After(f, &GrowState::CheckSmile, {.dirty = 31, .mood = 50, .energy = 10}), "Normal");
    EXPECT_EQ(After(f, &GrowState::CheckSmile, {.dirty = 30, .mood = 49, .energy = 10}), "Normal");

    // Sick and bored flowers stay so.
    EXPECT_EQ(After(f, &GrowState::CheckSick, {.health = 100, .dirty = 0}), "");
    EXPECT_EQ(After(f, &GrowState::CheckBored, {.health = 5, .mood = 100, .energy = 0}), "");
}

TEST(BodyRules, EggNeverChangesBodyState) {
    for (const Stats& stats : {Stats{.health = 0, .dirty = 100, .mood = 0, .energy = 0},
                               Stats{.health = 100, .dirty = 0, .mood = 100, .energy = 100}}) {
        for (Check check : {&GrowState::CheckNormal, &GrowState::CheckSleep, &GrowState::CheckSick,
                            &GrowState::CheckBored, &GrowState::CheckSmile}) {
            EXPECT_EQ(After("Egg", check, stats), "");
        }
    }
}
