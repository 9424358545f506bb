#include "e2e/GameProcess.h"

#include <SFML/Graphics/Image.hpp>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace e2e {
namespace {

Display* X(void* display) {
    return static_cast<Display*>(display);
}

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The pid a window's owner announced, or -1 when it announced none.
long WindowPid(Display* display, Window window) {
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None) {
        return -1;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr) {
        if (count == 1 && format == 32) {
            pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
        }
        XFree(data);
    }
    return pid;
}

// X errors (a window that vanished between listing and asking) must not end the test run.
int IgnoreXErrors(Display*, XErrorEvent*) {
    return 0;
}

unsigned long Millis() {
    using namespace std::chrono;
    return static_cast<unsigned long>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

bool WaitFor(const std::function<bool()>& condition, double seconds, double pollSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::duration<double>(pollSeconds));
    }
}

int Shot::NonWhite(unsigned x0, unsigned y0, unsigned x1, unsigned y1) const {
    int count = 0;
    for (unsigned y = y0; y < y1 && y < height; ++y) {
        for (unsigned x = x0; x < x1 && x < width; ++x) {
            count += At(x, y) != 0xFFFFFFu ? 1 : 0;
        }
    }
    return count;
}

int Shot::Dark(unsigned x0, unsigned y0, unsigned x1, unsigned y1) const {
    int count = 0;
    for (unsigned y = y0; y < y1 && y < height; ++y) {
        for (unsigned x = x0; x < x1 && x < width; ++x) {
            const std::uint32_t p = At(x, y);
            const unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            count += sum < 3 * 128 ? 1 : 0;
        }
    }
    return count;
}

bool Shot::SavePng(const fs::path& path) const {
    if (Empty()) {
        return false;
    }
    std::vector<std::uint8_t> rgba;
    rgba.reserve(rgb.size() * 4);
    for (std::uint32_t p : rgb) {
        rgba.push_back(static_cast<std::uint8_t>(p >> 16));
        rgba.push_back(static_cast<std::uint8_t>(p >> 8));
        rgba.push_back(static_cast<std::uint8_t>(p));
        rgba.push_back(255);
    }
    sf::Image image;
    image.create(width, height, rgba.data());
    return image.saveToFile(path.string());
}

bool PetDrawn(const Shot& shot) {
    if (shot.Empty()) {
        return false;
    }
    // A picture fills most of the middle; a line of text there (a chooser's name, a message)
    // covers far less, and a menu or balloon would also colour the edges.
    const unsigned cx = shot.width / 2;
    const unsigned cy = shot.height / 2;
    return shot.NonWhite(cx - 40, cy - 40, cx + 40, cy + 40) > 1500 &&
           shot.NonWhite(0, 0, shot.width, 50) == 0 &&
           shot.NonWhite(0, shot.height - 40, shot.width, shot.height) == 0;
}

