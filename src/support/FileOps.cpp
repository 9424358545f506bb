#include "support/FileOps.h"

#include "support/Seams.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace fileops {
namespace {
// Asks the seam; an injected failure sets errno and says so.
bool Injected(faults::Op op) {
    if (const int error = faults::Next(op)) {
        errno = error;
        return true;
    }
    return false;
}

bool WriteFully(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool WriteAs(faults::Op op, int fd, std::string_view content) {
    if (const int error = faults::Next(op)) {
        WriteFully(fd, content.substr(0, content.size() / 2));
        errno = error;
        return false;
    }
    return WriteFully(fd, content);
}

bool FsyncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}
} // namespace

int Open(const std::string& path, int flags) {
    return Injected(faults::Op::Open) ? -1 : ::open(path.c_str(), flags | O_CLOEXEC, 0644);
}

bool Write(int fd, std::string_view content) {
    return WriteAs(faults::Op::Write, fd, content);
}

bool Append(int fd, std::string_view content) {
    return WriteAs(faults::Op::Append, fd, content);
}

bool Sync(int fd) {
    return !Injected(faults::Op::Sync) && ::fsync(fd) == 0;
}

bool Truncate(int fd, off_t size) {
    return !Injected(faults::Op::Truncate) && ::ftruncate(fd, size) == 0;
}

bool Rename(const std::string& from, const std::string& to) {
    return !Injected(faults::Op::Rename) && ::rename(from.c_str(), to.c_str()) == 0;
}

bool SyncFolder(const std::string& folder) {
    return !Injected(faults::Op::FolderSync) && FsyncFolder(folder);
}

bool MakeFolders(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return true;
    }
    if (Injected(faults::Op::MakeFolder)) {
        return false;
    }
    std::filesystem::create_directories(folder, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
}

void Remove(const std::string& path) {
    if (::unlink(path.c_str()) == 0) {
        FsyncFolder(std::filesystem::path(path).parent_path().string());
    }
}

} // namespace fileops
