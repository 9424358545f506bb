#include "TempGameFolder.h"

#include "growth/Food.h"
#include "growth/StateFactory.h"
#include "pet/LifeRecord.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "pet/PetStore.h"
#include "support/Happenings.h"
#include "support/TextFiles.h"

#include <gtest/gtest.h>

#include <sstream>

using happenings::Announce;
using happenings::Kind;

namespace {
struct LifeRecordTest : ::testing::Test {
    TempGameFolder game;
    ConstantRandom zero{0}; // the egg gains one dirt a step and nothing random happens
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};
    std::unique_ptr<Pet> pet;
    LifeRecorder recorder{[this] { return pet.get(); }};
    PetStore store{{}, recorder, &factory};

    // The controller's save; the record's last row then holds the pet file's figures.
    void Save() {
        ASSERT_TRUE(store.Save(*pet));
        const PetRecord saved = petfile::ReadData(petfile::DataPath(pet->GetName()));
        const LifeRow last = liferecord::Read(liferecord::Path(pet->GetName()), false).rows.back();
        std::istringstream in(saved.statistics);
        LifeRow file;
        in >> file.height >> file.weight >> file.strength >> file.wisdom >> file.health >> file.full >>
            file.dirty >> file.mood >> file.energy;
        EXPECT_EQ(std::tie(last.stage, last.body, file.height, file.weight, file.strength, file.wisdom,
                           file.health, file.full, file.dirty, file.mood, file.energy),
                  std::tie(saved.stage, saved.body, last.height, last.weight, last.strength, last.wisdom,
                           last.health, last.full, last.dirty, last.mood, last.energy));
    }

    static std::string Events(const std::vector<LifeRow>& rows) {
        std::string events;
        for (const LifeRow& row : rows) {
            events += row.event + "@" + std::to_string(row.steps) +
                      (row.detail.empty() ? "" : ":" + row.detail) + " ";
        }
        return events;
    }
};
} // namespace

