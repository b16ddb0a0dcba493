// The mown lawn, 960-1006 by the game's own grass edging, and the fully
// mown 959 and 1023.  Where a side's neighbour is not mown, a strip of uncut
// grass borders it, exactly tile 0's grass at those pixels, with a ragged
// edge of longer blades and their shadow on the short lawn.

#include "tiles/Families.hpp"
#include "tiles/Ground.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"

#include <algorithm>
#include <cmath>

namespace tiles {

namespace {

constexpr float scale = static_cast<float>(detail);

const Edge mowingEdge{6.5f, 1.9f, 8.f, 0x6d6f77u, 3.f, 2.5f};

// The cut line as the blades see it: the mowing edge with a fine fringe of
// tips hanging over it.
float cutDistance(unsigned mask, float x, float y)
{
    static const Field fringe = tiledField("lawn fringe", [](float px, float py) { return 1.3f * art::noise(px / 2.f, py / 2.f, 0x7466u, 16, 16); });
    return areaDistance(mask, mowingEdge, x, y) + fringe(x, y);
}

TileArt mownTile(unsigned mask)
{
    TileArt art;
    art::Canvas& canvas = art.canvas();
    const art::Canvas& mown = mownLawnDetail();
    const art::Canvas& uncut = uncutGrassDetail();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const float fx = (static_cast<float>(x) + 0.5f) / scale, fy = (static_cast<float>(y) + 0.5f) / scale;
            const float d = cutDistance(mask, fx, fy);
            const float longGrass = std::clamp(0.5f + d / 1.2f, 0.f, 1.f);
            const art::Colour grass = uncut.get(x % uncut.width(), y % uncut.height());
            if (longGrass >= 1.f) {
                canvas.set(x, y, grass);
                continue;
            }
            art::Colour lawn = mown.get(x % mown.width(), y % mown.height());
            // The long grass up and to the left shades the short lawn.
            const float behind = cutDistance(mask, fx - 1.4f, fy - 1.4f);
            const float shadow = 0.4f * std::clamp((behind + 2.f) / 3.f, 0.f, 1.f);
            lawn.r *= 1.f - 0.62f * shadow;
            lawn.g *= 1.f - 0.52f * shadow;
            lawn.b *= 1.f - 0.38f * shadow;
            canvas.set(x, y, art::mix(lawn, grass, longGrass));
        }
    return art;
}

} // namespace

void drawLawn(Sheet& sheet)
{
    const auto& masks = area::masks();
    for (int i = 0; i < area::pieces; ++i) {
        const unsigned mask = masks[static_cast<std::size_t>(i)];
        sheet.put(960 + i, mownTile(mask), 0, 0, areaDescription("Mown lawn", mask, "uncut"), TileType::Land);
    }
    const TileArt full = mownTile(area::all);
    sheet.put(959, full, 0, 0, "Mown lawn", TileType::Land);
    sheet.put(1023, full, 0, 0, "Mown lawn, not yet edged", TileType::Land);
}

} // namespace tiles
