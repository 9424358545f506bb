#include "presentation/StateFactory.h"
#include "core/FileError.h"
#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {
using Pairs = std::map<std::string, int>;

// Reads a table from the given text, returning it and what went to standard error.
StateFactory::Table Read(const std::string& content, std::string& errors) {
    TempDir dir;
    const std::string path = dir.Write("table.list", content);
    testing::internal::CaptureStderr();
    StateFactory::Table table = StateFactory::ReadTable(path);
    errors = testing::internal::GetCapturedStderr();
    return table;
}
} // namespace

TEST(StateFactoryTables, RecordsSpreadOverAnyWhiteSpace) {
    std::string errors;
    auto table =
        Read("Baby Normal 2 Smile 2 Bored 1 Sick 1 Sleep 1\n"
             "Egg\n  Normal 1\tSmile 1\n\nBored 1 Sick 1\r\nSleep -3 Chicken Normal 4 Smile +4 Bored 3 "
             "Sick 2 Sleep 2",
             errors);
    EXPECT_EQ(errors, "");
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table["Baby"], (Pairs{{"Normal", 2}, {"Smile", 2}, {"Bored", 1}, {"Sick", 1}, {"Sleep", 1}}));
    EXPECT_EQ(table["Egg"]["Sleep"], -3);
    EXPECT_EQ(table["Chicken"]["Smile"], 4);

    // The last record of a stage wins; a name repeated inside a record keeps its last value.
    table = Read("Baby Normal 1 Smile 1 Bored 1 Sick 1 Sleep 1\n"
                 "Baby Normal 5 Normal 6 Bored 7 Sick 8 Sleep 9\n",
                 errors);
    EXPECT_EQ(table["Baby"], (Pairs{{"Normal", 6}, {"Bored", 7}, {"Sick", 8}, {"Sleep", 9}}));

    TempDir dir;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(StateFactory::ReadTable(dir.Path("missing.list")).empty());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(StateFactoryTables, StopsAtACutShortRecordOrANonNumber) {
    std::string errors;
    auto table = Read("Baby Normal 2 Smile 2 Bored 1 Sick 1 Sleep 1\nEgg Normal 1 Smile 1 Bored\n", errors);
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table.count("Egg"), 0u);
    EXPECT_NE(errors.find("refused: \""), std::string::npos) << errors;
    EXPECT_NE(errors.find("line 2"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Egg"), std::string::npos) << errors;

    for (const char* bad : {"two", "2x", "+-2", "", "99999999999"}) {
        table = Read(std::string("Baby Normal 2 Smile 2 Bored 1 Sick 1 Sleep 1\n"
                                 "Egg Normal 1 Smile ") +
                         bad + " Bored 1 Sick 1 Sleep 1\nCock Normal 1 Smile 1 Bored 1 Sick 1 Sleep 1\n",
                     errors);
        EXPECT_EQ(table.size(), 1u) << bad;
        EXPECT_EQ(table.count("Baby"), 1u) << bad;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
}

namespace {
// Counts the stage objects of its kind that have gone.
class Counted : public GrowState {
public:
    Counted() : GrowState("Counted") {}
    Counted(const Counted& other) = default;
    ~Counted() override { ++ended; }
    std::unique_ptr<GrowState> Clone() const override { return std::make_unique<Counted>(*this); }
    void Grow() override {}
    static inline int ended = 0;
};

struct FactoryFiles {
    TempDir dir;
    std::string pictures = dir.Write("StatePic.list", "Baby Normal 2 Smile 3 Bored 1 Sick 1 Sleep 1\n"
                                                      "BigBaby Normal 4 Smile 4 Bored 4 Sick 4 Sleep 5\n");
    std::string moves = dir.Write("StateMove.list", "Baby Normal 6 Smile 7 Bored 8 Sick 9 Sleep 10\n");
};
} // namespace

TEST(StateFactory, SetGrowStateAndCreateBodyState) {
    EnsurePrototypes();
    FactoryFiles files;
    StateFactory factory(files.pictures, files.moves);
    EXPECT_EQ(factory.GetFrameCounts().size(), 2u);
    EXPECT_EQ(factory.GetMoves().size(), 1u);
    EXPECT_THROW(factory.CreateBodyState("Normal"), std::logic_error); // no stage yet
    EXPECT_THROW(factory.ChangeGrowState("Baby", "Normal"), std::logic_error);

    testing::internal::CaptureStdout();
    factory.SetGrowState("Baby", "20.500000 300.000000 1 2 100 50 0 70 80 ");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Baby20.500000 300.000000 1 2 100 50 0 70 80 ");
    EXPECT_EQ(factory.GetGrowName(), "Baby");
    GrowState* baby = factory.GetGrowState();
    EXPECT_EQ(baby->GetName(), "Baby");
    EXPECT_EQ(baby->ToString(), "20.500000 300.000000 1 2 100 50 0 70 80 ");

    auto smile = factory.CreateBodyState("Smile");
    EXPECT_EQ(smile->GetName(), "Smile");
    EXPECT_EQ(smile->GetGrowState(), baby);
    EXPECT_EQ(smile->GetFrameCount(), 3);
    EXPECT_EQ(smile->GetMove(), 7);

    // An unknown stage or a short statistics line changes nothing.
    testing::internal::CaptureStdout();
    EXPECT_THROW(factory.SetGrowState("Dragon", "1 2 3 4 5 6 7 8 9 "), FileError);
    EXPECT_THROW(factory.SetGrowState("Cock", "1 2 3"), FileError);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(factory.GetGrowState(), baby);
    EXPECT_EQ(factory.GetGrowName(), "Baby");
    EXPECT_THROW(factory.CreateBodyState("Dead"), FileError);

    // A pair missing from a table gives 0 and is added with 0.
    testing::internal::CaptureStdout();
    factory.SetGrowState("Egg", "0 0 0 0 100 100 0 100 100 ");
    testing::internal::GetCapturedStdout();
    auto egg = factory.CreateBodyState("Sleep");
    EXPECT_EQ(egg->GetFrameCount(), 0);
    EXPECT_EQ(egg->GetMove(), 0);
    EXPECT_EQ(factory.GetFrameCounts().at("Egg").at("Sleep"), 0);
    EXPECT_EQ(factory.GetMoves().at("Egg").at("Sleep"), 0);
}

TEST(StateFactory, SetGrowStateKeepsTheReplacedStageUntilTheNextCall) {
    EnsurePrototypes();
    FactoryFiles files;
    StateFactory factory(files.pictures, files.moves);
    testing::internal::CaptureStdout();
    Counted prototype;
    Counted::ended = 0;
    factory.SetGrowState("Counted", "1 2 3 4 5 6 7 8 9 ");
    auto oldBody = factory.CreateBodyState("Normal");
    factory.SetGrowState("Baby", "0 0 0 0 0 0 0 0 0 ");
    EXPECT_EQ(Counted::ended, 0);
    EXPECT_EQ(oldBody->GetStrength(), 3); // the replaced pet can still read its stage
    factory.SetGrowState("Baby", "0 0 0 0 0 0 0 0 0 ");
    EXPECT_EQ(Counted::ended, 1);
    testing::internal::GetCapturedStdout();
}

TEST(StateFactory, ChangeGrowStateCarriesTheStatisticsAsText) {
    EnsurePrototypes();
    FactoryFiles files;
    StateFactory factory(files.pictures, files.moves);
    testing::internal::CaptureStdout();
    factory.SetGrowState("Baby", "40.1234567 900.0000004 -3 7 80 50 10 61 5 ");
    testing::internal::GetCapturedStdout();

    auto body = factory.ChangeGrowState("BigBaby", "Smile");
    GrowState* big = factory.GetGrowState();
    EXPECT_EQ(factory.GetGrowName(), "BigBaby");
    EXPECT_EQ(big->GetName(), "BigBaby");
    EXPECT_EQ(big->ToString(), "40.123457 900.000000 -3 7 80 50 10 61 5 ");
    EXPECT_EQ(big->GetHeight(), 40.123457); // rounded to six decimals on the way
    EXPECT_EQ(body->GetName(), "Smile");
    EXPECT_EQ(body->GetGrowState(), big);
    EXPECT_EQ(body->GetFrameCount(), 4);
    EXPECT_EQ(body->GetMove(), 0);

    // An unknown stage changes nothing.
    EXPECT_THROW(factory.ChangeGrowState("Dragon", "Smile"), FileError);
    EXPECT_EQ(factory.GetGrowState(), big);
    EXPECT_EQ(factory.GetGrowName(), "BigBaby");

    // The egg's own count does not travel: a new egg object starts counting again.
    testing::internal::CaptureStdout();
    factory.SetGrowState("Egg", "0 0 0 0 0 0 0 0 0 ");
    testing::internal::GetCapturedStdout();
    for (int check = 0; check < 5; ++check) {
        factory.GetGrowState()->Grow();
    }
    factory.ChangeGrowState("Egg", "Normal");
    for (int check = 0; check < 5; ++check) {
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { factory.GetGrowState()->Grow(); }), "") << check;
    }
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { factory.GetGrowState()->Grow(); }), "SmallBaby");
}
