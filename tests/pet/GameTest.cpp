#include "pet/Game.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(Game, CountersStartAtZeroAddAndReset) {
    ScriptedGame game(1, 2, 3, 4, "Counters");
    EXPECT_EQ(game.GetName(), "Counters");
    for (int value : {game.GetResult(), game.GetStrength(), game.GetWisdom(), game.GetEnergy(),
                      game.GetFull(), game.GetSixth()}) {
        EXPECT_EQ(value, 0);
    }
    game.AddResult(5);
    game.AddResult(-2);
    game.AddStrength(-1);
    game.AddWisdom(2);
    game.AddEnergy(3);
    game.AddFull(-4);
    game.AddSixth(6);
    EXPECT_EQ(game.GetResult(), 3);
    EXPECT_EQ(game.GetStrength(), -1);
    EXPECT_EQ(game.GetWisdom(), 2);
    EXPECT_EQ(game.GetEnergy(), 3);
    EXPECT_EQ(game.GetFull(), -4);
    EXPECT_EQ(game.GetSixth(), 6);
    game.Reset();
    for (int value : {game.GetResult(), game.GetStrength(), game.GetWisdom(), game.GetEnergy(),
                      game.GetFull(), game.GetSixth()}) {
        EXPECT_EQ(value, 0);
    }
}

TEST(Game, RegistryFindsByNameAndTheLastRegistrationWins) {
    EXPECT_EQ(Game::Get("NeverRegistered"), nullptr);
    EXPECT_EQ(Game::Get("NeverRegistered"), nullptr); // asking adds nothing
    ScriptedGame first(0, 0, 0, 0, "Registered");
    EXPECT_EQ(Game::Get("Registered"), nullptr); // constructing does not register
    first.Register();
    EXPECT_EQ(Game::Get("Registered"), &first);
    EXPECT_EQ(Game::Get("Registered"), &first);
    {
        ScriptedGame second(0, 0, 0, 0, "Registered");
        second.Register();
        EXPECT_EQ(Game::Get("Registered"), &second);
    }
    // A destroyed game leaves the registry instead of dangling in it.
    EXPECT_EQ(Game::Get("Registered"), nullptr);
    first.Register();
    EXPECT_EQ(Game::Get("Registered"), &first);
    EXPECT_EQ(Game::Get("registered"), nullptr);
}
