// Stones and the things people put in gardens (519-534): rocks, a stump,
// benches, a bird bath, gnomes, pots, a wheelbarrow, a sundial, a compost
// bin, a beehive, a water butt and a lamp; and the big rock, picnic table
// and trampoline blocks.  All Solid, each standing in uncut grass with its
// shadow down and to the right.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Fields.hpp"
#include "tiles/Flowers.hpp"
#include "tiles/Materials.hpp"
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
    art.castShadow(body, std::min(rx, ry) * 0.3f, std::min(rx, ry) * 0.36f, 1.2f, 0.65f);
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

TileArt stump()
{
    TileArt art;
    content::Random rng("tiles/stump");
    // Roots spreading into the grass.
    std::vector<art::Shape> roots;
    for (int i = 0; i < 5; ++i) {
        const float a = 2.f * pi * static_cast<float>(i) / 5.f + static_cast<float>(rng.uniform(-0.3, 0.3));
        const float l = static_cast<float>(rng.uniform(10.0, 12.0));
        roots.push_back(art::stroke({{16.f, 16.f}, {16.f + std::cos(a) * l, 16.f + std::sin(a) * l}}, 2.f, 0.6f));
    }
    art::Mask body = art.mask(art::circle(16.f, 16.f, 8.5f));
    for (const art::Shape& r : roots)
        body.unite(art.mask(r));
    art.castShadow(body, 2.f, 2.4f, 1.f, 0.6f);
    art.paint(body, woodAlong(true, art::rgb(92, 64, 40), 0x7275u));
    art.relief(body, 1.5f, 0.5f);
    const Field face = disc(16.f, 16.f, 6.8f);
    raise(art, face, [](float x, float y) {
        const float r = std::hypot(x - 16.f, y - 16.f);
        const float a = std::atan2(y - 16.f, x - 16.f);
        const float rings = 0.5f + 0.5f * std::sin(r * 3.2f + 0.6f * art::noise(a * 2.f, r * 0.3f, 0x7276u));
        art::Colour c = art::mix(art::rgb(176, 136, 90), art::rgb(214, 180, 128), rings);
        // Cracks from the heart outwards.
        const float crack = std::abs(std::sin(a * 3.f + 0.5f));
        if (crack < 0.05f && r > 1.5f)
            c = art::shade(c, 0.6f);
        return art::shade(c, 1.f + 0.04f * grain(x, y, 0x7277u));
    }, {0.f, 1.f, 0.f, 1.f, 0.25f});
    return art;
}

TileArt bench(bool facingRight)
{
    TileArt art;
    // Laid out facing down, then turned for the other bench.
    auto turn = [facingRight](float x, float y) { return facingRight ? std::pair{32.f - y, x} : std::pair{x, y}; };
    const Field slats = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        const float seat = std::max(std::abs(u - 16.f) - 11.f, std::abs(v - 18.f) - 4.f);
        // Gaps between the three slats.
        const float gap = 0.4f - std::abs(std::abs(v - 18.f) - 1.35f);
        return std::max(seat, gap);
    };
    const Field back = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        return std::max(std::abs(u - 16.f) - 11.f, std::abs(v - 11.5f) - 1.4f);
    };
    const Field ends = [=](float x, float y) {
        const auto [u, v] = turn(x, y);
        return std::max(std::abs(std::abs(u - 16.f) - 11.3f) - 0.9f, std::abs(v - 16.f) - 6.5f);
    };
    const Field all = [&](float x, float y) { return std::min({slats(x, y), back(x, y), ends(x, y)}); };
    art.castShadow(all, 2.6f, 2.6f, 1.f, 0.55f);
    const art::Colour teak = art::rgb(162, 112, 66);
    raise(art, back, woodAlong(!facingRight, art::shade(teak, 0.92f), 0x6265u), {0.f, 1.f, 0.f, 0.8f, 0.3f});
    raise(art, slats, woodAlong(!facingRight, teak, 0x6266u), {0.f, 1.f, 0.f, 0.6f, 0.3f});
    raise(art, ends, flat(art::rgb(52, 56, 54), 0x6267u), {0.f, 1.f, 0.f, 0.6f, 0.4f});
    return art;
}

