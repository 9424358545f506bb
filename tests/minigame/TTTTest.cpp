#include "pet/PetFixture.h"

#include "minigame/TTT.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <tuple>

TEST(PaperScissorsStone, ThePetWinsExactlyWhenItBeatsThePlayer) {
    using TTT = TTTProxy::TTT;
    // 1 paper, 2 scissors, 3 stone: scissors beat paper, stone beats scissors, paper beats stone.
    for (const auto& [a, b, text, points] : {std::tuple{1, 2, "Pet Win!", 10},
                                             {2, 3, "Pet Win!", 10},
                                             {3, 1, "Pet Win!", 10},
                                             {2, 1, "Pet Lost!", 0},
                                             {3, 2, "Pet Lost!", 0},
                                             {1, 3, "Pet Lost!", 0},
                                             {1, 1, "Draw!", -5},
                                             {2, 2, "Draw!", -5},
                                             {3, 3, "Draw!", -5}}) {
        EXPECT_EQ(TTT::Judge(a, b).text, text) << a << " " << b;
        EXPECT_EQ(TTT::Judge(a, b).points, points) << a << " " << b;
    }
}

namespace {
// Presses keys in the game's window once it has opened, from outside the process, as a player would.
std::thread PressInGameWindow(const std::string& keys) {
    return std::thread([keys] {
        // Wait until the window is there and shown before pressing. The last key closes the
        // window, so xdotool may complain about its release: only the search must succeed.
        const std::string command = "id=$(xdotool search --sync --onlyvisible --name '^TTT$' | head -n 1) && "
                                    "sleep 0.5 && { xdotool key --delay 150 --window \"$id\" " +
                                    keys + " >/dev/null 2>&1; true; }";
        if (std::system(command.c_str()) != 0) {
            ADD_FAILURE() << "could not press " << keys;
        }
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
        EXPECT_EQ(proxy.GetFull(), -8);
        EXPECT_EQ(proxy.GetWisdom(), 4);
        EXPECT_EQ(proxy.GetEnergy(), -4);
        EXPECT_EQ(proxy.GetResult(), 20);
        EXPECT_EQ(proxy.GetStrength(), 0);
        EXPECT_EQ(draws.reseeds, 3);
        EXPECT_EQ(draws.Left(), 0u);

        // A run ended at once with Escape still counts that key press; the counters restart.
        std::thread quitter = PressInGameWindow("Escape");
        proxy.Play();
        quitter.join();
        EXPECT_EQ(proxy.GetFull(), -2);
        EXPECT_EQ(proxy.GetWisdom(), 1);
        EXPECT_EQ(proxy.GetEnergy(), -1);
        EXPECT_EQ(proxy.GetResult(), 0);
    }
    EXPECT_EQ(Game::Get("TTT"), nullptr);
}
