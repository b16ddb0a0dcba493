#include "tiles/Flowers.hpp"

#include "tiles/Palette.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float pi = 3.14159265f;

float angleFrom(content::Random& rng) { return static_cast<float>(rng.uniform(0.0, 2.0 * pi)); }

float jitter(content::Random& rng, float amount) { return static_cast<float>(rng.uniform(-amount, amount)); }

} // namespace

std::vector<art::Point> scatter(content::Random& rng, int count, float left, float top, float right, float bottom,
                                float spacing)
{
    std::vector<art::Point> points;
    for (int tries = 0; tries < 400 && static_cast<int>(points.size()) < count; ++tries) {
        const art::Point p{static_cast<float>(rng.uniform(left, right)), static_cast<float>(rng.uniform(top, bottom))};
        bool clear = true;
        for (const art::Point& q : points)
            clear = clear && std::hypot(p.x - q.x, p.y - q.y) >= spacing;
        if (clear)
            points.push_back(p);
    }
    return points;
}

void flower(TileArt& art, float x, float y, float radius, int petals, art::Colour petal, art::Colour centre,
            content::Random& rng)
{
    const float turn = angleFrom(rng);
    art::Shape bloom = art::circle(x, y, radius * 0.4f);
    for (int i = 0; i < petals; ++i) {
        const float a = turn + 2.f * pi * static_cast<float>(i) / static_cast<float>(petals) + jitter(rng, 0.15f);
        const float r = radius * (0.52f + jitter(rng, 0.06f));
        bloom = art::unite(std::move(bloom), art::ellipse(x + std::cos(a) * r, y + std::sin(a) * r, radius * 0.5f,
                                                          radius * 0.24f, a));
    }
    const art::Mask body = art.mask(bloom);
    art.castShadow(body, 0.6f, 0.7f, 0.5f, 0.45f);
    art.paint(body, [&](float px, float py) {
        // Petals are lighter towards the light and at their tips.
        const float lit = ((x - px) + (y - py)) / (radius * 2.8f);
        return art::shade(petal, 0.94f + 0.12f * lit + 0.06f * std::hypot(px - x, py - y) / radius);
    });
    art.paint(art::circle(x, y, radius * 0.3f), centre);
    art.paint(art::circle(x - radius * 0.1f, y - radius * 0.1f, radius * 0.12f), art::shade(centre, 1.25f));
}

void daisy(TileArt& art, float x, float y, content::Random& rng)
{
    flower(art, x, y, 2.4f + jitter(rng, 0.3f), 12, palette::petalWhite, palette::petalYellow, rng);
}

void buttercup(TileArt& art, float x, float y, content::Random& rng)
{
    const float r = 2.f + jitter(rng, 0.25f);
    flower(art, x, y, r, 5, palette::petalYellow, art::rgb(214, 170, 30), rng);
    // Buttercups shine.
    art.paint(art::circle(x - r * 0.45f, y - r * 0.45f, r * 0.22f), art::withAlpha(art::white, 0.7f));
}

void dandelion(TileArt& art, float x, float y, bool seeds, content::Random& rng)
{
    const int leaves = rng.between(5, 6);
    const float turn = angleFrom(rng);
    art::Shape rosette = art::circle(x, y, 0.8f);
    for (int i = 0; i < leaves; ++i) {
        const float a = turn + 2.f * pi * static_cast<float>(i) / static_cast<float>(leaves) + jitter(rng, 0.2f);
        const float l = 5.6f + jitter(rng, 0.8f);
        art::Shape leaf = art::ellipse(x + std::cos(a) * l * 0.5f, y + std::sin(a) * l * 0.5f, l * 0.5f, 1.5f, a);
        // Toothed edges.
        leaf = art::roughened(std::move(leaf), [a](float px, float py) {
            const float along = px * std::cos(a) + py * std::sin(a);
            return 0.3f * std::sin(along * 3.f);
        }, 0.4f);
        rosette = art::unite(std::move(rosette), std::move(leaf));
    }
    const art::Mask body = art.mask(rosette);
    art.castShadow(body, 0.6f, 0.7f, 0.5f, 0.4f);
    art.paint(body, art::rgb(122, 172, 62));
    art.relief(body, 0.8f, 0.2f);
    if (seeds) {
        const art::Mask clock = art.mask(art::circle(x, y, 2.2f));
        art.castShadow(clock, 0.8f, 0.9f, 0.6f, 0.45f);
        art.paint(clock, [&](float px, float py) {
            const float n = art::noise(px * 2.f, py * 2.f, 77u);
            return art::withAlpha(art::shade(palette::petalWhite, 0.92f + 0.08f * n), 0.9f);
        });
        art.relief(clock, 0.8f, 0.25f);
        art.paint(art::circle(x, y, 0.4f), art::rgb(150, 130, 90));
    } else {
        flower(art, x, y, 2.1f, 16, palette::petalYellow, art::rgb(232, 170, 20), rng);
    }
}

