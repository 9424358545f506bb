// The desktop notifications of a pet in need, on the real binary, with python3-dbusmock's
// notification service on a session bus of the test's own.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

using namespace e2e;

namespace {
// Started before the game, which then finds the bus through the environment. The service logs
// every call it gets, one line each.
class NotificationService {
public:
    explicit NotificationService(const TempGameFolder& game) : game(game) {
        const std::string address = game.folder / "bus", log = game.folder / "calls.log";
        if ((pid = fork()) == 0) {
            setpgid(0, 0);
            dup2(open("/dev/null", O_WRONLY), 2);
            execl("/usr/bin/dbus-run-session", "dbus-run-session", "--", "sh", "-c",
                  "echo \"$DBUS_SESSION_BUS_ADDRESS\" >\"$0\"; "
                  "exec /usr/bin/python3 -m dbusmock --session -t notification_daemon -l \"$1\"",
                  address.c_str(), log.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(pid, pid);
        WaitFor([&] { return game.Read("bus").find('\n') != std::string::npos; });
        ::setenv("DBUS_SESSION_BUS_ADDRESS", game.Read("bus").substr(0, game.Read("bus").find('\n')).c_str(),
                 1);
        WaitFor([] {
            return std::system("dbus-send --session --print-reply --dest=org.freedesktop.Notifications "
                               "/org/freedesktop/Notifications org.freedesktop.Notifications.GetCapabilities "
                               ">/dev/null 2>&1") == 0;
        });
    }
    ~NotificationService() {
        ::kill(-pid, SIGTERM); // the bus and the service
        waitpid(pid, nullptr, 0);
    }
    std::string Log() const { return game.Read("calls.log"); }
    int Count(const std::string& call) const {
        int count = 0;
        for (std::size_t at = 0; (at = Log().find(call, at)) != std::string::npos; ++at) {
            ++count;
        }
        return count;
    }

private:
    const TempGameFolder& game;
    pid_t pid = -1;
};

// BOB is hungry and nothing else; he is opened while no window of the game has the focus.
void OpenHungryBehindOthers(GameProcess& game, const std::string& preferences) {
    game.Write("Settings/Pet.list", "BOB\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 90 16 10 50 80 \n");
    game.Write("Settings/Preferences.data", preferences);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Focus(0);
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Urgent(); })) << "the need did not begin";
}

// Feeds BOB the first food and saves him; his fullness as saved.
int FeedAndSave(GameProcess& game) {
    game.Keys({"p", "f", "Return"});
    game.Write("Pets/BOB.data", "");
    game.Keys({"m", "s"});
    EXPECT_TRUE(WaitFor([&] { return !game.Read("Pets/BOB.data").empty(); }));
    std::istringstream saved(game.Read("Pets/BOB.data"));
    std::string line;
    double full = 0;
    std::getline(std::getline(saved, line), line) >> full >> full >> full >> full >> full >> full;
    return static_cast<int>(full);
}
} // namespace

TEST(EndToEndNotifications, AHungryPetBehindOtherWindowsPostsOneNotificationThatFeedingWithdraws) {
    REQUIRE_DISPLAY();
    GameProcess game;
    NotificationService service(game);
    OpenHungryBehindOthers(game, "");
    ASSERT_TRUE(WaitFor([&] { return service.Count(" Notify ") > 0; })) << service.Log() << game.Err();
    EXPECT_NE(
        service.Log().find(R"( Notify "Hatchling" 0 "hatchling" "BOB is hungry" "Feed it: p, then f" )"
                           R"(["default", "Show"] {"desktop-entry": "io.github.hatchling.hatchling"} -1)"),
        std::string::npos)
        << service.Log();
    EXPECT_GT(FeedAndSave(game), 16);
    EXPECT_TRUE(WaitFor([&] { return service.Count(" CloseNotification 1") == 1; })) << service.Log();
    EXPECT_EQ(service.Count(" Notify "), 1) << service.Log();
}

TEST(EndToEndNotifications, NoneWhenTurnedOffAndWithoutABusTheGamePlaysAsBefore) {
    REQUIRE_DISPLAY();
    {
        GameProcess game;
        NotificationService service(game);
        OpenHungryBehindOthers(game, "notify off\n");
        EXPECT_GT(FeedAndSave(game), 16);
        EXPECT_EQ(service.Count(" Notify "), 0) << service.Log();
        EXPECT_EQ(game.Err().find("notif"), std::string::npos) << game.Err();
    }
    GameProcess game;
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ::setenv("XDG_RUNTIME_DIR", game.folder.c_str(), 1); // where a bus would have its socket
    OpenHungryBehindOthers(game, "");
    EXPECT_GT(FeedAndSave(game), 16);
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_TRUE(game.Refused().empty()) << game.Err();
    const std::string err = game.Err();
    EXPECT_EQ(err.find("notifications: no session bus"), err.rfind("notifications:")) << err;
}
