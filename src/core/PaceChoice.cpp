// The controller's pace: read at the start, chosen from the main menu, kept in the preferences.
#include "core/GameController.h"

#include "core/Behaviors.h"
#include "pet/LifeRecorder.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/FileError.h"
#include "support/Happenings.h"
#include "support/Pace.h"
#include "support/Preferences.h"

namespace {
std::vector<std::string> PaceNames() {
    std::vector<std::string> names;
    for (pace::Pace pace : pace::All()) {
        names.push_back(pace::Name(pace));
    }
    return names;
}
} // namespace

void GameController::StartPace() {
    const std::optional<std::string> kept = Preferences().GetOneOf(pace::kPreference, PaceNames());
    const pace::Pace start = pace::FromName(kept.value_or("")).value_or(pace::Pace::Design);
    behaviors->SetPace(start);
    lifeRecorder->SetPace(start);
}

void GameController::ChoosePace() {
    const std::vector<pace::Pace>& paces = pace::All();
    const auto now = std::find(paces.begin(), paces.end(), behaviors->GetPace());
    ChooseForPet(
        paces.size(), PaceScreen(),
        [&](std::size_t chosen) {
            // At once, for this pet and every later one; the record notes it in a row.
            behaviors->SetPace(paces[chosen]);
            happenings::Announce(happenings::Kind::PaceChanged, pace::Name(paces[chosen]));
            Preferences preferences;
            if (preferences.IsUnreadable()) {
                ReportRefusal(Preferences::kPath, 0, "cannot be read, so the pace holds for this run only");
            } else {
                preferences.Set(pace::kPreference, pace::Name(paces[chosen]));
            }
        },
        static_cast<std::size_t>(now - paces.begin()));
    ClearIfNoPet();
}

GameController::ChooserDraw GameController::PaceScreen() {
    auto name = std::make_shared<facade::Text>("", kChooserFont, 16);
    name->SetColor(sf::Color::Blue);
    auto meaning = std::make_shared<facade::Text>("", kDefaultFont, 13);
    // Headed as the feed chooser is, so that the player knows what is chosen.
    auto caption = std::make_shared<facade::Text>("Pace", kDefaultFont, 16);
    caption->SetColor(sf::Color::Blue);
    caption->SetPosition(10, 10);
    auto hint = ChooserHint();
    const pace::Pace current = behaviors->GetPace();
    return [this, name, meaning, caption, hint, current](std::size_t at) {
        const pace::Pace shown = pace::All()[at];
        const float middle = static_cast<float>(window->GetWidth() / 2);
        name->SetText(pace::Name(shown) + (shown == current ? " (now)" : ""));
        name->SetCenter(1, 1);
        name->SetPosition(middle, static_cast<float>(window->GetHeight() / 2));
        meaning->SetText(pace::Describe(shown));
        meaning->SetCenter(1, 1);
        meaning->SetPosition(middle, static_cast<float>(window->GetHeight() / 2 + 30));
        window->ClearScreen();
        caption->Draw(*window);
        name->Draw(*window);
        meaning->Draw(*window);
        hint->Draw(*window);
        window->Display();
        return ChooserFrame{name->GetBounds(), hint->GetBounds()};
    };
}
