#pragma once

#include "core/BehaviorScheduler.h"
#include "support/Pace.h"

#include <functional>
#include <memory>
#include <utility>

class GameController;
class Notifier;
class Pet;
namespace facade {
class EventDispatcher;
class WindowApp;
} // namespace facade

// Polls the window's events, through which every player command arrives.
class AutogetEvent : public AutoBehavior {
public:
    explicit AutogetEvent(facade::EventDispatcher* dispatcher) : AutoBehavior(1), dispatcher(dispatcher) {}
    void Act() override;

private:
    facade::EventDispatcher* dispatcher;
};

// Draws the pet's next animation frame.
class PetAutoShow : public AutoBehavior {
public:
    explicit PetAutoShow(Pet* pet) : AutoBehavior(5), pet(pet) {}
    void Act() override;

private:
    Pet* pet;
};

// One step of the pet's life; a death goes to the controller.
class PetAutoBehavior : public AutoBehavior {
public:
    PetAutoBehavior(Pet* pet, GameController* controller, pace::Pace pace = pace::Pace::Design)
        : AutoBehavior(PeriodAt(pace)), pet(pet), controller(controller) {}
    void Act() override;
    // Every 101st pass at the design's pace; a kinder pace spaces the steps further apart.
    static std::uint32_t PeriodAt(pace::Pace pace) {
        return static_cast<std::uint32_t>(pace::PassesPerStep(pace) - 1);
    }

private:
    Pet* pet;
    GameController* controller;
};

// Now and then shows a greeting from the greeting list, read afresh each time.
class PetAutoSayHello : public AutoBehavior {
public:
    static constexpr const char* kGreetingsPath = "Settings\\Hello.list";
    // `afterwards` runs when a greeting has been shown (to put the home screen back).
    explicit PetAutoSayHello(facade::WindowApp* window, std::function<void()> afterwards = {})
        : AutoBehavior(3600), window(window), afterwards(std::move(afterwards)) {}
    void Act() override;

private:
    facade::WindowApp* window;
    std::function<void()> afterwards;
};

// Saves the pet every few minutes.
class AutoSave : public AutoBehavior {
public:
    explicit AutoSave(GameController* controller) : AutoBehavior(6000), controller(controller) {}
    void Act() override;

private:
    GameController* controller;
};

// Reads the notification service's answers and clicks on every pass; costs nothing while the
// game has no connection to it.
class NotifierPump : public AutoBehavior {
public:
    explicit NotifierPump(Notifier* notifier) : AutoBehavior(1), notifier(notifier) {}
    void Act() override;

private:
    Notifier* notifier;
};

// Owns the behaviours of the current pet and the event polling, and puts them into the
// scheduler or takes them out when the controller asks.
class PetBehaviors {
public:
    PetBehaviors(facade::EventDispatcher* dispatcher, BehaviorScheduler* scheduler,
                 GameController* controller);

    void SetPet(Pet* pet);
    // The pace of the pet's life steps, for this pet and the next ones.
    void SetPace(pace::Pace pace);
    pace::Pace GetPace() const { return pace; }
    void AddPetBehaviors();
    void RemovePetBehaviors();
    void AddEventBehavior();
    void RemoveEventBehavior();
    void ClearPet();

private:
    GameController* controller;
    BehaviorScheduler* scheduler;
    std::unique_ptr<PetAutoShow> show;
    std::unique_ptr<PetAutoBehavior> life;
    std::unique_ptr<AutogetEvent> event;
    pace::Pace pace = pace::Pace::Design;
};

// While a screen of the controller holds the window (a chooser, the life view), the pet stands
// still and no menu key is taken; everything is put back however the screen ends.
class StandStill {
public:
    explicit StandStill(PetBehaviors& behaviors) : behaviors(behaviors) {
        behaviors.RemovePetBehaviors();
        behaviors.RemoveEventBehavior();
    }
    ~StandStill() {
        behaviors.AddEventBehavior();
        behaviors.AddPetBehaviors();
    }
    StandStill(const StandStill&) = delete;
    StandStill& operator=(const StandStill&) = delete;

private:
    PetBehaviors& behaviors;
};
