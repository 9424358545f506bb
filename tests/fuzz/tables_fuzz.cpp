// The frame-count and move tables (StatePic.list, StateMove.list): whole records, at most one
// refusal where reading stopped, and a pet drawn with an accepted move bobs by exactly that move.
#include "FuzzSupport.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    fuzz::WriteFile("Settings/StatePic.list", data, size);
    fuzz::Quiet quiet;
    const StateFactory::Table table = StateFactory::ReadTable("Settings\\StatePic.list");
    const std::string errors = quiet.errors.str();
    fuzz::CheckErrorLines(errors, "Settings\\StatePic.list");
    fuzz::Check(std::count(errors.begin(), errors.end(), '\n') <= 1, "more than one refusal for a table",
                errors);
    for (const auto& [stage, record] : table) {
        fuzz::Check(!stage.empty() && !record.empty() && record.size() <= 5, "a record has a wrong shape",
                    stage);
        for (const auto& [body, move] : record) {
            if (!GrowState::IsRegistered(stage) || !BodyState::IsRegistered(body)) {
                continue;
            }
            std::ofstream("Pets/Table.default") << stage << "\n" << body << "\n30 500 0 0 80 50 10 50 50 \n";
            StateFactory factory("Settings\\StatePic.list", "Settings\\StatePic.list");
            Pet pet("Table", "SHOWN", nullptr, &factory);
            Pet::ResetAnimation();
            for (int i = 0; i < 3; ++i) {
                const int offset = pet.NextFrame().offset;
                fuzz::Check(offset == move || offset == -move, "the bob offset is not the move");
            }
            return 0;
        }
    }
    return 0;
}
