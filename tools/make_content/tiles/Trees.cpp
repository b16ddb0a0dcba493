#include "tiles/Trees.hpp"

#include "tiles/Curves.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

constexpr float pi = 3.14159265f;

float angle(content::Random& rng) { return static_cast<float>(rng.uniform(0.0, 2.0 * pi)); }

} // namespace

art::Mask crown(TileArt& art, float cx, float cy, float radius, const CrownStyle& style, content::Random& rng)
{
    art::Shape outline = art::circle(cx, cy, radius * (1.f - style.lumpiness * 0.5f));
    const float turn = angle(rng);
    for (int i = 0; i < style.lobes; ++i) {
        const float a = turn + 2.f * pi * static_cast<float>(i) / static_cast<float>(style.lobes) +
                        static_cast<float>(rng.uniform(-0.3, 0.3));
        const float lobe = radius * style.lumpiness * static_cast<float>(rng.uniform(0.85, 1.1));
        const float reach = radius - lobe;
        outline = art::unite(std::move(outline), art::circle(cx + std::cos(a) * reach, cy + std::sin(a) * reach, lobe));
    }
    const unsigned seed = static_cast<unsigned>(rng.next());
    outline = art::roughened(std::move(outline), [seed](float x, float y) { return 0.7f * art::noise(x / 1.5f, y / 1.5f, seed); }, 0.8f);
    const art::Mask body = art.mask(outline);
    art.castShadow(body, radius * 0.3f * style.shadow, radius * 0.36f * style.shadow, radius * 0.12f, 0.6f);
    art.outline(body);
    art.paint(body, foliage(style.leafage));
    art.relief(body, radius * 0.35f, 0.55f);
    // The crown's underside, seen between the outer lobes, lies in shade.
    art.darken([&](float x, float y) {
        const int px = std::clamp(static_cast<int>(x * detail), 0, body.width() - 1);
        const int py = std::clamp(static_cast<int>(y * detail), 0, body.height() - 1);
        const float r = std::hypot(x - cx + radius * 0.12f, y - cy + radius * 0.12f) / radius;
        return 0.3f * smoothstep(0.75f, 1.05f, r) * body(px, py);
    });
    return body;
}

art::Mask conifer(TileArt& art, float cx, float cy, float radius, content::Random& rng, float shadow)
{
    // From above a fir is tiers of branch tips, each tier smaller and turned
    // a little from the one below, rising to the leader in the middle.
    const int branches = 13;
    const float turn = angle(rng);
    const unsigned seed = static_cast<unsigned>(rng.next());
    auto tier = [&](float r, float offset, unsigned tierSeed) {
        std::vector<art::Point> star;
        for (int i = 0; i < branches * 2; ++i) {
            const float a = turn + offset + pi * static_cast<float>(i) / static_cast<float>(branches);
            const float reach = r * (i % 2 == 0 ? static_cast<float>(rng.uniform(0.84, 1.0)) : 0.74f);
            star.push_back({cx + std::cos(a) * reach, cy + std::sin(a) * reach});
        }
        return art::roughened(art::polygon(star),
                              [tierSeed](float x, float y) { return 0.5f * art::noise(x / 1.1f, y / 1.1f, tierSeed); }, 0.6f);
    };
    const art::Mask body = art.mask(tier(radius, 0.f, seed));
    art.castShadow(body, radius * 0.34f * shadow, radius * 0.4f * shadow, radius * 0.12f, 0.6f);
    art.outline(body);
    auto needles = [=](float lift) {
        return [=](float x, float y) {
            // Sprays along each branch, darker in the gaps between them.
            const float a = std::atan2(y - cy, x - cx) - turn;
            const float r = std::hypot(x - cx, y - cy);
            const float bend = 1.4f * art::noise(std::cos(a) * 2.f + r / 5.f, std::sin(a) * 2.f, seed + 2);
            const float branch = 0.5f + 0.5f * std::cos(a * static_cast<float>(branches) + lift * 9.f + bend);
            const float sprays = art::noise(r * 1.6f, a * 11.f, seed + 1) + 0.5f * art::noise(r * 0.9f, a * 26.f, seed + 3);
            const float t = std::clamp(0.12f + lift + 0.48f * branch + 0.22f * sprays, 0.f, 1.f);
            return art::mix(art::rgb(16, 54, 40), art::rgb(96, 150, 94), t);
        };
    };
    art.paint(body, needles(0.f));
    const Field cone = [=](float x, float y) { return 1.2f * (radius - std::hypot(x - cx, y - cy)); };
    art.relief(cone, 0.45f, &body);
    // The upper tiers, each throwing a little shade on the one below.
    for (const float part : {0.66f, 0.36f}) {
        const art::Mask upper = art.mask(tier(radius * part, pi / static_cast<float>(branches) * (part < 0.5f ? 0.f : 1.f),
                                              seed + static_cast<unsigned>(part * 100.f)));
        art.castShadow(upper, radius * 0.1f, radius * 0.12f, radius * 0.05f, 0.6f, false);
        art.outline(upper, 0.45f, art::rgb(10, 38, 26, 0.55f));
        art.paint(upper, needles(part > 0.5f ? 0.14f : 0.28f));
        art.relief(cone, 0.45f, &upper);
    }
    art.paint(art::circle(cx - 0.3f, cy - 0.3f, radius * 0.07f), art::rgb(150, 190, 120));
    return body;
}

void dots(TileArt& art, const art::Mask& within, float cx, float cy, float radius, int count, float size,
          art::Colour colour, content::Random& rng, int petals)
{
    for (int i = 0; i < count; ++i) {
        const float a = angle(rng);
        const float r = radius * std::sqrt(static_cast<float>(rng.uniform(0.0, 0.85)));
        const float x = cx + std::cos(a) * r, y = cy + std::sin(a) * r;
        const int px = static_cast<int>(x * detail), py = static_cast<int>(y * detail);
        if (within.at(px, py) < 0.9f)
            continue;
        const float s = size * static_cast<float>(rng.uniform(0.8, 1.15));
        if (petals > 0) {
            art::Shape bloom = art::circle(x, y, s * 0.45f);
            const float turn = angle(rng);
            for (int k = 0; k < petals; ++k) {
                const float b = turn + 2.f * pi * static_cast<float>(k) / static_cast<float>(petals);
                bloom = art::unite(std::move(bloom), art::circle(x + std::cos(b) * s * 0.5f, y + std::sin(b) * s * 0.5f, s * 0.45f));
            }
            art.paint(bloom, [&](float px2, float py2) {
                const float lit = ((x - px2) + (y - py2)) / (s * 2.f);
                return art::shade(colour, 0.92f + 0.25f * lit);
            });
            art.paint(art::circle(x, y, s * 0.25f), art::shade(colour, 0.7f));
        } else {
            const art::Mask m = art.mask(art::circle(x, y, s));
            art.castShadow(m, s * 0.4f, s * 0.5f, s * 0.3f, 0.4f);
            art.paint(m, colour);
            art.relief(m, s * 0.5f, 0.5f);
            art.paint(art::circle(x - s * 0.35f, y - s * 0.35f, s * 0.3f), art::withAlpha(art::white, 0.5f));
        }
    }
}

} // namespace tiles
