#include "pet/LifeRecord.h"

#include "support/FileError.h"
#include "support/FileOps.h"
#include "support/Seams.h"
#include "support/TextFiles.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace liferecord {
namespace {
constexpr std::size_t kFields = 15;
constexpr std::array<const char*, 7> kCounts = {"mood",  "full",     "energy", "health",
                                                "dirty", "strength", "wisdom"};

std::string Decimal(double value) {
    char text[400]; // room for the largest double in full
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        while (shown.back() == '0') {
            shown.pop_back();
        }
        if (shown.back() == '.') {
            shown.pop_back();
        }
    }
    return shown == "-0" ? "0" : shown;
}

// A field quoted as CSV quotes it: inside quotes, a quote is doubled.
void AppendQuoted(std::string& line, const std::string& text) {
    line += '"';
    for (char c : text) {
        if (c == '"') {
            line += "\"\"";
        } else if (c == '\n' || c == '\r') {
            line += ' ';
        } else {
            line += c;
        }
    }
    line += '"';
}

// Names and states are plain words; should one ever hold a comma or a quote, it is quoted (a
// line break becomes a blank either way).
void AppendField(std::string& line, const std::string& text) {
    if (text.find_first_of(",\"") != std::string::npos) {
        AppendQuoted(line, text);
        return;
    }
    for (char c : text) {
        line += c == '\n' || c == '\r' ? ' ' : c;
    }
}

// A field as it stands in the line; a quoted one without its quotes, its doubled quotes still doubled.
struct Field {
    std::string_view text;
    bool quoted = false;
    std::string Value() const {
        if (!quoted || text.find('"') == std::string_view::npos) {
            return std::string(text);
        }
        std::string value;
        for (std::size_t i = 0; i < text.size(); ++i) {
            value += text[i];
            i += text[i] == '"' ? 1 : 0;
        }
        return value;
    }
};
using Fields = std::array<Field, kFields + 1>;

// Splits a CSV line into at most kFields + 1 fields; false when a quoted field does not end
// where it should.
bool Split(std::string_view line, Fields& fields, std::size_t& count) {
    count = 0;
    std::size_t at = 0;
    while (count < fields.size()) {
        Field& field = fields[count++];
        if (at < line.size() && line[at] == '"') {
            const std::size_t begin = ++at;
            while (true) {
                at = line.find('"', at);
                if (at == std::string_view::npos) {
                    return false;
                }
                if (at + 1 < line.size() && line[at + 1] == '"') {
                    at += 2;
                    continue;
                }
                break;
            }
            field = {line.substr(begin, at - begin), true};
            ++at;
            if (at == line.size()) {
                return true;
            }
            if (line[at] != ',') {
                return false;
            }
            ++at;
        } else {
            const std::size_t comma = line.find(',', at);
            if (comma == std::string_view::npos) {
                field = {line.substr(at), false};
                return true;
            }
            field = {line.substr(at, comma - at), false};
            at = comma + 1;
        }
    }
    return true; // too many: the caller counts them as wrong
}

template <class Number> bool Whole(std::string_view text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

bool Finite(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty() && std::isfinite(value);
}

// Where the whole rows end: just after the last line end (0 when there is none).
bool WholeEnd(int fd, off_t size, off_t& end) {
    char block[4096];
    for (off_t stop = size; stop > 0;) {
        const off_t from = std::max<off_t>(0, stop - off_t(sizeof block));
        const ssize_t got = ::pread(fd, block, static_cast<std::size_t>(stop - from), from);
        if (got != stop - from) {
            return false;
        }
        for (off_t at = stop; at > from; --at) {
            if (block[at - from - 1] == '\n') {
                end = at;
                return true;
            }
        }
        stop = from;
    }
    end = 0;
    return true;
}

// Cuts away what a failed append of this run left, or a torn last line (one without its line
// end, which was never a whole row); `start` becomes where the new rows go.
bool CutTail(int fd, Tail& tail, off_t& start) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    start = status.st_size;
    if (tail.cutTo && *tail.cutTo <= status.st_size) {
        start = *tail.cutTo;
    } else if (status.st_size > 0 && !WholeEnd(fd, status.st_size, start)) {
        return false;
    }
    if (start < status.st_size && !fileops::Truncate(fd, start)) {
        return false;
    }
    tail.cutTo.reset();
    return true;
}

// Appends the rows (after the header when the file is empty) and flushes them to the disk. On
// failure what was written is cut away again, or, should that fail too, at the next append.
bool AppendAt(int fd, off_t start, const std::string& rows, Tail& tail) {
    const std::string content = start == 0 ? std::string(kHeader) + '\n' + rows : rows;
    if (fileops::Append(fd, content) && fileops::Sync(fd)) {
        return true;
    }
    const int error = errno;
    if (!fileops::Truncate(fd, start)) {
        tail.cutTo = start;
    }
    errno = error;
    return false;
}
} // namespace

std::uint64_t PlayClock::Row(std::uint64_t steps, const std::string& event, const std::string& detail) {
    // Should a hand-made row count back, it adds nothing.
    passes += (steps > lastSteps ? steps - lastSteps : 0) * pace::PassesPerStep(inForce);
    lastSteps = std::max(lastSteps, steps);
    if (event == "pace") {
        inForce = pace::FromName(detail).value_or(inForce);
    }
    return passes;
}

