#pragma once
// The game's red ride-on mower seen from behind as it drives away up a
// stripe, the driver in a straw hat, clippings flying from the deck.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

// `x` is the middle of the mower, `ground` where its rear tyres stand;
// `scale` pixels to a unit of a mower 100 units wide.
void paintRideOnMower(art::Canvas& picture, std::string_view seed, float x, float ground, float scale,
                      const Light& light);

} // namespace pictures
