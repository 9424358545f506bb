#include "support/Pace.h"

#include <cmath>

namespace pace {
namespace {
constexpr double kSecondsPerPass = 0.05;
// A fed pet (full 100) is hungry again at 20; a life step takes off 2 of its fullness on average
// (0 to 4), so it is hungry after about 40 steps.
constexpr double kStepsUntilHungry = (100.0 - 20.0) / 2.0;

std::string Duration(double seconds) {
    if (seconds < 90.0) {
        return "about " + std::to_string(std::lround(seconds)) + " seconds";
    }
    const long minutes = std::lround(seconds / 60.0);
    return minutes < 50 ? "about " + std::to_string(minutes) + " minutes" : "about an hour";
}
} // namespace

const std::vector<Pace>& All() {
    static const std::vector<Pace> all = {Pace::Design, Pace::Relaxed, Pace::Gentle};
    return all;
}

std::string Name(Pace pace) {
    switch (pace) {
    case Pace::Relaxed:
        return "relaxed";
    case Pace::Gentle:
        return "gentle";
    case Pace::Design:
        break;
    }
    return "design";
}

std::optional<Pace> FromName(const std::string& name) {
    for (Pace pace : All()) {
        if (Name(pace) == name) {
            return pace;
        }
    }
    return std::nullopt;
}

std::uint64_t Factor(Pace pace) {
    return pace == Pace::Gentle ? 10 : pace == Pace::Relaxed ? 3 : 1;
}

std::uint64_t PassesPerStep(Pace pace) {
    return kDesignPassesPerStep * Factor(pace);
}

std::string Describe(Pace pace) {
    const double step = static_cast<double>(PassesPerStep(pace)) * kSecondsPerPass;
    return "a life step every " + Duration(step).substr(6) + ", hungry again in " +
           Duration(step * kStepsUntilHungry);
}

} // namespace pace
