// The desktop notifications of a pet in need, on the real binary, with python3-dbusmock's
// notification service on a session bus of the test's own.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace e2e;

namespace {
// Started before the game, which finds the bus through the environment. The service logs every
// call it takes, one line each, in the game's folder.
class NotificationService {
public:
    explicit NotificationService(const GameProcess& game) : game(game) {
        if ((pid = fork()) == 0) { // in the game's folder, as the test is
            setpgid(0, 0);
            dup2(open("/dev/null", O_WRONLY), 2);
            execl("/usr/bin/dbus-run-session", "dbus-run-session", "--", "sh", "-c",
                  "printf %s \"$DBUS_SESSION_BUS_ADDRESS\" >bus; "
                  "exec /usr/bin/python3 -m dbusmock --session -t notification_daemon -l calls.log",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        setpgid(pid, pid);
        // The log is opened once the service owns its name, before it takes its first call.
        EXPECT_TRUE(WaitFor([&] { return game.Exists("calls.log"); })) << "no notification service";
        ::setenv("DBUS_SESSION_BUS_ADDRESS", game.Read("bus").c_str(), 1);
    }
    ~NotificationService() {
        ::kill(-pid, SIGTERM); // the bus and the service
        waitpid(pid, nullptr, 0);
    }
    std::string Log() const { return game.Read("calls.log"); }
    int Count(const std::string& call) const { // lines holding it
        const std::string log = Log();
        int count = 0;
        for (auto at = log.find(call); at != std::string::npos; at = log.find(call, at + 1)) {
            ++count;
        }
        return count;
    }

private:
    const GameProcess& game;
    pid_t pid = -1;
};

// BOB is hungry and nothing else; he is opened while no window of the game has the focus.
void OpenHungryBehindOthers(GameProcess& game, const std::string& preferences = "") {
    game.Write("Settings/Pet.list", "BOB\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 90 16 10 50 80 \n");
    game.Write("Settings/Preferences.data", preferences);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Focus(0);
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(WaitFor([&] { return game.Urgent(); })) << "the need did not begin";
}

// Feeds BOB the first food, an apple, and quits; true when the saved pet weighs the apple more.
bool FedAndQuit(GameProcess& game) {
    game.Keys({"p", "f", "Return", "m", "q"});
    return game.WaitForExit() == 0 && game.Read("Pets/BOB.data").find(" 520.000000 ") != std::string::npos;
}
} // namespace

TEST(EndToEndNotifications, AHungryPetBehindOtherWindowsPostsOneNotificationThatFeedingWithdraws) {
    GameProcess game;
    NotificationService service(game);
    OpenHungryBehindOthers(game);
    const char* posted = R"( Notify "Hatchling" 0 "hatchling" "BOB is hungry" "Feed it: p, then f" )"
                         R"(["default", "Show"] {"desktop-entry": "io.github.hatchling.hatchling"} -1)";
    ASSERT_TRUE(WaitFor([&] { return service.Count(posted) == 1; })) << service.Log() << game.Err();
    game.Keys({"p", "f", "Return"});
    EXPECT_TRUE(WaitFor([&] { return service.Count(" CloseNotification 1") == 1; })) << service.Log();
    EXPECT_EQ(service.Count(" Notify "), 1) << service.Log();
}

TEST(EndToEndNotifications, NoneWhenTurnedOffAndWithoutABusTheGamePlaysAsBefore) {
    {
        GameProcess game;
        NotificationService service(game);
        OpenHungryBehindOthers(game, "notify off\n");
        EXPECT_TRUE(FedAndQuit(game)) << game.Err();
        EXPECT_EQ(service.Count(" Notify "), 0) << service.Log();
        EXPECT_EQ(game.Err().find("notif"), std::string::npos) << game.Err();
    }
    GameProcess game;
    OpenHungryBehindOthers(game);
    EXPECT_TRUE(FedAndQuit(game)) << game.Err();
    // At most one line about it.
    EXPECT_EQ(game.Err().find("notifications: no session bus"), game.Err().rfind("notifications:"))
        << game.Err();
}

// SAD is dirty and ails: both needs come at his first life step, his health is gone by the third.
TEST(EndToEndNotifications, OneNotificationNamesEveryNeedAndADeathReplacesItUntilThePlayerComesBack) {
    GameProcess game;
    NotificationService service(game);
    game.Write("Settings/Pet.list", "SAD\n");
    game.Write("Pets/SAD.data", "SAD 1\nBaby Normal\n30.000000 500.000000 5 5 7 50 95 50 80 \n");
    game.Start();
    game.Focus(0);
    game.Keys({"m", "o", "Return"});
    const char* needs = R"( Notify "Hatchling" 0 "hatchling" "SAD is dirty and sick" "Clean it: p, then c" )";
    const char* died =
        R"( Notify "Hatchling" 1 "hatchling" "SAD has died" "Die From Unhealthiness!" )"
        R"(["default", "Show"] {"desktop-entry": "io.github.hatchling.hatchling", "urgency": 2} 0)";
    ASSERT_TRUE(WaitFor([&] { return service.Count(died) == 1; }, 60)) << service.Log() << game.Err();
    EXPECT_EQ(std::tuple(service.Count(needs), service.Count(" Notify ")), std::tuple(1, 2)) << service.Log();
    // The death notice has been shown and the window turned white: still no withdrawal.
    game.WaitForShot(White);
    EXPECT_TRUE(game.Urgent() && service.Count(" CloseNotification ") == 0) << service.Log();
    game.Focus(game.Main());
    EXPECT_TRUE(WaitFor([&] { return service.Count(" CloseNotification 1") == 1; })) << service.Log();
}
