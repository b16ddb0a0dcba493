#include "pictures/Hills.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "pictures/Foliage.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace pictures {

namespace {

float smoothstep(float edge0, float edge1, float v)
{
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

} // namespace

void paintRidge(art::Canvas& picture, const Ridge& ridge, const Light& light)
{
    content::Random rng(ridge.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    const int width = picture.width();

    // Broad rounded hills with a little unevenness on them, stretched so the
    // lowest point across the picture sits on the baseline and the highest
    // the whole amplitude above it, however the noise fell.
    const auto rolling = [&](float x) { return art::fbm(x / ridge.wavelength, 0.5f, seed, 3, 0.3f); };
    float low = rolling(0.5f), high = low;
    for (int px = 1; px < width; ++px) {
        low = std::min(low, rolling(static_cast<float>(px) + 0.5f));
        high = std::max(high, rolling(static_cast<float>(px) + 0.5f));
    }
    const float range = std::max(high - low, 1e-3f);
    const auto crest = [=](float x) { return ridge.baseline - ridge.amplitude * (rolling(x) - low) / range; };

    // Field boundaries down the face, each following the lie of the land
    // with a wander of its own; a hedgerow stands on each.
    const float fieldDepth = ridge.treeSize * 3.4f;
    std::vector<float> slants;
    for (int k = 0; k <= ridge.hedgerows; ++k)
        slants.push_back(static_cast<float>(rng.uniform(-0.8, 0.8)));
    const auto boundary = [=](int k, float x) {
        return crest(x) + fieldDepth * static_cast<float>(k) +
               fieldDepth * 0.3f * art::noise(x / (ridge.wavelength * 0.6f), static_cast<float>(k) * 3.7f, seed + 7u);
    };
    // Pasture, a darker meadow, hay and fresh grass; their difference fades
    // with distance.
    const float contrast = 1.f - 0.8f * ridge.distance;
    const art::Colour fieldTones[] = {ridge.colour, art::shade(ridge.colour, 1.f - 0.14f * contrast),
                                      art::mix(ridge.colour, art::rgb(214, 198, 118), 0.4f * contrast),
                                      art::mix(ridge.colour, art::rgb(168, 212, 92), 0.3f * contrast)};
    const auto fieldAt = [&](float x, float y) {
        const float top = crest(x);
        int field = 0;
        while (field < ridge.hedgerows && boundary(field + 1, x) <= y)
            ++field;
        const float along = (x + (y - top) * slants[static_cast<std::size_t>(field)]) / (ridge.treeSize * 16.f);
        const int cell = static_cast<int>(std::floor(along + static_cast<float>(field) * 0.37f + 100.f));
        return fieldTones[static_cast<int>(art::hash01(cell, field, seed + 4u) * 3.999f)];
    };
    // The sun behind the hills leaves their faces in shade and lights only
    // the crest.
    const bool backlit = light.rim > 0.f;
    // The haze thickens toward the foot of the ridge.
    const auto distanceAt = [&](float belowCrest) {
        const float mist = ridge.mist * smoothstep(0.f, ridge.amplitude * 1.3f + 6.f, belowCrest);
        return ridge.distance + (1.f - ridge.distance) * mist;
    };

    const int bottom = std::min(picture.height(), static_cast<int>(std::ceil(ridge.bottom)));
    for (int px = 0; px < width; ++px) {
        const float x = static_cast<float>(px) + 0.5f;
        const float top = crest(x);
        const float slope = (crest(x + 2.f) - crest(x - 2.f)) / 4.f;
        // The slope's outward direction: up and to the side it falls away.
        const float n = std::hypot(slope, 1.f);
        const float facing = light.facing(slope / n, -1.f / n);
        for (int py = std::max(0, static_cast<int>(top) - 1); py < bottom; ++py) {
            const float y = static_cast<float>(py) + 0.5f;
            const float coverage = art::edgeCoverage(top - y);
            if (coverage <= 0.f)
                continue;
            const float depth = std::min((y - top) / 120.f, 1.f);
            art::Colour c = ridge.colour;
            if (ridge.hedgerows > 0 && ridge.treeSize > 0.f) {
                // Four looks across the pixel keep the field edges smooth.
                c = art::mix(art::mix(fieldAt(x - 0.25f, y - 0.25f), fieldAt(x + 0.25f, y - 0.25f), 0.5f),
                             art::mix(fieldAt(x - 0.25f, y + 0.25f), fieldAt(x + 0.25f, y + 0.25f), 0.5f), 0.5f);
            }
            // Soft unevenness within each field.
            const float patches = art::fbm(x / 90.f, y / 30.f, seed + 3u, 3);
            c = art::shade(c, 1.f + 0.1f * patches - 0.15f * depth);
            c = light.on(c, backlit ? -0.5f : facing * 0.6f + 0.2f);
            if (backlit)
                c = art::mix(c, light.rimColour, light.rim * 0.3f * std::clamp(1.f - (y - top) / 2.f, 0.f, 1.f));
            c = light.far(c, distanceAt(y - top));
            picture.set(px, py, art::over(picture.get(px, py), c, coverage));
        }
    }

    if (ridge.treeSize <= 0.f)
        return;
    // The crest's trees first, then the hedgerows down the face, each a
    // little nearer and so a little bigger.
    const std::string name(ridge.seed);
    const auto onCrest = [=](float x) { return crest(x) + ridge.treeSize * 0.4f; };
    paintTreeLine(picture, {name + "/crest", onCrest, ridge.treeSize, ridge.leaves, ridge.distance, ridge.wooded},
                  light);
    for (int k = 1; k <= ridge.hedgerows; ++k) {
        const float depth = fieldDepth * static_cast<float>(k);
        const auto onBoundary = [=](float x) { return boundary(k, x); };
        paintTreeLine(picture,
                      {name + "/hedgerow" + std::to_string(k), onBoundary,
                       ridge.treeSize * (1.f + 0.08f * static_cast<float>(k)), ridge.leaves, distanceAt(depth), 0.65f},
                      light);
    }
}

} // namespace pictures
