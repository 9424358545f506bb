#include "support/TextFiles.h"

#include "support/FileError.h"
#include "support/FileOps.h"
#include "support/Seams.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace textfiles {
namespace {
[[noreturn]] void CannotSave(const std::string& gamePath, int error) {
    throw FileError(gamePath, 0,
                    std::string("cannot be saved: ") + std::strerror(error ? error : EIO) +
                        "; the old file is kept");
}

// Writes, flushes and closes the temporary file; false with errno set on any failure.
bool WriteTemporary(const std::string& temporary, const std::string& content) {
    const int fd = fileops::Open(temporary, O_WRONLY | O_CREAT | O_TRUNC);
    if (fd < 0) {
        return false;
    }
    bool ok = fileops::Write(fd, content) && fileops::Sync(fd);
    const int error = errno;
    ok = ::close(fd) == 0 && ok;
    errno = ok ? 0 : (error ? error : errno);
    return ok;
}
} // namespace

Found ReadAll(const std::string& gamePath, std::string& content, std::string* why) {
    content.clear();
    const int fd = ::open(paths::Map(gamePath).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        return Found::Missing;
    }
    int error = fd < 0 ? errno : 0;
    char buffer[8192];
    while (fd >= 0) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            content.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            error = got == 0 ? 0 : errno;
            ::close(fd);
            break;
        }
    }
    if (error == 0) {
        return Found::Read;
    }
    content.clear();
    if (why != nullptr) {
        *why = std::strerror(error);
    }
    return Found::Unreadable;
}

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < content.size();) {
        std::size_t end = content.find('\n', at);
        if (end == std::string::npos) {
            end = content.size();
        }
        std::string line = content.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        at = end + 1;
    }
    return lines;
}

bool ReadLines(const std::string& gamePath, std::vector<std::string>& lines) {
    std::string content;
    if (ReadAll(gamePath, content) != Found::Read) {
        return false;
    }
    std::vector<std::string> read = SplitLines(content);
    lines.insert(lines.end(), read.begin(), read.end());
    return true;
}

void Replace(const std::string& gamePath, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += '\n';
    }
    const std::string target = paths::MapForWrite(gamePath);
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const std::string temporary = target + ".tmp";
    if (!fileops::MakeFolders(folder)) {
        CannotSave(gamePath, errno);
    }
    if (!WriteTemporary(temporary, content) || !fileops::Rename(temporary, target)) {
        const int error = errno;
        ::unlink(temporary.c_str());
        CannotSave(gamePath, error);
    }
    if (!fileops::SyncFolder(folder)) {
        ReportRefusal(gamePath, 0,
                      std::string("is saved, but its folder could not be synced: ") + std::strerror(errno) +
                          "; a crash now may bring back the old file");
    }
}

bool WriteLines(const std::string& gamePath, const std::vector<std::string>& lines) {
    try {
        Replace(gamePath, lines);
        return true;
    } catch (const FileError& error) {
        ReportRefusal(error);
        return false;
    }
}

} // namespace textfiles
