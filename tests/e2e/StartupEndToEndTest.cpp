// Start-up, naming a new pet, the name prompt and the open chooser left with Escape, a name taken
// twice, a refused data file and the close button, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(EndToEndStartup, PrintsTheStatesShowsAWhiteWindowAndMakesATypedPetThatTheCloseButtonSaves) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const std::string odd = "ODD 0\nDragon Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
    game.Write("Settings/Pet.list", "REX\nODD\n");
    game.Write("Pets/ODD.data", odd);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << "no window titled Hatchling\n" << game.Err();

    const std::string states = "BigCock\nNormal\nSmile\nBored\nSick\nSleep\nBaby\nBigBaby\nChicken\nCock\n"
                               "Egg\nFlower\nSmallBaby\nSmallChick\nSmallCock\n";
    ASSERT_TRUE(WaitFor([&] { return game.Out().size() >= states.size(); })) << game.Out();
    EXPECT_EQ(game.Out().substr(0, states.size()), states);
    const std::string err = game.Err();
    std::size_t at = 0;
    for (const char* line : {"> Pet list initialization success", "> Food list initialization success",
                             "> Game list initialization success", "> WindowApp initialization success"}) {
        at = err.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " missing or out of order in:\n" << err;
    }
    EXPECT_TRUE(game.Refused().empty()) << err;
    const Shot start = game.WaitForShot(White);
    EXPECT_TRUE(White(start)) << "the window should be white with no pet";
    EXPECT_EQ(start.width, 480u);
    EXPECT_EQ(start.height, 360u);

    // Escape leaves the name prompt and the open chooser; the screen is white again.
    const auto typed = [](const Shot& s) { return s.Count(50, 50, 200, 90, true) > 30; };
    game.Keys({"m", "n"});
    game.Keys({"a", "b", "c"});
    EXPECT_TRUE(typed(game.WaitForShot(typed))) << "the typed name is not shown";
    game.Keys({"Escape"});
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the prompt stayed on screen";
    game.Keys({"m", "o"});
    game.WaitForShot([](const Shot& s) { return s.Count(180, 320, 300, 360, true) > 20; }, 5.0);
    game.Keys({"Escape"});
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the chooser stayed on screen";

    // A name already in the list is refused where the prompt's question stood, alone.
    game.Keys({"m", "n"});
    const Shot prompt = game.WaitForShot([](const Shot& s) { return s.Count(10, 10, 240, 40, true) > 30; });
    game.Keys({"BackSpace", "BackSpace", "BackSpace"});
    game.Keys({"r", "e", "x"});
    game.Keys({"Return"});
    const auto taken = [&](const Shot& s) {
        int changed = 0;
        for (unsigned y = 5; y < 40; ++y) {
            for (unsigned x = 5; x < 260; ++x) {
                changed += s.rgb[y * s.width + x] != prompt.rgb[y * s.width + x] ? 1 : 0;
            }
        }
        return changed > 50 && s.Count(10, 10, 260, 40, true) > 30 && s.Count(40, 50, 440, 100) == 0;
    };
    EXPECT_TRUE(taken(game.WaitForShot(taken, 5.0))) << "\"This name has existed!\" is not shown";
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the refusal stayed on screen";
    EXPECT_FALSE(game.Exists("Pets/REX.data"));
    EXPECT_FALSE(game.Exists("Pets/ABC.data"));

    // A new name makes an egg from the template: saved, listed and drawn in the middle.
    game.Keys({"m", "n", "BackSpace", "BackSpace", "BackSpace"});
    game.Keys({"n", "e", "w"});
    game.Keys({"Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Exists("Pets/NEW.data"); }));
    EXPECT_EQ(game.Read("Pets/NEW.data"), "NEW 0\nEgg Normal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    EXPECT_EQ(game.Read("Settings/Pet.list"), "REX\nODD\nNEW\n");
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "no pet drawn in the middle";

    // A refused data file: its balloon shows, and the current pet comes back.
    game.Keys({"m", "o", "Right", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Refused().size() == 1; })) << game.Err();
    EXPECT_NE(game.Refused()[0].find("ODD.data"), std::string::npos) << game.Refused()[0];
    EXPECT_GT(game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360, true) > 100; })
                  .Count(0, 0, 480, 360, true),
              100)
        << "no refusal balloon";
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the current pet did not come back";

    // The window manager's close button saves the pet and ends the game.
    game.Remove("Pets/NEW.data");
    game.Close();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Pets/NEW.data").substr(0, 17), "NEW 0\nEgg Normal\n");
    EXPECT_EQ(game.Read("Settings/Pet.list"), "REX\nODD\nNEW\n");
    EXPECT_EQ(game.Read("Pets/ODD.data"), odd);
    EXPECT_EQ(game.Refused().size(), 1u) << game.Err();
}
