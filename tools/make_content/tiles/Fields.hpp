#pragma once
// Simple shapes as distance fields in tile pixels (negative inside), for
// objects built with raise().

#include "tiles/TileArt.hpp"

#include <algorithm>
#include <cmath>

namespace tiles {

inline Field disc(float cx, float cy, float r)
{
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

// A box of half-size (hx, hy) with rounded corners.
inline Field box(float cx, float cy, float hx, float hy, float round = 0.f)
{
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx + round, qy = std::abs(y - cy) - hy + round;
        return std::hypot(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - round;
    };
}

inline Field ring(float cx, float cy, float r, float width)
{
    return [=](float x, float y) { return std::abs(std::hypot(x - cx, y - cy) - r) - width / 2.f; };
}

inline Field both(Field a, Field b)
{
    return [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

} // namespace tiles
