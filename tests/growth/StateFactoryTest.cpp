#include "growth/StateFactory.h"
#include "growth/BodyState.h"
#include "growth/GrowState.h"
#include "support/FileError.h"
#include "support/Signals.h"

#include "TempGameFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {
using Pairs = std::map<std::string, int>;

// Reads a table from the given text, returning it and what went to standard error.
StateFactory::Table Read(const std::string& content, std::string& errors) {
    TempGameFolder game;
    game.Write("table.list", content);
    testing::internal::CaptureStderr();
    StateFactory::Table table = StateFactory::ReadTable("table.list");
    errors = testing::internal::GetCapturedStderr();
    return table;
}

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
} // namespace

TEST(StateFactoryTables, RecordsSpreadOverAnyWhiteSpaceAndTheLastWins) {
    std::string errors;
    auto table = Read("Baby Normal 1 Smile 1 Bored 1 Sick 1 Sleep 1\n"
                      "Egg\n  Normal 1\tSmile 1\n\nBored 1 Sick 1\r\nSleep -3 "
                      "Baby Normal 5 Normal 6 Bored 7 Sick 8 Sleep +9",
                      errors);
    EXPECT_EQ(errors, "");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table["Egg"]["Sleep"], -3);
    EXPECT_EQ(table["Baby"], (Pairs{{"Normal", 6}, {"Bored", 7}, {"Sick", 8}, {"Sleep", 9}}));
}

TEST(StateFactoryTables, StopsAtACutShortRecordOrANonNumberWithOneRefusal) {
    for (const std::string bad : {"1 Bored\n", "2x Bored 1 Sick 1 Sleep 1\nCock Normal 1\n",
                                  "99999999999 Bored 1 Sick 1 Sleep 1\nCock Normal 1\n"}) {
        std::string errors;
        auto table = Read("Baby Normal 2 Smile 2 Bored 1 Sick 1 Sleep 1\nEgg Normal 1 Smile " + bad, errors);
        EXPECT_EQ(table.size(), 1u) << bad;
        EXPECT_EQ(errors.rfind("refused: \"table.list\" line 2: ", 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    }
}

TEST(StateFactory, SetAndChangeTheGrowStateAndBindBodyStates) {
    TempGameFolder game; // also keeps the stage traces off standard output
    game.Write("StatePic.list", "Baby Normal 2 Smile 3 Bored 1 Sick 1 Sleep 1\n"
                                "BigBaby Normal 4 Smile 4 Bored 4 Sick 4 Sleep 5\n");
    game.Write("StateMove.list", "Baby Normal 6 Smile 7 Bored 8 Sick 9 Sleep 10\n");
    StateFactory factory("StatePic.list", "StateMove.list");
    EXPECT_THROW(factory.CreateBodyState("Normal"), std::logic_error); // no stage yet
    factory.SetGrowState("Baby", "40.1234567 900.0000004 -3 7 80 50 10 61 5 ");
    GrowState* baby = factory.GetGrowState(); // its frames and moves: the pet's animation test
    // An unknown stage or a short statistics line changes nothing.
    EXPECT_THROW(factory.SetGrowState("Dragon", "1 2 3 4 5 6 7 8 9 "), FileError);
    EXPECT_THROW(factory.ChangeGrowState("Dragon", "Smile"), FileError);
    EXPECT_EQ(factory.GetGrowState(), baby);

    // The statistics travel as text; a pair missing from a table gives 0 and is added with 0.
    auto body = factory.ChangeGrowState("BigBaby", "Smile");
    EXPECT_EQ(factory.GetGrowState()->ToString(), "40.123457 900.000000 -3 7 80 50 10 61 5 ");
    EXPECT_EQ(
        std::tuple(body->GetFrameCount(), body->GetMove(), factory.GetMoves().at("BigBaby").at("Smile")),
        std::tuple(4, 0, 0));

    // The replaced stage lives until the next call, so the replaced pet can still read it.
    {
        Counted prototype;
        {
            Counted impostor; // the second of a name never gets it, so its end leaves the first
        }
        Counted::ended = 0;
        factory.SetGrowState("Counted", "1 2 3 4 5 6 7 8 9 ");
        auto oldBody = factory.CreateBodyState("Normal");
        factory.SetGrowState("Baby", "0 0 0 0 0 0 0 0 0 ");
        EXPECT_EQ(oldBody->GetStrength(), 3);
        factory.SetGrowState("Baby", "0 0 0 0 0 0 0 0 0 ");
        EXPECT_EQ(Counted::ended, 1);
    }
    // A prototype that has gone leaves the registry.
    EXPECT_THROW(factory.SetGrowState("Counted", "1 2 3 4 5 6 7 8 9 "), FileError);
}
