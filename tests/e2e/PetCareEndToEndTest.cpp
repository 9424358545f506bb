// Looking after a saved pet through the real binary's menus and choosers, and reading back what the
// game saved.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>

using namespace e2e;

namespace {

#define REQUIRE_DISPLAY()                                                                                    \
    if (!GameProcess::HaveDisplay()) {                                                                       \
        GTEST_SKIP() << "no X display (run under xvfb-run)";                                                 \
    }

// A baby that stays Normal and does not grow while the test runs: dirty keeps it unfit to grow
// and away from smiling, energy and health keep it awake and well.
const std::string kBob = "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
const std::string kAnn = "ANN 2\nSmallBaby Normal\n15.000000 300.000000 1 1 90 60 50 50 80 \n";

struct Stats {
    std::string name;
    std::string states;
    double height = 0;
    double weight = 0;
    int strength = 0, wisdom = 0, health = 0, full = 0, dirty = 0, mood = 0, energy = 0;
    std::chrono::steady_clock::time_point when;
};

Stats Parse(const std::vector<std::string>& lines) {
    Stats stats;
    if (lines.size() != 3) {
        ADD_FAILURE() << "a data file should have 3 lines, not " << lines.size();
        return stats;
    }
    stats.name = lines[0];
    stats.states = lines[1];
    std::istringstream in(lines[2]);
    in >> stats.height >> stats.weight >> stats.strength >> stats.wisdom >> stats.health >> stats.full >>
        stats.dirty >> stats.mood >> stats.energy;
    EXPECT_FALSE(in.fail()) << lines[2];
    return stats;
}

// Saves through the main menu and reads the file back; the file is removed first, so its
// reappearance is the save.
Stats SaveAndRead(GameProcess& game, const std::string& name) {
    const std::string path = "Pets/" + name + ".data";
    game.Remove(path);
    const auto pressed = std::chrono::steady_clock::now();
    game.Keys({"m", "s"});
    EXPECT_TRUE(WaitFor([&] { return game.Exists(path); }, kActionSeconds)) << "no save of " << path;
    Stats stats = Parse(game.Lines(path));
    stats.when = pressed;
    return stats;
}

// Life steps come at least 101 passes of 0.05 s apart, so between two saves at most this many
// can have run.
int MostLifeSteps(const Stats& before, const Stats& after) {
    const double seconds = std::chrono::duration<double>(after.when - before.when).count();
    return static_cast<int>(seconds / 5.05) + 1;
}

void ExpectUntouched(const Stats& before, const Stats& after) {
    EXPECT_NEAR(after.height, before.height, 1e-6);
    EXPECT_NEAR(after.weight, before.weight, 1e-6);
    EXPECT_EQ(after.strength, before.strength);
    EXPECT_EQ(after.wisdom, before.wisdom);
    EXPECT_EQ(after.health, before.health);
}

// Opens the n-th pet of the list (0 is the first) through the open chooser.
void OpenNth(GameProcess& game, int n) {
    game.Keys({"m", "o"});
    for (int i = 0; i < n; ++i) {
        game.Key("Right");
    }
    game.Key("Return");
}

} // namespace

