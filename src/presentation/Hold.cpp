#include "presentation/Hold.h"

#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"

#include <algorithm>

namespace facade {

void Hold(WindowApp& window, double seconds, const std::function<void()>& draw) {
    // Often enough that a window moved off this one leaves no ghost for long.
    constexpr double kRepaint = 0.25;
    for (double left = seconds;;) {
        draw();
        window.Display();
        const double wait = std::min(left, kRepaint);
        timing::Sleep(wait);
        left -= wait;
        if (left <= 0 || ending::Requested()) {
            return;
        }
    }
}

} // namespace facade
