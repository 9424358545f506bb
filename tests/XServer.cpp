#include "XServer.h"

#include <X11/Xlib.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

bool WaitFor(const std::function<bool()>& condition, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (; !condition(); std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

bool XServer::Available(Kind kind) {
    return std::system(kind == Kind::Xvfb
                           ? "command -v Xvfb >/dev/null"
                           : "command -v weston >/dev/null && command -v Xwayland >/dev/null") == 0;
}

XServer::XServer(const std::string& screen, Kind kind) {
    // Xvfb picks a free display itself and writes its number once it is ready; the shell's pid,
    // written first, becomes Xvfb's. A test killed on its timeout takes its server along.
    const std::string command =
        "echo $$; exec setpriv --pdeathsig KILL Xvfb -displayfd 1 -screen 0 " + screen;
    int number = -1;
    if (kind == Kind::Weston) {
        number = StartWeston(screen);
    } else {
        server = ::popen((command + " -nolisten tcp 2>/dev/null").c_str(), "r");
        std::fscanf(server, "%d %d", &pid, &number);
    }
    if (number < 0 || (display = XOpenDisplay((name = ":" + std::to_string(number)).c_str())) == nullptr) {
        throw std::runtime_error("the X server did not start");
    }
    // A window that vanishes between finding and asking must not end the test run.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

XServer::~XServer() {
    if (display != nullptr) // not after Kill
        XCloseDisplay(static_cast<Display*>(display));
    ::kill(pid, SIGTERM);
    ::pclose(server);
    if (!runtime.empty()) {
        std::filesystem::remove_all(runtime);
    }
}

int XServer::StartWeston(const std::string& screen) {
    // Its sockets and log go into a runtime folder of its own; the log names the display of the
    // X server, which starts when the first X program connects.
    char folder[] = "/tmp/hatchling-weston-XXXXXX";
    runtime = ::mkdtemp(folder);
    unsigned width = 0, height = 0;
    std::sscanf(screen.c_str(), "%ux%u", &width, &height);
    const std::string command =
        "echo $$; exec setpriv --pdeathsig KILL env XDG_RUNTIME_DIR=" + runtime +
        " weston --backend=headless-backend.so --xwayland --idle-time=0 --socket=hatchling" +
        " --width=" + std::to_string(width) + " --height=" + std::to_string(height) + " --log=" + runtime +
        "/weston.log >/dev/null 2>&1";
    server = ::popen(command.c_str(), "r");
    std::fscanf(server, "%d", &pid);
    int number = -1;
    WaitFor([&] { // "... xserver listening on display :N"
        std::ifstream log(runtime + "/weston.log");
        for (std::string word, last; log >> word && number < 0; last = word) {
            number = last == "display" && word[0] == ':' ? std::atoi(word.c_str() + 1) : -1;
        }
        return number >= 0;
    });
    return number;
}

unsigned long XServer::FindWindow(const std::string& title) const {
    unsigned long window = 0;
    std::istringstream(Tool("xdotool search --onlyvisible --name '^" + title + "$'")) >> window;
    return window;
}

void XServer::Keys(unsigned long window, std::initializer_list<const char*> keysyms) const {
    Display* d = static_cast<Display*>(display);
    XKeyEvent event{};
    event.display = d;
    event.window = window;
    event.root = DefaultRootWindow(d);
    event.same_screen = True;
    for (const char* keysym : keysyms) {
        event.keycode = XKeysymToKeycode(d, XStringToKeysym(keysym));
        // Distinct times, so that a release and the next press are not taken for auto-repeat.
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        event.time = static_cast<Time>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        for (const int type : {KeyPress, KeyRelease}) {
            event.type = type;
            event.time += 5;
            XSendEvent(d, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask,
                       reinterpret_cast<XEvent*>(&event));
        }
        XSync(d, False); // in the game's queue before anything the test does next, a click included
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
}

void XServer::Close(unsigned long window) const {
    Display* d = static_cast<Display*>(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
}

std::string XServer::Tool(const std::string& command) const {
    FILE* pipe = ::popen(("DISPLAY=" + name + " " + command).c_str(), "r");
    std::string text;
    for (char buffer[65536]; const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe);) {
        text.append(buffer, got);
    }
    ::pclose(pipe);
    return text;
}

void XServer::Kill() {
    XCloseDisplay(static_cast<Display*>(display));
    display = nullptr;
    ::kill(pid, SIGKILL);
}
