// How fast a pet's life record reads back: 100,000 rows (more than a year of continuous play at
// one "live" row a minute, plus its care); and the memorial of 50 dead pets with 10,000 rows each.
#include "pet/LifeRecord.h"
#include "pet/Remembered.h"
#include "support/Seams.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {
struct Record {
    explicit Record(std::uint64_t rowCount = kRows, const char* name = "hatchling-bench-life") {
        folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "Pets");
        path = (folder / "Pets" / "BENCH.life").string();
        std::vector<LifeRow> rows;
        for (std::uint64_t i = 0; i < rowCount; ++i) {
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

// The memorial page reads every dead pet's record when it opens.
void ReadMemorial50x10k(benchmark::State& state) {
    static const Record record(10000, "hatchling-bench-memorial");
    static const bool made = [] {
        const std::filesystem::path kept = record.folder / "Pets" / "Memories";
        std::filesystem::create_directories(kept);
        for (int pet = 0; pet < 50; ++pet) {
            const std::string stem =
                "PET" + std::to_string(pet) + " 2026-12-07 08-" + std::to_string(10 + pet);
            std::filesystem::copy_file(record.path, kept / (stem + ".life"));
            std::ofstream(kept / (stem + ".data"))
                << "PET" << pet << " 3\nSmallChick Normal\n40 700 0 0 80 50 10 50 80 \n";
        }
        std::filesystem::remove(record.path);
        return true;
    }();
    paths::SetLayers({record.folder.string(), ""});
    for (auto _ : state) {
        const std::vector<remembered::Pet> pets = remembered::All({});
        if (!made || pets.size() != 50 || pets.front().health.size() != remembered::kStrip) {
            state.SkipWithError("the memorial did not read every pet");
            break;
        }
        benchmark::DoNotOptimize(pets.data());
    }
    paths::SetLayers({});
}
BENCHMARK(ReadMemorial50x10k)->Unit(benchmark::kMillisecond);
} // namespace
