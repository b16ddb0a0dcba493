// Stones and the things people put in gardens (519-534): rocks, a stump,
// benches, a bird bath, gnomes, pots, a wheelbarrow, a sundial, a compost
// bin, a beehive, a water butt and a lamp; and the big rock, picnic table
// and trampoline blocks.  All Solid: each fills most of its square, as
// much as the mower is kept from, standing in uncut grass with its shadow
// down and to the right.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Fields.hpp"
#include "tiles/Flowers.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Ornaments.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"
#include "tiles/Trees.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float pi = 3.14159265f;

art::Paint flat(art::Colour c, unsigned seed, float roughness = 0.05f)
{
    return [=](float x, float y) { return art::shade(c, 1.f + roughness * grain(x, y, seed)); };
}

art::Paint woodAlong(bool acrossX, art::Colour c, unsigned seed)
{
    return [=](float x, float y) {
        const float streak = acrossX ? art::noise(x / 6.f, y * 1.3f, seed) : art::noise(x * 1.3f, y / 6.f, seed);
        return art::shade(c, 1.f + 0.1f * streak + 0.04f * grain(x, y, seed + 1));
    };
}

// A rough stone: facets at odd angles catch more or less light.
void rock(TileArt& art, float cx, float cy, float rx, float ry, float angle, bool mossy, unsigned seed)
{
    const art::Shape outline = art::roughened(art::ellipse(cx, cy, rx, ry, angle),
                                              [seed](float x, float y) { return 1.1f * art::noise(x / 3.f, y / 3.f, seed); }, 1.2f);
    const art::Mask body = art.mask(outline);
    art.castShadow(body, std::min(rx, ry) * 0.22f, std::min(rx, ry) * 0.26f, 1.2f, 0.65f);
    art.outline(body);
    art.paint(body, [=](float x, float y) {
        const art::Cell facet = art::cells(x / 3.5f, y / 3.5f, seed + 1, 1.f);
        const float tilt = art::hash01(static_cast<int>(facet.id & 0xFFFFu), 0, seed + 2);
        art::Colour c = art::mix(art::rgb(120, 118, 112), art::rgb(176, 172, 162), tilt);
        c = art::shade(c, 1.f - 0.2f * smoothstep(0.12f, 0.f, facet.f2 - facet.f1) + 0.05f * grain(x, y, seed + 3));
        // Lichen, and moss on the shady north-west face of old stones.
        const float lichen = art::fbm(x / 2.f, y / 2.f, seed + 4, 2);
        if (lichen > 0.45f)
            c = art::mix(c, art::rgb(196, 196, 120), 0.5f);
        if (mossy) {
            const float moss = art::fbm(x / 4.f, y / 4.f, seed + 5, 2) + ((cx - x) + (cy - y)) / (rx + ry);
            c = art::mix(c, art::rgb(84, 118, 48), smoothstep(0.35f, 0.6f, moss) * 0.85f);
        }
        return c;
    });
    art.relief(body, std::min(rx, ry) * 0.45f, 0.6f);
}

// The shadow and dark rim of something given as a distance field.
void stand(TileArt& art, const Field& body, float offset, float strength = 0.55f)
{
    art.castShadow(body, offset, offset, 1.f, strength);
    art.outline(art.mask(body));
}

