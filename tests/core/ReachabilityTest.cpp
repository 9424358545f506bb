#include "TempGameFolder.h"

#include "core/Initializer.h"
#include "growth/BodyState.h"
#include "growth/Food.h"
#include "growth/StateFactory.h"
#include "pet/Pet.h"
#include "support/Signals.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
// Plays the shipped game as a careful player would, with the real rules and the shipped foods:
// keeps the pet clean, cured and cheerful, and feeds it by a plan whenever it has room. Returns
// the stages it went through, ending at a final stage or "died".
using Plan = std::function<std::string(const std::string& stage, double height, double weight)>;

std::vector<std::string> Raise(const Plan& plan) {
    TempGameFolder game;
    std::filesystem::copy_file(std::string(HATCHLING_GAME_DATA) + "/Pets/Default.default",
                               game.folder / "Pets/Default.default");
    testing::internal::CaptureStderr();
    auto foods =
        Initializer::GetInstance()->InitFoodList(std::string(HATCHLING_GAME_DATA) + "/Settings/Food.list");
    // Real draws, but from a clock that ticks once per call, so the journey is repeatable.
    std::time_t tick = 1000;
    auto previousClock = wallclock::SetSource([&tick] { return tick++; });
    StateFactory factory("Settings\\StatePic.list", "Settings\\StateMove.list");
    Pet pet("Default", "HERO", nullptr, &factory);
    std::vector<std::string> stages;
    for (int step = 0; step < 20000; ++step) {
        const BodyState& body = pet.GetBodyState();
        const std::string stage = body.GetGrowStateName();
        if (stages.empty() || stages.back() != stage) {
            stages.push_back(stage);
        }
        if (stage == "Chicken" || stage == "BigCock" || stage == "Flower") {
            break;
        }
        try {
            if (body.GetDirty() > 10) {
                pet.Clean();
            }
            if (body.GetHealth() < 60) {
                pet.Cure();
            }
            if (stage != "Egg" && body.GetName() != "Sleep" && body.GetFull() <= 90) {
                const bool sad = body.GetMood() < 30;
                if (sad || body.GetFull() <= 70) {
                    pet.Feed(*foods.at(sad ? "Candy" : plan(stage, body.GetHeight(), body.GetWeight())));
                }
            }
            pet.Live();
        } catch (Die&) {
            stages.push_back("died");
            break;
        }
    }
    wallclock::SetSource(previousClock);
    testing::internal::GetCapturedStderr();
    return stages;
}
} // namespace

TEST(Reachability, TheFoodsCanSteerAPetToEachFinalStage) {
    using Stages = std::vector<std::string>;
    // Every plan feeds milk until the small baby is tall enough to leave its stage (over 21).
    const auto plan = [](auto afterwards) {
        return [afterwards](const std::string& stage, double height, double weight) -> std::string {
            return stage == "SmallBaby" && height <= 21 ? "Milk" : afterwards(stage, weight);
        };
    };
    // Short and heavy: cakes.
    EXPECT_EQ(Raise(plan([](const std::string&, double) { return "Cake"; })),
              (Stages{"Egg", "SmallBaby", "Baby", "BigBaby", "Flower"}));
    // Steady growth in height and weight: milk, after enough cake to leave the small-baby stage.
    EXPECT_EQ(
        Raise(plan([](const std::string& stage, double) { return stage == "SmallBaby" ? "Cake" : "Milk"; })),
        (Stages{"Egg", "SmallBaby", "Baby", "SmallChick", "Chicken"}));
    // Tall and light: enough weight to leave the small-baby stage, then carrots and worms.
    EXPECT_EQ(Raise(plan([](const std::string& stage, double weight) {
                  if (stage == "SmallBaby") {
                      return weight <= 560 ? "Cake" : "Milk";
                  }
                  return stage == "Baby" || weight > 700 ? "Carrot" : "Worm";
              })),
              (Stages{"Egg", "SmallBaby", "Baby", "SmallCock", "Cock", "BigCock"}));
}
