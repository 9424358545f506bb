#include "minigame/TTT.h"
#include "TestSupport.h"
#include "presentation/KeyCodes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

TEST(PaperScissorsStone, ThePetWinsExactlyWhenItBeatsThePlayer) {
    // 1 paper, 2 scissors, 3 stone: scissors beat paper, stone beats scissors, paper beats stone.
    const std::pair<std::string, int> win{"Pet Win!", 10}, lost{"Pet Lost!", 0}, draw{"Draw!", -5};
    // Rows: the player's paper, scissors, stone; columns: the pet's.
    const std::pair<std::string, int> expected[3][3] = {
        {draw, win, lost}, {lost, draw, win}, {win, lost, draw}};
    for (int player = 1; player <= 3; ++player) {
        for (int pet = 1; pet <= 3; ++pet) {
            const auto judged = TTTProxy::TTT::Judge(player, pet);
            EXPECT_EQ(std::pair(judged.text, judged.points), expected[player - 1][pet - 1])
                << player << " " << pet;
        }
    }
}

TEST(PaperScissorsStone, EveryKeyPressCostsAndTeachesAndEachChoicePlaysATurnAgainstTheDraw) {
    ScriptedRandom draws{1, 0, 0};
    TTTProxy::TTT game; // its window opens only when it is played
    // The pet's scissors beat paper (+10), its paper loses to scissors (0), its paper beats stone.
    std::string turns;
    for (const int key : {'1', '2', '3'}) {
        EXPECT_EQ(game.Press(key), key - '0');
        turns += game.Turn(key - '0').text;
    }
    EXPECT_EQ(std::tuple(game.Press('x'), game.Press(keys::Escape), game.Press('q')), std::tuple(0, -1, -1));
    EXPECT_EQ(std::tuple(turns, game.GetResult(), game.GetFull(), game.GetWisdom(), game.GetEnergy(),
                         game.GetStrength(), draws.log),
              std::tuple("Pet Win!Pet Lost!Pet Win!", 20, -12, 6, -6, 0, "SDSDSD"));
    // The score of the window's turns, from the pet's side: won, lost, drawn.
    EXPECT_EQ(std::tuple(game.GetScore().won, game.GetScore().lost, game.GetScore().drawn),
              std::tuple(2, 1, 0));
}