TileArt stump()
{
    TileArt art;
    content::Random rng("tiles/stump");
    const float c = 15.5f;
    // Roots spreading into the grass.
    std::vector<art::Shape> roots;
    for (int i = 0; i < 6; ++i) {
        const float a = 2.f * pi * static_cast<float>(i) / 6.f + static_cast<float>(rng.uniform(-0.3, 0.3));
        const float l = static_cast<float>(rng.uniform(11.5, 13.2));
        const art::Point bend{c + std::cos(a + 0.2f) * l * 0.6f, c + std::sin(a + 0.2f) * l * 0.6f};
        roots.push_back(art::stroke(art::curve({c, c}, bend, {c + std::cos(a) * l, c + std::sin(a) * l}, 4), 2.6f, 0.7f));
    }
    art::Mask body = art.mask(art::circle(c, c, 10.f));
    for (const art::Shape& r : roots)
        body.unite(art.mask(r));
    art.castShadow(body, 1.8f, 2.1f, 1.f, 0.6f);
    art.outline(body);
    art.paint(body, [=](float x, float y) {
        // Bark in ridges running out from the trunk.
        const float a = std::atan2(y - c, x - c);
        const float ridges = art::noise(a * 7.f, std::hypot(x - c, y - c) / 3.f, 0x7275u);
        return art::shade(art::rgb(92, 64, 40), 1.f + 0.16f * ridges + 0.05f * grain(x, y, 0x7278u));
    });
    art.relief(body, 1.6f, 0.5f);
    const Field face = disc(c, c, 8.2f);
    raise(art, face, [=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        const float a = std::atan2(y - c, x - c);
        const float rings = 0.5f + 0.5f * std::sin(r * 2.8f + 0.6f * art::noise(a * 2.f, r * 0.3f, 0x7276u));
        art::Colour colour = art::mix(art::rgb(176, 136, 90), art::rgb(214, 180, 128), rings);
        // Darker sapwood at the rim, cracks from the heart outwards.
        colour = art::shade(colour, 1.f - 0.18f * smoothstep(6.2f, 8.f, r));
        const float crack = std::abs(std::sin(a * 3.f + 0.5f));
        if (crack < 0.05f && r > 1.5f && r < 7.f)
            colour = art::shade(colour, 0.6f);
        return art::shade(colour, 1.f + 0.04f * grain(x, y, 0x7277u));
    }, {0.f, 1.f, 0.f, 1.f, 0.25f});
    return art;
}

TileArt bench(bool facingRight)
{
    TileArt art;
    // Laid out facing down, then turned for the other bench.
    auto turn = [facingRight](float x, float y) { return facingRight ? std::pair{31.f - y, x} : std::pair{x, y}; };
    const Field slats = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        const float seat = std::max(std::abs(u - 15.5f) - 11.f, std::abs(v - 18.f) - 4.6f);
        // Gaps between the three slats.
        const float gap = 0.4f - std::abs(std::abs(v - 18.f) - 1.55f);
        return std::max(seat, gap);
    };
    const Field back = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        return std::max(std::abs(u - 15.5f) - 11.f, std::abs(v - 10.6f) - 1.6f);
    };
    const Field ends = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        return std::max(std::abs(std::abs(u - 15.5f) - 11.4f) - 0.9f, std::abs(v - 15.8f) - 7.f);
    };
    const Field all = [&](float x, float y) { return std::min({slats(x, y), back(x, y), ends(x, y)}); };
    art.castShadow(all, 2.2f, 2.2f, 1.f, 0.55f);
    art.outline(art.mask([&](float x, float y) { return std::min({back(x, y), ends(x, y), slats(x, y) - 0.5f}); }));
    const art::Colour teak = art::rgb(162, 112, 66);
    raise(art, back, woodAlong(!facingRight, art::shade(teak, 0.92f), 0x6265u), {0.f, 1.f, 0.f, 0.8f, 0.3f});
    raise(art, slats, woodAlong(!facingRight, teak, 0x6266u), {0.f, 1.f, 0.f, 0.6f, 0.3f});
    raise(art, ends, flat(art::rgb(52, 56, 54), 0x6267u), {0.f, 1.f, 0.f, 0.6f, 0.4f});
    return art;
}

