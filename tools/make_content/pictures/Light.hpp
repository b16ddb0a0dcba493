#pragma once
// How a scene is lit: where the sun is, the colour it gives the sides that
// face it and the sides that do not, the haze that swallows distant things,
// and how strongly edges toward the sun glow when it is behind them.  The
// same trees, fences and lawns are painted at noon and at sunset by
// changing only this.

#include "art/Colour.hpp"
#include "art/Shape.hpp"

namespace pictures {

struct Light {
    art::Point towardSun{-0.6f, -0.8f};  // unit length, in the picture
    art::Colour lit = art::rgb(255, 246, 226);
    art::Colour shaded = art::rgb(150, 164, 190);
    art::Colour haze = art::rgb(200, 222, 236);
    art::Colour rimColour = art::rgb(255, 220, 160);
    float rim = 0.f;
    art::Colour shadow = art::rgb(20, 40, 30, 0.45f);  // what cast shadows lay over the ground

    // A colour on a surface facing the sun by `facing` (-1 away, 1 toward).
    art::Colour on(art::Colour base, float facing) const;
    // A colour seen through `distance` (0 near, 1 at the horizon) of air.
    art::Colour far(art::Colour c, float distance) const;
    // How much a surface whose outward direction is (nx, ny) faces the sun.
    float facing(float nx, float ny) const { return nx * towardSun.x + ny * towardSun.y; }
};

} // namespace pictures
