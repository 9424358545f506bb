#include "PetFixture.h"

#include "core/Initializer.h"
#include "core/Signals.h"
#include "pet/BodyState.h"
#include "pet/Food.h"
#include "pet/Pet.h"
#include "presentation/StateFactory.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
// Plays the shipped game as a careful player would, with the real rules and the shipped foods:
// keeps the pet clean, cured and cheerful, and feeds it by a plan whenever it has room.
struct Journey {
    std::vector<std::string> stages;
    std::string Describe() const {
        std::string text;
        for (const std::string& stage : stages) {
            text += " " + stage;
        }
        return text;
    }
};

using Plan = std::function<std::string(const std::string& stage, double height, double weight)>;

Journey Raise(const Plan& plan, const std::string& goal) {
    TempGameFolder game;
    std::filesystem::copy_file(std::string(HATCHLING_GAME_DATA) + "/Pets/Default.default",
                               game.folder / "Pets/Default.default");
    CapturedErrors quiet;
    auto foods =
        Initializer::GetInstance()->InitFoodList(std::string(HATCHLING_GAME_DATA) + "/Settings/Food.list");

    // Real draws, but from a clock that ticks once per call, so the journey is repeatable.
    std::time_t tick = 1000;
    auto previousClock = wallclock::SetSource([&tick] { return tick++; });
    StateFactory factory("Settings\\StatePic.list", "Settings\\StateMove.list");
    Pet pet("Default", "HERO", nullptr, &factory);

    Journey journey;
    for (int step = 0; step < 20000; ++step) {
        const BodyState& body = pet.GetBodyState();
        const std::string stage = body.GetGrowStateName();
        if (journey.stages.empty() || journey.stages.back() != stage) {
            journey.stages.push_back(stage);
        }
        if (stage == goal || stage == "Chicken" || stage == "BigCock" || stage == "Flower") {
            break;
        }
        try {
            if (body.GetDirty() > 10) {
                pet.Clean();
            }
            if (body.GetHealth() < 60) {
                pet.Cure();
            }
            if (stage != "Egg" && body.GetName() != "Sleep") {
                if (body.GetMood() < 30 && body.GetFull() <= 90) {
                    pet.Feed(*foods.at("Candy"));
                } else if (body.GetFull() <= 70) {
                    pet.Feed(*foods.at(plan(stage, body.GetHeight(), body.GetWeight())));
                }
            }
            pet.Live();
        } catch (Die&) {
            journey.stages.push_back("died");
            break;
        }
    }
    wallclock::SetSource(previousClock);
    return journey;
}

} // namespace

TEST(Reachability, TheFoodsCanSteerAPetToEachFinalStage) {
    // Short and heavy: cakes once it is tall enough to leave the small-baby stage.
    const Journey flower =
        Raise([](const std::string& stage, double height,
                 double) { return stage == "SmallBaby" && height <= 21 ? "Milk" : "Cake"; },
              "Flower");
    EXPECT_EQ(flower.stages.back(), "Flower") << flower.Describe();

    // Steady growth in height and weight: milk, after enough cake to leave the small-baby stage.
    const Journey chicken =
        Raise([](const std::string& stage, double height,
                 double) { return stage == "SmallBaby" && height > 21 ? "Cake" : "Milk"; },
              "Chicken");
    EXPECT_EQ(chicken.stages,
              (std::vector<std::string>{"Egg", "SmallBaby", "Baby", "SmallChick", "Chicken"}));

    // Tall and light: enough weight to leave the small-baby stage, then carrots and worms.
    const Journey cock = Raise(
        [](const std::string& stage, double height, double weight) -> std::string {
            if (stage == "SmallBaby") {
                return height <= 21 ? "Milk" : (weight <= 560 ? "Cake" : "Milk");
            }
            if (stage == "Baby") {
                return "Carrot";
            }
            return weight > 700 ? "Carrot" : "Worm";
        },
        "BigCock");
    EXPECT_EQ(cock.stages,
              (std::vector<std::string>{"Egg", "SmallBaby", "Baby", "SmallCock", "Cock", "BigCock"}));
}