TileArt birdBath()
{
    TileArt art;
    const float c = 15.5f;
    stand(art, disc(c, c, 11.8f), 2.2f);
    raise(art, disc(c, c, 11.8f), flat(palette::stoneLight, 0x6262u, 0.06f), {0.f, 1.f, 0.f, 2.f, 0.35f});
    const Field water = disc(c, c, 9.f);
    art.paint(art.mask(water), [=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        art::Colour w = art::mix(palette::waterShallow, palette::water, smoothstep(9.f, 2.f, r));
        return art::mix(w, palette::waterGlint, 0.6f * smoothstep(1.8f, 0.f, std::hypot(x - c + 3.f, y - c + 3.f)));
    });
    // The bowl's inner wall shades the water on its upper left.
    art.darken([&](float x, float y) { return 0.35f * smoothstep(-1.f, 1.f, -water(x - 1.4f, y - 1.4f)) * (water(x, y) < 0.f ? 1.f : 0.f); });
    // A robin on the rim.
    const Field bird = both(box(24.6f, 7.6f, 2.5f, 1.7f, 1.5f), disc(22.4f, 6.4f, 1.5f));
    stand(art, bird, 1.f, 0.4f);
    raise(art, bird, [](float x, float y) {
        const bool breast = std::hypot(x - 22.8f, y - 8.f) < 1.7f;
        return breast ? art::rgb(222, 98, 46) : art::rgb(112, 84, 58);
    }, {0.f, 1.f, 0.f, 0.8f, 0.35f});
    art.paint(art::circle(21.9f, 5.9f, 0.4f), art::rgb(20, 16, 14));
    art.paint(art::polygon({{20.9f, 6.f}, {20.1f, 6.5f}, {21.1f, 6.8f}}), art::rgb(40, 32, 26));
    return art;
}

TileArt flowerPot()
{
    TileArt art;
    content::Random rng("tiles/flower pot");
    const float c = 15.5f;
    stand(art, disc(c, c, 11.5f), 2.2f);
    raise(art, disc(c, c, 11.5f), [=](float x, float y) {
        // Terracotta, with a rolled lip round the top.
        const float r = std::hypot(x - c, y - c);
        art::Colour colour = art::shade(art::rgb(196, 102, 62), 1.f + 0.05f * grain(x, y, 0x706fu));
        return r > 10.2f ? art::shade(colour, 0.9f) : colour;
    }, {0.f, 1.f, 0.f, 2.f, 0.35f});
    art.paint(art.mask(disc(c, c, 9.4f)), [](float x, float y) { return art::shade(soil(x, y), 0.6f); });
    const art::Mask leaves = crown(art, c, c, 9.2f, {leaves::bush, 7, 0.5f, 0.3f}, rng);
    dots(art, leaves, c, c, 8.6f, 16, 1.5f, palette::petalOrange, rng, 5);
    dots(art, leaves, c, c, 8.6f, 6, 1.3f, palette::petalYellow, rng, 5);
    return art;
}

TileArt wheelbarrow()
{
    TileArt art;
    // Wheel to the left, handles to the right.
    const Field tray = [](float x, float y) {
        const float halfWidth = 5.6f + (x - 7.f) * 0.2f;
        return std::max({7.f - x, x - 22.5f, std::abs(y - 16.f) - halfWidth}) - 0.5f;
    };
    const Field wheel = box(4.5f, 16.f, 2.3f, 1.4f, 0.9f);
    const Field handles = [](float x, float y) {
        return std::max(std::min(std::abs(y - 10.f), std::abs(y - 22.f)) - 0.8f, std::abs(x - 23.8f) - 4.6f);
    };
    const Field all = both(both(tray, wheel), handles);
    stand(art, all, 2.f);
    raise(art, wheel, flat(art::rgb(40, 40, 42), 0x7768u), {0.f, 1.f, 0.f, 0.8f, 0.35f});
    raise(art, handles, woodAlong(true, art::rgb(150, 104, 62), 0x7769u), {0.f, 1.f, 0.f, 0.5f, 0.3f});
    // Black grips on the handles' ends.
    raise(art, [&](float x, float y) { return std::max(handles(x, y), 26.2f - x); }, flat(art::rgb(36, 34, 32), 0x776bu),
          {0.f, 1.f, 0.f, 0.5f, 0.3f});
    raise(art, tray, flat(art::rgb(58, 122, 74), 0x776au), {0.f, 1.f, 0.f, 1.f, 0.35f});
    // A load of soil in the tray, a fork stuck in it.
    const Field load = [&](float x, float y) { return tray(x, y) + 2.4f; };
    raise(art, load, soil, {0.f, 1.f, 0.f, 2.5f, 0.4f});
    raise(art, [](float x, float y) { return art::capsule({12.f, 19.f}, {19.5f, 12.5f}, 0.55f).distance(x, y); },
          flat(art::rgb(176, 132, 84), 0x776cu), {0.9f, 0.8f, 0.45f, 0.4f, 0.3f});
    return art;
}

