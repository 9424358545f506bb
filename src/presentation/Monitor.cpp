#include "presentation/Monitor.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace facade {

int DensityScale(std::optional<double> dpi, const std::string& gdkScale) {
    // Desktops write 96 dots per inch for an ordinary screen and multiples for dense ones.
    double wanted = 1.0;
    int whole = 0;
    const char* end = gdkScale.data() + gdkScale.size();
    if (dpi && std::isfinite(*dpi) && *dpi > 0.0) {
        wanted = std::round(*dpi / 96.0);
    } else if (auto [at, error] = std::from_chars(gdkScale.data(), end, whole);
               error == std::errc() && at == end) {
        wanted = whole;
    }
    return static_cast<int>(std::clamp(wanted, double(kSmallestScale), double(kLargestScale)));
}

int FittingScale(int wanted, unsigned width, unsigned height, const Monitor& monitor) {
    int scale = std::clamp(wanted, kSmallestScale, kLargestScale);
    // Compared in tenths, so that 90 % needs no rounding.
    const auto fits = [&](int s) {
        return 10ull * width * unsigned(s) <= 9ull * monitor.width &&
               10ull * height * unsigned(s) <= 9ull * monitor.height;
    };
    while (scale > kSmallestScale && !fits(scale)) {
        --scale;
    }
    return scale;
}

sf::Vector2i Centre(unsigned width, unsigned height, const Monitor& monitor) {
    const auto start = [](int origin, unsigned room, unsigned size) {
        return origin + (size >= room ? 0 : static_cast<int>((room - size) / 2));
    };
    return {start(monitor.x, monitor.width, width), start(monitor.y, monitor.height, height)};
}

} // namespace facade
