#pragma once
// Small shaping functions used all over the tile drawing.

#include <algorithm>
#include <cmath>

namespace tiles {

// 0 below edge0, 1 above edge1 (or the other way round when edge0 > edge1),
// smooth in between.
inline float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

// v brought into [0, period).
inline float wrapped(float v, float period) { return v - period * std::floor(v / period); }

} // namespace tiles
