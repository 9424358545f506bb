#include "pet/BodyState.h"
#include "core/Signals.h"
#include "growth/GrowState.h"
#include "pet/Food.h"
#include "support/FileError.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// A stage that answers the feeding, living and checking rules by writing down their names.
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
#define SPY_GROUP(G)                                                                                         \
    void Feed##G(const Food&) override {                                                                     \
        calls += "Feed" #G " ";                                                                              \
    }                                                                                                        \
    void Live##G() override {                                                                                \
        calls += "Live" #G " ";                                                                              \
    }                                                                                                        \
    void Check##G() override {                                                                               \
        calls += "Check" #G " ";                                                                             \
        throw BodyStateChanged("after" #G);                                                                  \
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

TEST(BodyState, EachStateReachesItsOwnRuleGroupAndGrowthComesFirst) {
    EnsurePrototypes();
    testing::internal::CaptureStdout();
    SpyStage spy;
    testing::internal::GetCapturedStdout();
    for (const std::string g : {"Normal", "Sleep", "Sick", "Bored", "Smile"}) {
        auto body = BodyState::Get(g);
        body->Bind(&spy, 0, 0);
        spy.calls.clear();
        body->Feed(Food("Apple 0.5 20 5 30 10 5 0 1"));
        body->Live();
        EXPECT_EQ(SignalFrom<BodyStateChanged>([&] { body->Check(); }), "after" + g);
        EXPECT_EQ(spy.calls, "Feed" + g + " Live" + g + " Grow Check" + g + " ");
        // A stage change ends the check before the body check runs.
        spy.calls.clear();
        spy.growInto = "NextStage";
        EXPECT_EQ(SignalFrom<GrowStateChanged>([&] { body->Check(); }), "NextStage");
        EXPECT_EQ(spy.calls, "Grow ");
        spy.growInto.clear();
    }
    EXPECT_THROW(BodyState::Get("Dead"), FileError);
}
