#include "growth/Stages.h"

#include "growth/Food.h"
#include "growth/Game.h"
#include "growth/GrowthRules.h"
#include "support/Seams.h"
#include "support/Signals.h"

#include <climits>

namespace {
const char* const kSleeping = "Shhhhh, I'm Sleeping!";
const char* const kNoPlay = "I don't wanna play with you!";

// Sleep thresholds of the families: chicks tire sooner.
constexpr int kCommonSleep = 9;
constexpr int kChickSleep = 19;

bool Sickly(const GrowState& s) {
    return s.GetHealth() <= 19 || s.GetDirty() > 90;
}

[[noreturn]] void ChangeBody(const char* next) {
    throw BodyStateChanged(next);
}

void CheckNormalFamily(const GrowState& s, int sleepAt) {
    if (s.GetEnergy() <= sleepAt) {
        ChangeBody("Sleep");
    }
    if (Sickly(s)) {
        ChangeBody("Sick");
    }
    if (s.GetEnergy() <= 49 && s.GetMood() <= 14) {
        ChangeBody("Bored");
    }
    if (s.GetDirty() <= 29 && s.GetMood() > 60) {
        ChangeBody("Smile");
    }
}

void CheckSleepUntil(const GrowState& s, int wakeAbove) {
    if (s.GetEnergy() > wakeAbove) {
        ChangeBody("Normal");
    }
}

void CheckSickFamily(const GrowState& s) {
    if (s.GetHealth() > 20 && s.GetDirty() <= 74) {
        ChangeBody("Normal");
    }
}

void CheckBoredFamily(const GrowState& s, int sleepAt) {
    if (s.GetEnergy() <= sleepAt) {
        ChangeBody("Sleep");
    }
    if (s.GetHealth() <= 24 || s.GetDirty() > 85) {
        ChangeBody("Sick");
    }
    if (s.GetEnergy() > 50 || s.GetMood() > 20) {
        ChangeBody("Normal");
    }
}

bool SmileFades(const GrowState& s) {
    return s.GetDirty() > 30 || s.GetMood() <= 49;
}

void CheckSmileFamily(const GrowState& s, int sleepAt) {
    if (s.GetEnergy() <= sleepAt) {
        ChangeBody("Sleep");
    }
    if (Sickly(s)) {
        ChangeBody("Sick");
    }
    if (SmileFades(s)) {
        ChangeBody("Normal");
    }
}

// Eats in its sleep about two times in nine.
void FeedInSleep(GrowState& s, const Food& food) {
    chance::Reseed();
    if (chance::R(9) > 6) {
        s.FeedNormal(food);
        return;
    }
    throw InvalidOperation(kSleeping);
}

// Plays in its sleep about one time in six.
void PlayInSleep(GrowState& s, Game& game) {
    chance::Reseed();
    if (chance::R(6) > 4) {
        s.PlayNormal(game);
        return;
    }
    throw InvalidOperation(kSleeping);
}

void PlayUnlessRefused(GrowState& s, Game& game, int range, int refuseAbove) {
    chance::Reseed();
    if (chance::R(range) > refuseAbove) {
        throw InvalidOperation(kNoPlay);
    }
    s.PlayNormal(game);
}

void SleepDeeply(GrowState& s) {
    chance::Reseed();
    s.AddHealth(chance::R(3));
    s.AddEnergy(5 + chance::R(10));
    s.AddMood(1 + chance::R(5));
    if (s.GetFull() > 20) {
        s.AddFull(-chance::R(3));
    }
    if (s.GetDirty() > 89) {
        s.AddHealth(-(1 + chance::R(5)));
    }
}

double Factor() {
    return 1.0 + chance::R(20) / 100.0;
}

int TruncateToInt(double value) {
    if (!(value == value)) {
        return 0;
    }
    if (value >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (value <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// A happy chick makes more of its food: each factor is drawn at its own step.
void FeedHappyChick(GrowState& s, const Food& food) {
    chance::Reseed();
    s.AddHeight(food.GetHeight() * Factor());
    s.AddWeight(food.GetWeight() * Factor());
    s.AddStrength(TruncateToInt(food.GetStrength() * Factor()));
    s.AddWisdom(food.GetWisdom());
    s.AddHealth(food.GetHealth());
    s.AddFull(food.GetFull());
    s.AddMood(TruncateToInt(food.GetMood() * Factor()));
    s.AddEnergy(food.GetEnergy());
}
} // namespace

// The default sick feeding is plain feeding; the stages that may refuse call it after the draw.
#define HATCHLING_FAMILY_CHECKS(Class, sleepAt, wakeAbove)                                                   \
    void Class::CheckNormal() {                                                                              \
        CheckNormalFamily(*this, sleepAt);                                                                   \
    }                                                                                                        \
    void Class::CheckSleep() {                                                                               \
        CheckSleepUntil(*this, wakeAbove);                                                                   \
    }                                                                                                        \
    void Class::CheckSick() {                                                                                \
        CheckSickFamily(*this);                                                                              \
    }                                                                                                        \
    void Class::CheckBored() {                                                                               \
        CheckBoredFamily(*this, sleepAt);                                                                    \
    }                                                                                                        \
    void Class::CheckSmile() {                                                                               \
        CheckSmileFamily(*this, sleepAt);                                                                    \
    }

#define HATCHLING_SLEEPY_EATER(Class)                                                                        \
    void Class::FeedSleep(const Food& food) {                                                                \
        FeedInSleep(*this, food);                                                                            \
    }                                                                                                        \
    void Class::LiveSleep() {                                                                                \
        SleepDeeply(*this);                                                                                  \
    }                                                                                                        \
    void Class::FeedSick(const Food& food) {                                                                 \
        chance::Reseed();                                                                                    \
        if (chance::R(8) > 5) {                                                                              \
            throw InvalidOperation("I don't wanna eat anything. =(");                                        \
        }                                                                                                    \
        GrowState::FeedSick(food);                                                                           \
    }

HATCHLING_FAMILY_CHECKS(SmallBaby, kCommonSleep, 40)
HATCHLING_FAMILY_CHECKS(Baby, kCommonSleep, 60)
HATCHLING_FAMILY_CHECKS(BigBaby, kCommonSleep, 60)
HATCHLING_FAMILY_CHECKS(SmallChick, kChickSleep, 75)
HATCHLING_FAMILY_CHECKS(SmallCock, kCommonSleep, 40)
HATCHLING_FAMILY_CHECKS(Chicken, kChickSleep, 75)
HATCHLING_FAMILY_CHECKS(Cock, kCommonSleep, 40)
HATCHLING_FAMILY_CHECKS(BigCock, kCommonSleep, 40)

HATCHLING_SLEEPY_EATER(Baby)
HATCHLING_SLEEPY_EATER(BigBaby)
HATCHLING_SLEEPY_EATER(SmallChick)
HATCHLING_SLEEPY_EATER(SmallCock)
HATCHLING_SLEEPY_EATER(Chicken)
HATCHLING_SLEEPY_EATER(Cock)
HATCHLING_SLEEPY_EATER(BigCock)

void BigBaby::PlaySleep(Game& game) {
    PlayInSleep(*this, game);
}
void SmallCock::PlaySleep(Game& game) {
    PlayInSleep(*this, game);
}

void Chicken::PlaySick(Game& game) {
    PlayUnlessRefused(*this, game, 3, 0);
}
void Cock::PlaySick(Game& game) {
    PlayUnlessRefused(*this, game, 3, 0);
}
void BigCock::PlaySick(Game& game) {
    PlayUnlessRefused(*this, game, 3, 0);
}
void Cock::PlayBored(Game& game) {
    PlayUnlessRefused(*this, game, 7, 4);
}
void BigCock::PlayBored(Game& game) {
    PlayUnlessRefused(*this, game, 7, 4);
}

void SmallChick::FeedSmile(const Food& food) {
    FeedHappyChick(*this, food);
}
void Chicken::FeedSmile(const Food& food) {
    FeedHappyChick(*this, food);
}

// Growth checks: the rule table decides, in its order of trial.

namespace {
void GrowBy(std::span<const growth::Rule> rules, const GrowState& s, int checks = 0) {
    const std::string_view next =
        growth::NextStage(rules, s.GetHeight(), s.GetWeight(), s.GetHealth(), s.GetDirty(), checks);
    if (!next.empty()) {
        throw GrowStateChanged(std::string(next));
    }
}
} // namespace

// Each stage finds its rules once.
#define HATCHLING_GROWS_BY_RULES(Class)                                                                      \
    void Class::Grow() {                                                                                     \
        static const auto rules = growth::RulesFrom(#Class);                                                 \
        GrowBy(rules, *this);                                                                                \
    }

void Egg::Grow() {
    static const auto rules = growth::RulesFrom("Egg");
    ++hatchCount;
    GrowBy(rules, *this, hatchCount);
}

HATCHLING_GROWS_BY_RULES(SmallBaby)
HATCHLING_GROWS_BY_RULES(Baby)
HATCHLING_GROWS_BY_RULES(BigBaby)
HATCHLING_GROWS_BY_RULES(SmallChick)
HATCHLING_GROWS_BY_RULES(SmallCock)
HATCHLING_GROWS_BY_RULES(Cock)
HATCHLING_GROWS_BY_RULES(Chicken)
HATCHLING_GROWS_BY_RULES(BigCock)
HATCHLING_GROWS_BY_RULES(Flower)

// The egg neither eats nor plays, and only gets dirtier as it waits.

void Egg::FeedNormal(const Food&) {
    throw InvalidOperation("EGG Doesn't Eat!");
}

void Egg::PlayNormal(Game&) {
    throw InvalidOperation("EGG Doesn't Play!");
}

void Egg::LiveNormal() {
    chance::Reseed();
    AddDirty(1 + chance::R(5));
}

// The flower never gets hungry and never fills up.

void Flower::FeedNormal(const Food& food) {
    AddHeight(food.GetHeight());
    AddWeight(food.GetWeight());
    AddStrength(food.GetStrength());
    AddWisdom(food.GetWisdom());
    AddHealth(food.GetHealth());
    AddMood(food.GetMood());
    AddEnergy(food.GetEnergy());
}

void Flower::PlayNormal(Game& game) {
    game.Play();
    AddStrength(game.GetStrength());
    AddWisdom(game.GetWisdom());
    AddEnergy(game.GetEnergy());
}

void Flower::LiveNormal() {
    chance::Reseed();
    AddMood(-(1 + chance::R(5)));
    AddEnergy(-(1 + chance::R(5)));
    AddDirty(1 + chance::R(5));
    if (GetDirty() > 89) {
        AddHealth(-(3 + chance::R(5)));
    }
}

void Flower::CheckNormal() {
    if (GetEnergy() <= kCommonSleep) {
        ChangeBody("Sleep");
    }
    if (GetDirty() <= 29 && GetMood() > 40) {
        ChangeBody("Smile");
    }
}

void Flower::FeedSleep(const Food& food) {
    FeedInSleep(*this, food);
}

void Flower::PlaySleep(Game& game) {
    PlayInSleep(*this, game);
}

void Flower::LiveSleep() {
    chance::Reseed();
    AddHealth(chance::R(3));
    AddEnergy(5 + chance::R(10));
    AddMood(1 + chance::R(5));
    if (GetDirty() > 89) {
        AddHealth(-(1 + chance::R(10)));
    }
}

void Flower::CheckSleep() {
    CheckSleepUntil(*this, 60);
}

void Flower::CheckSmile() {
    if (GetEnergy() <= kCommonSleep) {
        ChangeBody("Sleep");
    }
    if (SmileFades(*this)) {
        ChangeBody("Normal");
    }
}
