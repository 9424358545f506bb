// Every refused file or line gives exactly one readable line on standard error, in the same
// form everywhere: refused: "PATH" line N: what. And the faults the readers' fuzzing and review
// turned up stay fixed.

#include "pet/PetFixture.h"

#include "core/FileError.h"
#include "core/Initializer.h"
#include "core/TextFiles.h"
#include "pet/Food.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"

#include <gtest/gtest.h>

namespace {
const char* const kStats = "30.000000 500.000000 0 0 80 50 10 50 50 ";

// The one line a FileError becomes when it is reported.
template <class Action> std::string RefusalOf(Action action) {
    CapturedErrors errors;
    try {
        action();
    } catch (const FileError& error) {
        ReportRefusal(error);
    }
    return errors.Text();
}
} // namespace

TEST(Refusals, EachReaderNamesTheFileTheLineAndWhatIsWrongInOneLine) {
    TempGameFolder game;
    StateFactory factory("Settings\\StatePic.list", "Settings\\StateMove.list");

    game.Write("Pets/REX.data", "REX 3\nBaby Grumpy\n" + std::string(kStats) + "\n");
    EXPECT_EQ(RefusalOf([&] { Pet("REX", nullptr, &factory); }),
              "refused: \"Pets\\REX.data\" line 2: unknown body state \"Grumpy\"\n");

    game.Write("Pets/REX.data", "REX 3\nBaby Normal\n1 2 3\n");
    EXPECT_EQ(RefusalOf([&] { Pet("REX", nullptr, &factory); }),
              "refused: \"Pets\\REX.data\" line 3: the statistics line has fewer than 9 fields\n");

    game.Write("Pets/Default.default", "Egg\n");
    EXPECT_EQ(RefusalOf([&] { Pet("Default", "NEW", nullptr, &factory); }),
              "refused: \"Pets\\Default.default\": holds 1 of its 3 lines\n");

    game.Write("Settings/WindowApp.data", "640 480 Hatchling\n");
    EXPECT_EQ(
        RefusalOf([] { Initializer::ReadWindowSettings("Settings\\WindowApp.data"); }),
        "refused: \"Settings\\WindowApp.data\" line 1: needs 4 fields: width, height, title and icon\n");

    game.Write("Settings/Food.list", "Apple 0.5 20 5 30 10 5 0 1\n\nBread 1 2 3\n");
    {
        CapturedErrors errors;
        EXPECT_EQ(Initializer::GetInstance()->InitFoodList("Settings\\Food.list").size(), 1u);
        EXPECT_EQ(errors.Text(),
                  "refused: \"Settings\\Food.list\" line 2: a blank line is not a food; skipped\n"
                  "refused: \"Settings\\Food.list\" line 3: the full field is missing (a food has 9 "
                  "fields); skipped\n"
                  "> Food list initialization success\n");
    }

    game.Write("Settings/StatePic.list", "Baby Normal 2 Smile 2 Bored 1 Sick 1 Sleep 1\nEgg Normal two\n");
    {
        CapturedErrors errors;
        EXPECT_EQ(StateFactory::ReadTable("Settings\\StatePic.list").size(), 1u);
        EXPECT_EQ(errors.Text(),
                  "refused: \"Settings\\StatePic.list\" line 2: \"two\" for Egg Normal is not a whole "
                  "number; reading stops here\n");
    }
}

TEST(Refusals, ControlCharactersFromAFileAreShownEscapedSoTheLineStaysOneReadableLine) {
    CapturedErrors errors;
    ReportRefusal("Settings\\Game.list", 2, "no game is called \"TTT\rrefused: nothing\x1b[2K\"; skipped");
    EXPECT_EQ(
        errors.Text(),
        "refused: \"Settings\\Game.list\" line 2: no game is called \"TTT\\x0Drefused: nothing\\x1B[2K\"; "
        "skipped\n");
    EXPECT_STREQ(FileError("Pets\\A\tB.data", 1, "bad\n").what(), "\"Pets\\A\\x09B.data\" line 1: bad\\x0A");
}