TileArt sundial()
{
    TileArt art;
    const float c = 15.5f;
    const Field plinth = [=](float x, float y) {
        // An octagon.
        const float dx = std::abs(x - c), dy = std::abs(y - c);
        return std::max(std::max(dx, dy), (dx + dy) * 0.7071f) - 11.3f;
    };
    stand(art, plinth, 2.2f);
    raise(art, plinth, flat(palette::stoneLight, 0x7364u, 0.06f), {0.f, 1.f, 0.f, 1.2f, 0.35f});
    raise(art, disc(c, c, 8.3f), [=](float x, float y) {
        const float a = std::atan2(y - c, x - c), r = std::hypot(x - c, y - c);
        art::Colour colour = art::mix(art::rgb(150, 110, 58), art::rgb(186, 150, 86), 0.5f + 0.5f * art::noise(x, y, 0x7365u));
        // Hour marks round the edge.
        if (r > 6.4f && std::abs(std::sin(a * 6.f)) < 0.2f)
            colour = art::shade(colour, 0.5f);
        return colour;
    }, {0.6f, 0.8f, 0.3f, 0.8f, 0.3f});
    // The gnomon and the shadow it throws across the dial.
    art.paint(art::polygon({{c, c}, {c + 4.5f, c + 4.5f}, {c + 3.4f, c + 5.4f}}), art::withAlpha(art::black, 0.35f));
    raise(art, [=](float x, float y) { return std::max(std::abs(x - c) - 0.6f, std::abs(y - c + 3.f) - 4.f); },
          flat(art::rgb(110, 78, 40), 0x7366u), {0.f, 1.f, 0.f, 0.5f, 0.3f});
    return art;
}

TileArt compostBin()
{
    TileArt art;
    const float c = 15.5f;
    const Field outer = box(c, c, 12.f, 12.f, 0.5f);
    const Field inner = box(c, c, 9.5f, 9.5f, 0.3f);
    stand(art, outer, 2.2f);
    raise(art, [&](float x, float y) { return std::max(outer(x, y), -inner(x, y)); }, [=](float x, float y) {
        // Slats round the sides, each side's boards running along it.
        const bool acrossX = std::abs(y - c) > std::abs(x - c);
        const float along = acrossX ? x : y;
        art::Colour colour = art::rgb(128, 92, 56);
        const float streak = art::noise(along / 5.f, (acrossX ? y : x) * 1.5f, 0x636fu);
        colour = art::shade(colour, 1.f + 0.1f * streak + 0.04f * grain(x, y, 0x6370u));
        const float joint = std::abs(wrapped(along - c, 8.f) - 4.f);
        return joint > 3.6f ? art::shade(colour, 0.6f) : colour;
    }, {0.f, 1.f, 0.f, 1.f, 0.35f});
    art.paint(art.mask(inner), [](float x, float y) {
        art::Colour colour = art::shade(soil(x, y), 0.75f);
        const float bits = art::hash01(static_cast<int>(x * 1.5f), static_cast<int>(y * 1.5f), 0x6371u);
        if (bits > 0.93f)
            colour = art::rgb(96, 140, 52);
        else if (bits > 0.9f)
            colour = art::rgb(214, 132, 46);
        return colour;
    });
    art.darken([&](float x, float y) { return 0.4f * smoothstep(-1.f, 1.5f, inner(x - 1.5f, y - 1.5f)) * (inner(x, y) < 0.f ? 1.f : 0.f); });
    return art;
}

