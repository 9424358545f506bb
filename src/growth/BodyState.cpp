#include "growth/BodyState.h"

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

namespace {
// Each body state answers with its own group of the growth stage's rules.
struct Rules {
    const char* name;
    void (GrowState::*feed)(const Food&);
    void (GrowState::*play)(Game&);
    void (GrowState::*clean)();
    void (GrowState::*cure)();
    void (GrowState::*live)();
    void (GrowState::*check)();
};

// In the order of BodyKind.
constexpr Rules kRules[] = {
    {"Normal", &GrowState::FeedNormal, &GrowState::PlayNormal, &GrowState::CleanNormal,
     &GrowState::CureNormal, &GrowState::LiveNormal, &GrowState::CheckNormal},
    {"Smile", &GrowState::FeedSmile, &GrowState::PlaySmile, &GrowState::CleanSmile, &GrowState::CureSmile,
     &GrowState::LiveSmile, &GrowState::CheckSmile},
    {"Bored", &GrowState::FeedBored, &GrowState::PlayBored, &GrowState::CleanBored, &GrowState::CureBored,
     &GrowState::LiveBored, &GrowState::CheckBored},
    {"Sick", &GrowState::FeedSick, &GrowState::PlaySick, &GrowState::CleanSick, &GrowState::CureSick,
     &GrowState::LiveSick, &GrowState::CheckSick},
    {"Sleep", &GrowState::FeedSleep, &GrowState::PlaySleep, &GrowState::CleanSleep, &GrowState::CureSleep,
     &GrowState::LiveSleep, &GrowState::CheckSleep},
};

template <BodyKind Kind> constexpr const Rules& RulesOf() {
    return kRules[static_cast<int>(Kind)];
}
} // namespace

template <BodyKind Kind> BodyStateOf<Kind>::BodyStateOf() : BodyState(RulesOf<Kind>().name) {}

template <BodyKind Kind> void BodyStateOf<Kind>::Check() {
    Stage().Grow();
    (Stage().*RulesOf<Kind>().check)();
}
template <BodyKind Kind> void BodyStateOf<Kind>::Feed(const Food& food) {
    (Stage().*RulesOf<Kind>().feed)(food);
}
template <BodyKind Kind> void BodyStateOf<Kind>::Play(Game& game) {
    (Stage().*RulesOf<Kind>().play)(game);
}
template <BodyKind Kind> void BodyStateOf<Kind>::Clean() {
    (Stage().*RulesOf<Kind>().clean)();
}
template <BodyKind Kind> void BodyStateOf<Kind>::Cure() {
    (Stage().*RulesOf<Kind>().cure)();
}
template <BodyKind Kind> void BodyStateOf<Kind>::Live() {
    (Stage().*RulesOf<Kind>().live)();
}

template class BodyStateOf<BodyKind::Normal>;
template class BodyStateOf<BodyKind::Smile>;
template class BodyStateOf<BodyKind::Bored>;
template class BodyStateOf<BodyKind::Sick>;
template class BodyStateOf<BodyKind::Sleep>;
