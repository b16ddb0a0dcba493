#pragma once
// A little garden cottage: its long side toward us with a door and windows
// under a tiled roof, the gable end running back toward the vanishing point,
// a brick chimney, white trim and window boxes of flowers.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

struct Cottage {
    std::string_view seed;
    float left, ground;          // the front wall's lower left corner
    float width, wallHeight, roofHeight;
    float depth;                 // how far back it runs, 0 to 1 of the way to the vanishing point
    float vanishX, vanishY;
    art::Colour walls, roof, door;
};

void paintCottage(art::Canvas& picture, const Cottage& cottage, const Light& light);

} // namespace pictures
