#include "growth/GrowthMap.h"

#include <algorithm>

namespace growth {
namespace {
void AddCut(std::vector<double>& cuts, const Bound& bound) {
    if (bound.Limits()) {
        cuts.push_back(bound.value);
    }
}

void SortUnique(std::vector<double>& cuts) {
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
}
} // namespace

GrowthMap::GrowthMap(std::string_view stage) {
    for (const Rule& rule : RulesFrom(stage)) {
        if (!rule.CountsChecks()) {
            rules.push_back(rule);
            AddCut(heightCuts, rule.height);
            AddCut(weightCuts, rule.weight);
        }
    }
    SortUnique(heightCuts);
    SortUnique(weightCuts);
    const int across = PieceCount(heightCuts);
    const int up = PieceCount(weightCuts);
    owners.assign(static_cast<std::size_t>(across * up), kNone);
    for (int h = 0; h < across; ++h) {
        for (int w = 0; w < up; ++w) {
            const double height = Inside(heightCuts, h);
            const double weight = Inside(weightCuts, w);
            const auto winner = std::find_if(rules.begin(), rules.end(),
                                             [&](const Rule& rule) { return rule.HoldsAt(height, weight); });
            if (winner != rules.end()) {
                owners[static_cast<std::size_t>(h * up + w)] = static_cast<int>(winner - rules.begin());
            }
        }
    }
}

int GrowthMap::Piece(const std::vector<double>& cuts, double value) {
    const auto at = std::lower_bound(cuts.begin(), cuts.end(), value);
    const int k = static_cast<int>(at - cuts.begin());
    return at != cuts.end() && *at == value ? 2 * k + 1 : 2 * k;
}

double GrowthMap::Inside(const std::vector<double>& cuts, int piece) {
    const std::size_t k = static_cast<std::size_t>(piece / 2);
    if (piece % 2 == 1) {
        return cuts[k];
    }
    if (cuts.empty()) {
        return 0.0;
    }
    if (k == 0) {
        return cuts.front() - 1.0;
    }
    if (k == cuts.size()) {
        return cuts.back() + 1.0;
    }
    return (cuts[k - 1] + cuts[k]) / 2.0;
}

int GrowthMap::Owner(int heightPiece, int weightPiece) const {
    return owners[static_cast<std::size_t>(heightPiece * PieceCount(weightCuts) + weightPiece)];
}

std::string GrowthMap::StageAt(double height, double weight, int health, int dirty) const {
    const int owner = Owner(HeightPiece(height), WeightPiece(weight));
    if (owner == kNone || (rules[static_cast<std::size_t>(owner)].needsFit && !Fit().Holds(health, dirty))) {
        return "";
    }
    return std::string(rules[static_cast<std::size_t>(owner)].next);
}

} // namespace growth
