// Seven days of play at twenty passes a second, run as fast as the machine goes: the real
// scheduler, a real pet's life steps, autosaves and a scripted player (see
// tests/hardening/WeekOfPlay.h). Prints passes per second, the heap at a tenth and at the end,
// and the peak resident memory; exits non-zero on any failure.
// Usage: week_of_play [DAYS] (default 7), run from any folder.

#include "WeekOfPlay.h"
#include "core/Prototypes.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    const double days = argc > 1 ? std::atof(argv[1]) : 7.0;
    const auto passes = static_cast<std::uint64_t>(days * static_cast<double>(week::kPassesPerDay));

    char pattern[] = "/tmp/hatchling-week-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 2;
    }
    const std::filesystem::path folder(pattern);
    const std::filesystem::path data(HATCHLING_GAME_DATA);
    std::filesystem::create_directories(folder / "Settings");
    std::filesystem::create_directories(folder / "Pets");
    for (const char* file : {"Settings/Food.list", "Settings/StatePic.list", "Settings/StateMove.list",
                             "Pets/Default.default"}) {
        std::filesystem::copy_file(data / file, folder / file);
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::streambuf* out = std::cout.rdbuf(nullptr);
    CreateStatePrototypes();
    std::cout.rdbuf(out);

    week::Keeper keeper(passes, 1);
    const week::Figures figures = keeper.Run();

    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);

    std::printf("passes            %llu (%.2f days)\n", static_cast<unsigned long long>(figures.passes),
                days);
    std::printf("time              %.1f s, %.0f passes/s\n", figures.seconds,
                static_cast<double>(figures.passes) / figures.seconds);
    std::printf("life steps        %d, commands %d, saves %d (read back %d)\n", figures.lifeSteps,
                figures.commands, figures.saves, figures.savesReadBack);
    std::printf("pets              %d made, %d died, %d opened\n", figures.petsMade, figures.deaths,
                figures.opens);
    std::string stages;
    for (const std::string& stage : figures.stagesSaved) {
        stages += " " + stage;
    }
    std::printf("stages saved     %s\n", stages.c_str());
    std::printf("heap              %zu bytes at a tenth, %zu at the end\n", figures.heapAtTenth,
                figures.heapAtEnd);
    std::printf("peak resident     %ld kB\n", figures.peakKilobytes);
    for (const std::string& failure : figures.failures) {
        std::printf("FAILURE: %s\n", failure.c_str());
    }
    const bool flat = figures.heapAtEnd < figures.heapAtTenth + 256 * 1024;
    if (!flat) {
        std::printf("FAILURE: the heap grew after warming up\n");
    }
    return figures.failures.empty() && flat && figures.savesReadBack == figures.saves ? 0 : 1;
}
