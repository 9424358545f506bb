#pragma once

#include "growth/CarePlanner.h"
#include "growth/GrowthRules.h"

#include <string>

// The growth map's sentences, built from the rule table.
namespace growth {

// What the size still lacks for the rule, e.g. "12.1 cm taller, 86 g heavier"; "" when reached.
// Amounts are rounded so that growing by them is enough (0.1 cm, 1 g).
std::string SizeMissing(const Rule& rule, double height, double weight);

// The fitness the pet lacks with its current values, e.g. "health over 40 (now 35)"; "" when fit.
std::string FitnessMissing(int health, int dirty);

// "6 x Milk", "there already" or "no single food gets there".
std::string PlanText(const Plan& plan);

} // namespace growth
