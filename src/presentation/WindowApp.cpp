#include "presentation/WindowApp.h"

#include "presentation/Picture.h"
#include "presentation/PlacedWindow.h"
#include "presentation/ProcessWindow.h"
#include "presentation/Text.h"
#include "presentation/Urgency.h"
#include "presentation/X11Desktop.h"
#include "support/Seams.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Window/Event.hpp>

#include <algorithm>
#include <cmath>

#include <vector>

namespace facade {
namespace {
constexpr std::size_t kIconBytes = 16 * 16 * 4;

std::vector<sf::Uint8>& GameIcon() {
    static std::vector<sf::Uint8> icon;
    return icon;
}
int openingScale = kSmallestScale;
} // namespace

void WindowApp::SetOpeningScale(int wanted) {
    openingScale = std::clamp(wanted, kSmallestScale, kLargestScale);
}

int WindowApp::GetOpeningScale() {
    return openingScale;
}

WindowApp::WindowApp() = default;

WindowApp::WindowApp(const unsigned& width, const unsigned& height, const std::string& title,
                     const unsigned long& style) {
    Create(width, height, title, style);
}

WindowApp::~WindowApp() {
    // The window library lets go of the X window before it is destroyed.
    close();
}

void WindowApp::Create(const unsigned& width, const unsigned& height, const std::string& title,
                       const unsigned long& style) {
    this->width = width;
    this->height = height;
    // Opened at the size it will keep; later windows (the mini-game's) open at the scale this
    // one got, so both look alike.
    const std::optional<Monitor> monitor = x11::PrimaryMonitor();
    Fit(openingScale, monitor);
    const sf::Vector2u size(width * unsigned(scale), height * unsigned(scale));
    const sf::ContextSettings settings(24, 8, 0);
    close(); // the window library lets go of an earlier window before its X window goes
    // Made unshown at its place: some window managers place a window only where it is first shown,
    // and the window library would show its own partly below the screen.
    placed = monitor ? x11::PlacedWindow::Make(Centre(size.x, size.y, *monitor), size, title,
                                               static_cast<std::uint32_t>(style))
                     : nullptr;
    if (placed) {
        create(placed->Handle(), settings);
    } else {
        create(sf::VideoMode(size.x, size.y, 32), title, static_cast<sf::Uint32>(style), settings);
    }
    x11::MarkProcess(getSystemHandle());
    Place(monitor);
    ClearScreen();
}

void WindowApp::Close() {
    close();
    placed.reset();
}

int WindowApp::Rescale(int wanted) {
    const std::optional<Monitor> monitor = x11::PrimaryMonitor();
    Fit(wanted, monitor);
    const sf::Vector2u size(width * unsigned(scale), height * unsigned(scale));
    if (placed) {
        placed->Hint(monitor ? Centre(size.x, size.y, *monitor) : getPosition(), size);
    }
    setSize(size);
    Place(monitor);
    return scale;
}

void WindowApp::Fit(int wanted, const std::optional<Monitor>& monitor) {
    scale = monitor ? FittingScale(wanted, width, height, *monitor)
                    : std::clamp(wanted, kSmallestScale, kLargestScale);
    openingScale = scale;
}

void WindowApp::Place(const std::optional<Monitor>& monitor) {
    setView(sf::View(sf::FloatRect(0.0f, 0.0f, float(width), float(height))));
    // Also after a change of size, and for a window the window library made (which it shows
    // partly below the screen); window managers that place a window only once ignore it.
    if (monitor) {
        setPosition(Centre(getSize().x, getSize().y, *monitor));
    }
}

bool WindowApp::GetEvent(sf::Event& event) {
    if (!pollEvent(event)) {
        return false;
    }
    // The one place where the window's pixels turn into the logical layout: a click anywhere
    // in a magnified pixel lands on the logical pixel shown there.
    const auto logical = [this](int& x, int& y) {
        const sf::Vector2f at = mapPixelToCoords({x, y});
        x = static_cast<int>(std::floor(at.x));
        y = static_cast<int>(std::floor(at.y));
    };
    if (event.type == sf::Event::MouseButtonPressed || event.type == sf::Event::MouseButtonReleased) {
        logical(event.mouseButton.x, event.mouseButton.y);
    } else if (event.type == sf::Event::MouseMoved) {
        logical(event.mouseMove.x, event.mouseMove.y);
    } else if (event.type == sf::Event::MouseWheelScrolled) {
        logical(event.mouseWheelScroll.x, event.mouseWheelScroll.y);
    }
    return true;
}

void WindowApp::SetIcon(const Picture& picture) {
    if (picture.IsEmpty() || picture.GetImage().getSize().x < 16 || picture.GetImage().getSize().y < 16) {
        return;
    }
    setIcon(16, 16, picture.GetPixels());
    GameIcon().assign(picture.GetPixels(), picture.GetPixels() + kIconBytes);
}

void WindowApp::TakeGameIcon() {
    if (!GameIcon().empty()) {
        setIcon(16, 16, GameIcon().data());
    }
}

void WindowApp::ClearScreen() {
    // Clearing straight to white covers the whole window, whatever its size and whatever view
    // callers left behind, and costs one fill instead of a clear plus a window-sized shape.
    clear(sf::Color::White);
}

void WindowApp::SetHint(const std::string& text, bool corner) {
    hint.reset();
    if (text.empty()) {
        return;
    }
    hint = std::make_unique<Text>(text, Text::kDefaultFont, corner ? 12.0f : 16.0f);
    hint->SetColor(sf::Color(150, 150, 150));
    const float height = static_cast<float>(GetHeight());
    if (corner) {
        hint->SetCenter(0, 2);
        hint->SetPosition(8.0f, height - 8.0f);
    } else {
        hint->SetCenter(1, 1);
        hint->SetPosition(static_cast<float>(GetWidth() / 2), height - 24.0f);
    }
}

sf::FloatRect WindowApp::GetHintBounds(const std::string& part) const {
    const std::size_t at = hint ? hint->GetText().find(part) : std::string::npos;
    if (at == std::string::npos || part.empty()) {
        return {};
    }
    const float left = hint->GetCharacterPosition(at).x;
    const float right = hint->GetCharacterPosition(at + part.size()).x;
    const sf::FloatRect line = hint->GetBounds();
    return {left, line.top - 4.0f, right - left, line.height + 8.0f};
}

void WindowApp::ClearHome() {
    ClearScreen();
    if (hint) {
        hint->Draw(*this);
    }
}

bool WindowApp::RequestAttention() {
    if (!IsOpened() || hasFocus()) {
        return false;
    }
    x11::SetUrgency(getSystemHandle(), true);
    return true;
}

void WindowApp::CalmAttention() {
    if (IsOpened()) {
        x11::SetUrgency(getSystemHandle(), false);
    }
}

void WindowApp::Activate() {
    Switch(true, 0.1);
}
void WindowApp::Deactivate() {
    Switch(false, 0.1);
}
void WindowApp::Activate(double retryPause) {
    Switch(true, retryPause);
}
void WindowApp::Deactivate(double retryPause) {
    Switch(false, retryPause);
}

void WindowApp::Switch(bool active, double retryPause) {
    timing::Retry([&] { return !IsOpened() || SetActive(active); }, retryPause);
}

} // namespace facade
