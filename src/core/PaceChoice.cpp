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
    const auto now =
        static_cast<std::size_t>(std::find(paces.begin(), paces.end(), behaviors->GetPace()) - paces.begin());
    std::vector<std::string> names = PaceNames();
    names[now] += " (now)";
    ChooseForPet(
        paces.size(),
        NameScreen(names, "Pace", [&paces](std::size_t at) { return pace::Describe(paces[at]); }),
        [&](std::size_t chosen) {
            if (chosen == now) {
                return; // the pace in force: nothing to note or keep
            }
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
        now);
    ClearIfNoPet();
}
