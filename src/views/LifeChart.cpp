#include "views/LifeChart.h"

#include "growth/Needs.h"
#include "pet/LifeRecord.h"
#include "presentation/MeterLook.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
constexpr const char* kTitleFont = "fonts\\CAMBRIAB.ttf";
constexpr const char* kFont = facade::Text::kDefaultFont;

// Columns: the meters' names on the left, the plot to the right.
constexpr float kLeft = 66.0f;
constexpr float kRight = 468.0f;
constexpr float kWidth = kRight - kLeft;
// Rows, top down; everything stays above y 332, where the view's page marks go.
constexpr float kStageTop = 33.0f;
constexpr float kStageRow = 12.0f;
constexpr float kStripTop = 60.0f;
constexpr float kStripHeight = 36.0f;
constexpr float kStripGap = 6.0f;
constexpr float kStripsBottom = kStripTop + 5 * kStripHeight + 4 * kStripGap;
constexpr float kLaneTop = kStripsBottom + 5.0f;
constexpr float kLaneHeight = 4.0f;
constexpr float kLanePitch = 5.0f;
constexpr float kAxisTop = kLaneTop + 4 * kLanePitch + 2.0f;
constexpr float kLegendTop = kAxisTop + 17.0f;

const sf::Color kInk(40, 40, 40);
const sf::Color kQuiet(120, 120, 120);
const sf::Color kFrame(200, 200, 200);
const sf::Color kGrid(232, 232, 232);
const sf::Color kTitle(20, 60, 160);
const sf::Color kDeath(120, 20, 20);

struct MeterLine {
    needs::Meter meter;
    const char* name;
    int LifeRow::*value;
};
// In the status view's order.
const std::array<MeterLine, 5> kMeters = {{{needs::Meter::Mood, "Mood", &LifeRow::mood},
                                           {needs::Meter::Full, "Full", &LifeRow::full},
                                           {needs::Meter::Energy, "Energy", &LifeRow::energy},
                                           {needs::Meter::Health, "Health", &LifeRow::health},
                                           {needs::Meter::Dirty, "Dirty", &LifeRow::dirty}}};

struct TickKind {
    const char* event;
    const char* name;
    sf::Color color;
};
const std::array<TickKind, 4> kTicks = {{{"feed", "feed", sf::Color(230, 130, 20)},
                                         {"play", "game", sf::Color(130, 80, 200)},
                                         {"clean", "clean", sf::Color(30, 140, 220)},
                                         {"cure", "cure", sf::Color(220, 50, 130)}}};

float StripTop(std::size_t index) {
    return kStripTop + static_cast<float>(index) * (kStripHeight + kStripGap);
}

float ValueY(std::size_t strip, int value) {
    const float share = static_cast<float>(std::clamp(value, 0, 100)) / 100.0f;
    return StripTop(strip) + kStripHeight - 2.0f - share * (kStripHeight - 4.0f);
}

// "SmallChick" reads "Small Chick".
std::string Spaced(const std::string& name) {
    std::string spaced;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i > 0 && std::isupper(static_cast<unsigned char>(name[i])) &&
            std::islower(static_cast<unsigned char>(name[i - 1]))) {
            spaced += ' ';
        }
        spaced += name[i];
    }
    return spaced;
}

void Rect(facade::WindowApp& window, float x, float y, float w, float h, sf::Color fill,
          sf::Color outline = sf::Color::Transparent) {
    sf::RectangleShape shape({w, h});
    shape.setPosition(x, y);
    shape.setFillColor(fill);
    if (outline != sf::Color::Transparent) {
        shape.setOutlineThickness(1.0f);
        shape.setOutlineColor(outline);
    }
    window.draw(shape);
}

// Returns the text's width, for laying out what follows it.
float Label(facade::WindowApp& window, const std::string& text, float x, float y, float size, sf::Color color,
            const char* font = kFont) {
    facade::Text label(text, font, size);
    label.SetColor(color);
    label.SetPosition(x, y);
    label.Draw(window);
    return label.GetWidth();
}

