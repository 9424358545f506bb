// Looking after saved pets through the real binary's menus, choosers and clicks, reading back
// what the game saved and drew: the hint line, the need marks, the call for attention, meters.
#include "e2e/GameProcess.h"
#include "growth/Food.h"
#include "growth/FoodEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <set>
#include <sstream>
#include <tuple>

using namespace e2e;

namespace {
struct SavedPet {
    std::string name, states;
    double height = 0, weight = 0;
    int strength = 0, wisdom = 0, health = 0, full = 0, dirty = 0, mood = 0, energy = 0;
    // Life steps change only full, dirty, mood and energy.
    auto Kept() const { return std::tie(name, height, weight, strength, wisdom, health); }
};

SavedPet Parse(const std::string& text) {
    SavedPet s;
    std::istringstream in(text);
    std::getline(std::getline(in, s.name), s.states) >> s.height >> s.weight >> s.strength >> s.wisdom >>
        s.health >> s.full >> s.dirty >> s.mood >> s.energy;
    EXPECT_FALSE(in.fail()) << text;
    return s;
}

// Saves through the main menu; the file is removed first, so its reappearance is the save.
SavedPet SaveAndRead(GameProcess& game, const std::string& name) {
    const std::string path = "Pets/" + name + ".data";
    game.Write(path, "");
    game.Keys({"m", "s"});
    std::string saved;
    EXPECT_TRUE(WaitFor([&] { return !(saved = game.Read(path)).empty(); })) << "no save of " << path;
    return Parse(saved);
}
} // namespace

