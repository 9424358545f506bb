#include "views/GrowthMapPage.h"

#include "growth/CarePlanner.h"
#include "growth/Food.h"
#include "growth/GrowthAdvice.h"
#include "growth/GrowthMap.h"
#include "presentation/PicFactory.h"
#include "presentation/Picture.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace {
constexpr const char* kTitleFont = "fonts\\CAMBRIAB.ttf";
constexpr const char* kFont = facade::Text::kDefaultFont;
const sf::Color kInk(55, 55, 60);
const sf::Color kQuiet(125, 125, 130);
const sf::Color kGrid(236, 236, 238);
const sf::Color kFrame(175, 175, 180);
const sf::Color kPath(70, 70, 80);

sf::Color StageColour(std::string_view stage) {
    static const std::map<std::string_view, sf::Color> colours = {
        {"SmallBaby", {110, 170, 230}}, {"Baby", {80, 150, 220}},      {"BigBaby", {40, 165, 150}},
        {"SmallChick", {225, 175, 20}}, {"SmallCock", {230, 115, 60}}, {"Chicken", {235, 150, 20}},
        {"Cock", {210, 60, 55}},        {"BigCock", {150, 60, 150}},   {"Flower", {220, 80, 165}}};
    const auto found = colours.find(stage);
    return found == colours.end() ? kQuiet : found->second;
}

sf::Color WithAlpha(sf::Color colour, sf::Uint8 alpha) {
    colour.a = alpha;
    return colour;
}

sf::Color Darker(sf::Color colour) {
    return {sf::Uint8(colour.r * 7 / 10), sf::Uint8(colour.g * 7 / 10), sf::Uint8(colour.b * 7 / 10)};
}

// A stage's picture shrunk by a whole factor (each pixel the mean of a square of pixels, weighed
// by their opacity), so it stays crisp; made once per picture and size.
facade::Picture* SmallPicture(const std::string& name, float most) {
    static auto& cache = *new std::map<std::pair<std::string, int>, std::unique_ptr<facade::Picture>>();
    const sf::Image& image = PicFactory::GetPicture(name)->GetImage();
    const sf::Vector2u size = image.getSize();
    const unsigned factor =
        std::max(1u, unsigned(std::ceil(float(std::max(size.x, size.y)) / std::max(most, 1.0f))));
    auto& small = cache[{name, int(factor)}];
    if (!small) {
        const unsigned w = size.x / factor, h = size.y / factor;
        std::vector<sf::Uint8> pixels(std::size_t(w) * h * 4);
        for (unsigned y = 0; y < h; ++y) {
            for (unsigned x = 0; x < w; ++x) {
                double sum[4] = {0, 0, 0, 0};
                for (unsigned dy = 0; dy < factor; ++dy) {
                    for (unsigned dx = 0; dx < factor; ++dx) {
                        const sf::Color c = image.getPixel(x * factor + dx, y * factor + dy);
                        sum[0] += c.r * c.a;
                        sum[1] += c.g * c.a;
                        sum[2] += c.b * c.a;
                        sum[3] += c.a;
                    }
                }
                sf::Uint8* out = &pixels[(std::size_t(y) * w + x) * 4];
                for (int i = 0; i < 3; ++i) {
                    out[i] = sum[3] > 0 ? sf::Uint8(sum[i] / sum[3]) : 0;
                }
                out[3] = sf::Uint8(sum[3] / (factor * factor));
            }
        }
        small = std::make_unique<facade::Picture>(w, h, pixels.data());
    }
    return small.get();
}

void Put(sf::RenderTarget& target, const std::string& name, float most, sf::Vector2f at) {
    facade::Picture* picture = SmallPicture(name, most);
    picture->SetCenter(1, 1);
    picture->SetPosition(std::round(at.x), std::round(at.y));
    picture->Draw(target);
}

// A text anchored by its ink box (0 start, 1 middle, 2 end); returns where it lies.
sf::FloatRect Write(sf::RenderTarget& target, const std::string& text, float size, sf::Color colour, float x,
                    float y, int horizontal = 0, int vertical = 0, const char* font = kFont) {
    facade::Text label(text, font, size);
    label.SetColor(colour);
    label.SetCenter(horizontal, vertical);
    label.SetPosition(std::round(x), std::round(y));
    label.Draw(target);
    return label.GetBounds();
}