// A line two pixels wide through the points, each piece in its own colour.
void Polyline(facade::WindowApp& window, const std::vector<sf::Vector2f>& points,
              const std::vector<sf::Color>& colors) {
    sf::VertexArray strip(sf::Triangles);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const sf::Vector2f a = points[i - 1], b = points[i];
        sf::Vector2f along = b - a;
        const float length = std::hypot(along.x, along.y);
        if (length < 0.01f) {
            continue;
        }
        // Half the width across the piece, and a little along it so that joints close.
        const sf::Vector2f across(-along.y / length, along.x / length);
        along = along / length * 0.5f;
        const sf::Vector2f corners[4] = {a - along + across, a - along - across, b + along + across,
                                         b + along - across};
        for (int k : {0, 1, 2, 1, 3, 2}) {
            strip.append(sf::Vertex(corners[k], colors[i]));
        }
    }
    if (points.size() == 1) {
        Rect(window, points[0].x - 1.5f, points[0].y - 1.5f, 3.0f, 3.0f, colors[0]);
    }
    window.draw(strip);
}

void DashedLine(facade::WindowApp& window, float x, float top, float bottom, sf::Color color) {
    sf::VertexArray dashes(sf::Lines);
    for (float y = top; y < bottom; y += 5.0f) {
        dashes.append(sf::Vertex({x + 0.5f, y}, color));
        dashes.append(sf::Vertex({x + 0.5f, std::min(y + 3.0f, bottom)}, color));
    }
    window.draw(dashes);
}

// Where life steps fall across the plot.
struct Scale {
    std::uint64_t first = 0, last = 0;
    float X(std::uint64_t steps) const {
        return kLeft + kWidth * static_cast<float>(steps - first) / static_cast<float>(last - first);
    }
};

std::string PlayTime(std::uint64_t steps) {
    if (static_cast<double>(steps) * liferecord::kSecondsPerStep < 60.0) {
        return "under a minute";
    }
    const auto minutes =
        static_cast<long>(std::lround(static_cast<double>(steps) * liferecord::kSecondsPerStep / 60.0));
    if (minutes < 60) {
        return std::to_string(minutes) + " min";
    }
    return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
}

// The pale bands of each strip where the meter shows close (amber) or a need (red), stage by
// stage, since the bounds differ between stages.
void DrawBands(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Scale& scale) {
    std::size_t begin = 0;
    while (begin < rows.size()) {
        std::size_t end = begin + 1;
        while (end < rows.size() && rows[end].stage == rows[begin].stage) {
            ++end;
        }
        const float x0 = scale.X(rows[begin].steps);
        const float x1 = end < rows.size() ? scale.X(rows[end].steps) : kRight;
        for (std::size_t m = 0; m < kMeters.size(); ++m) {
            // Runs of values with the same level, each one band.
            for (int low = 0; low <= 100;) {
                const needs::Level level = needs::LevelOf(kMeters[m].meter, rows[begin].stage, low);
                int high = low;
                while (high < 100 && needs::LevelOf(kMeters[m].meter, rows[begin].stage, high + 1) == level) {
                    ++high;
                }
                if (level != needs::Level::Good) {
                    sf::Color tint = meterlook::LevelColor(level);
                    tint.a = 36;
                    const float top =
                        high == 100 ? StripTop(m) : (ValueY(m, high) + ValueY(m, high + 1)) / 2.0f;
                    const float bottom =
                        low == 0 ? StripTop(m) + kStripHeight : (ValueY(m, low) + ValueY(m, low - 1)) / 2.0f;
                    Rect(window, x0, top, x1 - x0, bottom - top, tint);
                }
                low = high + 1;
            }
        }
        begin = end;
    }
}

// One pixel column of a strip: the rows that fall in it, summed up.
struct Column {
    float x = 0.0f;
    long sum = 0;
    int count = 0, low = 0, high = 0;
    needs::Level worst = needs::Level::Good;
    needs::Level level = needs::Level::Good; // of the mean, in the stage of the column's last row
};

std::vector<Column> Columns(const std::vector<LifeRow>& rows, const Scale& scale, const MeterLine& line) {
    std::vector<Column> columns;
    std::string stage;
    for (const LifeRow& row : rows) {
        const float x = scale.X(row.steps);
        const int value = row.*line.value;
        if (columns.empty() || static_cast<int>(x) != static_cast<int>(columns.back().x)) {
            columns.push_back({x, 0, 0, value, value});
        }
        Column& column = columns.back();
        column.x = x;
        column.sum += value;
        ++column.count;
        column.low = std::min(column.low, value);
        column.high = std::max(column.high, value);
        column.worst = std::max(column.worst, needs::LevelOf(line.meter, row.stage, value));
        stage = row.stage;
        column.level = needs::LevelOf(line.meter, stage, static_cast<int>(column.sum / column.count));
    }
    return columns;
}

