#pragma once
// Things standing on the ground, given as distance fields in tile pixels
// (negative inside): a soft shadow to the bottom right, the body painted,
// its top rounded off by light from the top left.  Being fields, they carry
// on across tile sides exactly, shadow and all.

#include "tiles/TileArt.hpp"

namespace tiles {

struct Raised {
    float shadowOffset = 1.5f;   // how far the shadow falls, down and right
    float shadowSoftness = 1.2f;
    float shadowStrength = 0.45f;
    float roundness = 2.f;       // how far in from the edge the top curves
    float light = 0.25f;         // how strongly the curve catches the light
};

void raise(TileArt& art, const Field& body, const art::Paint& colour, const Raised& style = {});

// A distance field's edge made irregular by noise that repeats every tile.
Field roughen(Field field, float amount, float grain, unsigned seed);

} // namespace tiles
