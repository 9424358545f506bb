#include "growth/Food.h"
#include "growth/GrowState.h"
#include "support/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {
const Food kApple("Apple 0.5 20 5 30 10 5 3 1");
ScriptedGame kGame(2, 2, 2, 2);
using S = GrowState;
using Rule = std::function<void(GrowState&)>;
const Rule kFeedSleep = [](S&s) { s.FeedSleep(kApple); }, kFeedSick = [](S&s) { s.FeedSick(kApple); },
           kPlaySleep = [](S&s) { s.PlaySleep(kGame); }, kPlaySick = [](S&s) { s.PlaySick(kGame); },
           kPlayBored = [](S&s) { s.PlayBored(kGame); };

// A rule run on a new stage of each of the given names, with the given statistics and draws.
struct Case {
    Stats stats;
    std::initializer_list<int> draws;
    Rule rule;
    // The signal raised (if any) | the statistics after it | the reseeds ('S'), draws ('D') and
    // plays of the game ('P') in their order.
    std::string expected;
};

void Check(const std::vector<std::string>& stages, const std::vector<Case>& cases) {
    for (const std::string& stage : stages) {
        for (const Case& c : cases) {
            ScriptedRandom random(c.draws);
            auto s = MakeStage(stage, c.stats);
            const int plays = kGame.plays;
            std::ostringstream signal;
            try {
                c.rule(*s);
            } catch (const Exception& raised) {
                signal << raised;
            }
            EXPECT_EQ(signal.str() + "|" + s->ToString() + "|" + random.log +
                          std::string(kGame.plays - plays, 'P'),
                      c.expected)
                << stage << ", case " << &c - cases.data(); // every scripted draw shows as a 'D'
        }
    }
}

// The statistics line of an unchanged height, weight, strength and wisdom, then `rest`.
std::string Base(const std::string& rest) {
    return "|30.000000 500.000000 0 0 " + rest;
}
const std::string kUnchanged = Base("80 50 10 50 50 |SD"),
                  kFed = "|30.500000 520.000000 3 1 85 80 10 60 55 |",
                  kPlayed = "|30.000000 500.000000 2 2 80 52 10 50 52 |",
                  kFull = "InvalidOperation: I'm already Full!|";
// The signals, as their text form shows them through the base class.
const std::string kStarving = "Die: Die From Starving!", kUnhealthy = "Die: Die From Unhealthiness!",
                  kEnough = "InvalidOperation: I'm clean Enough!";
} // namespace

TEST(RandomRules, CleaningDrawsAndCuringDrawsOnlyBelow60) {
    Check({"Baby"}, {{{.dirty = 50}, {3}, &S::CleanNormal, Base("80 50 39 50 50 |SD")},
                     {{.dirty = 5}, {0}, &S::CleanSick, Base("80 50 0 50 50 |SD")},
                     {{.health = 59}, {19}, &S::CureNormal, Base("98 50 10 50 50 |SD")},
                     {{.health = 60}, {}, &S::CureSmile, Base("60 50 10 50 50 |S")}});
    Check({"Flower"}, {{{.dirty = 0}, {3}, &S::CleanSleep, kEnough + Base("80 50 0 50 50 |SD")}});
    Check({"Cock"}, {{{.health = 10}, {25}, &S::CureBored, Base("35 50 10 50 50 |SD")}});
}

