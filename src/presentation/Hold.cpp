#include "presentation/Hold.h"

#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"

#include <algorithm>

namespace facade {

void Hold(WindowApp& window, double seconds, const std::function<void()>& draw) {
    constexpr double kRepaint = 1.0;
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
