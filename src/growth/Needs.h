#pragma once

#include <string>

// What the pet needs from the player, read from its statistics, stage and body state. A need
// holds early enough for the player to answer it before harm is done; the status meters use
// the same bounds, with a band just short of a need shown as "close".
namespace needs {

// How a statistic stands: fine, close to a need, or a need holds.
enum class Level { Good, Close, Need };

// The statistics the status view draws as meters.
enum class Meter { Mood, Full, Energy, Health, Dirty };

// Each bound leaves the player at least three harmless life steps (about 5 s each) after the
// mark appears, at the worst rates of the stages' rules.
// Hungry: full at most 20. Full falls by at most 4 per step, so from 17 (just under the bound)
// four steps pass before one can starve the pet. The egg and the flower never get hungry.
constexpr int kHungryAtMost = 20;
// Dirty: at least 55 (the flower 70). Dirt rises by at most 7 per step (the flower and the egg
// 5); a bored pet falls sick above 85, a normal one above 90, and dirt costs health above 89,
// which is all the flower suffers. The egg's dirt passes on to the chick it hatches into.
constexpr int kDirtyAtLeast = 55;
constexpr int kFlowerDirtyAtLeast = 70;
// Sick: the body state Sick, or health below 60, where curing starts to help (a mark that Cure
// cannot answer would mislead). Health is lost over time only to dirt above 89, which the dirty
// mark announces long before, and it stops growth at 40.
constexpr int kAilingBelow = 60;
// The band before a need in which a meter shows "close".
constexpr int kCloseBand = 15;

struct Needs {
    bool hungry = false;
    bool dirty = false;
    bool sick = false;
    bool Any() const { return hungry || dirty || sick; }
};

Level LevelOf(Meter meter, const std::string& stage, int value);
Needs Of(const std::string& stage, const std::string& body, int health, int full, int dirty);

} // namespace needs
