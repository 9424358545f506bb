#include "growth/CarePlanner.h"

#include "growth/Food.h"
#include "growth/GrowState.h"
#include "growth/GrowthMap.h"

#include <algorithm>
#include <limits>

namespace growth {
namespace {
constexpr double kNoCap = std::numeric_limits<double>::infinity();

// Whether a value moving by `step` can still cross a cut (heights stop at their cap).
bool StillCrossing(const std::vector<double>& cuts, double value, double step, double cap) {
    if (cuts.empty() || step == 0.0) {
        return false;
    }
    return step > 0 ? value <= cuts.back() && value < cap : value >= cuts.front();
}

std::string Owner(const GrowthMap& map, double height, double weight) {
    const int owner = map.Owner(map.HeightPiece(height), map.WeightPiece(weight));
    return owner == GrowthMap::kNone ? "" : std::string(map.Rules()[static_cast<std::size_t>(owner)].next);
}
} // namespace

int FeedingsTo(const GrowthMap& map, const std::string& next, double height, double weight,
               const Food& food) {
    // A pet standing in a region grows into that stage at its next check.
    if (const std::string here = Owner(map, height, weight); !here.empty()) {
        return here == next ? 0 : kNever;
    }
    for (int feedings = 1; feedings <= kMostFeedings; ++feedings) {
        height = GrowState::HeightAfter(height, food.GetHeight());
        weight += food.GetWeight();
        const std::string reached = Owner(map, height, weight);
        if (!reached.empty()) {
            return reached == next ? feedings : kNever;
        }
        if (!StillCrossing(map.HeightCuts(), height, food.GetHeight(), GrowState::kMostHeight) &&
            !StillCrossing(map.WeightCuts(), weight, food.GetWeight(), kNoCap)) {
            return kNever;
        }
    }
    return kNever;
}

std::vector<Plan> PlanCare(const GrowthMap& map, double height, double weight,
                           std::span<const Food* const> foods) {
    std::vector<Plan> plans;
    for (const Rule& rule : map.Rules()) {
        const std::string next(rule.next);
        if (std::any_of(plans.begin(), plans.end(), [&](const Plan& p) { return p.next == next; })) {
            continue;
        }
        Plan plan{next, "", kNever};
        for (const Food* food : foods) {
            const int feedings = FeedingsTo(map, next, height, weight, *food);
            if (feedings == 0) {
                plan = {next, "", 0};
                break;
            }
            if (feedings > 0 && (plan.food.empty() || feedings < plan.feedings)) {
                plan = {next, food->GetName(), feedings};
            }
        }
        plans.push_back(plan);
    }
    return plans;
}

} // namespace growth
