// The controller's three choosers: the pet to open, the food to feed and the game to play.
#include "core/GameController.h"

#include "core/Behaviors.h"
#include "growth/BodyState.h"
#include "growth/Food.h"
#include "growth/FoodEffects.h"
#include "growth/Game.h"
#include "pet/Pet.h"
#include "pet/PetStore.h"
#include "presentation/KeyCodes.h"
#include "presentation/PicFactory.h"
#include "presentation/PicText.h"
#include "presentation/Picture.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/FileError.h"
#include "support/Seams.h"

#include <SFML/Window/Event.hpp>

#include <set>

namespace {
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

float Half(unsigned size) {
    return static_cast<float>(size / 2);
}

constexpr const char* kPlanMark = "in the care plan";
const sf::Color kEffectsInk(70, 70, 70);
const sf::Color kPlanGreen(30, 130, 60);
} // namespace

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

GameController::ChooserDraw GameController::NameScreen(const std::vector<std::string>& names,
                                                       const std::string& caption,
                                                       std::function<std::string(std::size_t)> below) {
    auto entry = std::make_shared<facade::Text>("", kChooserFont, 16);
    entry->SetColor(sf::Color::Blue);
    // Headed as the feed chooser is, so that the player knows what is chosen.
    auto heading = std::make_shared<facade::Text>(caption, kDefaultFont, 16);
    heading->SetColor(sf::Color::Blue);
    heading->SetPosition(10, 10);
    auto under = std::make_shared<facade::Text>("", kDefaultFont, 13);
    auto hint = ChooserHint();
    return [this, &names, entry, heading, under, below, hint](std::size_t at) {
        entry->SetText(names[at]);
        entry->SetCenter(1, 1);
        entry->SetPosition(Half(window->GetWidth()), Half(window->GetHeight()));
        under->SetText(below ? below(at) : "");
        under->SetCenter(1, 1);
        under->SetPosition(Half(window->GetWidth()), Half(window->GetHeight()) + 30);
        window->ClearScreen();
        heading->Draw(*window);
        entry->Draw(*window);
        under->Draw(*window);
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
    {
        const StandStill still(*behaviors);
        window->Activate(0.5);
        std::size_t cursor = 0;
        const ChooserEnd end = RunChooser(names.size(), cursor, NameScreen(names), 0.1, true);
        if (end == ChooserEnd::Confirmed) {
            OpenChosen(cursor);
        }
        // Leaving, or nothing to attach behaviours to: the game resumes as it was.
        if (end != ChooserEnd::Escaped && pet) {
            window->Deactivate(0.5);
            behaviors->SetPet(pet.get());
            BuildPetMenu();
        }
    }
    ClearIfNoPet();
}

GameController::ChooserDraw GameController::FoodScreen(const std::vector<const Food*>& entries) {
    // The food's picture in the middle, its name at the top left, what it does under the picture
    // and, for a food the care plan feeds, a mark; the arrows are shown so that they can be clicked.
    auto caption = std::make_shared<facade::Text>("", kDefaultFont, 16);
    caption->SetLayer(1);
    caption->SetPosition(10, 10);
    caption->SetColor(sf::Color::Blue);
    auto effects = std::make_shared<facade::Text>("", kDefaultFont, 13);
    effects->SetColor(kEffectsInk);
    auto mark = std::make_shared<facade::Text>(kPlanMark, kDefaultFont, 12);
    mark->SetColor(kPlanGreen);
    const BodyState& body = pet->GetBodyState();
    auto planned = std::make_shared<const std::set<std::string>>(growth::PlannedFoods(
        body.GetGrowStateName(), {body.GetHeight(), body.GetWeight(), body.GetFull(), body.GetHealth()},
        entries));
    auto hint = ChooserHint();
    return [this, &entries, caption, effects, mark, planned, hint](std::size_t at) {
        const Food& food = *entries[at];
        facade::Picture* picture = PicFactory::GetPicture(food.GetName());
        picture->SetPosition(Half(window->GetWidth()), Half(window->GetHeight()));
        picture->SetCenter(1, 1);
        const sf::FloatRect drawn = picture->GetBounds();
        const float below = drawn.height > 0 ? drawn.top + drawn.height : Half(window->GetHeight());
        caption->SetText(food.GetName());
        effects->SetText(growth::EffectLine(food));
        effects->SetCenter(1, 0);
        effects->SetPosition(Half(window->GetWidth()), below + 12.0f);
        mark->SetCenter(1, 0);
        mark->SetPosition(Half(window->GetWidth()), below + 32.0f);
        facade::PicTextBasket basket;
        basket.Add(picture);
        basket.Add(caption.get());
        basket.Add(effects.get());
        basket.Add(hint.get());
        if (planned->count(food.GetName()) > 0) {
            basket.Add(mark.get());
        }
        window->ClearScreen();
        basket.Draw(*window);
        window->Display();
        return ChooserFrame{drawn, hint->GetBounds()};
    };
}

void GameController::Feed() {
    if (!pet || foods.empty()) {
        return;
    }
    std::vector<const Food*> entries;
    for (auto& [name, food] : foods) {
        entries.push_back(food.get());
    }
    ChooseForPet(entries.size(), FoodScreen(entries),
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
                                  const std::function<void(std::size_t)>& confirm, std::size_t start) {
    const StandStill still(*behaviors);
    std::size_t cursor = start;
    if (RunChooser(count, cursor, draw, 0, false) == ChooserEnd::Confirmed) {
        confirm(cursor);
    }
}
