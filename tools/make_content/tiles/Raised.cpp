#include "tiles/Raised.hpp"

#include "tiles/Curves.hpp"

#include "art/Noise.hpp"

namespace tiles {

void raise(TileArt& art, const Field& body, const art::Paint& colour, const Raised& style)
{
    if (style.shadowStrength > 0.f)
        art.castShadow(body, style.shadowOffset, style.shadowOffset, style.shadowSoftness, style.shadowStrength);
    const art::Mask mask = art.mask(body);
    art.paint(mask, colour);
    if (style.light > 0.f) {
        const float r = style.roundness;
        art.relief([&](float x, float y) { return r * smoothstep(0.f, r, -body(x, y)); }, style.light, &mask);
    }
}

Field roughen(Field field, float amount, float grain, unsigned seed)
{
    const int period = static_cast<int>(32.f / grain);
    return [=](float x, float y) { return field(x, y) + amount * art::fbm(x / grain, y / grain, seed, 2, 0.5f, period, period); };
}

} // namespace tiles
