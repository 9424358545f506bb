#include "core/GameController.h"

#include "core/Behaviors.h"
#include "core/Initializer.h"
#include "core/Repaint.h"
#include "core/WindowSize.h"
#include "growth/Food.h"
#include "minigame/TTT.h"
#include "pet/LifeRecord.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetStore.h"
#include "pet/Remembered.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/Notifier.h"
#include "presentation/PopupText.h"
#include "presentation/Sounds.h"
#include "presentation/WindowApp.h"
#include "support/FileError.h"
#include "support/Happenings.h"
#include "support/Preferences.h"
#include "support/Signals.h"
#include "views/LifeView.h"

namespace {
constexpr float kSoundSwitchSeconds = 1.0f;
constexpr const char* kNoPetHint = "Press m for the menu";
constexpr const char* kPetHint = "m: menu   p: pet   l: life";
constexpr const char* kLifeHint = "l: life";

// Each command of the menus is an operation that calls one controller command.
template <void (GameController::*Command)()> class CommandOperation : public facade::EventOperation {
public:
    explicit CommandOperation(GameController* controller) : controller(controller) {}
    void Execute() override { (controller->*Command)(); }

private:
    GameController* controller;
};

using NewOperation = CommandOperation<&GameController::NewPet>;
using OpenOperation = CommandOperation<&GameController::OpenPet>;
using SaveOperation = CommandOperation<&GameController::Save>;
using QuitOperation = CommandOperation<&GameController::Quit>;
using StateOperation = CommandOperation<&GameController::ShowState>;
using FeedOperation = CommandOperation<&GameController::Feed>;
using PlayOperation = CommandOperation<&GameController::Play>;
using CleanOperation = CommandOperation<&GameController::Clean>;
using CureOperation = CommandOperation<&GameController::Cure>;
using LifeOperation = CommandOperation<&GameController::ShowLife>;
using SoundOperation = CommandOperation<&GameController::ToggleSound>;
using PaceOperation = CommandOperation<&GameController::ChoosePace>;

// Focusing the window answers its call for attention, as desktops do.
class CalmOperation : public facade::EventOperation {
public:
    explicit CalmOperation(facade::WindowApp* window) : window(window) {}
    void Execute() override {
        window->CalmAttention();
        happenings::Announce(happenings::Kind::FocusGained);
    }

private:
    facade::WindowApp* window;
};

// The record counts minutes of play in passes of the loop.
static_assert(liferecord::kPassesPerMinute * BehaviorScheduler::kPassPause == 60.0);

} // namespace

GameController::GameController()
    : loader(Initializer::GetInstance()),
      lifeRecorder(std::make_unique<LifeRecorder>([this] { return pet.get(); })) {
    store = std::make_unique<PetStore>(loader->InitPetList(PetStore::kListPath), *lifeRecorder);
    foods = loader->InitFoodList(kFoodListPath);
    gameNames = loader->InitGameList(kGameListPath);
    window = loader->InitWindowApp(kWindowPath);

    // The mini-game holds the program while it runs; the pet's window keeps its picture meanwhile.
    paperScissorsStone = std::make_unique<TTTProxy>([this] { PaintHome(); });
    gameNames = Initializer::KeepRegisteredGames(gameNames, kGameListPath);

    scheduler = std::make_unique<BehaviorScheduler>();
    dispatcher = std::make_unique<facade::EventDispatcher>(window.get());
    mainMenu = std::make_unique<Menu>(window.get());
    petMenu = std::make_unique<Menu>(window.get());

    BuildMainMenu();
    sounds = std::make_unique<Sounds>(Preferences().GetSwitch(Sounds::kPreference).value_or(true));
    dispatcher->AddKeyOperation('v', Keep(std::make_unique<SoundOperation>(this)));

    behaviors = std::make_unique<PetBehaviors>(dispatcher.get(), scheduler.get(), this);
    behaviors->AddEventBehavior();
    StartPace();
    AddStandingBehaviors();
    BindWindow();
    ClearIfNoPet();
}

GameController::~GameController() = default;

void GameController::AddStandingBehaviors() {
    standing.push_back(std::make_unique<AutoSave>(this));
    standing.push_back(std::make_unique<PetAutoSayHello>(window.get(), [this] { ClearIfNoPet(); }));
    notifier = std::make_unique<Notifier>(*window);
    standing.push_back(std::make_unique<NotifierPump>(notifier.get()));
    // Without a pet nothing else paints the home screen; with one, its frames do. The name
    // prompt, which takes events through the dispatcher too, paints itself.
    auto repaint = std::make_unique<Repaint>([this] {
        if (!pet && !dispatcher->IsInputMode()) {
            PaintHome();
        }
    });
    dispatcher->AddWindowOperation(events::GainedFocus, repaint.get());
    dispatcher->AddWindowOperation(events::MouseEntered, repaint.get());
    standing.push_back(std::move(repaint));
    for (auto& behavior : standing) {
        scheduler->Add(behavior.get());
    }
}

