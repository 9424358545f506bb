#include "presentation/Picture.h"

#include "support/FileError.h"
#include "support/Seams.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Err.hpp>

#include <cmath>

namespace facade {

Picture::Picture() : image(std::make_unique<sf::Image>()) {}

Picture::Picture(const std::string& path) : Picture() {
    // The library's own complaint is silenced so the player sees one line in the game's form.
    std::streambuf* previous = sf::err().rdbuf(nullptr);
    bool loaded = image->loadFromFile(paths::Map(path));
    sf::err().rdbuf(previous);
    if (!loaded) {
        *image = sf::Image();
        ReportRefusal(path, 0, "the picture cannot be read; nothing is drawn for it");
    }
    Show();
}

Picture::Picture(const unsigned& width, const unsigned& height, const sf::Uint8* pixels) : Picture() {
    if (pixels != nullptr) {
        image->create(width, height, pixels);
    }
    Show();
}

void Picture::Show() {
    sf::Vector2u size = image->getSize();
    sprite.setTextureRect(sf::IntRect(0, 0, int(size.x), int(size.y)));
    texture.reset();
}

bool Picture::IsEmpty() const {
    return image->getSize().x == 0 || image->getSize().y == 0;
}

void Picture::Draw(sf::RenderTarget& target) {
    if (IsEmpty()) {
        return;
    }
    if (!texture) {
        auto uploaded = std::make_unique<sf::Texture>();
        if (!uploaded->loadFromImage(*image)) {
            return;
        }
        texture = std::move(uploaded);
        sprite.setTexture(*texture);
    }
    target.draw(sprite);
}

float Picture::GetWidth() const {
    return float(sprite.getTextureRect().width) * std::fabs(sprite.getScale().x);
}

float Picture::GetHeight() const {
    return float(sprite.getTextureRect().height) * std::fabs(sprite.getScale().y);
}

void Picture::SetCenter(const int& horizontal, const int& vertical) {
    // The origin is in the picture's own pixels, so a resized picture still anchors on its middle.
    sf::IntRect rect = sprite.getTextureRect();
    sprite.setOrigin(AnchorOffset(horizontal, 0.0f, float(rect.width)),
                     AnchorOffset(vertical, 0.0f, float(rect.height)));
}

} // namespace facade
