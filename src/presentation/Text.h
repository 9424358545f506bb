#pragma once

#include "presentation/PicText.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>

namespace facade {

// A line or block of text in a TrueType font. Fonts come from a cache shared by all texts:
// each font file is read once per run.
class Text : public PicTextCommon {
public:
    static constexpr const char* kDefaultFont = "fonts/Arial.ttf";

    // Empty, default font, size 24, black.
    Text();
    Text(const std::string& text, const std::string& fontPath, const float& size);

    // Sharp on a magnified target too: the glyphs are made at the size the target shows.
    void Draw(sf::RenderTarget& target) override;
    float GetWidth() const override;
    float GetHeight() const override;
    float GetX() const override { return string.getPosition().x; }
    float GetY() const override { return string.getPosition().y; }
    // Anchors on the box the glyphs actually cover, so (1, 1) puts the ink's middle on the position.
    void SetCenter(const int& horizontal, const int& vertical) override;
    void SetPosition(const float& x, const float& y) override { string.setPosition(x, y); }
    void Move(const float& dx, const float& dy) { string.move(dx, dy); }

    // The bytes are taken as 8-bit characters (Latin-1).
    void SetText(const std::string& text);
    std::string GetText() const;
    void SetFont(const std::string& fontPath);
    void SetSize(const float& size);
    void SetColor(const sf::Color& color) { string.setFillColor(color); }
    // Where the glyphs lie on the target, and where the character at `index` starts.
    sf::FloatRect GetBounds() const { return string.getGlobalBounds(); }
    sf::Vector2f GetCharacterPosition(std::size_t index) const { return string.findCharacterPos(index); }

private:
    struct CachedFont {
        sf::Font font;
        bool loaded = false;
    };
    // The cached font of that path (a game path, backslashes allowed), read once per file. A
    // font that fails to load stays cached empty, so texts in it are invisible and the file is
    // not tried again.
    static const CachedFont& Cached(const std::string& path);

    sf::Text string;
    bool fontLoaded = false;
};

} // namespace facade
