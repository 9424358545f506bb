#include "core/BehaviorScheduler.h"
#include "core/Behaviors.h"
#include "growth/BodyState.h"
#include "growth/StateFactory.h"
#include "pet/Pet.h"
#include "support/Happenings.h"
#include "support/Pace.h"

#include "TempGameFolder.h"

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

// The pace spaces the pet's life steps three or ten times as far apart and leaves the other
// behaviours alone; the egg, which hatches after its sixth step, is still an egg after 45 s of
// passes at a kinder pace. A change of pace holds from the next step.
TEST(BehaviorScheduler, APaceSpacesOnlyThePetsLifeSteps) {
    TempGameFolder game;
    game.Write("Pets/Default.default", "Egg\nNormal\n10.000000 120.000000 0 0 100 50 0 80 90 \n");
    ConstantRandom zero{0}; // every phase starts at 0, and nothing random happens to the egg
    StateFactory factory("Settings\\NoPictures.list", "Settings\\NoMoves.list");
    for (const auto& [chosen, stage] : {std::pair{pace::Pace::Design, "SmallBaby"},
                                        {pace::Pace::Relaxed, "Egg"},
                                        {pace::Pace::Gentle, "Egg"}}) {
        Pet pet("Default", "PIP", nullptr, &factory);
        BehaviorScheduler scheduler;
        PetAutoBehavior life(&pet, nullptr, chosen);
        Probe save(6000), frame(5);
        std::vector<int> steps;
        happenings::Subscription lived([&](const happenings::Happening& h) {
            if (h.kind == happenings::Kind::Lived) {
                steps.push_back(pass);
            }
        });
        scheduler.Add(&life);
        scheduler.Add(&save);
        scheduler.Add(&frame);
        Passes(scheduler, 900); // 45 s
        EXPECT_EQ(pet.GetBodyState().GetGrowStateName(), stage) << pace::Name(chosen);
        EXPECT_EQ(std::tuple(frame.acts.size(), save.acts.size()), std::tuple(150u, 0u));
        for (pass = 901; pass <= 3600; ++pass) { // 3 minutes: three steps at any pace
            scheduler.RunPass();
        }
        const int apart = static_cast<int>(pace::PassesPerStep(chosen));
        ASSERT_GE(steps.size(), 3u);
        for (std::size_t i = 1; i < steps.size(); ++i) {
            EXPECT_EQ(steps[i] - steps[i - 1], apart) << pace::Name(chosen);
        }
        life.SetPeriod(PetAutoBehavior::PeriodAt(pace::Pace::Design));
        const std::size_t before = steps.size();
        Passes(scheduler, 303);
        EXPECT_GE(steps.size() - before, 2u) << "a new pace holds from the next step";
    }
}
