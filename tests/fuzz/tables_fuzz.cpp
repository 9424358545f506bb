// The frame-count and move tables (StatePic.list, StateMove.list): anything reads as whole
// records, with at most one refusal where reading stopped, and a pet drawn with any accepted
// value stays within arithmetic (the bob offset is a move times plus or minus one).

#include "PetFuzzSupport.h"

#include <sstream>

namespace {
// A newborn whose template names the first registered pair the table holds.
void ShowWithTable(const StateFactory::Table& table) {
    for (const auto& [stage, record] : table) {
        for (const auto& [body, value] : record) {
            if (!GrowState::IsRegistered(stage) || !BodyState::IsRegistered(body)) {
                continue;
            }
            const std::string text = stage + "\n" + body + "\n30 500 0 0 80 50 10 50 50 \n";
            fuzz::WriteFile("Pets/Table.default", reinterpret_cast<const std::uint8_t*>(text.data()),
                            text.size());
            StateFactory factory("Settings\\StatePic.list", "Settings\\StatePic.list");
            Pet pet("Table", "SHOWN", nullptr, &factory);
            Pet::ResetAnimation();
            for (int i = 0; i < 3; ++i) {
                const Pet::Frame frame = pet.NextFrame();
                fuzz::Check(frame.offset == value || frame.offset == -value,
                            "the bob offset is not the move");
            }
            return;
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    fuzz::EnsurePrototypesQuietly();
    const std::string path = "Settings\\StatePic.list";
    fuzz::WriteFile("Settings/StatePic.list", data, size);
    fuzz::Quiet quiet;
    const StateFactory::Table table = StateFactory::ReadTable(path);
    for (const auto& [stage, record] : table) {
        fuzz::Check(!stage.empty() && !record.empty() && record.size() <= 5, "a record has a wrong shape",
                    stage);
    }
    const std::string errors = quiet.Errors();
    fuzz::CheckErrorLines(errors, path);
    fuzz::Check(std::count(errors.begin(), errors.end(), '\n') <= 1, "more than one refusal for one table",
                errors);
    try {
        ShowWithTable(table);
    } catch (const FileError& error) {
        fuzz::Fail("a table made a registered pair unusable", error.what());
    }
    return 0;
}
