#include "minigame/TTT.h"

#include "presentation/KeyCodes.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Happenings.h"
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

TTTProxy::TTT::TTT() : Game("TTT") {}

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

int TTTProxy::TTT::LineKeyAt(const facade::Text& menu, float x, float y) {
    // The lines are equally high: from the first line's top to the second's is one line.
    const float top = menu.GetCharacterPosition(0).y;
    const float line = menu.GetCharacterPosition(std::string(kMenu).find('\n') + 1).y - top;
    const sf::FloatRect ink = menu.GetBounds();
    const float row = line > 0 ? (y - top) / line : -1.0f;
    if (row < 0 || row >= 3 || x < menu.GetX() || x > ink.left + ink.width) {
        return keys::NoKey;
    }
    return '1' + static_cast<int>(row);
}

int TTTProxy::TTT::Press(int key) {
    AddFull(-2);
    AddWisdom(1);
    AddEnergy(-1);
    if (key >= '1' && key <= '3') {
        return key - '0';
    }
    return key == keys::Escape || key == 'q' ? -1 : 0;
}

TTTProxy::TTT::Outcome TTTProxy::TTT::Turn(int player) {
    chance::Reseed();
    const Outcome outcome = Judge(player, chance::R(3) + 1);
    AddResult(outcome.points);
    using happenings::Kind;
    happenings::Announce(outcome.points > 0   ? Kind::TurnWon
                         : outcome.points < 0 ? Kind::TurnDrawn
                                              : Kind::TurnLost,
                         outcome.text);
    return outcome;
}

void TTTProxy::TTT::ShowTurn(const Outcome& outcome) {
    facade::Text result(outcome.text, kFont, 40);
    result.SetColor(sf::Color::Magenta);
    result.SetCenter(1, 1);
    result.SetPosition(static_cast<float>(window->GetWidth() / 2),
                       static_cast<float>(window->GetHeight() / 2));
    window->ClearHome();
    result.Draw(*window);
    window->Display();
}

void TTTProxy::TTT::Play() {
    Reset();
    window = std::make_unique<facade::WindowApp>(kSide, kSide, GetName(), kCloseButtonStyle);
    window->TakeGameIcon();
    window->SetHint(kHint, true);
    window->ClearHome();
    window->Display();
    facade::Text menu(kMenu, kFont, 30);
    menu.SetPosition(10, 10);
    while (window->IsOpened() && !ending::Requested()) {
        int player = 0;
        sf::Event event;
        while (player == 0 && window->GetEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window->Close();
                return;
            }
            // A click on a line of the menu counts as that line's key press.
            const int key =
                facade::EventKey(event, [&menu](float x, float y) { return LineKeyAt(menu, x, y); });
            if (key != keys::NoKey && (player = Press(key)) < 0) {
                window->Close();
                return;
            }
            if (player == 0) {
                timing::Sleep(kEventPause);
            }
        }
        window->ClearHome();
        menu.Draw(*window);
        window->Display();
        if (player != 0) {
            ShowTurn(Turn(player));
        }
        timing::Sleep(kTurnPause);
    }
    window->Close();
}
