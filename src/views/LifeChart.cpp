#include "views/LifeChart.h"

#include "growth/GrowthRules.h"
#include "growth/Needs.h"
#include "pet/LifeRecord.h"
#include "presentation/MeterLook.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "views/Plot.h"

#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {
using plot::kByLine;

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

constexpr float kStageRow = 12.0f;
constexpr float kStripGap = 6.0f;
constexpr float kLaneHeight = 4.0f;
constexpr float kLanePitch = 5.0f;

// Where everything goes. Columns: the meters' names on the left, the plot to the right. Rows,
// top down: the title, two rows of stage labels, a strip per meter, a lane per kind of tick,
// the time axis and the legend; the strips take the height the others leave.
struct Chart {
    float names = 0.0f, left = 0.0f, right = 0.0f;
    float stageTop = 0.0f, stripTop = 0.0f, stripHeight = 0.0f, stripsBottom = 0.0f;
    float laneTop = 0.0f, axisTop = 0.0f, legendTop = 0.0f;
    // The life steps at the plot's two ends.
    std::uint64_t first = 0, last = 0;

    float Width() const { return right - left; }
    float X(std::uint64_t steps) const {
        return left + Width() * static_cast<float>(steps - first) / static_cast<float>(last - first);
    }
    float StripTop(std::size_t index) const {
        return stripTop + static_cast<float>(index) * (stripHeight + kStripGap);
    }
    float ValueY(std::size_t strip, int value) const {
        const float share = static_cast<float>(std::clamp(value, 0, 100)) / 100.0f;
        return StripTop(strip) + stripHeight - 2.0f - share * (stripHeight - 4.0f);
    }
};

Chart LayOut(const sf::FloatRect& area) {
    Chart chart;
    chart.names = area.left + 8.0f;
    chart.left = area.left + 66.0f;
    chart.right = area.left + area.width - 12.0f;
    chart.stageTop = area.top + 33.0f;
    chart.stripTop = area.top + 60.0f;
    // Under the strips the lanes, the axis and the legend take 70 pixels; whole pixels keep the
    // strips' frames sharp.
    const float strips = area.top + area.height - 70.0f - chart.stripTop;
    const float count = static_cast<float>(kMeters.size());
    chart.stripHeight = std::max(8.0f, std::floor((strips - (count - 1.0f) * kStripGap) / count));
    chart.stripsBottom = chart.StripTop(kMeters.size() - 1) + chart.stripHeight;
    chart.laneTop = chart.stripsBottom + 5.0f;
    chart.axisTop = chart.laneTop + static_cast<float>(kTicks.size()) * kLanePitch + 2.0f;
    chart.legendTop = chart.axisTop + 17.0f;
    return chart;
}

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

// The pale bands of one strip where the meter shows close (amber) or a need (red) in a stage.
void DrawStageBands(facade::WindowApp& window, const Chart& chart, std::size_t m, const std::string& stage,
                    float x0, float x1) {
    // Runs of values with the same level, each one band.
    for (int low = 0; low <= 100;) {
        const needs::Level level = needs::LevelOf(kMeters[m].meter, stage, low);
        int high = low;
        while (high < 100 && needs::LevelOf(kMeters[m].meter, stage, high + 1) == level) {
            ++high;
        }
        if (level != needs::Level::Good) {
            sf::Color tint = meterlook::LevelColor(level);
            tint.a = 36;
            const float top =
                high == 100 ? chart.StripTop(m) : (chart.ValueY(m, high) + chart.ValueY(m, high + 1)) / 2.0f;
            const float bottom = low == 0 ? chart.StripTop(m) + chart.stripHeight
                                          : (chart.ValueY(m, low) + chart.ValueY(m, low - 1)) / 2.0f;
            plot::Box(window, {x0, top, x1 - x0, bottom - top}, tint);
        }
        low = high + 1;
    }
}

