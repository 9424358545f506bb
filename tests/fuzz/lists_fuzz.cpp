// The pet list and the greeting list: every line reads back exactly (a carriage return before the
// line end dropped), a pet name becomes a file name only when it stays in the Pets folder, and
// any greeting wraps into lines that fit.
#include "FuzzSupport.h"
#include "core/GameController.h"
#include "core/Initializer.h"
#include "presentation/PopupText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    if (size < 1) {
        return 0;
    }
    const int perLine = data[0] % 64 - 2;
    std::vector<std::string> expected;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    for (std::string line; std::getline(text, line);) {
        expected.push_back(!line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
    }
    fuzz::WriteFile("Settings/Pet.list", data + 1, size - 1);
    std::vector<std::string> names;
    {
        fuzz::Quiet quiet;
        names = Initializer::GetInstance()->InitPetList("Settings\\Pet.list");
        fuzz::CheckErrorLines(quiet.errors.str(), "Settings\\Pet.list");
    }
    fuzz::Check(names == expected, "the pet list loader reads other lines");
    for (const std::string& name : names) {
        const std::string mapped = paths::Map(petfile::DataPath(name));
        fuzz::Check(!GameController::IsSafePetName(name) ||
                        (mapped == "Pets/" + name + ".data" &&
                         std::count(mapped.begin(), mapped.end(), '/') == 1 &&
                         name.find('\0') == std::string::npos),
                    "a safe name leaves the Pets folder", name);
    }
    for (std::size_t i = 0; i < names.size() && i < 16; ++i) {
        std::istringstream wrapped(PopupText::Wrap(names[i], perLine));
        for (std::string line; std::getline(wrapped, line);) {
            fuzz::Check(line.size() <= static_cast<std::size_t>(std::max(perLine, 3)) + 1,
                        "a wrapped line is too long", names[i]);
        }
    }
    return 0;
}
