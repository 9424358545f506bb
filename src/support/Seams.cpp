#include "support/Seams.h"

#include <chrono>
#include <cstdint>
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
// Behaves like srand/rand (the same seed gives the same numbers, 0 to RAND_MAX) but seeds in a
// few nanoseconds: the game reseeds before every random rule, and the C library's srand
// costs far more than the rule itself.
class SeededSource final : public RandomSource {
public:
    void Seed(unsigned seed) override {
        // splitmix64 spreads neighbouring seconds over the whole state.
        std::uint64_t z = static_cast<std::uint64_t>(seed) + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        state = z ^ (z >> 31);
    }
    int Draw() override {
        // xorshift64*, top 31 bits.
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return static_cast<int>((state * 0x2545F4914F6CDD1Dull) >> 33);
    }

private:
    std::uint64_t state = 0x853C49E6748FEA9Bull;
};

SeededSource seeded;
RandomSource* current = &seeded;
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
    current = source ? source : &seeded;
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
