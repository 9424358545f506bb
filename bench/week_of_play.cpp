// Seven days of play at twenty passes a second, as fast as the machine goes (see WeekOfPlay.h).
// Prints the speed, the figures and the heap; exits non-zero on any failure.
// Usage: week_of_play [DAYS] (default 7), run from any folder.
#include "WeekOfPlay.h"
#include "core/Prototypes.h"

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char** argv) {
    const double days = argc > 1 ? std::atof(argv[1]) : 7.0;
    char pattern[] = "/tmp/hatchling-week-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        return 2;
    }
    week::CopyGameData(pattern);
    std::filesystem::current_path(pattern);
    std::streambuf* out = std::cout.rdbuf(nullptr);
    CreateStatePrototypes();
    std::cout.rdbuf(out);
    const auto began = std::chrono::steady_clock::now();
    const week::Figures f = week::Keeper(static_cast<std::uint64_t>(days * week::kPassesPerDay), 1).Run();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::filesystem::remove_all(pattern);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%llu passes (%.2f days) in %.1f s, %.0f passes/s\n",
                static_cast<unsigned long long>(f.passes), days, seconds,
                static_cast<double>(f.passes) / seconds);
    std::printf("%d life steps, %d commands, %d saves (%d read back), %d pets made, %d died, %zu stages\n",
                f.lifeSteps, f.commands, f.saves, f.savesReadBack, f.petsMade, f.deaths,
                f.stagesSaved.size());
    std::printf("life records: %zu files, %zu rows, %.1f kB in all, the largest %.1f kB\n", f.lifeFiles,
                f.lifeRows, static_cast<double>(f.lifeBytes) / 1024.0,
                static_cast<double>(f.largestLife) / 1024.0);
    for (const auto& [event, rows] : f.lifeEvents) {
        std::printf("  %s %zu", event.c_str(), rows);
    }
    std::printf("\n");
    std::printf("heap %zu bytes at a tenth, %zu at the end; peak resident %ld kB\n", f.heapAtTenth,
                f.heapAtEnd, usage.ru_maxrss);
    for (const std::string& failure : f.failures) {
        std::printf("FAILURE: %s\n", failure.c_str());
    }
    // A leak of a few bytes per pass or life step would add far more than this even in a quarter
    // day; the names of the pets alive, kept in the pet list, add about 35 kB in a week.
    const bool flat = f.heapAtEnd < f.heapAtTenth + 64 * 1024;
    std::printf("%s\n", flat ? "heap flat" : "FAILURE: the heap grew after warming up");
    // While a pet lives it steps every 101 passes; pets are dead for far less than half the time.
    const bool lived = f.lifeSteps > static_cast<int>(f.passes / 101 / 2);
    std::printf("%s", lived ? "" : "FAILURE: too few life steps\n");
    return f.failures.empty() && flat && lived && f.savesReadBack == f.saves ? 0 : 1;
}
