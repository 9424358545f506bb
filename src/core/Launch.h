#pragma once

#include "support/Seams.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// What happens before the game itself starts: the command line, finding the data folders and
// making sure only one game uses them.
namespace launch {

enum class Request { Play, Help, Version, Misuse };

// No argument plays, and so does "--scale N" with N from 1 to 4 (stored in `scale` when given);
// exactly "--help" or "--version" asks for that text; anything else is misuse.
Request ParseArguments(const std::vector<std::string>& arguments, std::optional<int>* scale = nullptr);

// Prints the help or version text (standard output, status 0) or the usage line (standard
// error, status 2) and returns the exit status.
int Answer(Request request, const std::string& version, std::ostream& out, std::ostream& err);

struct Folders {
    // The folder whose lock keeps a second game out: the player folder, or the working
    // directory when that is a self-contained data folder.
    std::string locked;
    paths::Layers layers;
};

// A working directory that holds "Settings/WindowApp.data" is a self-contained data folder and
// the only layer, unless it is the player folder itself. Otherwise the player folder is
// $XDG_DATA_HOME/hatchling (or $HOME/.local/share/hatchling; empty arguments stand for unset
// variables), created when missing, and the shipped folder lies beside the executable:
// "game-data" in a build tree, "../share/hatchling" in an installed tree. Throws FileError when
// no usable folder is found.
Folders FindFolders(const std::string& workingDirectory, const std::string& executable,
                    const std::string& xdgDataHome, const std::string& home);

// Takes an exclusive lock on the folder for as long as the process lives (the kernel lets go
// at any end, a crash too). False when another process holds it; throws FileError when the
// folder cannot be opened.
bool LockFolder(const std::string& folder);

} // namespace launch
