#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/Food.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// One stage of each family that shares the sleepy eating rules.
const std::vector<std::string> kSleepyEaters = {"BigBaby", "Chicken", "SmallCock"};
const Food kApple("Apple 0.5 20 5 30 10 5 3 1");
} // namespace

TEST(RandomRules, CleaningReseedsAndDrawsCuringOnlyBelow60) {
    ScriptedRandom random{3, 0, 3, 19, 25};
    auto s = MakeStage("Baby", {.dirty = 50});
    s->CleanNormal();
    EXPECT_EQ(s->GetDirty(), 39); // 50 - (8 + 3)
    s = MakeStage("Baby", {.dirty = 5});
    s->CleanSick();
    EXPECT_EQ(s->GetDirty(), 0);
    s = MakeStage("Flower", {.dirty = 0});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->CleanSleep(); }), "I'm clean Enough!");
    s = MakeStage("Baby", {.health = 59});
    s->CureNormal();
    EXPECT_EQ(s->GetHealth(), 98); // 59 + 20 + 19
    s = MakeStage("Cock", {.health = 10});
    s->CureBored();
    EXPECT_EQ(s->GetHealth(), 35); // 10 + 20 + 25 % 20
    s = MakeStage("Baby", {.health = 60});
    s->CureSmile();
    EXPECT_EQ(s->GetHealth(), 60);
    EXPECT_EQ(random.log, "SDSDSDSDSDS");
}

TEST(RandomRules, AwakeLifeSteps) {
    ScriptedRandom random{4, 3, 2, 1};
    auto s = MakeStage("Baby");
    s->LiveNormal();
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 80 48 14 46 47 ");

    // Dirty above 89 after the change costs health; at 89 it does not.
    random.Script({0, 0, 0, 4, 2, 0, 0, 0, 0});
    s = MakeStage("Chicken", {.dirty = 85});
    s->LiveSick();
    EXPECT_EQ(s->GetHealth(), 75);
    s = MakeStage("Chicken", {.dirty = 86});
    s->LiveBored();
    EXPECT_EQ(s->GetDirty(), 89);
    EXPECT_EQ(s->GetHealth(), 80);
    EXPECT_EQ(random.log, "SDDDDSDDDDDSDDDD");

    // Starving stops the step after mood and energy.
    random.Script({4, 4, 3});
    s = MakeStage("Cock", {.full = 2, .mood = 2});
    EXPECT_EQ(SignalFrom<Die>([&] { s->LiveSmile(); }), "Die From Starving!");
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 80 2 10 -2 46 ");

    // The egg only dirties; the flower never gets hungry.
    random.log.clear();
    random.Script({4, 0, 0, 2, 0, 0, 4, 1});
    auto egg = MakeStage("Egg", {.full = 0, .mood = 0, .energy = 0});
    egg->LiveNormal();
    EXPECT_EQ(egg->ToString(), "30.000000 500.000000 0 0 80 0 15 0 0 ");
    auto flower = MakeStage("Flower", {.full = 0});
    flower->LiveNormal();
    EXPECT_EQ(flower->ToString(), "30.000000 500.000000 0 0 80 0 13 49 49 ");
    flower = MakeStage("Flower", {.health = 3, .dirty = 86});
    EXPECT_EQ(SignalFrom<Die>([&] { flower->LiveBored(); }), "Die From Unhealthiness!");
    EXPECT_EQ(flower->GetDirty(), 91);
    EXPECT_EQ(random.log, "SDSDDDSDDDD");
}

