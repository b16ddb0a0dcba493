#pragma once
// Sprite files keep no alpha: each pixel is solid or see-through.  These
// turn a painted picture (soft, anti-aliased edges) into such a frame.

#include "art/Canvas.hpp"

#include <SFML/Graphics/Image.hpp>

namespace sprites {

// Solid where the picture covers at least half a pixel, see-through
// elsewhere.  Partly covered rim pixels lean toward the rim colour, so the
// edge reads as a dark line on grass instead of a jagged step.
sf::Image hardEdged(const art::Canvas& picture, art::Colour rim);

// Solid where the coverage beats an 8 x 8 ordered-dither threshold: a soft
// edge thins out into scattered pixels.
sf::Image dithered(const art::Canvas& picture);

// The file reads pure magenta and pure cyan as holes; nudges any such pixel
// by one step so it stays solid.
sf::Color keySafe(sf::Color colour);

} // namespace sprites
