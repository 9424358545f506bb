// The memorial's reading of the dead pets: from Memories and from Pets off the list, newest death
// first, with what their records say and a dash (nothing) where a pet has none.
#include "pet/Remembered.h"
#include "TempGameFolder.h"
#include "pet/LifeRecord.h"

#include <gtest/gtest.h>

namespace {
std::string Row(const std::string& time, int steps, const std::string& event, int health,
                const std::string& detail = "") {
    return time + "," + std::to_string(steps) + "," + event + ",SmallChick,Normal,40,700,50,0,80," +
           std::to_string(health) + ",10,0,0," + (detail.empty() ? "" : "\"" + detail + "\"") + "\n";
}
} // namespace

TEST(Remembered, DeadPetsFromMemoriesAndOffTheListNewestFirstWithWhatTheirRecordsSay) {
    TempGameFolder game;
    const std::string header = std::string(liferecord::kHeader) + "\n";
    const std::string data = " 3\nSmallChick Normal\n40 700 0 0 80 50 10 50 80 \n";
    game.Write("Pets/Memories/REX 2026-12-01 10-00.data", "REX" + data);
    game.Write("Pets/Memories/REX 2026-12-01 10-00.life",
               header + Row("2026-12-01T08:00:00+01:00", 0, "new", 100) +
                   Row("2026-12-01T08:30:00+01:00", 120, "pace", 90, "relaxed") +
                   Row("2026-12-01T09:59:00+01:00", 140, "live", 20) +
                   Row("2026-12-01T10:00:00+01:00", 141, "death", 0, "Die From Unhealthiness!"));
    game.Write("Pets/Memories/REX 2026-12-03 07-15 2.data", "REX" + data); // no record
    game.Write("Pets/SAD.data", "SAD" + data);
    game.Write("Pets/SAD.life", header + Row("2026-12-05T12:00:00+01:00", 0, "open", 60) +
                                    Row("2026-12-05T12:01:00+01:00", 12, "death", 0, "Die From Starving!"));
    game.Write("Pets/ANN.data", "ANN" + data); // listed: alive

    const std::vector<remembered::Pet> pets = remembered::All({"ANN"});
    ASSERT_EQ(pets.size(), 3u);
    const remembered::Pet &sad = pets[0], &stamped = pets[1], &rex = pets[2];
    EXPECT_EQ(std::tuple(sad.name, sad.stage, sad.made, sad.died, sad.cause),
              std::tuple("SAD", "SmallChick", "", "2026-12-05 12:01", "Die From Starving!"));
    EXPECT_DOUBLE_EQ(sad.minutesPlayed, 12 * 101 / 1200.0);
    EXPECT_EQ(std::tuple(stamped.name, stamped.stage, stamped.made, stamped.died, stamped.cause,
                         stamped.minutesPlayed, stamped.health.size()),
              std::tuple("REX", "SmallChick", "", "2026-12-03 07:15", "", -1.0, 0u));
    EXPECT_EQ(std::tuple(rex.made, rex.died, rex.cause, rex.health),
              std::tuple("2026-12-01 08:00", "2026-12-01 10:00", "Die From Unhealthiness!",
                         std::vector<int>{100, 90, 20, 0}));
    // 120 steps at the design's pace, 21 relaxed ones.
    EXPECT_DOUBLE_EQ(rex.minutesPlayed, (120 * 101 + 21 * 303) / 1200.0);
}
