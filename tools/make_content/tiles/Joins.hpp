#pragma once
// How the pieces of a joined family fit their neighbours.
//
// A line family (hedges, fences, paths, streams) has 16 pieces, base +
// mask, with a bit set for each side whose neighbour is of the family.  An
// area family (lawn, sand, ponds, roofs) has 47 pieces, one per neighbour
// mask of the game's grass edging, then a lone cell.
//
// Both come as signed distance fields in tile pixels, negative inside the
// family's ground.  Every wiggle and texture is a function of the position
// that repeats every tile, and a side's edge depends only on the position
// along it, so any two pieces that the masks put side by side meet exactly.

#include <array>
#include <cstdint>
#include <string>

namespace tiles {

namespace line {
constexpr unsigned north = 1, east = 2, south = 4, west = 8;
constexpr int pieces = 16;
} // namespace line

namespace area {
constexpr unsigned northWest = 1, north = 2, northEast = 4, west = 8, east = 16, southWest = 32, south = 64,
                   southEast = 128;
constexpr unsigned all = 255;
constexpr int pieces = 47;
// The neighbour mask of each piece, in tile order.
const std::array<unsigned, pieces>& masks();
} // namespace area

struct Edge {
    float inset = 6.f;       // how far in from a closed side the edge runs
    float ragged = 0.f;      // how far it wanders either way
    float grain = 8.f;       // tile pixels between wiggles; divides 32
    std::uint32_t seed = 0;
    float outerRound = 0.f;  // radius of the area's outer corners
    float innerRound = 0.f;  // radius of its inner corners
};

// Negative inside the area, for a tile of the given neighbour mask.
float areaDistance(unsigned mask, const Edge& edge, float x, float y);
// How far in from the area's edge, 0 outside, at most `cap`: a height for
// relief that continues across the area's tiles.
float areaDepth(unsigned mask, const Edge& edge, float x, float y, float cap);

struct Stroke {
    float halfWidth = 8.f;
    float ragged = 0.f;
    float grain = 8.f;
    std::uint32_t seed = 0;
    float joinRound = 3.f;  // radius of the inside of bends
};

// Negative inside the line: arms from the tile's middle out through each
// joined side; a lone piece is a disc in the middle.
float lineDistance(unsigned mask, const Stroke& stroke, float x, float y);

// "Pond, shore N W, inner corner SE" and the like, for the editor's list.
std::string areaDescription(const std::string& name, unsigned mask, const std::string& edgeWord);
// "Hedge, joins N S"; "Hedge, alone".
std::string lineDescription(const std::string& name, unsigned mask);

} // namespace tiles
