// What the player sees and does beyond the keys, on the real binary: the hint line, the need
// marks, the call for attention, clicks in menus, choosers, the mini-game and on the pet, and
// the status meters.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace e2e;

namespace {
struct Saved {
    int wisdom = 0, health = 0, full = 0, dirty = 0;
    double weight = 0;
};

Saved SaveAndRead(GameProcess& game) {
    game.Remove("Pets/HUN.data");
    game.Keys({"m", "s"});
    EXPECT_TRUE(WaitFor([&] { return !game.Read("Pets/HUN.data").empty(); }));
    std::istringstream in(game.Read("Pets/HUN.data"));
    std::string line;
    double height = 0;
    int strength = 0;
    Saved s;
    std::getline(std::getline(in, line), line) >> height >> s.weight >> strength >> s.wisdom >> s.health >>
        s.full >> s.dirty;
    return s;
}

int Count(const Shot& s, unsigned x0, unsigned y0, unsigned x1, unsigned y1, std::uint32_t rgb) {
    int count = 0;
    for (unsigned y = y0; y < y1 && y < s.height; ++y) {
        for (unsigned x = x0; x < x1 && x < s.width; ++x) {
            count += s.rgb[y * s.width + x] == rgb ? 1 : 0;
        }
    }
    return count;
}

constexpr std::uint32_t kBowl = 0x5e9ee4, kGreen = 0x2ea043, kRed = 0xd62728;
bool Urgent(const GameProcess& game) {
    return game.WmHints().find("urgency hint bit is set") != std::string::npos;
}
} // namespace

TEST(EndToEndCare, MarksUrgencyClicksAndMetersShowWhatThePetNeeds) {
    REQUIRE_DISPLAY();
    GameProcess game;
    // Hungry only: full at 12, healthy and clean.
    game.Write("Settings/Pet.list", "HUN\n");
    game.Write("Pets/HUN.data", "HUN 0\nBaby Normal\n30.000000 500.000000 5 5 90 12 10 50 80 \n");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    const auto hint = [](const Shot& s) { return White(s) && s.Count(0, 320, 480, 360) > 50; };
    EXPECT_TRUE(hint(game.WaitForShot(hint))) << "no hint line on the empty window";

    // A click on "n) New Pet" opens the name prompt.
    game.Keys({"m"});
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360) > 100000; });
    game.Click(60, 26);
    const auto prompt = [](const Shot& s) { return Count(s, 10, 10, 240, 40, 0x0000FF) > 30; };
    EXPECT_TRUE(prompt(game.WaitForShot(prompt))) << "the click did not open the name prompt";
    game.Keys({"Escape"});

    // Opened while another window has the focus: the bowl in the corner, and the call.
    game.Focus(0);
    game.Keys({"m", "o", "Return"});
    const auto hungry = [](const Shot& s) { return PetDrawn(s) && Count(s, 430, 0, 480, 50, kBowl) > 50; };
    const Shot marked = game.WaitForShot(hungry);
    EXPECT_TRUE(hungry(marked)) << "no hungry mark";
    EXPECT_EQ(marked.Count(330, 0, 430, 50), 0) << "marks for needs the pet does not have";
    EXPECT_TRUE(WaitFor([&] { return Urgent(game); })) << game.WmHints();
    game.Focus(game.Main());
    EXPECT_TRUE(WaitFor([&] { return !Urgent(game); })) << "focusing should end the call";

    // A click on "->" moves from Apple to Cake (weight +120); fed, the pet needs nothing.
    const Saved before = SaveAndRead(game);
    game.Focus(0);
    game.Keys({"p", "f"});
    const Shot chooser =
        game.WaitForShot([](const Shot& s) { return s.Count(200, 330, 480, 360, true) > 20; });
    unsigned right = 0;
    for (unsigned x = 0; x < chooser.width; ++x) {
        right = chooser.Count(x, 330, x + 1, 360, true) > 0 ? x : right;
    }
    game.Click(int(right) - 4, 345);
    game.Keys({"Return"});
    const auto kept = [](const Shot& s) { return PetDrawn(s) && s.Count(330, 0, 480, 50) == 0; };
    EXPECT_TRUE(kept(game.WaitForShot(kept))) << "the mark stayed after feeding";
    const Saved fed = SaveAndRead(game);
    EXPECT_NEAR(fed.weight, before.weight + 120.0, 1e-6);
    // A well-kept pet does not call, even after a life step (dirt grows every step).
    EXPECT_TRUE(WaitFor([&] { return SaveAndRead(game).dirty != fed.dirty; }, 30.0));
    EXPECT_FALSE(Urgent(game)) << game.WmHints();

    // A click on the game's name starts it, one on "1: Paper" plays a turn (then Escape).
    game.Keys({"p", "g"});
    game.WaitForShot([](const Shot& s) { return s.Count(200, 160, 280, 200, true) > 20; });
    game.Click(240, 180);
    unsigned long ttt = 0;
    ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; })) << "no mini-game window";
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 240, 240, true) > 200; }, 20, ttt);
    game.Click(40, 28, ttt);
    const auto magenta = [](const Shot& s) { return Count(s, 0, 0, 240, 240, 0xFF00FF) > 0; };
    EXPECT_TRUE(magenta(game.WaitForShot(magenta, 20, ttt))) << "the click played no turn";
    game.Keys({"Escape"}, ttt);
    ASSERT_TRUE(WaitFor([&] { return game.FindWindow("TTT") == 0; }));
    const Saved played = SaveAndRead(game);
    EXPECT_EQ(played.wisdom, fed.wisdom + 2);

    // A click on the pet opens its menu, one on "s) State" the status with its meters.
    game.WaitForShot(PetDrawn);
    game.Click(240, 180);
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360) > 100000; });
    game.Click(60, 26);
    const auto meters = [](const Shot& s) { return Count(s, 320, 60, 460, 200, kGreen) > 500; };
    const Shot status = game.WaitForShot(meters);
    ASSERT_TRUE(meters(status)) << "no meters";
    // The health meter (fourth) is filled in proportion: 140 pixels for 100 %.
    const int filled = Count(status, 320, 153, 460, 154, kGreen) + Count(status, 320, 153, 460, 154, kRed);
    EXPECT_NEAR(filled, 1.4 * played.health, 2.0);
    EXPECT_EQ(status.Count(0, 0, 240, 50), 0) << "the meters must leave the status text alone";

    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
}
