#pragma once
// The garden's hard and bare grounds as paint: colour at a point in tile
// pixels.  Each repeats every tile (and every whole block), so a path,
// patio or sandpit carries on from one tile to the next without a seam.

#include "art/Colour.hpp"

namespace tiles {

art::Colour soil(float x, float y);
art::Colour sand(float x, float y);
// Loose pea gravel, each stone lit from the top left.
art::Colour gravel(float x, float y);
// Sandstone slabs of mixed sizes, laid in courses, with mortar joints.
art::Colour slabs(float x, float y);
// Irregular flagstones, as on an old path.
art::Colour flagstones(float x, float y);
art::Colour tarmac(float x, float y);
// Boards running across, four to a tile, their ends staggered.
art::Colour decking(float x, float y);
// Bricks in stretcher bond, four courses to a tile.
art::Colour bricks(float x, float y);
// Fine speckle that roughens any surface; about -1 to 1.
float grain(float x, float y, unsigned seed);

} // namespace tiles
