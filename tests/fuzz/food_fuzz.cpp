// Food lines and the food list loader: a food is filed under its first field; anything else is
// refused with one readable line.
#include "FuzzSupport.h"
#include "core/Initializer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(text, line);) {
        try {
            fuzz::Check(Food(line).GetName() == line.substr(0, line.find(' ')),
                        "a food is not its first field", line);
        } catch (const FileError& error) {
            fuzz::CheckErrorLines("refused: " + DescribeRefusal("Settings\\Food.list", 1, error.what()),
                                  "Settings\\Food.list");
        }
    }
    fuzz::WriteFile("Settings/Food.list", data, size);
    fuzz::Quiet quiet;
    for (const auto& [name, food] : Initializer::GetInstance()->InitFoodList("Settings\\Food.list")) {
        fuzz::Check(food && food->GetName() == name && !name.empty(), "a food is filed under another name",
                    name);
    }
    fuzz::CheckErrorLines(quiet.errors.str(), "Settings\\Food.list");
    return 0;
}
