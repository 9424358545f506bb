#include "core/Signals.h"
#include "growth/Stages.h"
#include "pet/Food.h"
#include "support/FileError.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

TEST(StatisticRules, EachStatisticAtItsBounds) {
    auto s =
        MakeStage("Baby", {.height = 239.0, .health = 3, .full = 2, .dirty = 0, .mood = 2, .energy = 95});
    s->AddHeight(5.0);     // caps at 240
    s->AddWisdom(INT_MAX); // sums saturate instead of overflowing
    s->AddWisdom(1);
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddHealth(-4); }), "Die From Unhealthiness!");
    EXPECT_EQ(s->GetHealth(), 3);
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

TEST(StatisticsText, RoundTripsAndRefusesShortLines) {
    auto s = MakeStage("Baby");
    // Any line read back as written: the petdata and template fuzz targets.
    // Plain assignment without clamping, rounded to six decimals on the way out.
    s->FromString("12.3456789 1 2 3 150 200 -4 101 102");
    EXPECT_EQ(s->ToString(), "12.345679 1.000000 2 3 150 200 -4 101 102 ");
    // A final blank stands for one more (empty) field.
    s->FromString("1 2 3 4 5 6 7 8 ");
    EXPECT_EQ(s->GetEnergy(), 0);
    EXPECT_THROW(s->FromString("1 2 3 4 5 6 7 8"), FileError);
    EXPECT_EQ(s->ToString(), "1.000000 2.000000 3 4 5 6 7 8 0 ");
}

namespace {
// A stage under any name; its clones keep the number it was made with.
class Claim : public GrowState {
public:
    Claim(const std::string& name, int number) : GrowState(name), number(number) {}
    std::unique_ptr<GrowState> Clone() const override { return std::make_unique<Claim>(*this); }
    void Grow() override {}
    Claim(const Claim&) = default;
    int number;
};
} // namespace

TEST(StageRegistry, FirstRegistrationWinsAndUnknownNamesAreRefused) {
    EnsurePrototypes();
    EXPECT_THROW(GrowState::Create("baby"), FileError);
    testing::internal::CaptureStdout();
    {
        auto first = std::make_unique<Claim>("Claimed", 1);
        Claim second("Claimed", 2);
        Claim impostor("Baby", 3);
        EXPECT_EQ(dynamic_cast<Claim&>(*GrowState::Create("Claimed")).number, 1);
        EXPECT_NE(dynamic_cast<Baby*>(GrowState::Create("Baby").get()), nullptr);
        first.reset();
        // The second claim never got the name, so nothing is left under it.
        EXPECT_THROW(GrowState::Create("Claimed"), FileError);
    }
    testing::internal::GetCapturedStdout();
    EXPECT_NE(dynamic_cast<Baby*>(GrowState::Create("Baby").get()), nullptr);
}

TEST(DefaultRules, FeedingAndPlayingKeepChangesBeforeASignal) {
    // A poisonous food kills before full is touched (a full pet's meal: RandomRules).
    auto s = MakeStage("Baby");
    EXPECT_EQ(SignalFrom<Die>([&] { s->FeedNormal(Food("Poison 1 1 -90 10 10 10 1 1")); }),
              "Die From Unhealthiness!");
    EXPECT_EQ(s->ToString(), "31.000000 501.000000 1 1 80 50 10 50 50 ");

    ScriptedGame feast(1, 1, 1, 5);
    s = MakeStage("Baby", {.full = 100});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlayNormal(feast); }), "I'm already Full!");
    EXPECT_EQ(feast.plays, 1);
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 1 1 80 100 10 50 51 ");
}
