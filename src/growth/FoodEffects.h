#pragma once

#include "growth/CarePlanner.h"

#include <set>
#include <span>
#include <string>

class Food;

// What a food does, in words for the feed chooser.
namespace growth {

// One short line of what eating the food changes: height, weight, fullness, mood, energy and
// health, with their signs, leaving out what it does not change (what shows as zero), e.g.
// "+0.2 cm  +120 g  full +35  mood +20  energy +5  health -5"; "no effect" when it changes none.
std::string EffectLine(const Food& food);

// The names of the foods the care plans of a pet of that stage, as it is now, use.
std::set<std::string> PlannedFoods(const std::string& stage, const Start& start,
                                   std::span<const Food* const> foods);

} // namespace growth
