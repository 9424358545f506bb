#include "XServer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>

bool XServer::Available() {
    std::istringstream path(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "");
    for (std::string folder; std::getline(path, folder, ':');) {
        if (::access((folder + "/Xvfb").c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

XServer::XServer() {
    int ready[2];
    if (::pipe(ready) != 0) {
        throw std::runtime_error("cannot make a pipe for Xvfb");
    }
    const std::string fd = std::to_string(ready[1]);
    if ((pid = ::fork()) == 0) {            // only async-signal-safe calls until exec
        ::prctl(PR_SET_PDEATHSIG, SIGKILL); // a test killed on its timeout takes its server along
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::close(ready[0]);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        // Xvfb picks a free display itself and writes its number on the pipe once it is ready.
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    std::string number;
    char c = 0;
    while (::read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    ::close(ready[0]);
    if (number.empty()) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        throw std::runtime_error("Xvfb did not start");
    }
    name = ":" + number;
}

XServer::~XServer() {
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
}

bool XServer::UseForThisProcess() {
    static const std::unique_ptr<XServer> server = Available() ? std::make_unique<XServer>() : nullptr;
    if (server) {
        ::setenv("DISPLAY", server->Name().c_str(), 1);
    }
    return server != nullptr;
}
