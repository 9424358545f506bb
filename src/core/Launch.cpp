#include "core/Launch.h"

#include "support/FileError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace launch {
namespace {
constexpr const char* kUsage = "usage: hatchling [--help | --version | --scale N]";

bool IsDataFolder(const fs::path& folder) {
    std::error_code ignored;
    return fs::is_regular_file(folder / "Settings" / "WindowApp.data", ignored);
}

fs::path PlayerFolder(const std::string& xdgDataHome, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid and ignored, as the XDG base directory rules say.
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/') {
        return fs::path(xdgDataHome) / "hatchling";
    }
    if (home.empty()) {
        throw FileError("$HOME", 0, "is not set; the game has no folder for its pets");
    }
    return fs::path(home) / ".local" / "share" / "hatchling";
}

bool IsPlayerFolder(const fs::path& folder, const std::string& xdgDataHome, const std::string& home) {
    try {
        std::error_code ignored;
        return fs::equivalent(folder, PlayerFolder(xdgDataHome, home), ignored);
    } catch (const FileError&) {
        return false;
    }
}
} // namespace

Request ParseArguments(const std::vector<std::string>& arguments, std::optional<int>* scale) {
    if (arguments.empty()) {
        return Request::Play;
    }
    if (arguments.size() == 2 && arguments[0] == "--scale" && arguments[1].size() == 1 &&
        arguments[1][0] >= '1' && arguments[1][0] <= '4') {
        if (scale != nullptr) {
            *scale = arguments[1][0] - '0';
        }
        return Request::Play;
    }
    if (arguments.size() == 1 && arguments[0] == "--help") {
        return Request::Help;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        return Request::Version;
    }
    return Request::Misuse;
}

int Answer(Request request, const std::string& version, std::ostream& out, std::ostream& err) {
    switch (request) {
    case Request::Help:
        out << kUsage << "\n"
            << "Hatchling: hatch a pet, name it, feed it, play with it and look after it.\n"
            << "Started without arguments it opens the game window. Your pets are kept in\n"
            << "$XDG_DATA_HOME/hatchling (by default ~/.local/share/hatchling).\n"
            << "  --scale N   shows the windows N times larger (N from 1 to 4) for this run;\n"
            << "              + and - in the game change the size and keep it.\n";
        return 0;
    case Request::Version:
        out << "hatchling " << version << "\n";
        return 0;
    case Request::Misuse:
        err << kUsage << "\n";
        return 2;
    case Request::Play:
        break;
    }
    return 0;
}

Folders FindFolders(const std::string& workingDirectory, const std::string& executable,
                    const std::string& xdgDataHome, const std::string& home) {
    // The player folder holds the player's own copies (a WindowApp.data among them, perhaps); it
    // is never taken for a self-contained data folder, whatever the working directory.
    if (IsDataFolder(workingDirectory) && !IsPlayerFolder(workingDirectory, xdgDataHome, home)) {
        return Folders{workingDirectory, {}};
    }
    const fs::path beside = fs::path(executable).parent_path();
    fs::path shipped;
    for (const fs::path& candidate : {beside / "game-data", beside / ".." / "share" / "hatchling"}) {
        if (IsDataFolder(candidate)) {
            shipped = candidate.lexically_normal();
            break;
        }
    }
    if (shipped.empty()) {
        throw FileError(beside.string(), 0,
                        "holds neither game-data nor ../share/hatchling; the game's data is missing");
    }
    const fs::path player = PlayerFolder(xdgDataHome, home);
    std::error_code error;
    fs::create_directories(player, error);
    if (error || !fs::is_directory(player)) {
        throw FileError(player.string(), 0, "cannot be made: " + error.message());
    }
    return Folders{player.string(), {player.string(), shipped.string()}};
}

bool LockFolder(const std::string& folder) {
    // Deliberately never closed: the lock lives exactly as long as the process.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        throw FileError(folder, 0, std::string("cannot be opened: ") + std::strerror(errno));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int lockError = errno;
        ::close(fd);
        if (lockError == EWOULDBLOCK) {
            return false;
        }
        throw FileError(folder, 0, std::string("cannot be locked: ") + std::strerror(lockError));
    }
    return true;
}

} // namespace launch
