#pragma once
// A white picket fence standing across the garden, its rails showing
// between the pickets, each picket throwing its shadow on the grass.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

struct Fence {
    std::string_view seed;
    float left, right;
    float ground, height;
    float picketWidth, gap;
    art::Colour paint;
    float distance = 0.f;
};

void paintFenceShadow(art::Canvas& picture, const Fence& fence, const Light& light);
void paintFence(art::Canvas& picture, const Fence& fence, const Light& light);

} // namespace pictures