void Segment(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, float width) {
    const sf::Vector2f d = b - a;
    const float length = std::hypot(d.x, d.y);
    if (length <= 0.0f) {
        return;
    }
    sf::RectangleShape bar({length, width});
    bar.setOrigin(0.0f, width / 2.0f);
    bar.setPosition(a);
    bar.setRotation(std::atan2(d.y, d.x) * 180.0f / 3.14159265f);
    bar.setFillColor(colour);
    target.draw(bar);
}

void Dashed(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, float width) {
    const sf::Vector2f d = b - a;
    const float length = std::hypot(d.x, d.y);
    constexpr float kOn = 5.0f, kOff = 4.0f;
    for (float at = 0.0f; at < length; at += kOn + kOff) {
        const float end = std::min(at + kOn, length);
        Segment(target, a + d * (at / length), a + d * (end / length), colour, width);
    }
}

// One axis: its range, rounded out to whole steps of 1, 2 or 5 times a power of ten.
struct Axis {
    double lo = 0.0, hi = 1.0, step = 1.0;

    // About `ticks` steps (at least two) over the range.
    Axis(double low, double high, double leastSpan, float ticks) {
        if (high - low < leastSpan) {
            const double middle = (low + high) / 2.0;
            low = middle - leastSpan / 2.0;
            high = middle + leastSpan / 2.0;
        }
        const double pad = (high - low) * 0.08;
        low -= pad;
        high += pad;
        const double rough = (high - low) / std::max(2.0, double(ticks));
        const double power = std::pow(10.0, std::floor(std::log10(rough)));
        step = power * 5.0;
        for (double nice : {1.0, 2.0, 5.0}) {
            if (power * nice >= rough) {
                step = power * nice;
                break;
            }
        }
        lo = std::floor(low / step) * step;
        hi = std::ceil(high / step) * step;
    }
    int Steps() const { return std::clamp(int(std::lround((hi - lo) / step)), 0, 20); }
    // Where a value falls between `from` (lo) and `to` (hi) on screen; kept a little outside.
    float At(double value, float from, float to) const {
        const double share = std::clamp((value - lo) / (hi - lo), -0.02, 1.02);
        return from + float(share) * (to - from);
    }
};

std::string Ordinal(int n) {
    const int last = n % 10, tens = n % 100;
    const char* suffix = tens >= 11 && tens <= 13 ? "th"
                         : last == 1              ? "st"
                         : last == 2              ? "nd"
                         : last == 3              ? "rd"
                                                  : "th";
    return std::to_string(n) + suffix;
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, std::abs(value - std::round(value)) < 1e-9 ? "%.0f" : "%.1f", value);
    return text;
}

