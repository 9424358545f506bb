#include "TestSupport.h"

#include "core/Prototypes.h"
#include "growth/GrowState.h"

#include <cstdio>

void EnsurePrototypes() {
    static bool created = false;
    if (!created) {
        created = true;
        CreateStatePrototypes();
    }
}

std::unique_ptr<GrowState> MakeStage(const std::string& name, const Stats& s) {
    EnsurePrototypes();
    char text[256];
    std::snprintf(text, sizeof text, "%.6f %.6f %d %d %d %d %d %d %d ", s.height, s.weight, s.strength,
                  s.wisdom, s.health, s.full, s.dirty, s.mood, s.energy);
    std::unique_ptr<GrowState> stage = GrowState::Create(name);
    stage->FromString(text);
    return stage;
}
