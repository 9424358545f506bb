#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// How fast the pet lives: the player's choice, kept as `pace` in the preferences. The design's
// pace is the default; the kinder ones only space the pet's life steps further apart, so that
// everything a step does stays as it is and only comes more slowly. Frames, greetings, the
// autosave, balloons and the mini-game keep their own timing.
namespace pace {

enum class Pace { Design, Relaxed, Gentle };

inline constexpr const char* kPreference = "pace";
// Passes of the game's loop from one life step to the next at the design's pace.
inline constexpr std::uint64_t kDesignPassesPerStep = 101;

// In the order the chooser offers them.
const std::vector<Pace>& All();
// "design", "relaxed", "gentle": the preference's value and the life record's detail.
std::string Name(Pace pace);
std::optional<Pace> FromName(const std::string& name);
// How many times further apart the life steps are: 1, 3 or 10.
std::uint64_t Factor(Pace pace);
std::uint64_t PassesPerStep(Pace pace);
// One line for the chooser that says what the pace means for the player.
std::string Describe(Pace pace);

} // namespace pace
