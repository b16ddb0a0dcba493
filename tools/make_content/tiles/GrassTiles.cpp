// Uncut grass (0) and its variants (1-9).  Each variant is tile 0 with
// something growing in it, kept clear of the tile's sides so that it sits in
// the lawn without a seam.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Flowers.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float pi = 3.14159265f;
// Nothing but grass within this many pixels of a side.
constexpr float clear = 4.5f;

// A soft blob of shade, gone before the tile's sides.
void lushPatch(TileArt& art, float cx, float cy, float radius, float strength, std::uint32_t seed)
{
    art.darken([=](float x, float y) {
        const float a = std::atan2(y - cy, x - cx);
        const float r = radius * (1.f + 0.25f * art::noise(std::cos(a) * 1.5f, std::sin(a) * 1.5f, seed));
        const float inside = smoothstep(0.f, 4.f, r - std::hypot(x - cx, y - cy));
        const float side = std::min({x, y, 32.f - x, 32.f - y});
        return strength * inside * smoothstep(1.f, 4.f, side);
    });
}

TileArt daisies(content::Random& rng, int count)
{
    TileArt art;
    for (const art::Point& p : scatter(rng, count, clear, clear, 32.f - clear, 32.f - clear, 8.f))
        daisy(art, p.x, p.y, rng);
    return art;
}

TileArt daisiesAndClover(content::Random& rng)
{
    TileArt art;
    const auto points = scatter(rng, 6, clear, clear, 32.f - clear, 32.f - clear, 8.f);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i % 2 == 0)
            clover(art, points[i].x, points[i].y, 3.f, rng);
        else
            daisy(art, points[i].x, points[i].y, rng);
    }
    return art;
}

TileArt cloverPatch(content::Random& rng)
{
    TileArt art;
    lushPatch(art, 16.f, 16.f, 9.f, 0.18f, 31u);
    for (const art::Point& p : scatter(rng, 9, clear, clear, 32.f - clear, 32.f - clear, 5.5f))
        clover(art, p.x, p.y, static_cast<float>(rng.uniform(2.6, 3.3)), rng);
    // A clover flower or two.
    for (const art::Point& p : scatter(rng, 2, 8.f, 8.f, 24.f, 24.f, 9.f))
        flower(art, p.x, p.y, 2.f, 14, art::rgb(244, 236, 240), art::rgb(236, 206, 220), rng);
    return art;
}

TileArt darkGrass(content::Random& rng)
{
    TileArt art;
    lushPatch(art, 16.f, 16.f, 10.5f, 0.42f, 41u);
    for (const art::Point& p : scatter(rng, 4, 10.f, 10.f, 22.f, 22.f, 5.f))
        tuft(art, p.x, p.y, 3.2f, rng);
    lushPatch(art, 16.f, 16.f, 7.f, 0.15f, 43u);
    return art;
}

TileArt buttercups(content::Random& rng)
{
    TileArt art;
    for (const art::Point& p : scatter(rng, 6, clear, clear, 32.f - clear, 32.f - clear, 7.f))
        buttercup(art, p.x, p.y, rng);
    return art;
}

TileArt dandelions(content::Random& rng)
{
    TileArt art;
    const float edge = clear + 5.f;
    const auto points = scatter(rng, 3, edge, edge, 32.f - edge, 32.f - edge, 9.f);
    for (std::size_t i = 0; i < points.size(); ++i)
        dandelion(art, points[i].x, points[i].y, i == 2, rng);
    return art;
}

TileArt longTufts(content::Random& rng)
{
    TileArt art;
    const float edge = clear + 4.f;
    for (const art::Point& p : scatter(rng, 3, edge, edge, 32.f - edge, 32.f - edge, 9.f))
        tuft(art, p.x, p.y, static_cast<float>(rng.uniform(4.6, 5.6)), rng);
    return art;
}

TileArt fairyRing(content::Random& rng)
{
    TileArt art;
    // The ring's grass grows darker and lusher.
    art.darken([](float x, float y) {
        const float r = std::hypot(x - 16.f, y - 16.f);
        return 0.38f * std::exp(-std::pow((r - 9.f) / 2.4f, 2.f));
    });
    const int count = 9;
    const float turn = static_cast<float>(rng.uniform(0.0, 2.0 * pi));
    for (int i = 0; i < count; ++i) {
        const float a = turn + 2.f * pi * static_cast<float>(i) / count + static_cast<float>(rng.uniform(-0.2, 0.2));
        const float r = 9.f + static_cast<float>(rng.uniform(-0.8, 0.8));
        mushroom(art, 16.f + std::cos(a) * r, 16.f + std::sin(a) * r, static_cast<float>(rng.uniform(1.3, 1.8)), rng);
    }
    return art;
}

TileArt wildFlowers(content::Random& rng)
{
    TileArt art;
    const art::Colour colours[] = {palette::petalPurple, palette::petalBlue, palette::petalPink, palette::petalWhite,
                                   palette::petalPurple, palette::petalYellow, palette::petalBlue, palette::petalPink};
    int i = 0;
    for (const art::Point& p : scatter(rng, 7, clear, clear, 32.f - clear, 32.f - clear, 6.5f)) {
        const art::Colour petal = colours[i++ % 8];
        flower(art, p.x, p.y, static_cast<float>(rng.uniform(1.8, 2.3)), rng.between(5, 6), petal,
               art::rgb(246, 222, 120), rng);
    }
    return art;
}

} // namespace

void drawGrass(Sheet& sheet)
{
    sheet.put(0, TileArt(), 0, 0, "Uncut grass", TileType::Grass);
    content::Random daisyRng("tiles/daisies");
    sheet.put(1, daisies(daisyRng, 6), 0, 0, "Daisies", TileType::Grass);
    content::Random mixRng("tiles/daisies and clover");
    sheet.put(2, daisiesAndClover(mixRng), 0, 0, "Daisies and clover", TileType::Grass);
    content::Random cloverRng("tiles/clover");
    sheet.put(3, cloverPatch(cloverRng), 0, 0, "Clover patch", TileType::Grass);
    content::Random darkRng("tiles/dark grass");
    sheet.put(4, darkGrass(darkRng), 0, 0, "Dark grass", TileType::Grass);
    content::Random buttercupRng("tiles/buttercups");
    sheet.put(5, buttercups(buttercupRng), 0, 0, "Buttercups", TileType::Grass);
    content::Random dandelionRng("tiles/dandelions");
    sheet.put(6, dandelions(dandelionRng), 0, 0, "Dandelions", TileType::Grass);
    content::Random tuftRng("tiles/long grass");
    sheet.put(7, longTufts(tuftRng), 0, 0, "Long grass tufts", TileType::Grass);
    content::Random ringRng("tiles/fairy ring");
    sheet.put(8, fairyRing(ringRng), 0, 0, "Fairy ring", TileType::Grass);
    content::Random wildRng("tiles/wild flowers");
    sheet.put(9, wildFlowers(wildRng), 0, 0, "Wild flowers", TileType::Grass);
}

} // namespace tiles
