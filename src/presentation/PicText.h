#pragma once

#include <vector>

namespace sf {
class RenderTarget;
}

namespace facade {

// Anything the game draws. The layer orders drawing inside a basket: lower layers go first,
// that is further back.
class PicText {
public:
    virtual ~PicText() = default;
    virtual void Add(PicText* child);
    virtual void Remove(PicText* child);
    virtual void Draw(sf::RenderTarget& target) = 0;

    int GetLayer() const { return layer; }
    void SetLayer(const int& newLayer) { layer = newLayer; }

private:
    int layer = 0;
};

// A screen's worth of drawables, drawn in layer order. It never owns its children, and the
// same child may be added more than once (it is then drawn more than once).
class PicTextBasket : public PicText {
public:
    void Add(PicText* child) override;
    // Removes the first occurrence only.
    void Remove(PicText* child) override;
    // Sorts the children by layer in place (stable, so equal layers keep insertion order),
    // then draws them.
    void Draw(sf::RenderTarget& target) override;
    virtual void Clear();

private:
    std::vector<PicText*> children;
};

// Pictures and texts: something with a size and a position that can be anchored.
class PicTextCommon : public PicText {
public:
    virtual float GetWidth() const = 0;
    virtual float GetHeight() const = 0;
    virtual float GetX() const = 0;
    virtual float GetY() const = 0;
    // Anchor codes, horizontal then vertical: 0 start, 1 middle, 2 end of the drawable's box.
    virtual void SetCenter(const int& horizontal, const int& vertical) = 0;
    virtual void SetPosition(const float& x, const float& y) = 0;
};

// The origin offset an anchor code picks along one axis of a box starting at `start` and
// `size` long. Codes other than 0, 1 and 2 count as 0.
float AnchorOffset(int code, float start, float size);

} // namespace facade
