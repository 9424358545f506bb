// Paper-scissors-stone as the player reads it, and the pet's window behind it, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace e2e;

namespace {
// PIP, opened, plays; returns the mini-game's window.
unsigned long OpenMiniGame(GameProcess& game) {
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", "PIP 0\nBaby Normal\n30.000000 500.000000 0 0 100 60 0 50 90 \n");
    game.Start();
    game.Keys({"m", "o", "Return", "p", "g", "Return"});
    unsigned long ttt = 0;
    EXPECT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; })) << "no mini-game window";
    return ttt;
}

// The pick a picture beside x shows, by the colour only it has: the paper's blue lines (1), the
// scissors' red handles (2), the grey stone (3); 0 for none.
int PickAt(const Shot& s, unsigned x) {
    const auto has = [&](std::uint32_t colour) {
        for (unsigned y = 146; y < 186; ++y) {
            if (std::count(s.rgb.begin() + y * s.width + x - 20, s.rgb.begin() + y * s.width + x + 20,
                           colour) > 8) {
                return true;
            }
        }
        return false;
    };
    return has(0x9FB8FF) ? 1 : has(0xEA4A3F) ? 2 : has(0x9B9AA6) ? 3 : 0;
}

bool ResultShown(const Shot& s) {
    return std::count(s.rgb.begin(), s.rgb.end(), 0xFF00FFu) > 100;
}

bool MenuShown(const Shot& s) {
    return s.Count(10, 10, 100, 120, true) > 200 && !ResultShown(s);
}
} // namespace

TEST(EndToEndMiniGame, EachTurnShowsThePetsPickBesideThePlayersAndKeepsBothUnderTheMenuWithTheScore) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const unsigned long ttt = OpenMiniGame(game);
    const Shot before = game.WaitForShot(MenuShown, 20, ttt);
    EXPECT_EQ(PickAt(before, 70) + PickAt(before, 170), 0) << "picks before the first turn";
    game.Keys({"1"}, ttt);
    const Shot result = game.WaitForShot(ResultShown, 20, ttt);
    const int pet = PickAt(result, 170);
    EXPECT_TRUE(PickAt(result, 70) == 1 && pet != 0) << "the picks should stand beside the result";
    const Shot after = game.WaitForShot(MenuShown, 20, ttt);
    EXPECT_EQ(std::pair(PickAt(after, 70), PickAt(after, 170)), std::pair(1, pet));
    // The score in the top right corner counts the turn.
    EXPECT_GT(before.Count(170, 0, 240, 50, true), 20);
    EXPECT_NE(std::vector(before.rgb.begin(), before.rgb.begin() + 50 * 240),
              std::vector(after.rgb.begin(), after.rgb.begin() + 50 * 240));
    game.Keys({"3"}, ttt);
    EXPECT_EQ(PickAt(game.WaitForShot([](const Shot& s) { return PickAt(s, 70) == 3; }, 20, ttt), 70), 3);
}

// The game stands still while the mini-game runs, yet the pet's window keeps its picture: a window
// moved off it leaves no ghost, with or without a window manager.
TEST(EndToEndMiniGame, ThePetsWindowShowsThePetsLastPictureAgainWhereTheMiniGameMovesOffIt) {
    REQUIRE_DISPLAY();
    for (const bool manager : {false, true}) {
        // Without backing store, as on most desktops: what a window uncovers is the game's to paint.
        GameProcess game;
        if (manager) {
            game.StartWindowManager();
        }
        const unsigned long ttt = OpenMiniGame(game);
        const std::string move = "xdotool windowmove " + std::to_string(ttt);
        game.WaitForShot(MenuShown, 20, ttt); // placed by the game, and drawn
        game.Tool(move + " 0 0");             // off the pet's window, which stands in the middle
        const Shot last = game.WaitForShot(PetDrawn);
        ASSERT_TRUE(PetDrawn(last)) << "the pet's window should show the pet while the game runs";
        game.Tool(move + " 392 264");
        game.WaitForShot([&](const Shot& s) { return s.rgb != last.rgb; });
        game.Tool(move + " 0 0");
        EXPECT_TRUE(game.WaitForShot([&](const Shot& s) { return s.rgb == last.rgb; }).rgb == last.rgb)
            << "a ghost of the mini-game stayed (" << (manager ? "openbox" : "no window manager") << ")";
    }
}
