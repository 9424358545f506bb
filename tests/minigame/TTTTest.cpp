#include "pet/PetFixture.h"

#include "XServer.h"
#include "minigame/TTT.h"

#include <gtest/gtest.h>

#include <thread>
#include <tuple>
#include <utility>

TEST(PaperScissorsStone, ThePetWinsExactlyWhenItBeatsThePlayer) {
    // 1 paper, 2 scissors, 3 stone: scissors beat paper, stone beats scissors, paper beats stone.
    const std::pair<std::string, int> win{"Pet Win!", 10}, lost{"Pet Lost!", 0}, draw{"Draw!", -5};
    // Rows: the player's paper, scissors, stone; columns: the pet's.
    const std::pair<std::string, int> expected[3][3] = {
        {draw, win, lost}, {lost, draw, win}, {win, lost, draw}};
    for (int player = 1; player <= 3; ++player) {
        for (int pet = 1; pet <= 3; ++pet) {
            const auto judged = TTTProxy::TTT::Judge(player, pet);
            EXPECT_EQ(std::pair(judged.text, judged.points), expected[player - 1][pet - 1])
                << player << " " << pet;
        }
    }
}

TEST(PaperScissorsStone, KeyPressesFillTheCountersAndTheProxyCopiesThem) {
    XServer* x = XServer::ForThisProcess();
    if (x == nullptr) {
        GTEST_SKIP() << "no Xvfb to open windows on";
    }
    TempGameFolder game;
    std::filesystem::create_directory_symlink(std::string(HATCHLING_GAME_DATA) + "/fonts",
                                              game.folder / "fonts");
    RecordedSleeps sleeps;
    ScriptedRandom draws({1, 0, 0});
    {
        TTTProxy proxy;
        EXPECT_EQ(Game::Get("TTT"), &proxy);
        // A player presses keys in each new game window from outside, and closes the window if the
        // keys do not end the game, so that the play ends and the test fails instead of hanging.
        unsigned long last = 0;
        const auto play = [&](std::initializer_list<const char*> keys) {
            std::jthread player([&] {
                unsigned long window = 0;
                WaitFor([&] { return (window = x->FindWindow("TTT", last)) != 0; }, 30);
                x->Keys(window, keys);
                if (window == 0 || !WaitFor([&] { return x->FindWindow("TTT") == 0; }, 30)) {
                    ADD_FAILURE() << "the keys did not reach the game window";
                    x->Close(0);
                }
                last = window;
            });
            proxy.Play();
        };

        // Three turns and Escape: the pet's scissors beat paper (+10), its paper loses to
        // scissors (0), its paper beats stone (+10); every key press costs full and energy.
        play({"1", "2", "3", "Escape"});
        EXPECT_EQ(std::tuple(proxy.GetFull(), proxy.GetWisdom(), proxy.GetEnergy(), proxy.GetResult(),
                             proxy.GetStrength(), draws.log),
                  std::tuple(-8, 4, -4, 20, 0, "SDSDSD"));

        // A run ended at once with Escape still counts that key press; the counters restart.
        play({"Escape"});
        EXPECT_EQ(std::tuple(proxy.GetFull(), proxy.GetWisdom(), proxy.GetEnergy(), proxy.GetResult()),
                  std::tuple(-2, 1, -1, 0));
    }
    EXPECT_EQ(Game::Get("TTT"), nullptr);
}
