#include "presentation/EventDispatcher.h"

#include "presentation/KeyCodes.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"
#include "support/Signals.h"

#include <algorithm>

namespace facade {

EventOperation::~EventOperation() = default;
EventHandler::~EventHandler() = default;

void RunAll(const std::vector<EventOperation*>& operations) {
    // A copy, because an operation may bind or unbind operations while it runs.
    std::vector<EventOperation*> snapshot = operations;
    for (EventOperation* operation : snapshot) {
        operation->Execute();
    }
}

void EventFetcher::Handle(const sf::Event& event) {
    const int key = EventKey(event, clickKeys);
    if (key == keys::NoKey) {
        return;
    }
    auto found = keyOperations.find(key);
    if (found != keyOperations.end()) {
        RunAll(found->second);
    }
}

void EventFetcher::AddOperation(int key, EventOperation* operation) {
    keyOperations[key].push_back(operation);
}

void EventFetcher::RemoveOperation(int key, EventOperation* operation) {
    auto found = keyOperations.find(key);
    if (found == keyOperations.end()) {
        return;
    }
    auto& list = found->second;
    auto at = std::find(list.begin(), list.end(), operation);
    if (at != list.end()) {
        list.erase(at);
    }
    if (list.empty()) {
        keyOperations.erase(found);
    }
}

InputReader::InputReader(const int& width) : maxLength(width / 15) {}

void InputReader::Handle(const sf::Event& event) {
    if (event.type == sf::Event::KeyPressed) {
        HandleKey(TranslateKey(event.key.code));
    }
}

void InputReader::HandleKey(int key) {
    bool room = int(text.size()) < maxLength;
    if (key >= keys::A && key <= keys::Z) {
        if (room) {
            text.push_back(char('A' + (key - keys::A)));
        }
    } else if (key == keys::Space || key == keys::Dash) {
        if (room) {
            text.push_back(key == keys::Space ? ' ' : '-');
        }
    } else if (key == keys::Back) {
        if (!text.empty()) {
            text.pop_back();
        }
    } else if (key == keys::Return) {
        // Blanks alone are no name (it would be invisible everywhere): Return then does what it
        // does on an empty prompt, nothing.
        if (text.find_first_not_of(' ') != std::string::npos) {
            InputFinished done(text);
            text.clear();
            throw done;
        }
    } else if (key == keys::Escape) {
        throw InterruptedException("Input mode interrupted.");
    }
}

EventDispatcher::EventDispatcher(WindowApp* window)
    : windowOperations{{events::Closed, {}},
                       {events::LostFocus, {}},
                       {events::GainedFocus, {}},
                       {events::MouseEntered, {}}},
      window(window), reader(window != nullptr ? int(window->GetWidth()) : 0), current(&fetcher) {}

void EventDispatcher::Poll() {
    if (window == nullptr) {
        return;
    }
    // SFML 2 takes events without the drawing context, so the context is not switched off and
    // on around every poll (that switch cost more than everything else the game does at rest).
    sf::Event event;
    while (!ending::Requested() && window->GetEvent(event)) {
        Dispatch(event);
        timing::Sleep(0.01);
    }
}

void EventDispatcher::Dispatch(const sf::Event& event) {
    auto found = windowOperations.find(event.type);
    if (found != windowOperations.end()) {
        RunAll(found->second);
    }
    try {
        current->Handle(event);
    } catch (const InterruptedException& interrupted) {
        current = &fetcher;
        throw InterruptedException(interrupted);
    } catch (const Exception& signal) {
        finishedText = signal.GetMessage();
        finished = true;
        current = &fetcher;
    }
}

void EventDispatcher::AddWindowOperation(int type, EventOperation* operation) {
    auto found = windowOperations.find(type);
    if (found != windowOperations.end()) {
        found->second.push_back(operation);
    }
}

void EventDispatcher::AddKeyOperation(int key, EventOperation* operation) {
    fetcher.AddOperation(key, operation);
}

void EventDispatcher::RemoveKeyOperation(int key, EventOperation* operation) {
    fetcher.RemoveOperation(key, operation);
}

void EventDispatcher::BeginInput() {
    if (current == &fetcher) {
        current = &reader;
        finished = false;
    }
}

std::string EventDispatcher::TakeFinishedText() {
    if (!finished) {
        return "";
    }
    finished = false;
    return finishedText;
}

} // namespace facade
