#include "PetFixture.h"

#include "core/FileError.h"
#include "core/Signals.h"
#include "core/TextFiles.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"
#include "pet/Food.h"
#include "pet/Game.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"

#include <gtest/gtest.h>

#include <locale>

namespace {
// A stage whose rules change nothing, so that a pet can live for ever in a test.
class Statue : public GrowState {
public:
    Statue() : GrowState("Statue") {}
    std::unique_ptr<GrowState> Clone() const override {
        return std::unique_ptr<GrowState>(new Statue(*this));
    }
    void Grow() override {}
    void LiveNormal() override {}

private:
    Statue(const Statue&) = default;
};

class FixedGame : public Game {
public:
    FixedGame() : Game("Fixed") {}
    void Play() override {
        Reset();
        AddWisdom(1);
        AddFull(-2);
        AddEnergy(-1);
    }
};

constexpr const char* kBabyStats = "30.000000 500.000000 1 2 80 50 10 50 80 ";

struct PetTest : ::testing::Test {
    TempGameFolder game;
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};

    void SetUp() override { Pet::ResetAnimation(); }

    std::unique_ptr<Pet> Saved(const std::string& name, const std::string& lines) {
        game.Write("Pets/" + name + ".data", lines);
        return std::make_unique<Pet>(name, nullptr, &factory);
    }
};
} // namespace

TEST_F(PetTest, NewPetComesFromTheTemplateAndSavesAsThreeLines) {
    game.Write("Pets/Default.default", "Egg\nNormal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    Pet pet("Default", "REX", nullptr, &factory);
    EXPECT_EQ(pet.GetAge(), 0);
    EXPECT_EQ(pet.GetLiveCounter(), 0u);
    EXPECT_NE(game.Output().find("Pets\\Default.default\n"), std::string::npos);
    EXPECT_NE(game.Output().find("Egg10.000000 120.000000 0 0 100 50 0 80 90 "), std::string::npos);

    const std::vector<std::string> lines = pet.GetLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "REX 0");
    EXPECT_EQ(lines[1], "Egg Normal");
    EXPECT_EQ(lines[2], "10.000000 120.000000 0 0 100 50 0 80 90 ");

    // Written and read back, every line survives character for character.
    ASSERT_TRUE(textfiles::WriteLines(petfile::DataPath("REX"), lines));
    EXPECT_EQ(game.Read("Pets/REX.data"), "REX 0\nEgg Normal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    Pet again("REX", nullptr, &factory);
    EXPECT_EQ(again.GetLines(), lines);
}

TEST_F(PetTest, DataFilesReadNamesWithBlanksCarriageReturnsAndRoundedNumbers) {
    auto pet = Saved("BIG REX", "BIG REX 3\r\nBaby Smile\r\n12.3456789 300 1 2 80 50 10 60 90\r\n");
    EXPECT_EQ(pet->GetName(), "BIG REX");
    EXPECT_EQ(pet->GetAge(), 3);
    EXPECT_EQ(pet->GetLiveCounter(), 0u);
    EXPECT_EQ(pet->GetBodyState().GetName(), "Smile");
    EXPECT_EQ(pet->GetBodyState().GetGrowStateName(), "Baby");
    const std::vector<std::string> lines = pet->GetLines();
    EXPECT_EQ(lines[0], "BIG REX 3");
    EXPECT_EQ(lines[1], "Baby Smile");
    EXPECT_EQ(lines[2], "12.345679 300.000000 1 2 80 50 10 60 90 ");
}

TEST_F(PetTest, NumbersAreWrittenTheSameWhateverTheUsersLocale) {
    struct CommaDecimals : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale before = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    auto pet = Saved("REX", "REX 1234\nBaby Normal\n1234.5 98765.25 1000 2 80 50 10 60 90 \n");
    const std::vector<std::string> lines = pet->GetLines();
    std::locale::global(before);
    EXPECT_EQ(lines[0], "REX 1234");
    EXPECT_EQ(lines[2], "1234.500000 98765.250000 1000 2 80 50 10 60 90 ");
}

TEST_F(PetTest, UnusableFilesGiveNoPetAndNameTheFileAndTheFault) {
    auto refusal = [&](const std::string& content) -> std::string {
        game.Write("Pets/BAD.data", content);
        try {
            Pet pet("BAD", nullptr, &factory);
        } catch (const FileError& error) {
            return error.what();
        }
        return "accepted";
    };
    game.Write("Pets/Default.default", "Baby\nNormal\n" + std::string(kBabyStats) + "\n");
    Pet current("Default", "CURRENT", nullptr, &factory);
    GrowState* currentStage = factory.GetGrowState();

    EXPECT_EQ(refusal("BAD 1\nBaby Normal\n"), "\"Pets\\BAD.data\": holds 2 of its 3 lines");
    EXPECT_EQ(refusal("BAD 1\nBby Normal\n" + std::string(kBabyStats)),
              "\"Pets\\BAD.data\" line 2: unknown growth stage \"Bby\"");
    EXPECT_EQ(refusal("BAD 1\nBaby  Smile\n" + std::string(kBabyStats)),
              "\"Pets\\BAD.data\" line 2: unknown body state \"\"");
    EXPECT_EQ(refusal("BAD 1\nBaby\n" + std::string(kBabyStats)),
              "\"Pets\\BAD.data\" line 2: the body state is missing");
    EXPECT_EQ(refusal("BAD 1\nBaby Normal\n1 2 3 4 5 6 7 8\n"),
              "\"Pets\\BAD.data\" line 3: the statistics line has fewer than 9 fields");
    EXPECT_EQ(refusal("BAD\nBaby Normal\n" + std::string(kBabyStats)),
              "\"Pets\\BAD.data\" line 1: the age is missing");
    std::filesystem::remove(game.folder / "Pets/BAD.data");
    EXPECT_EQ(refusal(""), "\"Pets\\BAD.data\": holds 0 of its 3 lines");
    try {
        Pet missing("NOBODY", nullptr, &factory);
        ADD_FAILURE() << "a missing file gave a pet";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(), "\"Pets\\NOBODY.data\": cannot be opened");
    }
    try {
        Pet unborn("Missing", "NEW", nullptr, &factory);
        ADD_FAILURE() << "a missing template gave a pet";
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(), "\"Pets\\Missing.default\": cannot be opened");
    }
    // The pet that was already there is untouched and still bound to its own stage.
    EXPECT_EQ(factory.GetGrowState(), currentStage);
    EXPECT_EQ(current.GetBodyState().GetGrowState(), currentStage);
    EXPECT_EQ(current.GetLines()[2], kBabyStats);
}

