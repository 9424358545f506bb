#pragma once

// A week of play without a window: the real scheduler and its pass loop, a real pet living
// its life steps, periodic saves, and a scripted player who feeds, plays, cleans, cures, saves,
// opens and makes pets every few hundred passes. Sleeping and the wall clock go through the
// seams, so a simulated week runs in minutes. The game controller cannot exist without its
// window, so a keeper plays its part: the life step and the autosave below do what
// PetAutoBehavior and AutoSave do, against the keeper instead of the controller, and the
// keeper saves, opens and buries pets with the game's own file code.

#include "core/BehaviorScheduler.h"
#include "core/FileError.h"
#include "core/Initializer.h"
#include "core/Seams.h"
#include "core/Signals.h"
#include "core/TextFiles.h"
#include "pet/Food.h"
#include "pet/Game.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <sys/resource.h>
#include <vector>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WEEK_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define WEEK_UNDER_ASAN 1
#endif
#ifdef WEEK_UNDER_ASAN
#include <sanitizer/allocator_interface.h>
#else
#include <malloc.h>
#endif

namespace week {

// Passes in a day at twenty passes a second.
inline constexpr std::uint64_t kPassesPerDay = 1728000;

// Bytes the program holds on its heap right now (without what the sanitizer keeps aside).
inline std::size_t HeapInUse() {
#ifdef WEEK_UNDER_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

inline long PeakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Figures {
    std::uint64_t passes = 0;
    double seconds = 0;
    std::size_t heapAtTenth = 0;
    std::size_t heapAtEnd = 0;
    long peakKilobytes = 0;
    int lifeSteps = 0;
    int commands = 0;
    int saves = 0;
    int savesReadBack = 0;
    int deaths = 0;
    int petsMade = 0;
    int opens = 0;
    std::set<std::string> stagesSaved;
    std::vector<std::string> failures;
};

class Keeper;

// What PetAutoBehavior does, with the keeper in the controller's place.
class LifeStep : public AutoBehavior {
public:
    LifeStep(Pet* pet, Keeper* keeper) : AutoBehavior(100), pet(pet), keeper(keeper) {}
    void Act() override;

private:
    Pet* pet;
    Keeper* keeper;
};

// What AutoSave does.
class KeeperSave : public AutoBehavior {
public:
    explicit KeeperSave(Keeper* keeper) : AutoBehavior(6000), keeper(keeper) {}
    void Act() override;

private:
    Keeper* keeper;
};

// The player's commands arrive where the event poll would deliver them: every second pass.
class Player : public AutoBehavior {
public:
    explicit Player(Keeper* keeper) : AutoBehavior(1), keeper(keeper) {}
    void Act() override;

private:
    Keeper* keeper;
};

// A mini-game whose runs end in scripted wins and losses.
class ScriptedMatch : public Game {
public:
    explicit ScriptedMatch(std::mt19937& random) : Game("WeekMatch"), random(random) {}
    void Play() override {
        Reset();
        for (int turn = 0; turn < 3; ++turn) {
            const int outcome = static_cast<int>(random() % 3);
            AddResult(outcome - 1);
            AddStrength(outcome == 2 ? 2 : 0);
            AddWisdom(outcome == 0 ? 1 : 0);
        }
        AddEnergy(-10);
        AddFull(-5);
    }

private:
    std::mt19937& random;
};

// Plays the controller's part for a run of `passes` passes; the working directory must hold
// the game's Settings (Food.list) and Pets (Default.default) folders.
class Keeper {
public:
    Keeper(std::uint64_t passes, std::uint32_t seed) : target(passes), random(seed), match(random) {}

    Figures Run() {
        const wallclock::Source oldClock =
            wallclock::SetSource([this] { return kStart + static_cast<std::time_t>(simulatedSeconds); });
        const timing::Sleeper oldSleeper = timing::SetSleeper([this](double seconds) { Slept(seconds); });
        std::streambuf* oldOut = std::cout.rdbuf(nullptr);
        std::streambuf* oldErr = std::cerr.rdbuf(nullptr);

        foods = Initializer::GetInstance()->InitFoodList("Settings\\Food.list");
        if (foods.empty()) {
            figures.failures.push_back("no food to give");
        }
        standing.push_back(std::make_unique<KeeperSave>(this));
        standing.push_back(std::make_unique<Player>(this));
        for (auto& behavior : standing) {
            scheduler.Add(behavior.get());
        }
        NewPet();

        const auto began = std::chrono::steady_clock::now();
        scheduler.Run();
        figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        Save();
        figures.heapAtEnd = HeapInUse();
        figures.peakKilobytes = PeakResidentKilobytes();
        CheckPetList();

        std::cerr.rdbuf(oldErr);
        std::cout.rdbuf(oldOut);
        timing::SetSleeper(oldSleeper);
        wallclock::SetSource(oldClock);
        return figures;
    }

    void CountLifeStep() { ++figures.lifeSteps; }

    void Save() {
        if (!pet) {
            return;
        }
        const std::string path = petfile::DataPath(pet->GetName());
        const std::vector<std::string> lines = pet->GetLines();
        ++figures.saves;
        if (!textfiles::WriteLines(path, lines)) {
            Fail("the save of " + pet->GetName() + " failed");
            return;
        }
        try {
            const PetRecord saved = petfile::ReadData(path);
            if (saved.name + " " + std::to_string(saved.age) != lines[0] ||
                saved.stage + " " + saved.body != lines[1] || saved.statistics != lines[2]) {
                Fail("the saved file of " + pet->GetName() + " reads back differently");
            } else {
                ++figures.savesReadBack;
                figures.stagesSaved.insert(saved.stage);
            }
        } catch (const FileError& error) {
            Fail(std::string("a save cannot be read: ") + error.what());
        }
    }

    void PlayerTurn() {
        if (passes < nextCommand) {
            return;
        }
        nextCommand = passes + 500 + random() % 1000;
        ++figures.commands;
        if (!pet) {
            NewPet();
            return;
        }
        try {
            switch (random() % 20) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 4:
            case 5:
            case 6:
            case 7: {
                auto food = foods.begin();
                std::advance(food, static_cast<long>(random() % foods.size()));
                pet->Feed(*food->second);
                break;
            }
            case 8:
                pet->Play(match);
                break;
            case 9:
            case 10:
            case 11:
                pet->Clean();
                break;
            case 12:
            case 13:
                pet->Cure();
                break;
            case 14:
            case 15:
                Save();
                break;
            case 16:
            case 17:
                Open();
                break;
            case 18:
                NewPet();
                break;
            default:
                if (pet->StatusText().find("Name:" + pet->GetName()) != 0) {
                    Fail("the status does not name the pet");
                }
                break;
            }
        } catch (Die&) {
            OnDeath();
        }
    }

    void Slept(double seconds) {
        simulatedSeconds += seconds;
        if (seconds != BehaviorScheduler::kPassPause) {
            return;
        }
        ++passes;
        figures.passes = passes;
        if (passes == target / 10) {
            figures.heapAtTenth = HeapInUse();
        }
        if (passes >= target) {
            scheduler.Stop();
        }
    }

private:
    void Fail(const std::string& what) {
        if (figures.failures.size() < 20) {
            figures.failures.push_back("pass " + std::to_string(passes) + ": " + what);
        }
    }

    std::string NextName() {
        // Names as the name prompt allows them: capitals, blanks and dashes.
        std::string letters;
        for (int n = ++named; n > 0; n /= 26) {
            letters += static_cast<char>('A' + n % 26);
        }
        return named % 3 == 0 ? "BIG " + letters : "PET-" + letters;
    }

    void Adopt(std::unique_ptr<Pet> next) {
        if (life) {
            scheduler.Remove(life.get());
        }
        pet = std::move(next);
        life = std::make_unique<LifeStep>(pet.get(), this);
        scheduler.Add(life.get());
    }

    void NewPet() {
        Save();
        const std::string name = NextName();
        try {
            Adopt(std::make_unique<Pet>("Default", name, nullptr, &factory));
        } catch (const FileError& error) {
            Fail(std::string("no new pet: ") + error.what());
            return;
        }
        ++figures.petsMade;
        petNames.push_back(name);
        if (!textfiles::AppendLine("Settings\\Pet.list", name)) {
            Fail("the pet list could not take " + name);
        }
        Save();
    }

    void Open() {
        Save();
        if (petNames.empty()) {
            return;
        }
        const std::string name = petNames[random() % petNames.size()];
        if (pet && pet->GetName() == name) {
            return;
        }
        try {
            Adopt(std::make_unique<Pet>(name, nullptr, &factory));
            ++figures.opens;
        } catch (const FileError& error) {
            Fail(std::string("a saved pet cannot be opened: ") + error.what());
        }
    }

public:
    // Like the controller's death sequence, this deletes the life step that may have called it.
    void OnDeath() {
        ++figures.deaths;
        const std::string name = pet->GetName();
        petNames.erase(std::remove(petNames.begin(), petNames.end(), name), petNames.end());
        if (!textfiles::WriteLines("Settings\\Pet.list", petNames)) {
            Fail("the pet list could not drop " + name);
        }
        scheduler.Remove(life.get());
        life.reset();
        pet.reset();
    }

private:
    void CheckPetList() {
        std::vector<std::string> onDisk;
        if (!textfiles::ReadLines("Settings\\Pet.list", onDisk) || onDisk != petNames) {
            Fail("the pet list on disk is not the list of living pets");
        }
    }

    static constexpr std::time_t kStart = 1700000000;
    std::uint64_t target;
    std::uint64_t passes = 0;
    std::uint64_t nextCommand = 0;
    double simulatedSeconds = 0;
    std::mt19937 random;
    ScriptedMatch match;
    int named = 0;
    BehaviorScheduler scheduler;
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};
    std::map<std::string, std::unique_ptr<Food>> foods;
    std::vector<std::string> petNames;
    std::unique_ptr<Pet> pet;
    std::unique_ptr<LifeStep> life;
    std::vector<std::unique_ptr<AutoBehavior>> standing;
    Figures figures;
};

inline void LifeStep::Act() {
    keeper->CountLifeStep();
    try {
        pet->Live();
    } catch (Die&) {
        // The death sequence deletes this very behaviour: touch nothing of ours afterwards.
        keeper->OnDeath();
    }
}

inline void KeeperSave::Act() {
    keeper->Save();
}

inline void Player::Act() {
    keeper->PlayerTurn();
}

} // namespace week
