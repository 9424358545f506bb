#pragma once

#include "pet/LifeRow.h"

#include <string>
#include <vector>

namespace facade {
class WindowApp;
}

// The pet's life on one page: mood, full, energy, health and dirty over its life steps, one
// strip each, the lines coloured as the status meters colour them; the stages as labelled marks;
// feeds, games, cleans and cures as ticks along the bottom; the time axis in minutes or hours of
// play. Draws in the 480 x 360 logical window without clearing or displaying, and leaves the
// bottom 28 pixels free.
void DrawLifeChart(facade::WindowApp& window, const std::vector<LifeRow>& rows, const std::string& petName);
