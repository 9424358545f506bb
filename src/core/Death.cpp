// The controller's death sequence: the end of a pet is on the disk before anything is shown.
#include "core/GameController.h"

#include "core/Behaviors.h"
#include "pet/Pet.h"
#include "pet/PetStore.h"
#include "presentation/PopupText.h"
#include "support/Happenings.h"

namespace {
constexpr float kDeathNoticeSeconds = 2.5f;
}

void GameController::OnDeath(const std::string& cause) {
    // The end is on the disk before anything is shown, and the pet goes with it: a game ended
    // meanwhile, or a display that goes, finds no pet to save as a living one.
    store->Bury(*pet, cause);
    const std::string name = pet->GetName();
    behaviors->RemovePetBehaviors();
    behaviors->ClearPet();
    pet.reset();
    happenings::Announce(happenings::Kind::Died, cause);
    ShowDeath(name);
}

void GameController::ShowDeath(const std::string& name) {
    PopupText("Oh NO! " + name + "'s dead!", window.get(), kDeathNoticeSeconds);
    ClearIfNoPet();
}
