#pragma once

#include "growth/Game.h"

#include <memory>
#include <string>

namespace facade {
class Text;
class WindowApp;
} // namespace facade

// Paper-scissors-stone, played with the pet in a small window of its own. The registered game
// is the proxy; each play builds a fresh inner game, which opens a new window to play in.
class TTTProxy : public Game {
public:
    TTTProxy();
    ~TTTProxy() override;

    void Play() override;

    class TTT : public Game {
    public:
        static constexpr unsigned kSide = 240;
        static constexpr const char* kFont = "fonts\\CheeseBurger.ttf";
        static constexpr const char* kMenu = "1: Paper\n2: Scissors\n3: Stone";
        // The quiet line at the bottom, as the pet's window has one.
        static constexpr const char* kHint = "1 2 3: play   Esc: end";

        TTT();
        ~TTT() override;
        void Play() override;

        // One turn's outcome for the choices 1 paper, 2 scissors, 3 stone: the text shown and
        // the result points it earns.
        struct Outcome {
            std::string text;
            int points = 0;
        };
        static Outcome Judge(int player, int pet);
        // One key press of the player: every press tires the pet a little and teaches it
        // something. Returns the choice 1-3, -1 for a key that ends the game, else 0.
        int Press(int key);
        // A turn of the player's choice against the pet's draw; its points are earned.
        Outcome Turn(int player);
        // The key of the menu line ("1: Paper" ...) at (x, y), or keys::NoKey off the lines.
        static int LineKeyAt(const facade::Text& menu, float x, float y);

    private:
        void ShowTurn(const Outcome& outcome);

        std::unique_ptr<facade::WindowApp> window;
    };

private:
    std::unique_ptr<TTT> game;
};
