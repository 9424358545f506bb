#include "e2e/GameProcess.h"

#include <X11/Xlib.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace e2e {

int Shot::Count(unsigned x0, unsigned y0, unsigned x1, unsigned y1, bool dark) const {
    int count = 0;
    for (unsigned y = y0; y < y1 && y < height; ++y) {
        for (unsigned x = x0; x < x1 && x < width; ++x) {
            const std::uint32_t p = rgb[y * width + x];
            const unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            count += (dark ? sum < 3 * 128 : p != 0xFFFFFFu) ? 1 : 0;
        }
    }
    return count;
}

long Shot::Pixels(std::uint32_t colour, unsigned y0, unsigned y1, unsigned x0) const {
    long count = 0;
    for (unsigned y = y0; y < y1 && y < height && x0 < width; ++y) {
        count += std::count(rgb.begin() + y * width + x0, rgb.begin() + (y + 1) * width, colour);
    }
    return count;
}

bool PetDrawn(const Shot& s) {
    const unsigned cx = s.width / 2, cy = s.height / 2;
    // The need marks sit in the top right corner and the hint line in the bottom left one.
    return !s.rgb.empty() && s.Count(cx - 40, cy - 40, cx + 40, cy + 40) > 1500 &&
           s.Count(0, 0, s.width - 150, 50) == 0 && s.Count(150, s.height - 40, s.width, s.height) == 0 &&
           s.Count(0, s.height - 40, 150, s.height) > 50;
}

bool White(const Shot& s) {
    // White but for the grey hint line near the bottom.
    return !s.rgb.empty() && s.Count(0, 0, s.width, s.height - 40) == 0 &&
           s.Count(0, s.height - 40, s.width, s.height, true) == 0;
}

bool Chooser(const Shot& s) {
    return s.Count(150, 330, 330, 360, true) > 100;
}

bool FoodOffered(const Shot& s) {
    return Chooser(s) && s.Count(10, 10, 120, 40, true) > 20 && s.Count(200, 140, 280, 220) > 1500;
}

GameProcess::GameProcess(const std::string& screen, Kind kind) : XServer(screen, kind) {
    fs::copy(HATCHLING_GAME_DATA, folder, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // Greetings pop up at random moments; the tests want a screen that only their keys change.
    Write("Settings/Hello.list", "");
    // No session bus, so that no test's game posts to the desktop of whoever runs the tests.
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
}

GameProcess::~GameProcess() {
    if (pid > 0 && !status) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

void GameProcess::Start(const std::string& arguments, bool closedOutput) {
    status.reset(); // a game may be started again once the last one ended
    const std::string out = folder / "stdout.txt", err = folder / "stderr.txt",
                      game = "exec " HATCHLING_BINARY " " + arguments;
    ::setenv("DISPLAY", name.c_str(), 1);
    // The game's sounds go where the folder's al.conf sends them; by default nowhere, so that tests
    // never play through the machine's speakers.
    if (!Exists("al.conf")) {
        Write("al.conf", "[general]\ndrivers=none\n");
    }
    ::setenv("ALSOFT_CONF", (folder / "al.conf").c_str(), 1);
    int unread[2] = {-1, -1};
    if (closedOutput && ::pipe(unread) == 0) {
        ::close(unread[0]);
    }
    if ((pid = fork()) == 0) { // only async-signal-safe calls until exec
        const int in = open("/dev/null", O_RDONLY),
                  o = closedOutput ? unread[1] : open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644),
                  e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        signal(SIGPIPE, SIG_DFL); // as a shell starts it, whatever this process does
        if (chdir(folder.c_str()) == 0 && dup2(in, 0) == 0 && dup2(o, 1) == 1 && dup2(e, 2) == 2) {
            execl("/bin/sh", "sh", "-c", game.c_str(), static_cast<char*>(nullptr));
        }
        _exit(127);
    }
    if (closedOutput) {
        ::close(unread[1]);
    }
    WaitFor([this] { return WaitForExit(0.0) || (mainWindow = FindWindow("Hatchling")) != 0; });
}

std::optional<int> GameProcess::WaitForExit(double seconds) {
    int raw = 0;
    if (!status && WaitFor([&] { return waitpid(pid, &raw, WNOHANG) == pid; }, seconds)) {
        status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }
    return status;
}

std::vector<std::string> GameProcess::Refused() const {
    std::vector<std::string> refused;
    std::istringstream in(Err());
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("refused:", 0) == 0) {
            refused.push_back(line);
        }
    }
    return refused;
}

void GameProcess::Click(int x, int y, unsigned long window) const {
    Tool("xdotool mousemove --window " + std::to_string(window ? window : mainWindow) + " " +
         std::to_string(x) + " " + std::to_string(y) + " click 1");
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
}

void GameProcess::Focus(unsigned long window) {
    Display* d = static_cast<Display*>(display);
    XSetInputFocus(d, window ? window : DefaultRootWindow(d), RevertToParent, CurrentTime);
    XSync(d, False);
}

bool GameProcess::Urgent() const {
    const std::string hints = Tool("xprop -id " + std::to_string(mainWindow) + " WM_HINTS");
    return hints.find("urgency hint bit is set") != std::string::npos;
}

bool GameProcess::StartWindowManager() const {
    Tool("openbox >/dev/null 2>&1 &");
    return WaitFor(
        [this] { return Tool("xprop -root _NET_SUPPORTING_WM_CHECK").find("# 0x") != std::string::npos; });
}

unsigned long GameProcess::OpenOtherWindow() const {
    Display* d = static_cast<Display*>(display);
    const Window other = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 200, 100, 0, 0, 0xFFFFFF);
    XMapWindow(d, other);
    XSync(d, False);
    return other;
}

unsigned long GameProcess::ActiveWindow() const {
    return std::strtoul(Tool("xdotool getactivewindow 2>/dev/null").c_str(), nullptr, 10);
}

std::string GameProcess::StartAgain() const {
    return Tool("sh -c 'cd \"" + folder.string() +
                "\" && exec " HATCHLING_BINARY "' 2>&1 >/dev/null; echo exit $?");
}

Shot GameProcess::Capture(unsigned long window) const {
    // A window that is not shown gives no picture, and so an empty shot; so does none at all (import
    // would wait for a click on a window to take).
    if ((window ? window : mainWindow) == 0) {
        return {};
    }
    std::istringstream ppm(Tool("import -silent -window " + std::to_string(window ? window : mainWindow) +
                                " -depth 8 ppm:- 2>/dev/null"));
    Shot shot;
    std::string magic;
    int maximum = 0;
    ppm >> magic >> shot.width >> shot.height >> maximum;
    ppm.get();
    for (unsigned char p[3]; ppm.read(reinterpret_cast<char*>(p), 3);) {
        shot.rgb.push_back(std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2]);
    }
    return shot;
}

Shot GameProcess::WaitForShot(const std::function<bool(const Shot&)>& condition, double seconds,
                              unsigned long window) const {
    Shot shot;
    WaitFor([&] { return condition(shot = Capture(window)) && !shot.rgb.empty(); }, seconds);
    return shot;
}

} // namespace e2e
