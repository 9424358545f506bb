#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/Food.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
const std::vector<std::string> kSleepyEaters = {"Baby",    "BigBaby", "SmallChick", "SmallCock",
                                                "Chicken", "Cock",    "BigCock"};
const Food kApple("Apple 0.5 20 5 30 10 5 3 1");
} // namespace

TEST(RandomRules, CleaningReseedsThenDrawsOnce) {
    FixedClock clock(1000);
    ScriptedRandom random{3, 0, 3};
    auto s = MakeStage("Baby", {.dirty = 50});
    s->CleanNormal();
    EXPECT_EQ(s->GetDirty(), 39); // 50 - (8 + 3)
    s = MakeStage("Baby", {.dirty = 5});
    s->CleanSick(); // every body state cleans the same way
    EXPECT_EQ(s->GetDirty(), 0);
    s = MakeStage("Flower", {.dirty = 0});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->CleanSleep(); }), "I'm clean Enough!");
    EXPECT_EQ(random.log, "SDSDSD");
    EXPECT_EQ(random.seeds, (std::vector<unsigned>{1000, 1000, 1000}));
}

TEST(RandomRules, CuringDrawsOnlyBelow60) {
    ScriptedRandom random{19, 25};
    auto s = MakeStage("Baby", {.health = 59});
    s->CureNormal();
    EXPECT_EQ(s->GetHealth(), 98); // 59 + 20 + 19
    s = MakeStage("Cock", {.health = 10});
    s->CureBored();
    EXPECT_EQ(s->GetHealth(), 35); // 10 + 20 + 25 % 20
    s = MakeStage("Baby", {.health = 60});
    s->CureSmile();
    EXPECT_EQ(s->GetHealth(), 60);
    EXPECT_EQ(random.log, "SDSDS");
}

TEST(RandomRules, AwakeLifeStepOfTheCommonStages) {
    ScriptedRandom random{4, 3, 2, 1};
    auto s = MakeStage("Baby");
    s->LiveNormal();
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 80 48 14 46 47 ");
    EXPECT_EQ(random.log, "SDDDD");

    // Dirty above 89 after the change costs health; at 89 it does not.
    random.Script({0, 0, 0, 4, 2, 0, 0, 0, 0});
    s = MakeStage("Chicken", {.dirty = 85});
    s->LiveSick();
    EXPECT_EQ(s->GetDirty(), 92);
    EXPECT_EQ(s->GetHealth(), 75);
    s = MakeStage("Chicken", {.dirty = 86});
    s->LiveBored();
    EXPECT_EQ(s->GetDirty(), 89);
    EXPECT_EQ(s->GetHealth(), 80);
    EXPECT_EQ(random.log, "SDDDD"
                          "SDDDDD"
                          "SDDDD");

    // Partial effects: starving stops the step after mood and energy.
    random.Script({4, 4, 3});
    s = MakeStage("Cock", {.full = 2, .mood = 2});
    EXPECT_EQ(SignalFrom<Die>([&] { s->LiveSmile(); }), "Die From Starving!");
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 80 2 10 -2 46 ");

    random.Script({0, 0, 0, 4, 4});
    s = MakeStage("Baby", {.health = 3, .dirty = 95});
    EXPECT_EQ(SignalFrom<Die>([&] { s->LiveNormal(); }), "Die From Unhealthiness!");
    EXPECT_EQ(s->GetHealth(), 3);
    EXPECT_EQ(s->GetDirty(), 100);
    EXPECT_EQ(random.Left(), 0u);
}

TEST(RandomRules, EggAndFlowerLifeSteps) {
    ScriptedRandom random{4, 4, 0, 0, 2, 0, 0, 4, 1};
    auto egg = MakeStage("Egg", {.full = 0, .mood = 0, .energy = 0});
    egg->LiveNormal();
    EXPECT_EQ(egg->ToString(), "30.000000 500.000000 0 0 80 0 15 0 0 ");
    egg->LiveSick(); // the egg's own step serves the other body states too
    EXPECT_EQ(egg->GetDirty(), 20);
    EXPECT_EQ(random.log, "SDSD");

    auto flower = MakeStage("Flower", {.full = 0});
    flower->LiveNormal();
    EXPECT_EQ(flower->ToString(), "30.000000 500.000000 0 0 80 0 13 49 49 ");
    flower = MakeStage("Flower", {.health = 3, .dirty = 86});
    EXPECT_EQ(SignalFrom<Die>([&] { flower->LiveBored(); }), "Die From Unhealthiness!");
    EXPECT_EQ(flower->GetDirty(), 91);
    EXPECT_EQ(random.log, "SDSD"
                          "SDDD"
                          "SDDDD");
}

