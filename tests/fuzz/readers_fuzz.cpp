// One libFuzzer target for every reader of outside text; the environment variable
// HATCHLING_FUZZ_READER names the reader a run feeds. What every reader owes: any input is accepted or
// refused with well-formed refusal lines of its own file, and a pet that a reader accepted lives and saves
// back the same.
#include "core/GameController.h"
#include "core/Initializer.h"
#include "core/Prototypes.h"
#include "growth/Food.h"
#include "growth/StateFactory.h"
#include "pet/LifeRecord.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "support/FileError.h"
#include "support/Preferences.h"
#include "support/Seams.h"
#include "support/Signals.h"
#include "support/StringTokenizer.h"
#include "support/TextFiles.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view kReaders[] = {"food",   "lists",    "life",      "petdata", "preferences",
                                         "tables", "template", "tokenizer", "window"};
std::string_view chosen; // the reader this run feeds

// Stops the target; libFuzzer then keeps the input that did it.
void Check(bool condition, const std::string& what, const std::string& detail = "") {
    if (!condition) {
        std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n%s\n", what.c_str(), detail.c_str());
        std::abort();
    }
}

// What the game writes on standard error for the input being read (standard output is dropped).
std::ostringstream errors;

// Every line is a refusal of `path` without a control character that could hide or garble it,
// or one of the loaders' own "> ... success" and "not found" lines.
void CheckErrorLines(const std::string& errors, const std::string& path) {
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        const bool clean =
            std::none_of(line.begin(), line.end(), [](char c) { return (c >= 0 && c < 0x20) || c == 0x7f; });
        Check((line.rfind("refused: \"" + path + "\"", 0) == 0 && clean) || line.rfind("> ", 0) == 0 ||
                  line == "file: \"" + path + "\" not found",
              "a line on standard error is not a well-formed refusal", line);
    }
}

