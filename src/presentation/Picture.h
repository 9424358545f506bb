#pragma once

#include "presentation/PicText.h"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <memory>
#include <string>

namespace facade {

// An image shown through a sprite. The pixels stay in memory and reach the graphics card only
// when first drawn, so pictures can be loaded, measured and moved without a display.
class Picture : public PicTextCommon {
public:
    // Loads the file (a game path, backslashes allowed). A file that cannot be read leaves the
    // picture empty: it draws nothing, and one line on standard error names the file.
    explicit Picture(const std::string& path);
    Picture(const unsigned& width, const unsigned& height, const sf::Uint8* pixels);
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    void Draw(sf::RenderTarget& target) override;
    float GetWidth() const override;
    float GetHeight() const override;
    float GetX() const override { return sprite.getPosition().x; }
    float GetY() const override { return sprite.getPosition().y; }
    void SetCenter(const int& horizontal, const int& vertical) override;
    void SetPosition(const float& x, const float& y) override { sprite.setPosition(x, y); }
    void Move(const float& dx, const float& dy) { sprite.move(dx, dy); }

    // Where the picture lies on the target.
    sf::FloatRect GetBounds() const { return sprite.getGlobalBounds(); }
    const sf::Image& GetImage() const { return *image; }
    const sf::Uint8* GetPixels() const { return image->getPixelsPtr(); }
    bool IsEmpty() const;

private:
    Picture();
    void Show();

    sf::Sprite sprite;
    std::unique_ptr<sf::Image> image;
    // Made at the first drawing: a texture needs the graphics card, a picture does not.
    std::unique_ptr<sf::Texture> texture;
};

} // namespace facade
