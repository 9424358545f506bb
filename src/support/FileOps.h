#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

// The file operations by which the game writes. Each fails as its system call does (false or
// -1, with errno set) and asks the fault seam (faults::Next) first, so that a test can fail any
// one of them.
namespace fileops {

// open(2) for writing, close-on-exec, mode 0644 for a new file; -1 on failure.
int Open(const std::string& path, int flags);
// Writes all of `content`, resuming after interruptions. An injected failure writes the first
// half before it fails, as a disk that fills up midway does.
bool Write(int fd, std::string_view content);
// The same for a file opened with O_APPEND.
bool Append(int fd, std::string_view content);
bool Sync(int fd);
bool Truncate(int fd, off_t size);
bool Rename(const std::string& from, const std::string& to);
// Makes a new, renamed or removed entry of the folder durable ("" is the working directory).
bool SyncFolder(const std::string& folder);
// Creates the folder with any missing parents; true when it is there (an existing one costs
// no operation).
bool MakeFolders(const std::string& folder);
// Takes back a file this run wrote, and syncs its folder. Not a fault point: it only undoes.
void Remove(const std::string& path);

} // namespace fileops