// The bands stage by stage, since the bounds differ between stages.
void DrawBands(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Chart& chart) {
    std::size_t begin = 0;
    while (begin < rows.size()) {
        std::size_t end = begin + 1;
        while (end < rows.size() && rows[end].stage == rows[begin].stage) {
            ++end;
        }
        const float x0 = chart.X(rows[begin].steps);
        const float x1 = end < rows.size() ? chart.X(rows[end].steps) : chart.right;
        for (std::size_t m = 0; m < kMeters.size(); ++m) {
            DrawStageBands(window, chart, m, rows[begin].stage, x0, x1);
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

std::vector<Column> Columns(const std::vector<LifeRow>& rows, const Chart& chart, const MeterLine& line) {
    std::vector<Column> columns;
    std::string stage;
    for (const LifeRow& row : rows) {
        const float x = chart.X(row.steps);
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

// A week holds thousands of rows: each pixel column shows the range of its rows as a pale bar
// (in the colour of the worst of them) and their mean on the line.
void DrawStrip(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Chart& chart,
               std::size_t m) {
    sf::VertexArray ranges(sf::Triangles);
    std::vector<sf::Vector2f> points;
    std::vector<sf::Color> colors;
    for (const Column& column : Columns(rows, chart, kMeters[m])) {
        if (column.high > column.low) {
            sf::Color pale = meterlook::LevelColor(column.worst);
            pale.a = 80;
            const float x = std::floor(column.x);
            const float top = chart.ValueY(m, column.high) - 0.5f;
            const float bottom = chart.ValueY(m, column.low) + 0.5f;
            const sf::Vector2f corners[4] = {{x, top}, {x + 1.0f, top}, {x, bottom}, {x + 1.0f, bottom}};
            for (int k : {0, 1, 2, 1, 3, 2}) {
                ranges.append(sf::Vertex(corners[k], pale));
            }
        }
        const float mean = static_cast<float>(column.sum) / static_cast<float>(column.count);
        points.emplace_back(column.x, chart.ValueY(m, 0) + (chart.ValueY(m, 100) - chart.ValueY(m, 0)) *
                                                               std::clamp(mean, 0.0f, 100.0f) / 100.0f);
        colors.push_back(meterlook::LevelColor(column.level));
    }
    window.draw(ranges);
    plot::Polyline(window, points, colors, 2.0f);
}

void DrawStrips(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Chart& chart) {
    for (std::size_t m = 0; m < kMeters.size(); ++m) {
        const MeterLine& line = kMeters[m];
        DrawStrip(window, rows, chart, m);
        const float top = chart.StripTop(m);
        plot::Write(window, line.name, {14}, {chart.names, top + 1.0f}, kByLine);
        const LifeRow& now = rows.back();
        const sf::Color level = meterlook::LevelColor(needs::LevelOf(line.meter, now.stage, now.*line.value));
        plot::Write(window, std::to_string(now.*line.value) + "%", {12, level}, {chart.names, top + 18.0f},
                    kByLine);
    }
}

void DrawStages(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Chart& chart) {
    struct Mark {
        std::string text;
        float x;
        sf::Color color;
    };
    std::vector<Mark> marks = {{growth::ShownName(rows.front().stage), chart.left - 3.0f, plot::kInk}};
    const float top = chart.stageTop + 2.0f;
    for (const LifeRow& row : rows) {
        const float x = std::floor(chart.X(row.steps));
        if (row.event == "grow") {
            plot::Dashed(window, {x + 0.5f, top}, {x + 0.5f, chart.stripsBottom}, plot::kQuiet,
                         {1.0f, 3.0f, 2.0f});
            marks.push_back({growth::ShownName(row.stage), x, plot::kInk});
        } else if (row.event == "death") {
            plot::Box(window, {x - 0.5f, top, 2.0f, chart.stripsBottom - top}, kDeath);
            marks.push_back({"died" + (row.detail.empty() ? std::string() : ": " + row.detail), x, kDeath});
        }
    }
    // Right of its mark, in the first of two rows with room; the latest stages come first, and
    // a label with no room left is left out (its mark stays).
    std::array<float, 2> rowStart = {chart.right + 8.0f, chart.right + 8.0f};
    for (auto mark = marks.rbegin(); mark != marks.rend(); ++mark) {
        facade::Text label = plot::Styled(mark->text, {11, mark->color});
        const float width = label.GetWidth();
        const float left = std::max(chart.left - 3.0f, std::min(mark->x + 3.0f, chart.right - width));
        for (std::size_t r = 0; r < rowStart.size(); ++r) {
            if (left + width + 4.0f <= rowStart[r]) {
                plot::Place(window, label, {left, chart.stageTop + kStageRow * static_cast<float>(r)},
                            kByLine);
                rowStart[r] = left;
                break;
            }
        }
    }
}

void DrawTicks(facade::WindowApp& window, const std::vector<LifeRow>& rows, const Chart& chart) {
    for (std::size_t k = 0; k < kTicks.size(); ++k) {
        const float lane = chart.laneTop + kLanePitch * static_cast<float>(k);
        plot::Box(window, {chart.left, lane + kLaneHeight / 2.0f, chart.Width(), 1.0f}, plot::kGrid);
        for (const LifeRow& row : rows) {
            if (row.event == kTicks[k].event) {
                plot::Box(window, {std::floor(chart.X(row.steps)) - 1.0f, lane, 2.0f, kLaneHeight},
                          kTicks[k].color);
            }
        }
    }
    // The legend, left; the axis's unit goes right on the same line.
    float x = chart.left;
    for (const TickKind& tick : kTicks) {
        plot::Box(window, {x, chart.legendTop + 3.0f, 2.0f, 9.0f}, tick.color);
        x += 6.0f +
             plot::Write(window, tick.name, {12, plot::kQuiet}, {x + 5.0f, chart.legendTop}, kByLine).width +
             14.0f;
    }
}

void DrawTimeAxis(facade::WindowApp& window, const Chart& chart) {
    const double seconds = static_cast<double>(chart.last) * liferecord::kSecondsPerStep;
    const double firstSeconds = static_cast<double>(chart.first) * liferecord::kSecondsPerStep;
    const bool hours = seconds - firstSeconds > 120.0 * 60.0;
    const double unit = hours ? 3600.0 : 60.0;
    // The smallest step that keeps the labels about 67 pixels apart (six on the default page).
    const double step = plot::StepFor((seconds - firstSeconds) / unit, chart.Width() / 67.0f,
                                      {1.0, 2.0, 5.0, 10.0, 15.0, 20.0, 30.0, 60.0, 120.0, 240.0, 480.0});
    const plot::Axis axis{firstSeconds / unit, seconds / unit, step};
    for (double at : axis.Ticks()) {
        const float x = std::floor(axis.At(at, chart.left, chart.right));
        plot::Box(window, {x, chart.stripTop, 1.0f, chart.stripsBottom - chart.stripTop}, plot::kGrid);
        plot::Box(window, {x, chart.axisTop - 3.0f, 1.0f, 3.0f}, plot::kQuiet);
        facade::Text label = plot::Styled(plot::Number(at), {11, plot::kQuiet});
        const float half = label.GetWidth() / 2.0f;
        plot::Place(window, label, {std::clamp(x, chart.left + half, chart.right - half), chart.axisTop},
                    {1, 0});
    }
    facade::Text caption = plot::Styled(hours ? "hours of play" : "minutes of play", {12, plot::kQuiet});
    plot::Place(window, caption, {chart.right - caption.GetWidth(), chart.legendTop}, kByLine);
}

// The title, and what the pet is and how long it has lived, unless a long name takes the room.
void DrawHeading(facade::WindowApp& window, const sf::FloatRect& area, const Chart& chart,
                 const std::vector<LifeRow>& rows, const std::string& petName) {
    const sf::FloatRect title = plot::Write(window, petName + "'s life", {20, kTitle, plot::kTitleFont},
                                            {area.left + 12.0f, area.top + 4.0f}, kByLine);
    if (rows.empty()) {
        plot::Write(window, "Nothing recorded yet: the record grows as " + petName + " lives.",
                    {14, plot::kQuiet},
                    {area.left + area.width / 2.0f, area.top + (area.height + 6.0f) / 2.0f}, {1, 1});
        return;
    }
    const LifeRow& now = rows.back();
    facade::Text summary = plot::Styled(
        growth::ShownName(now.stage) + ", " + PlayTime(now.steps) + " of play", {13, plot::kQuiet});
    if (chart.right - summary.GetWidth() > area.left + 12.0f + title.width + 12.0f) {
        plot::Place(window, summary, {chart.right - summary.GetWidth(), area.top + 10.0f}, kByLine);
    }
}
} // namespace

std::vector<LifeRow> ChartRows(const std::vector<LifeRow>& record) {
    // Across is the time of play: each step counts as the design's steps its pace made it last,
    // which is exact, as every pace's step is a whole number of the design's.
    std::vector<LifeRow> rows = record;
    const std::vector<std::uint64_t> passes = liferecord::PassesAt(record);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i].steps = passes[i] / liferecord::kPassesPerStep;
    }
    // A record keeps its steps in order unless edited by hand; the chart needs them so.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LifeRow& a, const LifeRow& b) { return a.steps < b.steps; });
    return rows;
}

void DrawLifeChart(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const std::string& petName) {
    Chart chart = LayOut(area);
    DrawHeading(window, area, chart, rows, petName);
    if (rows.empty()) {
        return;
    }
    chart.first = rows.front().steps;
    // At least a minute across, so that a young record does not stretch one step over the page.
    chart.last = std::max(rows.back().steps,
                          chart.first + liferecord::kPassesPerMinute / liferecord::kPassesPerStep + 1);

    for (std::size_t m = 0; m < kMeters.size(); ++m) {
        plot::Box(window, {chart.left, chart.StripTop(m), chart.Width(), chart.stripHeight}, plot::kPaper,
                  plot::kFrame);
    }
    DrawBands(window, rows, chart);
    DrawTimeAxis(window, chart);
    DrawStages(window, rows, chart);
    DrawStrips(window, rows, chart);
    DrawTicks(window, rows, chart);
}
