#pragma once

#include "support/Happenings.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>

// What the pet's one desktop notification should say, decided from what happens, the window's
// focus and the time; the notifier posts it. While the window is behind others, one notification
// names every need ("PIP is hungry and dirty") and tells how to meet the first; it is replaced
// when the set of needs changes, posted once more as a reminder when a need has gone unmet for
// two minutes, and withdrawn when the needs are met, the window gets the focus or the pet
// changes. A death replaces it with one that lasts until the player comes back to the window.
class PetCalls {
public:
    static constexpr std::time_t kReminderSeconds = 120;

    struct Notice {
        std::string summary, body;
        bool lasting = false; // stays until withdrawn, urgent (a death)
        bool anew = false;    // posted as a new notification, not in place of the shown one
    };
    // Receives every change: a notice to show in place of the current one, or none to withdraw it.
    using Post = std::function<void(const std::optional<Notice>&)>;

    PetCalls(Post post, std::function<bool()> focused);

    void Hear(const happenings::Happening& happening);
    // Called on every pass of the game's loop: posts what the needs heard since ask for (all the
    // needs that began in one life step go out as one notice), or the reminder when it is due.
    void Tick();

    // "PIP is hungry", "PIP is hungry and dirty", "PIP is hungry, dirty and sick".
    static std::string Summary(const std::string& name, bool hungry, bool dirty, bool sick);

private:
    void Withdraw();
    Notice NeedNotice() const;

    Post post;
    std::function<bool()> focused;
    std::string petName;
    bool hungry = false, dirty = false, sick = false;
    bool pending = false;  // the needs changed since the last notice, and one is wanted
    bool calling = false;  // a need notice is up (or was, until the player dismissed it)
    bool reminded = false; // the reminder of this call went out
    std::time_t since = 0; // when this call began
};
