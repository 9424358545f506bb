#pragma once

// What the fuzz targets share: a private working folder holding the game's folders (the readers
// take game paths such as "Pets\Fuzz.data"), the state prototypes, a check that every line a
// reader writes on standard error is a well-formed refusal, and a pet's life and save round trip.

#include "core/Prototypes.h"
#include "core/Signals.h"
#include "pet/Food.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"
#include "support/FileError.h"
#include "support/Seams.h"
#include "support/TextFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fuzz {

// Stops the target; libFuzzer then keeps the input that did it.
inline void Check(bool condition, const std::string& what, const std::string& detail = "") {
    if (!condition) {
        std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%s\n", what.c_str(), detail.c_str());
        std::abort();
    }
}

// Once per process: a fresh memory-backed folder with Pets and Settings, a fixed clock, and the
// prototypes (made without their names on standard output).
inline void Setup() {
    [[maybe_unused]] static const bool done = [] {
        std::string folder = "/dev/shm/hatchling-fuzz-XXXXXX";
        Check(::mkdtemp(folder.data()) != nullptr, "cannot make a working folder");
        static const std::string made = folder;
        std::atexit([] { std::filesystem::remove_all(made); });
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("Pets");
        std::filesystem::create_directories("Settings");
        wallclock::SetSource([] { return std::time_t(1000000); });
        std::streambuf* old = std::cout.rdbuf(nullptr);
        CreateStatePrototypes();
        std::cout.rdbuf(old);
        return true;
    }();
}

inline void WriteFile(const std::string& relative, const std::uint8_t* data, std::size_t size) {
    std::ofstream(relative, std::ios::binary)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
}

// Collects standard error (and drops standard output) while it lives.
struct Quiet {
    std::ostringstream errors;
    std::streambuf* oldErr = std::cerr.rdbuf(errors.rdbuf());
    std::streambuf* oldOut = std::cout.rdbuf(nullptr);
    ~Quiet() {
        std::cerr.rdbuf(oldErr);
        std::cout.rdbuf(oldOut);
    }
};

// Every line is a refusal of `path` without a control character that could hide or garble it,
// or one of the loaders' own "> ... success" and "not found" lines.
inline void CheckErrorLines(const std::string& errors, const std::string& path) {
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        const bool clean =
            std::none_of(line.begin(), line.end(), [](char c) { return (c >= 0 && c < 0x20) || c == 0x7f; });
        Check((line.rfind("refused: \"" + path + "\"", 0) == 0 && clean) || line.rfind("> ", 0) == 0 ||
                  line == "file: \"" + path + "\" not found",
              "a line on standard error is not a well-formed refusal", line);
    }
}

// Tables that do not exist: every pair has 0 frames and no move.
inline StateFactory& EmptyFactory() {
    static StateFactory factory("Settings\\NoPictures.list", "Settings\\NoMoves.list");
    return factory;
}

// A pet that a reader accepted lives and is cared for like any other, and saves to lines that
// read back the same.
inline void LiveAndSave(Pet& pet) {
    static const Food apple("Apple 0.5 20 5 30 10 5 0 1");
    try {
        pet.Feed(apple);
        pet.Clean();
        pet.Cure();
        pet.Live();
        pet.Live();
        pet.NextFrame();
    } catch (Die&) {
        // Dying is a way of life for a pet, not a fault.
    }
    const std::vector<std::string> lines = pet.GetLines();
    Check(textfiles::WriteLines("Pets\\Saved.data", lines), "a pet's lines could not be saved");
    // A refusal of what the game saved escapes and stops the fuzzer.
    const PetRecord again = petfile::ReadData("Pets\\Saved.data");
    Check(petfile::DataLines(again.name, again.age, again.stage, again.body, again.statistics) == lines,
          "a pet changed on the way to disk", lines[0] + "\n" + lines[1] + "\n" + lines[2]);
}

} // namespace fuzz
