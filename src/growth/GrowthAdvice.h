#pragma once

#include "growth/CarePlanner.h"
#include "growth/GrowthRules.h"

#include <string>
#include <vector>

// The growth map's sentences, built from the rule table.
namespace growth {

// What the size still lacks for the rule, e.g. "12.1 cm taller, 86 g heavier"; "" when reached.
// Amounts are rounded so that growing by them is enough (0.1 cm, 1 g).
std::string SizeMissing(const Rule& rule, double height, double weight);

// The fitness the pet lacks with its current values, e.g. "health over 40 (now 35)"; "" when fit.
std::string FitnessMissing(int health, int dirty);

// The plan in words, one part per round: {"6 x Milk"} or {"2 x Worm, 1 x Carrot"} when it fits
// in one, else {"now: 2 x Cake", "when it is hungry again: 3 x Cake"} (the first part left out
// when the pet is too full to eat now; like rounds once, "2 times when it is hungry again: ..."),
// and "cure it on the way" last when the plan needs it; {"there already"} or {why not} without
// feedings.
std::vector<std::string> PlanParts(const Plan& plan);

// The parts in one line, joined by "; ".
std::string PlanText(const Plan& plan);

} // namespace growth
