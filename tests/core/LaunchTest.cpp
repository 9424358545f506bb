#include "core/Launch.h"
#include "TempGameFolder.h"
#include "core/WindowSize.h"
#include "support/FileError.h"
#include "support/TextFiles.h"

#include <sstream>

TEST(Launch, OnlyHelpOrVersionAloneAreAnsweredAndAnythingElseIsMisuse) {
    EXPECT_EQ(launch::ParseArguments({}), launch::Request::Play);
    std::ostringstream out, err;
    EXPECT_EQ(launch::Answer(launch::ParseArguments({"--version"}), "1.2.3", out, err), 0);
    EXPECT_EQ(out.str(), "hatchling 1.2.3\n");
    EXPECT_EQ(launch::Answer(launch::ParseArguments({"--help"}), "1", out, err), 0);
    EXPECT_EQ(err.str(), "");
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"-h"}, {"--help", "--version"}, {""}}) {
        EXPECT_EQ(launch::Answer(launch::ParseArguments(arguments), "1", out, err), 2);
    }
    for (const char* bad : {"0", "5", "2x", ""}) {
        EXPECT_EQ(launch::ParseArguments({"--scale", bad}), launch::Request::Misuse);
    }
    const std::string usage = "usage: hatchling [--help | --version | --scale N]\n";
    EXPECT_EQ(err.str(), usage + usage + usage);
}

TEST(Launch, TheWorkingFolderWinsWhenItHoldsTheDataOtherwiseTheExecutablesNeighboursAreUsed) {
    TempGameFolder game;
    const std::string root = game.folder.string();
    game.Write("portable/Settings/WindowApp.data", "1 1 T i\n");
    game.Write("tree/game-data/Settings/WindowApp.data", "1 1 T i\n");
    game.Write("usr/share/hatchling/Settings/WindowApp.data", "1 1 T i\n");
    game.Write("usr/games/hatchling", "");

    launch::Folders own =
        launch::FindFolders(root + "/portable", root + "/tree/hatchling", "", root + "/home");
    // Nothing is made outside the portable folder.
    EXPECT_EQ(std::tuple(own.locked, own.layers.shipped, game.Exists("home")),
              std::tuple(root + "/portable", "", false));

    launch::Folders built =
        launch::FindFolders(root, root + "/tree/hatchling", "relative/ignored", root + "/home");
    EXPECT_EQ(
        std::tuple(built.layers.shipped, built.layers.player, game.Exists("home/.local/share/hatchling")),
        std::tuple(root + "/tree/game-data", root + "/home/.local/share/hatchling", true));

    launch::Folders installed = launch::FindFolders(root, root + "/usr/games/hatchling", root + "/xdg", "");
    EXPECT_EQ(std::tuple(installed.layers.shipped, installed.locked),
              std::tuple(root + "/usr/share/hatchling", root + "/xdg/hatchling"));
    game.Write("xdg/hatchling/Settings/WindowApp.data", "1 1 T i\n");
    launch::Folders inPlayers =
        launch::FindFolders(root + "/xdg/hatchling", root + "/usr/games/hatchling", root + "/xdg", "");
    EXPECT_EQ(inPlayers.layers.shipped, root + "/usr/share/hatchling");

    EXPECT_THROW(launch::FindFolders(root, root + "/elsewhere/hatchling", "", root + "/home"), FileError);
    EXPECT_THROW(launch::LockFolder(root + "/missing"), FileError);
}

TEST(PathLayers, EveryWriteGoesToThePlayerFolderAndAReadFallsBackToTheShippedFile) {
    TempGameFolder game;
    game.Write("shipped/Settings/Pet.list", "OLD\n");
    paths::SetLayers({(game.folder / "player").string(), (game.folder / "shipped").string()});
    std::vector<std::string> list;
    EXPECT_TRUE(textfiles::ReadLines("Settings\\Pet.list", list));
    list.push_back("NEW");
    EXPECT_TRUE(textfiles::WriteLines("Settings\\Pet.list", list));
    EXPECT_TRUE(textfiles::WriteLines("Pets\\NEW.data", {"NEW 0"}));
    paths::SetLayers({}); // back to the working folder
    EXPECT_EQ(std::tuple(game.Read("player/Settings/Pet.list"), game.Read("shipped/Settings/Pet.list"),
                         game.Read("player/Pets/NEW.data"), game.Exists("player/Pets/NEW.data.tmp")),
              std::tuple("OLD\nNEW\n", "OLD\n", "NEW 0\n", false));
    EXPECT_EQ(paths::Map("/abs/icon.png"), "/abs/icon.png");
}

TEST(SizeKeys, TheBalloonSaysTheNewSizeOrWhyItStays) {
    using windowsize::SizeAnswer;
    EXPECT_EQ(std::vector({SizeAnswer(1, 1, 2), SizeAnswer(3, -1, 2), SizeAnswer(1, 1, 1),
                           SizeAnswer(2, 1, 2), SizeAnswer(4, 1, 4), SizeAnswer(1, -1, 1)}),
              std::vector<std::string>({"Size x2", "Size x2", "x2 does not fit this screen",
                                        "x3 does not fit this screen", "Largest size", "Smallest size"}));
}
