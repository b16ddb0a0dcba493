#pragma once
// Small plants drawn over grass or soil: flowers, clover and tufts, each
// with its own little shadow.  Sizes are in tile pixels.

#include "tiles/TileArt.hpp"

#include "Random.hpp"

#include <vector>

namespace tiles {

// Up to `count` points inside the rectangle, at least `spacing` apart.
std::vector<art::Point> scatter(content::Random& rng, int count, float left, float top, float right, float bottom,
                                float spacing);

// A flower seen from above: petals round a centre.
void flower(TileArt& art, float x, float y, float radius, int petals, art::Colour petal, art::Colour centre,
            content::Random& rng);
void daisy(TileArt& art, float x, float y, content::Random& rng);
void buttercup(TileArt& art, float x, float y, content::Random& rng);
// A dandelion's rosette of toothed leaves with a flower (or a seed clock).
void dandelion(TileArt& art, float x, float y, bool seeds, content::Random& rng);
// Three round leaflets.
void clover(TileArt& art, float x, float y, float radius, content::Random& rng);
// A clump of longer blades, lighter at the tips.
void tuft(TileArt& art, float x, float y, float radius, content::Random& rng);
// A little toadstool: cap and its shadow.
void mushroom(TileArt& art, float x, float y, float radius, content::Random& rng);

} // namespace tiles