TileArt birdBath()
{
    TileArt art;
    raise(art, disc(16.f, 16.f, 10.f), flat(palette::stoneLight, 0x6262u, 0.06f), {2.4f, 1.2f, 0.55f, 2.f, 0.35f});
    const Field water = disc(16.f, 16.f, 7.5f);
    art.paint(art.mask(water), [](float x, float y) {
        const float r = std::hypot(x - 16.f, y - 16.f);
        art::Colour c = art::mix(palette::waterShallow, palette::water, smoothstep(7.5f, 2.f, r));
        return art::mix(c, palette::waterGlint, 0.5f * smoothstep(1.4f, 0.f, std::hypot(x - 13.f, y - 13.f)));
    });
    // The bowl's inner wall shades the water on its upper left.
    art.darken([&](float x, float y) { return 0.35f * smoothstep(-1.f, 1.f, -water(x - 1.2f, y - 1.2f)) * (water(x, y) < 0.f ? 1.f : 0.f); });
    // A robin on the rim.
    const Field bird = both(box(23.5f, 9.f, 1.9f, 1.3f, 1.2f), disc(21.8f, 8.f, 1.1f));
    raise(art, bird, [](float x, float y) {
        const bool breast = std::hypot(x - 22.f, y - 9.2f) < 1.3f;
        return breast ? art::rgb(214, 96, 48) : art::rgb(110, 82, 56);
    }, {0.9f, 0.5f, 0.5f, 0.8f, 0.35f});
    art.paint(art::circle(21.4f, 7.7f, 0.3f), art::rgb(20, 16, 14));
    return art;
}

enum class GnomeExtra { None, FishingRod, Lantern };

TileArt gnome(GnomeExtra extra)
{
    TileArt art;
    const float cx = 15.f, cy = 13.5f;
    if (extra == GnomeExtra::FishingRod) {
        const art::Mask rod = art.mask(art::capsule({20.5f, 18.f}, {28.5f, 9.f}, 0.45f));
        art.castShadow(rod, 2.5f, 2.5f, 0.6f, 0.45f);
        art.paint(rod, art::rgb(120, 84, 48));
        // The line hangs from the tip to a red and white float.
        art.paint(art::capsule({28.5f, 9.f}, {28.9f, 15.f}, 0.15f), art::withAlpha(art::rgb(230, 230, 230), 0.8f));
        raise(art, disc(28.9f, 15.9f, 1.f), [](float, float y) { return y < 15.9f ? palette::petalRed : palette::paint; },
              {0.6f, 0.5f, 0.4f, 0.6f, 0.3f});
    }
    // Boots, the blue coat, the white beard and the tall red hat.
    constexpr float k = 1.25f;
    const Field boots = both(disc(cx - 2.f * k, cy + 7.f * k, 1.6f * k), disc(cx + 2.f * k, cy + 7.f * k, 1.6f * k));
    const Field coat = disc(cx, cy + 2.5f * k, 5.2f * k);
    art.castShadow(both(coat, boots), 2.6f, 2.6f, 1.f, 0.55f);
    raise(art, boots, flat(art::rgb(70, 48, 34), 0x676eu), {0.f, 1.f, 0.f, 1.f, 0.3f});
    raise(art, coat, flat(art::rgb(52, 92, 178), 0x676fu), {0.f, 1.f, 0.f, 3.f, 0.45f});
    // Hands.
    for (float side : {-1.f, 1.f})
        raise(art, disc(cx + side * 4.6f * k, cy + 3.5f * k, 1.1f * k), flat(art::rgb(236, 186, 150), 0x6770u),
              {0.f, 1.f, 0.f, 0.8f, 0.3f});
    raise(art, [=](float x, float y) { return std::hypot((x - cx) / 1.1f, y - cy - 3.5f * k) - 3.f * k; },
          flat(palette::petalWhite, 0x6771u), {0.f, 1.f, 0.f, 2.f, 0.35f});
    const float hatRadius = 4.f * k;
    const Field hat = disc(cx, cy, hatRadius);
    raise(art, hat, flat(art::rgb(206, 38, 36), 0x6772u), {0.8f, 1.f, 0.35f, 1.f, 0.f});
    const art::Mask hatMask = art.mask(hat);
    // A cone from above: bright where it faces the light, all the way to its tip.
    art.relief([=](float x, float y) { return 2.f * (hatRadius - std::hypot(x - cx, y - cy)); }, 0.4f, &hatMask);
    art.paint(art::circle(cx - 0.2f, cy - 0.2f, 0.7f), art::rgb(240, 110, 96));
    if (extra == GnomeExtra::Lantern) {
        const Field lamp = box(24.f, 20.f, 1.8f, 1.8f, 0.4f);
        art.light([](float x, float y) { return 1.f + 0.22f * smoothstep(6.f, 0.f, std::hypot(x - 24.f, y - 20.f)); });
        raise(art, lamp, [](float x, float y) {
            const bool glass = std::max(std::abs(x - 24.f), std::abs(y - 20.f)) < 1.1f;
            return glass ? art::rgb(255, 226, 120) : art::rgb(40, 40, 42);
        }, {1.f, 0.8f, 0.45f, 0.6f, 0.2f});
        art.paint(art::capsule({22.f, 18.6f}, {21.2f, 18.f}, 0.3f), art::rgb(40, 40, 42));
    }
    return art;
}

