#pragma once

#include <sys/types.h>

#include <string>

// A private X server (Xvfb) for one test, so that tests with windows can run side by side and
// never see each other's windows.
class XServer {
public:
    // Xvfb found on the PATH; tests that need a display skip without it.
    static bool Available();
    // Starts Xvfb on the first free display; throws std::runtime_error when it does not come up.
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& Name() const { return name; } // ":N", for DISPLAY

    // Points this process's DISPLAY at a server of its own, started on the first call and ended
    // when the process exits; false (the test should skip) when there is no Xvfb.
    static bool UseForThisProcess();

private:
    pid_t pid = -1;
    std::string name;
};
