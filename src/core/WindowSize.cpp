#include "core/WindowSize.h"

#include "presentation/EventDispatcher.h"
#include "presentation/KeyCodes.h"
#include "presentation/Monitor.h"
#include "presentation/PopupText.h"
#include "presentation/WindowApp.h"
#include "presentation/X11Desktop.h"
#include "support/Preferences.h"

#include <cstdlib>
#include <ostream>
#include <string>

namespace windowsize {
namespace {
constexpr float kBalloonSeconds = 1.0f;

class Step : public facade::EventOperation {
public:
    Step(std::function<void(int)> change, int step) : change(std::move(change)), step(step) {}
    void Execute() override { change(step); }

private:
    std::function<void(int)> change;
    int step;
};
} // namespace

bool CheckDisplay(std::ostream& err) {
    if (facade::x11::CanOpenDisplay()) {
        return true;
    }
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        err << "hatchling: no display is set (DISPLAY is empty); the game needs a graphical session\n";
    } else {
        err << "hatchling: cannot open the display \"" << name << "\"; the game needs a graphical session\n";
    }
    return false;
}

int StartScale(std::optional<int> chosen) {
    if (chosen) {
        return *chosen;
    }
    if (const std::optional<int> saved =
            Preferences().GetNumber(kScaleKey, facade::kSmallestScale, facade::kLargestScale)) {
        return *saved;
    }
    const char* gdkScale = std::getenv("GDK_SCALE");
    return facade::DensityScale(facade::x11::ResourceDpi(), gdkScale ? gdkScale : "");
}

void ReportFit(std::optional<int> chosen, std::ostream& err) {
    const int opened = facade::WindowApp::GetOpeningScale();
    if (chosen && *chosen > opened) {
        err << "hatchling: x" << *chosen << " does not fit this screen; the windows open at x" << opened
            << "\n";
    }
}

std::string SizeAnswer(int before, int step, int after) {
    const int wanted = before + step;
    if (after == wanted || (after != before && step < 0)) {
        return "Size x" + std::to_string(after);
    }
    if (wanted > facade::kLargestScale) {
        return "Largest size";
    }
    if (wanted < facade::kSmallestScale) {
        return "Smallest size";
    }
    return "x" + std::to_string(wanted) + " does not fit this screen";
}

SizeKeys::SizeKeys(facade::WindowApp* window, facade::EventDispatcher* dispatcher,
                   std::function<void()> afterwards)
    : window(window), afterwards(std::move(afterwards)) {
    // '+' shares its key with '=' on most layouts, and the window reports that key as '='.
    for (const auto& [key, step] : {std::pair{keys::Equal, 1}, std::pair{keys::Add, 1},
                                    std::pair{keys::Dash, -1}, std::pair{keys::Subtract, -1}}) {
        operations.push_back(std::make_unique<Step>([this](int by) { Change(by); }, step));
        dispatcher->AddKeyOperation(key, operations.back().get());
    }
}

SizeKeys::~SizeKeys() = default;

void SizeKeys::Change(int step) {
    const int before = window->GetScale();
    const int scale = window->Rescale(before + step);
    if (scale != before) {
        Preferences().Set(kScaleKey, std::to_string(scale));
    }
    PopupText(SizeAnswer(before, step, scale), window, kBalloonSeconds);
    if (afterwards) {
        afterwards();
    }
}
} // namespace windowsize
