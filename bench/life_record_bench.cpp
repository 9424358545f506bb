// How fast a pet's life record reads back: 100,000 rows (more than a year of continuous play at
// one "live" row a minute, plus its care).
#include "pet/LifeRecord.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {
struct Record {
    Record() {
        folder = std::filesystem::temp_directory_path() / "hatchling-bench-life";
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "Pets");
        path = (folder / "Pets" / "BENCH.life").string();
        std::vector<LifeRow> rows;
        for (std::uint64_t i = 0; i < kRows; ++i) {
            LifeRow row{"2026-12-07T09:00:00+01:00",
                        i * 6,
                        i % 3 ? "live" : "feed",
                        "SmallChick",
                        "Normal",
                        40.0 + static_cast<double>(i % 500) / 10.0,
                        700.0 + static_cast<double>(i % 997) / 4.0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        0,
                        ""};
            row.mood = static_cast<int>(i % 101);
            row.full = static_cast<int>((i * 7) % 101);
            row.energy = static_cast<int>((i * 3) % 101);
            row.health = 80;
            row.dirty = static_cast<int>((i * 11) % 60);
            row.strength = static_cast<int>(i / 1000);
            row.wisdom = static_cast<int>(i / 2000);
            row.detail = i % 3 ? "" : "Milk";
            rows.push_back(row);
        }
        liferecord::Tail tail;
        liferecord::Append(path, rows, tail);
    }
    ~Record() { std::filesystem::remove_all(folder); }
    static constexpr std::uint64_t kRows = 100000;
    std::filesystem::path folder;
    std::string path;
};

void ReadLifeRecord100k(benchmark::State& state) {
    static const Record record;
    for (auto _ : state) {
        const liferecord::Reading read = liferecord::Read(record.path, true);
        if (read.rows.size() != Record::kRows || read.refused != 0) {
            state.SkipWithError("the record did not read back whole");
            break;
        }
        benchmark::DoNotOptimize(read.rows.data());
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(record.path));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Record::kRows));
}
BENCHMARK(ReadLifeRecord100k)->Unit(benchmark::kMillisecond);
} // namespace
