#include "pet/BodyState.h"

#include "growth/GrowState.h"
#include "support/FileError.h"

#include <iostream>

BodyState::BodyState(const std::string& name) : name(name) {
    Registry().emplace(name, this);
    std::cout << name << std::endl;
}

BodyState::~BodyState() {
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found != registry.end() && found->second == this) {
        registry.erase(found);
    }
}

std::map<std::string, BodyState*>& BodyState::Registry() {
    // Never destroyed: prototypes may unregister themselves during exit.
    static auto& registry = *new std::map<std::string, BodyState*>();
    return registry;
}

std::unique_ptr<BodyState> BodyState::Get(const std::string& name) {
    auto& registry = Registry();
    auto found = registry.find(name);
    if (found == registry.end()) {
        throw FileError("unknown body state \"" + name + "\"");
    }
    return found->second->Clone();
}

bool BodyState::IsRegistered(const std::string& name) {
    return Registry().count(name) != 0;
}

void BodyState::Bind(GrowState* stage, int frames, int moveBy) {
    growState = stage;
    frameCount = frames;
    move = moveBy;
}

std::string BodyState::GetGrowStateName() const {
    return Stage().GetName();
}
std::string BodyState::GetGrowStateData() const {
    return Stage().ToString();
}
double BodyState::GetHeight() const {
    return Stage().GetHeight();
}
double BodyState::GetWeight() const {
    return Stage().GetWeight();
}
int BodyState::GetStrength() const {
    return Stage().GetStrength();
}
int BodyState::GetWisdom() const {
    return Stage().GetWisdom();
}
int BodyState::GetHealth() const {
    return Stage().GetHealth();
}
int BodyState::GetFull() const {
    return Stage().GetFull();
}
int BodyState::GetDirty() const {
    return Stage().GetDirty();
}
int BodyState::GetMood() const {
    return Stage().GetMood();
}
int BodyState::GetEnergy() const {
    return Stage().GetEnergy();
}

// Each body state answers with its own group of the growth stage's rules.
#define HATCHLING_FORWARD(Class, Group)                                                                      \
    void Class::Check() {                                                                                    \
        Stage().Grow();                                                                                      \
        Stage().Check##Group();                                                                              \
    }                                                                                                        \
    void Class::Feed(const Food& food) {                                                                     \
        Stage().Feed##Group(food);                                                                           \
    }                                                                                                        \
    void Class::Play(Game& game) {                                                                           \
        Stage().Play##Group(game);                                                                           \
    }                                                                                                        \
    void Class::Clean() {                                                                                    \
        Stage().Clean##Group();                                                                              \
    }                                                                                                        \
    void Class::Cure() {                                                                                     \
        Stage().Cure##Group();                                                                               \
    }                                                                                                        \
    void Class::Live() {                                                                                     \
        Stage().Live##Group();                                                                               \
    }

HATCHLING_FORWARD(Normal, Normal)
HATCHLING_FORWARD(Smile, Smile)
HATCHLING_FORWARD(Bored, Bored)
HATCHLING_FORWARD(Sick, Sick)
HATCHLING_FORWARD(ZZZ, Sleep)