TEST(ReaderFaults, ADataFileNamingAnotherPetIsRefusedSoItsSaveCannotOverwriteThatPet) {
    TempGameFolder game;
    StateFactory factory("Settings\\StatePic.list", "Settings\\StateMove.list");
    const std::string other = "BOB 9\nBaby Normal\n" + std::string(kStats) + "\n";
    game.Write("Pets/BOB.data", other);
    game.Write("Pets/ANN.data", "BOB 3\nBaby Normal\n" + std::string(kStats) + "\n");
    EXPECT_EQ(RefusalOf([&] { Pet("ANN", nullptr, &factory); }),
              "refused: \"Pets\\ANN.data\" line 1: names the pet \"BOB\", not \"ANN\"\n");
    // A hostile first line cannot send the save out of the Pets folder either.
    game.Write("Pets/ANN.data", "../../outside 3\nBaby Normal\n" + std::string(kStats) + "\n");
    EXPECT_THROW(Pet("ANN", nullptr, &factory), FileError);
    EXPECT_EQ(game.Read("Pets/BOB.data"), other);

    // The matching file still opens, names with blanks included.
    game.Write("Pets/BIG ANN.data", "BIG ANN 3\nBaby Smile\n" + std::string(kStats) + "\n");
    const Pet pet("BIG ANN", nullptr, &factory);
    EXPECT_EQ(pet.GetName(), "BIG ANN");
    EXPECT_EQ(pet.GetAge(), 3);
}

TEST(ReaderFaults, AMoveOrFrameCountBeyondAnySaneSizeIsRefusedBeforeTheBobCanOverflow) {
    TempGameFolder game;
    game.Write("Settings/StateMove.list", "Baby Normal 4 Smile 2 Bored 1 Sick 1 Sleep 100000\n"
                                          "Egg Normal -2147483648 Smile 1 Bored 1 Sick 1 Sleep 1\n");
    CapturedErrors errors;
    const StateFactory::Table table = StateFactory::ReadTable("Settings\\StateMove.list");
    EXPECT_EQ(errors.Text(),
              "refused: \"Settings\\StateMove.list\" line 2: \"-2147483648\" for Egg Normal is not "
              "between -100000 and 100000; reading stops here\n");
    ASSERT_EQ(table.count("Baby"), 1u);
    EXPECT_EQ(table.at("Baby").at("Sleep"), 100000);
    EXPECT_EQ(table.count("Egg"), 0u);

    // The largest move accepted bobs both ways.
    game.Write("Pets/Default.default", "Baby\nSleep\n" + std::string(kStats) + "\n");
    StateFactory factory("Settings\\None.list", "Settings\\StateMove.list");
    Pet pet("Default", "BOBBER", nullptr, &factory);
    Pet::ResetAnimation();
    EXPECT_EQ(pet.NextFrame().offset, 100000);
    EXPECT_EQ(pet.NextFrame().offset, -100000);
}

TEST(ReaderFaults, NotANumberOrInfiniteHeightsAndWeightsAreRefusedInFoodsAndPetFiles) {
    TempGameFolder game;
    EXPECT_THROW(Food("Apple nan 20 5 30 10 5 0 1"), FileError);
    EXPECT_THROW(Food("Apple 0.5 1e999 5 30 10 5 0 1"), FileError);
    EXPECT_EQ(Food("Apple 0.5 20 5 30 10 5 0 1").GetWeight(), 20.0);

    game.Write("Settings/Food.list", "Apple inf 20 5 30 10 5 0 1\n");
    {
        CapturedErrors errors;
        EXPECT_TRUE(Initializer::GetInstance()->InitFoodList("Settings\\Food.list").empty());
        EXPECT_EQ(errors.Text(),
                  "refused: \"Settings\\Food.list\" line 1: the height and weight must be finite "
                  "numbers; skipped\n> Food list initialization success\n");
    }

    game.Write("Pets/REX.data", "REX 3\nBaby Normal\n30 -nan 0 0 80 50 10 50 50 \n");
    EXPECT_EQ(RefusalOf([] { petfile::ReadData("Pets\\REX.data"); }),
              "refused: \"Pets\\REX.data\" line 3: the height and weight must be finite numbers\n");
    game.Write("Pets/Default.default", "Egg\nNormal\ninf 500 0 0 80 50 10 50 50 \n");
    EXPECT_EQ(RefusalOf([] { petfile::ReadTemplate("Pets\\Default.default"); }),
              "refused: \"Pets\\Default.default\" line 3: the height and weight must be finite numbers\n");
}
