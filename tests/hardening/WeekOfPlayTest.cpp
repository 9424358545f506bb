// One day of the week of play (the full week is bench/week_of_play): the pet lives,
// dies and is replaced, every save reads back, and the heap does not grow after warming up.

#include "WeekOfPlay.h"
#include "pet/PetFixture.h"

#include <filesystem>

TEST(WeekOfPlay, ADayOfScriptedPlayKeepsEverySaveReadableAndTheHeapFlat) {
    TempGameFolder game;
    for (const char* file : {"Settings/Food.list", "Settings/StatePic.list", "Settings/StateMove.list",
                             "Pets/Default.default"}) {
        std::filesystem::copy_file(std::filesystem::path(HATCHLING_GAME_DATA) / file, game.folder / file,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    week::Keeper keeper(week::kPassesPerDay, 7);
    const week::Figures figures = keeper.Run();

    EXPECT_TRUE(figures.failures.empty()) << figures.failures.front();
    EXPECT_EQ(figures.passes, week::kPassesPerDay);
    // While a pet lives it steps every 101 passes and is saved at least every 6001.
    EXPECT_GT(figures.lifeSteps, static_cast<int>(figures.passes / 101 / 2));
    EXPECT_GE(figures.saves, static_cast<int>(figures.passes / 6001 / 2));
    EXPECT_EQ(figures.savesReadBack, figures.saves);
    EXPECT_GT(figures.commands, 100);
    EXPECT_GE(figures.petsMade, 1);
    // The pets grew beyond the egg they hatch from.
    EXPECT_GE(figures.stagesSaved.size(), 2u);
    // Nothing piles up per pass or per life step: a leak of even a few bytes per life step
    // would add far more than this over the run.
    EXPECT_LT(figures.heapAtEnd, figures.heapAtTenth + 64 * 1024)
        << "heap at a tenth " << figures.heapAtTenth << ", at the end " << figures.heapAtEnd;
}
