#include "growth/GrowState.h"
#include "support/FileError.h"
#include "support/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

TEST(StatisticRules, EachStatisticAtItsBounds) {
    auto s =
        MakeStage("Baby", {.height = 239.0, .health = 3, .full = 2, .dirty = 0, .mood = 2, .energy = 95});
    s->AddHeight(5.0);     // caps at 240
    s->AddWisdom(INT_MAX); // sums saturate instead of overflowing
    s->AddWisdom(1);
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddHealth(-4); }), "Die From Unhealthiness!"); // and keeps 3
    s->AddHealth(-3);
    s->AddHealth(101);
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddFull(-3); }), "Die From Starving!");
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->AddDirty(-1); }), "I'm clean Enough!");
    s->AddDirty(5);
    s->AddDirty(-11);
    s->AddMood(-4);
    EXPECT_EQ(s->GetMood(), -2); // no lower bound
    s->AddMood(200);
    s->AddEnergy(6);
    EXPECT_EQ(s->ToString(), "240.000000 500.000000 0 2147483647 100 2 0 100 100 ");

    s = MakeStage("Baby", {.full = 100});
    s->AddFull(0);
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->AddFull(1); }), "I'm already Full!");
    // Starving is tested before fullness: a pet loaded with full above 100 still dies.
    s = MakeStage("Baby", {.full = 150});
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddFull(-151); }), "Die From Starving!");
}

TEST(StatisticsText, PlainAssignmentAFinalBlankIsOneMoreFieldAndAShortLineChangesNothing) {
    // Rounding to six decimals on the way out: the stage factory and the pet tests; any line
    // read back as written: the fuzzing of the pet and template readers.
    auto s = MakeStage("Baby");
    s->FromString("1 2 3 4 150 200 -4 101 ");
    const std::string read = "1.000000 2.000000 3 4 150 200 -4 101 0 ";
    EXPECT_EQ(s->ToString(), read);
    EXPECT_THROW(s->FromString("9 9 9 9 9 9 9 9"), FileError);
    EXPECT_EQ(s->ToString(), read);
}
