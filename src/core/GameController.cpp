#include "core/GameController.h"

#include "core/Behaviors.h"
#include "core/Initializer.h"
#include "core/Repaint.h"
#include "core/WindowSize.h"
#include "growth/Food.h"
#include "growth/Game.h"
#include "minigame/TTT.h"
#include "pet/LifeRecord.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "pet/PetStore.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/Notifier.h"
#include "presentation/PicFactory.h"
#include "presentation/PicText.h"
#include "presentation/Picture.h"
#include "presentation/PopupText.h"
#include "presentation/Sounds.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/FileError.h"
#include "support/Happenings.h"
#include "support/Preferences.h"
#include "support/Seams.h"
#include "support/Signals.h"
#include "support/TextFiles.h"
#include "views/LifeView.h"

#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {
constexpr const char* kChooserFont = "fonts\\CAMBRIAB.ttf";
constexpr const char* kDefaultFont = "fonts/Arial.ttf";
constexpr float kDeathNoticeSeconds = 2.5f;
constexpr float kRefusalSeconds = 2.5f;
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

// Which of the chooser's keys a click stands for: the hint's arrows at its ends, Return on the
// entry or on "Enter" between them.
int ChooserKeyAt(const sf::FloatRect& entry, const sf::FloatRect& hint, float x, float y) {
    if (entry.contains(x, y)) {
        return keys::Return;
    }
    if (!hint.contains(x, y)) {
        return keys::NoKey;
    }
    const float share = (x - hint.left) / hint.width;
    return share < 0.25f ? keys::Left : share > 0.75f ? keys::Right : keys::Return;
}

// The record counts minutes of play in passes of the loop and life steps.
static_assert(liferecord::kPassesPerStep == PetAutoBehavior::kPeriod + 1);
static_assert(liferecord::kPassesPerMinute * BehaviorScheduler::kPassPause == 60.0);

float Half(unsigned size) {
    return static_cast<float>(size / 2);
}
} // namespace

GameController::GameController()
    : loader(Initializer::GetInstance()),
      lifeRecorder(std::make_unique<LifeRecorder>([this] { return pet.get(); })) {
    store = std::make_unique<PetStore>(loader->InitPetList(PetStore::kListPath), *lifeRecorder);
    foods = loader->InitFoodList(kFoodListPath);
    gameNames = loader->InitGameList(kGameListPath);
    window = loader->InitWindowApp(kWindowPath);

    paperScissorsStone = std::make_unique<TTTProxy>();
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

    standing.push_back(std::make_unique<AutoSave>(this));
    standing.push_back(std::make_unique<PetAutoSayHello>(window.get(), [this] { ClearIfNoPet(); }));
    notifier = std::make_unique<Notifier>(*window);
    standing.push_back(std::make_unique<NotifierPump>(notifier.get()));
    // Without a pet nothing else paints the home screen; with one, its frames do. The name
    // prompt, which takes events through the dispatcher too, paints itself.
    auto repaint = std::make_unique<Repaint>([this] {
        if (!pet && !dispatcher->IsInputMode()) {
            window->ClearHome();
            window->Display();
        }
    });
    dispatcher->AddWindowOperation(events::GainedFocus, repaint.get());
    dispatcher->AddWindowOperation(events::MouseEntered, repaint.get());
    standing.push_back(std::move(repaint));
    for (auto& behavior : standing) {
        scheduler->Add(behavior.get());
    }
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
    ClearIfNoPet();
}

GameController::~GameController() = default;

facade::EventOperation* GameController::Keep(std::unique_ptr<facade::EventOperation> operation) {
    operations.push_back(std::move(operation));
    return operations.back().get();
}

void GameController::BuildMainMenu() {
    mainMenu->AddItem('n', "New Pet", Keep(std::make_unique<NewOperation>(this)));
    mainMenu->AddItem('o', "Open Pet", Keep(std::make_unique<OpenOperation>(this)));
    mainMenu->AddItem('s', "Save", Keep(std::make_unique<SaveOperation>(this)));
    mainMenu->AddItem('q', "Quit", Keep(std::make_unique<QuitOperation>(this)));
    dispatcher->AddKeyOperation('m', mainMenu.get());
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
    dispatcher->AddKeyOperation('l', Keep(std::make_unique<LifeOperation>(this)));
}

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
    if (!pet) {
        return;
    }
    std::vector<const Food*> offered;
    for (const auto& [name, food] : foods) {
        offered.push_back(food.get());
    }
    // The pet stands still while the player reads, as in a chooser.
    behaviors->RemovePetBehaviors();
    behaviors->RemoveEventBehavior();
    LifeView view(window.get(), lifeRecorder->Rows(), LifeRecorder::RowOf(*pet), std::move(offered),
                  pet->GetName(), dispatcher->GetWindowOperations());
    const LifeView::End end = view.Run();
    behaviors->AddEventBehavior();
    behaviors->AddPetBehaviors();
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

