#pragma once

#include "presentation/KeyCodes.h"

#include <SFML/Window/Event.hpp>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace facade {

class WindowApp;

// One thing to do: a menu, a paging key, a player command. Whoever registers it keeps it.
class EventOperation {
public:
    virtual ~EventOperation();
    virtual void Execute() = 0;
};

// Event type or key code -> the operations bound to it, in registration order.
using OperationTable = std::map<int, std::vector<EventOperation*>>;

class EventHandler {
public:
    virtual ~EventHandler();
    virtual void Handle(const sf::Event& event) = 0;
};

// Normal mode: a key press runs the operations bound to its key; a left click runs those of the
// key that the click stands for, if any.
class EventFetcher : public EventHandler {
public:
    void Handle(const sf::Event& event) override;
    void SetClickKeys(ClickKeys at) { clickKeys = std::move(at); }
    // The same operation may be bound twice; it then runs twice.
    void AddOperation(int key, EventOperation* operation);
    // Removes the first occurrence; a key left without operations is dropped.
    void RemoveOperation(int key, EventOperation* operation);
    const OperationTable& GetKeyOperations() const { return keyOperations; }

private:
    OperationTable keyOperations;
    ClickKeys clickKeys;
};

// Text-entry mode: letters (as capitals), space and dash, up to one character per 15 pixels
// of window width. Return ends the entry with InputFinished, Escape with InterruptedException.
class InputReader : public EventHandler {
public:
    explicit InputReader(const int& width);
    void Handle(const sf::Event& event) override;
    void HandleKey(int key);
    std::string GetText() const { return text; }
    int GetMaxLength() const { return maxLength; }

private:
    int maxLength;
    std::string text;
};

// Drains the window's pending events: each goes first to the operations bound to its event
// type, then to the current handler (normal mode or text entry).
class EventDispatcher {
public:
    explicit EventDispatcher(WindowApp* window);

    // Lets out only InterruptedException (Escape during text entry), back in normal mode.
    void Poll();
    // Handles one event as Poll does, without touching the window.
    void Dispatch(const sf::Event& event);
    // Only Closed, LostFocus, GainedFocus and MouseEntered take operations; other types are
    // ignored.
    void AddWindowOperation(int type, EventOperation* operation);
    void AddKeyOperation(int key, EventOperation* operation);
    void RemoveKeyOperation(int key, EventOperation* operation);
    // Which key a click in normal mode stands for; text entry ignores clicks.
    void SetClickKeys(ClickKeys at) { fetcher.SetClickKeys(std::move(at)); }
    OperationTable GetWindowOperations() const { return windowOperations; }

    void BeginInput();
    bool IsInputMode() const { return current == &reader; }
    std::string GetInputText() const { return reader.GetText(); }
    bool IsInputFinished() const { return finished; }
    std::string TakeFinishedText();

private:
    OperationTable windowOperations;
    WindowApp* window;
    EventFetcher fetcher;
    InputReader reader;
    std::string finishedText;
    bool finished = false;
    EventHandler* current;
};

// Runs each operation of the list in order.
void RunAll(const std::vector<EventOperation*>& operations);

} // namespace facade
