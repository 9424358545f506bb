#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/Food.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {
const Food kApple("Apple 0.5 20 5 30 10 5 3 1");
ScriptedGame kGame(2, 2, 2, 2);
using S = GrowState;

// A rule run on a new stage of each of the given names, with the given statistics and draws.
struct Case {
    Stats stats;
    std::initializer_list<int> draws;
    std::function<void(GrowState&)> rule;
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
                << stage << ", case " << &c - cases.data();
            EXPECT_EQ(random.Left(), 0u) << stage;
        }
    }
}

const std::string kUnchanged = "30.000000 500.000000 0 0 80 50 10 50 50 ",
                  kFed = "30.500000 520.000000 3 1 85 80 10 60 55 ";
} // namespace

TEST(RandomRules, CleaningDrawsAndCuringDrawsOnlyBelow60) {
    Check(
        {"Baby"},
        {{{.dirty = 50}, {3}, [](S& s) { s.CleanNormal(); }, "|30.000000 500.000000 0 0 80 50 39 50 50 |SD"},
         {{.dirty = 5}, {0}, [](S& s) { s.CleanSick(); }, "|30.000000 500.000000 0 0 80 50 0 50 50 |SD"},
         {{.health = 59}, {19}, [](S& s) { s.CureNormal(); }, "|30.000000 500.000000 0 0 98 50 10 50 50 |SD"},
         {{.health = 60}, {}, [](S& s) { s.CureSmile(); }, "|30.000000 500.000000 0 0 60 50 10 50 50 |S"}});
    Check({"Flower"}, {{{.dirty = 0},
                        {3},
                        [](S& s) { s.CleanSleep(); },
                        "InvalidOperation: I'm clean Enough!|30.000000 500.000000 0 0 80 50 0 50 50 |SD"}});
    Check({"Cock"}, {{{.health = 10},
                      {25},
                      [](S& s) { s.CureBored(); },
                      "|30.000000 500.000000 0 0 35 50 10 50 50 |SD"}});
}

TEST(RandomRules, LifeSteps) {
    Check({"Baby"}, {{{},
                      {4, 3, 2, 1},
                      [](S& s) { s.LiveNormal(); },
                      "|30.000000 500.000000 0 0 80 48 14 46 47 |SDDDD"}});
    // Dirty above 89 after the change costs health; at 89 it does not.
    Check({"Chicken"}, {{{.dirty = 85},
                         {0, 0, 0, 4, 2},
                         [](S& s) { s.LiveSick(); },
                         "|30.000000 500.000000 0 0 75 50 92 50 50 |SDDDDD"},
                        {{.dirty = 86},
                         {0, 0, 0, 0},
                         [](S& s) { s.LiveBored(); },
                         "|30.000000 500.000000 0 0 80 50 89 50 50 |SDDDD"}});
    // Starving stops the step after mood and energy.
    Check({"Cock"}, {{{.full = 2, .mood = 2},
                      {4, 4, 3},
                      [](S& s) { s.LiveSmile(); },
                      "Die: Die From Starving!|30.000000 500.000000 0 0 80 2 10 -2 46 |SDDD"}});
    // The egg only dirties and sleeps by the default rule; the flower never gets hungry and loses
    // up to 10 health asleep when very dirty.
    Check({"Egg"}, {{{.full = 0, .mood = 0, .energy = 0},
                     {4},
                     [](S& s) { s.LiveNormal(); },
                     "|30.000000 500.000000 0 0 80 0 15 0 0 |SD"},
                    {{.full = 16},
                     {3, 4, 4, 2},
                     [](S& s) { s.LiveSleep(); },
                     "|30.000000 500.000000 0 0 81 14 10 55 60 |SDDDD"},
                    {{.full = 15, .dirty = 90},
                     {1, 0, 0, 4},
                     [](S& s) { s.LiveSleep(); },
                     "|30.000000 500.000000 0 0 76 15 90 51 56 |SDDDD"}});
    Check({"Flower"}, {{{.full = 0},
                        {0, 0, 2},
                        [](S& s) { s.LiveNormal(); },
                        "|30.000000 500.000000 0 0 80 0 13 49 49 |SDDD"},
                       {{.health = 3, .dirty = 86},
                        {0, 0, 4, 1},
                        [](S& s) { s.LiveBored(); },
                        "Die: Die From Unhealthiness!|30.000000 500.000000 0 0 3 50 91 49 49 |SDDDD"},
                       {{.full = 90, .dirty = 90},
                        {2, 9, 4, 9},
                        [](S& s) { s.LiveSleep(); },
                        "|30.000000 500.000000 0 0 72 90 90 55 64 |SDDDD"}});
    // The families that share the sleepy eating rules: no dirtying asleep, and earlier changes stay.
    Check({"BigBaby", "Chicken", "SmallCock"},
          {{{.full = 21},
            {2, 9, 4, 2},
            [](S& s) { s.LiveSleep(); },
            "|30.000000 500.000000 0 0 82 19 10 55 64 |SDDDD"},
           {{.health = 2, .full = 10, .dirty = 95},
            {0, 0, 0, 4},
            [](S& s) { s.LiveSleep(); },
            "Die: Die From Unhealthiness!|30.000000 500.000000 0 0 2 10 95 51 55 |SDDDD"}});
}