TEST_F(LifeRecordTest, AScriptedLifeIsRecordedInOrderWithThePetFilesFiguresAtEverySave) {
    game.Write("Pets/Default.default", "Egg\nNormal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    const Food milk("Milk 2.5 25 5 20 5 5 1 1");
    ScriptedGame ball(1, 1, -5, -5, "Ball");
    pet = std::make_unique<Pet>("Default", "PIP", nullptr, &factory);
    Announce(Kind::Made, "PIP");
    Save();
    pet->Feed(milk); // an egg does not eat
    for (int step = 0; step < 12; ++step) {
        pet->Live();
    }
    EXPECT_EQ(liferecord::Read(liferecord::Path("PIP"), false).rows.size(), 1u) << "written before a save";
    Save(); // step 12 began a minute: its row is the last
    pet->Live();
    pet->Feed(milk);
    pet->Play(ball);
    pet->Clean();
    Save();
    EXPECT_EQ(Events(recorder.Rows()),
              "new@0 refused@0:EGG Doesn't Eat! live@1 grow@6:Egg state@7:Normal live@12 "
              "feed@13:Milk play@13:Ball clean@13 ");

    // Another pet (with no record yet) starts one when opened; back at PIP, the count goes on.
    game.Write("Pets/OLD.data", "OLD 3\nBaby Normal\n30 500 1 1 80 50 10 50 80 \n");
    pet = std::make_unique<Pet>("OLD", nullptr, &factory);
    Announce(Kind::Opened, "OLD");
    Save();
    EXPECT_EQ(game.Read("Pets/OLD.life").rfind(std::string(liferecord::kHeader) + "\n", 0), 0u);
    EXPECT_EQ(Events(liferecord::Read(liferecord::Path("OLD"), false).rows), "open@0 ");
    pet = std::make_unique<Pet>("PIP", nullptr, &factory);
    Announce(Kind::Opened, "PIP");
    pet->Live();
    // A death is written at once: no save of the pet file follows it.
    store.Bury(*pet, "starved");
    const liferecord::Reading read = liferecord::Read(liferecord::Path("PIP"), false);
    EXPECT_EQ(Events({read.rows.end() - 2, read.rows.end()}), "open@13 death@14:starved ");
    EXPECT_EQ(read.refused, 0);
    EXPECT_EQ(read.rows[0].time.size(), 25u) << read.rows[0].time; // 2026-12-07T09:00:00+01:00

    // OLD dies while the disk is full, and a new OLD is made once there is room again: the dead
    // pet's waiting rows go with its files, never into the new pet's record.
    pet = std::make_unique<Pet>("OLD", nullptr, &factory);
    Announce(Kind::Opened, "OLD");
    {
        FileFaults full;
        full.FailFrom(1, ENOSPC);
        testing::internal::CaptureStderr();
        store.Bury(*pet, "Die From Starving!");
        EXPECT_NE(testing::internal::GetCapturedStderr(), "");
    }
    pet = store.Make("OLD", nullptr);
    Announce(Kind::Made, "OLD");
    Save();
    EXPECT_EQ(Events(liferecord::Read(liferecord::Path("OLD"), false).rows), "new@0 ");
    for (const auto& kept : std::filesystem::directory_iterator(game.folder / "Pets/Memories")) {
        if (kept.path().extension() == ".life") {
            const std::string life = game.Read("Pets/Memories/" + kept.path().filename().string());
            EXPECT_NE(life.find(",death,"), std::string::npos) << "the dead pet's death row was lost";
        }
    }
}

TEST(LifeRecord, ATornLineOrAFailedAppendIsCutAwaySoThatEveryRowLandsOnceAndWhole) {
    TempGameFolder game;
    LifeRow row{"2026-12-07T09:00:00+01:00",
                7,
                "feed",
                "Baby",
                "Normal",
                30.25,
                512,
                50,
                60,
                70,
                80,
                20,
                3,
                4,
                "Milk, \"warm\""};
    liferecord::Tail tail;
    ASSERT_TRUE(liferecord::Append("Pets\\PIP.life", {row, row}, tail));
    const std::string whole = game.Read("Pets/PIP.life");
    const std::string line = "2026-12-07T09:00:00+01:00,7,feed,Baby,Normal,30.25,512,50,60,70,80,20,3,4,"
                             "\"Milk, \"\"warm\"\"\"";
    EXPECT_EQ(whole, std::string(liferecord::kHeader) + "\n" + line + "\n" + line + "\n");
    // Torn right after the last comma: fifteen fields that would read as a row, but no line end.
    const std::string torn = line.substr(0, line.rfind(',') + 1);
    game.Write("Pets/PIP.life", whole + torn);

    testing::internal::CaptureStderr();
    liferecord::Reading read = liferecord::Read("Pets\\PIP.life", true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "refused: \"Pets\\PIP.life\" line 4: has no line end (a save was cut short); skipped, and cut "
              "away at the next save\n");
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(liferecord::FormatRow(read.rows[1]), line);

    // The disk fills up halfway through the next append, and the half row cannot be cut at once.
    row.detail.clear();
    {
        FileFaults faults;
        faults.Fail(faults::Op::Append, 1, ENOSPC);
        faults.Fail(faults::Op::Truncate, 2, EIO);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(liferecord::Append("Pets\\PIP.life", {row, row}, tail));
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "refused: \"Pets\\PIP.life\": cannot be saved: No space left on device; its new rows wait "
                  "for the next save\n");
        EXPECT_NE(game.Read("Pets/PIP.life"), whole);
    }
    ASSERT_TRUE(liferecord::Append("Pets\\PIP.life", {row, row}, tail));
    const std::string now = liferecord::FormatRow(row) + "\n";
    EXPECT_EQ(game.Read("Pets/PIP.life"), whole + now + now);
    EXPECT_EQ(liferecord::Read("Pets\\PIP.life", true).rows.size(), 4u);
}

// A change of pace is a row of its own, minutes of play follow the pace in force, and a pet
// opened at another pace than its record ends with gets a row saying so.
TEST_F(LifeRecordTest, APaceChangeIsARowAndTheMinutesOfPlayFollowThePace) {
    game.Write("Pets/Default.default", "Egg\nNormal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    pet = std::make_unique<Pet>("Default", "PIP", nullptr, &factory);
    Announce(Kind::Made, "PIP");
    const auto live = [&](int steps) {
        for (int step = 0; step < steps; ++step) {
            pet->Live();
        }
    };
    const auto paced = [&] {
        std::vector<LifeRow> rows = recorder.Rows();
        std::erase_if(rows, [](const LifeRow& row) { return row.event != "live" && row.event != "pace"; });
        return Events(rows);
    };
    live(12); // 1212 passes: the 12th step begins minute 1
    Announce(Kind::PaceChanged, "relaxed");
    live(8); // 303 passes a step: minutes 2 and 3 begin at steps 16 and 20
    Save();
    EXPECT_EQ(paced(), "live@1 live@12 pace@12:relaxed live@16 live@20 ");
    EXPECT_EQ(liferecord::PassesAt(recorder.Rows()).back(), 12u * 101 + 8 * 303);

    recorder.SetPace(pace::Pace::Gentle); // as a game started at another pace
    Announce(Kind::Opened, "PIP");
    Save();
    EXPECT_EQ(paced(), "live@1 live@12 pace@12:relaxed live@16 live@20 pace@20:gentle ");
}
