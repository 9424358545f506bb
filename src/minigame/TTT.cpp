#include "minigame/TTT.h"

#include "presentation/Hold.h"
#include "presentation/KeyCodes.h"
#include "presentation/PicFactory.h"
#include "presentation/Picture.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Happenings.h"
#include "support/Seams.h"

#include <SFML/Window/Event.hpp>

#include <optional>

namespace {
constexpr unsigned long kCloseButtonStyle = 4;
constexpr double kEventPause = 0.01;
constexpr double kTurnPause = 0.5;

// The picks under the menu: a picture each, the player's left of the pet's, named below it.
constexpr const char* kPickNames[] = {"Paper", "Scissors", "Stone"};
constexpr float kPicksY = 166.0f;
constexpr float kPickX[] = {70.0f, 170.0f};
const sf::Color kQuietInk(90, 90, 90);
} // namespace

TTTProxy::TTTProxy(std::function<void()> backdrop) : Game("TTT"), backdrop(std::move(backdrop)) {
    Register();
}

TTTProxy::~TTTProxy() = default;

void TTTProxy::Play() {
    game.reset();
    game = std::make_unique<TTT>(backdrop);
    game->Play();
    Reset();
    AddResult(game->GetResult());
    AddStrength(game->GetStrength());
    AddWisdom(game->GetWisdom());
    AddEnergy(game->GetEnergy());
    AddFull(game->GetFull());
    AddSixth(game->GetSixth());
}

TTTProxy::TTT::TTT(std::function<void()> backdrop) : Game("TTT"), backdrop(std::move(backdrop)) {}

TTTProxy::TTT::~TTT() = default;

TTTProxy::TTT::Outcome TTTProxy::TTT::Judge(int player, int pet) {
    int d = pet - player;
    if (d == -2) {
        d = 1;
    }
    if (d == 0) {
        return {"Draw!", -5, player, pet};
    }
    if (d == 1) {
        return {"Pet Win!", 10, player, pet};
    }
    return {"Pet Lost!", 0, player, pet};
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
    ++(outcome.points > 0 ? score.won : outcome.points < 0 ? score.drawn : score.lost);
    last = outcome;
    using happenings::Kind;
    happenings::Announce(outcome.points > 0   ? Kind::TurnWon
                         : outcome.points < 0 ? Kind::TurnDrawn
                                              : Kind::TurnLost,
                         outcome.text);
    return outcome;
}

void TTTProxy::TTT::DrawPicks() {
    if (last.player == 0) {
        return;
    }
    for (int side = 0; side < 2; ++side) {
        const int pick = side == 0 ? last.player : last.pet;
        const char* name = kPickNames[pick - 1];
        facade::Picture* picture = PicFactory::GetPicture(std::string("Pick") + name);
        picture->SetCenter(1, 1);
        picture->SetPosition(kPickX[side], kPicksY);
        picture->Draw(*window);
        facade::Text label((side == 0 ? "You: " : "Pet: ") + std::string(name), facade::Text::kDefaultFont,
                           11);
        label.SetColor(kQuietInk);
        label.SetCenter(1, 0);
        label.SetPosition(kPickX[side], kPicksY + 24.0f);
        label.Draw(*window);
    }
    facade::Text versus("vs", facade::Text::kDefaultFont, 11);
    versus.SetColor(kQuietInk);
    versus.SetCenter(1, 1);
    versus.SetPosition((kPickX[0] + kPickX[1]) / 2, kPicksY);
    versus.Draw(*window);
}

void TTTProxy::TTT::DrawScore() {
    facade::Text board("Pet won " + std::to_string(score.won) + "\nPet lost " + std::to_string(score.lost) +
                           "\nDraws " + std::to_string(score.drawn),
                       facade::Text::kDefaultFont, 11);
    board.SetColor(kQuietInk);
    board.SetCenter(2, 0);
    board.SetPosition(static_cast<float>(window->GetWidth()) - 8.0f, 8.0f);
    board.Draw(*window);
}

void TTTProxy::TTT::Paint(facade::Text& menu, const Outcome* turn) {
    window->ClearHome();
    if (turn) {
        facade::Text result(turn->text, kFont, 40);
        result.SetColor(sf::Color::Magenta);
        result.SetCenter(1, 1);
        result.SetPosition(static_cast<float>(window->GetWidth() / 2),
                           static_cast<float>(window->GetHeight() / 2));
        result.Draw(*window);
    } else {
        menu.Draw(*window);
    }
    DrawPicks();
    DrawScore();
}

int TTTProxy::TTT::TakeEvents(const facade::Text& menu) {
    sf::Event event;
    while (window->GetEvent(event)) {
        if (event.type == sf::Event::Closed) {
            return -1;
        }
        // A click on a line of the menu counts as that line's key press.
        const int key = facade::EventKey(event, [&menu](float x, float y) { return LineKeyAt(menu, x, y); });
        const int player = key == keys::NoKey ? 0 : Press(key);
        if (player != 0) {
            return player;
        }
        timing::Sleep(kEventPause);
    }
    return 0;
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
        const int player = TakeEvents(menu);
        if (player < 0) {
            break;
        }
        std::optional<Outcome> turn;
        if (player > 0) {
            turn = Turn(player);
        }
        // Both windows painted again through the pause: no ghost of a window moved off either
        // stays long.
        facade::Hold(*window, kTurnPause, [&] {
            if (backdrop) {
                backdrop();
            }
            Paint(menu, turn ? &*turn : nullptr);
        });
    }
    window->Close();
}
