#include "pet/LifeRecord.h"

#include "support/FileError.h"
#include "support/Seams.h"
#include "support/TextFiles.h"

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

// What goes before the rows: the header for a new or empty file, a line end after a torn line.
bool Lead(int fd, std::string& lead) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    if (status.st_size == 0) {
        lead = std::string(kHeader) + '\n';
        return true;
    }
    char last = '\n';
    if (::pread(fd, &last, 1, status.st_size - 1) != 1) {
        return false;
    }
    if (last != '\n') {
        lead = "\n";
    }
    return true;
}
} // namespace

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
    std::ifstream in(paths::Map(gamePath), std::ios::binary | std::ios::ate);
    if (!in) {
        return reading;
    }
    reading.found = true;
    std::string content(static_cast<std::size_t>(std::max<std::streamoff>(in.tellg(), 0)), '\0');
    in.seekg(0);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    reading.rows.reserve(content.size() / 90);
    const std::string_view all(content);
    std::string why;
    int number = 0;
    for (std::size_t at = 0; at < all.size();) {
        std::size_t end = all.find('\n', at);
        if (end == std::string_view::npos) {
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
        if (Parse(line, row, why)) {
            reading.rows.push_back(std::move(row));
        } else {
            ++reading.refused;
            if (report) {
                ReportRefusal(gamePath, number, why + "; skipped");
            }
        }
    }
    return reading;
}

bool Append(const std::string& gamePath, const std::vector<LifeRow>& rows) {
    if (rows.empty()) {
        return true;
    }
    const std::filesystem::path target(paths::MapForWrite(gamePath));
    std::error_code ignored;
    if (!target.parent_path().empty()) {
        std::filesystem::create_directories(target.parent_path(), ignored);
    }
    const bool existed = std::filesystem::exists(target, ignored);
    const int fd = ::open(target.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        ReportRefusal(gamePath, 0, std::string("cannot be saved: ") + std::strerror(errno));
        return false;
    }
    std::string content;
    bool ok = Lead(fd, content);
    for (const LifeRow& row : rows) {
        content += FormatRow(row);
        content += '\n';
    }
    ok = ok && textfiles::WriteAll(fd, content) && ::fsync(fd) == 0;
    const int error = errno;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ReportRefusal(gamePath, 0,
                      std::string("cannot be saved: ") + std::strerror(error ? error : EIO) +
                          "; its new rows wait for the next save");
        return false;
    }
    if (!existed) {
        // The new file's name must reach the disk too.
        textfiles::SyncFolder(target.parent_path());
    }
    return true;
}

} // namespace liferecord
