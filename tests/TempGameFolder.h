#pragma once

#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

// Runs a test inside a fresh temporary folder holding the game's folders, and silences the
// traces the game writes on standard output.
class TempGameFolder {
public:
    explicit TempGameFolder(const std::filesystem::path& base = std::filesystem::temp_directory_path())
        : previous(std::filesystem::current_path()) {
        EnsurePrototypes();
        std::string name = (base / "hatchling-test-XXXXXX").string();
        folder = ::mkdtemp(name.data());
        std::filesystem::create_directories(folder / "Pets");
        std::filesystem::create_directories(folder / "Settings");
        std::filesystem::current_path(folder);
        oldOut = std::cout.rdbuf(out.rdbuf());
    }
    ~TempGameFolder() {
        std::cout.rdbuf(oldOut);
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }

    void Write(const std::string& relative, const std::string& content) const {
        std::filesystem::create_directories((folder / relative).parent_path());
        std::ofstream(folder / relative, std::ios::binary) << content;
    }
    std::string Read(const std::string& relative) const {
        std::ifstream in(folder / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(folder / relative); }

    std::filesystem::path folder;

private:
    std::filesystem::path previous;
    std::ostringstream out;
    std::streambuf* oldOut;
};
