#include "growth/CarePlanner.h"

#include "growth/Food.h"
#include "growth/GrowState.h"
#include "growth/GrowthMap.h"
#include "growth/Needs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>

// The planner searches the height-weight plane breadth first: every point feedings can take the
// pet to is kept once, with the fewest feedings that reach it (and, among those, the fewest
// rounds, then the emptiest stomach), so the first feedings that land in a region are the fewest
// that do. Points in a region are not fed on: the pet would grow there. A round ends where the
// pet would refuse the next food; the next starts when it is hungry, at the most a hungry pet
// has. Each pass leaves out the points from which even the largest steps could not reach a stage
// within its bound; the bounds loosen from pass to pass until every stage is found or no point
// was left out.
namespace growth {
namespace {
constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The search gives up after keeping this many points (a food list of tiny steps, a pet from an
// edited file far off the map); the shipped foods never come close.
constexpr std::size_t kMostPoints = 200000;

// One axis of the plane as the search sees it.
struct Axis {
    std::vector<double> cuts;
    double up = 0.0;   // the largest gain of a food, 0 when none gains
    double down = 0.0; // the largest loss
    // Where a pet can go both ways, points beyond the bounds and the start by more than two of
    // the largest steps are left out: there is nothing to get around out there.
    double low = -kInfinity, high = kInfinity;

    Axis(const std::vector<double>& bounds, double start, const std::vector<double>& steps) : cuts(bounds) {
        for (double step : steps) {
            up = std::max(up, step);
            down = std::max(down, -step);
        }
        if (up > 0.0 && down > 0.0) {
            const double margin = 2.0 * std::max(up, down);
            low = std::min(start, cuts.empty() ? start : cuts.front()) - margin;
            high = std::max(start, cuts.empty() ? start : cuts.back()) + margin;
        }
    }

    bool Keeps(double value) const { return value >= low && value <= high; }

    // Points that differ by less than a pet file's six decimals are one point. Where no food
    // leads back, every point past the outermost bound is one: none of them ever comes back.
    std::int64_t Key(double value) const {
        if (!cuts.empty() && value > cuts.back() && down == 0.0) {
            return std::numeric_limits<std::int64_t>::max();
        }
        if (!cuts.empty() && value < cuts.front() && up == 0.0) {
            return std::numeric_limits<std::int64_t>::min();
        }
        return std::abs(value) < 1e12 ? std::llround(value * 1e6)
                                      : std::numeric_limits<std::int64_t>::min() + 1;
    }

    // Whether a point in piece `from` can get to piece `to` (see GrowthMap) by some food, and how
    // far it is from there.
    bool CanGo(int from, int to) const { return from == to || (from < to ? up > 0.0 : down > 0.0); }
    double Gap(double value, int from, int to) const {
        if (from == to) {
            return 0.0;
        }
        return std::abs(cuts[static_cast<std::size_t>(from < to ? to / 2 - (to % 2 == 0) : to / 2)] - value);
    }
};

// The fewest feedings, counted in fractions, whose gains add up to a height gap and a weight
// gap, each in the way it is needed: no plan has fewer. It is the least of a linear programme,
// read off the corners of its dual {(a, b) >= 0 : a * height gain + b * weight gain <= 1 for
// every food}, with the gains turned where a gap is a loss.
class LeastMix {
public:
    explicit LeastMix(const std::vector<const Food*>& foods) {
        for (int way = 0; way < 4; ++way) {
            std::vector<std::pair<double, double>> gains;
            for (const Food* food : foods) {
                gains.emplace_back(way & 1 ? -food->GetHeight() : food->GetHeight(),
                                   way & 2 ? -food->GetWeight() : food->GetWeight());
            }
            corners[way] = Corners(gains);
        }
    }

    double Feedings(double heightGap, bool shorter, double weightGap, bool lighter) const {
        double most = 0.0;
        for (const auto& [a, b] : corners[(shorter ? 1 : 0) + (lighter ? 2 : 0)]) {
            most = std::max(most, a * heightGap + b * weightGap);
        }
        return most;
    }

private:
    static std::vector<std::pair<double, double>>
    Corners(const std::vector<std::pair<double, double>>& gains) {
        // Every line a = 0, b = 0 and gain . (a, b) = 1; the corners are where two of them cross
        // inside all the others.
        std::vector<std::array<double, 3>> lines{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
        for (const auto& [x, y] : gains) {
            lines.push_back({x, y, 1.0});
        }
        std::vector<std::pair<double, double>> corners;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            for (std::size_t j = i + 1; j < lines.size(); ++j) {
                const auto& [p, q, r] = lines[i];
                const auto& [u, v, t] = lines[j];
                const double det = p * v - q * u;
                const double a = det != 0.0 ? (r * v - q * t) / det : -1.0,
                             b = det != 0.0 ? (p * t - r * u) / det : -1.0;
                const auto inside = [&](const auto& g) { return g.first * a + g.second * b <= 1.0 + 1e-9; };
                if (a >= -1e-12 && b >= -1e-12 && std::all_of(gains.begin(), gains.end(), inside)) {
                    corners.emplace_back(std::max(a, 0.0), std::max(b, 0.0));
                }
            }
        }
        return corners;
    }

    std::vector<std::pair<double, double>> corners[4];
};

struct Node {
    double height = 0.0, weight = 0.0;
    int across = 0, up = 0; // the map's pieces it lies in
    int parent = -1;        // the point fed from
    int food = -1;          // the food fed there
    int round = 0;          // 0 now, then once per time the pet is hungry again
    int full = 0;
    bool Before(const Node& other) const {
        return std::pair(round, full) < std::pair(other.round, other.full);
    }
};

struct KeyHash {
    std::size_t operator()(const std::pair<std::int64_t, std::int64_t>& key) const {
        // Unsigned, so that the sentinel keys wrap rather than overflow.
        return std::hash<std::uint64_t>()(static_cast<std::uint64_t>(key.first) * 1000003u ^
                                          static_cast<std::uint64_t>(key.second));
    }
};

// A next stage being searched for.
struct Target {
    Plan plan;
    std::vector<std::pair<int, int>> pieces; // the map's pieces it owns
    bool open = true;
    int bound = 0; // plans of more feedings are not searched for in this pass
    Node hit;      // the best landing in this layer, when `landed`
    bool landed = false;
    std::pair<int, int> hitRank;     // its rounds and different foods
    double blockerSteps = kInfinity; // the other region hit nearest to it
    std::string blocker;
};

std::vector<const Food*> Distinct(std::span<const Food* const> offered) {
    std::vector<const Food*> foods;
    for (const Food* food : offered) {
        // A food that changes no size steers nowhere; one that acts as an earlier one adds nothing.
        const auto same = [&](const Food* kept) {
            return kept->GetHeight() == food->GetHeight() && kept->GetWeight() == food->GetWeight() &&
                   kept->GetFull() == food->GetFull();
        };
        if (food && (food->GetHeight() != 0.0 || food->GetWeight() != 0.0) &&
            std::none_of(foods.begin(), foods.end(), same)) {
            foods.push_back(food);
        }
    }
    return foods;
}

std::vector<double> StepsOf(const std::vector<const Food*>& foods, double (Food::*gain)() const) {
    std::vector<double> steps;
    for (const Food* food : foods) {
        steps.push_back((food->*gain)());
    }
    return steps;
}

// The feedings of a plan replayed from the start.
struct Walk {
    bool valid = true;       // no feeding starves the pet, and it lands in the target first
    std::vector<int> rounds; // the round of each feeding
    bool weakens = false;    // see Plan::needsCure
};

class Search {
public:
    Search(const GrowthMap& map, const Start& start, std::span<const Food* const> offered)
        : map(map), start(start), foods(Distinct(offered)),
          height(map.HeightCuts(), start.height, StepsOf(foods, &Food::GetHeight)),
          weight(map.WeightCuts(), start.weight, StepsOf(foods, &Food::GetWeight)), mix(foods) {
        for (const Rule& rule : map.Rules()) {
            const auto known = std::find_if(targets.begin(), targets.end(),
                                            [&](const Target& t) { return t.plan.next == rule.next; });
            targetOfRule.push_back(static_cast<int>(known - targets.begin()));
            if (known == targets.end()) {
                targets.push_back({});
                targets.back().plan.next = std::string(rule.next);
            }
        }
        for (int i = 0; i < map.PieceCount(map.HeightCuts()); ++i) {
            for (int j = 0; j < map.PieceCount(map.WeightCuts()); ++j) {
                if (const int owner = map.Owner(i, j); owner != GrowthMap::kNone) {
                    targets[static_cast<std::size_t>(targetOfRule[static_cast<std::size_t>(owner)])]
                        .pieces.emplace_back(i, j);
                }
            }
        }
    }

    std::vector<Plan> Run();

private:
    static constexpr int kFree = -1;

    // A node at the size, in the pieces of the map it lies in.
    Node At(double h, double w, int full) const {
        return {h, w, map.HeightPiece(h), map.WeightPiece(w), -1, -1, 0, full};
    }
    // The target whose region holds the node, or kFree.
    int TargetAt(const Node& node) const {
        const int owner = map.Owner(node.across, node.up);
        return owner == GrowthMap::kNone ? kFree : targetOfRule[static_cast<std::size_t>(owner)];
    }
    std::pair<std::int64_t, std::int64_t> Key(const Node& node) const {
        return {height.Key(node.height), weight.Key(node.weight)};
    }
    bool Feed(Node& node, int food) const;
    bool Reaches(const Target& target, const Node& node) const;
    double Distance(const Target& target, const Node& node) const;
    int LeastFeedings(const Target& target, const Node& node) const;
    bool Promising(const Node& node, int depth);
    std::vector<int> Expand(const std::vector<int>& layer, int depth);
    bool Explore();
    void Land(const Node& child, int target, int depth);
    int DistinctFoods(const Node& last) const;
    std::vector<int> Path(const Node& last) const;
    Walk Replay(const std::vector<int>& path, int target) const;
    std::vector<int> Grouped(const std::vector<int>& path, int target) const;
    void Finish(int target);
    std::string Missing(const Target& target) const;
    void StandingIn(int here);
    std::vector<Plan> Plans() const;

    const GrowthMap& map;
    Start start;
    std::vector<const Food*> foods;
    Axis height, weight;
    LeastMix mix;
    std::vector<Target> targets;
    std::vector<int> targetOfRule;
    std::vector<Node> nodes;
    std::unordered_map<std::pair<std::int64_t, std::int64_t>, int, KeyHash> seen;
    // The last pass left out points that plans within their bounds cannot pass, but longer ones may.
    bool pruned = false;
    // Its last layer: empty when the pass saw every point it could reach.
    std::vector<int> layer;
    int depth = 0;
};

// Gives the food at the node's fullness, in a new round when the pet would refuse it now;
// false when it would starve the pet.
bool Search::Feed(Node& node, int food) const {
    const Food& f = *foods[static_cast<std::size_t>(food)];
    if (GrowState::RefusesGain(node.full, f.GetFull())) {
        ++node.round;
        node.full = needs::kHungryAtMost;
    }
    if (GrowState::Starves(node.full, f.GetFull())) {
        return false;
    }
    node.full = GrowState::FullAfter(node.full, f.GetFull());
    node.height = GrowState::HeightAfter(node.height, f.GetHeight());
    node.weight += f.GetWeight();
    node.across = map.HeightPiece(node.height);
    node.up = map.WeightPiece(node.weight);
    return true;
}

bool Search::Reaches(const Target& target, const Node& node) const {
    return std::any_of(target.pieces.begin(), target.pieces.end(), [&](const auto& p) {
        return height.CanGo(node.across, p.first) && weight.CanGo(node.up, p.second);
    });
}

// At least how many feedings take the node into the target's region.
double Search::Distance(const Target& target, const Node& node) const {
    const int h = node.across, w = node.up;
    double least = kInfinity;
    for (const auto& [i, j] : target.pieces) {
        if (height.CanGo(h, i) && weight.CanGo(w, j)) {
            least = std::min(least, mix.Feedings(height.Gap(node.height, h, i), i < h,
                                                 weight.Gap(node.weight, w, j), j < w));
        }
    }
    return least;
}

int Search::LeastFeedings(const Target& target, const Node& node) const {
    const double steps = Distance(target, node);
    return !(steps <= kMostFeedings) ? kMostFeedings + 1 : static_cast<int>(std::ceil(steps - 1e-9));
}

// Whether a plan within its bound may still pass through the node, for some target.
// Notes when a longer plan might, for a looser bound in the next pass.
bool Search::Promising(const Node& node, int depth) {
    bool longer = false;
    for (const Target& target : targets) {
        const int least = target.open ? LeastFeedings(target, node) : kMostFeedings + 1;
        if (depth + least <= target.bound) {
            return true;
        }
        longer = longer || least <= kMostFeedings;
    }
    pruned = pruned || longer;
    return false;
}

// One more feeding from every point of the layer: the new points, each with its best way there.
std::vector<int> Search::Expand(const std::vector<int>& layer, int depth) {
    std::vector<int> next;
    const int first = static_cast<int>(nodes.size());
    for (const int at : layer) {
        for (int food = 0; food < static_cast<int>(foods.size()); ++food) {
            Node child = nodes[static_cast<std::size_t>(at)];
            if (!Feed(child, food)) {
                continue;
            }
            child.parent = at;
            child.food = food;
            if (const int target = TargetAt(child); target != kFree) {
                Land(child, target, depth);
                continue;
            }
            if (!height.Keeps(child.height) || !weight.Keeps(child.weight) || !Promising(child, depth)) {
                continue;
            }
            const auto [found, added] = seen.try_emplace(Key(child), static_cast<int>(nodes.size()));
            if (added) {
                nodes.push_back(child);
                next.push_back(found->second);
            } else if (found->second >= first &&
                       child.Before(nodes[static_cast<std::size_t>(found->second)])) {
                nodes[static_cast<std::size_t>(found->second)] = child;
            }
        }
    }
    return next;
}

// A feeding that lands in a region: a plan for that stage, and a wall for the others. Landings past the
// stage's bound are left for a later pass: this one may have left out shorter ways there.
void Search::Land(const Node& child, int target, int depth) {
    Target& reached = targets[static_cast<std::size_t>(target)];
    pruned = pruned || (reached.open && depth > reached.bound);
    if (reached.open && depth <= reached.bound) {
        const std::pair rank(child.round, DistinctFoods(child));
        if (!reached.landed || rank < reached.hitRank) {
            reached.hit = child;
            reached.hitRank = rank;
            reached.landed = true;
        }
    }
    for (Target& other : targets) {
        if (&other != &reached && other.open) {
            // Even a region it cannot leave toward the target is a wall, when no other is.
            if (const double steps = Distance(other, child);
                steps < other.blockerSteps || other.blocker.empty()) {
                other.blockerSteps = steps;
                other.blocker = reached.plan.next;
            }
        }
    }
}

std::vector<int> Search::Path(const Node& last) const {
    std::vector<int> path;
    for (const Node* node = &last; node->parent >= 0; node = &nodes[static_cast<std::size_t>(node->parent)]) {
        path.push_back(node->food);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

int Search::DistinctFoods(const Node& last) const {
    std::vector<int> path = Path(last);
    std::sort(path.begin(), path.end());
    return static_cast<int>(std::unique(path.begin(), path.end()) - path.begin());
}

Walk Search::Replay(const std::vector<int>& path, int target) const {
    Walk walk;
    Node node = At(start.height, start.weight, start.full);
    int health = start.health;
    for (std::size_t i = 0; i < path.size() && walk.valid; ++i) {
        walk.valid = Feed(node, path[i]) && TargetAt(node) == (i + 1 == path.size() ? target : kFree);
        walk.rounds.push_back(node.round);
        const std::optional<int> healed =
            GrowState::HealthAfter(health, foods[static_cast<std::size_t>(path[i])]->GetHealth());
        walk.weakens = !healed || walk.weakens;
        health = healed.value_or(health);
    }
    walk.weakens = walk.weakens || (Fit().health.Holds(start.health) && !Fit().health.Holds(health));
    return walk;
}

// The same feedings with each food given in one go, where an order of such runs also stays out of
// the other regions and needs no more rounds: a plan of a few lines rather than a zigzag.
std::vector<int> Search::Grouped(const std::vector<int>& path, int target) const {
    std::vector<int> kinds = path;
    std::sort(kinds.begin(), kinds.end());
    kinds.erase(std::unique(kinds.begin(), kinds.end()), kinds.end());
    if (kinds.size() < 2 || kinds.size() > 4) {
        return path;
    }
    std::vector<int> best = path;
    int bestRounds = Replay(path, target).rounds.back();
    do {
        std::vector<int> runs;
        for (const int kind : kinds) {
            runs.insert(runs.end(), static_cast<std::size_t>(std::count(path.begin(), path.end(), kind)),
                        kind);
        }
        const Walk walk = Replay(runs, target);
        if (walk.valid &&
            (walk.rounds.back() < bestRounds || (walk.rounds.back() == bestRounds && best == path))) {
            best = runs;
            bestRounds = walk.rounds.back();
        }
    } while (std::next_permutation(kinds.begin(), kinds.end()));
    return best;
}

// The plan from the best landing of the layer: its feedings, in runs by rounds.
void Search::Finish(int target) {
    Target& reached = targets[static_cast<std::size_t>(target)];
    reached.open = false;
    const std::vector<int> path = Grouped(Path(reached.hit), target);
    const Walk walk = Replay(path, target);
    Plan& plan = reached.plan;
    plan.feedings = static_cast<int>(path.size());
    plan.needsCure = walk.weakens;
    plan.rounds.assign(static_cast<std::size_t>(walk.rounds.back() + 1), {});
    for (std::size_t i = 0; i < path.size(); ++i) {
        auto& round = plan.rounds[static_cast<std::size_t>(walk.rounds[i])];
        const std::string food = foods[static_cast<std::size_t>(path[i])]->GetName();
        if (round.empty() || round.back().food != food) {
            round.push_back({food, 0});
        }
        ++round.back().times;
    }
}

// Why no food steers toward the target at all: the directions its nearest piece needs and no
// food goes.
std::string Search::Missing(const Target& target) const {
    const int h = map.HeightPiece(start.height), w = map.WeightPiece(start.weight);
    std::vector<std::string> fewest;
    for (const auto& [i, j] : target.pieces) {
        std::vector<std::string> words;
        if (!height.CanGo(h, i)) {
            words.push_back(h < i ? "taller" : "shorter");
        }
        if (!weight.CanGo(w, j)) {
            words.push_back(w < j ? "heavier" : "lighter");
        }
        if (fewest.empty() || words.size() < fewest.size()) {
            fewest = words;
        }
    }
    return fewest.empty()
               ? "no size leads there"
               : "no food makes it " + fewest.front() + (fewest.size() > 1 ? " or " + fewest.back() : "");
}

// A pet standing in a region grows into that stage at its next check, and into no other.
void Search::StandingIn(int here) {
    for (std::size_t t = 0; t < targets.size(); ++t) {
        Plan& plan = targets[t].plan;
        plan.feedings = static_cast<int>(t) == here ? 0 : kNever;
        if (plan.feedings == kNever) {
            const std::string& there = targets[static_cast<std::size_t>(here)].plan.next;
            plan.why = "it would grow into " + Article(there) + " " + ShownName(there) + " first";
        }
        targets[t].open = false;
    }
}

// One breadth-first pass from the start, within the targets' bounds: true when it saw all it
// had to (every target found, or nothing left to feed on).
bool Search::Explore() {
    const Node origin = At(start.height, start.weight, start.full);
    nodes.assign(1, origin);
    seen.clear();
    seen.emplace(Key(origin), 0);
    layer.assign(1, 0);
    pruned = false;
    const auto anyOpen = [&] {
        return std::any_of(targets.begin(), targets.end(), [](auto& t) { return t.open; });
    };
    for (depth = 0; anyOpen() && !layer.empty() && depth < kMostFeedings && nodes.size() < kMostPoints;) {
        layer = Expand(layer, ++depth);
        for (std::size_t t = 0; t < targets.size(); ++t) {
            if (targets[t].open && targets[t].landed) {
                Finish(static_cast<int>(t));
            }
        }
    }
    const bool boundsAtMost = std::all_of(targets.begin(), targets.end(),
                                          [](auto& t) { return !t.open || t.bound >= kMostFeedings; });
    return !anyOpen() || !layer.empty() || !pruned || boundsAtMost;
}

// Passes with ever looser bounds, from the fewest feedings the largest steps would need: most
// plans are found in the first pass or two, which see only points close to the straight way.
std::vector<Plan> Search::Run() {
    const Node origin = At(start.height, start.weight, start.full);
    if (const int here = TargetAt(origin); here != kFree) {
        StandingIn(here);
        return Plans();
    }
    for (Target& target : targets) {
        if (!Reaches(target, origin)) {
            target.open = false;
            target.plan = {target.plan.next, {}, kNever, Missing(target), false};
        }
    }
    for (int slack = 0;; slack = std::max(1, 2 * slack)) {
        for (Target& target : targets) {
            target.bound = std::min(LeastFeedings(target, origin) + slack, kMostFeedings);
            target.landed = false;
        }
        if (Explore()) {
            break;
        }
    }
    for (Target& target : targets) {
        if (target.open) {
            target.plan.feedings = kNever;
            // A search cut short by its size looked for this stage only as far as its bound.
            const int most = layer.empty() ? kMostFeedings : std::min(depth, target.bound);
            target.plan.why = !layer.empty() || pruned
                                  ? "more than " + std::to_string(most) + " feedings away"
                              : target.blocker.empty() ? "no mix of foods gets there"
                                                       : "it would grow into " + Article(target.blocker) +
                                                             " " + ShownName(target.blocker) + " first";
        }
    }
    return Plans();
}

std::vector<Plan> Search::Plans() const {
    std::vector<Plan> plans;
    for (const Target& target : targets) {
        plans.push_back(target.plan);
    }
    return plans;
}
} // namespace

std::vector<Plan> PlanCare(const GrowthMap& map, const Start& start, std::span<const Food* const> foods) {
    return Search(map, start, foods).Run();
}

} // namespace growth
