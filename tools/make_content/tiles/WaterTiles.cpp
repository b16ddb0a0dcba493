// Ponds (640-686, an area family), streams (704-719, a line family) and
// the fountain block (563).
// The water lies below the lawn: a strip of bank runs round it and the
// bank on the upper left throws its shade across the water.

#include "tiles/Curves.hpp"
#include "tiles/Fields.hpp"
#include "tiles/Families.hpp"
#include "tiles/Flowers.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"
#include "tiles/Tiled.hpp"
#include "tiles/Water.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float bankWidth = 2.2f;

// `shore` is negative on the water side of the bank's outer edge.
TileArt waterPiece(const Field& shore)
{
    TileArt art;
    static const Field tufts = tiledField("bank tufts", [](float x, float y) { return 0.7f * art::noise(x / 2.f, y / 2.f, 0x7766u, 16, 16); });
    const Field fringe = [&](float x, float y) { return shore(x, y) + tufts(x, y); };
    art.paint(art.mask(fringe), bank);
    const Field wet = [&](float x, float y) { return shore(x, y) + bankWidth; };
    art.paint(art.mask(wet), [&](float x, float y) { return water(x, y, -wet(x, y)); });
    // The bank and the lawn above it shade the water and mud below them.
    art.darken([&](float x, float y) {
        return 0.3f * smoothstep(-1.5f, 1.f, fringe(x - 1.4f, y - 1.4f)) * smoothstep(0.5f, -0.5f, fringe(x, y));
    });
    // A dark wet line where water meets the bank.
    art.darken([&](float x, float y) { return 0.25f * smoothstep(0.8f, 0.f, std::abs(wet(x, y))); });
    return art;
}

// Reeds at the water's edge, on the bank: a clump of upright blades seen
// from above, kept inside the tile.
void reeds(TileArt& art, float x, float y, content::Random& rng)
{
    art::Mask body = art.mask(art::circle(x, y, 0.8f));
    std::vector<std::vector<art::Point>> blades;
    const int count = rng.between(7, 10);
    for (int i = 0; i < count; ++i) {
        const float a = static_cast<float>(rng.uniform(0.0, 6.2831853));
        const float l = static_cast<float>(rng.uniform(3.0, 4.8));
        const art::Point root{x, y};
        const art::Point tip{x + std::cos(a) * l, y + std::sin(a) * l};
        blades.push_back({root, tip});
        body.unite(art.mask(art::stroke(blades.back(), 0.55f, 0.25f)));
    }
    art.castShadow(body, 1.2f, 1.4f, 0.7f, 0.5f);
    for (const auto& b : blades)
        art.paint(art::stroke(b, 0.55f, 0.25f), [&](float px, float py) {
            const float t = std::hypot(px - x, py - y) / 4.8f;
            return art::mix(art::rgb(60, 104, 44), art::rgb(150, 170, 84), t);
        });
    // A bulrush head or two.
    for (std::size_t i = 0; i < 2; ++i)
        art.paint(art::ellipse(blades[i][1].x, blades[i][1].y, 1.1f, 0.7f, 0.7f), art::rgb(96, 62, 38));
}

void lilyPad(TileArt& art, float x, float y, float r, content::Random& rng)
{
    const float notch = static_cast<float>(rng.uniform(0.0, 6.2831853));
    const art::Shape pad = art::subtract(art::circle(x, y, r),
                                         art::polygon({{x, y}, {x + std::cos(notch - 0.3f) * r * 2.f, y + std::sin(notch - 0.3f) * r * 2.f},
                                                       {x + std::cos(notch + 0.3f) * r * 2.f, y + std::sin(notch + 0.3f) * r * 2.f}}));
    const art::Mask m = art.mask(pad);
    art.castShadow(m, 0.5f, 0.6f, 0.5f, 0.4f);
    art.paint(m, [&](float px, float py) {
        const float lit = ((x - px) + (y - py)) / (r * 3.f);
        return art::shade(art::rgb(70, 134, 58), 1.f + 0.2f * lit);
    });
    if (rng.chance(0.4))
        flower(art, x + r * 0.2f, y + r * 0.1f, r * 0.55f, 8, art::rgb(246, 220, 232), palette::petalYellow, rng);
}

