#include "growth/Game.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

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
