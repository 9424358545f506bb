#pragma once

#include "presentation/PetCalls.h"
#include "support/Happenings.h"

#include <memory>
#include <string>

namespace facade {
class WindowApp;
}

// Calls the player from the desktop when the pet begins to need something, or dies, while its
// window is behind others: one notification through the desktop's notification service, which
// says what PetCalls decides (every need at once, a reminder, the death), withdrawn as it asks
// and when the game ends. Clicking it brings the window to the front. A death behind other
// windows also sets the window's urgency hint, as a need does.
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

    // Posts what the needs ask for, then reads what the bus has sent (answers, clicks); returns at
    // once when there is nothing.
    void Process();

private:
    void Hear(const happenings::Happening& happening);
    void Post(const std::optional<PetCalls::Notice>& notice);

    struct Link; // the bus connection and the notification shown on it
    facade::WindowApp& window;
    std::unique_ptr<Link> link; // none when the player turned notifications off
    PetCalls calls;
    happenings::Subscription subscription;
};
