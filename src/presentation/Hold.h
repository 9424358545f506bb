#pragma once

#include <functional>

namespace facade {

class WindowApp;

// Keeps a screen up for `seconds` (a message, the status view): `draw` paints it now and again
// four times a second, so that a window uncovered meanwhile shows it whole rather than stale
// pieces.
void Hold(WindowApp& window, double seconds, const std::function<void()>& draw);

} // namespace facade
