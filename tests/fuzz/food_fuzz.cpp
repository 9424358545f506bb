// A food line, and the food list loader around it: a line with all nine fields (the ninth
// may be the empty field after a final blank), a name and finite amounts becomes a food; anything else is
// refused with one readable line and never read out of range.

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Initializer.h"
#include "pet/Food.h"
#include "presentation/StringTokenizer.h"

#include <algorithm>
#include <cmath>

namespace {
const std::string kPath = "Settings\\Food.list";

void CheckLine(const std::string& line) {
    const auto blanks = std::count(line.begin(), line.end(), ' ');
    StringTokenizer fields(line);
    fields.NextToken();
    const bool finite = std::isfinite(fields.NextDouble()) && std::isfinite(fields.NextDouble());
    const bool complete = blanks >= 8 && !line.empty() && line[0] != ' ' && finite;
    try {
        const Food food(line);
        fuzz::Check(complete, "a food was made from a short line", line);
        fuzz::Check(food.GetName() == line.substr(0, line.find(' ')),
                    "the food's name is not its first field", line);
    } catch (const FileError& error) {
        fuzz::Check(!complete, "a complete food line was refused", line + " -> " + error.what());
        fuzz::Check(!fuzz::HasControlCharacter(DescribeRefusal("x", 1, error.what())),
                    "a food refusal holds a control character", error.what());
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    for (int line = 0; line < 64 && start <= text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        CheckLine(text.substr(start, end - start));
        start = end + 1;
    }

    fuzz::WriteFile("Settings/Food.list", data, size);
    fuzz::Quiet quiet;
    const auto foods = Initializer::GetInstance()->InitFoodList(kPath);
    for (const auto& [name, food] : foods) {
        fuzz::Check(food && food->GetName() == name && !name.empty(), "a food is filed under another name",
                    name);
    }
    fuzz::CheckErrorLines(quiet.Errors(), kPath);
    return 0;
}
