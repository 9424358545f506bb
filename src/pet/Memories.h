#pragma once

#include <string>
#include <vector>

// A dead pet leaves the pet list but not the player's folder: when a new pet takes its name,
// the old pet's files are kept under "Pets\Memories" instead of being overwritten.
namespace memories {

constexpr const char* kFolder = "Pets\\Memories";

// Moves every "Pets\<name>.<extension>" of the player folder (the data file, a life record, ...)
// into "Pets\Memories" as "<name> YYYY-MM-DD HH-MM.<extension>", stamped with the local time of
// the pet's death when its life record ends in its death row, else with that of the move;
// " 2", " 3" ... follow the time when that name is taken. Each file moves by one
// rename, so it is always whole in one place or the other. Returns the new file names (none
// when the name has no files). Throws FileError when a file cannot be moved; the new pet must
// not be made then.
std::vector<std::string> Keep(const std::string& name);

} // namespace memories