TileArt flowerPot()
{
    TileArt art;
    content::Random rng("tiles/flower pot");
    raise(art, disc(16.f, 16.f, 9.f), flat(art::rgb(192, 100, 62), 0x706fu), {2.4f, 1.2f, 0.55f, 2.f, 0.35f});
    art.paint(art.mask(disc(16.f, 16.f, 7.4f)), [](float x, float y) { return art::shade(soil(x, y), 0.7f); });
    const art::Mask leaves = crown(art, 16.f, 16.f, 6.8f, {leaves::bush, 6, 0.5f, 0.5f}, rng);
    dots(art, leaves, 16.f, 16.f, 6.f, 10, 1.2f, palette::petalOrange, rng, 5);
    return art;
}

TileArt wheelbarrow()
{
    TileArt art;
    // Wheel to the left, handles to the right.
    const Field tray = [](float x, float y) {
        const float halfWidth = 5.f + (x - 8.f) * 0.2f;
        return std::max({8.f - x, x - 22.f, std::abs(y - 16.f) - halfWidth}) - 0.5f;
    };
    const Field wheel = box(5.5f, 16.f, 2.f, 1.2f, 0.8f);
    const Field handles = [](float x, float y) {
        return std::max(std::min(std::abs(y - 11.f), std::abs(y - 21.f)) - 0.7f, std::abs(x - 23.5f) - 4.f);
    };
    const Field all = both(both(tray, wheel), handles);
    art.castShadow(all, 2.2f, 2.4f, 1.f, 0.55f);
    raise(art, wheel, flat(art::rgb(40, 40, 42), 0x7768u), {0.f, 1.f, 0.f, 0.8f, 0.35f});
    raise(art, handles, woodAlong(true, art::rgb(150, 104, 62), 0x7769u), {0.f, 1.f, 0.f, 0.5f, 0.3f});
    raise(art, tray, flat(art::rgb(58, 122, 74), 0x776au), {0.f, 1.f, 0.f, 1.f, 0.35f});
    // A load of soil in the tray.
    const Field load = [&](float x, float y) { return tray(x, y) + 2.4f; };
    raise(art, load, soil, {0.f, 1.f, 0.f, 2.5f, 0.4f});
    return art;
}

TileArt sundial()
{
    TileArt art;
    const Field plinth = [](float x, float y) {
        // An octagon.
        const float dx = std::abs(x - 16.f), dy = std::abs(y - 16.f);
        return std::max(std::max(dx, dy), (dx + dy) * 0.7071f) - 9.f;
    };
    raise(art, plinth, flat(palette::stoneLight, 0x7364u, 0.06f), {2.4f, 1.2f, 0.55f, 1.2f, 0.35f});
    raise(art, disc(16.f, 16.f, 6.5f), [](float x, float y) {
        const float a = std::atan2(y - 16.f, x - 16.f), r = std::hypot(x - 16.f, y - 16.f);
        art::Colour c = art::mix(art::rgb(150, 110, 58), art::rgb(186, 150, 86), 0.5f + 0.5f * art::noise(x, y, 0x7365u));
        // Hour marks round the edge.
        if (r > 5.f && std::abs(std::sin(a * 6.f)) < 0.18f)
            c = art::shade(c, 0.55f);
        return c;
    }, {0.f, 1.f, 0.f, 0.8f, 0.3f});
    // The gnomon and the shadow it throws across the dial.
    art.paint(art::polygon({{16.f, 16.f}, {19.5f, 19.5f}, {18.6f, 20.3f}}), art::withAlpha(art::black, 0.35f));
    raise(art, [](float x, float y) { return std::max(std::abs(x - 16.f) - 0.5f, std::abs(y - 13.f) - 3.5f); },
          flat(art::rgb(110, 78, 40), 0x7366u), {0.f, 1.f, 0.f, 0.5f, 0.3f});
    return art;
}