TEST(RandomRules, LifeSteps) {
    Check({"Baby"}, {{{}, {4, 3, 2, 1}, &S::LiveNormal, Base("80 48 14 46 47 |SDDDD")}});
    // Dirty above 89 after the change costs health; at 89 it does not.
    Check({"Chicken"}, {{{.dirty = 85}, {0, 0, 0, 4, 2}, &S::LiveSick, Base("75 50 92 50 50 |SDDDDD")},
                        {{.dirty = 86}, {0, 0, 0, 0}, &S::LiveBored, Base("80 50 89 50 50 |SDDDD")}});
    // Starving stops the step after mood and energy.
    Check({"Cock"},
          {{{.full = 2, .mood = 2}, {4, 4, 3}, &S::LiveSmile, kStarving + Base("80 2 10 -2 46 |SDDD")}});
    // The egg only dirties and sleeps by the default rule; the flower never gets hungry and loses
    // up to 10 health asleep when very dirty.
    Check({"Egg"}, {{{.full = 0, .mood = 0, .energy = 0}, {4}, &S::LiveNormal, Base("80 0 15 0 0 |SD")},
                    {{.full = 16}, {3, 4, 4, 2}, &S::LiveSleep, Base("81 14 10 55 60 |SDDDD")},
                    {{.full = 15, .dirty = 90}, {1, 0, 0, 4}, &S::LiveSleep, Base("76 15 90 51 56 |SDDDD")}});
    Check(
        {"Flower"},
        {{{.full = 0}, {0, 0, 2}, &S::LiveNormal, Base("80 0 13 49 49 |SDDD")},
         {{.health = 3, .dirty = 86}, {0, 0, 4, 1}, &S::LiveBored, kUnhealthy + Base("3 50 91 49 49 |SDDDD")},
         {{.full = 90, .dirty = 90}, {2, 9, 4, 9}, &S::LiveSleep, Base("72 90 90 55 64 |SDDDD")}});
    // The families that share the sleepy eating rules: no dirtying asleep, and earlier changes stay.
    Check({"BigBaby", "Chicken", "SmallCock"},
          {{{.full = 21}, {2, 9, 4, 2}, &S::LiveSleep, Base("82 19 10 55 64 |SDDDD")},
           {{.health = 2, .full = 10, .dirty = 95},
            {0, 0, 0, 4},
            &S::LiveSleep,
            kUnhealthy + Base("2 10 95 51 55 |SDDDD")}});
}

TEST(RandomRules, SleepingSickAndBoredPetsMayRefuseFoodAndGames) {
    Check({"BigBaby", "Chicken", "SmallCock"},
          {{{}, {6}, kFeedSleep, "InvalidOperation: Shhhhh, I'm Sleeping!" + kUnchanged},
           {{}, {7}, kFeedSleep, kFed + "SD"},
           {{}, {6}, kFeedSick, "InvalidOperation: I don't wanna eat anything. =(" + kUnchanged},
           {{}, {5}, kFeedSick, kFed + "SD"}});
    Check({"Baby"},
          {{{.full = 100}, {8}, kFeedSleep, kFull + "30.500000 520.000000 3 1 85 100 10 50 50 |SD"}});
    Check({"BigBaby", "Flower"},
          {{{}, {4}, kPlaySleep, "InvalidOperation: Shhhhh, I'm Sleeping!" + kUnchanged}});
    Check({"BigBaby"}, {{{}, {5}, kPlaySleep, kPlayed + "SDP"}});
    Check({"Chicken"}, {{{}, {1}, kPlaySick, "InvalidOperation: I don't wanna play with you!" + kUnchanged},
                        {{}, {0}, kPlaySick, kPlayed + "SDP"},
                        {{}, {}, kPlayBored, kPlayed + "P"}});
    Check({"Cock"}, {{{}, {5}, kPlayBored, "InvalidOperation: I don't wanna play with you!" + kUnchanged},
                     {{}, {4}, kPlayBored, kPlayed + "SDP"}});
    // The default rule keeps what a game changed before a refusal.
    Check({"Baby"}, {{{.full = 100},
                      {},
                      [](S& s) { s.PlayNormal(kGame); },
                      kFull + "30.000000 500.000000 2 2 80 100 10 50 52 |P"}});
    // The others never refuse and never draw.
    Check({"SmallBaby"}, {{{}, {}, kFeedSick, kFed}});
    Check({"Flower"}, {{{}, {}, kFeedSick, "|30.500000 520.000000 3 1 85 50 10 60 55 |"},
                       {{}, {5}, kPlaySleep, "|30.000000 500.000000 2 2 80 50 10 50 52 |SDP"}});
    Check({"SmallCock"}, {{{}, {}, kPlaySick, kPlayed + "P"}});
}

TEST(RandomRules, SmilingChicksMakeMoreOfTheirFood) {
    // Strength 10 * 1.19 and mood 10 * 1.05, truncated; a negative amount truncates toward zero,
    // and full stops the meal before the mood draw.
    Check({"SmallChick", "Chicken"}, {{{},
                                       {19, 10, 19, 5},
                                       [](S& s) { s.FeedSmile(Food("Grain 10 100 5 10 10 5 10 2")); },
                                       "|41.900000 610.000000 11 2 85 60 10 60 55 |SDDDD"},
                                      {{.full = 100},
                                       {0, 0, 19},
                                       [](S& s) { s.FeedSmile(Food("Bitter 0 0 1 5 -10 0 -10 0")); },
                                       kFull + "30.000000 500.000000 -11 0 81 100 10 50 50 |SDDD"}});
}
