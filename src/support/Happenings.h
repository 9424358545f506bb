#pragma once

#include <functional>
#include <string>

// What happens in a game that something besides the screen may answer: a sound, a desktop
// notification, a row in the pet's life record. Whoever causes it announces it here, from any
// folder; whoever answers listens. Listeners run at once, in the order they subscribed, on the
// game's one thread, and must not wait for anything.
namespace happenings {

enum class Kind {
    Made,        // a new pet; detail: its name
    Opened,      // a saved pet opened; detail: its name
    Lived,       // one life step of the current pet
    Hatched,     // the egg became a chick; detail: the old stage ("Egg")
    Grew,        // a new growth stage after the egg; detail: the old stage
    BodyChanged, // a new body state; detail: the old state
    Fed,         // a food the pet accepted; detail: the food's name
    Played,      // a game the pet accepted; detail: the game's name
    Cleaned,
    Cured,
    Refused,   // the pet refused a command; detail: the balloon's text
    NeedBegan, // a need mark appears; detail: "hungry", "dirty" or "sick"
    NeedEnded, // a need mark goes; detail: as for NeedBegan
    NeedsMet,  // the last need mark went
    Died,      // detail: the cause
    Greeted,   // a greeting balloon; detail: its text
    TurnWon,   // a paper-scissors-stone turn, from the pet's side; detail: the text shown
    TurnLost,
    TurnDrawn,
    Saving,      // the pet's file is about to be saved; detail: the pet's name
    PaceChanged, // the player chose another pace; detail: its name
    FocusGained, // the game window got the keyboard focus
};

struct Happening {
    Kind kind;
    std::string detail;
};

using Listener = std::function<void(const Happening&)>;

// Returns the number that Unsubscribe takes.
int Subscribe(Listener listener);
void Unsubscribe(int subscription);
void Announce(Kind kind, const std::string& detail = {});

// Listens for as long as it lives.
class Subscription {
public:
    explicit Subscription(Listener listener) : id(Subscribe(std::move(listener))) {}
    ~Subscription() { Unsubscribe(id); }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

private:
    int id;
};

} // namespace happenings
