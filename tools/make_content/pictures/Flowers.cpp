#include "pictures/Flowers.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

constexpr float pi = 3.14159265f;

struct Bloom {
    float x, y, r;
    int kind;
    art::Colour colour;
};

void paintBloom(Painter& painter, const Bloom& b, const Light& light)
{
    const float stem = b.r * 2.2f;
    painter.fill(art::capsule({b.x, b.y}, {b.x, b.y + stem}, std::max(0.6f, b.r * 0.14f)),
                 light.on(art::rgb(60, 120, 40), 0.f));
    const float cy = b.y;
    const auto petalPaint = [&](float px, float py) {
        const float facing = light.facing((px - b.x) / b.r, (py - cy) / b.r);
        return light.on(b.colour, 0.4f + 0.6f * facing);
    };
    if (b.kind == 0) {
        // Daisy-like: a ring of petals round a yellow eye.
        for (int i = 0; i < 8; ++i) {
            const float a = static_cast<float>(i) * pi / 4.f;
            painter.fill(art::ellipse(b.x + std::cos(a) * b.r * 0.6f, cy + std::sin(a) * b.r * 0.45f, b.r * 0.5f,
                                      b.r * 0.22f, a),
                         petalPaint);
        }
        painter.fill(art::circle(b.x, cy, b.r * 0.3f), light.on(art::rgb(250, 190, 40), 0.5f));
    } else if (b.kind == 1) {
        // Tulip: a cup of three petals.
        painter.fill(art::ellipse(b.x, cy, b.r * 0.55f, b.r * 0.75f), petalPaint);
        painter.fill(art::ellipse(b.x - b.r * 0.3f, cy - b.r * 0.15f, b.r * 0.32f, b.r * 0.6f, -0.25f), petalPaint);
        painter.fill(art::ellipse(b.x + b.r * 0.3f, cy - b.r * 0.15f, b.r * 0.32f, b.r * 0.6f, 0.25f),
                     [&](float px, float py) { return art::shade(petalPaint(px, py), 0.85f); });
    } else {
        // Round bloom of many small petals.
        painter.fill(art::circle(b.x, cy, b.r * 0.75f), [&](float px, float py) {
            const float ruffle = 0.85f + 0.25f * art::hash01(static_cast<int>(px / 1.5f), static_cast<int>(py / 1.5f), 7u);
            return art::shade(petalPaint(px, py), ruffle);
        });
    }
}

} // namespace

void paintFlowerBed(art::Canvas& picture, const FlowerBed& bed, const Light& light)
{
    content::Random rng(bed.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    Painter painter(picture);
    const float depth = bed.bottom - bed.top;
    // Leaves first: a low mound of foliage along the bed.
    for (float x = bed.left; x < bed.right; x += std::max(2.f, bed.size * 0.9f)) {
        for (int row = 0; row < 3; ++row) {
            const float t = (static_cast<float>(row) + static_cast<float>(rng.uniform(0.0, 1.0))) / 3.f;
            const float y = bed.top + t * depth;
            const float scale = 0.55f + 0.45f * t;
            const float r = bed.size * scale * static_cast<float>(rng.uniform(0.9, 1.5));
            const float jx = x + static_cast<float>(rng.uniform(-1.0, 1.0)) * bed.size;
            painter.fill(art::ellipse(jx, y, r * 1.3f, r), [&, jx, y, r](float px, float py) {
                const float facing = light.facing((px - jx) / r, (py - y) / r);
                const float leaf = 0.8f + 0.35f * art::fbm(px / 2.f, py / 2.f, seed, 2);
                return light.on(art::shade(art::rgb(58, 112, 44), leaf * (0.75f + 0.3f * t)), facing);
            });
        }
    }
    std::vector<Bloom> blooms;
    for (int i = 0; i < bed.count; ++i) {
        const float t = static_cast<float>(rng.uniform(0.0, 1.0));
        const float scale = 0.55f + 0.45f * t;
        blooms.push_back({static_cast<float>(rng.uniform(bed.left, bed.right)),
                          bed.top + t * depth - bed.size * scale * static_cast<float>(rng.uniform(0.5, 1.8)),
                          bed.size * scale * static_cast<float>(rng.uniform(0.8, 1.2)), rng.below(3),
                          bed.colours[static_cast<std::size_t>(rng.below(static_cast<int>(bed.colours.size())))]});
    }
    // Far ones first.
    std::stable_sort(blooms.begin(), blooms.end(), [](const Bloom& a, const Bloom& b) { return a.y + a.r < b.y + b.r; });
    for (const Bloom& b : blooms)
        paintBloom(painter, b, light);
}

} // namespace pictures
