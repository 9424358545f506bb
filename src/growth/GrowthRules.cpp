#include "growth/GrowthRules.h"

#include <cctype>

namespace growth {
namespace {
using Side = Bound::Side;

constexpr Bound Over(double value) {
    return {Side::Above, value, true};
}
constexpr Bound Under(double value) {
    return {Side::Below, value, true};
}
constexpr Bound kAny{};

constexpr Fitness kFitness{Over(40), Under(35)};

// Grouped by stage, each group in its order of trial.
constexpr Rule kRules[] = {
    {"Egg", "SmallBaby", kAny, kAny, false, 5},      {"SmallBaby", "Baby", Over(20.0), Over(550.0)},
    {"Baby", "BigBaby", Under(45.0), Over(800.0)},   {"Baby", "SmallCock", Over(45.0), Under(600.0)},
    {"Baby", "SmallChick", Over(37.0), Over(640.0)}, {"BigBaby", "Flower", Under(75.0), Over(1200.0)},
    {"BigBaby", "Chicken", Over(75.0), Over(960.0)}, {"SmallChick", "Chicken", Over(75.0), Over(960.0)},
    {"SmallCock", "Cock", Over(90.0), Under(840.0)}, {"SmallCock", "Chicken", Over(75.0), Over(960.0)},
    {"Cock", "BigCock", Over(120.0), Under(960.0)},
};
} // namespace

bool Bound::Holds(double statistic) const {
    switch (side) {
    case Side::Above:
        return strict ? statistic > value : statistic >= value;
    case Side::Below:
        return strict ? statistic < value : statistic <= value;
    case Side::Any:
        break;
    }
    return true;
}

bool Rule::HoldsAt(double h, double w) const {
    return height.Holds(h) && weight.Holds(w);
}

bool Fitness::Holds(int h, int d) const {
    return health.Holds(h) && dirty.Holds(d);
}

const Fitness& Fit() {
    return kFitness;
}

std::span<const Rule> RulesFrom(std::string_view stage) {
    const Rule* first = std::begin(kRules);
    while (first != std::end(kRules) && first->from != stage) {
        ++first;
    }
    const Rule* last = first;
    while (last != std::end(kRules) && last->from == stage) {
        ++last;
    }
    return {first, last};
}

std::span<const Rule> AllRules() {
    return kRules;
}

std::string_view NextStage(std::span<const Rule> rules, double height, double weight, int health, int dirty,
                           int checks) {
    for (const Rule& rule : rules) {
        const bool holds = rule.CountsChecks() ? checks > rule.afterChecks
                                               : (!rule.needsFit || kFitness.Holds(health, dirty)) &&
                                                     rule.HoldsAt(height, weight);
        if (holds) {
            return rule.next;
        }
    }
    return {};
}

std::string ShownName(std::string_view stage) {
    std::string shown;
    for (char c : stage) {
        if (!shown.empty() && std::isupper(static_cast<unsigned char>(c))) {
            shown += ' ';
        }
        shown += c;
    }
    return shown;
}

std::string Article(std::string_view stage) {
    return !stage.empty() && std::string_view("AEIOU").find(stage.front()) != std::string_view::npos ? "an"
                                                                                                     : "a";
}

} // namespace growth
