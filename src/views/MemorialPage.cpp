#include "views/MemorialPage.h"

#include "growth/GrowthRules.h"
#include "growth/Needs.h"
#include "presentation/MeterLook.h"
#include "views/Plot.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr float kTitleHeight = 34.0f;
constexpr float kBand = 62.0f;
constexpr float kPicture = 46.0f;
constexpr float kStripWidth = 128.0f, kStripHeight = 16.0f;
const char* const kDash = "-";

std::string Known(const std::string& text) {
    return text.empty() ? kDash : text;
}

std::string Played(double minutes) {
    if (minutes < 0) {
        return kDash;
    }
    if (minutes < 1.0) {
        return "under a minute of play";
    }
    if (minutes < 120.0) {
        const long whole = std::lround(minutes);
        return std::to_string(whole) + (whole == 1 ? " minute of play" : " minutes of play");
    }
    char hours[32];
    std::snprintf(hours, sizeof hours, "%.1f hours of play", minutes / 60.0);
    return hours;
}

// The pet's health over its life, a bar per value, coloured as the status meter colours it.
void DrawStrip(sf::RenderTarget& target, const remembered::Pet& pet, sf::Vector2f at) {
    const sf::FloatRect box(at.x, at.y, kStripWidth, kStripHeight);
    if (pet.health.empty()) {
        plot::Write(target, kDash, {11, plot::kQuiet}, {box.left + box.width / 2.0f, box.top}, {1, 0});
        return;
    }
    plot::Box(target, box, plot::kPaper, plot::kFrame);
    const float bar = box.width / static_cast<float>(pet.health.size());
    for (std::size_t i = 0; i < pet.health.size(); ++i) {
        const int health = std::clamp(pet.health[i], 0, 100);
        const float tall = (box.height - 2.0f) * static_cast<float>(health) / 100.0f;
        const needs::Level level = needs::LevelOf(needs::Meter::Health, pet.stage, health);
        plot::Box(target,
                  {box.left + 1.0f + bar * static_cast<float>(i), box.top + box.height - 1.0f - tall,
                   std::max(bar - 0.5f, 1.0f), tall},
                  meterlook::LevelColor(level));
    }
}

void DrawPet(sf::RenderTarget& target, const sf::FloatRect& band, const remembered::Pet& pet) {
    const float text = band.left + kPicture + 18.0f;
    if (!pet.stage.empty()) {
        plot::PutPicture(target, pet.stage + "_Normal0", kPicture,
                         {band.left + 6.0f + kPicture / 2.0f, band.top + band.height / 2.0f});
    }
    const sf::FloatRect name = plot::Write(target, pet.name, {15, plot::kInk, plot::kTitleFont},
                                           {text, band.top + 4.0f}, plot::kByLine);
    plot::Write(target, pet.stage.empty() ? kDash : growth::ShownName(pet.stage), {12, plot::kQuiet},
                {name.left + name.width + 10.0f, band.top + 7.0f}, plot::kByLine);
    plot::Write(target, "made " + Known(pet.made) + "    died " + Known(pet.died), {11, plot::kQuiet},
                {text, band.top + 25.0f}, plot::kByLine);
    plot::Write(target, "lived " + Played(pet.minutesPlayed), {11, plot::kQuiet}, {text, band.top + 40.0f},
                plot::kByLine);
    const float right = band.left + band.width;
    plot::Write(target, Known(pet.cause), {12, plot::kInk}, {right, band.top + 6.0f}, {2, 0});
    plot::Write(target, "health", {10, plot::kQuiet}, {right - kStripWidth, band.top + 26.0f}, plot::kByLine);
    DrawStrip(target, pet, {right - kStripWidth, band.top + 40.0f});
}
} // namespace

std::size_t MemorialFits(const sf::FloatRect& area) {
    return static_cast<std::size_t>(std::max(1.0f, std::floor((area.height - kTitleHeight) / kBand)));
}

void DrawMemorial(sf::RenderTarget& target, const sf::FloatRect& area,
                  const std::vector<remembered::Pet>& pets, std::size_t first) {
    const float left = area.left + 12.0f, right = area.left + area.width - 12.0f;
    plot::Write(target, "Remembered", {16, plot::kInk, plot::kTitleFont}, {left, area.top + 8.0f},
                plot::kByLine);
    if (pets.empty()) {
        plot::Write(target, "No pet has died: nobody to remember yet.", {13, plot::kQuiet},
                    {area.left + area.width / 2.0f, area.top + area.height / 2.0f}, {1, 1});
        return;
    }
    const std::size_t fits = MemorialFits(area);
    const std::size_t last = std::min(pets.size(), first + fits);
    const std::string shown = pets.size() <= fits
                                  ? std::to_string(pets.size()) + (pets.size() == 1 ? " pet" : " pets")
                                  : std::to_string(first + 1) + "-" + std::to_string(last) + " of " +
                                        std::to_string(pets.size()) + "   Up, Down: more";
    plot::Write(target, shown, {11, plot::kQuiet}, {right, area.top + 12.0f}, {2, 0});
    for (std::size_t i = first; i < last; ++i) {
        const float top = area.top + kTitleHeight + kBand * static_cast<float>(i - first);
        plot::Line(target, {left, top}, {right, top}, plot::kGrid, 1.0f);
        DrawPet(target, {left, top + 4.0f, right - left, kBand - 8.0f}, pets[i]);
    }
}
