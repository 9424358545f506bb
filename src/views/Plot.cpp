#include "views/Plot.h"

#include "presentation/PicFactory.h"
#include "presentation/Picture.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace plot {
namespace {
// Each pixel of the small picture is the mean of a square of pixels, weighed by their opacity;
// made once per picture and size.
facade::Picture* SmallPicture(const std::string& name, float most) {
    static auto& cache = *new std::map<std::pair<std::string, int>, std::unique_ptr<facade::Picture>>();
    const sf::Image& image = PicFactory::GetPicture(name)->GetImage();
    const sf::Vector2u size = image.getSize();
    const unsigned factor =
        std::max(1u, unsigned(std::ceil(float(std::max(size.x, size.y)) / std::max(most, 1.0f))));
    auto& small = cache[{name, int(factor)}];
    if (!small) {
        const unsigned w = size.x / factor, h = size.y / factor;
        std::vector<sf::Uint8> pixels(std::size_t(w) * h * 4);
        for (unsigned y = 0; y < h; ++y) {
            for (unsigned x = 0; x < w; ++x) {
                double sum[4] = {0, 0, 0, 0};
                for (unsigned dy = 0; dy < factor; ++dy) {
                    for (unsigned dx = 0; dx < factor; ++dx) {
                        const sf::Color c = image.getPixel(x * factor + dx, y * factor + dy);
                        sum[0] += c.r * c.a;
                        sum[1] += c.g * c.a;
                        sum[2] += c.b * c.a;
                        sum[3] += c.a;
                    }
                }
                sf::Uint8* out = &pixels[(std::size_t(y) * w + x) * 4];
                for (int i = 0; i < 3; ++i) {
                    out[i] = sum[3] > 0 ? sf::Uint8(sum[i] / sum[3]) : 0;
                }
                out[3] = sf::Uint8(sum[3] / (factor * factor));
            }
        }
        small = std::make_unique<facade::Picture>(w, h, pixels.data());
    }
    return small.get();
}
} // namespace

void PutPicture(sf::RenderTarget& target, const std::string& name, float most, sf::Vector2f at) {
    facade::Picture* picture = SmallPicture(name, most);
    picture->SetCenter(1, 1);
    picture->SetPosition(std::round(at.x), std::round(at.y));
    picture->Draw(target);
}

facade::Text Styled(const std::string& text, const Style& style) {
    facade::Text styled(text, style.font, style.size);
    styled.SetColor(style.colour);
    return styled;
}

sf::FloatRect Place(sf::RenderTarget& target, facade::Text& text, sf::Vector2f at, Anchor anchor) {
    if (anchor.ink) {
        text.SetCenter(anchor.across, anchor.down);
    }
    text.SetPosition(at.x, at.y);
    text.Draw(target);
    return text.GetBounds();
}

sf::FloatRect Write(sf::RenderTarget& target, const std::string& text, const Style& style, sf::Vector2f at,
                    Anchor anchor) {
    facade::Text styled = Styled(text, style);
    return Place(target, styled, at, anchor);
}

sf::Vector2f Whole(float x, float y) {
    return {std::round(x), std::round(y)};
}

void Box(sf::RenderTarget& target, const sf::FloatRect& box, sf::Color fill, sf::Color outline) {
    sf::RectangleShape shape({box.width, box.height});
    shape.setPosition(box.left, box.top);
    shape.setFillColor(fill);
    if (outline != sf::Color::Transparent) {
        shape.setOutlineThickness(1.0f);
        shape.setOutlineColor(outline);
    }
    target.draw(shape);
}

void Line(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, float width) {
    const sf::Vector2f d = b - a;
    const float length = std::hypot(d.x, d.y);
    if (length <= 0.0f) {
        return;
    }
    sf::RectangleShape bar({length, width});
    bar.setOrigin(0.0f, width / 2.0f);
    bar.setPosition(a);
    bar.setRotation(std::atan2(d.y, d.x) * 180.0f / 3.14159265f);
    bar.setFillColor(colour);
    target.draw(bar);
}

void Dashed(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, Dash dash) {
    const sf::Vector2f d = b - a;
    const float length = std::hypot(d.x, d.y);
    for (float at = 0.0f; at < length; at += dash.on + dash.off) {
        const float end = std::min(at + dash.on, length);
        Line(target, a + d * (at / length), a + d * (end / length), colour, dash.width);
    }
}

void Polyline(sf::RenderTarget& target, const std::vector<sf::Vector2f>& points,
              const std::vector<sf::Color>& colours, float width) {
    sf::VertexArray strip(sf::Triangles);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const sf::Vector2f a = points[i - 1], b = points[i];
        sf::Vector2f along = b - a;
        const float length = std::hypot(along.x, along.y);
        if (length < 0.01f) {
            continue;
        }
        // Half the width across the piece, and a quarter along it so that joints close.
        const sf::Vector2f across = sf::Vector2f(-along.y / length, along.x / length) * (width / 2.0f);
        along = along / length * (width / 4.0f);
        const sf::Vector2f corners[4] = {a - along + across, a - along - across, b + along + across,
                                         b + along - across};
        for (int k : {0, 1, 2, 1, 3, 2}) {
            strip.append(sf::Vertex(corners[k], colours[i]));
        }
    }
    if (points.size() == 1) {
        const float side = width * 1.5f;
        Box(target, {points[0].x - side / 2.0f, points[0].y - side / 2.0f, side, side}, colours[0]);
    }
    target.draw(strip);
}

Axis Axis::Round(double low, double high, double leastSpan, float ticks) {
    if (high - low < leastSpan) {
        const double middle = (low + high) / 2.0;
        low = middle - leastSpan / 2.0;
        high = middle + leastSpan / 2.0;
    }
    const double pad = (high - low) * 0.08;
    low -= pad;
    high += pad;
    const double most = std::max(2.0, double(ticks));
    const double power = std::pow(10.0, std::floor(std::log10((high - low) / most)));
    Axis axis;
    axis.step = StepFor(high - low, most, {power, power * 2.0, power * 5.0});
    axis.lo = std::floor(low / axis.step) * axis.step;
    axis.hi = std::ceil(high / axis.step) * axis.step;
    return axis;
}

std::vector<double> Axis::Ticks() const {
    std::vector<double> ticks;
    // A hair's tolerance, so that a range that starts or ends on a step keeps that tick.
    const double first = std::ceil(lo / step - 1e-9) * step;
    for (int i = 0; i <= 20 && first + i * step <= hi + step * 1e-6; ++i) {
        ticks.push_back(first + i * step);
    }
    return ticks;
}

float Axis::At(double value, float from, float to) const {
    const double share = std::clamp((value - lo) / (hi - lo), -0.02, 1.02);
    return from + float(share) * (to - from);
}

double StepFor(double span, double most, const std::vector<double>& steps) {
    const double rough = span / most;
    for (double step : steps) {
        if (step >= rough) {
            return step;
        }
    }
    return steps.back();
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, std::abs(value - std::round(value)) < 1e-9 ? "%.0f" : "%.1f", value);
    return text;
}

} // namespace plot
