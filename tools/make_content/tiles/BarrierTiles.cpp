// What the mower cannot pass along the garden's lines (320-383): hedges,
// picket fences, dry stone walls and brick walls.  Each piece runs from the
// tile's middle out through the sides joined to more of the same, and casts
// its shadow down and to the right.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Foliage.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float mid = 16.f;

// Distance to the nearest arm's centre line, and where along it the point
// lies: for things set out at even steps along a line.
struct Along {
    float across;    // distance from the line
    float position;  // along the line, in tile pixels, repeating every tile
    bool vertical;
};

Along along(unsigned mask, float x, float y)
{
    const bool vertical = mask & (line::north | line::south);
    const bool horizontal = mask & (line::east | line::west);
    const float toVertical = vertical ? std::abs(x - mid) : 1000.f;
    const float toHorizontal = horizontal ? std::abs(y - mid) : 1000.f;
    if (toVertical <= toHorizontal)
        return {toVertical, y, true};
    return {toHorizontal, x, false};
}

TileArt hedge(unsigned mask)
{
    TileArt art;
    const Stroke stroke{9.5f, 1.1f, 4.f, 0x6865u, 4.f};
    const Field body = [&](float x, float y) { return lineDistance(mask, stroke, x, y); };
    const Leafage leafage{art::rgb(18, 52, 26), art::rgb(40, 98, 40), art::rgb(110, 160, 64), 5.33f, 0x6866u};
    raise(art, body, foliage(leafage), {2.4f, 1.8f, 0.5f, 6.f, 0.3f});
    return art;
}

TileArt picketFence(unsigned mask)
{
    TileArt art;
    // A post in the middle; rails and pickets out along each joined side.
    const Field post = [](float x, float y) { return std::max(std::abs(x - mid), std::abs(y - mid)) - 3.3f; };
    const Stroke railStroke{1.1f, 0.f, 8.f, 0, 0.f};
    const Field rails = [&](float x, float y) {
        return mask == 0 ? 1000.f : lineDistance(mask, railStroke, x, y);
    };
    const Field pickets = [&](float x, float y) {
        if (mask == 0)
            return 1000.f;
        const Along a = along(mask, x, y);
        // One picket every 4 pixels along the line, each a flat board end-on.
        const float u = std::abs(wrapped(a.position, 4.f) - 2.f) - 1.25f;
        const float v = a.across - 2.2f;
        const float inArm = lineDistance(mask, {2.6f, 0.f, 8.f, 0, 0.f}, x, y);
        return std::max({u, v, inArm});
    };
    const Field fence = [&](float x, float y) { return std::min({post(x, y), rails(x, y), pickets(x, y)}); };
    // Tall and thin: a long shadow.
    art.castShadow(fence, 3.4f, 3.4f, 1.f, 0.55f);
    const art::Paint white = [](float x, float y) { return art::shade(palette::paint, 1.f + 0.04f * grain(x, y, 0x7066u)); };
    raise(art, rails, [&](float x, float y) { return art::shade(white(x, y), 0.7f); }, {0.f, 1.f, 0.f, 0.6f, 0.2f});
    raise(art, pickets, white, {0.f, 1.f, 0.f, 0.7f, 0.35f});
    raise(art, post, [&](float x, float y) { return art::shade(white(x, y), 0.95f); }, {0.f, 1.f, 0.f, 1.2f, 0.4f});
    return art;
}

TileArt stoneWall(unsigned mask)
{
    TileArt art;
    const Stroke stroke{6.f, 0.6f, 4.f, 0x7377u, 2.f};
    const Field body = [&](float x, float y) { return lineDistance(mask, stroke, x, y); };
    raise(art, body, [](float x, float y) {
        const art::Cell c = art::cells(x / 4.f, y / 4.f, 0x7378u, 0.8f, 8, 8);
        const float tone = art::hash01(static_cast<int>(c.id & 0xFFFFu), 3, 0x7379u);
        art::Colour stone = art::mix(art::rgb(128, 124, 114), art::rgb(186, 180, 166), tone);
        const float lit = std::clamp(-((x / 4.f - c.featureX) + (y / 4.f - c.featureY)) * 1.3f, -1.f, 1.f);
        stone = art::shade(stone, 1.f + 0.25f * lit + 0.05f * grain(x, y, 0x737au));
        return art::mix(art::rgb(58, 56, 50), stone, smoothstep(0.03f, 0.16f, c.f2 - c.f1));
    }, {2.4f, 1.4f, 0.5f, 3.f, 0.3f});
    return art;
}

TileArt brickWall(unsigned mask)
{
    TileArt art;
    const Stroke stroke{4.6f, 0.f, 8.f, 0, 0.f};
    const Field wall = [&](float x, float y) { return mask == 0 ? 1000.f : lineDistance(mask, stroke, x, y); };
    // Square piers with stone caps where the wall turns, ends or stands
    // alone; straight runs are plain wall.
    const bool straight = mask == (line::north | line::south) || mask == (line::east | line::west);
    const Field pier = [straight](float x, float y) {
        return straight ? 1000.f : std::max(std::abs(x - mid), std::abs(y - mid)) - 6.f;
    };
    const Field both = [&](float x, float y) { return std::min(wall(x, y), pier(x, y)); };
    art.castShadow(both, 2.6f, 2.6f, 1.2f, 0.5f);
    // The top of the wall: a coping of bricks on edge across it.
    raise(art, wall, [&](float x, float y) {
        const Along a = along(mask, x, y);
        const float u = wrapped(a.position, 4.f);
        const int brick = static_cast<int>(wrapped(a.position, 32.f) / 4.f);
        const float tone = art::hash01(brick, a.vertical ? 1 : 0, 0x6272u);
        art::Colour c = art::mix(art::rgb(150, 64, 46), art::rgb(186, 94, 64), tone);
        c = art::shade(c, 1.f + 0.06f * grain(x, y, 0x6273u));
        c = art::shade(c, 1.f + 0.12f * smoothstep(1.f, 0.f, u) - 0.16f * smoothstep(3.f, 4.f, u));
        return art::mix(palette::mortar, c, smoothstep(0.2f, 0.6f, std::min(u, 4.f - u)));
    }, {0.f, 1.f, 0.f, 1.6f, 0.3f});
    raise(art, pier, [](float x, float y) {
        const float n = art::fbm(x / 4.f, y / 4.f, 0x6274u, 2, 0.5f, 8, 8);
        return art::shade(art::rgb(196, 190, 176), 1.f + 0.06f * n + 0.05f * grain(x, y, 0x6275u));
    }, {0.f, 1.f, 0.f, 2.f, 0.4f});
    return art;
}

} // namespace

void drawBarriers(Sheet& sheet)
{
    for (unsigned mask = 0; mask < line::pieces; ++mask) {
        const int m = static_cast<int>(mask);
        sheet.put(320 + m, hedge(mask), 0, 0, lineDescription("Hedge", mask), TileType::Solid);
        sheet.put(336 + m, picketFence(mask), 0, 0, lineDescription("Picket fence", mask), TileType::Solid);
        sheet.put(352 + m, stoneWall(mask), 0, 0, lineDescription("Stone wall", mask), TileType::Solid);
        sheet.put(368 + m, brickWall(mask), 0, 0, lineDescription("Brick wall", mask), TileType::Solid);
    }
}

} // namespace tiles