// A pet that a reader accepted lives and is cared for like any other, and saves to lines that
// read back the same.
void LiveAndSave(Pet& pet) {
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

// Writes the input to the reader's file and runs the reader; every refusal must be well formed.
// Returns what went to standard error.
template <class Reader>
std::string ReadFile(const std::string& path, const std::string& text, Reader reader) {
    std::ofstream(paths::Map(path), std::ios::binary) << text;
    errors.str("");
    try {
        reader();
    } catch (const FileError& error) {
        CheckErrorLines(std::string("refused: ") + error.what(), path);
    }
    CheckErrorLines(errors.str(), path);
    return errors.str();
}

// Tables that do not exist: every pair has 0 frames and no move.
StateFactory& EmptyFactory() {
    static StateFactory factory("Settings\\NoPictures.list", "Settings\\NoMoves.list");
    return factory;
}

// The pet list: every line reads back exactly (a carriage return before the line end dropped), and
// a pet name becomes a file name only when it stays in the Pets folder.
void Lists(const std::string& text) {
    std::vector<std::string> expected, names;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        expected.push_back(!line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
    }
    ReadFile("Settings\\Pet.list", text,
             [&] { names = Initializer::GetInstance()->InitPetList("Settings\\Pet.list"); });
    Check(names == expected, "the pet list loader reads other lines");
    for (const std::string& name : names) {
        const std::string mapped = paths::Map(petfile::DataPath(name));
        Check(!GameController::IsSafePetName(name) ||
                  (mapped == "Pets/" + name + ".data" && std::count(mapped.begin(), mapped.end(), '/') == 1 &&
                   name.find('\0') == std::string::npos),
              "a safe name leaves the Pets folder", name);
    }
}

// The player's preferences: a bad value is refused and counts as missing; setting a key keeps
// every other line as it stood (but for carriage returns before its line end) and reads back as set.
void PreferencesFile(const std::string& text) {
    const std::string path = Preferences::kPath;
    std::vector<std::string> before, after, others;
    ReadFile(path, text, [&] {
        Preferences read;
        read.GetNumber("scale", 1, 4);
        read.GetSwitch("sound");
        read.GetSwitch("notify");
        textfiles::ReadLines(path, before);
        Check(read.Set("scale", "3"), "the preferences could not be saved");
    });
    textfiles::ReadLines(path, after);
    const auto trimmed = [](std::string line) { return line.erase(line.find_last_not_of('\r') + 1); };
    for (const std::string& line : before) {
        const std::string_view blanks = " \t\r";
        const std::size_t key = line.find_first_not_of(blanks);
        const bool isScale = key != std::string::npos && line.compare(key, 5, "scale") == 0 &&
                             (line.size() == key + 5 || blanks.find(line[key + 5]) != std::string_view::npos);
        if (!isScale) {
            others.push_back(trimmed(line));
        }
    }
    after.erase(std::remove(after.begin(), after.end(), "scale 3"), after.end());
    std::transform(after.begin(), after.end(), after.begin(), trimmed);
    Check(after == others, "a line the game does not own changed", text);
    Check(Preferences().GetNumber("scale", 1, 4) == 3, "the scale does not read back as set", text);
}

// The token reader (the first byte says how many delimiter characters follow; none means the
// default blank): fields that rebuild the text, and atoi's whole numbers without overflow.
void Tokens(const std::string& input) {
    const std::size_t count = input[0] % 4;
    if (input.size() < 1 + count) {
        return;
    }
    const std::string delimiters = input.substr(1, count), text = input.substr(1 + count);
    StringTokenizer reader = count == 0 ? StringTokenizer(text) : StringTokenizer(text, delimiters);
    const std::string isDelimiter = count == 0 ? " " : delimiters;
    std::size_t at = 0;
    for (std::string field = reader.NextToken(); !reader.RanPastEnd(); field = reader.NextToken()) {
        Check(text.compare(at, field.size(), field) == 0 &&
                  field.find_first_of(isDelimiter) == std::string::npos &&
                  (at + field.size() == text.size() ||
                   isDelimiter.find(text[at + field.size()]) != std::string::npos),
              "a field is not the text between two delimiters", text);
        at += field.size() + 1;
        if (field.find('\0') == std::string::npos) {
            const long reference = std::strtol(field.c_str(), nullptr, 10);
            Check(StringTokenizer::ToInt(field) == std::clamp<long>(reference, INT_MIN, INT_MAX),
                  "ToInt differs from atoi's reading", field);
        }
        StringTokenizer::ToDouble(field);
    }
    Check(at == text.size() + 1, "the fields do not cover the whole text", text);
}

// Once per process, on the first input (libFuzzer has read its corpus folders by then): a fresh
// memory-backed folder with Pets and Settings, a fixed clock, the standard streams taken over,
// and the prototypes.
void Setup() {
    [[maybe_unused]] static const bool done = [] {
        const char* name = std::getenv("HATCHLING_FUZZ_READER");
        chosen = name != nullptr ? name : "";
        Check(std::find(std::begin(kReaders), std::end(kReaders), chosen) != std::end(kReaders),
              "HATCHLING_FUZZ_READER names none of the readers that scripts/fuzz.sh lists",
              std::string(chosen));
        std::string folder = "/dev/shm/hatchling-fuzz-XXXXXX";
        Check(::mkdtemp(folder.data()) != nullptr, "cannot make a working folder");
        static const std::string made = folder;
        std::atexit([] { std::filesystem::remove_all(made); });
        std::filesystem::current_path(folder);
        std::filesystem::create_directories("Pets");
        std::filesystem::create_directories("Settings");
        wallclock::SetSource([] { return std::time_t(1000000); });
        std::cerr.rdbuf(errors.rdbuf());
        std::cout.rdbuf(nullptr);
        CreateStatePrototypes();
        return true;
    }();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Setup();
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (chosen == "food") { // the food list: every line a food or a refusal of its own line
        ReadFile("Settings\\Food.list", text,
                 [] { Initializer::GetInstance()->InitFoodList("Settings\\Food.list"); });
    } else if (chosen == "lists") {
        Lists(text);
    } else if (chosen == "life") { // a life record: rows that write back as they read, or refused lines
        liferecord::Reading read;
        ReadFile("Pets\\Fuzz.life", text, [&] { read = liferecord::Read("Pets\\Fuzz.life", true); });
        for (const LifeRow& row : read.rows) {
            const std::string line = liferecord::FormatRow(row);
            std::string why;
            const std::optional<LifeRow> again = liferecord::ParseRow(line, why);
            Check(again && liferecord::FormatRow(*again) == line, "a row does not read back as written",
                  line);
        }
    } else if (chosen == "preferences") {
        PreferencesFile(text);
    } else if (chosen == "tables") { // the frame-count and move tables: one refusal at most
        const std::string refused = ReadFile("Settings\\StatePic.list", text,
                                             [] { StateFactory::ReadTable("Settings\\StatePic.list"); });
        Check(std::count(refused.begin(), refused.end(), '\n') <= 1, "more than one refusal for a table",
              refused);
    } else if (chosen == "tokenizer" && size > 0) {
        Tokens(text);
    } else if (chosen == "petdata") { // a saved pet: opened under its own name, or refused
        ReadFile("Pets\\Fuzz.data", text, [] {
            Pet pet("Fuzz", nullptr, &EmptyFactory());
            Check(pet.GetName() == "Fuzz", "the pet opened under another name", pet.GetName());
            LiveAndSave(pet);
        });
    } else if (chosen == "template") { // the new-pet template: refused, or a newborn
        ReadFile("Pets\\Fuzz.default", text, [] {
            petfile::ReadTemplate("Pets\\Fuzz.default");
            try {
                Pet pet("Fuzz", "NEWBORN", nullptr, &EmptyFactory());
                LiveAndSave(pet);
            } catch (const FileError& error) {
                Check(false, "an accepted template makes no pet", error.what());
            }
        });
    } else if (chosen == "window") { // the window settings: a usable size, or refused
        ReadFile("Settings\\WindowApp.data", text, [] {
            const auto settings = Initializer::ReadWindowSettings("Settings\\WindowApp.data");
            Check(settings.width >= 1 && settings.width <= 8192 && settings.height >= 1 &&
                      settings.height <= 8192,
                  "a window size out of range was accepted");
        });
    }
    return 0;
}
