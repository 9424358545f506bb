#include "core/FileError.h"
#include "core/Signals.h"
#include "growth/Stages.h"
#include "pet/Food.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <typeinfo>

namespace {
// Compares the dynamic classes of two stage objects.
bool SameClass(const GrowState& a, const GrowState& b) { return typeid(a) == typeid(b); }
} // namespace

TEST(StatisticRules, HeightWeightStrengthWisdom) {
    auto s = MakeStage("Baby", {.height = 239.0, .weight = 10.0});
    s->AddHeight(1.0);
    EXPECT_EQ(s->GetHeight(), 240.0);
    s->AddHeight(0.5);
    EXPECT_EQ(s->GetHeight(), 240.0);
    s->AddHeight(-40.0);
    EXPECT_EQ(s->GetHeight(), 200.0);
    s = MakeStage("Baby", {.height = 239.0});
    s->AddHeight(5.0);
    EXPECT_EQ(s->GetHeight(), 240.0);
    s->AddWeight(-25.5);
    EXPECT_EQ(s->GetWeight(), 474.5);
    s->AddStrength(-7);
    s->AddWisdom(1000);
    EXPECT_EQ(s->GetStrength(), -7);
    EXPECT_EQ(s->GetWisdom(), 1000);
    // Sums stay in the int range instead of overflowing.
    s->AddWisdom(INT_MAX);
    EXPECT_EQ(s->GetWisdom(), INT_MAX);
    s->AddStrength(INT_MIN);
    EXPECT_EQ(s->GetStrength(), INT_MIN);
}

TEST(StatisticRules, HealthDiesBelowZeroAndCapsAt100) {
    auto s = MakeStage("Baby", {.health = 3});
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddHealth(-4); }), "Die From Unhealthiness!");
    EXPECT_EQ(s->GetHealth(), 3);
    s->AddHealth(-3);
    EXPECT_EQ(s->GetHealth(), 0);
    s->AddHealth(101);
    EXPECT_EQ(s->GetHealth(), 100);
    s->AddHealth(INT_MAX);
    EXPECT_EQ(s->GetHealth(), 100);
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddHealth(INT_MIN); }), "Die From Unhealthiness!");
    EXPECT_EQ(s->GetHealth(), 100);
}

TEST(StatisticRules, FullStarvesRefusesWhenFullAndCaps) {
    auto s = MakeStage("Baby", {.full = 100});
    s->AddFull(0);
    EXPECT_EQ(s->GetFull(), 100);
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->AddFull(1); }), "I'm already Full!");
    EXPECT_EQ(s->GetFull(), 100);
    s->AddFull(-1);
    EXPECT_EQ(s->GetFull(), 99);
    s->AddFull(5);
    EXPECT_EQ(s->GetFull(), 100);

    s = MakeStage("Baby", {.full = 2});
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddFull(-3); }), "Die From Starving!");
    EXPECT_EQ(s->GetFull(), 2);
    s->AddFull(-2);
    EXPECT_EQ(s->GetFull(), 0);
    // Starving is tested before fullness: a pet loaded with full above 100 still dies.
    s = MakeStage("Baby", {.full = 150});
    EXPECT_EQ(SignalFrom<Die>([&] { s->AddFull(-151); }), "Die From Starving!");
    s->AddFull(-10);
    EXPECT_EQ(s->GetFull(), 100);
}

TEST(StatisticRules, DirtyClampsAndRefusesCleaningWhenClean) {
    auto s = MakeStage("Baby", {.dirty = 0});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->AddDirty(-1); }), "I'm clean Enough!");
    EXPECT_EQ(s->GetDirty(), 0);
    s->AddDirty(0);
    s->AddDirty(5);
    EXPECT_EQ(s->GetDirty(), 5);
    s->AddDirty(-11);
    EXPECT_EQ(s->GetDirty(), 0);
    s->AddDirty(150);
    EXPECT_EQ(s->GetDirty(), 100);
    s = MakeStage("Baby", {.dirty = -5});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->AddDirty(-1); }), "I'm clean Enough!");
    s->AddDirty(3);
    EXPECT_EQ(s->GetDirty(), 0);
}