void GameController::BindWindow() {
    // A click on the pet opens the pet menu, as p does, one on the hint's "l: life" the life view;
    // a click elsewhere does nothing.
    dispatcher->SetClickKeys([this](float x, float y) {
        if (!pet) {
            return keys::NoKey;
        }
        return pet->IsAt(x, y)                                   ? keys::P
               : window->GetHintBounds(kLifeHint).contains(x, y) ? keys::L
                                                                 : keys::NoKey;
    });
    dispatcher->AddWindowOperation(events::GainedFocus, Keep(std::make_unique<CalmOperation>(window.get())));
    sizeKeys =
        std::make_unique<windowsize::SizeKeys>(window.get(), dispatcher.get(), [this] { ClearIfNoPet(); });
}

facade::EventOperation* GameController::Keep(std::unique_ptr<facade::EventOperation> operation) {
    operations.push_back(std::move(operation));
    return operations.back().get();
}

void GameController::BuildMainMenu() {
    mainMenu->AddItem('n', "New Pet", Keep(std::make_unique<NewOperation>(this)));
    mainMenu->AddItem('o', "Open Pet", Keep(std::make_unique<OpenOperation>(this)));
    mainMenu->AddItem('s', "Save", Keep(std::make_unique<SaveOperation>(this)));
    mainMenu->AddItem('q', "Quit", Keep(std::make_unique<QuitOperation>(this)));
    mainMenu->AddItem('a', "Pace", Keep(std::make_unique<PaceOperation>(this)));
    dispatcher->AddKeyOperation('m', mainMenu.get());
    // With a pet, its life; without one, the pets remembered.
    dispatcher->AddKeyOperation('l', Keep(std::make_unique<LifeOperation>(this)));
    dispatcher->AddWindowOperation(events::Closed, Keep(std::make_unique<QuitOperation>(this)));
}

void GameController::BuildPetMenu() {
    if (petMenuBuilt) {
        return;
    }
    petMenuBuilt = true;
    petMenu->AddItem('s', "State", Keep(std::make_unique<StateOperation>(this)));
    petMenu->AddItem('f', "Feed", Keep(std::make_unique<FeedOperation>(this)));
    petMenu->AddItem('g', "Game", Keep(std::make_unique<PlayOperation>(this)));
    petMenu->AddItem('c', "Clean", Keep(std::make_unique<CleanOperation>(this)));
    petMenu->AddItem('h', "Cure", Keep(std::make_unique<CureOperation>(this)));
    dispatcher->AddKeyOperation('p', petMenu.get());
}

void GameController::LetPetAct(const std::function<void()>& act) {
    if (!pet) {
        return;
    }
    try {
        act();
    } catch (Die& death) {
        OnDeath(death.GetMessage());
    }
}

void GameController::Clean() {
    LetPetAct([this] { pet->Clean(); });
}

void GameController::Cure() {
    LetPetAct([this] { pet->Cure(); });
}

void GameController::ShowLife() {
    std::optional<LifeView::PetLife> life;
    if (pet) {
        life = LifeView::PetLife{lifeRecorder->Rows(), LifeRecorder::RowOf(*pet), {}, pet->GetName()};
        for (const auto& [name, food] : foods) {
            life->foods.push_back(food.get());
        }
    }
    LifeView::End end;
    {
        // The pet stands still while the player reads, as in a chooser.
        const StandStill still(*behaviors);
        LifeView view(window.get(), std::move(life), remembered::All(store->Names()),
                      dispatcher->GetWindowOperations());
        end = view.Run();
    }
    ClearIfNoPet();
    if (end == LifeView::End::WindowClosed) {
        Quit();
    }
}

void GameController::ShowState() {
    if (pet) {
        pet->ShowStatus();
    }
}

void GameController::ToggleSound() {
    const bool on = !sounds->IsOn();
    sounds->SetOn(on);
    Preferences().SetSwitch(Sounds::kPreference, on);
    PopupText(on ? "Sound on" : "Sound off", window.get(), kSoundSwitchSeconds);
    ClearIfNoPet();
}

bool GameController::IsSafePetName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.find('\\') == std::string::npos &&
           name.find("..") == std::string::npos && name.find('\0') == std::string::npos;
}

void GameController::ClearIfNoPet() {
    // The pet's frames repaint the window; without a pet, an ended prompt or chooser would stay
    // on screen looking as if it still took keys.
    window->SetHint(pet ? kPetHint : kNoPetHint, pet != nullptr);
    if (!pet) {
        PaintHome();
    }
}

void GameController::PaintHome() {
    if (pet) {
        pet->Redraw();
    } else {
        window->ClearHome();
        window->Display();
    }
}

void GameController::Refuse(const FileError& error) {
    ReportRefusal(error);
    PopupText(error.what(), window.get(), kRefusalSeconds);
}

std::unique_ptr<Pet> GameController::TryBuild(const std::function<std::unique_ptr<Pet>()>& build) {
    try {
        return build();
    } catch (const FileError& error) {
        Refuse(error);
        return nullptr;
    }
}
