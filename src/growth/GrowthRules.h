#pragma once

#include <span>
#include <string>
#include <string_view>

// The growth rules of the ten stages in one table: every stage's Grow and the growth map read
// it, so a bound is written only here.
namespace growth {

// One bound on one statistic. A strict bound leaves the bound value itself out.
struct Bound {
    enum class Side { Any, Above, Below };
    Side side = Side::Any;
    double value = 0.0;
    bool strict = true;

    bool Holds(double statistic) const;
    bool Limits() const { return side != Side::Any; }
};

// One way out of a stage. A stage's rules are tried in table order and the first that holds
// wins. A rule with `afterChecks` counts growth checks instead (the egg): it holds once the
// stage object has had more checks than that, whatever the statistics.
struct Rule {
    std::string_view from;
    std::string_view next;
    Bound height;
    Bound weight;
    bool needsFit = true;
    int afterChecks = 0;

    bool CountsChecks() const { return afterChecks > 0; }
    // The size condition alone, without fitness.
    bool HoldsAt(double height, double weight) const;
};

// A pet is fit to grow while both hold.
struct Fitness {
    Bound health;
    Bound dirty;
    bool Holds(int health, int dirty) const;
};

const Fitness& Fit();

// The rules out of a stage in their order of trial; empty for a final stage or an unknown name.
std::span<const Rule> RulesFrom(std::string_view stage);
// Every stage's rules, grouped by stage.
std::span<const Rule> AllRules();

// The stage a pet grows into at a growth check by these rules (a stage's, from RulesFrom), or
// "" when it stays; `checks` counts the growth checks the stage object has had, this one
// included (only the egg's rule reads it).
std::string_view NextStage(std::span<const Rule> rules, double height, double weight, int health, int dirty,
                           int checks = 0);

// The name shown to players: "SmallBaby" -> "Small Baby".
std::string ShownName(std::string_view stage);
// "a" or "an" before the shown name.
std::string Article(std::string_view stage);

} // namespace growth
