#include "presentation/Notifier.h"

#include "presentation/Urgency.h"
#include "presentation/WindowApp.h"
#include "support/Preferences.h"

#include <systemd/sd-bus.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iostream>
#include <optional>
#include <utility>

namespace {
constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kObject = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";
// The names the package installs: the icon theme's icon and the desktop entry (without
// ".desktop"), by which desktops group the notification with the game.
constexpr const char* kIcon = "hatchling";
constexpr const char* kDesktopEntry = "io.github.hatchling.hatchling";
constexpr auto kFarewell = std::chrono::milliseconds(100);
// The urgency hint's value for a critical notification, which servers do not let expire.
constexpr int kCritical = 2;
} // namespace

// sd-bus: small, already on every Debian system (libsystemd0), and processed from the game's
// own loop without a second main loop or thread.
struct Notifier::Link {
    explicit Link(std::function<void()> clicked) : clicked(std::move(clicked)) {}
    ~Link();

    // What the player should see, or nothing.
    void Want(const std::optional<PetCalls::Notice>& notice) {
        wanted = notice;
        anew = anew || (notice && notice->anew);
        sent = false;
        Sync();
    }
    void Process();

private:
    bool Connect();
    void Drop();
    // Sends what the wanted notification needs, unless a Notify call still awaits its id.
    void Sync();
    int Notify(const PetCalls::Notice& notice);
    void Close();
    void Report(const std::string& what);

    static int OnNotified(sd_bus_message* reply, void* self, sd_bus_error*);
    static int OnCloseAnswered(sd_bus_message*, void* self, sd_bus_error*);
    static int OnAction(sd_bus_message* signal, void* self, sd_bus_error*);
    static int OnClosed(sd_bus_message* signal, void* self, sd_bus_error*);

    std::function<void()> clicked;
    sd_bus* bus = nullptr;
    std::optional<PetCalls::Notice> wanted;
    bool sent = true;
    bool anew = false;       // the next Notify posts a new notification rather than replacing
    std::uint32_t shown = 0; // the server's id of our notification, 0 for none
    bool notifying = false;  // a Notify call awaits its answer
    int closing = 0;         // CloseNotification calls awaiting theirs
    bool reported = false;
};

Notifier::Link::~Link() {
    if (bus == nullptr) {
        return;
    }
    Want(std::nullopt);
    // The game is ending: give the withdrawal a moment to reach the service, never more.
    const auto deadline = std::chrono::steady_clock::now() + kFarewell;
    while (bus != nullptr && (notifying || closing > 0)) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || sd_bus_process(bus, nullptr) < 0) {
            break;
        }
        sd_bus_wait(bus, static_cast<std::uint64_t>(left.count()));
    }
    Drop();
}

void Notifier::Link::Report(const std::string& what) {
    if (!reported) {
        reported = true;
        std::cerr << "notifications: " << what << "; the pet calls only through its window" << std::endl;
    }
}

bool Notifier::Link::Connect() {
    if (bus != nullptr) {
        return true;
    }
    // Connecting does not wait for the bus's answer: the calls queue until it comes.
    const int failure = sd_bus_open_user(&bus);
    if (failure < 0) {
        bus = nullptr;
        // ENOMEDIUM: neither DBUS_SESSION_BUS_ADDRESS nor XDG_RUNTIME_DIR is set.
        Report(std::string("no session bus (") +
               (failure == -ENOMEDIUM ? "the environment names none" : std::strerror(-failure)) + ")");
        return false;
    }
    // A failed match only loses clicks; the default answer to one would close the connection.
    const auto ignore = [](sd_bus_message*, void*, sd_bus_error*) { return 0; };
    sd_bus_match_signal_async(bus, nullptr, kService, kObject, kInterface, "ActionInvoked", OnAction, ignore,
                              this);
    sd_bus_match_signal_async(bus, nullptr, kService, kObject, kInterface, "NotificationClosed", OnClosed,
                              ignore, this);
    return true;
}

void Notifier::Link::Drop() {
    // The calls' slots are the bus's own and go with it, unanswered.
    sd_bus_close_unref(bus);
    bus = nullptr;
    shown = 0;
    notifying = false;
    closing = 0;
}

void Notifier::Link::Sync() {
    if (notifying) {
        return;
    }
    if (wanted && !sent) {
        sent = true;
        if (!Connect()) {
            return;
        }
        // A reminder is a new notification: one replaced in place would not show again.
        if (anew) {
            Close();
            anew = false;
        }
        const int failure = Notify(*wanted);
        notifying = failure >= 0;
        if (failure < 0) {
            Report(std::string("cannot post one (") + std::strerror(-failure) + ")");
        }
    } else if (!wanted && bus != nullptr) {
        Close();
    }
}