// The span of the cuts and of the pet's path, with room around the cuts so that each region
// shows on both sides of its edge.
Axis Fit(std::vector<double> values, const std::vector<double>& cuts, double leastSpan, float ticks) {
    // Values no pet reaches by eating (from an edited file) would squash everything else.
    std::erase_if(values, [](double v) { return !(std::abs(v) < 1e6); });
    if (values.empty()) {
        values.push_back(0.0);
    }
    if (!cuts.empty()) {
        const double room = std::max(leastSpan, cuts.back() - cuts.front()) * 0.35;
        values.push_back(cuts.front() - room);
        values.push_back(cuts.back() + room);
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return Axis(*low, *high, leastSpan, ticks);
}

struct Plot {
    sf::FloatRect box;
    Axis across, up;
    float X(double height) const { return across.At(height, box.left, box.left + box.width); }
    float Y(double weight) const { return up.At(weight, box.top + box.height, box.top); }
    sf::Vector2f At(double height, double weight) const { return {X(height), Y(weight)}; }
};

// The visible stretch of a piece along one axis: open pieces run between cuts (or the plot's
// ends), odd pieces are a cut.
std::pair<double, double> Stretch(const std::vector<double>& cuts, int piece, const Axis& axis) {
    const std::size_t k = std::size_t(piece / 2);
    if (piece % 2 == 1) {
        return {cuts[k], cuts[k]};
    }
    const double from = k == 0 ? axis.lo : cuts[k - 1];
    const double to = k == cuts.size() ? axis.hi : cuts[k];
    return {std::clamp(from, axis.lo, axis.hi), std::clamp(to, axis.lo, axis.hi)};
}

void DrawGrid(sf::RenderTarget& target, const Plot& plot) {
    sf::RectangleShape frame({plot.box.width, plot.box.height});
    frame.setPosition(plot.box.left, plot.box.top);
    frame.setFillColor(sf::Color::White);
    target.draw(frame);
    const float left = plot.box.left, right = left + plot.box.width;
    const float top = plot.box.top, bottom = top + plot.box.height;
    for (int i = 0; i <= plot.across.Steps(); ++i) {
        const double h = plot.across.lo + i * plot.across.step;
        Segment(target, {plot.X(h), top}, {plot.X(h), bottom}, kGrid, 1.0f);
        Write(target, Number(h), 10, kQuiet, plot.X(h), bottom + 4.0f, 1, 0);
    }
    for (int i = 0; i <= plot.up.Steps(); ++i) {
        const double w = plot.up.lo + i * plot.up.step;
        Segment(target, {left, plot.Y(w)}, {right, plot.Y(w)}, kGrid, 1.0f);
        Write(target, Number(w), 10, kQuiet, left - 5.0f, plot.Y(w), 2, 1);
    }
}

void DrawFrame(sf::RenderTarget& target, const Plot& plot) {
    sf::RectangleShape frame({plot.box.width, plot.box.height});
    frame.setPosition(plot.box.left, plot.box.top);
    frame.setFillColor(sf::Color::Transparent);
    frame.setOutlineColor(kFrame);
    frame.setOutlineThickness(1.0f);
    target.draw(frame);
}

// The on-screen rectangle of pieces all owned by the rule where its label fits best: wide
// enough for it if any is, then the largest.
sf::FloatRect Roomiest(const Plot& plot, const growth::GrowthMap& map, int rule, float labelWidth) {
    const auto& hc = map.HeightCuts();
    const auto& wc = map.WeightCuts();
    const int across = map.PieceCount(hc), up = map.PieceCount(wc);
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
                    const double h0 = Stretch(hc, i0, plot.across).first,
                                 h1 = Stretch(hc, i1, plot.across).second;
                    const double w0 = Stretch(wc, j0, plot.up).first, w1 = Stretch(wc, j1, plot.up).second;
                    const sf::FloatRect box(plot.X(h0), plot.Y(w1), plot.X(h1) - plot.X(h0),
                                            plot.Y(w0) - plot.Y(w1));
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

// Shaded cells, then their edges: solid where the edge itself belongs to a region beside it (its
// bound is reached), dashed where it does not; each region labelled where it has most room.
void DrawRegions(sf::RenderTarget& target, const Plot& plot, const growth::GrowthMap& map) {
    const auto& hc = map.HeightCuts();
    const auto& wc = map.WeightCuts();
    const int across = map.PieceCount(hc), up = map.PieceCount(wc);
    for (int i = 0; i < across; i += 2) {
        for (int j = 0; j < up; j += 2) {
            const int owner = map.Owner(i, j);
            if (owner == growth::GrowthMap::kNone) {
                continue;
            }
            const auto [h0, h1] = Stretch(hc, i, plot.across);
            const auto [w0, w1] = Stretch(wc, j, plot.up);
            const sf::FloatRect cell(plot.X(h0), plot.Y(w1), plot.X(h1) - plot.X(h0),
                                     plot.Y(w0) - plot.Y(w1));
            sf::RectangleShape shade({cell.width, cell.height});
            shade.setPosition(cell.left, cell.top);
            shade.setFillColor(WithAlpha(StageColour(map.Rules()[std::size_t(owner)].next), 60));
            target.draw(shade);
        }
    }
    // Edges: every odd piece between two differently owned neighbours.
    const auto edge = [&](int i, int j, int a, int b, sf::Vector2f from, sf::Vector2f to) {
        if (a == b) {
            return;
        }
        const int self = map.Owner(i, j);
        const int shown = a != growth::GrowthMap::kNone ? a : b;
        const bool closed = self != growth::GrowthMap::kNone && (self == a || self == b);
        const sf::Color colour = Darker(StageColour(map.Rules()[std::size_t(closed ? self : shown)].next));
        (closed ? Segment : Dashed)(target, from, to, colour, 1.5f);
    };
    for (int i = 1; i < across; i += 2) {
        for (int j = 0; j < up; j += 2) {
            const auto [w0, w1] = Stretch(wc, j, plot.up);
            const double h = hc[std::size_t(i / 2)];
            edge(i, j, map.Owner(i - 1, j), map.Owner(i + 1, j), plot.At(h, w0), plot.At(h, w1));
        }
    }
    for (int j = 1; j < up; j += 2) {
        for (int i = 0; i < across; i += 2) {
            const auto [h0, h1] = Stretch(hc, i, plot.across);
            const double w = wc[std::size_t(j / 2)];
            edge(i, j, map.Owner(i, j - 1), map.Owner(i, j + 1), plot.At(h0, w), plot.At(h1, w));
        }
    }
    // Each region's picture and name side by side in the middle of its roomiest rectangle.
    for (std::size_t r = 0; r < map.Rules().size(); ++r) {
        const std::string next(map.Rules()[r].next);
        facade::Text name(growth::ShownName(next), kFont, 11);
        const sf::FloatRect cell = Roomiest(plot, map, int(r), name.GetWidth() + 34.0f);
        if (cell.width <= 0.0f) {
            continue;
        }
        const float most = std::clamp(cell.height - 6.0f, 14.0f, 28.0f);
        const float width = most + 3.0f + name.GetWidth();
        const float right = plot.box.left + plot.box.width - width - 3.0f;
        const float x =
            std::min(right, std::clamp(cell.left + cell.width / 2.0f - width / 2.0f, cell.left + 2.0f,
                                       std::max(cell.left + 2.0f, cell.left + cell.width - width - 2.0f)));
        const float y = cell.top + cell.height / 2.0f;
        Put(target, next + "_Normal0", most, {x + most / 2.0f, y});
        Write(target, name.GetText(), 11, Darker(StageColour(next)), x + most + 3.0f, y, 0, 1);
    }
}

void DrawPath(sf::RenderTarget& target, const Plot& plot, const std::vector<LifeRow>& rows,
              const LifeRow& now) {
    std::vector<sf::Vector2f> points;
    for (const LifeRow& row : rows) {
        if (!std::isfinite(row.height) || !std::isfinite(row.weight)) {
            continue;
        }
        const sf::Vector2f at = plot.At(row.height, row.weight);
        // Rows closer than a pixel add nothing to the line.
        if (points.empty() || std::hypot(at.x - points.back().x, at.y - points.back().y) >= 1.0f) {
            points.push_back(at);
        }
    }
    points.push_back(plot.At(now.height, now.weight));
    sf::CircleShape start(3.0f);
    start.setOrigin(3.0f, 3.0f);
    start.setPosition(points.front());
    start.setFillColor(kPath);
    target.draw(start);
    for (std::size_t i = 1; i < points.size(); ++i) {
        Segment(target, points[i - 1], points[i], kPath, 2.0f);
    }
    sf::CircleShape ring(15.0f);
    ring.setOrigin(15.0f, 15.0f);
    ring.setPosition(points.back());
    ring.setFillColor(sf::Color(255, 255, 255, 200));
    ring.setOutlineColor(kPath);
    ring.setOutlineThickness(1.5f);
    target.draw(ring);
    Put(target, now.stage + "_" + now.body + "0", 24.0f, points.back());
}

// Under the map: one line per next stage with what it lacks and the planner's food, then the
// fitness the pet lacks (or has).
void DrawAdvice(sf::RenderTarget& target, float left, float right, float top, const growth::GrowthMap& map,
                const LifeRow& now, const std::string& petName, std::span<const Food* const> foods) {
    const std::string is = petName + " is " + growth::Article(now.stage) + " " + growth::ShownName(now.stage);
    const auto rules = growth::RulesFrom(now.stage);
    if (rules.empty()) {
        Write(target, is + ": fully grown", 13, kInk, left, top, 0, 0, kTitleFont);
        return;
    }
    if (map.Rules().empty()) {
        Write(target,
              is + ": it hatches into " + growth::Article(rules.front().next) + " " +
                  growth::ShownName(rules.front().next) + " on its " +
                  Ordinal(rules.front().afterChecks + 1) + " life step",
              13, kInk, left, top, 0, 0, kTitleFont);
        return;
    }
    Write(target, "to grow into", 10, kQuiet, left + 14.0f, top, 0, 0);
    Write(target, "care plan: one food only", 10, kQuiet, right, top, 2, 0);
    float y = top + 14.0f;
    for (const growth::Plan& plan : growth::PlanCare(map, now.height, now.weight, foods)) {
        const auto rule = std::find_if(map.Rules().begin(), map.Rules().end(),
                                       [&](const growth::Rule& r) { return r.next == plan.next; });
        std::string missing = growth::SizeMissing(*rule, now.height, now.weight);
        if (missing.empty()) {
            missing = "size reached";
        }
        const sf::Color colour = StageColour(plan.next);
        sf::RectangleShape swatch({9.0f, 9.0f});
        swatch.setPosition(left, y + 1.0f);
        swatch.setFillColor(colour);
        target.draw(swatch);
        const sf::FloatRect name =
            Write(target, growth::ShownName(plan.next) + ":", 12, Darker(colour), left + 14.0f, y, 0, 0);
        Write(target, missing, 12, kInk, name.left + name.width + 5.0f, y, 0, 0);
        Write(target, growth::PlanText(plan), 12, plan.food.empty() ? kQuiet : Darker(colour), right, y, 2,
              0);
        y += 16.0f;
    }
    const std::string unfit = growth::FitnessMissing(now.health, now.dirty);
    Write(target,
          unfit.empty()
              ? "fit to grow: health " + std::to_string(now.health) + ", dirty " + std::to_string(now.dirty)
              : "and fit: " + unfit,
          11, unfit.empty() ? kQuiet : sf::Color(190, 60, 50), left + 14.0f, y + 1.0f, 0, 0);
}
} // namespace

void DrawGrowthMap(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const LifeRow& now, const std::string& petName, std::span<const Food* const> foods) {
    const growth::GrowthMap map(now.stage);
    std::vector<double> heights{now.height}, weights{now.weight};
    for (const LifeRow& row : rows) {
        heights.push_back(row.height);
        weights.push_back(row.weight);
    }
    const float left = area.left + 12.0f, right = area.left + area.width - 12.0f;
    Write(window, petName + " the " + growth::ShownName(now.stage), 16, kInk, left, area.top + 6.0f, 0, 0,
          kTitleFont);
    char size[64];
    std::snprintf(size, sizeof size, "%.1f cm, %.0f g", now.height, now.weight);
    Write(window, size, 12, kQuiet, right, area.top + 8.0f, 2, 0);

    const float adviceHeight = 16.0f * 4.0f + 12.0f;
    const float top = area.top + 48.0f;
    const sf::FloatRect box(left + 34.0f, top, right - left - 34.0f,
                            area.top + area.height - top - 32.0f - adviceHeight);
    const Plot plot{box, Fit(heights, map.HeightCuts(), 10.0, box.width / 60.0f),
                    Fit(weights, map.WeightCuts(), 100.0, box.height / 30.0f)};
    DrawGrid(window, plot);
    DrawRegions(window, plot, map);
    DrawFrame(window, plot);
    DrawPath(window, plot, rows, now);
    Write(window, "weight (g)", 10, kQuiet, left, plot.box.top - 9.0f, 0, 2);
    Write(window, "height (cm)", 10, kQuiet, right, plot.box.top + plot.box.height + 17.0f, 2, 0);
    DrawAdvice(window, left, right, plot.box.top + plot.box.height + 32.0f, map, now, petName, foods);
}