void DrawStrips(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Scale& scale) {
    for (std::size_t m = 0; m < kMeters.size(); ++m) {
        const MeterLine& line = kMeters[m];
        // A week holds thousands of rows: each pixel column shows the range of its rows as a
        // pale bar (in the colour of the worst of them) and their mean on the line.
        const std::vector<Column> columns = Columns(rows, scale, line);
        sf::VertexArray ranges(sf::Triangles);
        std::vector<sf::Vector2f> points;
        std::vector<sf::Color> colors;
        for (const Column& column : columns) {
            if (column.high > column.low) {
                sf::Color pale = meterlook::LevelColor(column.worst);
                pale.a = 80;
                const float x = std::floor(column.x);
                const float top = ValueY(m, column.high) - 0.5f;
                const float bottom = ValueY(m, column.low) + 0.5f;
                const sf::Vector2f corners[4] = {{x, top}, {x + 1.0f, top}, {x, bottom}, {x + 1.0f, bottom}};
                for (int k : {0, 1, 2, 1, 3, 2}) {
                    ranges.append(sf::Vertex(corners[k], pale));
                }
            }
            const float mean = static_cast<float>(column.sum) / static_cast<float>(column.count);
            points.emplace_back(column.x, ValueY(m, 0) + (ValueY(m, 100) - ValueY(m, 0)) *
                                                             std::clamp(mean, 0.0f, 100.0f) / 100.0f);
            colors.push_back(meterlook::LevelColor(column.level));
        }
        window.draw(ranges);
        Polyline(window, points, colors);

        const float top = StripTop(m);
        Label(window, line.name, 8.0f, top + 1.0f, 14.0f, kInk);
        const LifeRow& now = rows.back();
        Label(window, std::to_string(now.*line.value) + "%", 8.0f, top + 18.0f, 12.0f,
              meterlook::LevelColor(needs::LevelOf(line.meter, now.stage, now.*line.value)));
    }
}

void DrawStages(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Scale& scale) {
    struct Mark {
        std::string text;
        float x;
        sf::Color color;
    };
    std::vector<Mark> marks = {{Spaced(rows.front().stage), kLeft - 3.0f, kInk}};
    for (const LifeRow& row : rows) {
        const float x = std::floor(scale.X(row.steps));
        if (row.event == "grow") {
            DashedLine(window, x, kStageTop + 2.0f, kStripsBottom, kQuiet);
            marks.push_back({Spaced(row.stage), x, kInk});
        } else if (row.event == "death") {
            Rect(window, x - 0.5f, kStageTop + 2.0f, 2.0f, kStripsBottom - kStageTop - 2.0f, kDeath);
            marks.push_back({"died" + (row.detail.empty() ? std::string() : ": " + row.detail), x, kDeath});
        }
    }
    // Right of its mark, in the first of two rows with room; the latest stages come first, and
    // a label with no room left is left out (its mark stays).
    std::array<float, 2> rowStart = {kRight + 8.0f, kRight + 8.0f};
    for (auto mark = marks.rbegin(); mark != marks.rend(); ++mark) {
        facade::Text label(mark->text, kFont, 11);
        label.SetColor(mark->color);
        const float width = label.GetWidth();
        const float left = std::max(kLeft - 3.0f, std::min(mark->x + 3.0f, kRight - width));
        for (std::size_t r = 0; r < rowStart.size(); ++r) {
            if (left + width + 4.0f <= rowStart[r]) {
                label.SetPosition(left, kStageTop + kStageRow * static_cast<float>(r));
                label.Draw(window);
                rowStart[r] = left;
                break;
            }
        }
    }
}

void DrawTicks(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Scale& scale) {
    for (std::size_t k = 0; k < kTicks.size(); ++k) {
        Rect(window, kLeft, kLaneTop + kLanePitch * static_cast<float>(k) + kLaneHeight / 2.0f, kWidth, 1.0f,
             kGrid);
    }
    for (const LifeRow& row : rows) {
        for (std::size_t k = 0; k < kTicks.size(); ++k) {
            if (row.event == kTicks[k].event) {
                Rect(window, std::floor(scale.X(row.steps)) - 1.0f,
                     kLaneTop + kLanePitch * static_cast<float>(k), 2.0f, kLaneHeight, kTicks[k].color);
            }
        }
    }
    // The legend, left; the axis's unit goes right on the same line.
    float x = kLeft;
    for (const TickKind& tick : kTicks) {
        Rect(window, x, kLegendTop + 3.0f, 2.0f, 9.0f, tick.color);
        x += 6.0f + Label(window, tick.name, x + 5.0f, kLegendTop, 12.0f, kQuiet) + 14.0f;
    }
}

