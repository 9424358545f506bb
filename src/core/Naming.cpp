// The controller's naming prompt and the new pet it names.
#include "core/GameController.h"

#include "core/Behaviors.h"
#include "pet/Pet.h"
#include "pet/PetStore.h"
#include "presentation/EventDispatcher.h"
#include "presentation/Hold.h"
#include "presentation/PicText.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Happenings.h"
#include "support/Seams.h"
#include "support/Signals.h"

namespace {
constexpr double kNameTakenSeconds = 3.0;
}

void GameController::NewPet() {
    // A pet that cannot be saved is not left for another: its play would be lost. It stands
    // still from here until the new pet is made, so this save holds for it.
    if (!SaveAndTell()) {
        return;
    }
    behaviors->RemovePetBehaviors();
    facade::Text question("Please give it a name:", kDefaultFont, 24);
    question.SetColor(sf::Color::Blue);
    question.SetFont(kChooserFont);
    question.SetPosition(10, 10);
    question.SetSize(20);
    if (const std::optional<std::string> name = AskName(question)) {
        BuildPetMenu();
        if (store->IsListed(*name)) {
            // Refused where the question stood, alone.
            question.SetText("This name has existed!");
            facade::Hold(*window, kNameTakenSeconds, [&] {
                window->ClearScreen();
                question.Draw(*window);
            });
        } else {
            MakePet(*name);
        }
    }
    behaviors->AddPetBehaviors();
    ClearIfNoPet();
}

std::optional<std::string> GameController::AskName(facade::Text& question) {
    facade::Text typed;
    typed.SetFont(kChooserFont);
    typed.SetPosition(50, 50);
    facade::PicTextBasket basket;
    basket.Add(&question);
    basket.Add(&typed);
    dispatcher->BeginInput();
    while (!dispatcher->IsInputFinished()) {
        bool interrupted = false;
        try {
            dispatcher->Poll();
        } catch (InterruptedException&) {
            interrupted = true;
        }
        // A request to end leaves the prompt as Escape does; the game's loop then quits.
        if (interrupted || ending::Requested()) {
            return std::nullopt;
        }
        typed.SetText(dispatcher->GetInputText());
        question.SetSize(18);
        window->ClearScreen();
        basket.Draw(*window);
        window->Display();
        timing::Sleep(0.2);
    }
    return dispatcher->TakeFinishedText();
}

void GameController::MakePet(const std::string& name) {
    // A dead pet of that name is kept, not overwritten.
    std::unique_ptr<Pet> born = TryBuild([&] { return store->Make(name, window.get()); });
    if (!born) {
        return;
    }
    pet = std::move(born);
    happenings::Announce(happenings::Kind::Made, name);
    behaviors->SetPet(pet.get());
    SaveAndTell();
}