TEST_F(PetTest, StatusTextIsExact) {
    auto pet = Saved("REX", "REX 7\nBaby Normal\n30 812.5 -3 12 80 55 10 -2 44 \n");
    EXPECT_EQ(pet->StatusText(), "Name:REX\nAge:7\nHeight:30.00 cm\nWeight:812.50 g\nMood:-2%\nFull:55%    "
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
    EXPECT_EQ(pet.GetLiveCounter(), 36000u);
    pet.Live();
    EXPECT_EQ(pet.GetAge(), 1);
    EXPECT_EQ(pet.GetLiveCounter(), 0u);
    for (std::uint32_t i = 0; i <= Pet::kLivesPerAge; ++i) {
        pet.Live();
    }
    EXPECT_EQ(pet.GetAge(), 2);
}

TEST_F(PetTest, AnimationFramesAndBobFollowTheTables) {
    game.Write("Settings/StatePic.list", "Baby Normal 3 Smile 2 Bored 1 Sick 0 Sleep 1\n");
    game.Write("Settings/StateMove.list", "Baby Normal 4 Smile 2 Bored 1 Sick 3 Sleep 1\n");
    StateFactory tables("Settings\\StatePic.list", "Settings\\StateMove.list");
    game.Write("Pets/N.data", "N 0\nBaby Normal\n" + std::string(kBabyStats) + "\n");
    Pet pet("N", nullptr, &tables);
    std::vector<std::string> names;
    std::vector<int> offsets;
    for (int i = 0; i < 5; ++i) {
        Pet::Frame frame = pet.NextFrame();
        names.push_back(frame.picture);
        offsets.push_back(frame.offset);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Baby_Normal0", "Baby_Normal1", "Baby_Normal2", "Baby_Normal0",
                                               "Baby_Normal1"}));
    EXPECT_EQ(offsets, (std::vector<int>{4, -4, 4, -4, 4}));
    EXPECT_NE(game.Output().find("BabyNormal3\n"), std::string::npos);

    // The frame number (2 now) is shared and carried into the next body state: 2 becomes 0 there.
    game.Write("Pets/S.data", "S 0\nBaby Smile\n" + std::string(kBabyStats) + "\n");
    Pet smiling("S", nullptr, &tables);
    EXPECT_EQ(smiling.NextFrame().picture, "Baby_Smile0");
    EXPECT_EQ(smiling.NextFrame().picture, "Baby_Smile1");

    // No frames: the number is neither reduced nor advanced. One frame: always 0.
    game.Write("Pets/K.data", "K 0\nBaby Sick\n" + std::string(kBabyStats) + "\n");
    Pet sick("K", nullptr, &tables);
    EXPECT_EQ(sick.NextFrame().picture, "Baby_Sick0");
    game.Write("Pets/B.data", "B 0\nBaby Bored\n" + std::string(kBabyStats) + "\n");
    Pet bored("B", nullptr, &tables);
    EXPECT_EQ(bored.NextFrame().picture, "Baby_Bored0");
    EXPECT_EQ(bored.NextFrame().picture, "Baby_Bored0");
}

