#include "core/RunningGame.h"

#include "presentation/ProcessWindow.h"
#include "presentation/Urgency.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace launch {

long LockHolder(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return 0;
    }
    // A held lock reads "1: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF"; the
    // lines of processes waiting for it carry "->" after the number and are passed over.
    char file[64];
    std::snprintf(file, sizeof file, "%02x:%02x:%lu", major(status.st_dev), minor(status.st_dev),
                  static_cast<unsigned long>(status.st_ino));
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, where;
        long pid = 0;
        if (fields >> number >> kind >> mode >> access >> pid >> where && kind == "FLOCK" && where == file) {
            return pid;
        }
    }
    return 0;
}

void ShowRunningGame(const std::string& folder) {
    const long holder = LockHolder(folder);
    const unsigned long window = holder > 0 ? facade::x11::FindProcessWindow(holder) : 0;
    if (window != 0) {
        facade::x11::RequestActivation(window);
    }
}

} // namespace launch
