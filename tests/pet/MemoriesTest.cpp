#include "pet/Memories.h"
#include "TempGameFolder.h"
#include "pet/LifeRecord.h"

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
    // A pet whose record ends in its death row keeps the local time of its death.
    game.Write("Pets/BOB.data", "BOB");
    game.Write("Pets/BOB.life",
               std::string(liferecord::kHeader) +
                   "\n2026-11-30T21:47:10+01:00,3,death,Baby,Normal,30,500,50,0,80,80,10,0,0,"
                   "\"Die From Starving!\"\n");
    EXPECT_EQ(memories::Keep("BOB"),
              (std::vector<std::string>{"BOB 2026-11-30 21-47.data", "BOB 2026-11-30 21-47.life"}));
    wallclock::SetSource(clock);
}
