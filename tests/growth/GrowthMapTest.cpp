// The growth map and the care planner against the stages' own Grow.
#include "growth/GrowthMap.h"
#include "growth/CarePlanner.h"
#include "growth/Food.h"
#include "growth/GrowState.h"
#include "growth/GrowthAdvice.h"
#include "support/Signals.h"

#include "ShippedFoods.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <random>
#include <set>
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

namespace {
using FoodList = ShippedFoods;

// Feeds the plan to a stage object by the stage's own rules, as a player would: each later round
// once the pet is hungry (full 20), and cured after every feeding, so that only its size decides.
// "" when no feeding is refused, no round starts before the pet would refuse the next food, and
// the pet grows into the plan's stage at the last feeding and not before; else what went wrong.
std::string FeedPlan(const FoodList& list, const char* stage, double h, double w, int full,
                     const growth::Plan& plan) {
    auto pet = MakeStage(stage, {.height = h, .weight = w, .health = 100, .full = full});
    int fed = 0;
    for (std::size_t round = 0; round < plan.rounds.size(); ++round) {
        if (round > 0) {
            if (!GrowState::RefusesGain(pet->GetFull(), list.Named(plan.rounds[round][0].food).GetFull())) {
                return "round " + std::to_string(round) + " starts at full " + std::to_string(pet->GetFull());
            }
            pet->AddFull(20 - pet->GetFull());
        }
        for (const growth::Serving& serving : plan.rounds[round]) {
            for (int i = 0; i < serving.times; ++i) {
                const Food& food = list.Named(serving.food);
                if (const auto no = SignalFrom<InvalidOperation>([&] { pet->FeedNormal(food); });
                    !no.empty()) {
                    return no;
                }
                pet->AddHealth(100);
                if (const std::string next = Grows(*pet); next != (++fed == plan.feedings ? plan.next : "")) {
                    return "grows into \"" + next + "\" after " + std::to_string(fed);
                }
            }
        }
    }
    return fed == plan.feedings ? "" : "fed " + std::to_string(fed);
}

// When and into what a fit pet first grows, fed one food again and again.
std::pair<int, std::string> FirstGrowth(const char* stage, double h, double w, const Food& food) {
    auto pet = MakeStage(stage, {.height = h, .weight = w});
    for (int feedings = 0; feedings <= growth::kMostFeedings; ++feedings) {
        if (const std::string next = Grows(*pet); !next.empty()) {
            return {feedings, next};
        }
        pet->AddHeight(food.GetHeight());
        pet->AddWeight(food.GetWeight());
    }
    return {growth::kNever, ""};
}

// Whether some sequence of at most `left` feedings grows the pet into `next` before any other.
bool GrowsWithin(const FoodList& list, const char* stage, const std::string& next, double h, double w,
                 int left) {
    const std::string grown = Grows(*MakeStage(stage, {.height = h, .weight = w}));
    return grown == next ||
           (grown.empty() && left > 0 && std::any_of(list.foods.begin(), list.foods.end(), [&](auto& f) {
                return GrowsWithin(list, stage, next, GrowState::HeightAfter(h, f.GetHeight()),
                                   w + f.GetWeight(), left - 1);
            }));
}
} // namespace

