#include "core/BehaviorScheduler.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
int pass = 0; // the number of the pass running

// A behaviour that records the passes it acted on, and may run an extra action.
class Probe : public AutoBehavior {
public:
    explicit Probe(std::uint32_t period, std::function<void()> extra = {})
        : AutoBehavior(period), extra(std::move(extra)) {}
    void Act() override {
        acts.push_back(pass);
        if (extra) {
            extra();
        }
    }
    std::vector<int> acts;
    std::function<void()> extra;
};

// Runs passes 1 to `count`.
void Passes(BehaviorScheduler& scheduler, int count) {
    for (pass = 1; pass <= count; ++pass) {
        scheduler.RunPass();
    }
}
} // namespace

TEST(BehaviorScheduler, StartsAtADrawnPhaseAndActsAfterItsPeriod) {
    ScriptedRandom random{7, 5, 0, 1};
    Probe five(5), huge(5000000); // the counters 7 % 5 and 5; the period capped at a day of passes
    EXPECT_EQ(std::tuple(five.GetCounter(), huge.GetPeriod(), huge.GetCounter()),
              std::tuple(2u, 1728000u, 5u));

    BehaviorScheduler scheduler;
    Probe zero(0);  // counts as period 1: every second pass
    Probe three(3); // counter 1: two waiting passes, then every fourth pass
    scheduler.Add(&zero);
    scheduler.Add(&three);
    Passes(scheduler, 11);
    EXPECT_EQ(zero.acts, (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(three.acts, (std::vector<int>{3, 7, 11}));
    EXPECT_EQ(random.log, "SDSDSDSD");
}

TEST(BehaviorScheduler, AddAndRemoveDuringAPass) {
    ScriptedRandom random{0, 0, 0, 0, 0};
    BehaviorScheduler scheduler;
    Probe victim(0), after(0), late(1);
    // Removing one behind: it misses the pass, the one after it does not. Appended behind the
    // current position, a new behaviour has its turn in this pass.
    Probe remover(0, [&] { scheduler.Remove(&victim); });
    Probe adder(0, [&] { scheduler.Add(&late); });
    for (Probe* p : {&remover, &victim, &after, &adder}) {
        scheduler.Add(p);
    }
    Passes(scheduler, 2);
    EXPECT_EQ(std::tuple(victim.acts.size(), after.acts, late.GetCounter(), late.acts.size()),
              std::tuple(0u, std::vector<int>{2}, 1u, 0u));
}

TEST(BehaviorScheduler, StopFinishesThePassAndItsSleep) {
    ScriptedRandom random{0, 0};
    RecordedSleeps sleeps;
    BehaviorScheduler scheduler;
    Probe stopper(1, [&] { scheduler.Stop(); });
    Probe behind(0);
    scheduler.Add(&stopper);
    scheduler.Add(&behind);
    scheduler.Run(); // the stopper acts on the second pass
    EXPECT_EQ(std::tuple(sleeps.waits, behind.acts.size()), std::tuple(std::vector<double>{0.05, 0.05}, 1u));
}
