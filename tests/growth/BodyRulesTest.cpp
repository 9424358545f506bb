#include "growth/GrowState.h"
#include "support/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
using Check = void (GrowState::*)();
const Check kNormal = &GrowState::CheckNormal, kSleep = &GrowState::CheckSleep, kSick = &GrowState::CheckSick,
            kBored = &GrowState::CheckBored, kSmile = &GrowState::CheckSmile;

struct Case {
    Check check;
    Stats stats;
    const char* next; // the body state the check sends the pet to, or "" when none
};

std::string After(const std::string& stage, const Case& c) {
    auto s = MakeStage(stage, c.stats);
    return SignalFrom<BodyStateChanged>([&] { (s.get()->*c.check)(); });
}

// The checks of the common stages and the chicks, which differ only in when they fall asleep.
std::vector<Case> CommonCases(int sleepAt) {
    return {
        {kNormal, {.health = 5, .dirty = 95, .energy = sleepAt}, "Sleep"},
        {kNormal, {.health = 20, .dirty = 90, .mood = 15, .energy = sleepAt + 1}, ""},
        {kNormal, {.health = 19, .mood = 0, .energy = 20}, "Sick"},
        {kNormal, {.dirty = 0, .mood = 14, .energy = 49}, "Bored"},
        {kNormal, {.dirty = 0, .mood = 14, .energy = 50}, ""},
        {kNormal, {.dirty = 29, .mood = 61}, "Smile"},
        {kNormal, {.dirty = 30, .mood = 61}, ""},
        {kSick, {.health = 21, .dirty = 74}, "Normal"},
        {kSick, {.health = 21, .dirty = 75}, ""},
        {kBored, {.health = 5, .dirty = 95, .mood = 90, .energy = sleepAt}, "Sleep"},
        {kBored, {.health = 24, .mood = 90, .energy = 90}, "Sick"},
        {kBored, {.health = 25, .dirty = 85, .mood = 0, .energy = 51}, "Normal"},
        {kBored, {.health = 50, .dirty = 10, .mood = 20, .energy = 50}, ""},
        {kSmile, {.health = 5, .dirty = 95, .mood = 0, .energy = sleepAt}, "Sleep"},
        {kSmile, {.health = 19, .dirty = 95, .mood = 0, .energy = sleepAt + 1}, "Sick"},
        {kSmile, {.dirty = 10, .mood = 49, .energy = 50}, "Normal"},
        {kSmile, {.dirty = 30, .mood = 50, .energy = 50}, ""},
    };
}
} // namespace

TEST(BodyRules, CommonStagesAndChicksCheckInOrder) {
    for (const auto& [stages, sleepAt] :
         {std::pair{std::vector<std::string>{"SmallBaby", "Baby", "BigBaby", "SmallCock", "Cock", "BigCock"},
                    9},
          std::pair{std::vector<std::string>{"SmallChick", "Chicken"}, 19}}) {
        const std::vector<Case> cases = CommonCases(sleepAt);
        for (const std::string& stage : stages) {
            for (std::size_t i = 0; i < cases.size(); ++i) {
                EXPECT_EQ(After(stage, cases[i]), cases[i].next) << stage << " case " << i;
            }
        }
    }
}

TEST(BodyRules, SleepEndsAboveEachStagesWakeLevel) {
    const std::pair<const char*, int> wake[] = {{"SmallBaby", 40}, {"SmallCock", 40},  {"Cock", 40},
                                                {"BigCock", 40},   {"Baby", 60},       {"BigBaby", 60},
                                                {"Flower", 60},    {"SmallChick", 75}, {"Chicken", 75}};
    for (const auto& [stage, level] : wake) {
        EXPECT_EQ(After(stage, {kSleep, {.energy = level}, ""}), "") << stage;
        EXPECT_EQ(After(stage, {kSleep, {.health = 0, .dirty = 100, .energy = level + 1}, ""}), "Normal")
            << stage;
    }
}

TEST(BodyRules, FlowerSleepsAndSmilesButNeverSickensAndTheEggNeverChanges) {
    for (const Case& c : {Case{kNormal, {.health = 5, .dirty = 95, .mood = 0, .energy = 9}, "Sleep"},
                          Case{kNormal, {.health = 5, .dirty = 95, .mood = 0, .energy = 10}, ""},
                          Case{kNormal, {.dirty = 29, .mood = 41, .energy = 10}, "Smile"},
                          Case{kSmile, {.dirty = 95, .mood = 0, .energy = 9}, "Sleep"},
                          Case{kSmile, {.health = 5, .dirty = 30, .mood = 50, .energy = 10}, ""},
                          Case{kSmile, {.dirty = 30, .mood = 49, .energy = 10}, "Normal"},
                          Case{kSick, {.health = 100, .dirty = 0}, ""},
                          Case{kBored, {.health = 5, .mood = 100, .energy = 0}, ""}}) {
        EXPECT_EQ(After("Flower", c), c.next);
    }
    for (Check check : {kNormal, kSleep, kSick, kBored, kSmile}) {
        EXPECT_EQ(After("Egg", {check, {.health = 0, .dirty = 100, .mood = 0, .energy = 0}, ""}), "");
    }
}
