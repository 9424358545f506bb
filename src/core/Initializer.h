#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

class Food;
namespace facade {
class WindowApp;
}

// Reads the settings lists the game starts with. Each loader writes a line on standard
// error when its file is missing and a success line when it has finished.
class Initializer {
public:
    static Initializer* GetInstance();

    std::vector<std::string> InitPetList(const std::string& path);
    std::vector<std::string> InitGameList(const std::string& path);
    // Foods by name; the first line with a name wins. A malformed line is skipped with a
    // refusal line naming the file, the line number and what is wrong.
    std::map<std::string, std::unique_ptr<Food>> InitFoodList(const std::string& path);
    // Opens the game window as the settings file says. Throws FileError when the file is
    // missing or its first line is unusable: the game cannot start without a window.
    std::unique_ptr<facade::WindowApp> InitWindowApp(const std::string& path);

    // Drops, with a refusal line each, the game names that no game registered.
    static std::vector<std::string> KeepRegisteredGames(const std::vector<std::string>& names,
                                                        const std::string& path);

    struct WindowSettings {
        unsigned width = 0;
        unsigned height = 0;
        std::string title;
        std::string icon;
    };
    // The window settings from the first line of the file; throws FileError.
    static WindowSettings ReadWindowSettings(const std::string& path);

private:
    std::vector<std::string> InitLineList(const std::string& path, const std::string& what);
};
