#include "core/Initializer.h"

#include "growth/Food.h"
#include "growth/Game.h"
#include "presentation/Picture.h"
#include "presentation/WindowApp.h"
#include "support/FileError.h"
#include "support/StringTokenizer.h"
#include "support/TextFiles.h"

#include <iostream>

namespace {
void ReportNotFound(const std::string& path) {
    std::cerr << "file: \"" << path << "\" not found" << std::endl;
}

// A window larger than any screen is surely a typing error.
constexpr int kLargestSide = 8192;
constexpr unsigned long kCloseButtonStyle = 4;
} // namespace

Initializer* Initializer::GetInstance() {
    static Initializer instance;
    return &instance;
}

std::vector<std::string> Initializer::InitLineList(const std::string& path, const std::string& what) {
    std::vector<std::string> lines;
    if (!textfiles::ReadLines(path, lines)) {
        ReportNotFound(path);
    }
    std::cerr << "> " << what << " initialization success" << std::endl;
    return lines;
}

std::vector<std::string> Initializer::InitPetList(const std::string& path) {
    return InitLineList(path, "Pet list");
}

std::vector<std::string> Initializer::InitGameList(const std::string& path) {
    return InitLineList(path, "Game list");
}

std::map<std::string, std::unique_ptr<Food>> Initializer::InitFoodList(const std::string& path) {
    std::map<std::string, std::unique_ptr<Food>> foods;
    std::vector<std::string> lines;
    if (!textfiles::ReadLines(path, lines)) {
        ReportNotFound(path);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        if (lines[i].empty()) {
            ReportRefusal(path, lineNumber, "a blank line is not a food; skipped");
            continue;
        }
        try {
            auto food = std::make_unique<Food>(lines[i]);
            const std::string name = food->GetName();
            foods.emplace(name, std::move(food));
        } catch (const FileError& error) {
            ReportRefusal(path, lineNumber, std::string(error.what()) + "; skipped");
        }
    }
    std::cerr << "> Food list initialization success" << std::endl;
    return foods;
}

std::vector<std::string> Initializer::KeepRegisteredGames(const std::vector<std::string>& names,
                                                          const std::string& path) {
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (Game::Get(names[i])) {
            kept.push_back(names[i]);
        } else {
            ReportRefusal(path, static_cast<int>(i) + 1, "no game is called \"" + names[i] + "\"; skipped");
        }
    }
    return kept;
}

Initializer::WindowSettings Initializer::ReadWindowSettings(const std::string& path) {
    std::vector<std::string> lines;
    if (!textfiles::ReadLines(path, lines)) {
        throw FileError(path, 0, "not found; the game cannot open its window");
    }
    if (lines.empty()) {
        throw FileError(path, 0, "is empty; it needs width, height, title and icon");
    }
    StringTokenizer reader(lines[0]);
    const std::string width = reader.NextToken();
    const std::string height = reader.NextToken();
    WindowSettings settings;
    settings.title = reader.NextToken();
    settings.icon = reader.NextToken();
    if (reader.RanPastEnd()) {
        throw FileError(path, 1, "needs 4 fields: width, height, title and icon");
    }
    const int w = StringTokenizer::ToInt(width);
    const int h = StringTokenizer::ToInt(height);
    if (w < 1 || h < 1 || w > kLargestSide || h > kLargestSide) {
        throw FileError(path, 1,
                        "the window size " + width + " x " + height + " is not between 1 and " +
                            std::to_string(kLargestSide) + " pixels");
    }
    settings.width = static_cast<unsigned>(w);
    settings.height = static_cast<unsigned>(h);
    return settings;
}

std::unique_ptr<facade::WindowApp> Initializer::InitWindowApp(const std::string& path) {
    const WindowSettings settings = ReadWindowSettings(path);
    auto window = std::make_unique<facade::WindowApp>(settings.width, settings.height, settings.title,
                                                      kCloseButtonStyle);
    facade::Picture icon(settings.icon);
    window->SetIcon(icon);
    window->Display();
    window->SetActive(false);
    std::cerr << "> WindowApp initialization success" << std::endl;
    return window;
}
