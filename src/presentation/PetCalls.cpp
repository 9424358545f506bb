#include "presentation/PetCalls.h"

#include "support/Seams.h"

#include <utility>
#include <vector>

namespace {
const char* HowToHelp(bool hungry, bool dirty) {
    return hungry ? "Feed it: p, then f" : dirty ? "Clean it: p, then c" : "Cure it: p, then h";
}
} // namespace

PetCalls::PetCalls(Post post, std::function<bool()> focused)
    : post(std::move(post)), focused(std::move(focused)) {}

std::string PetCalls::Summary(const std::string& name, bool hungry, bool dirty, bool sick) {
    // In the order of the marks in the window's corner, the most pressing first.
    std::vector<const char*> held;
    for (auto [holds, word] :
         {std::pair{hungry, "hungry"}, std::pair{dirty, "dirty"}, std::pair{sick, "sick"}}) {
        if (holds) {
            held.push_back(word);
        }
    }
    std::string text = name + " is ";
    for (std::size_t i = 0; i < held.size(); ++i) {
        text += i == 0 ? "" : i + 1 == held.size() ? " and " : ", ";
        text += held[i];
    }
    return text;
}

PetCalls::Notice PetCalls::NeedNotice() const {
    return {Summary(petName, hungry, dirty, sick), HowToHelp(hungry, dirty)};
}

void PetCalls::Withdraw() {
    calling = pending = false;
    post(std::nullopt);
}

void PetCalls::Hear(const happenings::Happening& happening) {
    using happenings::Kind;
    switch (happening.kind) {
    case Kind::Made:
    case Kind::Opened:
        petName = happening.detail;
        hungry = dirty = sick = false;
        Withdraw();
        break;
    case Kind::NeedBegan:
    case Kind::NeedEnded: {
        const bool held = happening.kind == Kind::NeedBegan;
        (happening.detail == "hungry" ? hungry : happening.detail == "dirty" ? dirty : sick) = held;
        // A call begins with a need that comes while the window is behind others; a call that
        // stands follows every change of the needs.
        pending = pending || calling || (held && !focused());
        break;
    }
    case Kind::NeedsMet:
    case Kind::FocusGained:
        Withdraw();
        break;
    case Kind::Died:
        hungry = dirty = sick = false;
        if (focused()) {
            Withdraw();
        } else {
            calling = pending = false;
            post(Notice{petName + " has died", happening.detail, true});
        }
        break;
    default:
        break;
    }
}

void PetCalls::Tick() {
    if (pending) {
        pending = false;
        if (!hungry && !dirty && !sick) {
            return;
        }
        if (!calling) {
            calling = true;
            reminded = false;
            since = wallclock::Now();
        }
        post(NeedNotice());
    } else if (calling && !reminded && wallclock::Now() - since >= kReminderSeconds && !focused()) {
        reminded = true;
        Notice reminder = NeedNotice();
        reminder.anew = true;
        post(reminder);
    }
}