TileArt compostBin()
{
    TileArt art;
    const Field outer = box(16.f, 16.f, 11.f, 11.f, 0.5f);
    const Field inner = box(16.f, 16.f, 8.5f, 8.5f, 0.3f);
    art.castShadow(outer, 2.6f, 2.6f, 1.2f, 0.55f);
    raise(art, [&](float x, float y) { return std::max(outer(x, y), -inner(x, y)); }, [](float x, float y) {
        // Slats round the sides, each side's boards running along it.
        const bool acrossX = std::abs(y - 16.f) > std::abs(x - 16.f);
        const float along = acrossX ? x : y;
        art::Colour c = art::rgb(128, 92, 56);
        const float streak = art::noise(along / 5.f, (acrossX ? y : x) * 1.5f, 0x636fu);
        c = art::shade(c, 1.f + 0.1f * streak + 0.04f * grain(x, y, 0x6370u));
        const float joint = std::abs(wrapped(along, 7.3f) - 3.65f);
        return joint > 3.3f ? art::shade(c, 0.6f) : c;
    }, {0.f, 1.f, 0.f, 1.f, 0.35f});
    art.paint(art.mask(inner), [](float x, float y) {
        art::Colour c = art::shade(soil(x, y), 0.75f);
        const float bits = art::hash01(static_cast<int>(x * 1.5f), static_cast<int>(y * 1.5f), 0x6371u);
        if (bits > 0.93f)
            c = art::rgb(96, 140, 52);
        else if (bits > 0.9f)
            c = art::rgb(214, 132, 46);
        return c;
    });
    art.darken([&](float x, float y) { return 0.4f * smoothstep(-1.f, 1.5f, inner(x - 1.5f, y - 1.5f)) * (inner(x, y) < 0.f ? 1.f : 0.f); });
    return art;
}

TileArt beehive()
{
    TileArt art;
    content::Random rng("tiles/beehive");
    const Field roof = box(16.f, 16.f, 9.5f, 9.5f, 0.5f);
    art.castShadow(roof, 2.8f, 2.8f, 1.2f, 0.55f);
    // A pyramid roof: four faces, each lit by how it faces the light.
    raise(art, roof, [](float x, float y) {
        const float dx = x - 16.f, dy = y - 16.f;
        float light;
        if (std::abs(dx) > std::abs(dy))
            light = dx < 0.f ? 1.08f : 0.8f;
        else
            light = dy < 0.f ? 1.12f : 0.76f;
        art::Colour c = art::shade(palette::paint, light * (1.f + 0.03f * grain(x, y, 0x6869u)));
        if (std::abs(std::abs(dx) - std::abs(dy)) < 0.35f)
            c = art::shade(c, 0.9f);
        return c;
    }, {0.f, 1.f, 0.f, 0.8f, 0.2f});
    raise(art, box(16.f, 16.f, 1.6f, 1.6f, 0.3f), flat(art::rgb(150, 150, 146), 0x686au), {0.6f, 0.6f, 0.4f, 0.5f, 0.2f});
    for (int i = 0; i < 6; ++i) {
        const float a = static_cast<float>(rng.uniform(0.0, 2.0 * pi));
        const float r = static_cast<float>(rng.uniform(11.0, 13.0));
        const float x = 16.f + std::cos(a) * r, y = 16.f + std::sin(a) * r;
        art.paint(art::ellipse(x, y, 0.7f, 0.45f, a), art::rgb(230, 180, 40));
        art.paint(art::ellipse(x, y, 0.2f, 0.45f, a), art::rgb(30, 24, 16));
    }
    return art;
}

