#include "growth/Needs.h"

namespace needs {

namespace {
// Need when value <= bound (or >= bound for the statistics that count upward), close within
// the band before it.
Level Below(int value, int bound) {
    return value <= bound ? Level::Need : value <= bound + kCloseBand ? Level::Close : Level::Good;
}
Level Above(int value, int bound) {
    return value >= bound ? Level::Need : value >= bound - kCloseBand ? Level::Close : Level::Good;
}
} // namespace

Level LevelOf(Meter meter, const std::string& stage, int value) {
    switch (meter) {
    case Meter::Full:
        // Neither the egg nor the flower ever loses fullness.
        return stage == "Egg" || stage == "Flower" ? Level::Good : Below(value, kHungryAtMost);
    case Meter::Dirty:
        return Above(value, stage == "Flower" ? kFlowerDirtyAtLeast : kDirtyAtLeast);
    case Meter::Health:
        return Below(value, kAilingBelow - 1);
    case Meter::Mood:
    case Meter::Energy:
        // Low mood and energy make the pet bored or sleepy, which it gets over by itself.
        break;
    }
    return Level::Good;
}

Needs Of(const std::string& stage, const std::string& body, int health, int full, int dirty) {
    Needs held;
    held.hungry = LevelOf(Meter::Full, stage, full) == Level::Need;
    held.dirty = LevelOf(Meter::Dirty, stage, dirty) == Level::Need;
    held.sick = body == "Sick" || LevelOf(Meter::Health, stage, health) == Level::Need;
    return held;
}

} // namespace needs
