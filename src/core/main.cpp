#include "core/BehaviorScheduler.h"
#include "core/GameController.h"
#include "core/Launch.h"
#include "core/Prototypes.h"
#include "core/RunningGame.h"
#include "core/WindowSize.h"
#include "presentation/Sounds.h"
#include "presentation/WindowApp.h"
#include "presentation/X11Desktop.h"
#include "support/EndRequest.h"
#include "support/FileError.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {
std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Finds the data folders and locks them; false (after the refusal line) when the game must not start.
bool TakeFolders() {
    try {
        std::error_code ignored;
        const std::string executable = std::filesystem::read_symlink("/proc/self/exe", ignored).string();
        const launch::Folders folders =
            launch::FindFolders(std::filesystem::current_path().string(), executable,
                                Environment("XDG_DATA_HOME"), Environment("HOME"));
        if (!launch::LockFolder(folders.locked)) {
            launch::ShowRunningGame(folders.locked);
            ReportRefusal(folders.locked, 0, "another Hatchling is already running with these pets");
            return false;
        }
        paths::SetLayers(folders.layers);
        return true;
    } catch (const FileError& error) {
        ReportRefusal(error);
        return false;
    } catch (const std::filesystem::filesystem_error& error) {
        ReportRefusal(".", 0, error.what());
        return false;
    }
}
} // namespace

int main(int argc, char** argv) {
    Sounds::PrepareEnvironment(); // before any thread starts
    std::optional<int> scale;
    const launch::Request request =
        launch::ParseArguments(std::vector<std::string>(argv + 1, argv + argc), &scale);
    if (request != launch::Request::Play) {
        return launch::Answer(request, HATCHLING_VERSION, std::cout, std::cerr);
    }
    ending::InstallHandlers();
    // Before the folders are touched: without a display nothing of the player's may change.
    if (!windowsize::CheckDisplay(std::cerr)) {
        return 1;
    }
    if (!TakeFolders()) {
        return 1;
    }
    facade::WindowApp::SetOpeningScale(windowsize::StartScale(scale));
    GameController* controller = nullptr;
    try {
        // Never deleted: the game ends from inside a pass, through the quit command.
        controller = new GameController();
    } catch (const FileError& error) {
        ReportRefusal(error);
        return 1;
    }
    facade::x11::OnDisplayLost([controller] { return controller->SaveForLostDisplay(); });
    windowsize::ReportFit(scale, std::cerr);
    CreateStatePrototypes();
    controller->GetScheduler()->Run();
    if (ending::Requested()) {
        // Asked to end from outside: the pet is saved and the game ends as the menu's Quit ends it.
        controller->Quit();
    }
    return 0;
}
