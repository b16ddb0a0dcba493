#pragma once
// A border of flowers: low leaves with daisies, tulips and round blooms in
// a few colours standing out of them, the far ones smaller.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>
#include <vector>

namespace pictures {

struct FlowerBed {
    std::string_view seed;
    float left, right;
    float top, bottom;       // far and near edges of the bed
    float size;              // a bloom's radius at the near edge
    int count;
    std::vector<art::Colour> colours;
};

void paintFlowerBed(art::Canvas& picture, const FlowerBed& bed, const Light& light);

} // namespace pictures