void clover(TileArt& art, float x, float y, float radius, content::Random& rng)
{
    const float turn = angleFrom(rng);
    art::Shape leaves = art::circle(x, y, radius * 0.2f);
    std::vector<art::Point> centres;
    for (int i = 0; i < 3; ++i) {
        const float a = turn + 2.f * pi * static_cast<float>(i) / 3.f;
        const art::Point c{x + std::cos(a) * radius * 0.5f, y + std::sin(a) * radius * 0.5f};
        centres.push_back(c);
        leaves = art::unite(std::move(leaves), art::circle(c.x, c.y, radius * 0.48f));
    }
    const art::Mask body = art.mask(leaves);
    art.castShadow(body, 0.5f, 0.6f, 0.5f, 0.4f);
    const art::Colour green = art::mix(art::rgb(74, 150, 84), art::rgb(96, 170, 96), static_cast<float>(rng.uniform()));
    art.paint(body, green);
    // The pale chevron on each leaflet.
    for (const art::Point& c : centres)
        art.paint(art::circle(c.x, c.y, radius * 0.2f), art::withAlpha(art::rgb(196, 226, 186), 0.7f));
    art.relief(body, 0.5f, 0.35f);
}

void tuft(TileArt& art, float x, float y, float radius, content::Random& rng)
{
    art::Mask body = art.mask(art::circle(x, y, radius * 0.4f));
    std::vector<std::pair<std::vector<art::Point>, float>> blades;
    const int count = rng.between(9, 12);
    for (int i = 0; i < count; ++i) {
        const float a = angleFrom(rng);
        const float l = radius * static_cast<float>(rng.uniform(0.6, 1.0));
        const float bend = jitter(rng, 0.5f);
        const art::Point root{x + jitter(rng, 0.5f), y + jitter(rng, 0.5f)};
        const art::Point mid{root.x + std::cos(a) * l * 0.5f, root.y + std::sin(a) * l * 0.5f};
        const art::Point tip{root.x + std::cos(a + bend) * l, root.y + std::sin(a + bend) * l};
        blades.push_back({art::curve(root, mid, tip, 4), std::cos(a + 0.75f * pi)});
        body.unite(art.mask(art::stroke(blades.back().first, 0.8f, 0.3f)));
    }
    art.castShadow(body, 1.f, 1.2f, 0.8f, 0.6f);
    art.paint(art::circle(x, y, radius * 0.35f), palette::grassShade);
    for (const auto& [points, lit] : blades) {
        // Long grass goes to seed: straw-coloured tips.
        const art::Colour colour = art::mix(art::rgb(150, 184, 76), art::rgb(214, 214, 130), 0.5f + 0.4f * lit);
        art.paint(art::stroke(points, 0.8f, 0.3f), [&](float px, float py) {
            const float along = std::hypot(px - points.front().x, py - points.front().y) / radius;
            return art::mix(palette::grassBlade, colour, std::clamp(along * 1.4f, 0.f, 1.f));
        });
    }
}

void mushroom(TileArt& art, float x, float y, float radius, content::Random& rng)
{
    const art::Mask cap = art.mask(art::ellipse(x, y, radius, radius * (0.85f + jitter(rng, 0.1f)), angleFrom(rng)));
    art.castShadow(cap, radius * 0.5f, radius * 0.6f, 0.5f, 0.55f);
    art.paint(cap, art::rgb(232, 214, 180));
    art.relief(cap, radius * 0.6f, 0.35f);
    art.paint(art::circle(x - radius * 0.3f, y - radius * 0.3f, radius * 0.3f), art::withAlpha(art::white, 0.45f));
}

} // namespace tiles