TEST(RandomRules, SleepingLifeStepPerFamily) {
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{2, 9, 4, 2, 0, 0, 0, 4};
        auto s = MakeStage(name, {.full = 21});
        s->LiveSleep();
        EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 82 19 10 55 64 ") << name;
        s = MakeStage(name, {.health = 2, .full = 10, .dirty = 95});
        EXPECT_EQ(SignalFrom<Die>([&] { s->LiveSleep(); }), "Die From Unhealthiness!") << name;
        EXPECT_EQ(s->GetEnergy(), 55) << name; // earlier steps stay
        EXPECT_EQ(s->GetDirty(), 95) << name;  // no dirtying asleep
        EXPECT_EQ(random.log, "SDDDDSDDDD") << name;
    }
    // The egg sleeps by the default rule.
    ScriptedRandom eggDraws{3, 4, 4, 2, 1, 0, 0, 4};
    auto egg = MakeStage("Egg", {.full = 16});
    egg->LiveSleep();
    EXPECT_EQ(egg->ToString(), "30.000000 500.000000 0 0 81 14 10 55 60 ");
    egg = MakeStage("Egg", {.full = 15, .dirty = 90});
    egg->LiveSleep();
    EXPECT_EQ(egg->ToString(), "30.000000 500.000000 0 0 76 15 90 51 56 ");
    EXPECT_EQ(eggDraws.log, "SDDDDSDDDD");
    // The flower never gets hungry and loses up to 10 health when very dirty.
    eggDraws.Script({2, 9, 4, 9});
    auto flower = MakeStage("Flower", {.full = 90, .dirty = 90});
    flower->LiveSleep();
    EXPECT_EQ(flower->ToString(), "30.000000 500.000000 0 0 72 90 90 55 64 ");
}

TEST(RandomRules, SleepingPetsMayRefuseFoodAndGames) {
    ScriptedGame game(2, 2, 2, 2);
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{6, 7};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSleep(kApple); }), "Shhhhh, I'm Sleeping!");
        s->FeedSleep(kApple);
        EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 80 10 60 55 ") << name;
        EXPECT_EQ(random.log, "SDSD");
    }
    ScriptedRandom random{8};
    auto s = MakeStage("Baby", {.full = 100});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSleep(kApple); }), "I'm already Full!");
    EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 100 10 50 50 ");
    for (const char* name : {"BigBaby", "Flower"}) {
        random.Script({4, 5});
        s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySleep(game); }), "Shhhhh, I'm Sleeping!") << name;
        s->PlaySleep(game);
        EXPECT_EQ(s->GetStrength(), 2) << name;
    }
    EXPECT_EQ(game.plays, 2);
    EXPECT_EQ(random.Left(), 0u);
}

TEST(RandomRules, SickAndBoredPetsMayRefuseFoodAndGames) {
    ScriptedGame game(1, 1, 1, 1);
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{6, 5};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSick(kApple); }),
                  "I don't wanna eat anything. =(");
        s->FeedSick(kApple);
        EXPECT_EQ(s->GetHeight(), 30.5) << name;
        EXPECT_EQ(random.log, "SDSD") << name;
    }
    ScriptedRandom random{1, 0, 5, 4};
    auto chicken = MakeStage("Chicken"), cock = MakeStage("Cock");
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { chicken->PlaySick(game); }), "I don't wanna play with you!");
    chicken->PlaySick(game);
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { cock->PlayBored(game); }), "I don't wanna play with you!");
    cock->PlayBored(game);
    EXPECT_EQ(game.plays, 2);
    EXPECT_EQ(random.log, "SDSDSDSD");
    // The others never refuse and never draw.
    random.log.clear();
    for (const char* name : {"SmallBaby", "Flower"}) {
        auto s = MakeStage(name);
        s->FeedSick(kApple);
        EXPECT_EQ(s->GetWeight(), 520.0) << name;
    }
    MakeStage("SmallCock")->PlaySick(game);
    MakeStage("Chicken")->PlayBored(game);
    EXPECT_EQ(game.plays, 4);
    EXPECT_EQ(random.log, "");
}

TEST(RandomRules, SmilingChicksMakeMoreOfTheirFood) {
    const Food grain("Grain 10 100 5 10 10 5 10 2");
    const Food bitter("Bitter 0 0 1 5 -10 0 -10 0");
    for (const char* name : {"SmallChick", "Chicken"}) {
        ScriptedRandom random{19, 10, 19, 5, 0, 0, 19};
        auto s = MakeStage(name);
        s->FeedSmile(grain); // strength 10 * 1.19 and mood 10 * 1.05, truncated
        EXPECT_EQ(s->ToString(), "41.900000 610.000000 11 2 85 60 10 60 55 ") << name;
        // A negative amount truncates toward zero; full stops the meal before the mood draw.
        s = MakeStage(name, {.full = 100});
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSmile(bitter); }), "I'm already Full!");
        EXPECT_EQ(s->ToString(), "30.000000 500.000000 -11 0 81 100 10 50 50 ") << name;
        EXPECT_EQ(random.log, "SDDDDSDDD") << name;
    }
}
