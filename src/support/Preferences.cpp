#include "support/Preferences.h"

#include "support/FileError.h"
#include "support/TextFiles.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <utility>

namespace {
constexpr const char* kBlanks = " \t\r";

// The key is the first word; the value is the rest without its outer blanks.
std::pair<std::string, std::string> Split(const std::string& line) {
    const std::size_t keyStart = line.find_first_not_of(kBlanks);
    if (keyStart == std::string::npos) {
        return {};
    }
    const std::size_t keyEnd = std::min(line.find_first_of(kBlanks, keyStart), line.size());
    const std::size_t valueStart = line.find_first_not_of(kBlanks, keyEnd);
    if (valueStart == std::string::npos) {
        return {line.substr(keyStart, keyEnd - keyStart), ""};
    }
    const std::size_t valueEnd = line.find_last_not_of(kBlanks);
    return {line.substr(keyStart, keyEnd - keyStart), line.substr(valueStart, valueEnd - valueStart + 1)};
}
} // namespace

Preferences::Preferences(std::string gamePath) : path(std::move(gamePath)) {
    std::string content, why;
    const textfiles::Found found = textfiles::ReadAll(path, content, &why);
    lines = textfiles::SplitLines(content);
    unreadable = found == textfiles::Found::Unreadable;
    // Said once a run, however often the choices are read.
    static std::set<std::string> told;
    if (unreadable && told.insert(path).second) {
        ReportRefusal(path, 0,
                      "cannot be read: " + why + "; the defaults hold and the file is left as it is");
    }
}

std::optional<std::pair<int, std::string>> Preferences::Find(const std::string& key) const {
    std::optional<std::pair<int, std::string>> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto [name, value] = Split(lines[i]);
        if (name == key) {
            found = {static_cast<int>(i) + 1, value};
        }
    }
    return found;
}

std::optional<std::string> Preferences::Get(const std::string& key) const {
    const auto found = Find(key);
    if (!found) {
        return std::nullopt;
    }
    return found->second;
}

void Preferences::Refuse(int line, const std::string& what) const {
    ReportRefusal(path, line, what + "; ignored");
}

std::optional<int> Preferences::GetNumber(const std::string& key, int low, int high) const {
    const auto found = Find(key);
    if (!found) {
        return std::nullopt;
    }
    const std::string& text = found->second;
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < low || number > high) {
        Refuse(found->first, key + " must be a whole number from " + std::to_string(low) + " to " +
                                 std::to_string(high) + ", not \"" + text + "\"");
        return std::nullopt;
    }
    return number;
}

std::optional<bool> Preferences::GetSwitch(const std::string& key) const {
    const auto found = Find(key);
    if (!found) {
        return std::nullopt;
    }
    if (found->second == "on" || found->second == "off") {
        return found->second == "on";
    }
    Refuse(found->first, key + " must be \"on\" or \"off\", not \"" + found->second + "\"");
    return std::nullopt;
}

std::optional<std::string> Preferences::GetOneOf(const std::string& key,
                                                 const std::vector<std::string>& allowed) const {
    const auto found = Find(key);
    if (!found || std::find(allowed.begin(), allowed.end(), found->second) != allowed.end()) {
        return found ? std::optional(found->second) : std::nullopt;
    }
    std::string choices;
    for (std::size_t i = 0; i < allowed.size(); ++i) {
        choices += (i == 0 ? "" : i + 1 == allowed.size() ? " or " : ", ") + allowed[i];
    }
    Refuse(found->first, key + " must be " + choices + ", not \"" + found->second + "\"");
    return std::nullopt;
}

bool Preferences::Set(const std::string& key, const std::string& value) {
    if (unreadable) {
        return false; // what it holds is unknown, so it must not be replaced
    }
    const std::string line = key + " " + value;
    std::vector<std::string> updated;
    bool placed = false;
    for (const std::string& old : lines) {
        if (Split(old).first != key) {
            updated.push_back(old);
        } else if (!placed) {
            updated.push_back(line);
            placed = true;
        }
    }
    if (!placed) {
        updated.push_back(line);
    }
    lines = std::move(updated);
    return textfiles::WriteLines(path, lines);
}
