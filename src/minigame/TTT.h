#pragma once

#include "growth/Game.h"

#include <functional>
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
    // `backdrop` paints the pet's window again; the game calls it while it holds the program, so
    // that the window behind it keeps its picture when windows move over it.
    explicit TTTProxy(std::function<void()> backdrop = {});
    ~TTTProxy() override;

    void Play() override;

    class TTT : public Game {
    public:
        static constexpr unsigned kSide = 240;
        static constexpr const char* kFont = "fonts\\CheeseBurger.ttf";
        static constexpr const char* kMenu = "1: Paper\n2: Scissors\n3: Stone";
        // The quiet line at the bottom, as the pet's window has one.
        static constexpr const char* kHint = "1 2 3: play   Esc: end";

        explicit TTT(std::function<void()> backdrop = {});
        ~TTT() override;
        void Play() override;

        // One turn's outcome for the choices 1 paper, 2 scissors, 3 stone: the text shown, the
        // result points it earns, and the two choices.
        struct Outcome {
            std::string text;
            int points = 0;
            int player = 0, pet = 0;
        };
        static Outcome Judge(int player, int pet);
        // One key press of the player: every press tires the pet a little and teaches it
        // something. Returns the choice 1-3, -1 for a key that ends the game, else 0.
        int Press(int key);
        // A turn of the player's choice against the pet's draw; its points are earned, and it
        // counts in the score.
        Outcome Turn(int player);
        // The key of the menu line ("1: Paper" ...) at (x, y), or keys::NoKey off the lines.
        static int LineKeyAt(const facade::Text& menu, float x, float y);
        // The pet's turns since the window opened, from its side: won, lost and drawn.
        struct Score {
            int won = 0, lost = 0, drawn = 0;
        };
        const Score& GetScore() const { return score; }

    private:
        // Takes the window's events until a choice is made: the choice, 0 for none, -1 when the
        // game ends.
        int TakeEvents(const facade::Text& menu);
        // One screen, not yet displayed: the menu, or (with a turn) the turn's result; then the last
        // turn's picks and the score.
        void Paint(facade::Text& menu, const Outcome* turn);
        void DrawPicks();
        void DrawScore();

        std::unique_ptr<facade::WindowApp> window;
        std::function<void()> backdrop;
        Outcome last; // the last turn, with no choices before the first
        Score score;
    };

private:
    std::function<void()> backdrop;
    std::unique_ptr<TTT> game;
};
