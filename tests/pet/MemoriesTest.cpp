#include "pet/Memories.h"
#include "PetFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

TEST(Memories, APetsOwnFilesMoveWholeUnderAFreeStampedNameAndOthersStay) {
    TempGameFolder game;
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const auto clock = wallclock::SetSource([] { return std::time_t{1796631300}; }); // 2026-12-07 08-15
    game.Write("Pets/REX.data", "REX 3\n");
    game.Write("Pets/REX.life", "life\n");
    game.Write("Pets/REX.data.tmp", "half");
    game.Write("Pets/REXY.data", "REXY 1\n");
    game.Write("Pets/Memories/REX 2026-12-07 08-15.life", "older\n");
    EXPECT_EQ(memories::Keep("REX"),
              (std::vector<std::string>{"REX 2026-12-07 08-15 2.data", "REX 2026-12-07 08-15 2.life"}));
    EXPECT_EQ(std::tuple(game.Read("Pets/Memories/REX 2026-12-07 08-15 2.data"),
                         game.Read("Pets/Memories/REX 2026-12-07 08-15 2.life"),
                         game.Read("Pets/Memories/REX 2026-12-07 08-15.life"), game.Exists("Pets/REX.data"),
                         game.Exists("Pets/REX.life"), game.Read("Pets/REX.data.tmp"),
                         game.Read("Pets/REXY.data")),
              std::tuple("REX 3\n", "life\n", "older\n", false, false, "half", "REXY 1\n"));
    EXPECT_TRUE(memories::Keep("ANN").empty());
    wallclock::SetSource(clock);
}
