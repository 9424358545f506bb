#pragma once

#include <span>
#include <string>
#include <vector>

class Food;

// Which single food takes the pet fastest to each next stage's region of the growth map.
namespace growth {

class GrowthMap;

struct Plan {
    std::string next; // the stage
    std::string food; // "" when the pet is there already or no single food gets there
    int feedings = 0; // with a food, how many; without, 0 when there already, kNever otherwise
};

constexpr int kNever = -1;
// Plans of more feedings than this are not offered: nobody feeds a thousand cakes.
constexpr int kMostFeedings = 999;

// How many feedings of `food` alone take a pet at (height, weight) into `next`'s region, judged
// by the food's height and weight gains as the statistic rules add them: 0 when it stands there
// already, kNever when it stands in or its path first enters another stage's region (it would
// grow into that one), or it enters none within kMostFeedings.
int FeedingsTo(const GrowthMap& map, const std::string& next, double height, double weight, const Food& food);

// One plan per next stage of the map, in the rules' order (a stage that two rules lead to,
// once): the food needing the fewest feedings, the first in list order on a tie.
std::vector<Plan> PlanCare(const GrowthMap& map, double height, double weight,
                           std::span<const Food* const> foods);

} // namespace growth