TEST_F(PetTest, LifeStepsReplaceBodyStatesAndStagesAsSignalled) {
    ScriptedRandom draws;
    // Awake and worn out: the body check sends the baby to sleep, on the same stage object.
    auto tired = Saved("T", "T 0\nBaby Normal\n30 500 0 0 80 50 10 50 9 \n");
    GrowState* stage = factory.GetGrowState();
    draws.Script({0, 0, 0, 0});
    tired->Live();
    EXPECT_EQ(tired->GetBodyState().GetName(), "Sleep");
    EXPECT_EQ(tired->GetBodyState().GetGrowState(), stage);

    // Due to grow while smiling: the stage changes, the body state keeps its name and the
    // statistics travel with the pet; the body check waits for the next step.
    auto happy = Saved("H", "H 0\nBaby Smile\n44.5 700 3 4 80 50 10 50 5 \n");
    draws.Script({0, 0, 0, 0});
    happy->Live();
    EXPECT_EQ(happy->GetBodyState().GetGrowStateName(), "SmallChick");
    EXPECT_EQ(happy->GetBodyState().GetName(), "Smile");
    EXPECT_EQ(happy->GetLines()[2], "44.500000 700.000000 3 4 80 50 13 50 5 ");
    EXPECT_EQ(draws.Left(), 0u);
}

TEST_F(PetTest, CommandsAnswerWithTheirMessagesAndLetOnlyDeathOut) {
    ScriptedRandom draws;
    FixedGame game;
    const Food apple("Apple 1.0 20 5 20 10 5 0 1");
    auto baby = Saved("B", "B 0\nBaby Normal\n" + std::string(kBabyStats) + "\n");
    baby->Feed(apple);
    EXPECT_EQ(baby->GetLastAnswer(), "It's TastY!");
    baby->Play(game);
    EXPECT_EQ(baby->GetLastAnswer(), "Oh, it's so FUN!");
    draws.Script({0});
    baby->Clean();
    EXPECT_EQ(baby->GetLastAnswer(), "Yeeey I'm cleaner!");
    draws.Script({0});
    baby->Clean(); // dirty 10 - 8 = 2, still cleanable
    draws.Script({0});
    baby->Clean();
    EXPECT_EQ(baby->GetLastAnswer(), "I'm clean Enough!");
    const std::string before = baby->GetLastAnswer();
    draws.Script({0});
    baby->Cure(); // healthy: nothing happens and nothing is said
    EXPECT_EQ(baby->GetLastAnswer(), before);

    auto egg = Saved("E", "E 0\nEgg Normal\n" + std::string(kBabyStats) + "\n");
    egg->Feed(apple);
    EXPECT_EQ(egg->GetLastAnswer(), "EGG Doesn't Eat!");
    egg->Play(game);
    EXPECT_EQ(egg->GetLastAnswer(), "EGG Doesn't Play!");

    auto starving = Saved("S", "S 0\nBaby Normal\n30 500 0 0 80 1 10 50 80 \n");
    EXPECT_THROW(starving->Feed(Food("Poison 0 0 0 -5 0 0 0 0")), Die);
}