TileArt beehive()
{
    TileArt art;
    content::Random rng("tiles/beehive");
    const float c = 15.5f;
    const Field roof = box(c, 14.8f, 11.3f, 11.3f, 0.5f);
    // The landing board sticks out below the entrance.
    const Field board = box(c, 27.f, 5.f, 1.4f, 0.3f);
    stand(art, both(roof, board), 2.3f);
    raise(art, board, woodAlong(true, art::rgb(176, 132, 84), 0x686bu), {0.f, 1.f, 0.f, 0.5f, 0.3f});
    // A pyramid roof: four faces, each lit by how it faces the light.
    raise(art, roof, [=](float x, float y) {
        const float dx = x - c, dy = y - 14.8f;
        float light;
        if (std::abs(dx) > std::abs(dy))
            light = dx < 0.f ? 1.04f : 0.8f;
        else
            light = dy < 0.f ? 1.08f : 0.74f;
        art::Colour colour = art::shade(art::rgb(236, 232, 218), light * (1.f + 0.03f * grain(x, y, 0x6869u)));
        // The hips where the faces meet.
        if (std::abs(std::abs(dx) - std::abs(dy)) < 0.45f)
            colour = art::shade(colour, 0.86f);
        return colour;
    }, {0.f, 1.f, 0.f, 0.8f, 0.2f});
    raise(art, box(c, 14.8f, 1.8f, 1.8f, 0.3f), flat(art::rgb(150, 150, 146), 0x686au), {0.6f, 0.6f, 0.4f, 0.5f, 0.2f});
    // Bees coming and going at the entrance.
    for (int i = 0; i < 6; ++i) {
        const float x = c + static_cast<float>(rng.uniform(-6.5, 6.5));
        const float y = static_cast<float>(i < 3 ? rng.uniform(26.0, 28.0) : rng.uniform(6.0, 24.0));
        const float a = static_cast<float>(rng.uniform(0.0, 2.0 * pi));
        const art::Mask bee = art.mask(art::ellipse(x, y, 1.1f, 0.75f, a));
        art.outline(bee, 0.3f, art::rgb(30, 24, 16, 0.8f));
        art.paint(bee, [=](float px, float py) {
            const float along = (px - x) * std::cos(a) + (py - y) * std::sin(a);
            return std::abs(along) < 0.3f ? art::rgb(40, 30, 18) : art::rgb(240, 186, 40);
        });
        art.paint(art::ellipse(x - std::sin(a) * 0.6f, y + std::cos(a) * 0.6f, 0.6f, 0.35f, a), art::withAlpha(art::white, 0.6f));
    }
    return art;
}

TileArt waterButt()
{
    TileArt art;
    const float c = 15.5f;
    stand(art, disc(c, c, 11.6f), 2.3f);
    raise(art, disc(c, c, 11.6f), flat(art::rgb(44, 96, 58), 0x7762u), {0.f, 1.f, 0.f, 2.5f, 0.4f});
    // The lid, with its moulded rings.
    raise(art, disc(c, c, 8.8f), [=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        art::Colour colour = art::rgb(52, 108, 66);
        if (std::abs(std::sin(r * 1.6f)) < 0.25f)
            colour = art::shade(colour, 0.82f);
        return colour;
    }, {0.6f, 0.6f, 0.4f, 1.f, 0.3f});
    // The tap, low on the side that faces us.
    const Field tap = box(24.6f, 24.2f, 1.7f, 1.f, 0.4f);
    art.outline(art.mask(tap));
    raise(art, tap, flat(art::rgb(176, 174, 166), 0x7763u), {0.7f, 0.6f, 0.4f, 0.4f, 0.3f});
    return art;
}

TileArt bigRock()
{
    TileArt art(2, 2);
    rock(art, 30.f, 29.f, 21.f, 17.f, 0.35f, true, 0x6272u);
    rock(art, 46.f, 46.f, 9.f, 7.5f, -0.5f, true, 0x6273u);
    return art;
}

TileArt picnicTable()
{
    TileArt art(2, 1);
    const Field top = box(32.f, 16.f, 22.f, 5.5f, 0.6f);
    const Field benches = both(box(32.f, 6.f, 21.f, 2.f, 0.5f), box(32.f, 26.f, 21.f, 2.f, 0.5f));
    art.castShadow(both(top, benches), 2.6f, 2.4f, 1.f, 0.55f);
    art.outline(art.mask(both(top, benches)));
    const art::Colour pine = art::rgb(176, 128, 78);
    raise(art, benches, woodAlong(true, art::shade(pine, 0.92f), 0x7069u), {0.f, 1.f, 0.f, 0.8f, 0.3f});
    raise(art, [&](float x, float y) {
        // Three boards along the table.
        return std::max(top(x, y), 0.3f - std::abs(std::abs(y - 16.f) - 1.85f));
    }, woodAlong(true, pine, 0x706au), {0.f, 1.f, 0.f, 0.8f, 0.3f});
    return art;
}

