#include "sprites/CloudPicture.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sprites {

namespace {

struct Puff {
    float x, y, radius;
};

float smoothstep(float edge0, float edge1, float v)
{
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

std::vector<Puff> heap(const CloudShape& shape, content::Random& rng)
{
    const float cx = static_cast<float>(shape.width) / 2.f, cy = static_cast<float>(shape.height) / 2.f;
    // The rim puffs sit on an ellipse kept clear of the frame's edge.
    const float rx = cx - shape.bumpRadius - 4.f, ry = cy - shape.bumpRadius - 4.f;
    std::vector<Puff> puffs;
    const float start = static_cast<float>(rng.uniform(0.0, 6.283185307));
    for (int i = 0; i < shape.bumps; ++i) {
        const float angle = start + 6.283185307f * (static_cast<float>(i) + static_cast<float>(rng.uniform(-0.25, 0.25))) /
                                        static_cast<float>(shape.bumps);
        const float reach = static_cast<float>(rng.uniform(0.78, 1.0));
        puffs.push_back({cx + std::cos(angle) * rx * reach, cy + std::sin(angle) * ry * reach,
                         shape.bumpRadius * static_cast<float>(rng.uniform(0.7, 1.1))});
    }
    // Big towers fill the middle and stand highest.
    const int towers = 3 + static_cast<int>(rx / 28.f);
    for (int i = 0; i < towers; ++i) {
        const float t = (static_cast<float>(i) + 0.5f) / static_cast<float>(towers) - 0.5f;
        puffs.push_back({cx + t * rx * 1.3f + static_cast<float>(rng.uniform(-3.0, 3.0)),
                         cy + static_cast<float>(rng.uniform(-0.25, 0.25)) * ry,
                         std::min(rx, ry) * static_cast<float>(rng.uniform(0.75, 0.95)) + shape.bumpRadius * 0.4f});
    }
    // Smaller billows piled on the towers give the top its lumps.
    const std::size_t ground = puffs.size();
    for (std::size_t i = static_cast<std::size_t>(shape.bumps); i < ground; ++i) {
        const Puff tower = puffs[i];
        for (int k = 0; k < 2; ++k) {
            const float angle = static_cast<float>(rng.uniform(0.0, 6.283185307));
            const float reach = tower.radius * static_cast<float>(rng.uniform(0.25, 0.5));
            puffs.push_back({tower.x + std::cos(angle) * reach, tower.y + std::sin(angle) * reach,
                             tower.radius * static_cast<float>(rng.uniform(0.4, 0.55))});
        }
    }
    return puffs;
}

} // namespace

art::Canvas paintCloud(const CloudShape& shape)
{
    content::Random rng(shape.seed);
    const auto noiseSeed = static_cast<std::uint32_t>(rng.next());
    const std::vector<Puff> puffs = heap(shape, rng);

    // The vapour reaches a little past the puffs and frays there; where
    // puffs overlap it adds up, so the gaps between them stay filled.
    const auto density = [&](float x, float y) {
        float nearest = -1.f, sum = 0.f;
        for (const Puff& p : puffs) {
            const float v = 1.f - std::hypot(x - p.x, y - p.y) / (p.radius + 3.f);
            nearest = std::max(nearest, v);
            sum += std::max(v, 0.f);
        }
        return std::max(nearest, sum);
    };

    const art::Colour sunlit = art::rgb(255, 255, 255);
    const art::Colour shaded = art::rgb(164, 180, 210);
    const float lightX = -0.5f, lightY = -0.6f, lightZ = 0.62f;
    // Puffs painted bottom first, each a lit ball whose shaded lower side
    // makes the fold against the one beneath.
    art::Canvas body(shape.width, shape.height, shaded);
    for (const Puff& p : puffs)
        for (int py = 0; py < shape.height; ++py)
            for (int px = 0; px < shape.width; ++px) {
                const float x = static_cast<float>(px) + 0.5f, y = static_cast<float>(py) + 0.5f;
                const float u = (x - p.x) / p.radius, v = (y - p.y) / p.radius;
                const float d2 = u * u + v * v;
                if (d2 >= 1.f)
                    continue;
                const float diffuse = u * lightX + v * lightY + std::sqrt(1.f - d2) * lightZ;
                const art::Colour c = art::mix(shaded, sunlit, smoothstep(-0.15f, 0.75f, diffuse));
                body.set(px, py, art::over(body.get(px, py), c, smoothstep(1.f, 0.7f, std::sqrt(d2))));
            }

    const float cx = static_cast<float>(shape.width) / 2.f, cy = static_cast<float>(shape.height) / 2.f;
    art::Canvas cloud(shape.width, shape.height);
    for (int py = 0; py < shape.height; ++py)
        for (int px = 0; px < shape.width; ++px) {
            const float x = static_cast<float>(px) + 0.5f, y = static_cast<float>(py) + 0.5f;
            const float fray = art::fbm(x / 9.f, y / 9.f, noiseSeed, 4) * 0.22f;
            // The rim frays out, and fades before the frame's edge.
            const float margin = std::min({x, y, static_cast<float>(shape.width) - x, static_cast<float>(shape.height) - y});
            const float alpha = smoothstep(0.06f, 0.6f, density(x, y) + fray) * smoothstep(1.f, 5.f, margin);
            if (alpha <= 0.f)
                continue;
            art::Colour c = body.get(px, py);
            // The whole heap is greyer on the side away from the sun.
            const float away = smoothstep(-0.2f, 1.f, (x - cx) / cx * 0.5f + (y - cy) / cy * 0.6f);
            c = art::mix(c, shaded, 0.3f * away);
            c = art::shade(c, 1.f + art::fbm(x / 6.f, y / 6.f, noiseSeed + 17u, 3) * 0.05f);
            cloud.set(px, py, art::withAlpha(art::clamped(c), alpha));
        }
    return cloud;
}

} // namespace sprites