TEST(StatisticRules, MoodAndEnergyCapAt100WithoutLowerBound) {
    auto s = MakeStage("Baby", {.mood = 2, .energy = 95});
    s->AddMood(-4);
    EXPECT_EQ(s->GetMood(), -2);
    s->AddMood(-1000);
    EXPECT_EQ(s->GetMood(), -1002);
    s->AddMood(1102);
    EXPECT_EQ(s->GetMood(), 100);
    s->AddEnergy(5);
    EXPECT_EQ(s->GetEnergy(), 100);
    s->AddEnergy(1);
    EXPECT_EQ(s->GetEnergy(), 100);
    s->AddEnergy(INT_MIN);
    EXPECT_EQ(s->GetEnergy(), 100 + INT_MIN);
    s->AddEnergy(INT_MIN);
    EXPECT_EQ(s->GetEnergy(), INT_MIN); // saturated, not wrapped round to a large positive
}

TEST(StatisticsText, RoundTripsCharacterForCharacter) {
    EnsurePrototypes();
    auto s = GrowState::Create("Baby");
    const std::string example = "20.500000 300.000000 1 2 100 50 0 70 80 ";
    s->FromString(example);
    EXPECT_EQ(s->ToString(), example);
    EXPECT_EQ(s->GetHeight(), 20.5);
    EXPECT_EQ(s->GetWeight(), 300.0);
    EXPECT_EQ(s->GetEnergy(), 80);

    const std::string negative = "0.000001 -12.345678 -3 -2147483648 0 0 100 -50 -7 ";
    s->FromString(negative);
    EXPECT_EQ(s->ToString(), negative);
    EXPECT_EQ(s->GetWisdom(), INT_MIN);

    // Plain assignment: no rule clamps what the text says.
    s->FromString("300.0 1 2 3 150 200 -4 101 102");
    EXPECT_EQ(s->ToString(), "300.000000 1.000000 2 3 150 200 -4 101 102 ");
    // Rounded to six decimals on the way out.
    s->FromString("12.3456789 0.0000004 0 0 0 0 0 0 0 ");
    EXPECT_EQ(s->ToString(), "12.345679 0.000000 0 0 0 0 0 0 0 ");
    // A final blank stands for one more (empty) field, so eight fields and a blank read energy 0.
    s->FromString("1 2 3 4 5 6 7 8 ");
    EXPECT_EQ(s->GetEnergy(), 0);
    EXPECT_EQ(s->GetMood(), 8);
}

TEST(StatisticsText, ShortLineIsRefusedAndChangesNothing) {
    auto s = MakeStage("Baby", {.height = 33.0, .mood = 44});
    const std::string before = s->ToString();
    EXPECT_THROW(s->FromString("1 2 3 4 5 6 7 8"), FileError);
    EXPECT_THROW(s->FromString(""), FileError);
    EXPECT_EQ(s->ToString(), before);
}

TEST(StageRegistry, CreatesClonesByNameAndRefusesUnknownNames) {
    EnsurePrototypes();
    for (const char* name : {"Egg", "SmallBaby", "Baby", "BigBaby", "SmallChick", "SmallCock", "Chicken",
                             "Cock", "BigCock", "Flower"}) {
        auto a = GrowState::Create(name);
        auto b = GrowState::Create(name);
        EXPECT_EQ(a->GetName(), name);
        EXPECT_NE(a.get(), b.get());
        EXPECT_EQ(a->ToString(), "0.000000 0.000000 0 0 0 0 0 0 0 ");
        auto copy = a->Clone();
        EXPECT_TRUE(SameClass(*copy, *a));
    }
    EXPECT_TRUE(dynamic_cast<Flower*>(GrowState::Create("Flower").get()) != nullptr);
    EXPECT_THROW(GrowState::Create("Dragon"), FileError);
    EXPECT_THROW(GrowState::Create("baby"), FileError);
}

namespace {
// Two different stages that claim the same name.
class FirstClaim : public GrowState {
public:
    explicit FirstClaim(const std::string& name) : GrowState(name) {}
    std::unique_ptr<GrowState> Clone() const override { return std::make_unique<FirstClaim>(*this); }
    void Grow() override {}
    FirstClaim(const FirstClaim&) = default;
};
class SecondClaim : public FirstClaim {
public:
    using FirstClaim::FirstClaim;
    std::unique_ptr<GrowState> Clone() const override { return std::make_unique<SecondClaim>(*this); }
};
} // namespace

