#include "support/Seams.h"

#include "support/EndRequest.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>

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
    // Waits are cut into short slices so that a request to end is answered within a moment,
    // whatever the game was waiting for.
    constexpr double kSlice = 0.05;
    while (seconds > 0 && !ending::Requested()) {
        const double slice = seconds < kSlice ? seconds : kSlice;
        std::this_thread::sleep_for(std::chrono::duration<double>(slice));
        seconds -= slice;
    }
}

Sleeper SetSleeper(Sleeper sleeper) {
    return std::exchange(CurrentSleeper(), std::move(sleeper));
}

bool Retry(const std::function<bool()>& attempt, double pause) {
    while (!attempt()) {
        if (ending::Requested()) {
            return false;
        }
        Sleep(pause);
    }
    return true;
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
    return std::exchange(CurrentSource(), std::move(source));
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
namespace {
Layers layers;

std::string Slashed(const std::string& gamePath) {
    std::string mapped = gamePath;
    for (char& c : mapped) {
        if (c == '\\') {
            c = '/';
        }
    }
    return mapped;
}

// An absolute path (an icon named in full, say) stays as it is in every layer.
std::string In(const std::string& folder, const std::string& relative) {
    if (folder.empty() || relative.empty() || relative.front() == '/') {
        return relative;
    }
    return folder + "/" + relative;
}
} // namespace

void SetLayers(Layers set) {
    layers = std::move(set);
}

const Layers& GetLayers() {
    return layers;
}

std::string Map(const std::string& gamePath) {
    const std::string relative = Slashed(gamePath);
    if (layers.shipped.empty()) {
        return In(layers.player, relative);
    }
    std::string own = In(layers.player, relative);
    std::error_code ignored;
    return std::filesystem::exists(own, ignored) ? own : In(layers.shipped, relative);
}

std::string MapForWrite(const std::string& gamePath) {
    return In(layers.player, Slashed(gamePath));
}
} // namespace paths

namespace faults {
namespace {
Injector& CurrentInjector() {
    static Injector injector;
    return injector;
}
} // namespace

Injector SetInjector(Injector injector) {
    return std::exchange(CurrentInjector(), std::move(injector));
}

int Next(Op op) {
    const Injector& injector = CurrentInjector();
    return injector ? injector(op) : 0;
}
} // namespace faults
