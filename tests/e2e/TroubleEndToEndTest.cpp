// A pet that dies, and window settings the game cannot start with, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(EndToEndDeath, AStarvingPetDiesLeavingAWhiteScreenItsFileAndTheOtherNames) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const std::string bob = "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
    // Starving, filthy and without health: its first life step kills it, whichever rule strikes first.
    const std::string sad = "SAD 1\nBaby Normal\n30.000000 500.000000 5 5 0 0 95 50 80 \n";
    game.Write("Settings/Pet.list", "ANN\nSAD\nBOB\nSAD\n");
    game.Write("Pets/SAD.data", sad);
    game.Write("Pets/BOB.data", bob);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    game.Keys({"m", "o", "Right", "Return"});
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the pet was not drawn before it died";
    // The death notice is wider than the pet, so it reaches where the pet never draws.
    const auto notice = [](const Shot& s) { return s.Count(90, 150, 170, 210) > 20; };
    EXPECT_TRUE(notice(game.WaitForShot(notice, 30.0))) << "no death notice";
    ASSERT_TRUE(WaitFor([&] { return game.Read("Settings/Pet.list") == "ANN\nBOB\n"; }, 30.0))
        << game.Read("Settings/Pet.list");
    EXPECT_TRUE(White(game.WaitForShot(White))) << "the screen should turn white after the death";
    WaitFor([] { return false; }, 1.0);
    EXPECT_TRUE(White(game.Capture())) << "something drew the dead pet again";

    // The pet commands and saving do nothing without a pet; the game still quits normally.
    game.Keys({"p", "s", "p", "c", "m", "s"});
    EXPECT_TRUE(White(game.WaitForShot(White)));
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Pets/SAD.data"), sad) << "the dead pet's file stays as it was";
    EXPECT_EQ(game.Read("Pets/BOB.data"), bob);
    EXPECT_FALSE(game.Exists("Pets/ANN.data"));
    EXPECT_EQ(game.Read("Settings/Pet.list"), "ANN\nBOB\n");
}

TEST(EndToEndStartup, AMissingWindowSettingsFileEndsTheGameWithStatusOneAndOneRefusal) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Remove("Settings/WindowApp.data");
    game.Start();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
    ASSERT_EQ(game.Refused().size(), 1u) << game.Err();
    EXPECT_NE(game.Refused()[0].find("WindowApp.data"), std::string::npos) << game.Refused()[0];
    EXPECT_EQ(game.Main(), 0u);
}
