#include "views/GrowthMapPage.h"

#include "growth/CarePlanner.h"
#include "growth/GrowthAdvice.h"
#include "growth/GrowthMap.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "views/Plot.h"

#include <SFML/Graphics/CircleShape.hpp>

#include <algorithm>
#include <cmath>
#include <map>

namespace {
using plot::Whole;
// The path the pet came by, darker than the ink so that it stands out on the shades.
const sf::Color kPath(70, 70, 80);
const sf::Color kUnfit(190, 60, 50);

sf::Color StageColour(std::string_view stage) {
    static const std::map<std::string_view, sf::Color> colours = {
        {"SmallBaby", {110, 170, 230}}, {"Baby", {80, 150, 220}},      {"BigBaby", {40, 165, 150}},
        {"SmallChick", {225, 175, 20}}, {"SmallCock", {230, 115, 60}}, {"Chicken", {235, 150, 20}},
        {"Cock", {210, 60, 55}},        {"BigCock", {150, 60, 150}},   {"Flower", {220, 80, 165}}};
    const auto found = colours.find(stage);
    return found == colours.end() ? plot::kQuiet : found->second;
}

sf::Color WithAlpha(sf::Color colour, sf::Uint8 alpha) {
    colour.a = alpha;
    return colour;
}

sf::Color Darker(sf::Color colour) {
    return {sf::Uint8(colour.r * 7 / 10), sf::Uint8(colour.g * 7 / 10), sf::Uint8(colour.b * 7 / 10)};
}

std::string Ordinal(int n) {
    const int last = n % 10, tens = n % 100;
    const char* suffix = tens >= 11 && tens <= 13 ? "th"
                         : last == 1              ? "st"
                         : last == 2              ? "nd"
                         : last == 3              ? "rd"
                                                  : "th";
    return std::to_string(n) + suffix;
}

// The span of the cuts and of the pet's path, with room around the cuts so that each region
// shows on both sides of its edge.
plot::Axis Fit(std::vector<double> values, const std::vector<double>& cuts, double leastSpan, float ticks) {
    // Values no pet reaches by eating (from an edited file) would squash everything else.
    std::erase_if(values, [](double v) { return !(std::abs(v) < 1e6); });
    if (values.empty()) {
        values.push_back(0.0);
    }
    if (!cuts.empty()) {
        // The room goes below zero only for a pet that is there.
        const double room = std::max(leastSpan, cuts.back() - cuts.front()) * 0.35;
        const double lowest = *std::min_element(values.begin(), values.end());
        values.push_back(std::max(cuts.front() - room, std::min(lowest, 0.0)));
        values.push_back(cuts.back() + room);
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    plot::Axis axis = plot::Axis::Round(*low, *high, leastSpan, ticks);
    if (*low >= 0.0) {
        axis.lo = std::max(axis.lo, 0.0);
    }
    return axis;
}

// The visible stretch of a piece along one axis: open pieces run between cuts (or the plot's
// ends), odd pieces are a cut.
std::pair<double, double> Stretch(const std::vector<double>& cuts, int piece, const plot::Axis& axis) {
    const std::size_t k = std::size_t(piece / 2);
    if (piece % 2 == 1) {
        return {cuts[k], cuts[k]};
    }
    const double from = k == 0 ? axis.lo : cuts[k - 1];
    const double to = k == cuts.size() ? axis.hi : cuts[k];
    return {std::clamp(from, axis.lo, axis.hi), std::clamp(to, axis.lo, axis.hi)};
}

// The screen rectangle of the pieces from (i0, j0) to (i1, j1).
sf::FloatRect Cell(const plot::Plane& plane, const growth::GrowthMap& map, int i0, int i1, int j0, int j1) {
    const double h0 = Stretch(map.HeightCuts(), i0, plane.across).first;
    const double h1 = Stretch(map.HeightCuts(), i1, plane.across).second;
    const double w0 = Stretch(map.WeightCuts(), j0, plane.up).first;
    const double w1 = Stretch(map.WeightCuts(), j1, plane.up).second;
    return {plane.X(h0), plane.Y(w1), plane.X(h1) - plane.X(h0), plane.Y(w0) - plane.Y(w1)};
}

void DrawGrid(sf::RenderTarget& target, const plot::Plane& plane) {
    plot::Box(target, plane.box, sf::Color::White);
    const float left = plane.box.left, right = left + plane.box.width;
    const float top = plane.box.top, bottom = top + plane.box.height;
    for (double h : plane.across.Ticks()) {
        plot::Line(target, {plane.X(h), top}, {plane.X(h), bottom}, plot::kGrid, 1.0f);
        plot::Write(target, plot::Number(h), {10, plot::kQuiet}, Whole(plane.X(h), bottom + 4.0f), {1, 0});
    }
    for (double w : plane.up.Ticks()) {
        plot::Line(target, {left, plane.Y(w)}, {right, plane.Y(w)}, plot::kGrid, 1.0f);
        plot::Write(target, plot::Number(w), {10, plot::kQuiet}, Whole(left - 5.0f, plane.Y(w)), {2, 1});
    }
}

// The on-screen rectangle of pieces all owned by the rule where its label fits best: wide
// enough for it if any is, then the largest.
sf::FloatRect Roomiest(const plot::Plane& plane, const growth::GrowthMap& map, int rule, float labelWidth) {
    const int across = map.PieceCount(map.HeightCuts()), up = map.PieceCount(map.WeightCuts());
    const auto owned = [&](int i0, int i1, int j0, int j1) {
        for (int i = i0; i <= i1; ++i) {
            for (int j = j0; j <= j1; ++j) {
                if (map.Owner(i, j) != rule) {
                    return false;
                }
            }
        }
        return true;
    };
    sf::FloatRect best;
    float bestScore = 0.0f;
    for (int i0 = 0; i0 < across; i0 += 2) {
        for (int j0 = 0; j0 < up; j0 += 2) {
            for (int i1 = i0; i1 < across && owned(i0, i1, j0, j0); i1 += 2) {
                for (int j1 = j0; j1 < up && owned(i0, i1, j0, j1); j1 += 2) {
                    const sf::FloatRect box = Cell(plane, map, i0, i1, j0, j1);
                    const float area = box.width * box.height;
                    const float score = area > 0.0f && box.width >= labelWidth ? area + 1e7f : area;
                    if (score > bestScore) {
                        bestScore = score;
                        best = box;
                    }
                }
            }
        }
    }
    return best;
}

// The regions of the map's rules, or of the one rule `only`; `cover` hides what lies under it.
void DrawShades(sf::RenderTarget& target, const plot::Plane& plane, const growth::GrowthMap& map,
                int only = -1, bool cover = false) {
    const int across = map.PieceCount(map.HeightCuts()), up = map.PieceCount(map.WeightCuts());
    for (int i = 0; i < across; i += 2) {
        for (int j = 0; j < up; j += 2) {
            const int owner = map.Owner(i, j);
            if (owner != growth::GrowthMap::kNone && (only < 0 || owner == only)) {
                if (cover) {
                    plot::Box(target, Cell(plane, map, i, i, j, j), sf::Color::White);
                }
                plot::Box(target, Cell(plane, map, i, i, j, j),
                          WithAlpha(StageColour(map.Rules()[std::size_t(owner)].next), 60));
            }
        }
    }
}

// Every odd piece between two differently owned neighbours: solid where the edge itself
// belongs to a region beside it (its bound is reached), dashed where it does not.
void DrawEdges(sf::RenderTarget& target, const plot::Plane& plane, const growth::GrowthMap& map) {
    const auto& hc = map.HeightCuts();
    const auto& wc = map.WeightCuts();
    const int across = map.PieceCount(hc), up = map.PieceCount(wc);
    const auto edge = [&](int i, int j, int a, int b, sf::Vector2f from, sf::Vector2f to) {
        if (a == b) {
            return;
        }
        const int self = map.Owner(i, j);
        const int shown = a != growth::GrowthMap::kNone ? a : b;
        const bool closed = self != growth::GrowthMap::kNone && (self == a || self == b);
        const sf::Color colour = Darker(StageColour(map.Rules()[std::size_t(closed ? self : shown)].next));
        if (closed) {
            plot::Line(target, from, to, colour, 1.5f);
        } else {
            plot::Dashed(target, from, to, colour, {1.5f, 5.0f, 4.0f});
        }
    };
    for (int i = 1; i < across; i += 2) {
        for (int j = 0; j < up; j += 2) {
            const auto [w0, w1] = Stretch(wc, j, plane.up);
            const double h = hc[std::size_t(i / 2)];
            edge(i, j, map.Owner(i - 1, j), map.Owner(i + 1, j), plane.At(h, w0), plane.At(h, w1));
        }
    }
    for (int j = 1; j < up; j += 2) {
        for (int i = 0; i < across; i += 2) {
            const auto [h0, h1] = Stretch(hc, i, plane.across);
            const double w = wc[std::size_t(j / 2)];
            edge(i, j, map.Owner(i, j - 1), map.Owner(i, j + 1), plane.At(h0, w), plane.At(h1, w));
        }
    }
}

// Each region's picture and name side by side in the middle of its roomiest rectangle.
void DrawNames(sf::RenderTarget& target, const plot::Plane& plane, const growth::GrowthMap& map) {
    for (std::size_t r = 0; r < map.Rules().size(); ++r) {
        const std::string next(map.Rules()[r].next);
        facade::Text name = plot::Styled(growth::ShownName(next), {11, Darker(StageColour(next))});
        const sf::FloatRect cell = Roomiest(plane, map, int(r), name.GetWidth() + 34.0f);
        if (cell.width <= 0.0f) {
            continue;
        }
        const float most = std::clamp(cell.height - 6.0f, 14.0f, 28.0f);
        const float width = most + 3.0f + name.GetWidth();
        const float right = plane.box.left + plane.box.width - width - 3.0f;
        const float x =
            std::min(right, std::clamp(cell.left + cell.width / 2.0f - width / 2.0f, cell.left + 2.0f,
                                       std::max(cell.left + 2.0f, cell.left + cell.width - width - 2.0f)));
        const float y = cell.top + cell.height / 2.0f;
        plot::PutPicture(target, next + "_Normal0", most, {x + most / 2.0f, y});
        plot::Place(target, name, Whole(x + most + 3.0f, y), {0, 1});
    }
}

// The record's rows, then the pet now.
std::vector<const LifeRow*> WithNow(const std::vector<LifeRow>& rows, const LifeRow& now) {
    std::vector<const LifeRow*> all;
    for (const LifeRow& row : rows) {
        all.push_back(&row);
    }
    all.push_back(&now);
    return all;
}

// The pet's path, in the colour of the stage it was in when `byStage`, with that stage's picture
// where it began; the pet itself in a ring at its end.
void DrawPath(sf::RenderTarget& target, const plot::Plane& plane, const std::vector<LifeRow>& rows,
              const LifeRow& now, bool byStage) {
    std::vector<sf::Vector2f> points;
    std::vector<sf::Color> colours;
    std::vector<std::pair<std::string, sf::Vector2f>> begins;
    for (const LifeRow* row : WithNow(rows, now)) {
        if (!std::isfinite(row->height) || !std::isfinite(row->weight)) {
            continue;
        }
        const sf::Vector2f at = plane.At(row->height, row->weight);
        const sf::Color colour = byStage ? Darker(StageColour(row->stage)) : kPath;
        // Rows closer than a pixel add nothing to the line, unless they begin a stage.
        if (byStage && (begins.empty() || begins.back().first != row->stage)) {
            begins.emplace_back(row->stage, at);
        } else if (!points.empty() && std::hypot(at.x - points.back().x, at.y - points.back().y) < 1.0f &&
                   row != &now) {
            continue;
        }
        points.push_back(at);
        colours.push_back(colour);
    }
    if (points.empty()) {
        points.push_back(plane.At(0.0, 0.0));
        colours.push_back(kPath);
    }
    sf::CircleShape start(3.0f);
    start.setOrigin(3.0f, 3.0f);
    start.setPosition(points.front());
    start.setFillColor(colours.front());
    target.draw(start);
    plot::Polyline(target, points, colours, 2.0f);
    for (std::size_t k = 1; k + 1 < begins.size(); ++k) {
        const auto& [stage, at] = begins[k];
        plot::PutPicture(target, stage + "_Normal0", 16.0f, at);
        facade::Text name = plot::Styled(growth::ShownName(stage), {10, Darker(StageColour(stage))});
        const bool room = at.x + 10.0f + name.GetWidth() < plane.box.left + plane.box.width;
        plot::Place(target, name, Whole(room ? at.x + 10.0f : at.x - 10.0f, at.y), {room ? 0 : 2, 1});
    }
    sf::CircleShape ring(15.0f);
    ring.setOrigin(15.0f, 15.0f);
    ring.setPosition(points.back());
    ring.setFillColor(sf::Color(255, 255, 255, 200));
    ring.setOutlineColor(kPath);
    ring.setOutlineThickness(1.5f);
    target.draw(ring);
    plot::PutPicture(target, now.stage + "_" + now.body + "0", 24.0f, points.back());
}

// A line under the map: a next stage with what the pet lacks for it, or a part of its plan that
// goes on from the line above.
struct AdviceLine {
    std::string next;     // the stage
    bool first = true;    // its first line, with its name and what the pet lacks
    std::string lacks;    // on the first line
    std::string plan;     // right-aligned
    bool planned = false; // the plan has feedings: drawn in the stage's colour
};

float Width(const std::string& text, float size) {
    return plot::Styled(text, {size}).GetWidth();
}

// Each next stage's line, its plan's parts beside it as far as they fit in `width` and the rest
// on lines of their own, as many parts to a line as fit.
std::vector<AdviceLine> LayOut(const growth::GrowthMap& map, const LifeRow& now,
                               std::span<const growth::Plan> plans, float width) {
    std::vector<AdviceLine> lines;
    for (const growth::Plan& plan : plans) {
        const auto rule = std::find_if(map.Rules().begin(), map.Rules().end(),
                                       [&](const growth::Rule& r) { return r.next == plan.next; });
        std::string lacks = growth::SizeMissing(*rule, now.height, now.weight);
        lines.push_back({plan.next, true, lacks.empty() ? "size reached" : lacks, "", plan.feedings > 0});
        float room =
            width - 14.0f - Width(growth::ShownName(plan.next) + ": " + lines.back().lacks, 12) - 12.0f;
        for (const std::string& part : growth::PlanParts(plan)) {
            const std::string joined = lines.back().plan.empty() ? part : lines.back().plan + "; " + part;
            if (Width(joined, 12) > room && (lines.back().first || !lines.back().plan.empty())) {
                lines.push_back({plan.next, false, "", part, plan.feedings > 0});
                room = width;
            } else {
                lines.back().plan = joined;
            }
        }
    }
    return lines;
}

// The lines under the map, then the fitness the pet lacks (or has).
void DrawPlans(sf::RenderTarget& target, float left, float right, float y,
               const std::vector<AdviceLine>& lines, const LifeRow& now) {
    for (const AdviceLine& line : lines) {
        const sf::Color colour = StageColour(line.next);
        if (line.first) {
            plot::Box(target, {left, y + 1.0f, 9.0f, 9.0f}, colour);
            const sf::FloatRect name = plot::Write(target, growth::ShownName(line.next) + ":",
                                                   {12, Darker(colour)}, Whole(left + 14.0f, y));
            plot::Write(target, line.lacks, {12}, Whole(name.left + name.width + 5.0f, y));
        }
        plot::Write(target, line.plan, {12, line.planned ? Darker(colour) : plot::kQuiet}, Whole(right, y),
                    {2, 0});
        y += 16.0f;
    }
    const std::string unfit = growth::FitnessMissing(now.health, now.dirty);
    plot::Write(target,
                unfit.empty() ? "fit to grow: health " + std::to_string(now.health) + ", dirty " +
                                    std::to_string(now.dirty)
                              : "and fit: " + unfit,
                {11, unfit.empty() ? plot::kQuiet : kUnfit}, Whole(left + 14.0f, y + 1.0f));
}

// The stages the pet passed, in order, from its record and the pet now.
std::vector<std::string> Journey(const std::vector<LifeRow>& rows, const LifeRow& now) {
    std::vector<std::string> stages;
    for (const LifeRow* row : WithNow(rows, now)) {
        if (!row->stage.empty() && (stages.empty() || stages.back() != row->stage)) {
            stages.push_back(row->stage);
        }
    }
    return stages;
}

// The bounds of every stage's rules on one axis, ascending: the plane of all stages.
std::vector<double> AllCuts(growth::Bound growth::Rule::*axis) {
    std::vector<double> cuts;
    for (const growth::Rule& rule : growth::AllRules()) {
        if ((rule.*axis).Limits()) {
            cuts.push_back((rule.*axis).value);
        }
    }
    std::sort(cuts.begin(), cuts.end());
    return cuts;
}

// The regions a fully grown pet grew through, each in the colour of the stage it grew into and
// over the ones before, which hold it.
void DrawJourney(sf::RenderTarget& target, const plot::Plane& plane,
                 const std::vector<std::string>& journey) {
    for (std::size_t k = 1; k < journey.size(); ++k) {
        const growth::GrowthMap map(journey[k - 1]);
        for (std::size_t r = 0; r < map.Rules().size(); ++r) {
            if (map.Rules()[r].next == journey[k]) {
                DrawShades(target, plane, map, int(r), true);
            }
        }
    }
}

// Under the map: the plans, or what the pet is when it has no map.
void DrawAdvice(sf::RenderTarget& target, float left, float right, float top, const growth::GrowthMap& map,
                const LifeRow& now, const std::string& petName, const std::vector<AdviceLine>& lines,
                const std::vector<std::string>& journey) {
    const std::string is = petName + " is " + growth::Article(now.stage) + " " + growth::ShownName(now.stage);
    const auto rules = growth::RulesFrom(now.stage);
    const plot::Style title{13, plot::kInk, plot::kTitleFont};
    if (rules.empty()) {
        plot::Write(target, is + ": fully grown", title, Whole(left, top));
        std::string way;
        for (const std::string& stage : journey) {
            way += (way.empty() ? "" : " > ") + growth::ShownName(stage);
        }
        plot::Write(target, "its way: " + way, {11, plot::kQuiet}, Whole(left, top + 20.0f));
        return;
    }
    if (map.Rules().empty()) {
        plot::Write(target,
                    is + ": it hatches into " + growth::Article(rules.front().next) + " " +
                        growth::ShownName(rules.front().next) + " on its " +
                        Ordinal(rules.front().afterChecks + 1) + " life step",
                    title, Whole(left, top));
        return;
    }
    plot::Write(target, "to grow into", {10, plot::kQuiet}, Whole(left + 14.0f, top));
    plot::Write(target, "plan", {10, plot::kQuiet}, Whole(right, top), {2, 0});
    DrawPlans(target, left, right, top + 14.0f, lines, now);
}
} // namespace

void DrawGrowthMap(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const LifeRow& now, const std::string& petName, std::span<const growth::Plan> plans) {
    const growth::GrowthMap map(now.stage);
    // A fully grown pet has no map of its own: its way over the plane of all stages instead.
    const bool grown = growth::RulesFrom(now.stage).empty();
    const std::vector<std::string> journey = Journey(rows, now);
    std::vector<double> heights{now.height}, weights{now.weight};
    for (const LifeRow& row : rows) {
        heights.push_back(row.height);
        weights.push_back(row.weight);
    }
    const float left = area.left + 12.0f, right = area.left + area.width - 12.0f;
    plot::Write(window, petName + " the " + growth::ShownName(now.stage), {16, plot::kInk, plot::kTitleFont},
                Whole(left, area.top + 6.0f));
    char size[64];
    std::snprintf(size, sizeof size, "%.1f cm, %.0f g", now.height, now.weight);
    plot::Write(window, size, {12, plot::kQuiet}, Whole(right, area.top + 8.0f), {2, 0});

    const std::vector<AdviceLine> lines = LayOut(map, now, plans, right - left);
    const float adviceHeight = grown || map.Rules().empty() ? 36.0f : 28.0f + 16.0f * float(lines.size());
    const float top = area.top + 48.0f;
    const sf::FloatRect box(left + 34.0f, top, right - left - 34.0f,
                            area.top + area.height - top - 32.0f - adviceHeight);
    const plot::Plane plane{
        box, Fit(heights, grown ? AllCuts(&growth::Rule::height) : map.HeightCuts(), 10.0, box.width / 60.0f),
        Fit(weights, grown ? AllCuts(&growth::Rule::weight) : map.WeightCuts(), 100.0, box.height / 30.0f)};
    DrawGrid(window, plane);
    if (grown) {
        DrawJourney(window, plane, journey);
    } else {
        DrawShades(window, plane, map);
        DrawEdges(window, plane, map);
        DrawNames(window, plane, map);
    }
    plot::Box(window, plane.box, sf::Color::Transparent, plot::kFrame);
    DrawPath(window, plane, rows, now, grown);
    const sf::FloatRect& b = plane.box;
    plot::Write(window, "weight (g)", {10, plot::kQuiet}, Whole(left, b.top - 9.0f), {0, 2});
    plot::Write(window, "height (cm)", {10, plot::kQuiet}, Whole(right, b.top + b.height + 17.0f), {2, 0});
    DrawAdvice(window, left, right, b.top + b.height + 32.0f, map, now, petName, lines, journey);
}
