#include "TempGameFolder.h"

#include "core/Initializer.h"
#include "growth/Food.h"
#include "growth/Game.h"
#include "support/FileError.h"

#include <gtest/gtest.h>

TEST(Settings, ListsSkipBadEntries) {
    TempGameFolder game;
    Initializer& loader = *Initializer::GetInstance();
    testing::internal::CaptureStderr();
    // The lines a pet list reads as are held to the file by the fuzzing of the lists.
    EXPECT_TRUE(loader.InitPetList("Settings\\Pet.list").empty());
    game.Write("Settings/Food.list", "Worm 3 5 5 15 5 5 2 1\n"
                                     "Apple 1.0 20 5 20 10 5 0 1\n"
                                     "Apple 9 9 9 9 9 9 9 9\n"
                                     "\n"
                                     "Corn 0.5 40 2 25 5 5 1\n");
    auto foods = loader.InitFoodList("Settings\\Food.list");
    ASSERT_EQ(foods.size(), 2u);                  // in a map, sorted by name
    EXPECT_EQ(foods["Apple"]->GetWeight(), 20.0); // the first of a duplicate stays
    ScriptedGame known(0, 0, 0, 0, "Known");
    known.Register();
    EXPECT_EQ(Initializer::KeepRegisteredGames({"Known", "Chess"}, "Settings\\Game.list"),
              (std::vector<std::string>{"Known"}));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "file: \"Settings\\Pet.list\" not found\n"
              "> Pet list initialization success\n"
              "refused: \"Settings\\Food.list\" line 4: a blank line is not a food; skipped\n"
              "refused: \"Settings\\Food.list\" line 5: the wisdom field is missing (a food has 9 fields); "
              "skipped\n"
              "> Food list initialization success\n"
              "refused: \"Settings\\Game.list\" line 2: no game is called \"Chess\"; skipped\n");
}

TEST(Settings, WindowSettingsNeedFourFieldsAndASensibleSize) {
    TempGameFolder game;
    auto refusal = [&](const std::string& content) {
        game.Write("Settings/WindowApp.data", content);
        return RefusalOf([] { Initializer::ReadWindowSettings("Settings\\WindowApp.data"); });
    };
    // An accepted file: the end-to-end start-up (a 480x360 window titled Hatchling, its icon read
    // without a refusal); the accepted sizes: the fuzzing of the window settings.
    EXPECT_EQ(refusal("480 360 Hatchling"),
              "\"Settings\\WindowApp.data\" line 1: needs 4 fields: width, height, title and icon");
    EXPECT_EQ(
        refusal("wide 360 Hatchling icon.png"),
        "\"Settings\\WindowApp.data\" line 1: the window size wide x 360 is not between 1 and 8192 pixels");
}