void GameController::NewPet() {
    // A pet that cannot be saved is not left for another: its play would be lost.
    if (!SaveAndTell()) {
        return;
    }
    behaviors->RemovePetBehaviors();

    facade::Text prompt("Please give it a name:", kDefaultFont, 24);
    prompt.SetColor(sf::Color::Blue);
    prompt.SetFont(kChooserFont);
    prompt.SetPosition(10, 10);
    prompt.SetSize(20);
    facade::Text typed;
    typed.SetFont(kChooserFont);
    typed.SetPosition(50, 50);
    facade::PicTextBasket basket;
    basket.Add(&prompt);
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
            behaviors->AddPetBehaviors();
            ClearIfNoPet();
            return;
        }
        typed.SetText(dispatcher->GetInputText());
        prompt.SetSize(18);
        window->ClearScreen();
        basket.Draw(*window);
        window->Display();
        timing::Sleep(0.2);
    }
    const std::string name = dispatcher->TakeFinishedText();

    BuildPetMenu();
    if (!store->IsListed(name)) {
        // A dead pet of that name is kept, not overwritten by the new one.
        std::unique_ptr<Pet> born =
            SaveAndTell() ? TryBuild([&] { return store->Make(name, window.get()); }) : nullptr;
        if (!born) {
            behaviors->AddPetBehaviors();
            ClearIfNoPet();
            return;
        }
        pet = std::move(born);
        happenings::Announce(happenings::Kind::Made, name);
        behaviors->SetPet(pet.get());
    } else {
        prompt.SetText("This name has existed!");
        window->ClearScreen();
        prompt.Draw(*window);
        window->Display();
        timing::Sleep(3.0);
    }

    SaveAndTell();
    behaviors->AddPetBehaviors();
    ClearIfNoPet();
}

GameController::ChooserEnd GameController::RunChooser(std::size_t count, std::size_t& cursor,
                                                      const ChooserDraw& draw, double pauseAfterEvent,
                                                      bool holdContext) {
    while (window->IsOpened()) {
        if (ending::Requested()) {
            return ChooserEnd::Escaped;
        }
        const ChooserFrame frame = draw(cursor);
        sf::Event event;
        if (window->GetEvent(event)) {
            window->Deactivate(0.1);
            const int key = facade::EventKey(
                event, [&frame](float x, float y) { return ChooserKeyAt(frame.entry, frame.hint, x, y); });
            if (key == keys::Left) {
                cursor = cursor == 0 ? count - 1 : cursor - 1;
            } else if (key == keys::Right) {
                cursor = cursor + 1 == count ? 0 : cursor + 1;
            } else if (key == keys::Return) {
                return ChooserEnd::Confirmed;
            } else if (key == keys::Escape) {
                return ChooserEnd::Escaped;
            }
            if (pauseAfterEvent > 0) {
                timing::Sleep(pauseAfterEvent);
            }
            window->Activate(holdContext ? 0.5 : 0.1);
        }
        timing::Sleep(0.1);
    }
    return ChooserEnd::WindowGone;
}

void GameController::OpenChosen(std::size_t index) {
    const std::string name = store->Names()[index];
    if (!IsSafePetName(name)) {
        Refuse(FileError(PetStore::kListPath, static_cast<int>(index) + 1,
                         "the name \"" + name + "\" cannot be a file name; the pet is not opened"));
        return;
    }
    // The current pet stays when it cannot be saved: its play would be lost.
    if (!SaveAndTell() || (pet && pet->GetName() == name)) {
        return;
    }
    bool dead = false;
    std::unique_ptr<Pet> opened = TryBuild([&] {
        std::unique_ptr<Pet> found = store->Open(name, window.get());
        dead = !found;
        return found;
    });
    if (dead) {
        ShowDeath(name);
    }
    if (!opened) {
        return;
    }
    BuildPetMenu();
    pet = std::move(opened);
    happenings::Announce(happenings::Kind::Opened, name);
}

