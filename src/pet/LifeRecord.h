#pragma once

#include "pet/LifeRow.h"
#include "support/Pace.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// A pet's life record, "Pets\<NAME>.life": CSV that a spreadsheet opens, a header line and then
// one row per event, only ever appended to. A crash during an append leaves at most a torn last
// line, known by its missing line end; readers refuse it and the next append cuts it away.
namespace liferecord {

inline constexpr const char* kHeader =
    "time,steps,event,stage,body,height,weight,mood,full,energy,health,dirty,strength,wisdom,detail";

// A life step comes every 101st pass of the game's loop at the design's pace (the life
// behaviour's period 100), further apart at a kinder one, and a pass lasts 0.05 s, so a minute of
// play holds 1200 passes. Counting in passes keeps the minutes exact. A record tells the pace in
// force by its "pace" rows (none: the design's).
inline constexpr std::uint64_t kPassesPerStep = pace::kDesignPassesPerStep;
inline constexpr std::uint64_t kPassesPerMinute = 1200;
inline constexpr double kSecondsPerStep = 60.0 * kPassesPerStep / kPassesPerMinute; // 5.05

// Play time along one life's rows: a step lasts as long as the pace in force before it says,
// "pace" rows change the pace, and steps never count back.
struct PlayClock {
    pace::Pace inForce = pace::Pace::Design;
    std::uint64_t passes = 0;
    std::uint64_t lastSteps = 0;
    // Counts one row; the passes of play up to it.
    std::uint64_t Row(std::uint64_t steps, const std::string& event, const std::string& detail);
};
// The passes of play up to each row.
std::vector<std::uint64_t> PassesAt(const std::vector<LifeRow>& rows);

// "Pets\" + name + ".life", as the game names it.
std::string Path(const std::string& petName);

// Local date and time, ISO 8601 with the offset: "2026-12-07T09:00:00+01:00".
std::string LocalTime(std::time_t when);

// One row as a line of CSV, without the line end. Height and weight carry at most two decimals
// (as the status shows them); a non-empty detail is always quoted, so a line torn inside it
// never reads as a whole row. Line breaks in the detail become blanks: a row is one line.
std::string FormatRow(const LifeRow& row);

// The row a line holds; nullopt with `why` set when the line is not a whole row.
std::optional<LifeRow> ParseRow(const std::string& line, std::string& why);

struct Reading {
    bool found = false; // the file exists and could be opened
    std::vector<LifeRow> rows;
    int refused = 0; // lines that were not whole rows, left out
};

// Reads every whole row. With `report`, each line that is not one gets its refusal line
// (`refused: "Pets\PIP.life" line 812: ...; skipped`).
Reading Read(const std::string& gamePath, bool report);

// What the writer of one record remembers between appends: where a failed append began, should
// cutting away what it wrote have failed too.
struct Tail {
    std::optional<long long> cutTo;
};

// Appends the rows (a new or empty file gets the header first) and flushes them to the disk.
// A torn last line is cut away first. False, after one refusal line, when the rows could not
// be written: the file then holds none of them (or `tail` says where they begin, to be cut at
// the next append), and the caller keeps them for the next try.
bool Append(const std::string& gamePath, const std::vector<LifeRow>& rows, Tail& tail);

} // namespace liferecord
