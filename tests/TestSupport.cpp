#include "TestSupport.h"

#include "core/Prototypes.h"
#include "growth/GrowState.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

void EnsurePrototypes() {
    static bool created = false;
    if (!created) {
        created = true;
        CreateStatePrototypes();
    }
}

std::unique_ptr<GrowState> MakeStage(const std::string& name, const Stats& s) {
    EnsurePrototypes();
    char text[256];
    std::snprintf(text, sizeof text, "%.6f %.6f %d %d %d %d %d %d %d ", s.height, s.weight, s.strength,
                  s.wisdom, s.health, s.full, s.dirty, s.mood, s.energy);
    std::unique_ptr<GrowState> stage = GrowState::Create(name);
    stage->FromString(text);
    return stage;
}

TempDir::TempDir() {
    char pattern[] = "/tmp/hatchling-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    root = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const {
    const std::string path = root + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}
