#include "pet/PetFixture.h"

#include "core/FileError.h"
#include "core/Initializer.h"
#include "core/TextFiles.h"
#include "pet/Food.h"
#include "pet/Game.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
struct SettingsTest : ::testing::Test {
    TempGameFolder game;
    Initializer& loader = *Initializer::GetInstance();
};

class NamedGame : public Game {
public:
    explicit NamedGame(const std::string& name) : Game(name) { Register(); }
    void Play() override {}
};
} // namespace

TEST_F(SettingsTest, MissingListsAreEmptyAndStillReportSuccess) {
    CapturedErrors errors;
    EXPECT_TRUE(loader.InitPetList("Settings\\Pet.list").empty());
    EXPECT_TRUE(loader.InitFoodList("Settings\\Food.list").empty());
    EXPECT_TRUE(loader.InitGameList("Settings\\Game.list").empty());
    EXPECT_EQ(errors.Text(), "file: \"Settings\\Pet.list\" not found\n"
                             "> Pet list initialization success\n"
                             "file: \"Settings\\Food.list\" not found\n"
                             "> Food list initialization success\n"
                             "file: \"Settings\\Game.list\" not found\n"
                             "> Game list initialization success\n");
}

TEST_F(SettingsTest, LineListsKeepEveryLineInOrder) {
    CapturedErrors errors;
    game.Write("Settings/Pet.list", "REX\n\nBIG REX\r\nLAST");
    EXPECT_EQ(loader.InitPetList("Settings\\Pet.list"),
              (std::vector<std::string>{"REX", "", "BIG REX", "LAST"}));
}

TEST_F(SettingsTest, FoodListSortsByNameKeepsTheFirstOfADuplicateAndSkipsBadLines) {
    CapturedErrors errors;
    game.Write("Settings/Food.list", "Worm 3 5 5 15 5 5 2 1\n"
                                     "Apple 1.0 20 5 20 10 5 0 1\n"
                                     "Apple 9 9 9 9 9 9 9 9\n"
                                     "\n"
                                     "Corn 0.5 40 2 25 5 5 1\n"
                                     "Rice 0.3 60 2 30 5 10 0 \n"
                                     "Fish  2 30 5 25 5 5 2 2\n");
    auto foods = loader.InitFoodList("Settings\\Food.list");
    std::vector<std::string> names;
    for (auto& [name, food] : foods) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Apple", "Fish", "Rice", "Worm"}));
    EXPECT_EQ(foods["Apple"]->GetWeight(), 20.0);
    EXPECT_EQ(foods["Apple"]->GetWisdom(), 1);
    // A final blank leaves one empty field, read as 0; a doubled blank shifts the amounts.
    EXPECT_EQ(foods["Rice"]->GetWisdom(), 0);
    EXPECT_EQ(foods["Fish"]->GetHeight(), 0.0);
    EXPECT_EQ(foods["Fish"]->GetWeight(), 2.0);
    EXPECT_EQ(errors.Text(),
              "refused: \"Settings\\Food.list\" line 4: a blank line is not a food; skipped\n"
              "refused: \"Settings\\Food.list\" line 5: the wisdom field is missing (a food has 9 "
              "fields); skipped\n"
              "> Food list initialization success\n");
}

TEST_F(SettingsTest, OnlyRegisteredGamesAreKept) {
    NamedGame tictac("Known");
    CapturedErrors errors;
    EXPECT_EQ(Initializer::KeepRegisteredGames({"Known", "Chess", "Known"}, "Settings\\Game.list"),
              (std::vector<std::string>{"Known", "Known"}));
    EXPECT_EQ(errors.Text(),
              "refused: \"Settings\\Game.list\" line 2: no game is called \"Chess\"; skipped\n");
}

