// The food list the game ships, read once for tests and benchmarks that plan with real foods.
#pragma once

#include "growth/Food.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

struct ShippedFoods {
    ShippedFoods() {
        std::ifstream list(std::string(HATCHLING_GAME_DATA) + "/Settings/Food.list");
        for (std::string line; std::getline(list, line);) {
            foods.emplace_back(line);
        }
        for (const Food& food : foods) {
            offered.push_back(&food);
        }
    }
    const Food& Named(const std::string& name) const {
        return *std::find_if(foods.begin(), foods.end(), [&](const Food& f) { return f.GetName() == name; });
    }
    std::vector<Food> foods;
    std::vector<const Food*> offered;
};