TEST(RandomRules, SleepingSickAndBoredPetsMayRefuseFoodAndGames) {
    Check({"BigBaby", "Chicken", "SmallCock"},
          {{{},
            {6},
            [](S& s) { s.FeedSleep(kApple); },
            "InvalidOperation: Shhhhh, I'm Sleeping!|" + kUnchanged + "|SD"},
           {{}, {7}, [](S& s) { s.FeedSleep(kApple); }, "|" + kFed + "|SD"},
           {{},
            {6},
            [](S& s) { s.FeedSick(kApple); },
            "InvalidOperation: I don't wanna eat anything. =(|" + kUnchanged + "|SD"},
           {{}, {5}, [](S& s) { s.FeedSick(kApple); }, "|" + kFed + "|SD"}});
    Check({"Baby"}, {{{.full = 100},
                      {8},
                      [](S& s) { s.FeedSleep(kApple); },
                      "InvalidOperation: I'm already Full!|30.500000 520.000000 3 1 85 100 10 50 50 |SD"}});
    Check({"BigBaby", "Flower"}, {{{},
                                   {4},
                                   [](S& s) { s.PlaySleep(kGame); },
                                   "InvalidOperation: Shhhhh, I'm Sleeping!|" + kUnchanged + "|SD"}});
    const std::string played = "30.000000 500.000000 2 2 80 52 10 50 52 ";
    Check({"BigBaby"}, {{{}, {5}, [](S& s) { s.PlaySleep(kGame); }, "|" + played + "|SDP"}});
    Check({"Chicken"}, {{{},
                         {1},
                         [](S& s) { s.PlaySick(kGame); },
                         "InvalidOperation: I don't wanna play with you!|" + kUnchanged + "|SD"},
                        {{}, {0}, [](S& s) { s.PlaySick(kGame); }, "|" + played + "|SDP"},
                        {{}, {}, [](S& s) { s.PlayBored(kGame); }, "|" + played + "|P"}});
    Check({"Cock"}, {{{},
                      {5},
                      [](S& s) { s.PlayBored(kGame); },
                      "InvalidOperation: I don't wanna play with you!|" + kUnchanged + "|SD"},
                     {{}, {4}, [](S& s) { s.PlayBored(kGame); }, "|" + played + "|SDP"}});
    // The others never refuse and never draw.
    Check({"SmallBaby"}, {{{}, {}, [](S& s) { s.FeedSick(kApple); }, "|" + kFed + "|"}});
    Check({"Flower"},
          {{{}, {}, [](S& s) { s.FeedSick(kApple); }, "|30.500000 520.000000 3 1 85 50 10 60 55 |"},
           {{}, {5}, [](S& s) { s.PlaySleep(kGame); }, "|30.000000 500.000000 2 2 80 50 10 50 52 |SDP"}});
    Check({"SmallCock"}, {{{}, {}, [](S& s) { s.PlaySick(kGame); }, "|" + played + "|P"}});
}

TEST(RandomRules, SmilingChicksMakeMoreOfTheirFood) {
    // Strength 10 * 1.19 and mood 10 * 1.05, truncated; a negative amount truncates toward zero,
    // and full stops the meal before the mood draw.
    Check({"SmallChick", "Chicken"},
          {{{},
            {19, 10, 19, 5},
            [](S& s) { s.FeedSmile(Food("Grain 10 100 5 10 10 5 10 2")); },
            "|41.900000 610.000000 11 2 85 60 10 60 55 |SDDDD"},
           {{.full = 100},
            {0, 0, 19},
            [](S& s) { s.FeedSmile(Food("Bitter 0 0 1 5 -10 0 -10 0")); },
            "InvalidOperation: I'm already Full!|30.000000 500.000000 -11 0 81 100 10 50 50 |SDDD"}});
}
