#include "TempGameFolder.h"

#include "growth/Food.h"
#include "growth/Game.h"
#include "growth/GrowState.h"
#include "growth/StateFactory.h"
#include "pet/Pet.h"
#include "support/FileError.h"
#include "support/Signals.h"

#include <gtest/gtest.h>

namespace {
// A stage whose rules change nothing, so that a pet can live for ever in a test.
class Statue : public GrowState {
public:
    Statue() : GrowState("Statue") {}
    std::unique_ptr<GrowState> Clone() const override { return std::make_unique<Statue>(*this); }
    void Grow() override {}
    void LiveNormal() override {}
};

constexpr const char* kBabyStats = "30.000000 500.000000 1 2 80 50 10 50 80 ";

struct PetTest : ::testing::Test {
    TempGameFolder game;
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};

    void SetUp() override { Pet::ResetAnimation(); }

    std::unique_ptr<Pet> Saved(const std::string& name, const std::string& lines,
                               StateFactory* tables = nullptr) {
        game.Write("Pets/" + name + ".data", lines);
        return std::make_unique<Pet>(name, nullptr, tables != nullptr ? tables : &factory);
    }
};
} // namespace

TEST_F(PetTest, UnusableFilesGiveNoPetAndNameTheFileAndTheFault) {
    auto refusal = [&](const std::string& content) {
        game.Write("Pets/BAD.data", content);
        return RefusalOf([&] { Pet("BAD", nullptr, &factory); });
    };
    game.Write("Pets/Default.default", "Baby\nNormal\n" + std::string(kBabyStats) + "\n");
    Pet current("Default", "CURRENT", nullptr, &factory);
    GrowState* currentStage = factory.GetGrowState();

    const std::string stats = kBabyStats;
    EXPECT_EQ(refusal("BAD 1\nBaby Normal\n"), "\"Pets\\BAD.data\": holds 2 of its 3 lines");
    EXPECT_EQ(refusal("BAD 1\nBby Normal\n" + stats),
              "\"Pets\\BAD.data\" line 2: unknown growth stage \"Bby\"");
    EXPECT_EQ(refusal("BAD 1\nBaby Normal\n30 -nan 0 0 80 50 10 50 50 \n"),
              "\"Pets\\BAD.data\" line 3: the height and weight must be finite numbers");
    // A file naming another pet cannot make its save overwrite another file.
    EXPECT_EQ(refusal("BOB 1\nBaby Normal\n" + stats),
              "\"Pets\\BAD.data\" line 1: names the pet \"BOB\", not \"BAD\"");
    EXPECT_THROW(Pet("NOBODY", nullptr, &factory), FileError);
    game.Write("Pets/Default.default", "Egg\nNormal\ninf 500 0 0 80 50 10 50 50 \n");
    EXPECT_THROW(Pet("Default", "NEW", nullptr, &factory), FileError);
    // The pet that was already there is untouched and still bound to its own stage.
    EXPECT_EQ(factory.GetGrowState(), currentStage);
    EXPECT_EQ(current.GetLines()[2], kBabyStats);
}

TEST_F(PetTest, StatusTextIsExactAndNamesMayHoldBlanks) {
    auto pet = Saved("BIG REX", "BIG REX 7\nBaby Normal\n30 812.5 -3 12 80 55 10 -2 44 \n");
    EXPECT_EQ(pet->StatusText(),
              "Name:BIG REX\nAge:7\nHeight:30.00 cm\nWeight:812.50 g\nMood:-2%\nFull:55%    "
              "Energy:44%\nHealth:80%    Dirty:10%\nStrength:-3    Wisdom:12");
}

TEST_F(PetTest, AgeGrowsByOneEvery36001LifeSteps) {
    static Statue statue;
    game.Write("Pets/Default.default", "Statue\nNormal\n" + std::string(kBabyStats) + "\n");
    Pet pet("Default", "OLD", nullptr, &factory);
    for (int i = 0; i < 36000; ++i) {
        pet.Live();
    }
    EXPECT_EQ(pet.GetAge(), 0);
    pet.Live();
    EXPECT_EQ(std::tuple(pet.GetAge(), pet.GetLiveCounter()), std::tuple(1, 0u));
}

TEST_F(PetTest, AnimationFramesAndBobFollowTheTablesAndAMoveBeyondAnySaneSizeIsRefused) {
    game.Write("Settings/StatePic.list", "Baby Normal 3 Smile 2 Bored 1 Sick 0 Sleep 1\n");
    game.Write("Settings/StateMove.list", "Baby Normal 4 Smile 100000 Bored 1 Sick 3 Sleep 1\n"
                                          "Egg Normal -2147483648 Smile 1 Bored 1 Sick 1 Sleep 1\n");
    testing::internal::CaptureStderr();
    StateFactory tables("Settings\\StatePic.list", "Settings\\StateMove.list");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "refused: \"Settings\\StateMove.list\" line 2: \"-2147483648\" for Egg Normal is "
              "not between -100000 and 100000; reading stops here\n");
    auto pet = Saved("N", "N 0\nBaby Normal\n" + std::string(kBabyStats) + "\n", &tables);
    std::string frames;
    for (int i = 0; i < 5; ++i) {
        Pet::Frame frame = pet->NextFrame();
        frames += frame.picture + " " + std::to_string(frame.offset) + " ";
    }
    EXPECT_EQ(frames, "Baby_Normal0 4 Baby_Normal1 -4 Baby_Normal2 4 Baby_Normal0 -4 Baby_Normal1 4 ");

    // The frame number (2 now) is shared and carried into the next body state: 2 becomes 0 there.
    // The largest move accepted bobs both ways.
    auto smiling = Saved("S", "S 0\nBaby Smile\n" + std::string(kBabyStats) + "\n", &tables);
    const Pet::Frame first = smiling->NextFrame(), second = smiling->NextFrame();
    EXPECT_EQ(std::tuple(first.picture, first.offset, second.picture, second.offset),
              std::tuple("Baby_Smile0", -100000, "Baby_Smile1", 100000));
}

TEST_F(PetTest, CommandsAnswerWithTheirMessagesAndLetOnlyDeathOut) {
    ScriptedRandom draws{0, 0, 0};
    ScriptedGame game(0, 1, -1, -2);
    const Food apple("Apple 1.0 20 5 20 10 5 0 1");
    auto baby = Saved("B", "B 0\nBaby Normal\n" + std::string(kBabyStats) + "\n");
    baby->Feed(apple);
    EXPECT_EQ(baby->GetLastAnswer(), "It's TastY!");
    baby->Play(game);
    EXPECT_EQ(baby->GetLastAnswer(), "Oh, it's so FUN!");
    baby->Clean();
    EXPECT_EQ(baby->GetLastAnswer(), "Yeeey I'm cleaner!");
    // A refusal's message is the answer.
    auto egg = Saved("E", "E 0\nEgg Normal\n" + std::string(kBabyStats) + "\n");
    egg->Play(game);
    EXPECT_EQ(egg->GetLastAnswer(), "EGG Doesn't Play!");
    auto starving = Saved("S", "S 0\nBaby Normal\n30 500 0 0 80 1 10 50 80 \n");
    EXPECT_THROW(starving->Feed(Food("Poison 0 0 0 -5 0 0 0 0")), Die);
}
