#include "core/BehaviorScheduler.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {
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
    int pass = 0;
    std::function<void()> extra;
};

// Runs `count` passes and tells every probe which pass it is.
void Passes(BehaviorScheduler& scheduler, std::vector<Probe*> probes, int count) {
    for (int i = 0; i < count; ++i) {
        for (Probe* probe : probes) {
            ++probe->pass;
        }
        scheduler.RunPass();
    }
}
} // namespace

TEST(AutoBehavior, StartsAtADrawnPhaseWithPeriodBounds) {
    FixedClock clock(42);
    ScriptedRandom random{7, 5, 1728001, 3};
    Probe five(5);
    EXPECT_EQ(five.GetPeriod(), 5u);
    EXPECT_EQ(five.GetCounter(), 2u); // 7 % 5
    Probe zero(0);                    // counts as 1
    EXPECT_EQ(zero.GetPeriod(), 1u);
    EXPECT_EQ(zero.GetCounter(), 0u);
    Probe huge(5000000);
    EXPECT_EQ(huge.GetPeriod(), 1728000u);
    EXPECT_EQ(huge.GetCounter(), 1u);
    Probe cap(1728000);
    EXPECT_EQ(cap.GetPeriod(), 1728000u);
    EXPECT_EQ(random.log, "SDSDSDSD");
    EXPECT_EQ(random.seeds, (std::vector<unsigned>{42, 42, 42, 42}));
}

TEST(BehaviorScheduler, ActsAfterItsPeriodOfWaitingPasses) {
    ScriptedRandom random{0, 1, 1727999};
    BehaviorScheduler scheduler;
    Probe one(1);   // counter 0
    Probe three(3); // counter 1: two waiting passes, then every fourth pass
    scheduler.Add(&one);
    scheduler.Add(&three);
    Passes(scheduler, {&one, &three}, 11);
    EXPECT_EQ(one.acts, (std::vector<int>{2, 4, 6, 8, 10}));
    EXPECT_EQ(three.acts, (std::vector<int>{3, 7, 11}));

    // The longest period: acts once it has waited a full day of passes.
    BehaviorScheduler daily;
    Probe day(9999999); // counter 1727999
    daily.Add(&day);
    Passes(daily, {&day}, 2);
    EXPECT_EQ(day.acts, (std::vector<int>{2}));
    Passes(daily, {&day}, 1728000);
    EXPECT_EQ(day.acts.size(), 1u);
    Passes(daily, {&day}, 1);
    EXPECT_EQ(day.acts, (std::vector<int>{2, 1728003}));
}

TEST(BehaviorScheduler, AddAndRemoveDuringAPass) {
    ScriptedRandom random{0, 0, 0, 0, 0, 0, 0, 0};
    BehaviorScheduler scheduler;
    Probe late(1);
    Probe adder(0, [&] { scheduler.Add(&late); });
    // Appended behind the current position, the new behaviour has its turn in this pass.
    scheduler.Add(&adder); // period 1, counter 0: acts on the second pass
    Passes(scheduler, {&adder, &late}, 2);
    ASSERT_EQ(scheduler.GetBehaviors().size(), 2u);
    EXPECT_EQ(late.GetCounter(), 1u);
    EXPECT_TRUE(late.acts.empty());

    // Removing one behind: it misses the pass, the one after it does not.
    BehaviorScheduler second;
    Probe victim(0), after(0);
    Probe remover(0, [&] { second.Remove(&victim); });
    for (Probe* p : {&remover, &victim, &after}) {
        second.Add(p);
    }
    Passes(second, {&remover, &victim, &after}, 2);
    EXPECT_EQ(remover.acts, (std::vector<int>{2}));
    EXPECT_TRUE(victim.acts.empty());
    EXPECT_EQ(victim.GetCounter(), 1u);
    EXPECT_EQ(after.acts, (std::vector<int>{2}));

    // Removing itself shifts the list: the next behaviour misses that one pass.
    BehaviorScheduler third;
    Probe next(0), last(0);
    Probe quitter(0);
    quitter.extra = [&] { third.Remove(&quitter); };
    for (Probe* p : {&quitter, &next, &last}) {
        third.Add(p);
    }
    Passes(third, {&quitter, &next, &last}, 2);
    EXPECT_EQ(quitter.acts, (std::vector<int>{2}));
    EXPECT_TRUE(next.acts.empty());
    EXPECT_EQ(last.acts, (std::vector<int>{2}));
}

TEST(BehaviorScheduler, ListKeepsDuplicatesAndRemovesTheFirst) {
    ScriptedRandom random{0, 0, 0};
    BehaviorScheduler scheduler;
    Probe a(3), b(3);
    scheduler.Add(&a);
    scheduler.Add(&b);
    scheduler.Add(&a);
    scheduler.Remove(&a);
    EXPECT_EQ(scheduler.GetBehaviors(), (std::vector<AutoBehavior*>{&b, &a}));
    Probe absent(3);
    scheduler.Remove(&absent);
    EXPECT_EQ(scheduler.GetBehaviors().size(), 2u);
}

TEST(BehaviorScheduler, StopFinishesThePassAndItsSleep) {
    ScriptedRandom random{0, 0, 0};
    RecordedSleeps sleeps;
    BehaviorScheduler scheduler;
    Probe stopper(1, [&] { scheduler.Stop(); });
    Probe behind(0);
    scheduler.Add(&stopper);
    scheduler.Add(&behind);
    scheduler.Run(); // the stopper acts on the second pass
    EXPECT_EQ(sleeps.waits, (std::vector<double>{0.05, 0.05}));
    EXPECT_EQ(behind.acts.size(), 1u); // had its turn in the stopping pass

    BehaviorScheduler stopped;
    Probe idle(0);
    stopped.Add(&idle);
    stopped.Stop();
    stopped.Run();
    EXPECT_EQ(sleeps.waits.size(), 2u);
    EXPECT_EQ(idle.GetCounter(), 0u);
}
