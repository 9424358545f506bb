// Looking after saved pets through the real binary's menus and choosers, reading back what the
// game saved.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

using namespace e2e;

namespace {
struct Stats {
    std::string name, states;
    double height = 0, weight = 0;
    int strength = 0, wisdom = 0, health = 0, full = 0, dirty = 0, mood = 0, energy = 0;
    std::chrono::steady_clock::time_point when = std::chrono::steady_clock::now();
};

Stats Parse(const std::string& text) {
    Stats s;
    std::istringstream in(text);
    std::getline(in, s.name);
    std::getline(in, s.states);
    in >> s.height >> s.weight >> s.strength >> s.wisdom >> s.health >> s.full >> s.dirty >> s.mood >>
        s.energy;
    EXPECT_FALSE(in.fail()) << text;
    return s;
}

// Saves through the main menu; the file is removed first, so its reappearance is the save.
Stats SaveAndRead(GameProcess& game, const std::string& name) {
    const std::string path = "Pets/" + name + ".data";
    game.Remove(path);
    Stats stats;
    game.Keys({"m", "s"});
    EXPECT_TRUE(WaitFor([&] { return game.Exists(path); })) << "no save of " << path;
    const std::chrono::steady_clock::time_point pressed = stats.when;
    stats = Parse(game.Read(path));
    stats.when = pressed;
    return stats;
}

// Life steps come at least 101 passes of 0.05 s apart: at most this many ran between two saves.
int MostLifeSteps(const Stats& before, const Stats& after) {
    return static_cast<int>(std::chrono::duration<double>(after.when - before.when).count() / 5.05) + 1;
}

void ExpectUntouched(const Stats& before, const Stats& after) {
    EXPECT_EQ(after.name, before.name);
    EXPECT_NEAR(after.height, before.height, 1e-6);
    EXPECT_NEAR(after.weight, before.weight, 1e-6);
    EXPECT_EQ(after.strength, before.strength);
    EXPECT_EQ(after.wisdom, before.wisdom);
    EXPECT_EQ(after.health, before.health);
}
} // namespace

