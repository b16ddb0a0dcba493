#pragma once
// A fluffy cloud seen from above: a heap of round puffs, lit from the upper
// left, white on top and grey-blue in its folds and on the shaded side.

#include "art/Canvas.hpp"

#include <string_view>

namespace sprites {

struct CloudShape {
    std::string_view seed;  // one per cloud, so each keeps its shape
    int width = 120;        // the frame
    int height = 80;
    int bumps = 12;         // puffs round the rim, which make the cauliflower outline
    float bumpRadius = 14.f;
};

// Coverage in alpha (soft at the rim), shading in colour.
art::Canvas paintCloud(const CloudShape& shape);

} // namespace sprites
