#include "pet/BodyState.h"
#include "core/FileError.h"
#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/Food.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// A stage that answers every rule by writing down its name.
class SpyStage : public GrowState {
public:
    SpyStage() : GrowState("SpyStage") {}
    std::unique_ptr<GrowState> Clone() const override { return nullptr; }
    void Grow() override {
        calls += "Grow ";
        if (!growInto.empty()) {
            throw GrowStateChanged(growInto);
        }
    }
#define SPY_GROUP(Group)                                                                                     \
    void Feed##Group(const Food&) override {                                                                 \
        calls += "Feed" #Group " ";                                                                          \
    }                                                                                                        \
    void Play##Group(Game&) override {                                                                       \
        calls += "Play" #Group " ";                                                                          \
    }                                                                                                        \
    void Clean##Group() override {                                                                           \
        calls += "Clean" #Group " ";                                                                         \
    }                                                                                                        \
    void Cure##Group() override {                                                                            \
        calls += "Cure" #Group " ";                                                                          \
    }                                                                                                        \
    void Live##Group() override {                                                                            \
        calls += "Live" #Group " ";                                                                          \
    }                                                                                                        \
    void Check##Group() override {                                                                           \
        calls += "Check" #Group " ";                                                                         \
        throw BodyStateChanged("after" #Group);                                                              \
    }
    SPY_GROUP(Normal)
    SPY_GROUP(Sleep)
    SPY_GROUP(Sick)
    SPY_GROUP(Bored)
    SPY_GROUP(Smile)
#undef SPY_GROUP
    std::string calls;
    std::string growInto;
};
} // namespace

TEST(BodyState, EachStateReachesItsOwnRuleGroup) {
    EnsurePrototypes();
    testing::internal::CaptureStdout();
    SpyStage spy;
    testing::internal::GetCapturedStdout();
    const Food apple("Apple 0.5 20 5 30 10 5 0 1");
    ScriptedGame game(0, 0, 0, 0);
    const std::pair<const char*, const char*> groups[] = {
        {"Normal", "Normal"}, {"Sleep", "Sleep"}, {"Sick", "Sick"}, {"Bored", "Bored"}, {"Smile", "Smile"}};
    for (const auto& [name, group] : groups) {
        auto body = BodyState::Get(name);
        body->Bind(&spy, 0, 0);
        spy.calls.clear();
        body->Feed(apple);
        body->Play(game);
        body->Clean();
        body->Cure();
        body->Live();
        const std::string g = group;
        EXPECT_EQ(spy.calls, "Feed" + g + " Play" + g + " Clean" + g + " Cure" + g + " Live" + g + " ");

        // Check: the growth check first, then this group's check, whose signal passes out.
        spy.calls.clear();
        EXPECT_EQ(SignalFrom<BodyStateChanged>([&] { body->Check(); }), "after" + g);
        EXPECT_EQ(spy.calls, "Grow Check" + g + " ");

        // A stage change ends the check before the body check runs.
        spy.calls.clear();
        spy.growInto = "NextStage";
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { body->Check(); }), "NextStage");
        EXPECT_EQ(spy.calls, "Grow ");
        spy.growInto.clear();
    }
    EXPECT_EQ(game.plays, 0); // the spy never plays: Play went to the stage, not to the game
}

