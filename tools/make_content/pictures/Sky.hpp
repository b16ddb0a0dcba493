#pragma once
// Skies: a graded vault down to the horizon, a sun with its glow, heaped
// cumulus clouds lit from the sun's side, and thin high streaks.

#include "art/Canvas.hpp"
#include "pictures/Light.hpp"
#include "pictures/Ramp.hpp"

#include <string_view>

namespace pictures {

// The sky from the top (0) to the horizon (1), and on below it.
void paintSky(art::Canvas& picture, const Ramp& vault, float horizon);

// A glow around the sun and, when the disc is in the picture, the disc.
void paintSun(art::Canvas& picture, float x, float y, float radius, art::Colour disc, art::Colour glow,
              float glowRadius);

struct CloudBank {
    std::string_view seed;
    float x, y;            // middle of the flat base
    float width, height;
    float distance;        // 0 near, 1 at the horizon: smaller puffs, more haze
};

void paintCumulus(art::Canvas& picture, const CloudBank& cloud, const Light& light);

// Long wisps high up: white streaks drawn out along the wind.
void paintStreaks(art::Canvas& picture, std::string_view seed, float top, float bottom, float opacity,
                  art::Colour colour);

} // namespace pictures