TEST(EndToEndPetCare, CommandsChangeTheSavedStatisticsEscapeChangesNothingAndOpeningSavesTheCurrentPet) {
    REQUIRE_DISPLAY();
    GameProcess game;
    // A baby that stays Normal and does not grow meanwhile: dirty keeps it unfit to grow and
    // away from smiling, energy and health keep it awake and well.
    game.Write("Settings/Pet.list", "BOB\nANN\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n");
    game.Write("Pets/ANN.data", "ANN 2\nSmallBaby Normal\n15.000000 300.000000 1 1 90 60 50 50 80 \n");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    const Stats opened = SaveAndRead(game, "BOB");
    EXPECT_EQ(opened.states, "Baby Normal");
    EXPECT_EQ(opened.health, 50);

    // Escape in the open, feed and play choosers: the same pet, nothing fed or played.
    game.Keys({"m", "o", "Escape", "p", "f", "Escape", "p", "g", "Escape"});
    EXPECT_EQ(game.FindWindow("TTT"), 0u);
    const Stats escaped = SaveAndRead(game, "BOB");
    ExpectUntouched(opened, escaped);
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should show again";

    // Feed the first food in name order, Apple: height 1.0, weight 20, health 5, full 20, wisdom 1.
    game.Keys({"p", "f"});
    const Shot chooser = game.WaitForShot([](const Shot& s) { return s.Count(10, 10, 120, 40, true) > 20; });
    EXPECT_GT(chooser.Count(200, 140, 280, 220), 1500) << "the food's picture should be in the middle";
    game.Keys({"Return"});
    game.WaitForShot([](const Shot& s) { return s.Count(10, 10, 120, 40) == 0 && s.NonWhite() > 300; });
    const Stats fed = SaveAndRead(game, "BOB");
    EXPECT_NEAR(fed.height, escaped.height + 1.0, 1e-6);
    EXPECT_NEAR(fed.weight, escaped.weight + 20.0, 1e-6);
    EXPECT_EQ(fed.strength, escaped.strength);
    EXPECT_EQ(fed.wisdom, escaped.wisdom + 1);
    EXPECT_EQ(fed.health, escaped.health + 5);
    EXPECT_LE(fed.full, escaped.full + 20);
    EXPECT_GE(fed.full, escaped.full + 20 - 4 * MostLifeSteps(escaped, fed));

    // Play one turn with key 1, then Escape: each key press costs full 2 and energy 1 and
    // teaches wisdom 1.
    game.Keys({"p", "g"});
    game.WaitForShot([](const Shot& s) { return s.Count(200, 160, 280, 200, true) > 20; });
    game.Keys({"Return"});
    unsigned long ttt = 0;
    ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; })) << "no mini-game window";
    const Shot menu =
        game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 240, 240, true) > 200; }, 20, ttt);
    EXPECT_EQ(menu.width, 240u);
    game.Keys({"1"}, ttt);
    // The turn's result is drawn in magenta over the middle.
    const auto magenta = [](const Shot& s) { return std::count(s.rgb.begin(), s.rgb.end(), 0xFF00FFu) > 0; };
    EXPECT_TRUE(magenta(game.WaitForShot(magenta, 20, ttt))) << "no turn result";
    game.Keys({"Escape"}, ttt);
    EXPECT_TRUE(WaitFor([&] { return game.FindWindow("TTT") == 0; })) << "the mini-game window stayed";
    const Stats played = SaveAndRead(game, "BOB");
    EXPECT_NEAR(played.weight, fed.weight, 1e-6);
    EXPECT_EQ(played.strength, fed.strength);
    EXPECT_EQ(played.wisdom, fed.wisdom + 2);
    EXPECT_EQ(played.health, fed.health);
    EXPECT_LE(played.full, fed.full - 4);
    EXPECT_GE(played.full, fed.full - 4 - 4 * MostLifeSteps(fed, played));
    EXPECT_LE(played.energy, fed.energy - 2);

    // Clean lowers dirty by 8 to 11; life steps meanwhile add 3 to 7 each.
    game.Keys({"p", "c"});
    const Stats cleaned = SaveAndRead(game, "BOB");
    ExpectUntouched(played, cleaned);
    EXPECT_GE(cleaned.dirty, played.dirty - 11);
    EXPECT_LE(cleaned.dirty, played.dirty - 8 + 7 * MostLifeSteps(played, cleaned));

    // Cure: health below 60 gains 20 to 39.
    ASSERT_LT(cleaned.health, 60);
    game.Keys({"p", "h"});
    const Stats cured = SaveAndRead(game, "BOB");
    EXPECT_GE(cured.health, cleaned.health + 20);
    EXPECT_LE(cured.health, cleaned.health + 39);
    EXPECT_NEAR(cured.weight, cleaned.weight, 1e-6);

    // Status: several lines of text at the top left, changing nothing.
    game.Keys({"p", "s"});
    const Shot status = game.WaitForShot([](const Shot& s) { return s.Count(15, 55, 200, 80, true) > 30; });
    EXPECT_GT(status.Count(15, 160, 200, 220, true), 30) << "the status should have several lines";
    ExpectUntouched(cured, SaveAndRead(game, "BOB"));
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should come back after the status";

    // Left from the first name wraps to the last, ANN; the current pet is saved on the way.
    game.Remove("Pets/BOB.data");
    game.Keys({"m", "o", "Left", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Exists("Pets/BOB.data"); })) << "opening did not save BOB";
    EXPECT_NEAR(Parse(game.Read("Pets/BOB.data")).weight, cured.weight, 1e-6);
    EXPECT_EQ(SaveAndRead(game, "ANN").name, "ANN 2");

    // Quit from the menu saves the current pet.
    game.Remove("Pets/ANN.data");
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(Parse(game.Read("Pets/ANN.data")).states.substr(0, 9), "SmallBaby");
    EXPECT_EQ(game.Read("Settings/Pet.list"), "BOB\nANN\n");
    EXPECT_TRUE(game.Refused().empty()) << game.Err();
}
