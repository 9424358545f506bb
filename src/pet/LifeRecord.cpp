#include "pet/LifeRecord.h"

#include "support/FileError.h"
#include "support/Seams.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace liferecord {
namespace {
constexpr std::size_t kFields = 15;
constexpr std::array<const char*, 7> kCounts = {"mood",  "full",     "energy", "health",
                                                "dirty", "strength", "wisdom"};

std::string Decimal(double value) {
    char text[64];
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

// Names and states are plain words; should one ever hold a comma or a quote, it is quoted.
void AppendField(std::string& line, const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        line += text;
    } else {
        AppendQuoted(line, text);
    }
}

// Splits a CSV line into at most kFields + 1 fields; false when a quoted field does not end
// where it should.
bool Split(std::string_view line, std::array<std::string, kFields + 1>& fields, std::size_t& count) {
    count = 0;
    std::size_t at = 0;
    while (true) {
        if (count == fields.size()) {
            return true; // too many: the caller counts them as wrong
        }
        std::string& field = fields[count++];
        field.clear();
        if (at < line.size() && line[at] == '"') {
            ++at;
            while (true) {
                const std::size_t quote = line.find('"', at);
                if (quote == std::string_view::npos) {
                    return false;
                }
                field.append(line.substr(at, quote - at));
                at = quote + 1;
                if (at < line.size() && line[at] == '"') {
                    field += '"';
                    ++at;
                    continue;
                }
                break;
            }
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
                field.assign(line.substr(at));
                return true;
            }
            field.assign(line.substr(at, comma - at));
            at = comma + 1;
        }
    }
}

template <class Number> bool Whole(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty();
}

bool Finite(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end && !text.empty() && std::isfinite(value);
}

bool WriteAll(int fd, const std::string& content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
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

std::optional<LifeRow> ParseRow(const std::string& line, std::string& why) {
    // Reused across calls: reading a long record then allocates almost nothing per line.
    thread_local std::array<std::string, kFields + 1> fields;
    std::size_t count = 0;
    if (!Split(line, fields, count)) {
        why = "a quoted field does not end where it should (the line is cut short)";
        return std::nullopt;
    }
    if (count != kFields) {
        why = count > kFields ? "holds more than the 15 fields of a row"
                              : "holds " + std::to_string(count) + " of the 15 fields of a row";
        return std::nullopt;
    }
    LifeRow row;
    if (!Whole(fields[1], row.steps)) {
        why = "the steps \"" + fields[1] + "\" are not a whole number";
        return std::nullopt;
    }
    if (fields[0].empty() || fields[2].empty() || fields[3].empty() || fields[4].empty()) {
        why = "the time, event, stage and body must not be empty";
        return std::nullopt;
    }
    if (!Finite(fields[5], row.height) || !Finite(fields[6], row.weight)) {
        why = "the height and weight must be finite numbers";
        return std::nullopt;
    }
    int* const counts[] = {&row.mood,  &row.full,     &row.energy, &row.health,
                           &row.dirty, &row.strength, &row.wisdom};
    for (std::size_t i = 0; i < kCounts.size(); ++i) {
        if (!Whole(fields[7 + i], *counts[i])) {
            why = std::string("the ") + kCounts[i] + " \"" + fields[7 + i] + "\" is not a whole number";
            return std::nullopt;
        }
    }
    row.time = std::move(fields[0]);
    row.event = std::move(fields[2]);
    row.stage = std::move(fields[3]);
    row.body = std::move(fields[4]);
    row.detail = std::move(fields[14]);
    return row;
}

Reading Read(const std::string& gamePath, bool report) {
    Reading reading;
    std::ifstream in(paths::Map(gamePath), std::ios::binary);
    if (!in) {
        return reading;
    }
    reading.found = true;
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    std::string line;
    std::string why;
    int number = 0;
    for (std::size_t at = 0; at < content.size();) {
        std::size_t end = content.find('\n', at);
        if (end == std::string::npos) {
            end = content.size();
        }
        line.assign(content, at, end - at);
        at = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if ((number == 1 && line == kHeader) || line.empty()) {
            continue;
        }
        if (std::optional<LifeRow> row = ParseRow(line, why)) {
            reading.rows.push_back(std::move(*row));
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
    ok = ok && WriteAll(fd, content) && ::fsync(fd) == 0;
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
        const std::filesystem::path folder = target.parent_path();
        const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return true;
}

} // namespace liferecord
