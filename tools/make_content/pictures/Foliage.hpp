#pragma once
// Trees, hedges, shrubs and distant tree lines, modelled as heaps of leafy
// balls: each pixel shows the nearest ball, lit by the sun from its slope,
// darker where it lies deep inside the heap, and ruffled into single leaves.
// The same heaps read as noon trees or sunset silhouettes with a different
// Light.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <functional>
#include <string>
#include <string_view>

namespace pictures {

struct Tree {
    std::string_view seed;
    float x, ground;          // the foot of the trunk
    float height;             // to the top of the crown
    float crownWidth, crownHeight;
    float trunkWidth;
    art::Colour leaves;
    float distance = 0.f;     // 0 near, 1 at the horizon
};

// The shade a tree throws on the ground, away from the sun; paint it
// before the tree.
void paintTreeShadow(art::Canvas& picture, const Tree& tree, const Light& light);
void paintTree(art::Canvas& picture, const Tree& tree, const Light& light);

struct Hedge {
    std::string_view seed;
    float left, right;
    float top, bottom;        // the clipped top and the foot
    art::Colour leaves;
    float distance = 0.f;
};

void paintHedge(art::Canvas& picture, const Hedge& hedge, const Light& light);

struct Shrub {
    std::string_view seed;
    float x, y;               // the middle of its foot
    float width, height;
    art::Colour leaves;
    int blossoms = 0;         // flowers dotted over its sunny front
    art::Colour blossom{};
};

void paintShrub(art::Canvas& picture, const Shrub& shrub, const Light& light);

struct TreeLine {
    std::string seed;
    std::function<float(float x)> ground;  // where the trees' feet are
    float size;                            // a crown's radius
    art::Colour leaves;
    float distance;
    float wooded = 0.5f;                   // 0 a few lone trees, 1 woods all along
};

// Distant trees along the lie of the land: copses and lone trees on short
// trunks, every foot in its own patch of shade, so that they stand on the
// hill instead of hovering over it.
void paintTreeLine(art::Canvas& picture, const TreeLine& line, const Light& light);

} // namespace pictures
