#include "pet/Remembered.h"

#include "pet/LifeRecord.h"
#include "pet/PetFile.h"
#include "support/FileError.h"
#include "support/Seams.h"
#include "support/TextFiles.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>

namespace fs = std::filesystem;

namespace remembered {
namespace {
using Front = std::array<std::string_view, 11>; // a row's fields up to its health

// The row's first fields; false for a line that is no row (the header, a torn or hand-made line).
bool SplitFront(std::string_view line, Front& fields, std::uint64_t& steps, int& health) {
    for (std::string_view& field : fields) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            return false;
        }
        field = line.substr(0, comma);
        line.remove_prefix(comma + 1);
    }
    const auto number = [](std::string_view text, auto& value) {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() && !text.empty();
    };
    return number(fields[1], steps) && number(fields[10], health);
}

// "2026-12-07T09:00:00+01:00" as the memorial shows it: "2026-12-07 09:00".
std::string Shown(std::string_view time) {
    return time.size() >= 16 ? std::string(time.substr(0, 10)) + " " + std::string(time.substr(11, 5)) : "";
}

// Splits "REX 2026-12-07 08-15" (or "... 08-15 2") into the name and the stamp "2026-12-07 08:15".
void SplitStamp(const std::string& stem, std::string& name, std::string& stamp) {
    std::string rest = stem;
    const std::size_t blank = rest.rfind(' ');
    if (blank != std::string::npos && rest.size() - blank <= 4 &&
        rest.find_first_not_of("0123456789", blank + 1) == std::string::npos) {
        rest.resize(blank); // " 2", " 3" ... after a stamp that was taken
    }
    const bool stamped = rest.size() > 17 && rest[rest.size() - 17] == ' ' && rest[rest.size() - 6] == ' ' &&
                         rest[rest.size() - 3] == '-';
    name = stamped ? rest.substr(0, rest.size() - 17) : stem;
    stamp = stamped ? rest.substr(rest.size() - 16, 11) + rest.substr(rest.size() - 5, 2) + ":" +
                          rest.substr(rest.size() - 2)
                    : "";
}

std::string FileTime(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    if (error) {
        return "";
    }
    const std::time_t when = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(written));
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return text;
}

std::time_t Moment(const std::string& shown) {
    std::tm local{};
    if (shown.size() < 16 || std::sscanf(shown.c_str(), "%d-%d-%d %d:%d", &local.tm_year, &local.tm_mon,
                                         &local.tm_mday, &local.tm_hour, &local.tm_min) != 5) {
        return 0;
    }
    local.tm_year -= 1900;
    local.tm_mon -= 1;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

// The health of a whole life in at most kStrip values, each the lowest of its stretch.
std::vector<int> Strip(const std::vector<int>& health) {
    if (health.size() <= kStrip) {
        return health;
    }
    std::vector<int> strip;
    for (std::size_t i = 0; i < kStrip; ++i) {
        const auto begin = health.begin() + static_cast<std::ptrdiff_t>(i * health.size() / kStrip);
        const auto end = health.begin() + static_cast<std::ptrdiff_t>((i + 1) * health.size() / kStrip);
        strip.push_back(*std::min_element(begin, end));
    }
    return strip;
}

// One dead pet from its data file (a game path) and, when there is one, its record.
Pet Remember(const std::string& name, const std::string& data, const std::string& life,
             const std::string& fallbackDied) {
    Pet pet;
    pet.name = name;
    const Summary summary = Summarize(life);
    pet.stage = summary.stage;
    if (pet.stage.empty()) {
        try {
            pet.stage = petfile::ReadData(data).stage;
        } catch (const FileError&) {
            // a file the game cannot read still has a memory; its stage is a dash
        }
    }
    pet.made = Shown(summary.made);
    pet.died = summary.died.empty() ? fallbackDied : Shown(summary.died);
    pet.cause = summary.cause;
    pet.minutesPlayed =
        summary.health.empty() ? -1.0 : static_cast<double>(summary.passes) / liferecord::kPassesPerMinute;
    pet.health = Strip(summary.health);
    pet.diedAt = Moment(pet.died);
    return pet;
}
} // namespace

Summary Summarize(const std::string& gamePath) {
    Summary summary;
    std::string content;
    if (textfiles::ReadAll(gamePath, content) != textfiles::Found::Read) {
        return summary;
    }
    summary.found = true;
    const std::string_view all(content);
    liferecord::PlayClock clock;
    std::string_view last;
    Front fields;
    for (std::size_t at = 0, end; (end = all.find('\n', at)) != std::string_view::npos; at = end + 1) {
        const std::string_view line = all.substr(at, end - at); // a torn last line has no end
        std::uint64_t steps = 0;
        int health = 0;
        if (!SplitFront(line, fields, steps, health)) {
            continue;
        }
        if (fields[2] == "new") { // only the last life counts, should a name have had two
            summary = Summary{true, std::string(fields[0]), "", "", "", 0, {}};
            clock = liferecord::PlayClock{pace::Pace::Design, 0, steps};
        }
        std::string detail, why; // only a pace row's detail counts here
        if (fields[2] == "pace") {
            const auto row = liferecord::ParseRow(std::string(line), why);
            detail = row ? row->detail : "";
        }
        summary.passes = clock.Row(steps, std::string(fields[2]), detail);
        summary.health.push_back(health);
        summary.stage = std::string(fields[3]);
        last = line;
    }
    std::string why;
    if (const auto row = liferecord::ParseRow(std::string(last), why); row && row->event == "death") {
        summary.died = row->time;
        summary.cause = row->detail;
    }
    return summary;
}

std::vector<Pet> All(const std::vector<std::string>& listed) {
    std::vector<Pet> pets;
    std::error_code error;
    const fs::path kept = paths::MapForWrite("Pets\\Memories");
    for (fs::directory_iterator entry(kept, error), end; !error && entry != end; entry.increment(error)) {
        if (entry->path().extension() == ".data") {
            const std::string stem = entry->path().stem().string();
            std::string name, stamp;
            SplitStamp(stem, name, stamp);
            pets.push_back(Remember(name, "Pets\\Memories\\" + stem + ".data",
                                    "Pets\\Memories\\" + stem + ".life", stamp));
        }
    }
    const fs::path living = paths::MapForWrite("Pets");
    for (fs::directory_iterator entry(living, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().stem().string();
        if (entry->path().extension() == ".data" &&
            std::find(listed.begin(), listed.end(), name) == listed.end()) {
            pets.push_back(
                Remember(name, petfile::DataPath(name), liferecord::Path(name), FileTime(entry->path())));
        }
    }
    std::stable_sort(pets.begin(), pets.end(),
                     [](const Pet& a, const Pet& b) { return a.diedAt > b.diedAt; });
    return pets;
}

} // namespace remembered