TEST(RandomRules, SleepingLifeStepPerFamily) {
    // Common and chicks (all but the small baby).
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{2, 9, 4, 2};
        auto s = MakeStage(name, {.full = 21});
        s->LiveSleep();
        EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 82 19 10 55 64 ") << name;
        random.Script({0, 0, 0});
        s = MakeStage(name, {.full = 20});
        s->LiveSleep();
        EXPECT_EQ(s->GetFull(), 20) << name;
        random.Script({0, 0, 0, 4});
        s = MakeStage(name, {.health = 2, .full = 10, .dirty = 95});
        EXPECT_EQ(SignalFrom<Die>([&] { s->LiveSleep(); }), "Die From Unhealthiness!") << name;
        EXPECT_EQ(s->GetEnergy(), 55) << name; // earlier steps stay
        EXPECT_EQ(s->GetDirty(), 95) << name;  // no dirtying asleep
        EXPECT_EQ(random.log, "SDDDD"
                              "SDDD"
                              "SDDDD")
            << name;
    }

    // The small baby and the egg sleep by the default rule.
    for (const char* name : {"SmallBaby", "Egg"}) {
        ScriptedRandom random{3, 4, 4, 2, 1, 0, 0, 4};
        auto s = MakeStage(name, {.full = 16});
        s->LiveSleep();
        EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 81 14 10 55 60 ") << name;
        s = MakeStage(name, {.full = 15, .dirty = 90});
        s->LiveSleep(); // health 80 + 1 - 5
        EXPECT_EQ(s->ToString(), "30.000000 500.000000 0 0 76 15 90 51 56 ") << name;
        EXPECT_EQ(random.log, "SDDDD"
                              "SDDDD")
            << name;
    }

    // The flower never gets hungry and loses up to 10 health when very dirty.
    ScriptedRandom random{2, 9, 4, 9};
    auto flower = MakeStage("Flower", {.full = 90, .dirty = 90});
    flower->LiveSleep();
    EXPECT_EQ(flower->ToString(), "30.000000 500.000000 0 0 72 90 90 55 64 ");
    EXPECT_EQ(random.log, "SDDDD");
}

TEST(RandomRules, EatingAndPlayingInSleep) {
    ScriptedGame game(2, 2, 2, 2);
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{6, 7};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSleep(kApple); }), "Shhhhh, I'm Sleeping!")
            << name;
        EXPECT_EQ(s->ToString(), MakeStage(name)->ToString());
        s->FeedSleep(kApple);
        EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 80 10 60 55 ") << name;
        EXPECT_EQ(random.log, "SDSD");
    }
    // Eating in its sleep, a full baby still takes what comes before the full step.
    ScriptedRandom random{8};
    auto s = MakeStage("Baby", {.full = 100});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSleep(kApple); }), "I'm already Full!");
    EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 100 10 50 50 ");
    // The flower eats in its sleep by its own rule.
    auto flower = MakeStage("Flower", {.full = 100});
    random.Script({7});
    flower->FeedSleep(kApple);
    EXPECT_EQ(flower->ToString(), "30.500000 520.000000 3 1 85 100 10 60 55 ");

    for (const char* name : {"BigBaby", "SmallCock", "Flower"}) {
        random.Script({4, 5});
        s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySleep(game); }), "Shhhhh, I'm Sleeping!") << name;
        const int before = game.plays;
        s->PlaySleep(game);
        EXPECT_EQ(game.plays, before + 1) << name;
        EXPECT_EQ(s->GetStrength(), 2) << name;
    }
    EXPECT_EQ(game.plays, 3);
    EXPECT_EQ(random.Left(), 0u);
}

TEST(RandomRules, SickPetsMayRefuseFoodAndGames) {
    ScriptedGame game(1, 1, 1, 1);
    for (const std::string& name : kSleepyEaters) {
        ScriptedRandom random{6, 5};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSick(kApple); }),
                  "I don't wanna eat anything. =(");
        EXPECT_EQ(s->ToString(), MakeStage(name)->ToString()) << name;
        s->FeedSick(kApple);
        EXPECT_EQ(s->GetHeight(), 30.5) << name;
        EXPECT_EQ(random.log, "SDSD") << name;
    }
    {
        ScriptedRandom random;
        for (const char* name : {"SmallBaby", "Flower"}) {
            auto s = MakeStage(name);
            s->FeedSick(kApple); // always eats, no draw
            EXPECT_EQ(s->GetWeight(), 520.0) << name;
        }
        EXPECT_EQ(SignalFrom<InvalidOperation>([] { MakeStage("Egg")->FeedSick(kApple); }),
                  "EGG Doesn't Eat!");
        for (const char* name : {"SmallBaby", "Baby", "BigBaby", "SmallChick", "SmallCock", "Flower"}) {
            MakeStage(name)->PlaySick(game);
        }
        EXPECT_EQ(game.plays, 6);
        EXPECT_EQ(random.log, "");
    }
    for (const char* name : {"Chicken", "Cock", "BigCock"}) {
        ScriptedRandom random{1, 2, 0};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySick(game); }), "I don't wanna play with you!");
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySick(game); }), "I don't wanna play with you!");
        EXPECT_EQ(s->GetStrength(), 0) << name;
        s->PlaySick(game);
        EXPECT_EQ(s->GetStrength(), 1) << name;
        EXPECT_EQ(random.log, "SDSDSD");
    }
    EXPECT_EQ(game.plays, 9);
}