TileArt trampoline()
{
    TileArt art(2, 2);
    const float c = 31.f;
    const Field frame = ring(c, c, 25.5f, 3.6f);
    // It stands on legs: its shadow lies apart from it on the grass.
    art.castShadow(ring(c, c, 24.f, 6.f), 3.5f, 4.f, 1.2f, 0.5f);
    art.outline(art.mask(disc(c, c, 27.3f)));
    art.paint(art.mask(disc(c, c, 22.2f)), [=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        art::Colour mat = art::rgb(34, 36, 40);
        // A sheen on the taut mat.
        mat = art::mix(mat, art::rgb(90, 96, 108), 0.4f * smoothstep(14.f, 0.f, std::hypot(x - c + 7.f, y - c + 7.f)));
        return r > 21.f ? art::rgb(230, 230, 224) : art::shade(mat, 1.f + 0.04f * grain(x, y, 0x746du));
    });
    // Springs between mat and frame.
    art.paint(art.mask([=](float x, float y) {
        const float r = std::hypot(x - c, y - c);
        const float a = std::atan2(y - c, x - c);
        const float across = std::abs(wrapped(a * 40.f / 6.2831853f, 1.f) - 0.5f) * 6.2831853f * r / 40.f;
        return std::max(std::abs(r - 22.6f) - 1.4f, across - 0.35f);
    }), art::rgb(168, 170, 172));
    raise(art, frame, [=](float x, float y) {
        const float a = std::atan2(y - c, x - c);
        // Padding in alternating blue panels.
        const bool light = wrapped(a * 12.f / 6.2831853f, 1.f) < 0.5f;
        return art::shade(light ? art::rgb(52, 112, 196) : art::rgb(40, 92, 170), 1.f + 0.04f * grain(x, y, 0x746eu));
    }, {0.f, 1.f, 0.f, 1.8f, 0.45f});
    return art;
}

TileArt single(const std::function<void(TileArt&)>& draw)
{
    TileArt art;
    draw(art);
    return art;
}

} // namespace

void drawObjects(Sheet& sheet)
{
    sheet.put(519, single([](TileArt& a) { rock(a, 15.f, 15.f, 12.f, 10.f, 0.4f, false, 0x726fu); }), 0, 0, "Rock", TileType::Solid);
    sheet.put(520, single([](TileArt& a) { rock(a, 15.f, 15.f, 12.6f, 11.8f, -0.3f, true, 0x626fu); }), 0, 0, "Boulder",
              TileType::Solid);
    sheet.put(521, stump(), 0, 0, "Tree stump", TileType::Solid);
    sheet.put(522, bench(false), 0, 0, "Bench, seat facing down", TileType::Solid);
    sheet.put(523, bench(true), 0, 0, "Bench, seat facing right", TileType::Solid);
    sheet.put(524, birdBath(), 0, 0, "Bird bath", TileType::Solid);
    sheet.put(525, gnome(GnomeProp::None), 0, 0, "Garden gnome", TileType::Solid);
    sheet.put(526, gnome(GnomeProp::FishingRod), 0, 0, "Garden gnome with fishing rod", TileType::Solid);
    sheet.put(527, gnome(GnomeProp::Lantern), 0, 0, "Garden gnome with lantern", TileType::Solid);
    sheet.put(528, flowerPot(), 0, 0, "Flower pot", TileType::Solid);
    sheet.put(529, wheelbarrow(), 0, 0, "Wheelbarrow", TileType::Solid);
    sheet.put(530, sundial(), 0, 0, "Sundial", TileType::Solid);
    sheet.put(531, compostBin(), 0, 0, "Compost bin", TileType::Solid);
    sheet.put(532, beehive(), 0, 0, "Beehive", TileType::Solid);
    sheet.put(533, waterButt(), 0, 0, "Water butt", TileType::Solid);
    sheet.put(534, gardenLamp(), 0, 0, "Garden lamp", TileType::Solid);
    sheet.putBlock(551, bigRock(), "Big rock", TileType::Solid);
    sheet.putBlock(559, picnicTable(), "Picnic table", TileType::Solid);
    sheet.putBlock(561, trampoline(), "Trampoline", TileType::Solid);
}

} // namespace tiles
