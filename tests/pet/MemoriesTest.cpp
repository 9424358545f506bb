#include "pet/Memories.h"
#include "TempGameFolder.h"

#include <gtest/gtest.h>

TEST(Memories, APetsOwnFilesMoveWholeUnderAFreeStampedNameAndOthersStay) {
    TempGameFolder game;
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const auto clock = wallclock::SetSource([] { return std::time_t{1796631300}; }); // 2026-12-07 08:15
    for (const char* file :
         {"REX.data", "REX.life", "REX.data.tmp", "REXY.data", "Memories/REX 2026-12-07 08-15.life"}) {
        game.Write(std::string("Pets/") + file, file);
    }
    const std::string stem = "Pets/Memories/REX 2026-12-07 08-15 2.";
    EXPECT_EQ(memories::Keep("REX").size(), 2u);
    EXPECT_EQ(std::tuple(game.Read(stem + "data"), game.Read(stem + "life"), game.Exists("Pets/REX.data"),
                         game.Exists("Pets/REX.life"), game.Exists("Pets/REX.data.tmp"),
                         game.Exists("Pets/REXY.data")),
              std::tuple("REX.data", "REX.life", false, false, true, true));
    wallclock::SetSource(clock);
}
