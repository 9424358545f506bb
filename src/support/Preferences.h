#pragma once

#include <optional>
#include <string>
#include <vector>

// The player's own choices (window size, sound, notifications), one `key value` per line in
// "Settings\Preferences.data" in the player folder. The game ships no such file: a missing one
// means every default. Lines the game does not know are kept as they stand when it rewrites the
// file, so that an older or newer game's choices survive.
class Preferences {
public:
    static constexpr const char* kPath = "Settings\\Preferences.data";

    // Reads the file at that game path; a missing file holds nothing. One that is there but
    // cannot be read holds nothing either and is never written: the first reading of a run says
    // so on standard error.
    explicit Preferences(std::string gamePath = kPath);

    // The value of the key's last line (the words after the key, blanks between them kept), or
    // nothing when no line names the key.
    std::optional<std::string> Get(const std::string& key) const;
    // A whole number from `low` to `high`; a value that is not one gets the refusal line and
    // counts as missing.
    std::optional<int> GetNumber(const std::string& key, int low, int high) const;
    // "on" or "off"; anything else gets the refusal line and counts as missing.
    std::optional<bool> GetSwitch(const std::string& key) const;
    // One of `allowed`; anything else gets the refusal line and counts as missing.
    std::optional<std::string> GetOneOf(const std::string& key,
                                        const std::vector<std::string>& allowed) const;

    // Gives the key this value: its first line is replaced (later lines of the same key go),
    // or a line is added at the end, and the file is replaced in one step. False (after the
    // save's own line on standard error) when it could not be written, or at once when the file
    // could not be read; the choice still holds for this run.
    bool Set(const std::string& key, const std::string& value);
    bool SetSwitch(const std::string& key, bool on) { return Set(key, on ? "on" : "off"); }
    bool IsUnreadable() const { return unreadable; }

private:
    // The key's last line number (1-based) and value, if any.
    std::optional<std::pair<int, std::string>> Find(const std::string& key) const;
    void Refuse(int line, const std::string& what) const;

    std::string path;
    std::vector<std::string> lines;
    bool unreadable = false;
};
