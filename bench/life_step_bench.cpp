// How fast the simulation runs: one life step of a pet, and one scheduler pass.
#include "core/BehaviorScheduler.h"
#include "core/Prototypes.h"
#include "growth/BodyState.h"
#include "growth/GrowState.h"
#include "growth/StateFactory.h"
#include "pet/Pet.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {
// A pet in its own temporary folder, with empty picture tables.
struct BenchPet {
    BenchPet(const std::string& stage, const std::string& body, const std::string& statistics) {
        static bool prototypesMade = false;
        if (!prototypesMade) {
            std::ostringstream quiet;
            auto* old = std::cout.rdbuf(quiet.rdbuf());
            CreateStatePrototypes();
            std::cout.rdbuf(old);
            prototypesMade = true;
        }
        folder = std::filesystem::temp_directory_path() / ("hatchling-bench-" + stage + body);
        std::filesystem::create_directories(folder / "Pets");
        std::ofstream(folder / "Pets" / "Default.default") << stage << "\n"
                                                           << body << "\n"
                                                           << statistics << "\n";
        const auto here = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        auto* old = std::cout.rdbuf(quiet.rdbuf());
        factory = std::make_unique<StateFactory>("Settings\\StatePic.list", "Settings\\StateMove.list");
        pet = std::make_unique<Pet>("Default", "BENCH", nullptr, factory.get());
        std::cout.rdbuf(old);
        std::filesystem::current_path(here);
    }
    ~BenchPet() { std::filesystem::remove_all(folder); }

    // Puts the statistics back near the middle through the rules (a few nanoseconds), so
    // that the pet neither dies nor drifts into other states during a long run.
    void Restore(int energy, int mood = 50, int health = 100) {
        GrowState& stage = *factory->GetGrowState();
        if (stage.GetDirty() > 0) {
            stage.AddDirty(-stage.GetDirty());
        }
        stage.AddDirty(10);
        stage.AddHealth(health - stage.GetHealth());
        stage.AddMood(mood - stage.GetMood());
        stage.AddEnergy(energy - stage.GetEnergy());
        stage.AddFull(60 - stage.GetFull());
    }

    std::ostringstream quiet;
    std::filesystem::path folder;
    std::unique_ptr<StateFactory> factory;
    std::unique_ptr<Pet> pet;
};

// Steady life steps: the live rule, the growth check and the body check, no state change.
void LifeStep(benchmark::State& state, const char* stage, const char* body, int energy, int mood,
              int health) {
    BenchPet bench(stage, body, "30.000000 500.000000 5 5 100 60 10 70 80 ");
    for (auto _ : state) {
        bench.pet->Live();
        bench.Restore(energy, mood, health);
    }
    state.SetItemsProcessed(state.iterations());
}

// Every step changes the body state (awake and tired, then asleep and rested), so each one
// includes the replacement of the body state.
void LifeStepWithChange(benchmark::State& state) {
    BenchPet bench("Baby", "Normal", "30.000000 500.000000 5 5 100 60 10 70 80 ");
    for (auto _ : state) {
        const bool asleep = bench.pet->GetBodyState().GetName() == "Sleep";
        bench.Restore(asleep ? 100 : 5);
        bench.pet->Live();
    }
    state.SetItemsProcessed(state.iterations());
}

class Counting : public AutoBehavior {
public:
    explicit Counting(std::uint32_t period) : AutoBehavior(period) {}
    void Act() override { ++acts; }
    std::uint64_t acts = 0;
};

// One pass over the game's five behaviours, without the pause between passes.
void SchedulerPass(benchmark::State& state) {
    Counting events(1), show(5), life(100), hello(3600), save(6000);
    BehaviorScheduler scheduler;
    for (Counting* behavior : {&events, &show, &life, &hello, &save}) {
        scheduler.Add(behavior);
    }
    for (auto _ : state) {
        scheduler.RunPass();
    }
    benchmark::DoNotOptimize(events.acts + show.acts + life.acts + hello.acts + save.acts);
}
} // namespace

// Statistics chosen so that each pair stays where it is: (energy, mood, health).
BENCHMARK_CAPTURE(LifeStep, Baby_Normal, "Baby", "Normal", 80, 50, 100);
BENCHMARK_CAPTURE(LifeStep, SmallBaby_Normal, "SmallBaby", "Normal", 80, 50, 100);
BENCHMARK_CAPTURE(LifeStep, Chicken_Sleep, "Chicken", "Sleep", 30, 50, 100);
BENCHMARK_CAPTURE(LifeStep, Cock_Bored, "Cock", "Bored", 30, 10, 100);
BENCHMARK_CAPTURE(LifeStep, SmallChick_Sick, "SmallChick", "Sick", 80, 50, 15);
BENCHMARK_CAPTURE(LifeStep, Flower_Smile, "Flower", "Smile", 80, 70, 100);
BENCHMARK(LifeStepWithChange);
BENCHMARK(SchedulerPass);
