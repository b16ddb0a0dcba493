#pragma once
// Rolling country behind the garden: a ridge of hills filled down to where
// nearer things hide it, lit along its slopes, paler and bluer with
// distance and misty at its foot, so the ridge in front stands out against
// it.  Nearer ridges are a patchwork of fields with trees on the crest and
// hedgerows of trees between the fields.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"

#include <string_view>

namespace pictures {

struct Ridge {
    std::string_view seed;
    float baseline;      // the lowest the crest comes
    float amplitude;     // how far above that the highest hilltop rises
    float wavelength;    // pixels between hilltops, roughly
    art::Colour colour;
    float distance;      // 0 near, 1 at the horizon
    float bottom;        // nearer things hide everything below this row
    float mist = 0.f;    // how much haze gathers at the foot, 0 to 1
    float treeSize = 0.f;   // crowns along the crest and hedgerows; 0 for bare hills
    float wooded = 0.5f;    // of the crest: 0 a few lone trees, 1 woods all along
    int hedgerows = 0;      // rows of trees down the face, between the fields
    art::Colour leaves{};
};

void paintRidge(art::Canvas& picture, const Ridge& ridge, const Light& light);

} // namespace pictures
