#include "pet/Memories.h"

#include "pet/LifeRecord.h"
#include "support/FileError.h"
#include "support/FileOps.h"
#include "support/Seams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace fs = std::filesystem;

namespace memories {
namespace {
// The extensions of the pet's own files: "<name>.<extension>" with nothing after the extension,
// so a half-written "<name>.data.tmp" or another pet whose name merely starts alike stays.
std::vector<std::string> Extensions(const fs::path& pets, const std::string& name) {
    std::vector<std::string> found;
    std::error_code error;
    for (fs::directory_iterator entry(pets, error), end; !error && entry != end; entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        if (file.size() > name.size() + 1 && file.compare(0, name.size() + 1, name + ".") == 0 &&
            file.find('.', name.size() + 1) == std::string::npos && entry->is_regular_file()) {
            found.push_back(file.substr(name.size() + 1));
        }
    }
    // The data file first: the pet itself is what must not be lost.
    std::sort(found.begin(), found.end(), [](const std::string& a, const std::string& b) {
        return (a == "data") != (b == "data") ? a == "data" : a < b;
    });
    return found;
}

// The time of the pet's death, as its record's death row has it ("2026-12-07T09:00:00+01:00",
// the local time then), or else the time of the move.
std::string Stamp(const std::string& name) {
    const std::vector<LifeRow> rows = liferecord::Read(liferecord::Path(name), false).rows;
    if (!rows.empty() && rows.back().event == "death" && rows.back().time.size() >= 16) {
        const std::string& died = rows.back().time;
        return died.substr(0, 10) + " " + died.substr(11, 2) + "-" + died.substr(14, 2);
    }
    const std::time_t now = wallclock::Now();
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H-%M", &local);
    return text;
}
} // namespace

std::vector<std::string> Keep(const std::string& name) {
    const fs::path pets = paths::MapForWrite("Pets");
    const std::vector<std::string> extensions = Extensions(pets, name);
    if (extensions.empty()) {
        return {};
    }
    const fs::path kept = paths::MapForWrite(kFolder);
    if (!fileops::MakeFolders(kept.string())) {
        throw FileError(kFolder, 0,
                        std::string("cannot be made: ") + std::strerror(errno) + "; no new pet is made");
    }
    std::error_code error;
    // One stem for all the pet's files, free for every one of them.
    const std::string stamped = name + " " + Stamp(name);
    std::string stem = stamped;
    const auto taken = [&](const std::string& extension) {
        return fs::exists(kept / (stem + "." + extension), error);
    };
    for (int count = 2; std::any_of(extensions.begin(), extensions.end(), taken); ++count) {
        stem = stamped + " " + std::to_string(count);
    }
    std::vector<std::string> moved;
    for (const std::string& extension : extensions) {
        const std::string file = stem + "." + extension;
        // Within the player folder a rename replaces nothing half-way: the folder lock keeps
        // every other game out, and the target was seen free above.
        if (!fileops::Rename((pets / (name + "." + extension)).string(), (kept / file).string())) {
            throw FileError("Pets\\" + name + "." + extension, 0,
                            std::string("cannot be moved to Pets\\Memories: ") + std::strerror(errno) +
                                "; no new pet is made");
        }
        moved.push_back(file);
    }
    // Both folders changed; a failed sync leaves the files whole in one place or the other.
    fileops::SyncFolder(kept.string());
    fileops::SyncFolder(pets.string());
    return moved;
}

} // namespace memories