TileArt waterButt()
{
    TileArt art;
    raise(art, disc(16.f, 16.f, 9.5f), flat(art::rgb(44, 96, 58), 0x7762u), {2.6f, 1.2f, 0.55f, 2.5f, 0.4f});
    // The lid, with its moulded rings.
    raise(art, disc(16.f, 16.f, 7.2f), [](float x, float y) {
        const float r = std::hypot(x - 16.f, y - 16.f);
        art::Colour c = art::rgb(52, 108, 66);
        if (std::abs(std::sin(r * 1.6f)) < 0.25f)
            c = art::shade(c, 0.82f);
        return c;
    }, {0.6f, 0.6f, 0.4f, 1.f, 0.3f});
    raise(art, box(23.5f, 22.5f, 1.4f, 0.8f, 0.4f), flat(art::rgb(160, 160, 156), 0x7763u), {0.7f, 0.6f, 0.4f, 0.4f, 0.3f});
    return art;
}

TileArt lamp()
{
    TileArt art;
    // Warm light pooled on the grass round the post.
    art.light([](float x, float y) { return 1.f + 0.22f * smoothstep(11.f, 2.f, std::hypot(x - 16.f, y - 16.f)); });
    const Field cap = [](float x, float y) {
        const float dx = std::abs(x - 16.f), dy = std::abs(y - 16.f);
        return std::max(std::max(dx, dy), (dx + dy) * 0.7071f) - 5.f;
    };
    raise(art, cap, [](float x, float y) {
        const float dx = std::abs(x - 16.f), dy = std::abs(y - 16.f);
        const float r = std::max(std::max(dx, dy), (dx + dy) * 0.7071f);
        // Glass panes show round the rim, below the dark top.
        return r > 3.4f ? art::rgb(250, 224, 140) : art::rgb(36, 38, 40);
    }, {3.f, 1.2f, 0.55f, 1.2f, 0.4f});
    raise(art, disc(16.f, 16.f, 1.f), flat(art::rgb(60, 62, 64), 0x6c61u), {0.f, 1.f, 0.f, 0.6f, 0.4f});
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
    sheet.put(519, single([](TileArt& a) { rock(a, 15.f, 15.5f, 8.5f, 7.f, 0.4f, false, 0x726fu); }), 0, 0, "Rock", TileType::Solid);
    sheet.put(520, single([](TileArt& a) { rock(a, 15.f, 15.f, 11.f, 10.f, -0.3f, true, 0x626fu); }), 0, 0, "Boulder",
              TileType::Solid);
    sheet.put(521, stump(), 0, 0, "Tree stump", TileType::Solid);
    sheet.put(522, bench(false), 0, 0, "Bench, seat facing down", TileType::Solid);
    sheet.put(523, bench(true), 0, 0, "Bench, seat facing right", TileType::Solid);
    sheet.put(524, birdBath(), 0, 0, "Bird bath", TileType::Solid);
    sheet.put(525, gnome(GnomeExtra::None), 0, 0, "Garden gnome", TileType::Solid);
    sheet.put(526, gnome(GnomeExtra::FishingRod), 0, 0, "Garden gnome with fishing rod", TileType::Solid);
    sheet.put(527, gnome(GnomeExtra::Lantern), 0, 0, "Garden gnome with lantern", TileType::Solid);
    sheet.put(528, flowerPot(), 0, 0, "Flower pot", TileType::Solid);
    sheet.put(529, wheelbarrow(), 0, 0, "Wheelbarrow", TileType::Solid);
    sheet.put(530, sundial(), 0, 0, "Sundial", TileType::Solid);
    sheet.put(531, compostBin(), 0, 0, "Compost bin", TileType::Solid);
    sheet.put(532, beehive(), 0, 0, "Beehive", TileType::Solid);
    sheet.put(533, waterButt(), 0, 0, "Water butt", TileType::Solid);
    sheet.put(534, lamp(), 0, 0, "Garden lamp", TileType::Solid);
    sheet.putBlock(551, bigRock(), "Big rock", TileType::Solid);
    sheet.putBlock(559, picnicTable(), "Picnic table", TileType::Solid);
    sheet.putBlock(561, trampoline(), "Trampoline", TileType::Solid);
}

} // namespace tiles
