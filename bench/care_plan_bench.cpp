// How fast the care planner plans: it runs when the player opens the life view.
#include "growth/CarePlanner.h"
#include "growth/Food.h"
#include "growth/GrowthMap.h"

#include "ShippedFoods.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {
using Foods = ShippedFoods;

void CarePlan(benchmark::State& state, const char* stage, double height, double weight) {
    const Foods list;
    const growth::GrowthMap map(stage);
    for (auto _ : state) {
        benchmark::DoNotOptimize(growth::PlanCare(map, {height, weight, 50, 100}, list.offered));
    }
}

// Pets all over each stage's map, every 4 cm and 40 g from 40 cm below its lowest height bound
// to 10 cm above its highest, and from 600 g below its lowest weight bound to 300 g above the
// highest: the time per pet.
void CarePlanAllOverTheMap(benchmark::State& state) {
    const Foods list;
    std::vector<std::pair<const char*, growth::Start>> pets;
    for (const char* stage : {"SmallBaby", "Baby", "BigBaby", "SmallChick", "SmallCock", "Cock"}) {
        const growth::GrowthMap map(stage);
        for (double h = map.HeightCuts().front() - 40; h <= map.HeightCuts().back() + 10; h += 4) {
            for (double w = map.WeightCuts().front() - 600; w <= map.WeightCuts().back() + 300; w += 40) {
                pets.push_back({stage, {h, w, 50, 100}});
            }
        }
    }
    for (auto _ : state) {
        for (const auto& [stage, start] : pets) {
            benchmark::DoNotOptimize(growth::PlanCare(growth::GrowthMap(stage), start, list.offered));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(pets.size()));
}
} // namespace

// A baby that has just grown: three plans of one food or two.
BENCHMARK_CAPTURE(CarePlan, YoungBaby, "Baby", 21.0, 560.0)->Unit(benchmark::kMillisecond);
// No single food gets it to a small chick: five feedings of two foods do.
BENCHMARK_CAPTURE(CarePlan, MixedOnly, "Baby", 30.5, 290.0)->Unit(benchmark::kMillisecond);
// Every way to a big baby passes a small chick: the search must see every point it can reach.
BENCHMARK_CAPTURE(CarePlan, Blocked, "Baby", 38.0, 130.0)->Unit(benchmark::kMillisecond);
// 67 feedings to a cock.
BENCHMARK_CAPTURE(CarePlan, LongWay, "SmallCock", 74.0, 1260.0)->Unit(benchmark::kMillisecond);
// A pet from an edited file, 5.5 kg lighter than any bound.
BENCHMARK_CAPTURE(CarePlan, FarOff, "Baby", 20.0, -5000.0)->Unit(benchmark::kMillisecond);
BENCHMARK(CarePlanAllOverTheMap)->Unit(benchmark::kMillisecond);
