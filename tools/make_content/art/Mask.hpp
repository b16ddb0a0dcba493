#pragma once
// A field of coverage values from 0 to 1: where paint goes and how much.
// Shapes and text are rasterised into masks, then masks are grown, blurred,
// shifted and combined to make outlines, shadows and highlights.
//
// A wrapping mask treats its edges as joined (reads past the right edge come
// from the left), for tiles that must repeat without a seam.

#include "art/Shape.hpp"

#include <vector>

namespace art {

class Mask {
public:
    Mask(int width, int height, bool wrap = false, float value = 0.f);

    int width() const { return width_; }
    int height() const { return height_; }
    bool wraps() const { return wrap_; }

    // Outside the mask: 0, or the wrapped value for a wrapping mask.
    float at(int x, int y) const;
    float& operator()(int x, int y) { return values_[index(x, y)]; }
    float operator()(int x, int y) const { return values_[index(x, y)]; }

    // Adds the shape's coverage (keeps the larger value).  A wrapping mask
    // also takes the parts of the shape that hang over an edge on the
    // opposite side.
    Mask& add(const Shape& shape, float strength = 1.f);
    // Removes the shape's coverage.
    Mask& cut(const Shape& shape);

    Mask& unite(const Mask& other);      // the larger value
    Mask& intersect(const Mask& other);  // the smaller value
    Mask& multiply(const Mask& other);
    Mask& subtract(const Mask& other);   // this * (1 - other)
    Mask& scale(float factor);
    Mask& invert();

    // Gaussian blur of the given standard deviation in pixels.
    Mask blurred(float sigma) const;
    // Shifted by whole pixels; what comes in from outside is 0 (or wraps).
    Mask shifted(int dx, int dy) const;
    // Dilated by a disc of the given radius: an outline's area.
    Mask grown(float radius) const;

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_, height_;
    bool wrap_;
    std::vector<float> values_;
};

// Coverage of a pixel whose centre lies the given distance outside an edge.
inline float edgeCoverage(float distance)
{
    return distance <= -0.5f ? 1.f : distance >= 0.5f ? 0.f : 0.5f - distance;
}

} // namespace art