TEST(StageRegistry, FirstRegistrationWinsAndLeavesWithItsPrototype) {
    EnsurePrototypes();
    testing::internal::CaptureStdout();
    {
        auto first = std::make_unique<FirstClaim>("Claimed");
        SecondClaim second("Claimed");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Claimed\nClaimed\n");
        auto made = GrowState::Create("Claimed");
        EXPECT_NE(dynamic_cast<FirstClaim*>(made.get()), nullptr);
        // A clone does not unregister the prototype when it goes.
        made.reset();
        EXPECT_TRUE(GrowState::IsRegistered("Claimed"));
        first.reset();
        // The second claim never got the name, so nothing is left under it.
        EXPECT_THROW(GrowState::Create("Claimed"), FileError);
    }
    // A second Baby prototype does not replace the real one.
    {
        SecondClaim impostor("Baby");
        EXPECT_NE(dynamic_cast<Baby*>(GrowState::Create("Baby").get()), nullptr);
    }
    EXPECT_NE(dynamic_cast<Baby*>(GrowState::Create("Baby").get()), nullptr);
}

TEST(DefaultRules, FeedingAppliesInOrderAndKeepsChangesBeforeASignal) {
    const Food apple("Apple 0.5 20 5 30 10 5 3 1");
    auto s = MakeStage("Baby");
    s->FeedNormal(apple);
    EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 80 10 60 55 ");

    // Full: height, weight, strength, wisdom and health change; mood and energy do not.
    s = MakeStage("Baby", {.full = 100});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedNormal(apple); }), "I'm already Full!");
    EXPECT_EQ(s->ToString(), "30.500000 520.000000 3 1 85 100 10 50 50 ");

    // A poisonous food kills before full is touched.
    const Food poison("Poison 1 1 -90 10 10 10 1 1");
    s = MakeStage("Baby");
    EXPECT_EQ(SignalFrom<Die>([&] { s->FeedNormal(poison); }), "Die From Unhealthiness!");
    EXPECT_EQ(s->ToString(), "31.000000 501.000000 1 1 80 50 10 50 50 ");
}

TEST(DefaultRules, PlayingRunsTheGameThenAddsItsCounters) {
    ScriptedGame game(4, 3, -10, -5);
    auto s = MakeStage("Baby");
    s->PlayNormal(game);
    EXPECT_EQ(game.plays, 1);
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 4 3 80 45 10 50 40 ");

    ScriptedGame feast(1, 1, 1, 5);
    s = MakeStage("Baby", {.full = 100});
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlayNormal(feast); }), "I'm already Full!");
    EXPECT_EQ(s->ToString(), "30.000000 500.000000 1 1 80 100 10 50 51 ");

    ScriptedGame exhausting(0, 0, 0, -60);
    s = MakeStage("Baby");
    EXPECT_EQ(SignalFrom<Die>([&] { s->PlayNormal(exhausting); }), "Die From Starving!");
}

TEST(DefaultRules, SleepingRefusesFoodAndGamesWithoutDrawing) {
    ScriptedRandom random;
    ScriptedGame game(1, 1, 1, 1);
    const Food apple("Apple 0.5 20 5 30 10 5 3 1");
    for (const char* name : {"Egg", "SmallBaby"}) {
        auto s = MakeStage(name);
        const std::string before = s->ToString();
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->FeedSleep(apple); }), "Shhhhh, I'm Sleeping!");
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySleep(game); }), "Shhhhh, I'm Sleeping!");
        EXPECT_EQ(s->ToString(), before);
    }
    for (const char* name : {"Baby", "SmallChick", "Chicken", "Cock", "BigCock"}) {
        auto s = MakeStage(name);
        EXPECT_EQ(SignalFrom<InvalidOperation>([&] { s->PlaySleep(game); }), "Shhhhh, I'm Sleeping!") << name;
    }
    EXPECT_EQ(game.plays, 0);
    EXPECT_EQ(random.log, "");
}
