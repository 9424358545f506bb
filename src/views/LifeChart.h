#pragma once

#include "pet/LifeRow.h"

#include <SFML/Graphics/Rect.hpp>

#include <string>
#include <vector>

namespace facade {
class WindowApp;
}

// The record's rows with their steps counted in time of play, in order: what the chart draws.
// Made once for a view that is drawn again and again.
std::vector<LifeRow> ChartRows(const std::vector<LifeRow>& record);

// The pet's life on one page: mood, full, energy, health and dirty over its life steps, one
// strip each, the lines coloured as the status meters colour them; the stages as labelled marks;
// feeds, games, cleans and cures as ticks along the bottom; the time axis in minutes or hours of
// play. Fills `area` (logical coordinates), the strips taking the height it has, without
// clearing or displaying. `rows` are ChartRows' of the pet's record.
void DrawLifeChart(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const std::string& petName);
