#pragma once
// Paints shapes onto a big picture touching only the pixels near each shape,
// so a scene of hundreds of leaves, pickets and flowers stays quick.  Edges
// can be feathered: a soft edge `softness` pixels wide, for shadows, glows
// and haze.

#include "art/Canvas.hpp"
#include "art/Shape.hpp"

#include <functional>

namespace pictures {

// Coverage of a pixel whose centre lies `distance` outside an edge that
// fades over `softness` pixels.
float softCoverage(float distance, float softness);

class Painter {
public:
    explicit Painter(art::Canvas& canvas) : canvas_(canvas) {}

    void fill(const art::Shape& shape, art::Colour colour, float softness = 1.f);
    void fill(const art::Shape& shape, const art::Paint& paint, float softness = 1.f);
    // Multiplies the colour under the shape: below 1 shades, above 1 lights.
    void light(const art::Shape& shape, float factor, float softness = 1.f);
    // Mixes the colour under the shape toward a tint by `amount`.
    void tint(const art::Shape& shape, art::Colour colour, float amount, float softness = 1.f);
    // A mask of its own size placed with its top-left corner at (left, top).
    void fill(const art::Mask& mask, int left, int top, const art::Paint& paint);

    art::Canvas& canvas() { return canvas_; }

private:
    // Calls f(x, y, coverage) for every pixel the shape reaches.
    void cover(const art::Shape& shape, float softness, const std::function<void(int, int, float)>& f);

    art::Canvas& canvas_;
};

} // namespace pictures
