#pragma once
// A picture being painted: floating-point RGBA with straight alpha.
// Everything is painted through masks (see Mask.hpp) with a colour or a
// paint function, so noise, gradients and lighting are just functions of the
// position.  Draw at a multiple of the final size and downsample for the
// smoothest edges; convert to sf::Image only at the end.
//
// A wrapping canvas joins its edges: shapes that hang over one edge appear
// at the other, for tiles that repeat.

#include "art/Colour.hpp"
#include "art/Mask.hpp"

#include <SFML/Graphics/Image.hpp>

#include <functional>
#include <vector>

namespace art {

// Colour at a pixel centre (x + 0.5, y + 0.5).
using Paint = std::function<Colour(float x, float y)>;

class Canvas {
public:
    Canvas(int width, int height, Colour fill = transparent, bool wrap = false);

    int width() const { return width_; }
    int height() const { return height_; }
    bool wraps() const { return wrap_; }

    Colour get(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Colour c) { pixels_[index(x, y)] = c; }

    void fill(Colour c);
    void fill(const Paint& paint);

    // Paints over what is there, as much as the mask covers.
    void paint(const Mask& mask, Colour c);
    void paint(const Mask& mask, const Paint& paint);
    void paint(const Shape& shape, Colour c);
    void paint(const Shape& shape, const Paint& paint);
    // A mask of the canvas's size (wrapping like the canvas), for building
    // up coverage before painting.
    Mask mask() const { return Mask(width_, height_, wrap_); }
    Mask maskOf(const Shape& shape) const { return mask().add(shape); }

    // Multiplies the colour (not alpha) by 1 + (factor - 1) * coverage:
    // factor below 1 shades, above 1 lights.
    void light(const Mask& mask, float factor);
    // Per-pixel lighting: the function's value multiplies the colour.
    void light(const std::function<float(float x, float y)>& factor);

    // Puts another picture over this one with its top-left corner at (x, y).
    void draw(const Canvas& picture, int x, int y, float opacity = 1.f);
    // A soft shadow of what is painted so far, offset and blurred, slipped
    // underneath it.
    void dropShadow(int dx, int dy, float sigma, float opacity, Colour colour = black);

    // The alpha channel as a mask.
    Mask alpha() const;
    // Averaged down by a whole factor (alpha-weighted, so edges keep their
    // colour).
    Canvas downsampled(int factor) const;
    // A part of the picture.
    Canvas cropped(int left, int top, int width, int height) const;

    sf::Image toImage() const;
    static Canvas fromImage(const sf::Image& image);

private:
    std::size_t index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }

    int width_, height_;
    bool wrap_;
    std::vector<Colour> pixels_;
};

} // namespace art
