#include "pictures/Lawn.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

void paintLawn(art::Canvas& picture, const Lawn& lawn, const Light& light)
{
    content::Random rng(lawn.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    const float bottom = static_cast<float>(picture.height());
    // The ground plane: a stripe is a constant width across the ground, so
    // its width on the picture grows with the distance below the horizon.
    const float period = 2.f * lawn.stripeWidth / (bottom - lawn.horizon);

    for (int py = std::max(0, static_cast<int>(lawn.top)); py < picture.height(); ++py) {
        const float y = static_cast<float>(py) + 0.5f;
        const float below = y - lawn.horizon;
        const float depth = (bottom - lawn.horizon) / below;  // 1 at the bottom, growing far away
        const float edge = art::edgeCoverage(lawn.top - y);
        const float distance = std::clamp((depth - 1.f) / 6.f, 0.f, 1.f) * lawn.haze;
        for (int px = 0; px < picture.width(); ++px) {
            const float x = static_cast<float>(px) + 0.5f;
            // Four looks across the pixel keep the stripe edges smooth.
            float stripe = 0.f;
            for (int s = 0; s < 4; ++s) {
                const float across = (x - 0.375f + 0.25f * static_cast<float>(s) - lawn.vanishX) / below / period;
                stripe += std::fmod(across + 1000.f, 1.f) < 0.5f ? 0.25f : 0.f;
            }
            const float u = (x - lawn.vanishX) / below * (bottom - lawn.horizon);  // across, in bottom pixels
            const float v = depth * 60.f;                                          // along, same units
            const int band = static_cast<int>(std::floor(u / (lawn.stripeWidth * 2.f) + 1000.f));
            art::Colour c = art::mix(lawn.dark, lawn.bright, stripe);
            // Each pass of the mower a touch different, and the lawn patchy.
            c = art::shade(c, 1.f + 0.05f * (art::hash01(band, 0, seed) - 0.5f));
            c = art::shade(c, 1.f + 0.08f * art::fbm(u / 90.f, v / 6.f, seed + 1u, 4));
            // Blades: fine streaks along the stripes, finer with distance.
            const float blades = art::noise(u / 3.f, v / 0.6f, seed + 2u);
            c = art::shade(c, 1.f + 0.07f * blades / std::max(1.f, depth * 0.5f));
            c = art::shade(c, 1.f + 0.03f * (art::hash01(px, py, seed + 3u) - 0.5f));
            // Nearer grass darker and cooler, far grass in the sun.
            c = art::shade(c, 0.86f + 0.14f * std::clamp((depth - 1.f) / 3.f, 0.f, 1.f));
            c = light.on(c, lawn.sunlit * 2.f - 1.f);
            c = light.far(c, distance);
            picture.set(px, py, art::over(picture.get(px, py), c, edge));
        }
    }
}

} // namespace pictures
