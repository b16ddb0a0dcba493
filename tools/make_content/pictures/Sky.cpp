#include "pictures/Sky.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictures {

namespace {

float smoothstep(float edge0, float edge1, float v)
{
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

} // namespace

void paintSky(art::Canvas& picture, const Ramp& vault, float horizon)
{
    picture.fill([&](float, float y) { return vault(y / horizon); });
}

void paintSun(art::Canvas& picture, float x, float y, float radius, art::Colour disc, art::Colour glow,
              float glowRadius)
{
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px) {
            const float d = std::hypot(static_cast<float>(px) + 0.5f - x, static_cast<float>(py) + 0.5f - y);
            // Light adds to the sky: a wide faint halo and a tight bright one.
            const float halo = 0.55f * std::exp(-d / glowRadius) + 0.45f * std::exp(-d / (glowRadius * 0.25f));
            art::Colour c = picture.get(px, py);
            c = art::over(c, glow, std::min(1.f, halo));
            if (radius > 0.f)
                c = art::over(c, disc, art::edgeCoverage(d - radius));
            picture.set(px, py, c);
        }
}

void paintCumulus(art::Canvas& picture, const CloudBank& cloud, const Light& light)
{
    content::Random rng(cloud.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    struct Puff {
        float x, y, r;
    };
    // A heap: puffs biggest in the middle, standing on a flat base.
    std::vector<Puff> puffs;
    const int count = 10 + static_cast<int>(cloud.width / 30.f);
    for (int i = 0; i < count; ++i) {
        const float t = static_cast<float>(rng.uniform(-1.0, 1.0));
        const float swell = 1.f - t * t;
        const float r = cloud.height * (0.22f + 0.3f * swell) * static_cast<float>(rng.uniform(0.75, 1.15));
        const float x = cloud.x + t * (cloud.width / 2.f - r * 0.6f);
        const float rise = cloud.height * swell * static_cast<float>(rng.uniform(0.2, 0.65));
        puffs.push_back({x, cloud.y - r * 0.55f - rise, r});
    }
    // Lower puffs first, so the higher ones sit on them.
    std::sort(puffs.begin(), puffs.end(), [](const Puff& a, const Puff& b) { return a.y + a.r > b.y + b.r; });

    Painter painter(picture);
    const art::Colour white = art::rgb(255, 255, 255);
    const art::Colour belly = art::rgb(196, 208, 226);
    const float soft = 2.f + 5.f * cloud.distance;
    for (const Puff& p : puffs) {
        const art::Shape puff = art::intersect(
            art::roughened(art::circle(p.x, p.y, p.r),
                           [=](float x, float y) { return art::fbm(x / 14.f, y / 14.f, seed, 3) * p.r * 0.12f; },
                           p.r * 0.15f),
            art::rectangle(p.x - p.r * 2.f, p.y - p.r * 2.f, p.x + p.r * 2.f, cloud.y, 0.f));
        painter.fill(puff, [=, &light](float x, float y) {
            const float nx = (x - p.x) / p.r, ny = (y - p.y) / p.r;
            const float facing = light.facing(nx, ny);
            // Flat grey belly underneath, sunlit tops.
            const float low = smoothstep(cloud.y - cloud.height * 0.35f, cloud.y, y);
            art::Colour c = art::mix(white, belly, std::clamp(0.35f - 0.6f * facing, 0.f, 1.f));
            c = art::mix(c, belly, low * 0.8f);
            c = art::shade(c, 1.f + 0.04f * art::fbm(x / 6.f, y / 6.f, seed + 1u, 3));
            return light.far(light.on(c, 0.5f + 0.5f * facing), cloud.distance * 0.7f);
        }, soft);
    }
}

void paintStreaks(art::Canvas& picture, std::string_view seed, float top, float bottom, float opacity,
                  art::Colour colour)
{
    content::Random rng(seed);
    const auto s = static_cast<std::uint32_t>(rng.next());
    const int y0 = std::max(0, static_cast<int>(top)), y1 = std::min(picture.height(), static_cast<int>(bottom));
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            const float band = smoothstep(top, top + 30.f, fy) * (1.f - smoothstep(bottom - 40.f, bottom, fy));
            const float wisp = art::fbm(fx / 260.f, fy / 14.f, s, 5);
            const float a = smoothstep(0.1f, 0.55f, wisp) * band * opacity;
            if (a > 0.f)
                picture.set(x, y, art::over(picture.get(x, y), colour, a));
        }
}

} // namespace pictures
