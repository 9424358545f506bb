#pragma once

// What every fuzz target shares: a private working folder holding the game's folders (the
// readers take game paths such as "Pets\Fuzz.data"), the state prototypes made once with
// their names kept off the output, and a check that every line a reader writes on standard
// error is a well-formed refusal.

#include "core/Prototypes.h"
#include "core/Seams.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace fuzz {

// Stops the target with a message; libFuzzer then saves the input that did it.
[[noreturn]] inline void Fail(const std::string& what, const std::string& detail = "") {
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%s\n", what.c_str(), detail.c_str());
    std::abort();
}

inline void Check(bool condition, const std::string& what, const std::string& detail = "") {
    if (!condition) {
        Fail(what, detail);
    }
}

// Enters a fresh folder once per process, with Pets and Settings in it, and fixes
// the clock so that every input draws the same numbers.
inline void EnterWorkFolder() {
    static bool entered = false;
    if (entered) {
        return;
    }
    entered = true;
    // Memory-backed when possible: the readers' files are written and synced for every input.
    const bool shm = std::filesystem::is_directory("/dev/shm");
    std::string pattern = shm ? "/dev/shm/hatchling-fuzz-XXXXXX" : "/tmp/hatchling-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        Fail("cannot make a working folder");
    }
    static const std::string folder = pattern;
    // The folder goes when the fuzzer ends normally.
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    std::filesystem::current_path(pattern);
    std::filesystem::create_directories("Pets");
    std::filesystem::create_directories("Settings");
    wallclock::SetSource([] { return std::time_t(1000000); });
}

// The prototypes print their names on standard output; the fuzzer's output stays readable.
inline void EnsurePrototypesQuietly() {
    static bool created = false;
    if (created) {
        return;
    }
    created = true;
    std::streambuf* old = std::cout.rdbuf(nullptr);
    CreateStatePrototypes();
    std::cout.rdbuf(old);
}

inline void WriteFile(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(relative, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Collects standard error (and drops standard output) while it lives.
class Quiet {
public:
    Quiet() : oldErr(std::cerr.rdbuf(errors.rdbuf())), oldOut(std::cout.rdbuf(nullptr)) {}
    ~Quiet() {
        std::cerr.rdbuf(oldErr);
        std::cout.rdbuf(oldOut);
    }
    std::string Errors() const { return errors.str(); }

private:
    std::ostringstream errors;
    std::streambuf* oldErr;
    std::streambuf* oldOut;
};

inline bool HasControlCharacter(const std::string& text) {
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f) {
            return true;
        }
    }
    return false;
}

// A refusal as the player reads it: one line, `refused: "PATH"`, optionally ` line N`, then
// `: what`, with no control character that could hide or garble it.
inline bool IsRefusal(const std::string& line, const std::string& path) {
    const std::string head = "refused: \"" + path + "\"";
    if (line.rfind(head, 0) != 0 || HasControlCharacter(line)) {
        return false;
    }
    std::size_t at = head.size();
    if (line.compare(at, 6, " line ") == 0) {
        at += 6;
        const std::size_t digits = at;
        while (at < line.size() && line[at] >= '0' && line[at] <= '9') {
            ++at;
        }
        if (at == digits || line[digits] == '0') {
            return false;
        }
    }
    return line.compare(at, 2, ": ") == 0 && line.size() > at + 2;
}

// Every line on standard error is a refusal of `path`, or one of the loaders' own
// "not found" and "> ... success" lines.
inline void CheckErrorLines(const std::string& errors, const std::string& path) {
    std::istringstream lines(errors);
    std::string line;
    while (std::getline(lines, line)) {
        const bool ok =
            IsRefusal(line, path) || line.rfind("> ", 0) == 0 || line == "file: \"" + path + "\" not found";
        Check(ok, "a line on standard error is not a well-formed refusal", line);
    }
}

// A FileError's text begins with the path in quotes, as every refusal does.
inline void CheckFileErrorText(const std::string& what, const std::string& path) {
    Check(IsRefusal("refused: " + what, path), "a FileError does not name its file in the usual form", what);
}

} // namespace fuzz
