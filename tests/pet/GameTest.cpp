#include "pet/Game.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Game, CountersAddAndReset) {
    ScriptedGame game(1, 2, 3, 4);
    game.AddResult(5);
    game.AddResult(-2);
    game.AddSixth(6);
    EXPECT_EQ(game.GetResult(), 3);
    EXPECT_EQ(game.GetSixth(), 6);
    game.Reset();
    EXPECT_EQ(game.GetResult(), 0);
    EXPECT_EQ(game.GetSixth(), 0);
}

TEST(Game, RegistryFindsByNameAndTheLastRegistrationWins) {
    ScriptedGame first(0, 0, 0, 0, "Registered");
    EXPECT_EQ(Game::Get("Registered"), nullptr); // constructing does not register
    first.Register();
    {
        ScriptedGame second(0, 0, 0, 0, "Registered");
        second.Register();
        EXPECT_EQ(Game::Get("Registered"), &second);
    }
    // A destroyed game leaves the registry instead of dangling in it.
    EXPECT_EQ(Game::Get("Registered"), nullptr);
    first.Register();
    EXPECT_EQ(Game::Get("Registered"), &first);
}
