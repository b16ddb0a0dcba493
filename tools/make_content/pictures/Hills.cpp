#include "pictures/Hills.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "pictures/Foliage.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

void paintRidge(art::Canvas& picture, const Ridge& ridge, const Light& light)
{
    content::Random rng(ridge.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    const auto crest = [&](float x) {
        return ridge.baseline - ridge.amplitude * (0.5f + 0.6f * art::fbm(x / ridge.wavelength, 0.5f, seed, 3));
    };

    for (int px = 0; px < picture.width(); ++px) {
        const float x = static_cast<float>(px) + 0.5f;
        const float top = crest(x);
        const float slope = (crest(x + 2.f) - crest(x - 2.f)) / 4.f;
        // The slope's outward direction: up and to the side it falls away.
        const float n = std::hypot(slope, 1.f);
        const float facing = light.facing(slope / n, -1.f / n);
        for (int py = std::max(0, static_cast<int>(top) - 1); py < picture.height(); ++py) {
            const float y = static_cast<float>(py) + 0.5f;
            const float coverage = art::edgeCoverage(top - y);
            if (coverage <= 0.f)
                continue;
            const float depth = (y - top) / 120.f;
            // Fields and copses as a soft patchwork.
            const float fields = art::fbm(x / 90.f, y / 30.f, seed + 3u, 4);
            art::Colour c = art::shade(ridge.colour, 1.f + 0.12f * fields - 0.15f * std::min(depth, 1.f));
            c = light.on(c, facing * 0.6f + 0.2f);
            c = light.far(c, ridge.distance * (1.f - 0.25f * std::min(depth, 1.f)));
            picture.set(px, py, art::over(picture.get(px, py), c, coverage));
        }
    }

    if (ridge.woods)
        paintWoods(picture, {ridge.seed, crest, 7.f * (1.f - 0.5f * ridge.distance), art::rgb(66, 110, 52), ridge.distance * 0.85f},
                   light);
}

} // namespace pictures
