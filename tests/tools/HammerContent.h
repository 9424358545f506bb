#pragma once

// What the save hammer writes, generation by generation, so that a checker can tell a complete
// file of some generation from a mix, a truncation or an empty file.

#include "pet/PetFile.h"

#include <string>
#include <vector>

namespace hammer {

inline const std::vector<std::string> kPets = {"REX", "BIG REX", "Tiny-2"};

inline std::vector<std::string> PetLines(const std::string& name, int g) {
    return petfile::DataLines(name, g, g % 2 ? "Baby" : "Egg", g % 3 ? "Normal" : "Sleep",
                              std::to_string(10 + g % 200) + ".500000 " + std::to_string(g) + ".250000 " +
                                  std::to_string(g % 89) + " 0 80 50 10 50 50 ");
}

// A varying number of names, so that a cut at a line end shows too; then one name is appended.
inline std::vector<std::string> ListLines(int g) {
    std::vector<std::string> lines;
    for (int i = 0; i < 3 + g % 5; ++i) {
        lines.push_back("PET-" + std::to_string(g) + "-" + std::to_string(i));
    }
    return lines;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace hammer