TEST(RandomRules, BoredCocksMayRefuseToPlay) {
    ScriptedGame game(1, 1, 1, 1);
    for (const char* name : {"Cock", "BigCock"}) {
        ScriptedRandom random{5, 4};
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlayBored(game); }), "I don't wanna play with you!");
        EXPECT_EQ(game.plays, 0);
        s->PlayBored(game);
        EXPECT_EQ(game.plays, 1);
        EXPECT_EQ(random.log, "SDSD");
        game.plays = 0;
    }
    ScriptedRandom random;
    MakeStage("Chicken")->PlayBored(game);
    MakeStage("SmallCock")->PlayBored(game);
    EXPECT_EQ(game.plays, 2);
    EXPECT_EQ(random.log, "");
}

TEST(RandomRules, SmilingChicksMakeMoreOfTheirFood) {
    const Food grain("Grain 10 100 5 10 10 5 10 2");
    for (const char* name : {"SmallChick", "Chicken"}) {
        ScriptedRandom random{19, 10, 19, 5};
        auto s = MakeStage(name);
        s->FeedSmile(grain);
        EXPECT_DOUBLE_EQ(s->GetHeight(), 30.0 + 11.9) << name;
        EXPECT_DOUBLE_EQ(s->GetWeight(), 500.0 + 110.0) << name;
        EXPECT_EQ(s->GetStrength(), 11) << name; // 10 * 1.19, truncated
        EXPECT_EQ(s->GetWisdom(), 2) << name;
        EXPECT_EQ(s->GetHealth(), 85) << name;
        EXPECT_EQ(s->GetFull(), 60) << name;
        EXPECT_EQ(s->GetMood(), 60) << name; // 10 * 1.05, truncated
        EXPECT_EQ(s->GetEnergy(), 55) << name;
        EXPECT_EQ(random.log, "SDDDD") << name;

        // A negative amount truncates toward zero; full stops the meal before the mood draw.
        const Food bitter("Bitter 0 0 1 5 -10 0 -10 0");
        random.Script({0, 0, 19});
        s = MakeStage(name, {.full = 100});
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSmile(bitter); }), "I'm already Full!");
        EXPECT_EQ(s->GetStrength(), -11) << name;
        EXPECT_EQ(s->GetHealth(), 81) << name;
        EXPECT_EQ(s->GetMood(), 50) << name;
        EXPECT_EQ(random.log, "SDDDD"
                              "SDDD")
            << name;

        // Wisdom comes before health: a lethal food still leaves its wisdom.
        const Food deadly("Deadly 0 0 -100 0 0 0 0 4");
        random.Script({0, 0, 0});
        s = MakeStage(name);
        EXPECT_EQ(SignalFrom<Die>([&] { s->FeedSmile(deadly); }), "Die From Unhealthiness!");
        EXPECT_EQ(s->GetWisdom(), 4) << name;
        EXPECT_EQ(s->GetHealth(), 80) << name;
    }
    ScriptedRandom random;
    for (const char* name : {"Baby", "SmallCock", "Cock", "Flower"}) {
        auto s = MakeStage(name);
        s->FeedSmile(grain);
        EXPECT_EQ(s->GetStrength(), 10) << name;
        EXPECT_EQ(s->GetHeight(), 40.0) << name;
    }
    EXPECT_EQ(random.log, "");
}

TEST(RandomRules, EggAndFlowerOwnFeedingAndPlaying) {
    ScriptedGame game(3, 2, -5, -1000);
    auto egg = MakeStage("Egg");
    const std::string before = egg->ToString();
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { egg->FeedNormal(kApple); }), "EGG Doesn't Eat!");
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { egg->PlayBored(game); }), "EGG Doesn't Play!");
    EXPECT_EQ(egg->ToString(), before);
    EXPECT_EQ(game.plays, 0);

    auto flower = MakeStage("Flower", {.full = 100});
    flower->FeedNormal(kApple);
    EXPECT_EQ(flower->ToString(), "30.500000 520.000000 3 1 85 100 10 60 55 ");
    const Food salty("Salty 0 0 0 -200 0 0 0 0");
    flower->FeedNormal(salty);
    EXPECT_EQ(flower->GetFull(), 100);
    flower->PlayNormal(game); // no full step, so the game's -1000 full does not starve it
    EXPECT_EQ(game.plays, 1);
    EXPECT_EQ(flower->ToString(), "30.500000 520.000000 6 3 85 100 10 60 50 ");
}