int Notifier::Link::Notify(const PetCalls::Notice& notice) {
    const char* summary = notice.summary.c_str();
    const char* body = notice.body.c_str();
    if (notice.lasting) {
        return sd_bus_call_method_async(bus, nullptr, kService, kObject, kInterface, "Notify", OnNotified,
                                        this, "susssasa{sv}i", "Hatchling", shown, kIcon, summary, body, 2,
                                        "default", "Show", 2, "desktop-entry", "s", kDesktopEntry, "urgency",
                                        "y", kCritical, 0);
    }
    return sd_bus_call_method_async(bus, nullptr, kService, kObject, kInterface, "Notify", OnNotified, this,
                                    "susssasa{sv}i", "Hatchling", shown, kIcon, summary, body, 2, "default",
                                    "Show", 1, "desktop-entry", "s", kDesktopEntry, -1);
}

void Notifier::Link::Close() {
    if (shown != 0 && sd_bus_call_method_async(bus, nullptr, kService, kObject, kInterface,
                                               "CloseNotification", OnCloseAnswered, this, "u", shown) >= 0) {
        ++closing;
    }
    shown = 0;
}

void Notifier::Link::Process() {
    if (bus == nullptr) {
        return;
    }
    int result = 0;
    while ((result = sd_bus_process(bus, nullptr)) > 0) {
    }
    if (result < 0) {
        Report(std::string("the session bus went away (") + std::strerror(-result) + ")");
        Drop();
    }
}

int Notifier::Link::OnNotified(sd_bus_message* reply, void* self, sd_bus_error*) {
    Link& link = *static_cast<Link*>(self);
    link.notifying = false;
    if (sd_bus_message_is_method_error(reply, nullptr)) {
        const sd_bus_error* error = sd_bus_message_get_error(reply);
        link.Report(std::string("no notification service (") +
                    (error->message ? error->message : error->name) + ")");
    } else if (std::uint32_t id = 0; sd_bus_message_read(reply, "u", &id) > 0) {
        link.shown = id;
    }
    // What was wanted meanwhile (another need, or none) goes out now that the id is known.
    link.Sync();
    return 0;
}

int Notifier::Link::OnCloseAnswered(sd_bus_message*, void* self, sd_bus_error*) {
    --static_cast<Link*>(self)->closing;
    return 0;
}

int Notifier::Link::OnAction(sd_bus_message* signal, void* self, sd_bus_error*) {
    Link& link = *static_cast<Link*>(self);
    std::uint32_t id = 0;
    const char* action = nullptr;
    if (sd_bus_message_read(signal, "us", &id, &action) > 0 && id != 0 && id == link.shown &&
        std::strcmp(action, "default") == 0) {
        link.clicked();
    }
    return 0;
}

int Notifier::Link::OnClosed(sd_bus_message* signal, void* self, sd_bus_error*) {
    // Expired, dismissed or clicked away: the next need posts a new one, and nothing is left
    // to withdraw.
    Link& link = *static_cast<Link*>(self);
    std::uint32_t id = 0;
    if (sd_bus_message_read(signal, "u", &id) > 0 && id != 0 && id == link.shown) {
        link.shown = 0;
        link.wanted.reset();
        link.sent = true;
    }
    return 0;
}

Notifier::Notifier(facade::WindowApp& window)
    : window(window), calls([this](const std::optional<PetCalls::Notice>& notice) { Post(notice); },
                            [this] { return this->window.hasFocus(); }),
      subscription([this](const happenings::Happening& happening) { Hear(happening); }) {
    if (Preferences().GetSwitch(kSwitch).value_or(true)) {
        link = std::make_unique<Link>(
            [this] { facade::x11::RequestActivation(this->window.getSystemHandle()); });
    }
}

Notifier::~Notifier() = default;

void Notifier::Process() {
    calls.Tick();
    if (link) {
        link->Process();
    }
}

void Notifier::Post(const std::optional<PetCalls::Notice>& notice) {
    if (link) {
        link->Want(notice);
    }
}

void Notifier::Hear(const happenings::Happening& happening) {
    // A death behind other windows asks for the player as a need does, notifications or not.
    if (happening.kind == happenings::Kind::Died) {
        window.RequestAttention();
    }
    calls.Hear(happening);
}
