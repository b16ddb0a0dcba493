#pragma once
// Leaves seen from above, for hedges, bushes and tree crowns: clumps of
// foliage each lit from the top left, dark gaps between them, and single
// leaves catching the sun.  Repeats every tile, so a hedge runs on without
// a seam.

#include "art/Canvas.hpp"

namespace tiles {

struct Leafage {
    art::Colour deep, base, light;
    float clump = 5.33f;  // tile pixels across a clump; 32 / clump whole
    unsigned seed = 0;
};

art::Paint foliage(const Leafage& leafage);

} // namespace tiles
