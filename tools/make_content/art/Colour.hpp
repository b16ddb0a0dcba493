#pragma once
// Colours for drawing: floats from 0 to 1, straight (not premultiplied)
// alpha, so that mixing and shading read like a painter's palette.

#include <algorithm>
#include <cstdint>

namespace art {

struct Colour {
    float r = 0.f, g = 0.f, b = 0.f, a = 0.f;
};

// From 0-255 channels, as colours are picked.
constexpr Colour rgb(int r, int g, int b, float a = 1.f)
{
    return {static_cast<float>(r) / 255.f, static_cast<float>(g) / 255.f, static_cast<float>(b) / 255.f, a};
}

inline Colour mix(Colour from, Colour to, float t)
{
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

// Brighter above 1, darker below; alpha unchanged.
inline Colour shade(Colour c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

inline Colour withAlpha(Colour c, float a) { return {c.r, c.g, c.b, a}; }

inline Colour clamped(Colour c)
{
    return {std::clamp(c.r, 0.f, 1.f), std::clamp(c.g, 0.f, 1.f), std::clamp(c.b, 0.f, 1.f), std::clamp(c.a, 0.f, 1.f)};
}

// "Over": top painted with coverage onto below.
inline Colour over(Colour below, Colour top, float coverage = 1.f)
{
    const float ta = std::clamp(top.a * coverage, 0.f, 1.f);
    const float outA = ta + below.a * (1.f - ta);
    if (outA <= 0.f)
        return {};
    const float bw = below.a * (1.f - ta);
    return {(top.r * ta + below.r * bw) / outA, (top.g * ta + below.g * bw) / outA,
            (top.b * ta + below.b * bw) / outA, outA};
}

constexpr Colour transparent{};
constexpr Colour black{0.f, 0.f, 0.f, 1.f};
constexpr Colour white{1.f, 1.f, 1.f, 1.f};

} // namespace art
