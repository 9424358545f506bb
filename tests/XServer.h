#pragma once

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <initializer_list>
#include <string>

// Polls until the condition holds or the (generous: the machine may be busy) deadline passes.
bool WaitFor(const std::function<bool()>& condition, double seconds = 20.0);

// A private X server (Xvfb) for one test, and a connection to it, so that tests with windows
// can run side by side: every window on the server is the test's own, found by its title.
// Or a Wayland desktop: weston's headless compositor, whose window manager frames the windows of
// the X server it starts for X programs (Xwayland).
class XServer {
public:
    enum class Kind { Xvfb, Weston };
    // The programs found on the PATH; tests that need them fail without them.
    static bool Available(Kind kind = Kind::Xvfb);
    // Starts the server with that screen (weston takes only its size) on the first free display;
    // throws std::runtime_error when it does not come up.
    explicit XServer(const std::string& screen = "1024x768x24", Kind kind = Kind::Xvfb);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    unsigned long FindWindow(const std::string& title) const; // shown, or 0
    // Presses and releases keys named by their X keysyms ("m", "Return", "Left", "1").
    void Keys(unsigned long window, std::initializer_list<const char*> keysyms) const;
    // The close button: WM_DELETE_WINDOW through WM_PROTOCOLS.
    void Close(unsigned long window) const;
    // Runs an X tool (xdotool, xprop, import) on this server; returns what it printed.
    std::string Tool(const std::string& command) const;
    const std::string& Name() const { return name; }
    // Kills the server at once, as a crash or a logout would (its own connection is closed first:
    // closing it after would end this process through Xlib's handler).
    void Kill();

protected:
    std::string name;        // ":N", for DISPLAY
    void* display = nullptr; // Display*

private:
    int StartWeston(const std::string& screen); // its display's number, or -1

    FILE* server = nullptr; // its standard output
    pid_t pid = -1;
    std::string runtime; // weston's runtime folder, removed at the end
};
