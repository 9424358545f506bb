#pragma once

#include "core/Seams.h"

#include <ctime>
#include <deque>
#include <initializer_list>
#include <stdexcept>
#include <vector>

// Scripted chance: hands out the given numbers in order and counts reseeds, so every random
// rule can be checked with exact values and in its draw order.
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() : previous(chance::SetSource(this)) {}
    explicit ScriptedRandom(std::initializer_list<int> draws) : ScriptedRandom() { Script(draws); }
    ~ScriptedRandom() override { chance::SetSource(previous); }

    void Script(std::initializer_list<int> draws) { queue.insert(queue.end(), draws.begin(), draws.end()); }
    void Seed(unsigned seed) override {
        ++reseeds;
        seeds.push_back(seed);
    }
    int Draw() override {
        if (queue.empty()) {
            throw std::logic_error("ScriptedRandom: more draws than scripted");
        }
        int value = queue.front();
        queue.pop_front();
        ++draws;
        return value;
    }
    std::size_t Left() const { return queue.size(); }

    int reseeds = 0;
    int draws = 0;
    std::vector<unsigned> seeds;

private:
    RandomSource* previous;
    std::deque<int> queue;
};

// Records every wait instead of sleeping.
class RecordedSleeps {
public:
    RecordedSleeps() {
        previous = timing::SetSleeper([this](double s) { waits.push_back(s); });
    }
    ~RecordedSleeps() { timing::SetSleeper(previous); }
    double Total() const {
        double sum = 0;
        for (double w : waits) {
            sum += w;
        }
        return sum;
    }
    std::vector<double> waits;

private:
    timing::Sleeper previous;
};

// Makes sure the fifteen state prototypes exist (once per test process).
void EnsurePrototypes();