TEST_F(SettingsTest, WindowSettingsNeedFourFieldsAndASensibleSize) {
    auto refusal = [&](const std::string& content) -> std::string {
        game.Write("Settings/WindowApp.data", content);
        try {
            Initializer::ReadWindowSettings("Settings\\WindowApp.data");
        } catch (const FileError& error) {
            return error.what();
        }
        return "accepted";
    };
    game.Write("Settings/WindowApp.data", "480 360 Hatchling imgs\\Icon.png\nignored\n");
    auto settings = Initializer::ReadWindowSettings("Settings\\WindowApp.data");
    EXPECT_EQ(settings.width, 480u);
    EXPECT_EQ(settings.height, 360u);
    EXPECT_EQ(settings.title, "Hatchling");
    EXPECT_EQ(settings.icon, "imgs\\Icon.png");
    // A title cannot hold a blank: the rest of the line shifts into the icon.
    game.Write("Settings/WindowApp.data", "480 360 My Pet imgs\\Icon.png\n");
    EXPECT_EQ(Initializer::ReadWindowSettings("Settings\\WindowApp.data").icon, "Pet");

    EXPECT_EQ(refusal("480 360 Hatchling"),
              "\"Settings\\WindowApp.data\" line 1: needs 4 fields: width, height, title and icon");
    EXPECT_EQ(refusal(""), "\"Settings\\WindowApp.data\": is empty; it needs width, height, title and icon");
    EXPECT_EQ(
        refusal("wide 360 Hatchling icon.png"),
        "\"Settings\\WindowApp.data\" line 1: the window size wide x 360 is not between 1 and 8192 pixels");
    std::filesystem::remove(game.folder / "Settings/WindowApp.data");
    try {
        Initializer::ReadWindowSettings("Settings\\WindowApp.data");
        ADD_FAILURE();
    } catch (const FileError& error) {
        EXPECT_STREQ(error.what(),
                     "\"Settings\\WindowApp.data\": not found; the game cannot open its window");
    }
}

TEST_F(SettingsTest, SavesReplaceFilesWholeAndNeverRunNamesTogether) {
    // A missing folder is created; no temporary file is left behind.
    ASSERT_TRUE(textfiles::WriteLines("Saves\\REX.data", {"REX 0", "Egg Normal", "1 2 "}));
    EXPECT_EQ(game.Read("Saves/REX.data"), "REX 0\nEgg Normal\n1 2 \n");
    EXPECT_FALSE(game.Exists("Saves/REX.data.tmp"));
    ASSERT_TRUE(textfiles::WriteLines("Saves\\REX.data", {"short"}));
    EXPECT_EQ(game.Read("Saves/REX.data"), "short\n");

    // Appending to a list whose last line has no line end keeps the two names apart.
    game.Write("Settings/Pet.list", "REX");
    ASSERT_TRUE(textfiles::AppendLine("Settings\\Pet.list", "BOB"));
    ASSERT_TRUE(textfiles::AppendLine("Settings\\Pet.list", "ANN"));
    EXPECT_EQ(game.Read("Settings/Pet.list"), "REX\nBOB\nANN\n");
    ASSERT_TRUE(textfiles::AppendLine("Settings\\New.list", "FIRST"));
    EXPECT_EQ(game.Read("Settings/New.list"), "FIRST\n");
}

TEST_F(SettingsTest, AFailedSaveSaysWhyAndKeepsTheOldFile) {
    if (::geteuid() == 0) {
        // Root writes through permissions; a folder in the way of the file fails for everyone.
        std::filesystem::create_directories(game.folder / "Pets/REX.data");
        CapturedErrors errors;
        EXPECT_FALSE(textfiles::WriteLines("Pets\\REX.data", {"REX 1"}));
        EXPECT_NE(errors.Text().find("refused: \"Pets\\REX.data\": cannot be saved: "), std::string::npos);
        EXPECT_TRUE(std::filesystem::is_directory(game.folder / "Pets/REX.data"));
        EXPECT_FALSE(game.Exists("Pets/REX.data.tmp"));
        return;
    }
    game.Write("Pets/REX.data", "old\n");
    ::chmod((game.folder / "Pets").c_str(), 0500);
    CapturedErrors errors;
    EXPECT_FALSE(textfiles::WriteLines("Pets\\REX.data", {"new"}));
    ::chmod((game.folder / "Pets").c_str(), 0700);
    EXPECT_EQ(game.Read("Pets/REX.data"), "old\n");
    EXPECT_NE(errors.Text().find("refused: \"Pets\\REX.data\": cannot be saved: "), std::string::npos);
}
