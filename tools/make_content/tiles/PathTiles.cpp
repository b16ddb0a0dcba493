// Garden paths (64-127), line families: each piece runs from the tile's
// middle out through the sides whose neighbours are path too.  The path lies
// a little below the lawn, so the grass along its upper left edge shades it.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

struct PathStyle {
    const char* name;
    Stroke stroke;
    art::Paint ground;
    float fringe;          // how far grass blades hang over the edge
    art::Colour edging;    // a border along the path's sides; alpha 0 for none
    float edgingWidth;
};

TileArt pathPiece(unsigned mask, const PathStyle& style)
{
    TileArt art;
    static const Field tufts = tiledField("path tufts", [](float x, float y) { return art::noise(x / 2.f, y / 2.f, 0x7061u, 16, 16); });
    const Field path = [&](float x, float y) { return lineDistance(mask, style.stroke, x, y) + style.fringe * tufts(x, y); };
    const art::Mask inside = art.mask(path);
    art.paint(inside, style.ground);
    if (style.edging.a > 0.f) {
        const float w = style.edgingWidth;
        const Field border = [&](float x, float y) {
            const float d = lineDistance(mask, style.stroke, x, y);
            return std::max(d, -d - w);
        };
        raise(art, border, [&](float x, float y) { return art::shade(style.edging, 1.f + 0.08f * grain(x, y, 0x6564u)); },
              {0.6f, 0.6f, 0.35f, w * 0.5f, 0.35f});
    }
    // The lawn stands a little higher than the path.
    art.darken([&](float x, float y) {
        return 0.32f * smoothstep(-1.f, 1.f, path(x - 1.3f, y - 1.3f)) * smoothstep(0.5f, -0.5f, path(x, y));
    });
    return art;
}

// Stones set in the grass a stride apart: one in the middle of the tile and
// one astride each joined side, shared with the neighbour there.
TileArt steppingStones(unsigned mask)
{
    TileArt art;
    std::vector<art::Point> centres{{16.f, 16.f}};
    if (mask & line::north)
        centres.push_back({16.f, 0.f});
    if (mask & line::east)
        centres.push_back({32.f, 16.f});
    if (mask & line::south)
        centres.push_back({16.f, 32.f});
    if (mask & line::west)
        centres.push_back({0.f, 16.f});
    const Field stones = [&](float x, float y) {
        float d = 1000.f;
        for (const art::Point& c : centres) {
            // Shape and size from the stone's place, so both halves of a
            // shared stone agree.
            const float a = std::atan2(y - c.y, x - c.x);
            const float r = (c.x == 16.f && c.y == 16.f ? 6.8f : 6.2f) +
                            0.9f * art::noise(std::cos(a) * 1.2f + wrapped(c.x, 32.f) * 0.37f, std::sin(a) * 1.2f + wrapped(c.y, 32.f) * 0.53f, 0x7374u);
            d = std::min(d, std::hypot(x - c.x, y - c.y) - r);
        }
        return d;
    };
    raise(art, stones, [](float x, float y) {
        const float n = art::fbm(x / 5.f, y / 5.f, 0x7375u, 3, 0.5f, 6, 6);
        return art::shade(art::mix(art::rgb(150, 146, 136), art::rgb(198, 192, 178), 0.55f + 0.4f * n),
                          1.f + 0.06f * grain(x, y, 0x7376u));
    }, {1.f, 1.f, 0.4f, 1.6f, 0.3f});
    return art;
}

} // namespace

void drawPaths(Sheet& sheet)
{
    const std::vector<PathStyle> paths = {
        {"Soil path", {8.5f, 0.9f, 8.f, 0x736fu, 3.f}, soil, 1.f, art::transparent, 0.f},
        {"Gravel path", {9.f, 0.f, 8.f, 0x6772u, 3.f}, gravel, 0.f, art::rgb(112, 80, 52), 1.5f},
        {"Paved path", {9.5f, 0.f, 8.f, 0x7061u, 2.f}, flagstones, 0.f, art::rgb(150, 144, 132), 1.6f},
    };
    int first = 64;
    for (const PathStyle& style : paths) {
        for (unsigned mask = 0; mask < line::pieces; ++mask)
            sheet.put(first + static_cast<int>(mask), pathPiece(mask, style), 0, 0, lineDescription(style.name, mask),
                      TileType::Land);
        first += 16;
    }
    for (unsigned mask = 0; mask < line::pieces; ++mask)
        sheet.put(112 + static_cast<int>(mask), steppingStones(mask), 0, 0, lineDescription("Stepping-stone path", mask),
                  TileType::Land);
}

} // namespace tiles
