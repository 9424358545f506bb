// The pet list and the greeting list: every line is read back exactly (a carriage return
// before the line end dropped), a pet name is only used as a file name when it cannot leave
// the Pets folder, and any greeting wraps into lines that fit.

#include "FuzzSupport.h"
#include "core/GameController.h"
#include "core/Initializer.h"
#include "core/TextFiles.h"
#include "pet/PetFile.h"
#include "presentation/PopupText.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<std::string> ExpectedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

void CheckPetName(const std::string& name) {
    if (!GameController::IsSafePetName(name)) {
        return;
    }
    const std::string mapped = paths::Map(petfile::DataPath(name));
    fuzz::Check(mapped == "Pets/" + name + ".data", "a safe name changes on its way to a file name", name);
    fuzz::Check(std::count(mapped.begin(), mapped.end(), '/') == 1, "a safe name reaches another folder",
                name);
    fuzz::Check(name.find('\0') == std::string::npos, "a safe name holds a NUL", name);
}

void CheckGreeting(const std::string& greeting, int perLine) {
    const std::string wrapped = PopupText::Wrap(greeting, perLine);
    const std::size_t longest = static_cast<std::size_t>(std::max(perLine, 3)) + 1;
    std::size_t start = 0;
    std::string kept;
    while (start <= wrapped.size()) {
        std::size_t end = wrapped.find('\n', start);
        if (end == std::string::npos) {
            end = wrapped.size();
        }
        fuzz::Check(end - start <= longest, "a wrapped line is too long", greeting);
        kept += wrapped.substr(start, end - start);
        start = end + 1;
    }
    // Wrapping only drops blanks and adds hyphens: every other character stays, in order.
    std::size_t at = 0;
    for (char c : greeting) {
        if (c == ' ' || c == '-' || c == '\n') {
            continue;
        }
        at = kept.find(c, at);
        fuzz::Check(at != std::string::npos, "wrapping lost a character", greeting);
        ++at;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    if (size < 1) {
        return 0;
    }
    const int perLine = static_cast<int>(data[0] % 64) - 2;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    fuzz::WriteFile("Settings/Pet.list", data + 1, size - 1);
    fuzz::WriteFile("Settings/Hello.list", data + 1, size - 1);
    const std::vector<std::string> expected = ExpectedLines(text);

    std::vector<std::string> names;
    fuzz::Check(textfiles::ReadLines("Settings\\Pet.list", names), "the pet list cannot be read");
    fuzz::Check(names == expected, "the pet list's lines are not its lines", text);
    for (const std::string& name : names) {
        CheckPetName(name);
    }
    {
        fuzz::Quiet quiet;
        fuzz::Check(Initializer::GetInstance()->InitPetList("Settings\\Pet.list") == expected,
                    "the pet list loader reads other lines");
        fuzz::CheckErrorLines(quiet.Errors(), "Settings\\Pet.list");
    }

    std::vector<std::string> greetings;
    fuzz::Check(textfiles::ReadLines("Settings\\Hello.list", greetings) && greetings == expected,
                "the greeting list's lines are not its lines");
    for (std::size_t i = 0; i < greetings.size() && i < 16; ++i) {
        CheckGreeting(greetings[i], perLine);
    }
    return 0;
}
