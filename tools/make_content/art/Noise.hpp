#pragma once
// Smooth and cellular noise for grass, soil, water and clouds.  All of it is
// pure arithmetic on the coordinates and a seed, so it is the same on every
// run.  With a period the noise repeats every period lattice cells, which
// lets a 32-pixel tile join itself without a seam (use a frequency that
// puts a whole number of cells across the tile).

#include <cstdint>

namespace art {

// A hash of a lattice point, from 0 to 1.
float hash01(int x, int y, std::uint32_t seed);

// Gradient noise from about -1 to 1; period 0 means no repeat.
float noise(float x, float y, std::uint32_t seed, int periodX = 0, int periodY = 0);

// Sum of octaves, each at twice the frequency (and twice the period) and
// `gain` times the amplitude of the one before; normalised to about -1..1.
float fbm(float x, float y, std::uint32_t seed, int octaves, float gain = 0.5f, int periodX = 0, int periodY = 0);

struct Cell {
    float f1 = 0.f;          // distance to the nearest feature point, in lattice cells
    float f2 = 0.f;          // to the second nearest
    std::uint32_t id = 0;    // of the nearest point's cell, for colouring each cell
    float featureX = 0.f;    // the nearest point, in lattice units
    float featureY = 0.f;
};

// Cellular (Worley) noise: one jittered point per lattice cell.  With a
// period the pattern repeats.  jitter 0 gives a regular grid, 1 full chaos.
Cell cells(float x, float y, std::uint32_t seed, float jitter = 1.f, int periodX = 0, int periodY = 0);

} // namespace art