TEST(CarePlanner, EveryPlanGrowsThePetThereByTheStagesOwnRulesAndNoSingleFoodDoesBetter) {
    const FoodList list;
    ASSERT_EQ(list.offered.size(), 10u);
    std::mt19937 random(17);
    int mixed = 0, rounds = 0;
    for (const char* stage : kStages) {
        const growth::GrowthMap map(stage);
        for (int start = 0; start < 40 && !map.Rules().empty(); ++start) {
            const double h0 = Round(std::uniform_real_distribution<double>(map.HeightCuts().front() - 30,
                                                                           map.HeightCuts().back())(random));
            const double w0 = Round(std::uniform_real_distribution<double>(map.WeightCuts().front() - 300,
                                                                           map.WeightCuts().back())(random));
            const int full = std::uniform_int_distribution<int>(0, 100)(random);
            for (const growth::Plan& plan : growth::PlanCare(map, {h0, w0, full, 100}, list.offered)) {
                const std::string where = std::string(stage) + " at " + std::to_string(h0) + " cm " +
                                          std::to_string(w0) + " g, full " + std::to_string(full) + ", to " +
                                          plan.next + ": " + growth::PlanText(plan);
                if (plan.feedings > 0) {
                    EXPECT_EQ(FeedPlan(list, stage, h0, w0, full, plan), "") << where;
                }
                // Short plans against every shorter sequence of foods.
                if (plan.feedings > 1 && plan.feedings <= 4) {
                    EXPECT_FALSE(GrowsWithin(list, stage, plan.next, h0, w0, plan.feedings - 1)) << where;
                }
                EXPECT_EQ(plan.feedings == growth::kNever, !plan.why.empty()) << where;
                std::set<std::string> kinds;
                for (const auto& round : plan.rounds) {
                    for (const growth::Serving& serving : round) {
                        kinds.insert(serving.food);
                    }
                }
                mixed += kinds.size() > 1;
                rounds += plan.rounds.size() > 1;
                for (const Food& food : list.foods) {
                    const auto [feedings, next] = FirstGrowth(stage, h0, w0, food);
                    EXPECT_TRUE(next != plan.next ||
                                (plan.feedings != growth::kNever && plan.feedings <= feedings))
                        << where << "; " << food.GetName() << " alone in " << feedings;
                }
            }
        }
    }
    EXPECT_GT(mixed, 50);
    EXPECT_GT(rounds, 50);
}

TEST(CarePlanner, MixesFoodsForAPetNoSingleFoodSteersAndSaysWhyWhereNoPlanGetsThere) {
    const FoodList list;
    // A baby that needs 6.6 cm and 351 g more to become a small chick: a food of height alone
    // makes it a small cock, one of weight alone a big baby.
    const growth::GrowthMap baby("Baby");
    const auto plans = growth::PlanCare(baby, {30.5, 290.0, 50, 100}, list.offered);
    ASSERT_EQ(plans.size(), 3u);
    const growth::Plan& chick = plans[2];
    EXPECT_EQ(growth::PlanText(chick), "now: 2 x Worm, 1 x Cake; when it is hungry again: 2 x Cake");
    EXPECT_EQ(FeedPlan(list, "Baby", 30.5, 290.0, 50, chick), "");
    for (const Food& food : list.foods) {
        EXPECT_NE(FirstGrowth("Baby", 30.5, 290.0, food).second, "SmallChick") << food.GetName();
    }
    // Nor does any sequence of four feedings or fewer.
    EXPECT_FALSE(GrowsWithin(list, "Baby", "SmallChick", 30.5, 290.0, 4));

    const auto why = [&](double h, double w, std::span<const Food* const> foods, int full = 50,
                         int health = 100) {
        std::string text;
        for (const growth::Plan& plan : growth::PlanCare(baby, {h, w, full, health}, foods)) {
            text += (text.empty() ? "" : " | ") + growth::PlanText(plan);
        }
        return text;
    };
    EXPECT_EQ(why(46.0, 620.0, list.offered), "no food makes it shorter | 2 x Carrot | 1 x Corn");
    EXPECT_EQ(why(40.0, 620.0, list.offered),
              "it would grow into a Small Chick first | 3 x Carrot | 1 x Corn");
    EXPECT_EQ(
        why(40.0, 700.0, list.offered),
        "it would grow into a Small Chick first | it would grow into a Small Chick first | there already");
    const Food* heavy[] = {&list.Named("Worm"), &list.Named("Cake")};
    EXPECT_EQ(why(30.0, 700.0, heavy), "1 x Cake | no food makes it lighter | 3 x Worm");
    // Full now: the first round waits for hunger; five cakes leave it too weak to grow.
    EXPECT_EQ(why(30.0, 300.0, std::span(heavy + 1, 1), 100, 50),
              "when it is hungry again: 3 x Cake; when it is hungry again: 2 x Cake; cure it on the way | "
              "it would grow into a Big Baby first | it would grow into a Big Baby first");
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
