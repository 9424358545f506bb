#include "minigame/TTT.h"

#include "presentation/KeyCodes.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"

#include <SFML/Window/Event.hpp>

namespace {
constexpr unsigned long kCloseButtonStyle = 4;
constexpr double kEventPause = 0.01;
constexpr double kTurnPause = 0.5;
} // namespace

TTTProxy::TTTProxy() : Game("TTT") {
    Register();
}

TTTProxy::~TTTProxy() = default;

void TTTProxy::Play() {
    game.reset();
    game = std::make_unique<TTT>();
    game->Play();
    Reset();
    AddResult(game->GetResult());
    AddStrength(game->GetStrength());
    AddWisdom(game->GetWisdom());
    AddEnergy(game->GetEnergy());
    AddFull(game->GetFull());
    AddSixth(game->GetSixth());
}

TTTProxy::TTT::TTT()
    : Game("TTT"), window(std::make_unique<facade::WindowApp>(kSide, kSide, GetName(), kCloseButtonStyle)) {}

TTTProxy::TTT::~TTT() = default;

TTTProxy::TTT::Outcome TTTProxy::TTT::Judge(int player, int pet) {
    int d = pet - player;
    if (d == -2) {
        d = 1;
    }
    if (d == 0) {
        return {"Draw!", -5};
    }
    if (d == 1) {
        return {"Pet Win!", 10};
    }
    return {"Pet Lost!", 0};
}

void TTTProxy::TTT::ShowTurn(int player) {
    chance::Reseed();
    const int pet = chance::R(3) + 1;
    const Outcome outcome = Judge(player, pet);
    AddResult(outcome.points);
    facade::Text result(outcome.text, kFont, 40);
    result.SetColor(sf::Color::Magenta);
    result.SetCenter(1, 1);
    result.SetPosition(static_cast<float>(window->GetWidth() / 2),
                       static_cast<float>(window->GetHeight() / 2));
    window->ClearScreen();
    result.Draw(*window);
    window->Display();
}

void TTTProxy::TTT::Play() {
    Reset();
    window->Display();
    while (window->IsOpened() && !ending::Requested()) {
        int player = 0;
        sf::Event event;
        while (player == 0 && window->GetEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window->Close();
                return;
            }
            if (event.type == sf::Event::KeyPressed) {
                // Every key press tires the pet a little and teaches it something.
                AddFull(-2);
                AddWisdom(1);
                AddEnergy(-1);
                const int key = facade::TranslateKey(event.key.code);
                if (key >= '1' && key <= '3') {
                    player = key - '0';
                    continue;
                }
                if (key == keys::Escape || key == 'q') {
                    window->Close();
                    return;
                }
            }
            timing::Sleep(kEventPause);
        }
        facade::Text menu(kMenu, kFont, 30);
        menu.SetPosition(10, 10);
        window->ClearScreen();
        menu.Draw(*window);
        window->Display();
        if (player != 0) {
            ShowTurn(player);
        }
        timing::Sleep(kTurnPause);
    }
    window->Close();
}
