#include "support/TextFiles.h"

#include "support/FileError.h"
#include "support/Seams.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace textfiles {
namespace {
bool ReadWhole(const std::string& mapped, std::string& content) {
    std::ifstream in(mapped, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    content = buffer.str();
    return true;
}

bool Replace(const std::string& gamePath, const std::string& content) {
    const std::filesystem::path target(paths::MapForWrite(gamePath));
    const std::filesystem::path folder = target.parent_path();
    std::error_code ignored;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, ignored);
    }
    const std::string temporary = target.string() + ".tmp";
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        ReportRefusal(gamePath, 0, std::string("cannot be saved: ") + std::strerror(errno));
        return false;
    }
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    const int writeError = errno;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        ReportRefusal(gamePath, 0,
                      std::string("cannot be saved: ") + std::strerror(writeError ? writeError : EIO) +
                          "; the old file is kept");
        return false;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        ReportRefusal(gamePath, 0, std::string("cannot be saved: ") + std::strerror(renameError));
        return false;
    }
    SyncFolder(folder);
    return true;
}
} // namespace

bool ReadLines(const std::string& gamePath, std::vector<std::string>& lines) {
    std::ifstream in(paths::Map(gamePath), std::ios::binary);
    if (!in) {
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return true;
}

bool WriteLines(const std::string& gamePath, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += '\n';
    }
    return Replace(gamePath, content);
}

bool AppendLine(const std::string& gamePath, const std::string& line) {
    std::string content;
    if (ReadWhole(paths::Map(gamePath), content) && !content.empty() && content.back() != '\n') {
        content += '\n';
    }
    content += line;
    content += '\n';
    return Replace(gamePath, content);
}

bool WriteAll(int fd, const std::string& content) {
    const char* data = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
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

void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace textfiles