std::vector<std::uint64_t> PassesAt(const std::vector<LifeRow>& rows) {
    std::vector<std::uint64_t> passes;
    passes.reserve(rows.size());
    PlayClock clock;
    for (const LifeRow& row : rows) {
        passes.push_back(clock.Row(row.steps, row.event, row.detail));
    }
    return passes;
}

std::string Path(const std::string& petName) {
    return "Pets\\" + petName + ".life";
}

std::string LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff;
    const long minutes = (offset < 0 ? -offset : offset) / 60;
    char zone[40];
    std::snprintf(zone, sizeof zone, "%c%02ld:%02ld", offset < 0 ? '-' : '+', minutes / 60, minutes % 60);
    return std::string(text) + zone;
}

std::string FormatRow(const LifeRow& row) {
    std::string line;
    line.reserve(120);
    AppendField(line, row.time);
    line += ',';
    line += std::to_string(row.steps);
    for (const std::string* text : {&row.event, &row.stage, &row.body}) {
        line += ',';
        AppendField(line, *text);
    }
    line += ',';
    line += Decimal(row.height);
    line += ',';
    line += Decimal(row.weight);
    for (int count : {row.mood, row.full, row.energy, row.health, row.dirty, row.strength, row.wisdom}) {
        line += ',';
        line += std::to_string(count);
    }
    line += ',';
    if (!row.detail.empty()) {
        AppendQuoted(line, row.detail);
    }
    return line;
}

namespace {
bool Parse(std::string_view line, LifeRow& row, std::string& why) {
    Fields fields;
    std::size_t count = 0;
    if (!Split(line, fields, count)) {
        why = "a quoted field does not end where it should (the line is cut short)";
        return false;
    }
    if (count != kFields) {
        why = count > kFields ? "holds more than the 15 fields of a row"
                              : "holds " + std::to_string(count) + " of the 15 fields of a row";
        return false;
    }
    if (!Whole(fields[1].text, row.steps)) {
        why = "the steps \"" + fields[1].Value() + "\" are not a whole number";
        return false;
    }
    if (fields[0].text.empty() || fields[2].text.empty() || fields[3].text.empty() ||
        fields[4].text.empty()) {
        why = "the time, event, stage and body must not be empty";
        return false;
    }
    if (!Finite(fields[5].text, row.height) || !Finite(fields[6].text, row.weight)) {
        why = "the height and weight must be finite numbers";
        return false;
    }
    int* const counts[] = {&row.mood,  &row.full,     &row.energy, &row.health,
                           &row.dirty, &row.strength, &row.wisdom};
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
        if (!Whole(fields[7 + i].text, *counts[i])) {
            why =
                std::string("the ") + kCounts[i] + " \"" + fields[7 + i].Value() + "\" is not a whole number";
            return false;
        }
    }
    row.time = fields[0].Value();
    row.event = fields[2].Value();
    row.stage = fields[3].Value();
    row.body = fields[4].Value();
    row.detail = fields[14].Value();
    return true;
}
} // namespace

std::optional<LifeRow> ParseRow(const std::string& line, std::string& why) {
    LifeRow row;
    if (!Parse(line, row, why)) {
        return std::nullopt;
    }
    return row;
}

Reading Read(const std::string& gamePath, bool report) {
    Reading reading;
    std::string content;
    if (textfiles::ReadAll(gamePath, content) != textfiles::Found::Read) {
        return reading;
    }
    reading.found = true;
    reading.rows.reserve(content.size() / 90);
    const std::string_view all(content);
    std::string why;
    int number = 0;
    for (std::size_t at = 0; at < all.size();) {
        std::size_t end = all.find('\n', at);
        // The last line of a save cut short lacks its line end, wherever it was cut.
        const bool torn = end == std::string_view::npos;
        if (torn) {
            end = all.size();
        }
        std::string_view line = all.substr(at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if ((number == 1 && line == kHeader) || line.empty()) {
            continue;
        }
        LifeRow row;
        if (!torn && Parse(line, row, why)) {
            reading.rows.push_back(std::move(row));
            continue;
        }
        ++reading.refused;
        if (report) {
            ReportRefusal(
                gamePath, number,
                torn ? "has no line end (a save was cut short); skipped, and cut away at the next save"
                     : why + "; skipped");
        }
    }
    return reading;
}

bool Append(const std::string& gamePath, const std::vector<LifeRow>& rows, Tail& tail) {
    if (rows.empty()) {
        return true;
    }
    std::string content;
    for (const LifeRow& row : rows) {
        content += FormatRow(row);
        content += '\n';
    }
    const std::string target = paths::MapForWrite(gamePath);
    const std::string folder = std::filesystem::path(target).parent_path().string();
    int fd = -1;
    off_t start = 0;
    const bool ok = fileops::MakeFolders(folder) &&
                    (fd = fileops::Open(target, O_RDWR | O_CREAT | O_APPEND)) >= 0 &&
                    CutTail(fd, tail, start) && AppendAt(fd, start, content, tail);
    const int error = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!ok) {
        ReportRefusal(gamePath, 0,
                      std::string("cannot be saved: ") + std::strerror(error ? error : EIO) +
                          "; its new rows wait for the next save");
        return false;
    }
    // A file that was empty (new, or cut back after a failed first append) has its name to sync.
    if (start == 0 && !fileops::SyncFolder(folder)) {
        ReportRefusal(gamePath, 0,
                      std::string("is saved, but its folder could not be synced: ") + std::strerror(errno) +
                          "; a crash now may lose it");
    }
    return true;
}

} // namespace liferecord
