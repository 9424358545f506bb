#include "growth/GrowthAdvice.h"

#include <cmath>
#include <cstdio>

namespace growth {
namespace {
// The amount to add (or take away, negative) so that the bound holds, rounded outwards to
// `unit`; 0 when it holds already.
double Needed(const Bound& bound, double value, double unit) {
    if (bound.Holds(value)) {
        return 0.0;
    }
    // A gap of a whole number of units may come out a hair short of it in binary; the slack
    // keeps such a gap from being met exactly, where a strict bound still fails.
    const double gap = std::abs(bound.value - value) / unit;
    const double units = bound.strict ? std::floor(gap + 1e-6) + 1.0 : std::ceil(gap);
    return (bound.side == Bound::Side::Above ? units : -units) * unit;
}

std::string Number(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Join(const std::string& a, const std::string& b) {
    return a.empty() ? b : b.empty() ? a : a + ", " + b;
}

std::string Limit(const char* name, const Bound& bound, int now) {
    if (bound.Holds(now)) {
        return "";
    }
    const bool above = bound.side == Bound::Side::Above;
    const char* word = bound.strict ? (above ? " over " : " under ") : (above ? " at least " : " at most ");
    return name + std::string(word) + Number(bound.value, 0) + " (now " + std::to_string(now) + ")";
}
} // namespace

std::string SizeMissing(const Rule& rule, double height, double weight) {
    const double taller = Needed(rule.height, height, 0.1);
    const double heavier = Needed(rule.weight, weight, 1.0);
    const std::string h =
        taller == 0.0 ? "" : Number(std::abs(taller), 1) + (taller > 0 ? " cm taller" : " cm shorter");
    const std::string w =
        heavier == 0.0 ? "" : Number(std::abs(heavier), 0) + (heavier > 0 ? " g heavier" : " g lighter");
    return Join(h, w);
}

std::string FitnessMissing(int health, int dirty) {
    return Join(Limit("health", Fit().health, health), Limit("dirty", Fit().dirty, dirty));
}

std::vector<std::string> PlanParts(const Plan& plan) {
    if (plan.rounds.empty()) {
        return {plan.feedings == 0 ? "there already" : plan.why};
    }
    const auto text = [](const std::vector<Serving>& round) {
        std::string text;
        for (const Serving& serving : round) {
            text = Join(text, std::to_string(serving.times) + " x " + serving.food);
        }
        return text;
    };
    std::vector<std::string> parts;
    if (plan.rounds.size() == 1) {
        parts.push_back(text(plan.rounds.front()));
    } else if (!plan.rounds.front().empty()) {
        parts.push_back("now: " + text(plan.rounds.front()));
    }
    for (std::size_t i = 1; i < plan.rounds.size();) {
        std::size_t same = 1;
        while (i + same < plan.rounds.size() && plan.rounds[i + same] == plan.rounds[i]) {
            ++same;
        }
        const std::string times = same > 1 ? std::to_string(same) + " times " : "";
        parts.push_back(times + "when it is hungry again: " + text(plan.rounds[i]));
        i += same;
    }
    if (plan.needsCure) {
        parts.push_back("cure it on the way");
    }
    return parts;
}

std::string PlanText(const Plan& plan) {
    std::string line;
    for (const std::string& part : PlanParts(plan)) {
        line += (line.empty() ? "" : "; ") + part;
    }
    return line;
}

} // namespace growth
