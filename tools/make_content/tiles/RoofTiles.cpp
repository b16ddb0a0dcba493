// The house (448-494), seen from above as its roof: an area family, so a
// house of any shape at the field's edge gets eaves where it ends.  The
// slopes rise from every eave to the top of the roof, and the light picks
// out each slope and hip.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

const Edge eaves{4.f, 0.f, 8.f, 0, 0.f, 0.f};
// Slopes rise this far in from the eaves; every side of a roof tile that
// no eave reaches lies at this height, so the roof joins from tile to tile.
constexpr float ridge = 28.f;
constexpr float course = 3.2f;  // ten courses to a tile

// Height of the roof: rising from the eaves and levelling off towards the
// top, so that slopes meeting at a ridge, or running into the flat top of a
// big roof, do so without a crease in the light.
float roofHeight(unsigned mask, float x, float y)
{
    const float t = areaDepth(mask, eaves, x, y, ridge) / ridge;
    return ridge * (1.f - (1.f - t) * (1.f - t));
}

art::Colour roofAt(float x, float y)
{
    // Clay tiles in courses across the roof, each course overlapping the one
    // below it.
    // Courses lie half a course off the tile's sides, so that no overlap
    // line runs along a tile's edge.
    const float across = y + course / 2.f;
    const int row = static_cast<int>(std::floor(across / course));
    const float v = across - static_cast<float>(row) * course;
    const float shifted = x + (row % 2) * 2.f;
    const float u = wrapped(shifted, 4.f);
    const int tileIndex = static_cast<int>(std::floor(shifted / 4.f));
    const float tone = art::hash01(tileIndex & 7, row % 10, 0x726fu);
    art::Colour c = art::mix(art::rgb(158, 70, 48), art::rgb(190, 98, 66), tone);
    c = art::shade(c, 1.f + 0.05f * grain(x, y, 0x7270u));
    c = art::shade(c, 1.f - 0.3f * smoothstep(0.7f, 0.f, v) + 0.1f * smoothstep(course - 0.8f, course, v));
    c = art::shade(c, 1.f - 0.18f * smoothstep(0.5f, 0.f, std::min(u, 4.f - u)));
    return c;
}

TileArt roof(unsigned mask)
{
    TileArt art;
    const Field area = [&](float x, float y) { return areaDistance(mask, eaves, x, y); };
    art.castShadow(area, 1.8f, 1.8f, 0.8f, 0.6f);
    const art::Mask m = art.mask(area);
    art.paint(m, roofAt);
    art.relief([&](float x, float y) { return roofHeight(mask, x, y); }, 0.5f, &m);
    // The gutter along the eaves.
    art.paint(art.mask([&](float x, float y) {
        const float d = area(x, y);
        return std::max(d, -d - 0.9f);
    }), art::rgb(70, 68, 66));
    return art;
}

} // namespace

void drawRoofs(Sheet& sheet)
{
    const auto& masks = area::masks();
    for (int i = 0; i < area::pieces; ++i) {
        const unsigned mask = masks[static_cast<std::size_t>(i)];
        sheet.put(448 + i, roof(mask), 0, 0, areaDescription("House roof", mask, "eaves"), TileType::Solid);
    }
}

} // namespace tiles