TEST(BodyState, RegistryClonesByNameAndBindsAndForwardsStatistics) {
    EnsurePrototypes();
    auto sleep = BodyState::Get("Sleep");
    auto again = BodyState::Get("Sleep");
    EXPECT_NE(sleep.get(), again.get());
    EXPECT_NE(dynamic_cast<ZZZ*>(sleep.get()), nullptr);
    EXPECT_EQ(sleep->GetName(), "Sleep");
    EXPECT_EQ(sleep->GetGrowState(), nullptr);
    for (const char* name : {"Normal", "Smile", "Bored", "Sick"}) {
        EXPECT_EQ(BodyState::Get(name)->GetName(), name);
    }
    EXPECT_THROW(BodyState::Get("ZZZ"), FileError);
    EXPECT_THROW(BodyState::Get("Dead"), FileError);

    auto stage = MakeStage("Cock", {.height = 12.5,
                                    .weight = 300,
                                    .strength = 1,
                                    .wisdom = 2,
                                    .health = 80,
                                    .full = 50,
                                    .dirty = 10,
                                    .mood = 60,
                                    .energy = 90});
    sleep->Bind(stage.get(), 3, 4);
    auto copy = sleep->Clone();
    EXPECT_EQ(copy->GetName(), "Sleep");
    EXPECT_EQ(copy->GetGrowState(), stage.get());
    EXPECT_EQ(copy->GetFrameCount(), 3);
    EXPECT_EQ(copy->GetMove(), 4);
    EXPECT_EQ(copy->GetGrowStateName(), "Cock");
    EXPECT_EQ(copy->GetGrowStateData(), "12.500000 300.000000 1 2 80 50 10 60 90 ");
    EXPECT_EQ(copy->GetHeight(), 12.5);
    EXPECT_EQ(copy->GetWeight(), 300.0);
    EXPECT_EQ(copy->GetStrength(), 1);
    EXPECT_EQ(copy->GetWisdom(), 2);
    EXPECT_EQ(copy->GetHealth(), 80);
    EXPECT_EQ(copy->GetFull(), 50);
    EXPECT_EQ(copy->GetDirty(), 10);
    EXPECT_EQ(copy->GetMood(), 60);
    EXPECT_EQ(copy->GetEnergy(), 90);

    // Feeding a sleeping cock goes through its own sleeping rule, which draws.
    ScriptedRandom random{0};
    const Food apple("Apple 0.5 20 5 30 10 5 0 1");
    EXPECT_EQ(SignalFrom<InvalidOperation>([&] { copy->Feed(apple); }), "Shhhhh, I'm Sleeping!");
    EXPECT_EQ(random.log, "SD");
}

namespace {
class Claimant : public BodyState {
public:
    explicit Claimant(const std::string& name) : BodyState(name) {}
    std::unique_ptr<BodyState> Clone() const override { return nullptr; }
    void Check() override {}
    void Feed(const Food&) override {}
    void Play(Game&) override {}
    void Clean() override {}
    void Cure() override {}
    void Live() override {}
};
} // namespace

TEST(BodyState, FirstRegistrationWinsAndLeavesWithItsPrototype) {
    EnsurePrototypes();
    testing::internal::CaptureStdout();
    {
        Claimant impostor("Normal");
        EXPECT_NE(dynamic_cast<Normal*>(BodyState::Get("Normal").get()), nullptr);
    }
    // The impostor never held the name, so its end leaves the real Normal registered.
    EXPECT_NE(dynamic_cast<Normal*>(BodyState::Get("Normal").get()), nullptr);
    {
        Claimant own("Dizzy");
        EXPECT_TRUE(BodyState::IsRegistered("Dizzy"));
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Normal\nDizzy\n");
    EXPECT_FALSE(BodyState::IsRegistered("Dizzy"));
    EXPECT_THROW(BodyState::Get("Dizzy"), FileError);
}

TEST(BodyState, GrowthComesBeforeTheBodyCheck) {
    // A baby due to grow and tired: this step changes its stage, not its body state.
    auto baby = MakeStage("Baby", {.height = 40, .weight = 900, .energy = 5});
    auto body = BodyState::Get("Normal");
    body->Bind(baby.get(), 0, 0);
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { body->Check(); }), "BigBaby");
    auto big = MakeStage("BigBaby", {.height = 40, .weight = 900, .energy = 5});
    body->Bind(big.get(), 0, 0);
    EXPECT_EQ(SignalFrom<BodyStateChanged>([&] { body->Check(); }), "Sleep");

    // An egg counts its growth checks through the body state.
    auto egg = MakeStage("Egg");
    auto sick = BodyState::Get("Sick");
    sick->Bind(egg.get(), 0, 0);
    for (int check = 0; check < 5; ++check) {
        sick->Check();
    }
    EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { sick->Check(); }), "SmallBaby");
}
