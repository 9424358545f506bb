#include "presentation/Text.h"

#include "support/Seams.h"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>

namespace facade {

Text::Text() : Text("", kDefaultFont, 24.0f) {}

Text::Text(const std::string& text, const std::string& fontPath, const float& size) {
    SetText(text);
    SetFont(fontPath);
    SetSize(size);
    SetColor(sf::Color::Black);
}

void Text::Draw(sf::RenderTarget& target) {
    // A font that did not load still leaves a dot per text on screen; such texts stay invisible.
    if (!fontLoaded) {
        return;
    }
    // Glyphs are rasterised at the character size, so through a magnifying view they would be
    // enlarged as blocks. Rasterised at the size the target really shows and scaled back, the
    // letters stay sharp and keep their logical place and size.
    const float factor = std::round(float(target.getSize().x) / target.getView().getSize().x);
    if (factor <= 1.0f) {
        target.draw(string);
        return;
    }
    sf::Text sharp(string);
    sharp.setCharacterSize(static_cast<unsigned>(float(string.getCharacterSize()) * factor));
    sharp.setOrigin(string.getOrigin() * factor);
    sharp.setScale(string.getScale() / factor);
    target.draw(sharp);
}

float Text::GetWidth() const {
    return string.getGlobalBounds().width;
}
float Text::GetHeight() const {
    return string.getGlobalBounds().height;
}

void Text::SetCenter(const int& horizontal, const int& vertical) {
    sf::FloatRect box = string.getLocalBounds();
    string.setOrigin(AnchorOffset(horizontal, box.left, box.width),
                     AnchorOffset(vertical, box.top, box.height));
}

void Text::SetText(const std::string& text) {
    std::basic_string<sf::Uint32> latin1;
    latin1.reserve(text.size());
    for (char c : text) {
        latin1.push_back(static_cast<unsigned char>(c));
    }
    string.setString(sf::String(latin1));
}

std::string Text::GetText() const {
    std::string bytes;
    for (sf::Uint32 c : string.getString()) {
        bytes.push_back(static_cast<char>(c));
    }
    return bytes;
}

void Text::SetFont(const std::string& fontPath) {
    const CachedFont& cached = Cached(fontPath);
    string.setFont(cached.font);
    fontLoaded = cached.loaded;
}

void Text::SetSize(const float& size) {
    string.setCharacterSize(size > 0.0f ? static_cast<unsigned>(std::lround(size)) : 0u);
}

const Text::CachedFont& Text::Cached(const std::string& path) {
    // Kept for the whole run on purpose: texts anywhere may still point at these fonts.
    static auto* cache = new std::map<std::string, std::unique_ptr<CachedFont>>();
    // Keyed by the file it names, so a font missing from one working folder is not taken as
    // missing from another.
    std::string file = paths::Map(path);
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(file, error);
    std::string key = error ? file : absolute.lexically_normal().string();
    auto found = cache->find(key);
    if (found == cache->end()) {
        auto entry = std::make_unique<CachedFont>();
        entry->loaded = entry->font.loadFromFile(file);
        found = cache->emplace(key, std::move(entry)).first;
    }
    return *found->second;
}

} // namespace facade
