#include "support/Happenings.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace happenings {
namespace {
struct Entry {
    int id;
    Listener listener;
};
std::vector<Entry>& Listeners() {
    static std::vector<Entry> listeners;
    return listeners;
}
int nextId = 1;
} // namespace

int Subscribe(Listener listener) {
    Listeners().push_back({nextId, std::move(listener)});
    return nextId++;
}

void Unsubscribe(int subscription) {
    auto& listeners = Listeners();
    listeners.erase(std::remove_if(listeners.begin(), listeners.end(),
                                   [subscription](const Entry& entry) { return entry.id == subscription; }),
                    listeners.end());
}

void Announce(Kind kind, const std::string& detail) {
    const Happening happening{kind, detail};
    // A copy, so that a listener may subscribe or leave while it runs; one that has left since
    // (perhaps with the object it calls into) is not called.
    const std::vector<Entry> listeners = Listeners();
    for (const Entry& entry : listeners) {
        const auto& now = Listeners();
        if (std::any_of(now.begin(), now.end(), [&](const Entry& still) { return still.id == entry.id; })) {
            entry.listener(happening);
        }
    }
}

} // namespace happenings
