// Start-up, naming a new pet (blanks alone are no name), a name taken twice, a refused data file,
// the close button, a pet that dies and a new one of its name, a second start under a window
// manager, and window settings the game cannot start with, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

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
    EXPECT_TRUE(WaitFor([&] { return game.Out().rfind(states, 0) == 0; })) << game.Out();
    const Shot start = game.WaitForShot(White);
    EXPECT_TRUE(White(start) && start.width == 480u && start.height == 360u) << "no white 480x360 window";

    // The typed name shows; a name already in the list is refused where the prompt's question
    // stood, alone. (Escape leaving the prompt is needed by every later step of the care run.)
    game.Keys({"m", "n"});
    const Shot prompt = game.WaitForShot([](const Shot& s) { return s.Pixels(0x0000FF, 10, 40) > 30; });
    game.Keys({"r", "e", "x"});
    const auto typed = [](const Shot& s) { return s.Count(50, 50, 200, 90, true) > 30; };
    EXPECT_TRUE(typed(game.WaitForShot(typed))) << "the typed name is not shown";
    game.Keys({"Return"});
    const auto taken = [&](const Shot& s) {
        int changed = 0; // in the question's band
        for (unsigned i = 0; i < 40 * s.width && i < prompt.rgb.size(); ++i) {
            changed += s.rgb[i] != prompt.rgb[i] ? 1 : 0;
        }
        return changed > 50 && s.Count(10, 10, 260, 40, true) > 30 && s.Count(40, 50, 440, 100) == 0;
    };
    EXPECT_TRUE(taken(game.WaitForShot(taken, 5.0))) << "\"This name has existed!\" is not shown";
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the refusal stayed on screen";
    EXPECT_TRUE(game.Read("Pets/REX.data").empty());

    // Blanks alone are no name: Return leaves the prompt open. A new name with a blank inside
    // makes an egg from the template: saved, listed and drawn in the middle.
    game.Keys({"m", "n", "space", "space", "space", "Return", "BackSpace", "BackSpace", "BackSpace"});
    game.Keys({"b", "i", "g", "space", "r", "e", "x", "Return"});
    const std::string egg = "BIG REX 0\nEgg Normal\n10.000000 120.000000 0 0 100 50 0 80 90 \n";
    ASSERT_TRUE(WaitFor([&] { return game.Read("Pets/BIG REX.data") == egg; }))
        << game.Read("Pets/BIG REX.data");
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "no pet drawn in the middle";

    // A refused data file: its balloon shows, and the current pet comes back.
    game.Keys({"m", "o", "Right", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Refused().size() == 1; })) << game.Err();
    EXPECT_NE(game.Refused()[0].find("ODD.data"), std::string::npos) << game.Refused()[0];
    // Its text, in a colour of chance, in the middle; neither the chooser nor the pet.
    const auto balloon = [](const Shot& s) {
        return !Chooser(s) && !PetDrawn(s) && s.Count(0, 100, 480, 260) > 100;
    };
    EXPECT_TRUE(balloon(game.WaitForShot(balloon))) << "no refusal balloon";
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the current pet did not come back";

    // The egg hatches after six life steps (the frames' trace names the new stage), and eats.
    ASSERT_TRUE(WaitFor([&] { return game.Out().find("SmallBabyNormal") != std::string::npos; }, 90.0));
    game.Keys({"p", "f", "Return"});

    // The window manager's close button saves the pet and ends the game.
    game.Write("Pets/BIG REX.data", "");
    game.Close();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Pets/BIG REX.data").substr(0, 20), "BIG REX 0\nSmallBaby ");
    // Its life record holds the making, the hatching and the meal, in that order.
    const std::string life = game.Read("Pets/BIG REX.life");
    const std::size_t made = life.find(",0,new,Egg,Normal,"), hatched = life.find(",grow,SmallBaby,");
    EXPECT_TRUE(made != std::string::npos && hatched > made && hatched != std::string::npos) << life;
    EXPECT_GT(life.find(",feed,SmallBaby,Normal,"), hatched) << life;
    EXPECT_NE(life.find("\"Apple\"\n"), std::string::npos) << life;
    EXPECT_EQ(game.Read("Settings/Pet.list"), "REX\nODD\nBIG REX\n");
    EXPECT_EQ(game.Read("Pets/ODD.data"), odd);
    EXPECT_EQ(game.Refused().size(), 1u) << game.Err();
}

