#pragma once

#include "support/Happenings.h"

#include <memory>
#include <string>

namespace facade {
class WindowApp;
}

// Calls the player from the desktop when the pet begins to need something while its window is
// behind others: one notification through the desktop's notification service, replaced by the
// next need, withdrawn when the needs are met, the window gets the focus, the pet changes or
// dies, or the game ends. Clicking it brings the window to the front.
//
// Never waits for the bus: calls go out at once and their answers are read by Process, which
// the game's loop calls on every pass. Without a bus or a service it shows nothing and says so
// once on standard error. `notify off` in the player's preferences turns it off.
class Notifier {
public:
    static constexpr const char* kSwitch = "notify";

    explicit Notifier(facade::WindowApp& window);
    // Withdraws a shown notification, waiting at most a tenth of a second for the bus.
    ~Notifier();
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    // Reads what the bus has sent (answers, clicks); returns at once when there is nothing.
    void Process();

private:
    void Hear(const happenings::Happening& happening);

    struct Link; // the bus connection and the notification shown on it
    facade::WindowApp& window;
    std::string petName;
    std::unique_ptr<Link> link; // none when the player turned notifications off
    happenings::Subscription subscription;
};
