#pragma once
// A freshly mown lawn in perspective: the mower's stripes run away from the
// eye to a vanishing point on the horizon, alternately bright and dark as
// the grass leans toward or away from us, finely textured, paler with
// distance.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

struct Lawn {
    std::string_view seed;
    float top;             // where the lawn starts, below the horizon
    float horizon;         // eye level: the stripes meet there
    float vanishX;
    float stripeWidth;     // at the bottom of the picture, in pixels
    art::Colour bright;    // grass leaning away from us
    art::Colour dark;      // grass leaning toward us
    float haze;            // how much air lies over the far edge
    float sunlit;          // 1 in full sun, 0 when the sun is too low to reach it
};

void paintLawn(art::Canvas& picture, const Lawn& lawn, const Light& light);

} // namespace pictures