TEST(EndToEndDeath, AStarvingPetDiesItsFilesAreKeptForANewPetOfItsNameAndASecondStartShowsTheGame) {
    REQUIRE_DISPLAY();
    GameProcess game;
    ASSERT_TRUE(game.StartWindowManager());
    const std::string bob = "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
    // Starving, filthy and without health: its first life step kills it, whichever rule strikes first.
    const std::string sad = "SAD 1\nBaby Normal\n30.000000 500.000000 5 5 0 0 95 50 80 \n";
    game.Write("Settings/Pet.list", "ANN\nSAD\nBOB\nSAD\n");
    game.Write("Pets/SAD.data", sad);
    game.Write("Pets/BOB.data", bob);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    game.Keys({"m", "o", "Right", "Return"});
    // The death notice is wider than the pet, so it reaches where the pet never draws. The first
    // life step may come at once, so the pet itself may never be seen.
    const auto notice = [](const Shot& s) { return s.Count(90, 150, 170, 210) > 20; };
    ASSERT_TRUE(notice(game.WaitForShot(notice, 30.0))) << "no death notice";
    // The end is on the disk before it is shown: a game ended now keeps its pet dead.
    EXPECT_EQ(game.Read("Settings/Pet.list"), "ANN\nBOB\n");
    EXPECT_NE(game.Read("Pets/SAD.life").find(",death,Baby,"), std::string::npos)
        << game.Read("Pets/SAD.life");
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the screen should turn white after the death";

    // The pet commands and saving do nothing without a pet; the game still quits normally. Sound
    // off, last, shows that the keys before it were taken.
    game.Keys({"p", "s", "p", "c", "m", "s", "v"});
    ASSERT_TRUE(WaitFor([&] { return game.Read("Settings/Preferences.data") == "sound off\n"; }));
    EXPECT_TRUE(White(game.WaitForShot(White))) << "something drew the dead pet again";

    // A new pet of the dead one's name starts afresh; the dead pet's files are kept, whole.
    game.Keys({"m", "n", "s", "a", "d", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Read("Pets/SAD.data").rfind("SAD 0\nEgg", 0) == 0; }));
    std::map<std::string, std::string> kept; // by extension; their names are tested with a set clock
    for (const auto& file : std::filesystem::directory_iterator(game.folder / "Pets/Memories")) {
        kept[file.path().extension().string()] = game.Read(file.path());
    }
    EXPECT_EQ(std::tuple(kept.size(), kept[".data"]), std::tuple(2u, sad));
    // Its life record, begun when it was opened, ends with its death, though no save followed.
    const std::string& life = kept[".life"];
    EXPECT_LT(life.find(",0,open,Baby,Normal,"), life.find(",death,Baby,")) << life;
    EXPECT_NE(life.find(",death,Baby,"), std::string::npos) << life;
    EXPECT_EQ(game.Read("Pets/SAD.life").find(",death,"), std::string::npos)
        << "the new pet's life is its own";

    // A second start on the same folder brings the running game to the front, then ends.
    const unsigned long other = game.OpenOtherWindow();
    ASSERT_TRUE(WaitFor([&] { return game.ActiveWindow() == other; }));
    EXPECT_EQ(game.StartAgain(), "refused: \"" + game.folder.string() +
                                     "\": another Hatchling is already running with these pets\nexit 1\n");
    EXPECT_TRUE(WaitFor([&] { return game.ActiveWindow() == game.Main(); })) << game.ActiveWindow();

    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Pets/BOB.data"), bob);
    EXPECT_EQ(game.Read("Settings/Pet.list"), "ANN\nBOB\nSAD\n");
}

// A save that fails is shown in the window as well as on standard error, and a quit after it
// ends with status 1, however the game is ended. A closed standard output costs only the traces.
TEST(EndToEndStartup, AFailedSaveIsShownAndEndsTheGameWithStatusOneAndAClosedOutputEndsNothing) {
    REQUIRE_DISPLAY();
    const std::string pip = "PIP 0\nBaby Normal\n30.000000 500.000000 0 0 100 30 0 50 90 \n";
    // Cleared white with the balloon's text across the middle, and no pet or menu.
    const auto balloon = [](const Shot& s) {
        return s.Count(40, 150, 440, 210) > 150 && s.Count(0, 0, 480, 360) < 20000 && !PetDrawn(s);
    };
    for (const std::string way : {"menu", "close button", "SIGTERM"}) {
        SCOPED_TRACE(way);
        GameProcess game;
        game.Write("Settings/Pet.list", "PIP\n");
        game.Write("Pets/PIP.data", pip);
        game.Start("", way == "menu");
        ASSERT_NE(game.Main(), 0u) << game.Err();
        game.Keys({"m", "o", "Return"});
        ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << game.Err();
        std::string kept = pip; // what the file holds when the saves begin to fail
        if (way == "menu") {
            game.Write("Pets/PIP.data", "");
            game.Keys({"m", "s"});
            // The whole pet again (a life step may have moved its statistics meanwhile).
            EXPECT_TRUE(WaitFor([&] {
                kept = game.Read("Pets/PIP.data");
                return kept.starts_with("PIP 0\nBaby Normal\n") &&
                       std::count(kept.begin(), kept.end(), '\n') == 3;
            })) << "not saved as always";
        }
        // A folder where the save's temporary file goes stops every save, as a full disk would.
        std::filesystem::create_directories(game.folder / "Pets/PIP.data.tmp");
        if (way == "menu") {
            game.Keys({"m", "s"});
            EXPECT_TRUE(balloon(game.WaitForShot(balloon))) << "no balloon for the failed save";
            game.Keys({"m", "q"});
        } else if (way == "close button") {
            game.Close();
        } else {
            game.Signal(SIGTERM);
        }
        EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
        EXPECT_EQ(game.Read("Pets/PIP.data"), kept);
        const std::string refusal =
            "refused: \"Pets\\PIP.data\": cannot be saved: Is a directory; the old file is kept";
        EXPECT_EQ(game.Refused(), std::vector<std::string>(way == "menu" ? 2 : 1, refusal)) << game.Err();
    }
}

TEST(EndToEndStartup, AnUnusableWindowSettingsFileEndsTheGameWithStatusOneAndOneRefusal) {
    REQUIRE_DISPLAY();
    GameProcess game;
    // Emptied rather than removed: a folder without it is no self-contained data folder.
    game.Write("Settings/WindowApp.data", "");
    game.Start();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
    ASSERT_EQ(game.Refused().size(), 1u) << game.Err();
    EXPECT_NE(game.Refused()[0].find("WindowApp.data"), std::string::npos) << game.Refused()[0];
}
