#include "growth/FoodEffects.h"

#include "growth/CarePlanner.h"
#include "growth/Food.h"
#include "growth/GrowthMap.h"

#include <cmath>
#include <cstdio>

namespace growth {
namespace {
// "+0.2 cm", "-15 g", "full +35"; "" when the amount shows as zero.
std::string Part(const char* label, double amount, int decimals, const char* unit) {
    const double shown = std::round(amount * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    if (shown == 0.0) {
        return "";
    }
    char text[48];
    std::snprintf(text, sizeof text, "%s%+.*f%s", label, decimals, shown, unit);
    return text;
}
} // namespace

std::string EffectLine(const Food& food) {
    std::string line;
    for (const std::string& part :
         {Part("", food.GetHeight(), 1, " cm"), Part("", food.GetWeight(), 0, " g"),
          Part("full ", food.GetFull(), 0, ""), Part("mood ", food.GetMood(), 0, ""),
          Part("energy ", food.GetEnergy(), 0, ""), Part("health ", food.GetHealth(), 0, "")}) {
        if (!part.empty()) {
            line += (line.empty() ? "" : "  ") + part;
        }
    }
    return line.empty() ? "no effect" : line;
}

std::set<std::string> PlannedFoods(const std::string& stage, const Start& start,
                                   std::span<const Food* const> foods) {
    // The one place that reads which foods a plan feeds.
    std::set<std::string> planned;
    for (const Plan& plan : PlanCare(GrowthMap(stage), start, foods)) {
        for (const std::vector<Serving>& round : plan.rounds) {
            for (const Serving& serving : round) {
                planned.insert(serving.food);
            }
        }
    }
    return planned;
}

} // namespace growth
