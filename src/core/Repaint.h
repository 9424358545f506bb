#pragma once

#include "core/BehaviorScheduler.h"
#include "presentation/EventDispatcher.h"

#include <functional>
#include <utility>

// Paints the home screen again, so that a window uncovered or moved under a desktop without a
// compositor does not keep stale pieces (SFML reports no exposure): four times a second, and at
// once when the window gets the focus or the mouse comes in.
class Repaint : public AutoBehavior, public facade::EventOperation {
public:
    // Every 5th pass: four times a second at 0.05 s a pass.
    explicit Repaint(std::function<void()> paint) : AutoBehavior(4), paint(std::move(paint)) {}
    void Act() override { paint(); }
    void Execute() override { paint(); }

private:
    std::function<void()> paint;
};
