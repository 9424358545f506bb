// The controller's saving: the menu's Save, the periodic save, the save when the display goes
// and the quit. A save that fails is shown; a quit after one ends with status 1.
#include "core/GameController.h"

#include "core/BehaviorScheduler.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetStore.h"
#include "presentation/Notifier.h"
#include "presentation/PopupText.h"
#include "presentation/Sounds.h"
#include "presentation/WindowApp.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

void GameController::Save() {
    SaveAndTell();
}

void GameController::Autosave() {
    SaveAndTell(true);
}

bool GameController::SavePet() {
    if (!pet) {
        lifeRecorder->Write(); // rows still waiting for a pet that died
        return true;
    }
    return store->Save(*pet);
}

bool GameController::SaveAndTell(bool unlessTold) {
    if (SavePet()) {
        saveFailureShown = false;
        return true;
    }
    if (!unlessTold || !saveFailureShown) {
        PopupText(pet->GetName() + " could not be saved", window.get(), kRefusalSeconds);
        ClearIfNoPet();
    }
    saveFailureShown = true;
    return false;
}

std::string GameController::SaveForLostDisplay() {
    if (!pet) {
        return "";
    }
    return pet->GetName() + (SavePet() ? " is saved" : " could not be saved");
}

void GameController::Quit() {
    const int status = SaveAndTell() ? 0 : 1;
    window->Activate(0.5);
    window->Close();
    scheduler->Stop();
    notifier.reset(); // withdraws what it shows: the game ends without running destructors
    // The audio library's own teardown must not run under a helper still inside it.
    if (!sounds->Stop()) {
        std::cout.flush();
        std::fflush(nullptr);
        std::_Exit(status);
    }
    sounds.reset(); // lets go of the audio device before the libraries unload
    std::exit(status);
}