TileArt pond(unsigned mask, int piece)
{
    const Edge edge{6.f, 1.6f, 8.f, 0x706fu, 5.f, 3.f};
    TileArt art = waterPiece([&](float x, float y) { return areaDistance(mask, edge, x, y); });
    content::Random rng("tiles/pond " + std::to_string(piece));
    // Reeds on the bank of a closed side, and a lily pad out on the water;
    // only where the shore turns, as a straight shore repeats its piece
    // tile after tile and would show them in a row.
    const bool n = mask & area::north, e = mask & area::east, s = mask & area::south, w = mask & area::west;
    const int closedSides = (n ? 0 : 1) + (e ? 0 : 1) + (s ? 0 : 1) + (w ? 0 : 1);
    if (closedSides < 2)
        return art;
    const float along = static_cast<float>(rng.uniform(10.0, 22.0));
    if (!n && rng.chance(0.6))
        reeds(art, along, 7.f, rng);
    else if (!w && rng.chance(0.6))
        reeds(art, 7.f, along, rng);
    else if (!s && rng.chance(0.5))
        reeds(art, along, 25.f, rng);
    else if (!e && rng.chance(0.5))
        reeds(art, 25.f, along, rng);
    if (rng.chance(0.7)) {
        const float px = static_cast<float>(rng.uniform(11.0, 21.0)), py = static_cast<float>(rng.uniform(11.0, 21.0));
        if (areaDistance(mask, edge, px, py) < -6.f)
            lilyPad(art, px, py, static_cast<float>(rng.uniform(3.0, 4.0)), rng);
    }
    return art;
}

TileArt stream(unsigned mask)
{
    const Stroke stroke{9.f, 1.2f, 8.f, 0x7374u, 4.f};
    return waterPiece([&](float x, float y) { return lineDistance(mask, stroke, x, y); });
}

TileArt fountain()
{
    TileArt art(2, 2);
    const float c = 31.f;
    const Field rim = ring(c, c, 26.f, 4.f);
    art.castShadow(disc(c, c, 28.f), 2.f, 2.2f, 1.2f, 0.5f);
    art.outline(art.mask(disc(c, c, 28.f)));
    const Field pool = disc(c, c, 24.5f);
    art.paint(art.mask(pool), [=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        art::Colour w = water(x, y, std::min(24.5f - r, 8.f) + 4.f);
        // Rings spreading from the falling water.
        const float wave = std::sin(r * 1.4f);
        return art::mix(w, palette::waterGlint, 0.18f * smoothstep(0.6f, 1.f, wave) * smoothstep(24.f, 8.f, r));
    });
    art.darken([&](float x, float y) { return 0.35f * smoothstep(-1.f, 1.f, -pool(x - 1.6f, y - 1.6f)) * (pool(x, y) < 0.f ? 1.f : 0.f); });
    const art::Paint stone = [](float x, float y) {
        const float n = art::fbm(x / 4.f, y / 4.f, 0x666fu, 2, 0.5f, 8, 8);
        return art::shade(art::rgb(200, 194, 180), 1.f + 0.05f * n + 0.05f * grain(x, y, 0x6670u));
    };
    raise(art, rim, stone, {0.f, 1.f, 0.f, 2.f, 0.35f});
    // The middle: a pedestal with a bowl, spilling over.
    raise(art, disc(c, c, 7.f), stone, {2.f, 1.f, 0.45f, 2.f, 0.4f});
    art.paint(art.mask(disc(c, c, 5.f)), [=](float x, float y) { return water(x, y, 3.f); });
    raise(art, disc(c, c, 1.8f), [](float, float) { return palette::waterGlint; }, {0.f, 1.f, 0.f, 1.5f, 0.3f});
    art.paint(art.mask(ring(c, c, 8.5f, 1.f)), art::withAlpha(palette::waterGlint, 0.55f));
    return art;
}

} // namespace

void drawWater(Sheet& sheet)
{
    const auto& masks = area::masks();
    for (int i = 0; i < area::pieces; ++i) {
        const unsigned mask = masks[static_cast<std::size_t>(i)];
        sheet.put(640 + i, pond(mask, i), 0, 0, areaDescription("Pond", mask, "shore"), TileType::Water);
    }
    for (unsigned mask = 0; mask < line::pieces; ++mask)
        sheet.put(704 + static_cast<int>(mask), stream(mask), 0, 0, lineDescription("Stream", mask), TileType::Water);
    sheet.putBlock(563, fountain(), "Fountain", TileType::Water);
}

} // namespace tiles
