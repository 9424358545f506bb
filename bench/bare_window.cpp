// The cheapest program that looks like the game at rest: a window of the same size that
// redraws one picture at the pet's animation rate. The game's idle cost is measured against it.
// A second argument magnifies it by a whole scale, as the game's own scale does.
#include <SFML/Graphics.hpp>

#include <chrono>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    const char* picture = argc > 1 ? argv[1] : "imgs/Baby_Normal0.png";
    const unsigned scale = argc > 2 ? unsigned(std::atoi(argv[2])) : 1u;
    sf::RenderWindow window(sf::VideoMode(480 * scale, 360 * scale, 32), "Bare", sf::Style::Close,
                            sf::ContextSettings(24, 8, 0));
    window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, 480.0f, 360.0f)));
    sf::Texture texture;
    texture.loadFromFile(picture);
    sf::Sprite sprite(texture);
    sprite.setOrigin(texture.getSize().x / 2.0f, texture.getSize().y / 2.0f);
    int bob = 2;
    // Twenty passes a second; events every second pass, a new frame every sixth.
    for (unsigned pass = 0; window.isOpen(); ++pass) {
        if (pass % 2 == 0) {
            sf::Event event;
            while (window.pollEvent(event)) {
                if (event.type == sf::Event::Closed) {
                    window.close();
                }
            }
        }
        if (pass % 6 == 0 && window.isOpen()) {
            sprite.setPosition(240.0f, 180.0f + static_cast<float>(bob));
            bob = -bob;
            window.clear(sf::Color::White);
            window.draw(sprite);
            window.display();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}
