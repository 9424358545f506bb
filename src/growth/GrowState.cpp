#include "growth/GrowState.h"

#include "growth/Food.h"
#include "growth/Game.h"
#include "support/FileError.h"
#include "support/Seams.h"
#include "support/Signals.h"
#include "support/StringTokenizer.h"

#include <climits>
#include <cstdint>
#include <iostream>

namespace {
// Sums are taken in 64 bits and saturated, so hostile values in a pet file cannot overflow.
int Saturate(std::int64_t value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}

std::int64_t Sum(int a, int b) {
    return static_cast<std::int64_t>(a) + b;
}

int CapAt100(std::int64_t value) {
    return value > 100 ? 100 : Saturate(value);
}
} // namespace

GrowState::GrowState(const std::string& name) : name(name) {
    Registry().emplace(name, this);
    std::cout << name << std::endl;
}

GrowState::~GrowState() {
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found != registry.end() && found->second == this) {
        registry.erase(found);
    }
}

std::map<std::string, GrowState*>& GrowState::Registry() {
    // Never destroyed: prototypes may unregister themselves during exit.
    static auto& registry = *new std::map<std::string, GrowState*>();
    return registry;
}

std::unique_ptr<GrowState> GrowState::Create(const std::string& name) {
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found == registry.end()) {
        throw FileError("unknown growth stage \"" + name + "\"");
    }
    return found->second->Clone();
}

bool GrowState::IsRegistered(const std::string& name) {
    return Registry().count(name) != 0;
}

double GrowState::HeightAfter(double height, double gain) {
    return height + gain > kMostHeight ? kMostHeight : height + gain;
}

void GrowState::AddHeight(double v) {
    height = HeightAfter(height, v);
}

void GrowState::AddWeight(double v) {
    weight += v;
}

void GrowState::AddStrength(int v) {
    strength = Saturate(Sum(strength, v));
}

void GrowState::AddWisdom(int v) {
    wisdom = Saturate(Sum(wisdom, v));
}

std::optional<int> GrowState::HealthAfter(int health, int v) {
    const std::int64_t sum = Sum(health, v);
    return sum < 0 ? std::nullopt : std::optional<int>(CapAt100(sum));
}

void GrowState::AddHealth(int v) {
    const std::optional<int> after = HealthAfter(health, v);
    if (!after) {
        throw Die("Die From Unhealthiness!");
    }
    health = *after;
}

bool GrowState::Starves(int full, int v) {
    return Sum(full, v) < 0;
}

int GrowState::FullAfter(int full, int v) {
    return CapAt100(Sum(full, v));
}

void GrowState::AddFull(int v) {
    if (Starves(full, v)) {
        throw Die("Die From Starving!");
    }
    if (RefusesGain(full, v)) {
        throw InvalidOperation("I'm already Full!");
    }
    full = FullAfter(full, v);
}

void GrowState::AddDirty(int v) {
    if (dirty <= 0 && v < 0) {
        throw InvalidOperation("I'm clean Enough!");
    }
    const std::int64_t sum = Sum(dirty, v);
    dirty = sum < 0 ? 0 : CapAt100(sum);
}

void GrowState::AddMood(int v) {
    mood = CapAt100(Sum(mood, v));
}

void GrowState::AddEnergy(int v) {
    energy = CapAt100(Sum(energy, v));
}

std::string GrowState::ToString() const {
    std::string text;
    text.reserve(96);
    for (double value : {height, weight}) {
        text += StringTokenizer::ToString(value);
        text += ' ';
    }
    for (int value : {strength, wisdom, health, full, dirty, mood, energy}) {
        text += StringTokenizer::ToString(value);
        text += ' ';
    }
    return text;
}

void GrowState::FromString(const std::string& text) {
    StringTokenizer reader(text);
    const double newHeight = reader.NextDouble();
    const double newWeight = reader.NextDouble();
    int values[7];
    for (int& value : values) {
        value = reader.NextInt();
    }
    if (reader.RanPastEnd()) {
        throw FileError("the statistics line \"" + text + "\" has fewer than 9 fields");
    }
    height = newHeight;
    weight = newWeight;
    strength = values[0];
    wisdom = values[1];
    health = values[2];
    full = values[3];
    dirty = values[4];
    mood = values[5];
    energy = values[6];
}

void GrowState::FeedNormal(const Food& food) {
    AddHeight(food.GetHeight());
    AddWeight(food.GetWeight());
    AddStrength(food.GetStrength());
    AddWisdom(food.GetWisdom());
    AddHealth(food.GetHealth());
    AddFull(food.GetFull());
    AddMood(food.GetMood());
    AddEnergy(food.GetEnergy());
}

void GrowState::PlayNormal(Game& game) {
    game.Play();
    AddStrength(game.GetStrength());
    AddWisdom(game.GetWisdom());
    AddEnergy(game.GetEnergy());
    AddFull(game.GetFull());
}

void GrowState::CleanNormal() {
    chance::Reseed();
    AddDirty(-(8 + chance::R(4)));
}

void GrowState::CureNormal() {
    chance::Reseed();
    if (health < 60) {
        AddHealth(20 + chance::R(20));
    }
}

void GrowState::LiveNormal() {
    chance::Reseed();
    AddMood(-chance::R(5));
    AddEnergy(-chance::R(5));
    AddFull(-chance::R(5));
    AddDirty(3 + chance::R(5));
    if (dirty > 89) {
        AddHealth(-(3 + chance::R(5)));
    }
}

void GrowState::FeedSleep(const Food&) {
    throw InvalidOperation("Shhhhh, I'm Sleeping!");
}

void GrowState::PlaySleep(Game&) {
    throw InvalidOperation("Shhhhh, I'm Sleeping!");
}

void GrowState::LiveSleep() {
    chance::Reseed();
    AddHealth(chance::R(2));
    AddEnergy(6 + chance::R(5));
    AddMood(1 + chance::R(5));
    if (full > 15) {
        AddFull(-chance::R(3));
    }
    if (dirty > 89) {
        AddHealth(-(1 + chance::R(5)));
    }
}
