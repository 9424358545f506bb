#include "pet/StatusLayout.h"

#include <algorithm>

namespace statuslayout {
namespace {
std::vector<sf::FloatRect> Rows(float left, float top, int count, int perColumn) {
    std::vector<sf::FloatRect> rows;
    for (int i = 0; i < count; ++i) {
        rows.emplace_back(left + static_cast<float>(i / perColumn) * (kRowWidth + 2 * kGap),
                          top + static_cast<float>(i % perColumn) * kRowStep, kRowWidth, kRowHeight);
    }
    return rows;
}

float Span(int rows, float step, float size) {
    return rows > 0 ? static_cast<float>(rows - 1) * step + size : 0.0f;
}
} // namespace

std::vector<sf::FloatRect> PlaceMeters(const sf::FloatRect& text, float width, float height, int count) {
    const float right = width - kMargin;
    const float bottom = height - kMargin;
    const float besideLeft = std::max(kBesideLeft, text.left + text.width + kGap);
    if (besideLeft + kRowWidth <= right && kBesideTop + Span(count, kRowStep, kRowHeight) <= bottom) {
        return Rows(besideLeft, kBesideTop, count, std::max(count, 1));
    }
    const float top = text.top + text.height + kGap;
    for (int columns = 1; columns <= count; ++columns) {
        const int perColumn = (count + columns - 1) / columns;
        if (text.left + Span(columns, kRowWidth + 2 * kGap, kRowWidth) <= right &&
            top + Span(perColumn, kRowStep, kRowHeight) <= bottom) {
            return Rows(text.left, top, count, perColumn);
        }
    }
    return Rows(text.left, top, count, std::max(count, 1));
}

} // namespace statuslayout
