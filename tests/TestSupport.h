#pragma once

#include "growth/Game.h"
#include "support/FileError.h"
#include "support/Seams.h"

#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class GrowState;

// Scripted chance: hands out the given numbers in order and notes the reseeds, so every random
// rule can be checked with exact values and in its draw order.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() : previous(chance::SetSource(this)) {}
    explicit ScriptedRandom(std::initializer_list<int> draws) : ScriptedRandom() { queue = draws; }
    ~ScriptedRandom() override { chance::SetSource(previous); }

    void Seed(unsigned seed) override {
        seeds.push_back(seed);
        log += 'S';
    }
    int Draw() override {
        if (queue.empty()) {
            throw std::logic_error("ScriptedRandom: more draws than scripted");
        }
        int value = queue.front();
        queue.pop_front();
        log += 'D';
        return value;
    }

    std::vector<unsigned> seeds;
    // Reseeds and draws in the order they happened: 'S' for a reseed, 'D' for a draw.
    std::string log;

private:
    RandomSource* previous;
    std::deque<int> queue;
};

// Every draw the same number: the life rules then run without chance.
class ConstantRandom : public RandomSource {
public:
    explicit ConstantRandom(int value) : value(value), previous(chance::SetSource(this)) {}
    ~ConstantRandom() override { chance::SetSource(previous); }
    void Seed(unsigned) override {}
    int Draw() override { return value; }

private:
    int value;
    RandomSource* previous;
};

// Records every wait instead of sleeping.
class RecordedSleeps {
public:
    RecordedSleeps() : previous(timing::SetSleeper([this](double s) { waits.push_back(s); })) {}
    ~RecordedSleeps() { timing::SetSleeper(previous); }
    std::vector<double> waits;

private:
    timing::Sleeper previous;
};

// Fails the file operations that write, as a full or failing disk would: operations are counted
// from its making, and the ones named fail with their errno.
class FileFaults {
public:
    FileFaults() : previous(faults::SetInjector([this](faults::Op op) { return Next(op); })) {}
    ~FileFaults() { faults::SetInjector(previous); }
    // The n-th operation of any kind (from 1).
    void FailAt(int n, int error) { byCount[n] = error; }
    // The n-th and every later one, as a disk that stays full.
    void FailFrom(int n, int error) { from = {n, error}; }
    // The n-th operation of this kind.
    void Fail(faults::Op op, int nth, int error) { byKind[{op, nth}] = error; }
    int count = 0;
    std::map<faults::Op, int> seen; // operations of each kind so far

private:
    int Next(faults::Op op) {
        ++count;
        const auto fails = [](auto& rules, const auto& key) {
            const auto rule = rules.find(key);
            return rule == rules.end() ? 0 : rule->second;
        };
        const int error = count >= from.first ? from.second : fails(byCount, count);
        return error ? error : fails(byKind, std::pair{op, ++seen[op]});
    }
    faults::Injector previous;
    std::pair<int, int> from{INT_MAX, 0};
    std::map<int, int> byCount;
    std::map<std::pair<faults::Op, int>, int> byKind;
};

// A game whose every run gives the same counters and counts how often it was played.
class ScriptedGame : public Game {
public:
    ScriptedGame(int strength, int wisdom, int energy, int full, const std::string& name = "Scripted")
        : Game(name), strength(strength), wisdom(wisdom), energy(energy), full(full) {}
    void Play() override {
        ++plays;
        Reset();
        AddStrength(strength);
        AddWisdom(wisdom);
        AddEnergy(energy);
        AddFull(full);
    }
    int plays = 0;

private:
    int strength, wisdom, energy, full;
};

// The nine statistics of a test pet; the defaults trigger no growth and no body-state change
// in any stage.
struct Stats {
    double height = 30.0;
    double weight = 500.0;
    int strength = 0;
    int wisdom = 0;
    int health = 80;
    int full = 50;
    int dirty = 10;
    int mood = 50;
    int energy = 50;
};

// A stage object cloned from the registered prototype, with the given statistics.
std::unique_ptr<GrowState> MakeStage(const std::string& name, const Stats& stats = {});

// The message of the signal `action` raises, or "" when it raises none. A signal of any other
// type passes and fails the test.
template <class Signal, class Action> std::string SignalFrom(Action&& action) {
    try {
        action();
    } catch (const Signal& signal) {
        return signal.GetMessage();
    }
    return "";
}

// What the FileError that `action` raises says, or "accepted" when it raises none.
template <class Action> std::string RefusalOf(Action&& action) {
    try {
        action();
    } catch (const FileError& error) {
        return error.what();
    }
    return "accepted";
}

// Makes sure the fifteen state prototypes exist (once per test process).
void EnsurePrototypes();
