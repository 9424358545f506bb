#include "core/Launch.h"
#include "core/BehaviorScheduler.h"
#include "pet/PetFixture.h"
#include "support/EndRequest.h"
#include "support/FileError.h"
#include "support/TextFiles.h"

#include <chrono>
#include <sstream>

namespace {
// Sets the two layers for one test and puts the working-directory mapping back afterwards.
struct LayersInUse {
    explicit LayersInUse(const TempGameFolder& game) {
        paths::SetLayers({(game.folder / "player").string(), (game.folder / "shipped").string()});
    }
    ~LayersInUse() { paths::SetLayers({}); }
};
} // namespace

TEST(Launch, OnlyHelpOrVersionAloneAreAnsweredAndAnythingElseIsMisuse) {
    using launch::Request;
    EXPECT_EQ(launch::ParseArguments({}), Request::Play);
    std::ostringstream out, err;
    EXPECT_EQ(launch::Answer(launch::ParseArguments({"--version"}), "1.2.3", out, err), 0);
    EXPECT_EQ(out.str(), "hatchling 1.2.3\n");
    EXPECT_EQ(launch::Answer(launch::ParseArguments({"--help"}), "1", out, err), 0);
    EXPECT_EQ(err.str(), "");
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"-h"}, {"--help", "--version"}, {""}}) {
        EXPECT_EQ(launch::Answer(launch::ParseArguments(arguments), "1", out, err), 2);
    }
    const std::string usage = "usage: hatchling [--help | --version]\n";
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
    EXPECT_EQ(own.locked, root + "/portable");
    EXPECT_EQ(own.layers.shipped, "");
    EXPECT_FALSE(game.Exists("home")); // nothing made outside the portable folder

    launch::Folders built =
        launch::FindFolders(root, root + "/tree/hatchling", "relative/ignored", root + "/home");
    EXPECT_EQ(built.layers.shipped, root + "/tree/game-data");
    EXPECT_EQ(built.layers.player, root + "/home/.local/share/hatchling");
    EXPECT_TRUE(game.Exists("home/.local/share/hatchling"));

    launch::Folders installed = launch::FindFolders(root, root + "/usr/games/hatchling", root + "/xdg", "");
    EXPECT_EQ(installed.layers.shipped, root + "/usr/share/hatchling");
    EXPECT_EQ(installed.locked, root + "/xdg/hatchling");
    game.Write("xdg/hatchling/Settings/WindowApp.data", "1 1 T i\n");
    launch::Folders inPlayers =
        launch::FindFolders(root + "/xdg/hatchling", root + "/usr/games/hatchling", root + "/xdg", "");
    EXPECT_EQ(inPlayers.layers.shipped, root + "/usr/share/hatchling");

    EXPECT_THROW(launch::FindFolders(root, root + "/elsewhere/hatchling", "", root + "/home"), FileError);
}

TEST(Launch, ASecondLockOnTheSameFolderIsRefused) {
    TempGameFolder game;
    EXPECT_TRUE(launch::LockFolder((game.folder / "Pets").string()));
    EXPECT_FALSE(launch::LockFolder((game.folder / "Pets").string()));
    EXPECT_THROW(launch::LockFolder((game.folder / "missing").string()), FileError);
}

TEST(PathLayers, ThePlayersFileIsReadFirstAndEveryWriteGoesToThePlayerFolder) {
    TempGameFolder game;
    game.Write("shipped/Settings/Hello.list", "shipped hello\n");
    game.Write("shipped/Settings/Pet.list", "OLD\n");
    game.Write("player/Settings/Food.list", "mine\n");
    LayersInUse layers(game);

    std::vector<std::string> lines;
    ASSERT_TRUE(textfiles::ReadLines("Settings\\Hello.list", lines));
    ASSERT_TRUE(textfiles::ReadLines("Settings\\Food.list", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"shipped hello", "mine"}));

    ASSERT_TRUE(textfiles::AppendLine("Settings\\Pet.list", "NEW"));
    ASSERT_TRUE(textfiles::WriteLines("Pets\\NEW.data", {"NEW 0"}));
    EXPECT_EQ(game.Read("player/Settings/Pet.list"), "OLD\nNEW\n");
    EXPECT_EQ(game.Read("shipped/Settings/Pet.list"), "OLD\n");
    EXPECT_EQ(game.Read("player/Pets/NEW.data"), "NEW 0\n");
    EXPECT_EQ(paths::Map("/abs/icon.png"), "/abs/icon.png");
}

TEST(EndRequest, WaitsStopAndTheGameLoopReturnsOnceTheGameIsAskedToEnd) {
    BehaviorScheduler scheduler;
    ending::Request();
    const auto start = std::chrono::steady_clock::now();
    timing::Sleep(5.0);
    scheduler.Run();
    ending::Clear();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}
