#pragma once

// A week of play without a window: the real scheduler and its pass loop, a real pet living its
// life steps, periodic saves read back, and a scripted player who feeds, plays, cleans, cures,
// saves, opens and makes pets every few hundred passes. Sleeping and the wall clock go through
// the seams, so a simulated week runs in minutes. The keeper plays the game controller's part
// (which cannot exist without its window) with the game's own pet store.

#include "core/BehaviorScheduler.h"
#include "core/Initializer.h"
#include "growth/Food.h"
#include "growth/Game.h"
#include "growth/StateFactory.h"
#include "pet/LifeRecord.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "pet/PetStore.h"
#include "support/FileError.h"
#include "support/Happenings.h"
#include "support/Seams.h"
#include "support/Signals.h"
#include "support/TextFiles.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>

#include <malloc.h>

namespace week {

inline constexpr std::uint64_t kPassesPerDay = 1728000; // twenty passes a second

// Bytes on the heap right now (under the sanitizers always 0: LeakSanitizer watches there).
inline std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

// The files the keeper reads, copied from the built game data into `folder`.
inline void CopyGameData(const std::filesystem::path& folder) {
    for (const char* file : {"Settings/Food.list", "Settings/StatePic.list", "Settings/StateMove.list",
                             "Pets/Default.default"}) {
        std::filesystem::create_directories((folder / file).parent_path());
        std::filesystem::copy_file(std::filesystem::path(HATCHLING_GAME_DATA) / file, folder / file,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

struct Figures {
    std::uint64_t passes = 0;
    std::size_t heapAtTenth = 0, heapAtEnd = 0;
    int lifeSteps = 0, commands = 0, saves = 0, savesReadBack = 0, deaths = 0, petsMade = 0;
    std::set<std::string> stagesSaved;
    std::vector<std::string> failures;
    // The pets' life records at the end: all of them, and the largest.
    std::uintmax_t lifeBytes = 0, largestLife = 0;
    std::size_t lifeFiles = 0, lifeRows = 0, lifeRefused = 0;
    std::map<std::string, std::size_t> lifeEvents;
};

class Every : public AutoBehavior {
public:
    Every(std::uint32_t period, std::function<void()> act) : AutoBehavior(period), act(std::move(act)) {}
    void Act() override { act(); }

private:
    std::function<void()> act;
};

// A mini-game whose runs end in random wins and losses.
class Match : public Game {
public:
    explicit Match(std::mt19937& random) : Game("WeekMatch"), random(random) {}
    void Play() override {
        Reset();
        const int outcome = static_cast<int>(random() % 3);
        AddResult(outcome - 1);
        AddStrength(outcome == 2 ? 2 : 0);
        AddWisdom(outcome == 0 ? 1 : 0);
        AddEnergy(-10);
        AddFull(-5);
    }

private:
    std::mt19937& random;
};

// Plays `passes` passes in the working directory, which must hold CopyGameData's files.
class Keeper {
public:
    Keeper(std::uint64_t passes, std::uint32_t seed) : target(passes), random(seed) {}

    Figures Run() {
        const auto oldClock = wallclock::SetSource([this] { return std::time_t(1700000000 + seconds); });
        const auto oldSleeper = timing::SetSleeper([this](double s) { Slept(s); });
        std::streambuf* oldOut = std::cout.rdbuf(nullptr);
        std::streambuf* oldErr = std::cerr.rdbuf(nullptr);
        foods = Initializer::GetInstance()->InitFoodList("Settings\\Food.list");
        Every autosave(6000, [this] { Save(); });
        Every player(1, [this] { PlayerTurn(); }); // where the event poll would deliver commands
        scheduler.Add(&autosave);
        scheduler.Add(&player);
        NewPet();
        scheduler.Run();
        Save();
        figures.heapAtEnd = HeapInUse();
        std::vector<std::string> onDisk;
        if (!textfiles::ReadLines("Settings\\Pet.list", onDisk) || onDisk != store.Names()) {
            Fail("the pet list on disk is not the list of living pets");
        }
        MeasureLifeRecords();
        std::cerr.rdbuf(oldErr);
        std::cout.rdbuf(oldOut);
        timing::SetSleeper(oldSleeper);
        wallclock::SetSource(oldClock);
        return figures;
    }

private:
    void Fail(const std::string& what) {
        figures.failures.push_back("pass " + std::to_string(figures.passes) + ": " + what);
    }

    void Slept(double s) {
        seconds += s;
        if (s == BehaviorScheduler::kPassPause && ++figures.passes == target / 10) {
            figures.heapAtTenth = HeapInUse();
        }
        if (figures.passes >= target) {
            scheduler.Stop();
        }
    }

    void Save() {
        if (!pet) {
            return;
        }
        const std::vector<std::string> lines = pet->GetLines();
        ++figures.saves;
        try {
            const std::string path = petfile::DataPath(pet->GetName());
            const PetRecord saved = store.Save(*pet) ? petfile::ReadData(path) : PetRecord{};
            if (saved.name + " " + std::to_string(saved.age) + "\n" + saved.stage + " " + saved.body + "\n" +
                    saved.statistics !=
                lines[0] + "\n" + lines[1] + "\n" + lines[2]) {
                return Fail("the save of " + pet->GetName() + " reads back differently");
            }
            ++figures.savesReadBack;
            figures.stagesSaved.insert(saved.stage);
        } catch (const FileError& error) {
            Fail(std::string("a save cannot be read: ") + error.what());
        }
    }

    void PlayerTurn() {
        if (figures.passes < nextCommand) {
            return;
        }
        nextCommand = figures.passes + 500 + random() % 1000;
        ++figures.commands;
        const unsigned pick = pet ? random() % 20 : 18;
        try {
            if (pick < 8) {
                pet->Feed(*std::next(foods.begin(), static_cast<long>(random() % foods.size()))->second);
            } else if (pick < 9) {
                pet->Play(match);
            } else if (pick < 12) {
                pet->Clean();
            } else if (pick < 14) {
                pet->Cure();
            } else if (pick < 16) {
                Save();
            } else if (pick < 18) {
                Open(store.Names()[random() % store.Names().size()]);
            } else if (pick < 19) {
                NewPet();
            } else if (pet->StatusText().find("Name:" + pet->GetName()) != 0) {
                Fail("the status does not name the pet");
            }
        } catch (Die& death) {
            Died(death.GetMessage());
        }
    }

    bool Adopt(const std::string& name, bool newborn) {
        Save();
        try {
            std::unique_ptr<Pet> adopted = newborn ? store.Make(name, nullptr) : store.Open(name, nullptr);
            if (!adopted) {
                Fail(name + " is listed but opens dead");
                return false;
            }
            pet = std::move(adopted);
        } catch (const FileError& error) {
            Fail(std::string("no pet: ") + error.what());
            return false;
        }
        happenings::Announce(newborn ? happenings::Kind::Made : happenings::Kind::Opened, name);
        if (life) {
            scheduler.Remove(life.get());
        }
        life = std::make_unique<Every>(100, [this] {
            ++figures.lifeSteps;
            try {
                pet->Live();
            } catch (Die& death) {
                Died(death.GetMessage()); // deletes this very behaviour, as the controller's death sequence
                                          // does
            }
        });
        scheduler.Add(life.get());
        return true;
    }

    void NewPet() {
        ++named;
        const std::string name = (named % 3 ? "PET-" : "BIG ") + std::to_string(named);
        if (!Adopt(name, true)) {
            return;
        }
        ++figures.petsMade;
        Save();
    }

    void Open(const std::string& name) {
        if (pet->GetName() != name) {
            Adopt(name, false);
        }
    }

    void Died(const std::string& cause) {
        ++figures.deaths;
        store.Bury(*pet, cause);
        if (store.IsListed(pet->GetName())) {
            Fail("the pet list could not drop a dead pet");
        }
        happenings::Announce(happenings::Kind::Died, cause);
        scheduler.Remove(life.get());
        life.reset();
        pet.reset();
    }

    std::uint64_t target, nextCommand = 0;
    double seconds = 0;
    std::mt19937 random;
    Match match{random};
    int named = 0;
    BehaviorScheduler scheduler;
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};
    std::map<std::string, std::unique_ptr<Food>> foods;
    std::unique_ptr<Pet> pet;
    std::unique_ptr<Every> life;
    Figures figures;
    LifeRecorder recorder{[this] { return pet.get(); }};
    PetStore store{{}, recorder, &factory};

    // Every record must read back whole.
    void MeasureLifeRecords() {
        for (const auto& entry : std::filesystem::directory_iterator("Pets")) {
            if (entry.path().extension() != ".life") {
                continue;
            }
            const std::uintmax_t size = entry.file_size();
            const liferecord::Reading read =
                liferecord::Read("Pets\\" + entry.path().filename().string(), false);
            ++figures.lifeFiles;
            figures.lifeBytes += size;
            figures.largestLife = std::max(figures.largestLife, size);
            figures.lifeRows += read.rows.size();
            figures.lifeRefused += static_cast<std::size_t>(read.refused);
            for (const LifeRow& row : read.rows) {
                ++figures.lifeEvents[row.event];
            }
        }
        if (figures.lifeRefused > 0) {
            Fail("a life record holds lines that are not rows");
        }
    }
};

} // namespace week
