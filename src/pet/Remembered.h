#pragma once

#include <ctime>
#include <string>
#include <vector>

// The pets that died, as the memorial shows them: those kept in "Pets\Memories" and those whose
// files still stand in "Pets" off the pet list. Read only; the game never opens them.
namespace remembered {

struct Pet {
    std::string name;
    std::string stage;         // the stage it reached
    std::string made, died;    // local times ("2026-12-07 09:00"), "" when unknown
    double minutesPlayed = -1; // below 0 when unknown
    std::string cause;         // the death signal's text, "" when unknown
    std::vector<int> health;   // its health over its life, at most kStrip values
    std::time_t diedAt = 0;    // for the order, newest first
};

inline constexpr std::size_t kStrip = 64;

// Every dead pet of the player folder, newest death first. `listed` are the living pets' names.
std::vector<Pet> All(const std::vector<std::string>& listed);

// What one record says of its pet's last life, read quickly: a memorial reads many long ones.
struct Summary {
    bool found = false;
    std::string made, died, stage, cause; // made: the last "new" row's time; died: the death row's
    std::uint64_t passes = 0;             // of play, the pace taken into account
    std::vector<int> health;              // one value a row, from the last "new" row on
};
Summary Summarize(const std::string& gamePath);

} // namespace remembered