void DrawTimeAxis(facade::WindowApp& window, const Scale& scale) {
    const double seconds = static_cast<double>(scale.last) * liferecord::kSecondsPerStep;
    const double firstSeconds = static_cast<double>(scale.first) * liferecord::kSecondsPerStep;
    const bool hours = seconds - firstSeconds > 120.0 * 60.0;
    const double unit = hours ? 3600.0 : 60.0;
    // The smallest step that keeps the labels to about six.
    const double span = (seconds - firstSeconds) / unit;
    double step = 1.0;
    for (double candidate : {1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 30.0, 60.0, 120.0, 240.0, 480.0}) {
        step = candidate;
        if (span / candidate <= 6.0) {
            break;
        }
    }
    const double firstLabel = std::ceil(firstSeconds / unit / step) * step;
    for (double at = firstLabel; at * unit <= seconds + 1e-6; at += step) {
        const float x = std::floor(
            kLeft + kWidth * static_cast<float>((at * unit - firstSeconds) / (seconds - firstSeconds)));
        Rect(window, x, kStripTop, 1.0f, kStripsBottom - kStripTop, kGrid);
        Rect(window, x, kAxisTop - 3.0f, 1.0f, 3.0f, kQuiet);
        facade::Text label(std::to_string(static_cast<long>(std::lround(at))), kFont, 11);
        label.SetColor(kQuiet);
        label.SetCenter(1, 0);
        label.SetPosition(std::clamp(x, kLeft + label.GetWidth() / 2.0f, kRight - label.GetWidth() / 2.0f),
                          kAxisTop);
        label.Draw(window);
    }
    facade::Text caption(hours ? "hours of play" : "minutes of play", kFont, 12);
    caption.SetColor(kQuiet);
    caption.SetPosition(kRight - caption.GetWidth(), kLegendTop);
    caption.Draw(window);
}
} // namespace

void DrawLifeChart(facade::WindowApp& window, const std::vector<LifeRow>& record,
                   const std::string& petName) {
    // A record keeps its steps in order unless edited by hand; the chart needs them so.
    const auto earlier = [](const LifeRow& a, const LifeRow& b) { return a.steps < b.steps; };
    std::vector<LifeRow> sorted;
    if (!std::is_sorted(record.begin(), record.end(), earlier)) {
        sorted = record;
        std::stable_sort(sorted.begin(), sorted.end(), earlier);
    }
    const std::vector<LifeRow>& rows = sorted.empty() ? record : sorted;
    const float titleEnd = 12.0f + Label(window, petName + "'s life", 12.0f, 4.0f, 20.0f, kTitle, kTitleFont);
    if (rows.empty()) {
        facade::Text empty("Nothing recorded yet: the record grows as " + petName + " lives.", kFont, 14);
        empty.SetColor(kQuiet);
        empty.SetCenter(1, 1);
        empty.SetPosition(240.0f, 170.0f);
        empty.Draw(window);
        return;
    }
    const LifeRow& now = rows.back();
    facade::Text summary(Spaced(now.stage) + ", " + PlayTime(now.steps) + " of play", kFont, 13);
    summary.SetColor(kQuiet);
    summary.SetPosition(kRight - summary.GetWidth(), 10.0f);
    if (kRight - summary.GetWidth() > titleEnd + 12.0f) { // a long name takes the room
        summary.Draw(window);
    }

    Scale scale;
    scale.first = rows.front().steps;
    // At least a minute across, so that a young record does not stretch one step over the page.
    scale.last =
        std::max(now.steps, scale.first + liferecord::kPassesPerMinute / liferecord::kPassesPerStep + 1);

    for (std::size_t m = 0; m < kMeters.size(); ++m) {
        Rect(window, kLeft, StripTop(m), kWidth, kStripHeight, sf::Color(250, 250, 250), kFrame);
    }
    DrawBands(window, rows, scale);
    DrawTimeAxis(window, scale);
    DrawStages(window, rows, scale);
    DrawStrips(window, rows, scale);
    DrawTicks(window, rows, scale);
}
