#include "presentation/PicText.h"

#include <algorithm>

namespace facade {

void PicText::Add(PicText*) {}
void PicText::Remove(PicText*) {}

void PicTextBasket::Add(PicText* child) {
    children.push_back(child);
}

void PicTextBasket::Remove(PicText* child) {
    auto found = std::find(children.begin(), children.end(), child);
    if (found != children.end()) {
        children.erase(found);
    }
}

void PicTextBasket::Draw(sf::RenderTarget& target) {
    std::stable_sort(children.begin(), children.end(),
                     [](const PicText* a, const PicText* b) { return a->GetLayer() < b->GetLayer(); });
    for (PicText* child : children) {
        child->Draw(target);
    }
}

void PicTextBasket::Clear() {
    children.clear();
}

float AnchorOffset(int code, float start, float size) {
    switch (code) {
    case 1:
        return start + size / 2.0f;
    case 2:
        return start + size;
    default:
        return 0.0f;
    }
}

} // namespace facade
