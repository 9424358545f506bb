#include "core/Seams.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace timing {
namespace {
Sleeper& CurrentSleeper() {
    static Sleeper sleeper;
    return sleeper;
}
} // namespace

void Sleep(double seconds) {
    if (const Sleeper& sleeper = CurrentSleeper()) {
        sleeper(seconds);
        return;
    }
    if (seconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }
}

Sleeper SetSleeper(Sleeper sleeper) {
    Sleeper previous = std::move(CurrentSleeper());
    CurrentSleeper() = std::move(sleeper);
    return previous;
}
} // namespace timing

namespace wallclock {
namespace {
Source& CurrentSource() {
    static Source source;
    return source;
}
} // namespace

std::time_t Now() {
    if (const Source& source = CurrentSource()) {
        return source();
    }
    return std::time(nullptr);
}

Source SetSource(Source source) {
    Source previous = std::move(CurrentSource());
    CurrentSource() = std::move(source);
    return previous;
}
} // namespace wallclock

namespace chance {
namespace {
class CLibrarySource final : public RandomSource {
public:
    void Seed(unsigned seed) override { std::srand(seed); }
    int Draw() override { return std::rand(); }
};

CLibrarySource cLibrary;
RandomSource* current = &cLibrary;
} // namespace

void Reseed() {
    current->Seed(static_cast<unsigned>(wallclock::Now()));
}

int Draw() {
    return current->Draw();
}

int R(int n) {
    if (n < 1) {
        n = 1;
    }
    return current->Draw() % n;
}

RandomSource* SetSource(RandomSource* source) {
    RandomSource* previous = current;
    current = source ? source : &cLibrary;
    return previous;
}
} // namespace chance

namespace paths {
std::string Map(const std::string& gamePath) {
    std::string mapped = gamePath;
    for (char& c : mapped) {
        if (c == '\\') {
            c = '/';
        }
    }
    return mapped;
}
} // namespace paths
