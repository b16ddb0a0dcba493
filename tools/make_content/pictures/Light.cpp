#include "pictures/Light.hpp"

#include <algorithm>

namespace pictures {

art::Colour Light::on(art::Colour base, float facing) const
{
    const float t = std::clamp(0.5f + 0.5f * facing, 0.f, 1.f);
    const art::Colour tint = art::mix(shaded, lit, t);
    art::Colour c{base.r * tint.r, base.g * tint.g, base.b * tint.b, base.a};
    if (rim > 0.f)
        c = art::mix(c, art::withAlpha(rimColour, base.a), rim * std::max(0.f, facing) * std::max(0.f, facing));
    return art::clamped(c);
}

art::Colour Light::far(art::Colour c, float distance) const
{
    return art::withAlpha(art::mix(c, haze, std::clamp(distance, 0.f, 1.f)), c.a);
}

} // namespace pictures
