#pragma once

#include "pet/Game.h"

#include <memory>
#include <string>

namespace facade {
class Text;
class WindowApp;
} // namespace facade

// Paper-scissors-stone, played with the pet in a small window of its own. The registered game
// is the proxy; each play builds a fresh inner game with a new window.
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
        // The key of the menu line ("1: Paper" ...) at (x, y), or keys::NoKey off the lines.
        static int LineKeyAt(const facade::Text& menu, float x, float y);

        facade::WindowApp* GetWindow() const { return window.get(); }

    private:
        void ShowTurn(int player);

        std::unique_ptr<facade::WindowApp> window;
    };

private:
    std::unique_ptr<TTT> game;
};
