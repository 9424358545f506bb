#include "pet/PetFixture.h"

#include "minigame/TTT.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <thread>
#include <tuple>

TEST(PaperScissorsStone, ThePetWinsExactlyWhenItBeatsThePlayer) {
    // 1 paper, 2 scissors, 3 stone: scissors beat paper, stone beats scissors, paper beats stone.
    const std::map<std::string, int> points = {{"Pet Win!", 10}, {"Pet Lost!", 0}, {"Draw!", -5}};
    const char* const expected[3][3] = {{"Draw!", "Pet Win!", "Pet Lost!"},  // the player's paper
                                        {"Pet Lost!", "Draw!", "Pet Win!"},  // scissors
                                        {"Pet Win!", "Pet Lost!", "Draw!"}}; // stone
    for (int player = 1; player <= 3; ++player) {
        for (int pet = 1; pet <= 3; ++pet) {
            const auto judged = TTTProxy::TTT::Judge(player, pet);
            EXPECT_EQ(judged.text, expected[player - 1][pet - 1]) << player << " " << pet;
            EXPECT_EQ(judged.points, points.at(judged.text)) << player << " " << pet;
        }
    }
}

namespace {
// Presses keys in the game's window once it has opened, from outside the process, as a player would.
std::thread PressInGameWindow(const std::string& keys) {
    return std::thread([keys] {
        // Wait until the window is there and shown before pressing. The last key closes the
        // window, so xdotool may complain about its release: only the search must succeed.
        EXPECT_EQ(
            std::system(("id=$(xdotool search --sync --onlyvisible --name '^TTT$' | head -n 1) && sleep 0.5 "
                         "&& { xdotool key --delay 150 --window \"$id\" " +
                         keys + " >/dev/null 2>&1; true; }")
                            .c_str()),
            0)
            << "could not press " << keys;
    });
}
} // namespace

TEST(PaperScissorsStone, KeyPressesFillTheCountersAndTheProxyCopiesThem) {
    if (!std::getenv("DISPLAY")) {
        GTEST_SKIP() << "needs an X server";
    }
    TempGameFolder game;
    std::filesystem::create_directory_symlink(std::string(HATCHLING_GAME_DATA) + "/fonts",
                                              game.folder / "fonts");
    RecordedSleeps sleeps;
    ScriptedRandom draws({1, 0, 0});
    Game* registered = nullptr;
    {
        TTTProxy proxy;
        registered = Game::Get("TTT");
        EXPECT_EQ(registered, &proxy);

        // Three turns and Escape: the pet's scissors beat paper (+10), its paper loses to
        // scissors (0), its paper beats stone (+10); every key press costs full and energy.
        std::thread player = PressInGameWindow("1 2 3 Escape");
        proxy.Play();
        player.join();
        EXPECT_EQ(std::tuple(proxy.GetFull(), proxy.GetWisdom(), proxy.GetEnergy(), proxy.GetResult(),
                             proxy.GetStrength(), draws.reseeds, draws.Left()),
                  std::tuple(-8, 4, -4, 20, 0, 3, 0u));

        // A run ended at once with Escape still counts that key press; the counters restart.
        std::thread quitter = PressInGameWindow("Escape");
        proxy.Play();
        quitter.join();
        EXPECT_EQ(std::tuple(proxy.GetFull(), proxy.GetWisdom(), proxy.GetEnergy(), proxy.GetResult()),
                  std::tuple(-2, 1, -1, 0));
    }
    EXPECT_EQ(Game::Get("TTT"), nullptr);
}