TEST(EndToEndPetCare, FeedPlayCleanCureAndStatusChangeTheSavedStatistics) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "BOB\n");
    game.Write("Pets/BOB.data", kBob);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    OpenNth(game, 0);
    const Shot baby = game.WaitForShot(PetDrawn);
    game.Keep(baby, "baby");
    ASSERT_TRUE(PetDrawn(baby));
    const Stats opened = SaveAndRead(game, "BOB");
    EXPECT_EQ(opened.name, "BOB 0");
    EXPECT_EQ(opened.states, "Baby Normal");
    EXPECT_NEAR(opened.height, 30.0, 1e-6);
    EXPECT_EQ(opened.health, 50);

    // Feed the first food in name order, Apple: height 1.0, weight 20, health 5, full 20,
    // mood 10, energy 5, strength 0, wisdom 1.
    game.Keys({"p", "f"});
    const Shot chooser = game.WaitForShot([](const Shot& s) { return s.Dark(10, 10, 120, 40) > 20; });
    game.Keep(chooser, "feed-chooser");
    EXPECT_GT(chooser.NonWhite(200, 140, 280, 220), 1500) << "the food's picture should be in the middle";
    game.Key("Return");
    const Shot tasty = game.WaitForShot(
        [](const Shot& s) { return s.NonWhite(10, 10, 120, 40) == 0 && s.NonWhiteAll() > 300; });
    game.Keep(tasty, "feed-answer");
    const Stats fed = SaveAndRead(game, "BOB");
    int steps = MostLifeSteps(opened, fed);
    EXPECT_NEAR(fed.height, opened.height + 1.0, 1e-6);
    EXPECT_NEAR(fed.weight, opened.weight + 20.0, 1e-6);
    EXPECT_EQ(fed.strength, opened.strength);
    EXPECT_EQ(fed.wisdom, opened.wisdom + 1);
    EXPECT_EQ(fed.health, opened.health + 5);
    EXPECT_LE(fed.full, opened.full + 20);
    EXPECT_GE(fed.full, opened.full + 20 - 4 * steps);

    // Play: one turn with key 1, then Escape. Each key press costs full 2 and energy 1 and
    // teaches wisdom 1.
    game.Keys({"p", "g"});
    const Shot gameChooser = game.WaitForShot([](const Shot& s) { return s.Dark(200, 160, 280, 200) > 20; });
    game.Keep(gameChooser, "game-chooser");
    game.Key("Return");
    const WindowId ttt = game.WaitForWindow("TTT");
    ASSERT_NE(ttt, 0u) << "the mini-game window did not open";
    const Shot menu =
        game.WaitForShot([](const Shot& s) { return s.Dark(0, 0, 240, 240) > 200; }, kActionSeconds, ttt);
    game.Keep(menu, "ttt-menu");
    EXPECT_EQ(menu.width, 240u);
    EXPECT_EQ(menu.height, 240u);
    game.Key("1", ttt);
    const Shot turn = game.WaitForShot(
        [](const Shot& s) {
            // The turn's result is drawn in magenta over the middle.
            for (std::uint32_t p : s.rgb) {
                if (p == 0xFF00FFu) {
                    return true;
                }
            }
            return false;
        },
        kActionSeconds, ttt);
    game.Keep(turn, "ttt-turn");
    game.Key("Escape", ttt);
    EXPECT_TRUE(game.WaitForWindowGone("TTT")) << "the mini-game window stayed open";
    const Stats played = SaveAndRead(game, "BOB");
    steps = MostLifeSteps(fed, played);
    EXPECT_NEAR(played.height, fed.height, 1e-6);
    EXPECT_NEAR(played.weight, fed.weight, 1e-6);
    EXPECT_EQ(played.strength, fed.strength);
    EXPECT_EQ(played.wisdom, fed.wisdom + 2);
    EXPECT_EQ(played.health, fed.health);
    EXPECT_LE(played.full, fed.full - 4);
    EXPECT_GE(played.full, fed.full - 4 - 4 * steps);
    EXPECT_LE(played.energy, fed.energy - 2);

    // Clean lowers dirty by 8 to 11; life steps meanwhile add 3 to 7 each.
    game.Keys({"p", "c"});
    const Stats cleaned = SaveAndRead(game, "BOB");
    steps = MostLifeSteps(played, cleaned);
    ExpectUntouched(played, cleaned);
    EXPECT_GE(cleaned.dirty, played.dirty - 11);
    EXPECT_LE(cleaned.dirty, played.dirty - 8 + 7 * steps);

    // Cure: health below 60 gains 20 to 39.
    ASSERT_LT(cleaned.health, 60);
    game.Keys({"p", "h"});
    const Stats cured = SaveAndRead(game, "BOB");
    EXPECT_GE(cured.health, cleaned.health + 20);
    EXPECT_LE(cured.health, cleaned.health + 39);
    EXPECT_NEAR(cured.weight, cleaned.weight, 1e-6);
    EXPECT_EQ(cured.wisdom, cleaned.wisdom);

    // Status: the text stands at the top left for 3 s and changes nothing.
    game.Keys({"p", "s"});
    const Shot status = game.WaitForShot([](const Shot& s) { return s.Dark(15, 55, 200, 80) > 30; });
    game.Keep(status, "status");
    EXPECT_GT(status.Dark(15, 55, 200, 80), 30) << "no status text";
    EXPECT_GT(status.Dark(15, 160, 200, 220), 30) << "the status should have several lines";
    const Stats looked = SaveAndRead(game, "BOB");
    ExpectUntouched(cured, looked);
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should come back after the status";

    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Settings/Pet.list"), "BOB\n");
    EXPECT_EQ(game.Err().find("refused:"), std::string::npos) << game.Err();
}

TEST(EndToEndChoosers, EscapeChangesNothingAndOpeningAnotherPetSavesTheCurrentOne) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "BOB\nANN\n");
    game.Write("Pets/BOB.data", kBob);
    game.Write("Pets/ANN.data", kAnn);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    OpenNth(game, 0);
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    const Stats opened = SaveAndRead(game, "BOB");

    // Escape in the open, feed and play choosers: the same pet, nothing fed or played.
    game.Keys({"m", "o"});
    const Shot openChooser = game.WaitForShot([](const Shot& s) { return s.Dark(200, 160, 280, 200) > 20; });
    game.Keep(openChooser, "open-chooser");
    EXPECT_GT(openChooser.Dark(180, 320, 300, 360), 20) << "no hint at the bottom";
    game.Key("Escape");
    game.Keys({"p", "f", "Escape"});
    game.Keys({"p", "g", "Escape"});
    EXPECT_EQ(game.FindWindow("TTT"), 0u);
    const Stats escaped = SaveAndRead(game, "BOB");
    EXPECT_EQ(escaped.name, "BOB 0");
    ExpectUntouched(opened, escaped);
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should move again";

    // Left from the first name wraps to the last: ANN. The current pet is saved on the way.
    game.Remove("Pets/BOB.data");
    game.Keys({"m", "o", "Left", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Exists("Pets/BOB.data"); }, kActionSeconds))
        << "opening another pet did not save the current one";
    const Stats bob = Parse(game.Lines("Pets/BOB.data"));
    EXPECT_EQ(bob.name, "BOB 0");
    EXPECT_NEAR(bob.weight, opened.weight, 1e-6);
    const Stats ann = SaveAndRead(game, "ANN");
    EXPECT_EQ(ann.name, "ANN 2");
    EXPECT_EQ(ann.states.substr(0, 9), "SmallBaby");
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));

    // Opening the current pet again only saves it.
    game.Remove("Pets/ANN.data");
    game.Keys({"m", "o", "Right", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Exists("Pets/ANN.data"); }, kActionSeconds));
    EXPECT_EQ(Parse(game.Lines("Pets/ANN.data")).name, "ANN 2");

    game.Remove("Pets/ANN.data");
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(Parse(game.Lines("Pets/ANN.data")).name, "ANN 2");
    EXPECT_EQ(game.Read("Settings/Pet.list"), "BOB\nANN\n");
}
