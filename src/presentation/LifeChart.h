#pragma once

#include "pet/LifeRow.h"

#include <string>
#include <vector>

namespace facade {
class WindowApp;
}

// The life view's second page: the pet's life over the rows of its record.
void DrawLifeChart(facade::WindowApp& window, const std::vector<LifeRow>& rows, const std::string& petName);
