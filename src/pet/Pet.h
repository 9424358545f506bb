#pragma once

#include "growth/Needs.h"
#include "support/Happenings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class BodyState;
class Food;
class Game;
class StateFactory;
namespace facade {
class Picture;
class WindowApp;
} // namespace facade

// The one pet the player looks after: its name and age, and its own body state, through which
// it reaches its growth stage and statistics. The pet applies no rule itself: it hands every
// request to its body state, shows the answer, and replaces its states when they change.
class Pet {
public:
    // Calls of Live that make one age unit.
    static constexpr std::uint32_t kLivesPerAge = 36000;

    // A new pet from the template "Pets\<templateName>.default". Throws FileError (and no pet
    // exists) when the template cannot be used.
    Pet(const std::string& templateName, const std::string& name, facade::WindowApp* window,
        StateFactory* factory = nullptr);
    // A saved pet from "Pets\<name>.data". Throws FileError when the file cannot be used.
    Pet(const std::string& name, facade::WindowApp* window, StateFactory* factory = nullptr);
    ~Pet();
    Pet(const Pet&) = delete;
    Pet& operator=(const Pet&) = delete;

    std::string GetName() const { return name; }
    int GetAge() const { return age; }
    std::uint32_t GetLiveCounter() const { return liveCounter; }
    const BodyState& GetBodyState() const { return *body; }

    // Commands: a refusal is shown to the player; only Die leaves them.
    void Feed(const Food& food);
    void Play(Game& game);
    void Clean();
    void Cure();

    // One step of life: age, the body state's life rule, then growth and body checks.
    void Live();
    // Draws the next animation frame, with a mark in the top right corner for each need.
    void Show();
    // Draws the last frame shown again (before the first, the frame that comes next), so that
    // the window stays painted while the pet stands still.
    void Redraw();
    // Shows the status text, with a meter per percentage beside or below it, for three seconds.
    void ShowStatus();

    needs::Needs GetNeeds() const;
    // Whether (x, y) lies on the picture drawn last.
    bool IsAt(float x, float y) const;

    std::string StatusText() const;
    // The last answer the pet gave to a command ("It's TastY!", a refusal, ...).
    const std::string& GetLastAnswer() const { return lastAnswer; }
    // The three lines of the pet's data file.
    std::vector<std::string> GetLines() const;

    // The next picture's name and bob offset, advancing the shared animation as Show does.
    struct Frame {
        std::string picture;
        int offset = 0;
    };
    Frame NextFrame();
    // The frame NextFrame would give, without advancing.
    Frame FrameNow() const;
    // Back to the first frame, below the centre (the animation is shared by all pets).
    static void ResetAnimation();

private:
    void Say(const std::string& text);
    // Runs a command through the body state and shows its success text (if any) or the refusal.
    // Announces what the command did, or the refusal.
    void Answer(const std::function<void()>& command, const char* success, happenings::Kind done,
                const std::string& detail = {});
    // Asks for the player's attention once for each need that has come since it last ended.
    void WatchNeeds();
    // Announces each need whose mark has just come or gone, whatever the focus, and the going of
    // the last.
    void NoteNeeds();

    std::string name;
    facade::Picture* picture = nullptr;
    int age = 0;
    StateFactory* factory;
    std::unique_ptr<BodyState> body;
    facade::WindowApp* window;
    Frame lastFrame;
    std::uint32_t liveCounter = 0;
    std::string lastAnswer;
    needs::Needs asked;
    needs::Needs shown;
};