GameProcess::GameProcess() {
    std::string pattern = (fs::temp_directory_path() / "hatchling-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    folder = pattern;
    fs::copy(HATCHLING_GAME_DATA, folder, fs::copy_options::recursive);
    // Greetings pop up at a random moment; the tests want a screen that only their keys change.
    Write("Settings/Hello.list", "");
    if (HaveDisplay()) {
        display = XOpenDisplay(nullptr);
        XSetErrorHandler(IgnoreXErrors);
    }
}

GameProcess::~GameProcess() {
    if (pid > 0 && !status) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    if (display != nullptr) {
        XCloseDisplay(X(display));
    }
    std::error_code ignored;
    if (std::getenv("HATCHLING_E2E_KEEP") == nullptr) {
        fs::remove_all(folder, ignored);
    }
}

bool GameProcess::HaveDisplay() {
    const char* name = std::getenv("DISPLAY");
    return name != nullptr && *name != '\0';
}

void GameProcess::Write(const std::string& relative, const std::string& content) const {
    fs::create_directories((folder / relative).parent_path());
    std::ofstream out(folder / relative, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string GameProcess::Read(const std::string& relative) const {
    return Slurp(folder / relative);
}

std::vector<std::string> GameProcess::Lines(const std::string& relative) const {
    std::vector<std::string> lines;
    std::istringstream in(Read(relative));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool GameProcess::Exists(const std::string& relative) const {
    return fs::exists(folder / relative);
}

void GameProcess::Remove(const std::string& relative) const {
    fs::remove(folder / relative);
}

void GameProcess::Start() {
    const std::string out = (folder / "stdout.txt").string();
    const std::string err = (folder / "stderr.txt").string();
    pid = fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        // Child: only async-signal-safe calls until exec.
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        const int in = open("/dev/null", O_RDONLY);
        const int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || o < 0 || e < 0) {
            _exit(126);
        }
        dup2(in, 0);
        dup2(o, 1);
        dup2(e, 2);
        execl(HATCHLING_BINARY, HATCHLING_BINARY, static_cast<char*>(nullptr));
        _exit(127);
    }
    // A game that refuses to start ends instead of opening its window.
    WaitFor(
        [this] {
            mainWindow = FindWindow("Hatchling");
            return mainWindow != 0 || !Running();
        },
        kStartSeconds, 0.1);
}

bool GameProcess::Running() {
    if (pid <= 0 || status) {
        return false;
    }
    int raw = 0;
    const pid_t done = waitpid(pid, &raw, WNOHANG);
    if (done == pid) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return false;
    }
    return true;
}

std::optional<int> GameProcess::WaitForExit(double seconds) {
    WaitFor([this] { return !Running(); }, seconds);
    return status;
}

std::string GameProcess::Out() const {
    return Slurp(folder / "stdout.txt");
}

std::string GameProcess::Err() const {
    return Slurp(folder / "stderr.txt");
}

bool GameProcess::WaitForOut(const std::string& text, double seconds) const {
    return WaitFor([&] { return Out().find(text) != std::string::npos; }, seconds, 0.1);
}

bool GameProcess::WaitForErr(const std::string& text, double seconds) const {
    return WaitFor([&] { return Err().find(text) != std::string::npos; }, seconds, 0.1);
}

WindowId GameProcess::FindWindow(const std::string& title) const {
    if (display == nullptr) {
        return 0;
    }
    Display* d = X(display);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    WindowId found = 0;
    if (XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    for (unsigned i = 0; i < count && found == 0; ++i) {
        char* name = nullptr;
        if (XFetchName(d, children[i], &name) == 0 || name == nullptr) {
            continue;
        }
        const bool same = title == name;
        XFree(name);
        if (!same) {
            continue;
        }
        XWindowAttributes attributes;
        if (XGetWindowAttributes(d, children[i], &attributes) == 0 || attributes.map_state != IsViewable) {
            continue;
        }
        const long owner = WindowPid(d, children[i]);
        if (owner == -1 || owner == pid) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

WindowId GameProcess::WaitForWindow(const std::string& title, double seconds) const {
    WindowId found = 0;
    WaitFor(
        [&] {
            found = FindWindow(title);
            return found != 0;
        },
        seconds, 0.1);
    return found;
}

bool GameProcess::WaitForWindowGone(const std::string& title, double seconds) const {
    return WaitFor([&] { return FindWindow(title) == 0; }, seconds, 0.1);
}

void GameProcess::Key(const std::string& keysym, WindowId window, double pauseAfter) const {
    Display* d = X(display);
    const Window target = Or(window);
    if (d == nullptr || target == 0) {
        return;
    }
    const KeySym sym = XStringToKeysym(keysym.c_str());
    if (sym == NoSymbol) {
        throw std::invalid_argument("unknown keysym " + keysym);
    }
    XKeyEvent event;
    std::memset(&event, 0, sizeof event);
    event.display = d;
    event.window = target;
    event.root = DefaultRootWindow(d);
    event.subwindow = None;
    event.x = event.y = event.x_root = event.y_root = 1;
    event.same_screen = True;
    event.keycode = XKeysymToKeycode(d, sym);
    event.state = 0;
    // Distinct times, so that a release followed by a press of the same key is not taken
    // for the keyboard's auto-repeat.
    event.type = KeyPress;
    event.time = Millis();
    XSendEvent(d, target, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
    event.type = KeyRelease;
    event.time = Millis() + 5;
    XSendEvent(d, target, True, KeyReleaseMask, reinterpret_cast<XEvent*>(&event));
    XFlush(d);
    std::this_thread::sleep_for(std::chrono::duration<double>(pauseAfter));
}

void GameProcess::Keys(std::initializer_list<const char*> keysyms, WindowId window) const {
    for (const char* keysym : keysyms) {
        Key(keysym, window);
    }
}

void GameProcess::Type(const std::string& text, WindowId window) const {
    for (char c : text) {
        if (c == ' ') {
            Key("space", window);
        } else if (c == '-') {
            Key("minus", window);
        } else {
            Key(std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(c)))), window);
        }
    }
}

void GameProcess::Close(WindowId window) const {
    Display* d = X(display);
    const Window target = Or(window);
    if (d == nullptr || target == 0) {
        return;
    }
    XEvent event;
    std::memset(&event, 0, sizeof event);
    event.xclient.type = ClientMessage;
    event.xclient.window = target;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, target, False, NoEventMask, &event);
    XFlush(d);
}

Shot GameProcess::Capture(WindowId window) const {
    Shot shot;
    Display* d = X(display);
    const Window target = Or(window);
    if (d == nullptr || target == 0) {
        return shot;
    }
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, target, &attributes) == 0 || attributes.map_state != IsViewable) {
        return shot;
    }
    XImage* image = XGetImage(d, target, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shot;
    }
    shot.width = static_cast<unsigned>(attributes.width);
    shot.height = static_cast<unsigned>(attributes.height);
    shot.rgb.resize(static_cast<std::size_t>(shot.width) * shot.height);
    for (unsigned y = 0; y < shot.height; ++y) {
        for (unsigned x = 0; x < shot.width; ++x) {
            const unsigned long p = XGetPixel(image, static_cast<int>(x), static_cast<int>(y));
            shot.rgb[y * shot.width + x] = static_cast<std::uint32_t>(
                (((p & image->red_mask) >> 16) & 0xFF) << 16 | (((p & image->green_mask) >> 8) & 0xFF) << 8 |
                ((p & image->blue_mask) & 0xFF));
        }
    }
    XDestroyImage(image);
    return shot;
}

Shot GameProcess::WaitForShot(const std::function<bool(const Shot&)>& condition, double seconds,
                              WindowId window) const {
    Shot shot;
    WaitFor(
        [&] {
            shot = Capture(window);
            return !shot.Empty() && condition(shot);
        },
        seconds, 0.05);
    return shot;
}

void GameProcess::Keep(const Shot& shot, const std::string& name) const {
    const char* into = std::getenv("HATCHLING_E2E_SHOTS");
    if (into == nullptr || *into == '\0') {
        return;
    }
    fs::create_directories(into);
    shot.SavePng(fs::path(into) / (name + ".png"));
}

} // namespace e2e
