#include "pet/LifeRecorder.h"

#include "growth/BodyState.h"
#include "pet/LifeRecord.h"
#include "pet/Pet.h"
#include "support/Seams.h"

LifeRecorder::LifeRecorder(PetSource currentPet)
    : currentPet(std::move(currentPet)), subscription([this](const happenings::Happening& h) { Hear(h); }) {}

namespace {
// The happenings that make one row each: the row's event, and whether the happening comes from
// inside a life step, before its Lived, and so belongs to that step.
struct RowOfHappening {
    const char* event;
    bool inStep;
};
const std::map<happenings::Kind, RowOfHappening>& OneRowEach() {
    using happenings::Kind;
    static const std::map<Kind, RowOfHappening> rows = {
        {Kind::Hatched, {"grow", true}},      {Kind::Grew, {"grow", true}},
        {Kind::BodyChanged, {"state", true}}, {Kind::Fed, {"feed", false}},
        {Kind::Played, {"play", false}},      {Kind::Cleaned, {"clean", false}},
        {Kind::Cured, {"cure", false}},       {Kind::Refused, {"refused", false}}};
    return rows;
}
} // namespace

void LifeRecorder::Hear(const happenings::Happening& happening) {
    using happenings::Kind;
    if (happening.kind == Kind::Made) {
        name = happening.detail;
        steps = passes = 0;
        Add("new", steps);
        if (pace != pace::Pace::Design) {
            Add("pace", steps, pace::Name(pace));
        }
    } else if (happening.kind == Kind::Opened) {
        Open(happening.detail);
    } else if (happening.kind == Kind::PaceChanged) {
        pace = pace::FromName(happening.detail).value_or(pace);
        Add("pace", steps, pace::Name(pace));
    } else if (happening.kind == Kind::Lived) {
        // A row for each minute of play that a step begins.
        const std::uint64_t before = passes;
        ++steps;
        passes += pace::PassesPerStep(pace);
        if (steps == 1 || before / liferecord::kPassesPerMinute != passes / liferecord::kPassesPerMinute) {
            Add("live", steps);
        }
    } else if (const auto row = OneRowEach().find(happening.kind); row != OneRowEach().end()) {
        Add(row->second.event, row->second.inStep ? steps + 1 : steps, happening.detail);
    }
}

void LifeRecorder::Open(const std::string& petName) {
    name = petName;
    // The count goes on from the record and what still waits; a pet without either starts here.
    std::vector<LifeRow> rows = liferecord::Read(liferecord::Path(name), true).rows;
    if (const auto held = waiting.find(name); held != waiting.end()) {
        rows.insert(rows.end(), held->second.rows.begin(), held->second.rows.end());
    }
    liferecord::PlayClock clock;
    for (const LifeRow& row : rows) {
        clock.Row(row.steps, row.event, row.detail);
    }
    steps = rows.empty() ? 0 : rows.back().steps;
    passes = clock.passes;
    Add("open", steps);
    if (clock.inForce != pace) {
        Add("pace", steps, pace::Name(pace));
    }
}

bool LifeRecorder::RecordDeath(const std::string& cause) {
    Add("death", steps, cause);
    const bool written = Write();
    name.clear();
    return written;
}

bool LifeRecorder::EndsInDeath(const std::string& petName) const {
    if (const auto held = waiting.find(petName); held != waiting.end() && !held->second.rows.empty()) {
        return held->second.rows.back().event == "death";
    }
    const std::vector<LifeRow> rows = liferecord::Read(liferecord::Path(petName), false).rows;
    return !rows.empty() && rows.back().event == "death";
}

bool LifeRecorder::WriteFor(const std::string& petName) {
    const auto held = waiting.find(petName);
    if (held == waiting.end() ||
        liferecord::Append(liferecord::Path(petName), held->second.rows, held->second.tail)) {
        waiting.erase(petName);
        return true;
    }
    return false;
}

void LifeRecorder::Add(const char* event, std::uint64_t atStep, const std::string& detail) {
    const Pet* pet = currentPet();
    if (!pet || name.empty() || pet->GetName() != name) {
        return;
    }
    LifeRow row = RowOf(*pet);
    row.time = liferecord::LocalTime(wallclock::Now());
    row.steps = atStep;
    row.event = event;
    row.detail = detail;
    waiting[name].rows.push_back(std::move(row));
}

LifeRow LifeRecorder::RowOf(const Pet& pet) {
    const BodyState& body = pet.GetBodyState();
    LifeRow row;
    row.stage = body.GetGrowStateName();
    row.body = body.GetName();
    row.height = body.GetHeight();
    row.weight = body.GetWeight();
    row.mood = body.GetMood();
    row.full = body.GetFull();
    row.energy = body.GetEnergy();
    row.health = body.GetHealth();
    row.dirty = body.GetDirty();
    row.strength = body.GetStrength();
    row.wisdom = body.GetWisdom();
    return row;
}

bool LifeRecorder::Write() {
    for (auto held = waiting.begin(); held != waiting.end();) {
        Waiting& rows = held->second;
        held = liferecord::Append(liferecord::Path(held->first), rows.rows, rows.tail) ? waiting.erase(held)
                                                                                       : std::next(held);
    }
    return waiting.find(name) == waiting.end();
}

std::vector<LifeRow> LifeRecorder::Rows() const {
    if (name.empty()) {
        return {};
    }
    std::vector<LifeRow> rows = liferecord::Read(liferecord::Path(name), false).rows;
    if (const auto held = waiting.find(name); held != waiting.end()) {
        rows.insert(rows.end(), held->second.rows.begin(), held->second.rows.end());
    }
    // A name given again after a death may find the old pet's record: only this life counts.
    for (std::size_t i = rows.size(); i-- > 0;) {
        if (rows[i].event == "new") {
            rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    return rows;
}
