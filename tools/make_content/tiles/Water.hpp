#pragma once
// Garden water: its colour by depth (how far in from the bank, in tile
// pixels) with ripples and glints that repeat every tile, and the muddy,
// stony bank where it meets the lawn.

#include "art/Colour.hpp"

namespace tiles {

art::Colour water(float x, float y, float depth);
art::Colour bank(float x, float y);

} // namespace tiles
