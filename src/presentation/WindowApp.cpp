#include "presentation/WindowApp.h"

#include "core/Seams.h"
#include "presentation/Picture.h"

#include <SFML/Graphics/RectangleShape.hpp>

namespace facade {

WindowApp::WindowApp() = default;

WindowApp::WindowApp(const unsigned& width, const unsigned& height, const std::string& title,
                     const unsigned long& style) {
    Create(width, height, title, style);
}

WindowApp::~WindowApp() = default;

void WindowApp::Create(const unsigned& width, const unsigned& height, const std::string& title,
                       const unsigned long& style) {
    create(sf::VideoMode(width, height, 32), title, static_cast<sf::Uint32>(style),
           sf::ContextSettings(24, 8, 0));
    ClearScreen();
}

void WindowApp::SetIcon(const Picture& picture) {
    if (picture.IsEmpty() || picture.GetImage().getSize().x < 16 || picture.GetImage().getSize().y < 16) {
        return;
    }
    setIcon(16, 16, picture.GetPixels());
}

void WindowApp::ClearScreen() {
    clear(sf::Color(0, 0, 0, 255));
    sf::RectangleShape page{sf::Vector2f(float(GetWidth()), float(GetHeight()))};
    page.setFillColor(sf::Color::White);
    page.setOutlineThickness(0.0f);
    page.setOutlineColor(sf::Color(0, 0, 0, 255));
    // The page is laid over the window's current pixels, whatever view callers left behind.
    sf::View previous = getView();
    setView(sf::View(sf::FloatRect(0.0f, 0.0f, float(GetWidth()), float(GetHeight()))));
    draw(page);
    setView(previous);
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
    while (IsOpened() && !SetActive(active)) {
        timing::Sleep(retryPause);
    }
}

} // namespace facade
