#pragma once

#include "growth/GrowState.h"

// The ten growth stages. Each registers its prototype under its class name.
//   Egg -> SmallBaby -> Baby -> BigBaby | SmallCock | SmallChick
//   BigBaby -> Flower | Chicken;  SmallChick -> Chicken;  SmallCock -> Cock | Chicken;
//   Cock -> BigCock.  Chicken, BigCock and Flower are final.

#define HATCHLING_STAGE_COMMON(Class)                                                                        \
public:                                                                                                      \
    Class() : GrowState(#Class) {}                                                                           \
    std::unique_ptr<GrowState> Clone() const override {                                                      \
        return std::unique_ptr<GrowState>(new Class(*this));                                                 \
    }                                                                                                        \
    void Grow() override;                                                                                    \
                                                                                                             \
private:                                                                                                     \
    Class(const Class&) = default;                                                                           \
                                                                                                             \
public:

class Egg : public GrowState {
    HATCHLING_STAGE_COMMON(Egg)
    void FeedNormal(const Food& food) override;
    void PlayNormal(Game& game) override;
    void LiveNormal() override;

private:
    // Growth checks this egg object has had; not saved, so a reloaded egg starts again.
    int hatchCount = 0;
};

// Body-state checks shared by the stages other than the egg and the flower.
#define HATCHLING_STAGE_CHECKS                                                                               \
    void CheckNormal() override;                                                                             \
    void CheckSleep() override;                                                                              \
    void CheckSick() override;                                                                               \
    void CheckBored() override;                                                                              \
    void CheckSmile() override;

class SmallBaby : public GrowState {
    HATCHLING_STAGE_COMMON(SmallBaby)
    HATCHLING_STAGE_CHECKS
};

class Baby : public GrowState {
    HATCHLING_STAGE_COMMON(Baby)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
};

class BigBaby : public GrowState {
    HATCHLING_STAGE_COMMON(BigBaby)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void PlaySleep(Game& game) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
};

class SmallChick : public GrowState {
    HATCHLING_STAGE_COMMON(SmallChick)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
    void FeedSmile(const Food& food) override;
};

class SmallCock : public GrowState {
    HATCHLING_STAGE_COMMON(SmallCock)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void PlaySleep(Game& game) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
};

class Chicken : public GrowState {
    HATCHLING_STAGE_COMMON(Chicken)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
    void PlaySick(Game& game) override;
    void FeedSmile(const Food& food) override;
};

class Cock : public GrowState {
    HATCHLING_STAGE_COMMON(Cock)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
    void PlaySick(Game& game) override;
    void PlayBored(Game& game) override;
};

class BigCock : public GrowState {
    HATCHLING_STAGE_COMMON(BigCock)
    HATCHLING_STAGE_CHECKS
    void FeedSleep(const Food& food) override;
    void LiveSleep() override;
    void FeedSick(const Food& food) override;
    void PlaySick(Game& game) override;
    void PlayBored(Game& game) override;
};

class Flower : public GrowState {
    HATCHLING_STAGE_COMMON(Flower)
    void FeedNormal(const Food& food) override;
    void PlayNormal(Game& game) override;
    void LiveNormal() override;
    void CheckNormal() override;
    void FeedSleep(const Food& food) override;
    void PlaySleep(Game& game) override;
    void LiveSleep() override;
    void CheckSleep() override;
    void CheckSmile() override;
};

#undef HATCHLING_STAGE_CHECKS
#undef HATCHLING_STAGE_COMMON