TEST(EndToEndPetCare, CommandsChangeTheSavedStatisticsEscapeChangesNothingAndOpeningSavesTheCurrentPet) {
    REQUIRE_DISPLAY();
    GameProcess game;
    // A baby that stays Normal and does not grow meanwhile: dirty keeps it unfit to grow and
    // away from smiling, energy keeps it awake. It is hungry and ails; ANN is well kept.
    game.Write("Settings/Pet.list", "BOB\nANN\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 16 50 50 80 \n");
    game.Write("Pets/ANN.data", "ANN 2\nSmallBaby Normal\n15.000000 300.000000 1 1 90 60 10 50 80 \n");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    const auto hint = [](const Shot& s) { return White(s) && s.Count(0, 320, 480, 360) > 50; };
    EXPECT_TRUE(hint(game.WaitForShot(hint))) << "no hint line on the empty window";
    // A click on "n) New Pet" opens the name prompt, blue at the top.
    game.Keys({"m"});
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360) > 100000; });
    game.Click(60, 26);
    const auto prompt = [](const Shot& s) { return s.Pixels(0x0000FF) > 30; };
    EXPECT_TRUE(prompt(game.WaitForShot(prompt))) << "the click did not open the name prompt";
    game.Keys({"Escape"});

    // Opened while another window has the focus: the bowl in the corner, and a call.
    game.Focus(0);
    game.Keys({"m", "o", "Return"});
    const auto bowl = [](const Shot& s) { return PetDrawn(s) && s.Pixels(0x5e9ee4, 0, 50, 434) > 50; };
    EXPECT_TRUE(bowl(game.WaitForShot(bowl))) << "no bowl in the corner";
    EXPECT_TRUE(WaitFor([&] { return game.Urgent(); })) << "no call for attention";
    game.Focus(game.Main());
    EXPECT_TRUE(WaitFor([&] { return !game.Urgent(); })) << "focusing should end the call";
    const SavedPet opened = SaveAndRead(game, "BOB");

    // Escape in the open, feed and play choosers: the same pet, nothing fed or played (a mini-game
    // window, which holds the game until it closes, would stop the save).
    game.Keys({"m", "o", "Escape", "p", "f", "Escape", "p", "g", "Escape"});
    const SavedPet escaped = SaveAndRead(game, "BOB");
    EXPECT_EQ(escaped.Kept(), opened.Kept());
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet should show again";

    // A click on "->" moves from the first food, Apple, to Cake: weight 120, health -5. Under each
    // picture, what the food does, and a green mark when BOB's care plan feeds it.
    std::deque<Food> foods;
    std::vector<const Food*> offered;
    std::istringstream list(game.Read("Settings/Food.list"));
    for (std::string line; std::getline(list, line); offered.push_back(&foods.emplace_back(line))) {
    }
    const std::set<std::string> planned =
        growth::PlannedFoods("Baby", {escaped.height, escaped.weight, escaped.full, escaped.health}, offered);
    const auto marked = [](const Shot& s) { // green under the line
        return std::count_if(s.rgb.begin() + 256 * 480, s.rgb.begin() + 280 * 480, [](std::uint32_t p) {
                   return (p >> 8 & 0xFF) > (p >> 16) + 60 && (p >> 8 & 0xFF) > (p & 0xFF) + 40;
               }) > 10;
    };
    game.Keys({"p", "f"});
    // The food's picture in the middle, and under it the line of what it does.
    const auto described = [](const Shot& s) {
        return FoodOffered(s) && s.Count(100, 236, 380, 256, true) > 100;
    };
    const Shot chooser = game.WaitForShot(described);
    EXPECT_TRUE(described(chooser)) << "the food's picture and what it does should be in the middle";
    EXPECT_EQ(marked(chooser), planned.count("Apple") > 0);
    unsigned right = 0; // the arrow's tip
    for (unsigned x = 0; x < chooser.width; ++x) {
        right = chooser.Count(x, 330, x + 1, 360, true) > 0 ? x : right;
    }
    game.Click(int(right) - 4, 345);
    const Shot cake = game.WaitForShot([&](const Shot& s) { return s.rgb != chooser.rgb; });
    EXPECT_EQ(marked(cake), planned.count("Cake") > 0);
    game.Keys({"Return"});
    const SavedPet fed = SaveAndRead(game, "BOB");
    EXPECT_NEAR(fed.weight, escaped.weight + 120.0, 1e-6);
    EXPECT_EQ(fed.health, escaped.health - 5);

    // Play one turn with a click on "1: Paper", then Escape: each teaches wisdom 1. A click on the
    // game's name starts it.
    game.Keys({"p", "g"});
    game.WaitForShot([](const Shot& s) { return Chooser(s) && s.Count(200, 160, 280, 200, true) > 20; });
    game.Click(240, 180);
    unsigned long ttt = 0;
    ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; })) << "no mini-game window";
    // Its menu, and the grey key line at the bottom. (Until its first frame the new window shows
    // whatever lay below it.)
    const auto menu = [](const Shot& s) {
        return s.width == 240 && s.Count(0, 0, 240, 200, true) > 200 && s.Count(0, 220, 240, 240) > 50 &&
               s.Count(0, 220, 240, 240, true) == 0;
    };
    EXPECT_TRUE(menu(game.WaitForShot(menu, 20, ttt))) << "no 240x240 menu above a grey line";
    // The game's icon.
    std::string icon;
    EXPECT_TRUE(WaitFor([&] {
        icon = game.Tool("xprop -id " + std::to_string(ttt) + " _NET_WM_ICON");
        return icon.find("Icon (16 x 16)") != std::string::npos &&
               icon == game.Tool("xprop -id " + std::to_string(game.Main()) + " _NET_WM_ICON");
    })) << icon;
    game.Click(40, 28, ttt);
    // The turn's result is drawn in magenta over the middle.
    const auto magenta = [](const Shot& s) { return std::count(s.rgb.begin(), s.rgb.end(), 0xFF00FFu) > 0; };
    EXPECT_TRUE(magenta(game.WaitForShot(magenta, 20, ttt))) << "no turn result";
    game.Keys({"Escape"}, ttt); // the save below waits for the mini-game window to close
    const SavedPet played = SaveAndRead(game, "BOB");
    EXPECT_EQ(played.wisdom, fed.wisdom + 2);

    // Clean lowers dirty; cure raises health below 60 (BOB's is 45 now).
    game.Keys({"p", "c", "p", "h"});
    const SavedPet cured = SaveAndRead(game, "BOB");
    EXPECT_LT(cured.dirty, played.dirty);
    EXPECT_GE(cured.health, played.health + 20);

    // Status, from clicks on the pet and on "s) State": several lines of text at the top left,
    // changing nothing, and meters on the right; the health meter (fourth, green or amber) is
    // 140 pixels long at 100 %.
    game.WaitForShot(PetDrawn);
    game.Click(240, 180);
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360) > 100000; });
    game.Click(60, 26);
    const auto status = [](const Shot& s) { // the meters' grey frames tell it from the pet menu
        return s.Count(15, 55, 200, 80, true) > 30 && s.Count(15, 160, 200, 220, true) > 30 &&
               s.Pixels(0x969696, 153, 154, 240) > 0;
    };
    const Shot shown = game.WaitForShot(status);
    EXPECT_TRUE(status(shown)) << "no status with several lines and meters";
    EXPECT_NEAR(shown.Pixels(0x2ea043, 153, 154, 240) + shown.Pixels(0xf5a600, 153, 154, 240),
                1.4 * cured.health, 2.0);
    EXPECT_EQ(SaveAndRead(game, "BOB").Kept(), cured.Kept());

    // Left from the first name wraps to the last, ANN; the current pet is saved on the way.
    game.Write("Pets/BOB.data", "");
    game.Keys({"m", "o", "Left", "Return"});
    ASSERT_TRUE(WaitFor([&] { return !game.Read("Pets/BOB.data").empty(); })) << "opening did not save BOB";
    EXPECT_EQ(Parse(game.Read("Pets/BOB.data")).health, cured.health);
    // BOB's save comes before ANN's file is read: emptying that file sooner would race the opening.
    // ANN's first frame is traced with her stage, the second "SmallBaby" on standard output.
    ASSERT_TRUE(WaitFor(
        [&] { return game.Out().find("SmallBaby", game.Out().find("SmallBaby") + 1) != std::string::npos; }));
    const SavedPet ann = SaveAndRead(game, "ANN");
    // ANN is well kept: no mark, and no call even after a life step (dirt grows every step).
    game.Focus(0);
    EXPECT_TRUE(WaitFor([&] { return SaveAndRead(game, "ANN").dirty != ann.dirty; }, 60.0));
    EXPECT_FALSE(game.Urgent());
    EXPECT_EQ(game.WaitForShot(PetDrawn).Count(330, 0, 480, 50), 0) << "a mark on a well-kept pet";

    // Quit from the menu saves the current pet.
    game.Write("Pets/ANN.data", "");
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(Parse(game.Read("Pets/ANN.data")).states.substr(0, 9), "SmallBaby");
    EXPECT_TRUE(game.Refused().empty()) << game.Err();
}
