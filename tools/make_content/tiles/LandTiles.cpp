// Single ground tiles the mower drives over (32-41): whole-tile grounds
// that repeat with themselves, and small things set into the grass.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Flowers.hpp"
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

constexpr float pi = 3.14159265f;

TileArt whole(const art::Paint& ground)
{
    TileArt art;
    art.fill(ground);
    return art;
}

// A flat stone set in the lawn, its rim rough and its face worn smooth.
Field stoneShape(float cx, float cy, float rx, float ry, unsigned seed)
{
    return [=](float x, float y) {
        const float a = std::atan2(y - cy, x - cx);
        const float wobble = 0.9f * art::noise(std::cos(a) * 1.3f + 5.f, std::sin(a) * 1.3f + 5.f, seed);
        const float d = std::hypot((x - cx) / rx, (y - cy) / ry);
        return (d - 1.f) * std::min(rx, ry) + wobble;
    };
}

art::Paint stoneFace(unsigned seed)
{
    return [seed](float x, float y) {
        const float n = art::fbm(x / 5.f, y / 5.f, seed, 3, 0.5f);
        art::Colour c = art::mix(art::rgb(150, 146, 136), art::rgb(196, 190, 176), 0.55f + 0.4f * n);
        return art::shade(c, 1.f + 0.06f * grain(x, y, seed + 1));
    };
}

void stone(TileArt& art, float cx, float cy, float rx, float ry, unsigned seed)
{
    raise(art, stoneShape(cx, cy, rx, ry, seed), stoneFace(seed),
          {1.f, 1.f, 0.4f, 1.6f, 0.3f});
}

TileArt paving()
{
    TileArt art;
    const Field slab = [](float x, float y) {
        return std::max(std::abs(x - 16.f), std::abs(y - 16.f)) - 11.f;
    };
    raise(art, slab, [](float x, float y) {
        const float n = art::fbm(x / 5.f, y / 5.f, 305u, 3, 0.5f);
        return art::shade(art::mix(art::rgb(178, 172, 158), art::rgb(204, 198, 182), 0.5f + 0.5f * n),
                          1.f + 0.05f * grain(x, y, 307u));
    }, {0.8f, 0.8f, 0.4f, 1.2f, 0.3f});
    return art;
}

TileArt manhole()
{
    TileArt art;
    const Field frame = [](float x, float y) {
        const float dx = std::abs(x - 16.f) - 11.f, dy = std::abs(y - 16.f) - 11.f;
        return std::hypot(std::max(dx, 0.f), std::max(dy, 0.f)) + std::min(std::max(dx, dy), 0.f) - 1.f;
    };
    raise(art, frame, [](float x, float y) { return art::shade(art::rgb(170, 166, 156), 1.f + 0.07f * grain(x, y, 301u)); },
          {0.8f, 0.8f, 0.4f, 1.f, 0.25f});
    const Field cover = [](float x, float y) { return std::hypot(x - 16.f, y - 16.f) - 9.f; };
    const art::Mask disc = art.mask(cover);
    art.paint(disc, [](float x, float y) {
        const float r = std::hypot(x - 16.f, y - 16.f);
        // Cast iron: a raised cross-hatch inside a plain rim.
        const float hatch = (std::fmod(std::abs(x - y + 64.f), 3.f) < 1.f) || (std::fmod(std::abs(x + y), 3.f) < 1.f) ? 1.f : 0.f;
        art::Colour c = art::rgb(74, 72, 70);
        if (r < 7.f)
            c = art::shade(c, 1.f + 0.18f * hatch);
        if (r > 7.f && r < 7.8f)
            c = art::shade(c, 0.7f);
        const float rust = art::fbm(x / 3.f, y / 3.f, 303u, 2);
        return art::mix(c, art::rgb(120, 74, 46), std::clamp(rust * 1.5f - 0.4f, 0.f, 0.6f));
    });
    art.relief([&](float x, float y) { return 1.5f * smoothstep(0.f, 1.5f, -cover(x, y)); }, 0.3f, &disc);
    // The two lifting holes.
    for (float hx : {12.f, 20.f})
        art.paint(art::circle(hx, 16.f, 0.7f), art::rgb(24, 22, 20));
    return art;
}

TileArt fallenLeaves()
{
    TileArt art;
    content::Random rng("tiles/fallen leaves");
    const art::Colour colours[] = {art::rgb(206, 120, 40), art::rgb(176, 64, 36), art::rgb(222, 176, 62),
                                   art::rgb(140, 84, 44), art::rgb(196, 92, 38)};
    for (const art::Point& p : scatter(rng, 11, 5.f, 5.f, 27.f, 27.f, 5.f)) {
        const float x = p.x, y = p.y;
        const float a = static_cast<float>(rng.uniform(0.0, 2.0 * pi));
        const float l = static_cast<float>(rng.uniform(2.6, 3.6));
        const art::Colour colour = colours[rng.below(5)];
        const art::Shape leaf = art::roughened(art::ellipse(x, y, l, l * 0.55f, a),
                                               [a](float px, float py) { return 0.25f * std::sin((px * std::cos(a) + py * std::sin(a)) * 5.f); }, 0.3f);
        const art::Mask m = art.mask(leaf);
        art.castShadow(m, 0.6f, 0.7f, 0.5f, 0.4f);
        art.paint(m, [&](float px, float py) {
            const float lit = ((x - px) + (y - py)) / (l * 2.f);
            return art::shade(colour, 0.95f + 0.15f * lit);
        });
        // The midrib.
        art.paint(art::capsule({x - std::cos(a) * l * 0.8f, y - std::sin(a) * l * 0.8f},
                               {x + std::cos(a) * l * 0.8f, y + std::sin(a) * l * 0.8f}, 0.15f),
                  art::withAlpha(art::shade(colour, 0.7f), 0.8f));
    }
    return art;
}

} // namespace

void drawLand(Sheet& sheet)
{
    sheet.put(32, whole(soil), 0, 0, "Bare soil", TileType::Land);
    sheet.put(33, whole(sand), 0, 0, "Sand", TileType::Land);
    TileArt one;
    stone(one, 16.f, 16.f, 9.5f, 8.5f, 311u);
    sheet.put(34, one, 0, 0, "Stepping stone", TileType::Land);
    TileArt two;
    stone(two, 11.f, 12.f, 6.5f, 6.f, 313u);
    stone(two, 21.5f, 21.f, 6.f, 5.5f, 317u);
    sheet.put(35, two, 0, 0, "Stepping stones", TileType::Land);
    sheet.put(36, whole(gravel), 0, 0, "Gravel", TileType::Land);
    sheet.put(37, paving(), 0, 0, "Paving slab", TileType::Land);
    sheet.put(38, manhole(), 0, 0, "Manhole cover", TileType::Land);
    sheet.put(39, fallenLeaves(), 0, 0, "Fallen leaves", TileType::Land);
    sheet.put(40, whole(tarmac), 0, 0, "Tarmac", TileType::Land);
    sheet.put(41, whole(decking), 0, 0, "Wooden decking", TileType::Land);
}

} // namespace tiles
