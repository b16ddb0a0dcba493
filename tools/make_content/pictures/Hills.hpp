#pragma once
// Rolling country behind the garden: a ridge of hills filled down to the
// bottom of the picture (nearer things cover the rest), lit along its
// slopes, paler with distance, with an optional line of woods on its crest.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

struct Ridge {
    std::string_view seed;
    float baseline;     // the lowest the crest comes
    float amplitude;    // how far above that it rises
    float wavelength;   // pixels between hilltops, roughly
    art::Colour colour;
    float distance;     // 0 near, 1 at the horizon
    bool woods = false;
};

void paintRidge(art::Canvas& picture, const Ridge& ridge, const Light& light);

} // namespace pictures
