#include "tiles/Water.hpp"

#include "tiles/Curves.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Palette.hpp"
#include "tiles/Tiled.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

art::Colour water(float x, float y, float depth)
{
    // Slow swell, and the sky's reflection broken up by ripples.
    static const Field swell = tiledField("water swell", [](float px, float py) {
        return art::fbm(px / 16.f, py / 16.f, 0x7761u, 2, 0.5f, 2, 2);
    });
    // Ripples in long wavering rows across the wind, breaking into dashes
    // that come and go, so that a pond of many tiles reads as moving water
    // rather than as the same tile over again.
    static const Field crest = tiledField("water crests", [](float px, float py) {
        const float waver = 2.4f * art::fbm(px / 16.f, py / 16.f, 0x7762u, 2, 0.5f, 2, 2);
        const float rows = std::cos((py + waver) * 2.f * 3.14159265f / 6.4f);
        const float dashes = smoothstep(-0.15f, 0.45f, art::noise(px / 5.33f, py / 6.4f, 0x7763u, 6, 5));
        return smoothstep(0.72f, 0.96f, rows) * dashes;
    });
    art::Colour c = art::mix(palette::waterShallow, palette::water, smoothstep(0.f, 6.f, depth));
    c = art::mix(c, palette::waterDeep, smoothstep(6.f, 22.f, depth) * 0.8f);
    c = art::shade(c, 1.f + 0.08f * swell(x, y));
    return art::mix(c, art::mix(c, palette::waterGlint, 0.32f), crest(x, y) * smoothstep(1.f, 4.f, depth));
}

namespace {

art::Colour bankAt(float x, float y)
{
    const float n = art::fbm(x / 4.f, y / 4.f, 0x6261u, 2, 0.5f, 8, 8);
    art::Colour c = art::mix(art::rgb(86, 70, 50), art::rgb(132, 112, 84), 0.5f + 0.5f * n);
    // Pebbles along the water's edge.
    const art::Cell p = art::cells(x / 2.f, y / 2.f, 0x6262u, 1.f, 16, 16);
    if (art::hash01(static_cast<int>(p.id & 0xFFFFu), 5, 0x6263u) > 0.55f) {
        const float lit = std::clamp(-((x / 2.f - p.featureX) + (y / 2.f - p.featureY)) * 2.f, -1.f, 1.f);
        const art::Colour pebble = art::shade(art::rgb(164, 158, 146), 1.f + 0.25f * lit);
        c = art::mix(c, pebble, smoothstep(0.36f, 0.26f, p.f1));
    }
    return art::shade(c, 1.f + 0.06f * grain(x, y, 0x6264u));
}

} // namespace

art::Colour bank(float x, float y)
{
    static const art::Paint texture = tiledPaint("bank", bankAt);
    return texture(x, y);
}

} // namespace tiles
