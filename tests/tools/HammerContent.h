#pragma once

// The content the save hammer writes, generation by generation, so that a checker can tell a
// complete file of some generation from a mix, a truncation or an empty file. The pet files
// hold real pet lines (the statistics text made by a real growth stage).

#include "growth/GrowState.h"
#include "pet/PetFile.h"

#include <string>
#include <vector>

namespace hammer {

inline const std::vector<std::string>& PetNames() {
    static const std::vector<std::string> names = {"REX", "BIG REX", "Tiny-2"};
    return names;
}

inline constexpr const char* kPetList = "Settings\\Pet.list";

// Needs the state prototypes.
inline std::vector<std::string> PetLines(std::size_t pet, int generation) {
    static const char* const stages[] = {"Egg", "Baby", "Flower", "BigCock"};
    static const char* const bodies[] = {"Normal", "Smile", "Bored", "Sick", "Sleep"};
    const std::string stage = stages[static_cast<unsigned>(generation) % 4];
    std::unique_ptr<GrowState> state = GrowState::Create(stage);
    const int g = generation % 1000003;
    state->FromString(std::to_string(10 + g % 200) + ".123456 " + std::to_string(300 + g) + ".5 " +
                      std::to_string(g) + " " + std::to_string(-g) + " " + std::to_string(g % 101) + " 50 " +
                      std::to_string(g % 97) + " 60 " + std::to_string(g % 89) + " ");
    return petfile::DataLines(PetNames()[pet], generation, stage,
                              bodies[static_cast<unsigned>(generation) % 5], state->ToString());
}

// The pet list of a generation: a varying number of names, so a cut at a line end shows too.
inline std::vector<std::string> ListLines(int generation) {
    std::vector<std::string> lines;
    const int count = 3 + generation % 5;
    for (int i = 1; i <= count; ++i) {
        lines.push_back("PET-" + std::to_string(generation) + "-" + std::to_string(i));
    }
    return lines;
}

inline std::string AddedName(int generation) {
    return "PET-" + std::to_string(generation) + "-added";
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace hammer
