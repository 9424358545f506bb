#pragma once

#include <span>
#include <string>
#include <vector>

class Food;

// Which foods, in which order, take the pet into each next stage's region of the growth map in
// the fewest feedings.
namespace growth {

class GrowthMap;

// The pet as the planner sees it.
struct Start {
    double height = 0.0;
    double weight = 0.0;
    int full = 0;
    int health = 100;
};

// Feedings of one food, one after another.
struct Serving {
    std::string food;
    int times = 0;
    bool operator==(const Serving&) const = default;
};

constexpr int kNever = -1;
// Plans of more feedings than this are not offered: nobody feeds a thousand cakes.
constexpr int kMostFeedings = 999;

struct Plan {
    std::string next; // the stage
    // The feedings in their order, by rounds: the first is given now (empty when the pet is too
    // full to eat), each later one when it is hungry again. Empty without feedings.
    std::vector<std::vector<Serving>> rounds;
    int feedings = 0; // 0 when the pet stands in the region already, kNever when no plan gets there
    std::string why;  // with kNever, why not: "no food makes it lighter"
    // The foods' health changes would leave it too weak to grow (or kill it) unless it is cured.
    bool needsCure = false;
};

// One plan per next stage of the map, in the rules' order (a stage that two rules lead to,
// once). A plan's feedings, given in its order, first bring the pet into that stage's region
// and into no region before; none is refused for fullness, as each round is given when the pet
// is hungry (full at most 20); and no plan with fewer feedings does so.
std::vector<Plan> PlanCare(const GrowthMap& map, const Start& start, std::span<const Food* const> foods);

} // namespace growth
