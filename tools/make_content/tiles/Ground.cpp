#include "tiles/Ground.hpp"

#include "tiles/Palette.hpp"
#include "tiles/TileArt.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr int side = tileSize * detail;
constexpr float pi = 3.14159265f;

// A blade of grass seen from above: a thin tapering stroke from its root,
// with a faint shadow of itself towards the bottom right.
void blade(art::Canvas& canvas, content::Random& rng, float length, float width, art::Colour colour, float shadow)
{
    const float x = static_cast<float>(rng.uniform(0.0, side));
    const float y = static_cast<float>(rng.uniform(0.0, side));
    const float angle = static_cast<float>(rng.uniform(0.0, 2.0 * pi));
    const float bend = static_cast<float>(rng.uniform(-0.5, 0.5));
    const float l = length * static_cast<float>(rng.uniform(0.6, 1.0));
    const art::Point root{x, y};
    const art::Point middle{x + std::cos(angle) * l * 0.5f, y + std::sin(angle) * l * 0.5f};
    const art::Point tip{x + std::cos(angle + bend) * l, y + std::sin(angle + bend) * l};
    const std::vector<art::Point> points = art::curve(root, middle, tip, 4);
    // Blades leaning towards the light catch it.
    const float lit = std::cos(angle + bend + 0.75f * pi);
    if (shadow > 0.f) {
        std::vector<art::Point> shifted = points;
        for (art::Point& p : shifted) {
            p.x += 1.5f;
            p.y += 1.5f;
        }
        canvas.paint(art::stroke(shifted, width, width * 0.4f), withAlpha(art::black, shadow));
    }
    canvas.paint(art::stroke(points, width, width * 0.35f), art::shade(colour, 1.f + 0.12f * lit));
}

art::Canvas makeUncutGrass()
{
    const std::uint32_t seed = 1;
    art::Canvas canvas(side, side, art::transparent, true);
    canvas.fill([&](float x, float y) {
        const float u = x / side, v = y / side;
        const float broad = art::fbm(u * 4.f, v * 4.f, seed, 3, 0.5f, 4, 4);
        const float fine = art::fbm(u * 16.f, v * 16.f, seed + 1, 2, 0.5f, 16, 16);
        return art::mix(palette::grassShade, palette::grass, std::clamp(0.58f + 0.2f * broad + 0.25f * fine, 0.f, 1.f));
    });
    // Gaps between the tufts stay dark; the tufts themselves are lighter.
    canvas.light([&](float x, float y) {
        const art::Cell c = art::cells(x / side * 7.f, y / side * 7.f, seed + 2, 0.9f, 7, 7);
        return 0.9f + 0.14f * std::clamp((c.f2 - c.f1) * 2.5f, 0.f, 1.f);
    });
    content::Random rng("tiles/uncut grass");
    for (int i = 0; i < 640; ++i) {
        const float t = static_cast<float>(rng.uniform());
        blade(canvas, rng, 13.f, 1.5f, art::mix(palette::grassBladeDark, palette::grassBlade, t), 0.22f);
    }
    for (int i = 0; i < 160; ++i) {
        const float t = static_cast<float>(rng.uniform());
        blade(canvas, rng, 10.f, 1.2f, art::mix(palette::grassBlade, palette::grassTip, t), 0.18f);
    }
    return canvas;
}

art::Canvas makeMownLawn()
{
    const std::uint32_t seed = 11;
    art::Canvas canvas(side, side, art::transparent, true);
    canvas.fill([&](float x, float y) {
        const float u = x / side, v = y / side;
        const float n = art::fbm(u * 8.f, v * 8.f, seed, 2, 0.5f, 8, 8);
        const float fine = art::noise(u * 32.f, v * 32.f, seed + 1, 32, 32);
        return art::shade(palette::lawn, 1.f + 0.05f * n + 0.04f * fine);
    });
    content::Random rng("tiles/mown lawn");
    for (int i = 0; i < 1100; ++i) {
        const float t = static_cast<float>(rng.uniform());
        blade(canvas, rng, 5.f, 1.2f, art::mix(palette::lawnDark, palette::lawnLight, t), 0.12f);
    }
    // Mowing stripes: bands half a tile wide, light in the middle of each
    // tile and dark across its sides, so they run on from tile to tile.
    canvas.fill([&, copy = canvas](float x, float y) {
        const float u = x / side;
        const float band = -std::cos(u * 2.f * pi);  // 1 in the middle, -1 at the sides
        const float s = std::clamp(band * 3.f, -1.f, 1.f);
        const art::Colour c = copy.get(static_cast<int>(x), static_cast<int>(y));
        return art::mix(art::shade(c, 1.f + 0.07f * s), art::shade(palette::lawnStripe, 1.f + 0.07f * s), s > 0.f ? 0.15f * s : 0.f);
    });
    return canvas;
}

} // namespace

const art::Canvas& uncutGrassDetail()
{
    static const art::Canvas grass = makeUncutGrass();
    return grass;
}

const art::Canvas& mownLawnDetail()
{
    static const art::Canvas lawn = makeMownLawn();
    return lawn;
}

} // namespace tiles