std::shared_ptr<facade::Text> GameController::ChooserHint() const {
    auto hint = std::make_shared<facade::Text>("<-   Enter   ->", kChooserFont, 18);
    hint->SetCenter(1, 1);
    hint->SetPosition(Half(window->GetWidth()), static_cast<float>(window->GetHeight() - 15));
    return hint;
}

GameController::ChooserDraw GameController::NameScreen(const std::vector<std::string>& names) {
    // The open and play choosers show a name in the middle and the arrow hint at the bottom.
    auto entry = std::make_shared<facade::Text>("", kChooserFont, 16);
    entry->SetColor(sf::Color::Blue);
    auto hint = ChooserHint();
    return [this, &names, entry, hint](std::size_t at) {
        entry->SetText(names[at]);
        entry->SetCenter(1, 1);
        entry->SetPosition(Half(window->GetWidth()), Half(window->GetHeight()));
        window->ClearScreen();
        entry->Draw(*window);
        hint->Draw(*window);
        window->Display();
        return ChooserFrame{entry->GetBounds(), hint->GetBounds()};
    };
}

void GameController::OpenPet() {
    const std::vector<std::string>& names = store->Names();
    if (names.empty()) {
        return;
    }
    behaviors->RemovePetBehaviors();
    behaviors->RemoveEventBehavior();

    window->Activate(0.5);
    std::size_t cursor = 0;
    const ChooserEnd end = RunChooser(names.size(), cursor, NameScreen(names), 0.1, true);

    if (end == ChooserEnd::Confirmed) {
        OpenChosen(cursor);
    }
    if (end == ChooserEnd::Escaped || !pet) {
        // Leaving, or nothing to attach behaviours to: the game resumes as it was.
        behaviors->AddPetBehaviors();
        behaviors->AddEventBehavior();
        ClearIfNoPet();
        return;
    }
    window->Deactivate(0.5);
    behaviors->SetPet(pet.get());
    BuildPetMenu();
    behaviors->AddEventBehavior();
    behaviors->AddPetBehaviors();
    ClearIfNoPet();
}

void GameController::Feed() {
    if (!pet || foods.empty()) {
        return;
    }
    std::vector<Food*> entries;
    for (auto& [name, food] : foods) {
        entries.push_back(food.get());
    }
    facade::Text caption("", kDefaultFont, 16);
    caption.SetLayer(1);
    caption.SetPosition(10, 10);
    caption.SetColor(sf::Color::Blue);
    // The arrows are shown here too, so that they can be clicked.
    const auto hint = ChooserHint();

    ChooseForPet(
        entries.size(),
        [&](std::size_t at) {
            facade::Picture* picture = PicFactory::GetPicture(entries[at]->GetName());
            picture->SetPosition(Half(window->GetWidth()), Half(window->GetHeight()));
            picture->SetCenter(1, 1);
            caption.SetText(entries[at]->GetName());
            facade::PicTextBasket basket;
            basket.Add(picture);
            basket.Add(&caption);
            basket.Add(hint.get());
            window->ClearScreen();
            basket.Draw(*window);
            window->Display();
            return ChooserFrame{picture->GetBounds(), hint->GetBounds()};
        },
        [&](std::size_t chosen) { LetPetAct([&] { pet->Feed(*entries[chosen]); }); });
}

void GameController::Play() {
    if (!pet || gameNames.empty()) {
        return;
    }
    ChooseForPet(gameNames.size(), NameScreen(gameNames), [&](std::size_t chosen) {
        Game* game = Game::Get(gameNames[chosen]);
        if (!game) {
            Refuse(FileError(kGameListPath, 0, "no game is called \"" + gameNames[chosen] + "\""));
            return;
        }
        LetPetAct([&] { pet->Play(*game); });
    });
}

void GameController::ChooseForPet(std::size_t count, const ChooserDraw& draw,
                                  const std::function<void(std::size_t)>& confirm) {
    // The pet stands still and no menu key is taken while the player chooses.
    behaviors->RemovePetBehaviors();
    behaviors->RemoveEventBehavior();
    std::size_t cursor = 0;
    if (RunChooser(count, cursor, draw, 0, false) == ChooserEnd::Confirmed) {
        confirm(cursor);
    }
    behaviors->AddEventBehavior();
    behaviors->AddPetBehaviors();
}
