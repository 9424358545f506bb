#include "core/Behaviors.h"

#include "core/GameController.h"
#include "pet/Pet.h"
#include "presentation/EventDispatcher.h"
#include "presentation/Notifier.h"
#include "presentation/PopupText.h"
#include "support/Happenings.h"
#include "support/Seams.h"
#include "support/Signals.h"
#include "support/TextFiles.h"

#include <string>
#include <vector>

void AutogetEvent::Act() {
    dispatcher->Poll();
}

void PetAutoShow::Act() {
    pet->Show();
}

void PetAutoBehavior::Act() {
    try {
        pet->Live();
    } catch (Die& death) {
        // The death sequence deletes this very behaviour: touch nothing of ours afterwards.
        controller->OnDeath(death.GetMessage());
    }
}

void PetAutoSayHello::Act() {
    std::vector<std::string> greetings;
    if (!textfiles::ReadLines(kGreetingsPath, greetings) || greetings.empty()) {
        return;
    }
    chance::Reseed();
    const int pick = chance::R(static_cast<int>(greetings.size()));
    happenings::Announce(happenings::Kind::Greeted, greetings[static_cast<std::size_t>(pick)]);
    PopupText(greetings[static_cast<std::size_t>(pick)], window, 1.0f);
    if (afterwards) {
        afterwards();
    }
}

void NotifierPump::Act() {
    notifier->Process();
}

void AutoSave::Act() {
    controller->Autosave();
}

PetBehaviors::PetBehaviors(facade::EventDispatcher* dispatcher, BehaviorScheduler* scheduler,
                           GameController* controller)
    : controller(controller), scheduler(scheduler), event(std::make_unique<AutogetEvent>(dispatcher)) {}

void PetBehaviors::SetPet(Pet* pet) {
    show = std::make_unique<PetAutoShow>(pet);
    life = std::make_unique<PetAutoBehavior>(pet, controller, pace);
}

void PetBehaviors::SetPace(pace::Pace chosen) {
    pace = chosen;
    if (life) {
        life->SetPeriod(PetAutoBehavior::PeriodAt(pace));
    }
}

void PetBehaviors::AddPetBehaviors() {
    if (show && life) {
        scheduler->Add(show.get());
        scheduler->Add(life.get());
    }
}

void PetBehaviors::RemovePetBehaviors() {
    if (show && life) {
        scheduler->Remove(show.get());
        scheduler->Remove(life.get());
    }
}

void PetBehaviors::AddEventBehavior() {
    scheduler->Add(event.get());
}

void PetBehaviors::RemoveEventBehavior() {
    scheduler->Remove(event.get());
}

void PetBehaviors::ClearPet() {
    show.reset();
    life.reset();
}
