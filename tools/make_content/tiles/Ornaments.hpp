#pragma once
// Garden ornaments that stand up off the lawn: gnomes on their plinths and
// the garden lamp.  Flat from straight above they would be a hat or a cap
// and nothing else, so they are seen from above at an angle, standing with
// their tops towards the top of the tile and their shadows on the grass to
// the bottom right.

#include "tiles/TileArt.hpp"

namespace tiles {

enum class GnomeProp { None, FishingRod, Lantern };

TileArt gnome(GnomeProp prop);
TileArt gardenLamp();

} // namespace tiles
