#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

float softCoverage(float distance, float softness)
{
    if (softness <= 1.f)
        return art::edgeCoverage(distance);
    const float t = std::clamp(0.5f - distance / softness, 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

void Painter::cover(const art::Shape& shape, float softness, const std::function<void(int, int, float)>& f)
{
    const float reach = std::max(softness, 1.f) / 2.f + 1.f;
    const int left = std::max(0, static_cast<int>(std::floor(shape.bounds.left - reach)));
    const int top = std::max(0, static_cast<int>(std::floor(shape.bounds.top - reach)));
    const int right = std::min(canvas_.width() - 1, static_cast<int>(std::ceil(shape.bounds.right + reach)));
    const int bottom = std::min(canvas_.height() - 1, static_cast<int>(std::ceil(shape.bounds.bottom + reach)));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const float coverage =
                softCoverage(shape.distance(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), softness);
            if (coverage > 0.f)
                f(x, y, coverage);
        }
}

void Painter::fill(const art::Shape& shape, art::Colour colour, float softness)
{
    cover(shape, softness, [&](int x, int y, float coverage) {
        canvas_.set(x, y, art::over(canvas_.get(x, y), colour, coverage));
    });
}

void Painter::fill(const art::Shape& shape, const art::Paint& paint, float softness)
{
    cover(shape, softness, [&](int x, int y, float coverage) {
        const art::Colour c = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
        canvas_.set(x, y, art::over(canvas_.get(x, y), c, coverage));
    });
}

void Painter::light(const art::Shape& shape, float factor, float softness)
{
    cover(shape, softness, [&](int x, int y, float coverage) {
        canvas_.set(x, y, art::shade(canvas_.get(x, y), 1.f + (factor - 1.f) * coverage));
    });
}

void Painter::tint(const art::Shape& shape, art::Colour colour, float amount, float softness)
{
    cover(shape, softness, [&](int x, int y, float coverage) {
        const art::Colour below = canvas_.get(x, y);
        canvas_.set(x, y, art::withAlpha(art::mix(below, colour, amount * coverage), below.a));
    });
}

void Painter::fill(const art::Mask& mask, int left, int top, const art::Paint& paint)
{
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x) {
            const int cx = left + x, cy = top + y;
            const float m = mask(x, y);
            if (m <= 0.f || cx < 0 || cy < 0 || cx >= canvas_.width() || cy >= canvas_.height())
                continue;
            const art::Colour c = paint(static_cast<float>(cx) + 0.5f, static_cast<float>(cy) + 0.5f);
            canvas_.set(cx, cy, art::over(canvas_.get(cx, cy), c, m));
        }
}

} // namespace pictures
