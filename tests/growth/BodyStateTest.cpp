#include "growth/BodyState.h"
#include "growth/Food.h"
#include "growth/GrowState.h"
#include "support/FileError.h"
#include "support/Signals.h"

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
    // clang-format off
#define SPY_GROUP(G)                                                        \
    void Feed##G(const Food&) override { calls += "Feed" #G " "; }         \
    void Play##G(Game&) override { calls += "Play" #G " "; }               \
    void Clean##G() override { calls += "Clean" #G " "; }                  \
    void Cure##G() override { calls += "Cure" #G " "; }                    \
    void Live##G() override { calls += "Live" #G " "; }                    \
    void Check##G() override { calls += "Check" #G " "; throw BodyStateChanged("after" #G); }
    // clang-format on
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

TEST(BodyState, EachStateReachesItsOwnRuleGroupAndGrowthComesFirst) {
    EnsurePrototypes();
    testing::internal::CaptureStdout();
    SpyStage spy;
    testing::internal::GetCapturedStdout();
    ScriptedGame game(0, 0, 0, 0);
    for (const std::string g : {"Normal", "Sleep", "Sick", "Bored", "Smile"}) {
        auto body = BodyState::Get(g);
        body->Bind(&spy, 0, 0);
        spy.calls.clear();
        body->Feed(Food("Apple 0.5 20 5 30 10 5 0 1"));
        body->Play(game);
        body->Clean();
        body->Cure();
        body->Live();
        EXPECT_EQ(SignalFrom<BodyStateChanged>([&] { body->Check(); }), "after" + g);
        EXPECT_EQ(spy.calls, "Feed" + g + " Play" + g + " Clean" + g + " Cure" + g + " Live" + g +
                                 " Grow Check" + g + " ");
        // A stage change ends the check before the body check runs.
        spy.calls.clear();
        spy.growInto = "NextStage";
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { body->Check(); }), "NextStage");
        EXPECT_EQ(spy.calls, "Grow ");
        spy.growInto.clear();
    }
    EXPECT_THROW(BodyState::Get("Dead"), FileError);
}
