#pragma once
// Textures that repeat every tile, sampled once at the drawing detail and
// looked up afterwards: the same grass, gravel or ripples are asked for in
// hundreds of tiles, and noise is what drawing time goes on.  A lookup at a
// pixel centre gives exactly the sampled value; anywhere else, the nearest.

#include "tiles/TileArt.hpp"

#include <string>

namespace tiles {

// `name` tells textures apart; the same name always gives the first texture
// made under it.
art::Paint tiledPaint(const std::string& name, const art::Paint& paint);
Field tiledField(const std::string& name, const Field& field);

} // namespace tiles
