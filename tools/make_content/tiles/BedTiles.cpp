// Flower beds (384-430), an area family the mower must steer round: rich
// dark soil raised a little above the lawn inside a border of cobbles, with
// clumps of flowers set out in it.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Flowers.hpp"
#include "tiles/Joins.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

const Edge bedEdge{3.f, 0.f, 8.f, 0, 3.f, 2.f};
constexpr float borderWidth = 2.6f;

art::Colour cobbles(float x, float y)
{
    const art::Cell c = art::cells(x / 2.f, y / 2.f, 0x6263u, 0.7f, 16, 16);
    const float tone = art::hash01(static_cast<int>(c.id & 0xFFFFu), 4, 0x6264u);
    art::Colour stone = art::mix(art::rgb(150, 144, 132), art::rgb(204, 198, 184), tone);
    const float lit = std::clamp(-((x / 2.f - c.featureX) + (y / 2.f - c.featureY)) * 1.6f, -1.f, 1.f);
    stone = art::shade(stone, 1.f + 0.25f * lit);
    return art::mix(art::rgb(70, 64, 56), stone, smoothstep(0.04f, 0.2f, c.f2 - c.f1));
}

// A clump of one kind of flower: leaves below, blooms on top.
void plant(TileArt& art, float x, float y, art::Colour bloom, content::Random& rng)
{
    const Field leaves = [&](float px, float py) {
        const float a = std::atan2(py - y, px - x);
        return std::hypot(px - x, py - y) - 4.6f - 0.8f * std::sin(a * 5.f + x);
    };
    raise(art, leaves, [](float px, float py) {
        const float n = art::noise(px / 1.2f, py / 1.2f, 0x706cu);
        return art::mix(art::rgb(34, 84, 34), art::rgb(76, 136, 56), 0.5f + 0.5f * n);
    }, {1.f, 1.f, 0.45f, 2.5f, 0.35f});
    const int blooms = rng.between(5, 7);
    const float turn = static_cast<float>(rng.uniform(0.0, 6.2831853));
    for (int i = 0; i < blooms; ++i) {
        const float a = turn + 6.2831853f * static_cast<float>(i) / static_cast<float>(blooms);
        const float r = i == 0 ? 0.f : 2.7f;
        flower(art, x + std::cos(a) * r, y + std::sin(a) * r, 1.8f, 5, bloom, art::rgb(250, 226, 110), rng);
    }
}

TileArt bed(unsigned mask, int piece)
{
    TileArt art;
    const Field area = [&](float x, float y) { return areaDistance(mask, bedEdge, x, y); };
    raise(art, area, [](float x, float y) { return art::shade(soil(x, y), 0.72f); }, {0.7f, 0.6f, 0.4f, 1.f, 0.2f});
    const Field border = [&](float x, float y) {
        const float d = area(x, y);
        return std::max(d, -d - borderWidth);
    };
    raise(art, border, cobbles, {0.5f, 0.5f, 0.35f, 1.f, 0.3f});
    // Plants at the corners of a loose square and in its middle, each wholly
    // inside this tile and inside the border; now and then one is missing.
    content::Random rng("tiles/flower bed " + std::to_string(piece));
    const art::Colour colours[] = {palette::petalRed, palette::petalYellow, palette::petalPurple, palette::petalPink,
                                   palette::petalWhite, palette::petalOrange, palette::petalBlue};
    const art::Point spots[] = {{8.5f, 8.5f}, {23.5f, 8.5f}, {8.5f, 23.5f}, {23.5f, 23.5f}, {16.f, 16.f}};
    constexpr float clearOfBorder = borderWidth + 2.5f;
    for (const art::Point& spot : spots) {
        float x = spot.x + static_cast<float>(rng.uniform(-1.5, 1.5));
        float y = spot.y + static_cast<float>(rng.uniform(-1.5, 1.5));
        const art::Colour bloom = colours[rng.below(7)];
        const bool missing = rng.chance(0.15);
        // A plant too near the border moves in towards the middle, so that a
        // narrow bed is planted across, not along one side only.
        for (int step = 0; step < 4 && area(x, y) >= -clearOfBorder; ++step) {
            x += (16.f - x) * 0.25f;
            y += (16.f - y) * 0.25f;
        }
        if (!missing && area(x, y) < -clearOfBorder)
            plant(art, x, y, bloom, rng);
    }
    return art;
}

} // namespace

void drawBeds(Sheet& sheet)
{
    const auto& masks = area::masks();
    for (int i = 0; i < area::pieces; ++i) {
        const unsigned mask = masks[static_cast<std::size_t>(i)];
        sheet.put(384 + i, bed(mask, i), 0, 0, areaDescription("Flower bed", mask, "border"), TileType::Solid);
    }
}

} // namespace tiles
