#include "core/BehaviorScheduler.h"

#include "support/EndRequest.h"
#include "support/Seams.h"

#include <algorithm>

AutoBehavior::AutoBehavior(const std::uint32_t& requested) : counter(0) {
    SetPeriod(requested);
    chance::Reseed();
    counter = static_cast<std::uint32_t>(chance::Draw()) % period;
}

void AutoBehavior::SetPeriod(std::uint32_t passes) {
    period = std::clamp<std::uint32_t>(passes, 1, kMaxPeriod);
}

void BehaviorScheduler::Add(AutoBehavior* behavior) {
    behaviors.reserve(16);
    behaviors.push_back(behavior);
}

void BehaviorScheduler::Remove(AutoBehavior* behavior) {
    auto found = std::find(behaviors.begin(), behaviors.end(), behavior);
    if (found != behaviors.end()) {
        behaviors.erase(found);
    }
}

void BehaviorScheduler::RunPass() {
    for (std::size_t i = 0; i < behaviors.size(); ++i) {
        AutoBehavior* behavior = behaviors[i];
        if (behavior->IsWaiting()) {
            behavior->Tick();
        } else {
            behavior->Trigger();
        }
    }
}

void BehaviorScheduler::Run() {
    // A request to end from outside also ends the loop; main then quits the game.
    while (!stopped && !ending::Requested()) {
        RunPass();
        timing::Sleep(kPassPause);
    }
}
