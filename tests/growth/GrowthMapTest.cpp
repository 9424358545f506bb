// The growth map and the care planner against the stages' own Grow.
#include "growth/GrowthMap.h"
#include "growth/CarePlanner.h"
#include "growth/Food.h"
#include "growth/GrowState.h"
#include "growth/GrowthAdvice.h"
#include "support/Signals.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <sstream>

namespace {
const char* const kStages[] = {"Egg",       "SmallBaby", "Baby", "BigBaby", "SmallChick",
                               "SmallCock", "Chicken",   "Cock", "BigCock", "Flower"};

// Pet files keep six decimals; three keep the values the stage reads equal to the map's.
double Round(double value) {
    return std::round(value * 1000.0) / 1000.0;
}

std::string Grows(const GrowState& state) {
    return SignalFrom<GrowStateChanged>([&] { state.Clone()->Grow(); });
}
} // namespace

TEST(GrowthMap, PutsEveryPointWhereGrowTakesThePetOnAndOffEveryBound) {
    std::mt19937 random(17);
    std::uniform_real_distribution<double> height(0.0, 250.0), weight(-200.0, 2000.0);
    std::uniform_int_distribution<int> percent(0, 100);
    for (const char* stage : kStages) {
        const growth::GrowthMap map(stage);
        std::vector<double> heights, weights;
        for (double cut : map.HeightCuts()) {
            heights.insert(heights.end(), {cut - 0.001, cut, cut + 0.001});
        }
        for (double cut : map.WeightCuts()) {
            weights.insert(weights.end(), {cut - 0.001, cut, cut + 0.001});
        }
        for (int i = 0; i < 40; ++i) {
            heights.push_back(Round(height(random)));
            weights.push_back(Round(weight(random)));
        }
        int grown = 0, point = 0;
        for (double h : heights) {
            for (double w : weights) {
                // Health and dirt on and off their bounds in turn, and anywhere.
                const int k = point++ % 6;
                const int health = k < 2 ? 40 + k : percent(random);
                const int dirty = k == 2 || k == 3 ? 32 + k : percent(random);
                const std::string expected = map.StageAt(h, w, health, dirty);
                grown += !expected.empty();
                ASSERT_EQ(
                    Grows(*MakeStage(stage, {.height = h, .weight = w, .health = health, .dirty = dirty})),
                    expected)
                    << stage << " at " << h << " cm " << w << " g, health " << health << " dirty " << dirty;
            }
        }
        EXPECT_EQ(grown > 0, !map.Rules().empty()) << stage;
    }
}

TEST(CarePlanner, NamesTheFoodThatGrowsThePetThereInTheFewestFeedings) {
    std::vector<Food> foods;
    std::ifstream list(std::string(HATCHLING_GAME_DATA) + "/Settings/Food.list");
    for (std::string line; std::getline(list, line);) {
        foods.emplace_back(line);
    }
    std::vector<const Food*> offered;
    for (const Food& food : foods) {
        offered.push_back(&food);
    }
    ASSERT_EQ(offered.size(), 10u);
    std::mt19937 random(17);
    int plansWithFood = 0;
    for (const char* stage : kStages) {
        const growth::GrowthMap map(stage);
        for (int start = 0; start < 40 && !map.Rules().empty(); ++start) {
            const double h0 = Round(std::uniform_real_distribution<double>(map.HeightCuts().front() - 30,
                                                                           map.HeightCuts().back())(random));
            const double w0 = Round(std::uniform_real_distribution<double>(map.WeightCuts().front() - 300,
                                                                           map.WeightCuts().back())(random));
            // When and into what a fit pet first grows, fed one food again and again.
            const auto firstGrowth = [&](const Food& food) {
                auto pet = MakeStage(stage, {.height = h0, .weight = w0});
                for (int feedings = 0; feedings <= growth::kMostFeedings; ++feedings) {
                    if (const std::string next = Grows(*pet); !next.empty()) {
                        return std::pair{feedings, next};
                    }
                    pet->AddHeight(food.GetHeight());
                    pet->AddWeight(food.GetWeight());
                }
                return std::pair{growth::kNever, std::string()};
            };
            for (const growth::Plan& plan : growth::PlanCare(map, h0, w0, offered)) {
                const std::string where = std::string(stage) + " at " + std::to_string(h0) + " cm " +
                                          std::to_string(w0) + " g to " + plan.next;
                for (const Food& food : foods) {
                    const auto [feedings, next] = firstGrowth(food);
                    if (plan.food == food.GetName()) {
                        ++plansWithFood;
                        EXPECT_EQ(feedings, plan.feedings) << where;
                        EXPECT_EQ(next, plan.next) << where;
                    } else if (next == plan.next) {
                        EXPECT_TRUE(plan.feedings == 0 ? feedings == 0
                                                       : !plan.food.empty() && feedings >= plan.feedings)
                            << where << ": " << food.GetName() << " gets there in " << feedings;
                    }
                }
            }
        }
    }
    EXPECT_GT(plansWithFood, 100);
}

TEST(GrowthAdvice, GrowingByTheMissingAmountsIsEnoughAndReachedSizesLackNothing) {
    std::mt19937 random(17);
    for (const char* stage : kStages) {
        for (const growth::Rule& rule : growth::RulesFrom(stage)) {
            if (rule.CountsChecks()) {
                continue;
            }
            for (int i = 0; i < 200; ++i) {
                // Every fourth point exactly on the bounds.
                double h =
                    i % 4 ? Round(std::uniform_real_distribution<double>(0, 240)(random)) : rule.height.value;
                double w = i % 4 ? Round(std::uniform_real_distribution<double>(0, 2000)(random))
                                 : rule.weight.value;
                const std::string missing = growth::SizeMissing(rule, h, w);
                EXPECT_EQ(missing.empty(), rule.HoldsAt(h, w))
                    << stage << " " << h << " " << w << ": " << missing;
                std::istringstream words(missing);
                double amount;
                std::string unit, way;
                while (words >> amount >> unit >> way) {
                    const double sign = way.starts_with("taller") || way.starts_with("heavier") ? 1 : -1;
                    (unit == "cm" ? h : w) += sign * amount;
                }
                EXPECT_TRUE(rule.HoldsAt(h, w)) << stage << " to " << rule.next << ": " << missing;
            }
        }
    }
    EXPECT_EQ(growth::FitnessMissing(40, 35), "health over 40 (now 40), dirty under 35 (now 35)");
    EXPECT_EQ(growth::FitnessMissing(41, 34), "");
}
