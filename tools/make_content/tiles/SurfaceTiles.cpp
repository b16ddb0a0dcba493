// Areas the mower drives over (128-319): a sandpit in its timber frame, a
// tarmac driveway with concrete kerbs and a stone patio, each edged like the
// mown lawn so that any patch shape gets a proper border.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

struct SurfaceStyle {
    const char* name;
    Edge edge;
    art::Paint ground;
    art::Paint border;
    float borderWidth;
    bool raised;  // stands above the lawn rather than lying below it
};

TileArt surfacePiece(unsigned mask, const SurfaceStyle& style)
{
    TileArt art;
    const Field area = [&](float x, float y) { return areaDistance(mask, style.edge, x, y); };
    if (style.raised) {
        raise(art, area, style.ground, {0.9f, 0.9f, 0.4f, 1.2f, 0.2f});
    } else {
        art.paint(art.mask(area), style.ground);
        // The lawn is a little higher: its edge shades the surface.
        art.darken([&](float x, float y) {
            return 0.28f * smoothstep(-1.f, 1.f, area(x - 1.2f, y - 1.2f)) * smoothstep(0.5f, -0.5f, area(x, y));
        });
    }
    if (style.borderWidth > 0.f) {
        const float w = style.borderWidth;
        const Field border = [&](float x, float y) {
            const float d = area(x, y);
            return std::max(d, -d - w);
        };
        raise(art, border, style.border, {0.8f, 0.8f, 0.4f, w * 0.45f, 0.35f});
    }
    return art;
}

art::Colour timber(float x, float y)
{
    const float streak = art::noise(x / 6.f + y / 6.f, (x - y) * 0.6f, 0x7469u, 0, 0);
    return art::shade(art::rgb(140, 98, 60), 1.f + 0.1f * streak + 0.05f * grain(x, y, 0x746au));
}

art::Colour kerb(float x, float y)
{
    // Kerb stones a metre long: faint joints every half tile, away from the
    // tile's sides.
    const float joint = std::min(std::abs(wrapped(x, 16.f) - 8.f), std::abs(wrapped(y, 16.f) - 8.f));
    const float n = art::fbm(x / 4.f, y / 4.f, 0x6b65u, 2, 0.5f, 8, 8);
    art::Colour c = art::shade(art::rgb(186, 182, 172), 1.f + 0.05f * n + 0.06f * grain(x, y, 0x6b66u));
    return art::shade(c, 1.f - 0.18f * smoothstep(0.6f, 0.f, joint));
}

} // namespace

void drawSurfaces(Sheet& sheet)
{
    const std::vector<std::pair<int, SurfaceStyle>> surfaces = {
        {128, {"Sandpit", {4.f, 0.f, 8.f, 0, 2.5f, 1.f}, sand, timber, 2.6f, false}},
        {192, {"Driveway", {3.f, 0.f, 8.f, 0, 4.f, 1.f}, tarmac, kerb, 2.2f, false}},
        {256, {"Patio", {3.f, 0.f, 8.f, 0, 0.8f, 0.5f}, slabs, {}, 0.f, true}},
    };
    const auto& masks = area::masks();
    for (const auto& [first, style] : surfaces)
        for (int i = 0; i < area::pieces; ++i) {
            const unsigned mask = masks[static_cast<std::size_t>(i)];
            sheet.put(first + i, surfacePiece(mask, style), 0, 0, areaDescription(style.name, mask, "edge"), TileType::Land);
        }
}

} // namespace tiles
