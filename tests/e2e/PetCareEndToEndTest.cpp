// Looking after saved pets through the real binary's menus and choosers, reading back what the
// game saved.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

using namespace e2e;

namespace {
struct Stats {
    std::string name, states;
    double height = 0, weight = 0;
    int strength = 0, wisdom = 0, health = 0, full = 0, dirty = 0, mood = 0, energy = 0;
    // Life steps change only full, dirty, mood and energy.
    auto Kept() const { return std::tie(name, height, weight, strength, wisdom, health); }
};

Stats Parse(const std::string& text) {
    Stats s;
    std::istringstream in(text);
    std::getline(std::getline(in, s.name), s.states) >> s.height >> s.weight >> s.strength >> s.wisdom >>
        s.health >> s.full >> s.dirty >> s.mood >> s.energy;
    EXPECT_FALSE(in.fail()) << text;
    return s;
}

// Saves through the main menu; the file is removed first, so its reappearance is the save.
Stats SaveAndRead(GameProcess& game, const std::string& name) {
    const std::string path = "Pets/" + name + ".data";
    game.Remove(path);
    game.Keys({"m", "s"});
    EXPECT_TRUE(WaitFor([&] { return !game.Read(path).empty(); })) << "no save of " << path;
    return Parse(game.Read(path));
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

    // Escape in the open, feed and play choosers: the same pet, nothing fed or played.
    game.Keys({"m", "o", "Escape", "p", "f", "Escape", "p", "g", "Escape"});
    EXPECT_EQ(game.FindWindow("TTT"), 0u);
    const Stats escaped = SaveAndRead(game, "BOB");
    EXPECT_EQ(escaped.Kept(), opened.Kept());
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should show again";

    // Feed the first food in name order, Apple: height 1.0, weight 20, health 5, wisdom 1.
    game.Keys({"p", "f"});
    const Shot chooser = game.WaitForShot([](const Shot& s) { return s.Count(10, 10, 120, 40, true) > 20; });
    EXPECT_GT(chooser.Count(200, 140, 280, 220), 1500) << "the food's picture should be in the middle";
    game.Keys({"Return"});
    game.WaitForShot([](const Shot& s) { return s.Count(10, 10, 120, 40) == 0 && PetDrawn(s); });
    const Stats fed = SaveAndRead(game, "BOB");
    EXPECT_NEAR(fed.height, escaped.height + 1.0, 1e-6);
    EXPECT_NEAR(fed.weight, escaped.weight + 20.0, 1e-6);
    EXPECT_EQ(fed.wisdom, escaped.wisdom + 1);
    EXPECT_EQ(fed.health, escaped.health + 5);

    // Play one turn with key 1, then Escape: each key press teaches wisdom 1 and costs energy.
    game.Keys({"p", "g"});
    game.WaitForShot([](const Shot& s) { return s.Count(200, 160, 280, 200, true) > 20; });
    game.Keys({"Return"});
    unsigned long ttt = 0;
    ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; })) << "no mini-game window";
    EXPECT_EQ(
        game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 240, 240, true) > 200; }, 20, ttt).width,
        240u);
    game.Keys({"1"}, ttt);
    // The turn's result is drawn in magenta over the middle.
    const auto magenta = [](const Shot& s) { return std::count(s.rgb.begin(), s.rgb.end(), 0xFF00FFu) > 0; };
    EXPECT_TRUE(magenta(game.WaitForShot(magenta, 20, ttt))) << "no turn result";
    game.Keys({"Escape"}, ttt);
    EXPECT_TRUE(WaitFor([&] { return game.FindWindow("TTT") == 0; })) << "the mini-game window stayed";
    const Stats played = SaveAndRead(game, "BOB");
    EXPECT_EQ(played.wisdom, fed.wisdom + 2);
    EXPECT_LE(played.energy, fed.energy - 2);

    // Clean lowers dirty by at least 8; cure raises health below 60 by 20 to 39.
    game.Keys({"p", "c"});
    const Stats cleaned = SaveAndRead(game, "BOB");
    EXPECT_EQ(cleaned.Kept(), played.Kept());
    EXPECT_LT(cleaned.dirty, played.dirty);
    ASSERT_LT(cleaned.health, 60);
    game.Keys({"p", "h"});
    const Stats cured = SaveAndRead(game, "BOB");
    EXPECT_GE(cured.health, cleaned.health + 20);
    EXPECT_LE(cured.health, cleaned.health + 39);

    // Status: several lines of text at the top left, changing nothing.
    game.Keys({"p", "s"});
    const Shot status = game.WaitForShot([](const Shot& s) { return s.Count(15, 55, 200, 80, true) > 30; });
    EXPECT_GT(status.Count(15, 160, 200, 220, true), 30) << "the status should have several lines";
    EXPECT_EQ(SaveAndRead(game, "BOB").Kept(), cured.Kept());

    // Left from the first name wraps to the last, ANN; the current pet is saved on the way.
    game.Remove("Pets/BOB.data");
    game.Keys({"m", "o", "Left", "Return"});
    ASSERT_TRUE(WaitFor([&] { return !game.Read("Pets/BOB.data").empty(); })) << "opening did not save BOB";
    EXPECT_EQ(Parse(game.Read("Pets/BOB.data")).health, cured.health);
    EXPECT_EQ(SaveAndRead(game, "ANN").name, "ANN 2");

    // Quit from the menu saves the current pet.
    game.Remove("Pets/ANN.data");
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(Parse(game.Read("Pets/ANN.data")).states.substr(0, 9), "SmallBaby");
    EXPECT_TRUE(game.Refused().empty()) << game.Err();
}
