// A short run of the week of play (bench/week_of_play runs the whole week): pets live, die and are
// replaced, every save reads back, and the heap does not grow after warming up.
#include "../../bench/WeekOfPlay.h"
#include "pet/PetFixture.h"

TEST(WeekOfPlay, AQuarterDayOfScriptedPlayKeepsEverySaveReadableAndTheHeapFlat) {
    TempGameFolder game;
    week::CopyGameData(game.folder);
    const week::Figures figures = week::Keeper(week::kPassesPerDay / 4, 7).Run();
    EXPECT_TRUE(figures.failures.empty()) << figures.failures.front();
    // While a pet lives it steps every 101 passes, and the saves read back.
    EXPECT_GT(figures.lifeSteps, static_cast<int>(figures.passes / 101 / 2));
    EXPECT_EQ(figures.savesReadBack, figures.saves);
    // A leak of a few bytes per pass or life step would add far more than this.
    EXPECT_LT(figures.heapAtEnd, figures.heapAtTenth + 64 * 1024);
}
