#include "pictures/Foliage.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace pictures {

namespace {

constexpr float tau = 6.283185307f;

struct Ball {
    float x, y, z, r;
    float outside;  // 0 deep in the heap, 1 on its surface: how much sky it sees
};

float uniform(content::Random& rng, float low, float high)
{
    return static_cast<float>(rng.uniform(low, high));
}

// Balls over the front of an ellipsoid (and a few filling its heart), for
// a mass of foliage.
void heapUp(std::vector<Ball>& balls, content::Random& rng, float cx, float cy, float rx, float ry, float ball)
{
    const float rz = (rx + ry) * 0.4f;
    const int count = 4 + static_cast<int>(2.2f * rx * ry / (ball * ball));
    for (int i = 0; i < count; ++i) {
        // A direction on the front of the sphere, evenly spread.
        const float w = uniform(rng, -0.15f, 1.f);
        const float a = uniform(rng, 0.f, tau);
        const float s = std::sqrt(std::max(0.f, 1.f - w * w));
        const float k = uniform(rng, 0.7f, 1.f);
        balls.push_back({cx + std::cos(a) * s * rx * k, cy + std::sin(a) * s * ry * k, w * rz * k,
                         ball * uniform(rng, 0.8f, 1.2f), std::clamp(k * (0.55f + 0.45f * w), 0.f, 1.f)});
    }
    for (int i = 0; i < count / 6; ++i)
        balls.push_back({cx + uniform(rng, -0.4f, 0.4f) * rx, cy + uniform(rng, -0.4f, 0.4f) * ry, 0.f, ball * 1.4f, 0.1f});
}

// Renders the heap: the nearest ball at each pixel, lit from its slope.
void paintBalls(art::Canvas& picture, const std::vector<Ball>& balls, art::Colour leaves, float leafSize,
                float distance, const Light& light, std::uint32_t seed)
{
    if (balls.empty())
        return;
    float left = std::numeric_limits<float>::max(), top = left, right = std::numeric_limits<float>::lowest(), bottom = right;
    for (const Ball& b : balls) {
        const float reach = b.r * 1.3f + leafSize;
        left = std::min(left, b.x - reach);
        top = std::min(top, b.y - reach);
        right = std::max(right, b.x + reach);
        bottom = std::max(bottom, b.y + reach);
    }
    const int x0 = std::max(0, static_cast<int>(left)), y0 = std::max(0, static_cast<int>(top));
    const int x1 = std::min(picture.width() - 1, static_cast<int>(right)), y1 = std::min(picture.height() - 1, static_cast<int>(bottom));
    if (x1 < x0 || y1 < y0)
        return;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    struct Hit {
        float z = std::numeric_limits<float>::lowest();
        float coverage = 0.f;
        float nx = 0.f, ny = 0.f, nz = 1.f;
        float outside = 0.f;
    };
    std::vector<Hit> hits(static_cast<std::size_t>(w * h));

    for (const Ball& b : balls) {
        const float reach = b.r * 1.3f + leafSize;
        const int bx0 = std::max(x0, static_cast<int>(b.x - reach)), bx1 = std::min(x1, static_cast<int>(b.x + reach));
        const int by0 = std::max(y0, static_cast<int>(b.y - reach)), by1 = std::min(y1, static_cast<int>(b.y + reach));
        for (int py = by0; py <= by1; ++py)
            for (int px = bx0; px <= bx1; ++px) {
                const float x = static_cast<float>(px) + 0.5f, y = static_cast<float>(py) + 0.5f;
                const float d = std::hypot(x - b.x, y - b.y);
                if (d > reach)
                    continue;
                // The ball's rim broken into leaves.
                const float ruffle = 1.f + 0.16f * art::noise(x / (leafSize * 1.7f), y / (leafSize * 1.7f), seed) +
                                     0.1f * art::noise(x / leafSize, y / leafSize, seed + 1u);
                const float rr = b.r * ruffle;
                const float coverage = art::edgeCoverage(d - rr);
                if (coverage <= 0.f)
                    continue;
                Hit& hit = hits[static_cast<std::size_t>((py - y0) * w + (px - x0))];
                hit.coverage = std::max(hit.coverage, coverage);
                const float dz = std::sqrt(std::max(0.f, rr * rr - d * d));
                if (b.z + dz > hit.z) {
                    hit.z = b.z + dz;
                    hit.nx = (x - b.x) / rr;
                    hit.ny = (y - b.y) / rr;
                    hit.nz = dz / rr;
                    hit.outside = b.outside;
                }
            }
    }

    // The sun comes from the picture's side of things and a little from in
    // front, so the faces toward us are lit too.
    const float sunZ = light.rim > 0.f ? -0.35f : 0.75f;
    const float sunLength = std::hypot(light.towardSun.x, light.towardSun.y, sunZ);
    const float lx = light.towardSun.x / sunLength, ly = light.towardSun.y / sunLength, lz = sunZ / sunLength;
    const auto heightAt = [&](int px, int py) {
        if (px < x0 || py < y0 || px > x1 || py > y1)
            return std::numeric_limits<float>::lowest();
        return hits[static_cast<std::size_t>((py - y0) * w + (px - x0))].z;
    };
    const art::Colour sunny = art::clamped(art::mix(leaves, art::rgb(226, 236, 110), 0.45f));
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            const Hit& hit = hits[static_cast<std::size_t>((py - y0) * w + (px - x0))];
            if (hit.coverage <= 0.f)
                continue;
            // Balls nearer the sun that stand higher throw their shade on this
            // one.  With the sun behind the heap, only its rim toward the sun,
            // where open sky lies just beyond, catches any light.
            float shadowed = 0.f;
            bool rim = false;
            for (const float step : {3.f, 6.f, 10.f}) {
                const float z = heightAt(px + static_cast<int>(std::lround(light.towardSun.x * step)),
                                         py + static_cast<int>(std::lround(light.towardSun.y * step)));
                shadowed = std::max(shadowed, std::clamp((z - hit.z - step * 0.5f) / 5.f, 0.f, 1.f));
                rim = rim || (step < 7.f && z == std::numeric_limits<float>::lowest());
            }
            if (light.rim > 0.f)
                shadowed = rim ? 0.f : 1.f;
            const float x = static_cast<float>(px) + 0.5f, y = static_cast<float>(py) + 0.5f;
            // Single leaves tilt this way and that.
            const float tx = art::noise(x / leafSize, y / leafSize, seed + 2u) * 0.45f;
            const float ty = art::noise(x / leafSize, y / leafSize, seed + 3u) * 0.45f;
            const float nx = hit.nx + tx, ny = hit.ny + ty, nz = hit.nz;
            const float n = std::hypot(nx, ny, nz);
            const float lambert = (nx * lx + ny * ly + nz * lz) / n;
            float facing = std::clamp(lambert * 1.7f - 0.6f, -1.f, 1.f);
            facing += (-0.9f - facing) * shadowed * 0.7f;
            const float hollow = 0.45f + 0.55f * hit.outside;
            art::Colour base = art::shade(leaves, hollow * (0.92f + 0.16f * tx));
            // Sunlit leaves go yellow-green.
            base = art::mix(base, art::shade(sunny, hollow), std::clamp((facing - 0.35f) * 0.9f, 0.f, 0.6f));
            const art::Colour c = light.far(light.on(base, facing), distance);
            picture.set(px, py, art::over(picture.get(px, py), c, hit.coverage));
        }
}

} // namespace

void paintTreeShadow(art::Canvas& picture, const Tree& tree, const Light& light)
{
    Painter painter(picture);
    const float away = -light.towardSun.x * tree.crownWidth * 0.45f;
    painter.fill(art::ellipse(tree.x + away, tree.ground + tree.crownWidth * 0.04f, tree.crownWidth * 0.55f,
                              tree.crownWidth * 0.11f),
                 light.shadow, tree.crownWidth * 0.2f);
}

void paintTree(art::Canvas& picture, const Tree& tree, const Light& light)
{
    content::Random rng(tree.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    Painter painter(picture);
    const float crownY = tree.ground - tree.height + tree.crownHeight / 2.f;
    const float rx = tree.crownWidth / 2.f, ry = tree.crownHeight / 2.f;

    // Trunk, tapering into the crown, and the boughs that hold it.
    const float half = tree.trunkWidth / 2.f;
    const art::Colour bark = art::rgb(104, 82, 62);
    // The trunk goes up into the crown's shade rather than ending in the sky.
    const float underCrown = crownY + ry, inCrown = crownY + ry * 0.5f;
    const auto barkPaint = [&](float centre, float width) {
        return [&, centre, width](float x, float y) {
            const float across = std::clamp((x - centre) / std::max(width, 1.f), -1.f, 1.f);
            const float streaks = art::fbm(x / 2.5f, y / 30.f, seed + 5u, 3);
            const float shaded = std::clamp((underCrown - y) / (underCrown - inCrown), 0.f, 1.f);
            const art::Colour c = art::shade(bark, (0.9f + 0.25f * streaks) * (1.f - 0.6f * shaded));
            // With the sun behind the tree only a sliver of bark on its side
            // catches the light.
            const float side = light.facing(across, 0.f);
            const float facing = light.rim > 0.f ? -0.7f + 0.6f * std::pow(std::max(0.f, side), 6.f) : side * 0.9f;
            return light.far(light.on(c, facing - shaded), tree.distance);
        };
    };
    painter.fill(art::polygon({{tree.x - half, tree.ground + 2.f},
                               {tree.x - half * 0.55f, crownY},
                               {tree.x + half * 0.55f, crownY},
                               {tree.x + half, tree.ground + 2.f}}),
                 barkPaint(tree.x, half));
    painter.fill(art::ellipse(tree.x, tree.ground, half * 1.5f, half * 0.35f), barkPaint(tree.x, half * 1.5f));
    for (int i = 0; i < 4; ++i) {
        const float side = i % 2 ? 1.f : -1.f;
        const float from = crownY + ry * 0.5f - static_cast<float>(i) * ry * 0.18f;
        const art::Point start{tree.x, from};
        const art::Point end{tree.x + side * rx * uniform(rng, 0.3f, 0.5f), from - ry * uniform(rng, 0.3f, 0.5f)};
        painter.fill(art::stroke(art::curve(start, {end.x * 0.6f + tree.x * 0.4f, start.y - ry * 0.05f}, end, 8),
                                 half * 0.45f, half * 0.12f),
                     barkPaint(tree.x, rx));
    }

    // Deep shade inside the crown, so a gap between its masses shows shadowed
    // leaves rather than a speck of sky.
    painter.fill(art::ellipse(tree.x, crownY, rx * 0.6f, ry * 0.6f),
                 light.far(light.on(art::shade(tree.leaves, 0.35f), -0.8f), tree.distance), rx * 0.2f);

    // The crown: a big middle mass and smaller ones round it, so it has a
    // lumpy outline and light and shade of its own.
    const float ball = std::min(rx, ry) * 0.2f;
    std::vector<Ball> balls;
    heapUp(balls, rng, tree.x, crownY, rx * 0.62f, ry * 0.62f, ball);
    const int more = 5 + rng.below(3);
    const float turn = uniform(rng, 0.f, tau);
    for (int i = 0; i < more; ++i) {
        const float a = turn + tau * (static_cast<float>(i) + uniform(rng, -0.2f, 0.2f)) / static_cast<float>(more);
        // Smaller masses underneath, where the crown thins out.
        const float size = uniform(rng, 0.38f, 0.5f) * (std::sin(a) > 0.3f ? 0.8f : 1.f);
        heapUp(balls, rng, tree.x + std::cos(a) * rx * (1.f - size), crownY + std::sin(a) * ry * (1.f - size),
               rx * size, ry * size, ball * 0.9f);
    }
    paintBalls(picture, balls, tree.leaves, 1.6f + 1.4f * (1.f - tree.distance), tree.distance, light, seed);
}

void paintHedge(art::Canvas& picture, const Hedge& hedge, const Light& light)
{
    content::Random rng(hedge.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    const float tall = hedge.bottom - hedge.top;
    const float ball = std::clamp(tall * 0.22f, 4.f, 16.f);
    std::vector<Ball> balls;
    // The clipped top, seen a little from above, then the face toward us.
    for (float x = hedge.left; x < hedge.right; x += ball * uniform(rng, 0.6f, 0.9f))
        balls.push_back({x, hedge.top + uniform(rng, -0.2f, 0.5f) * ball, -ball, ball * uniform(rng, 0.9f, 1.2f), 1.f});
    for (float y = hedge.top + ball * 0.8f; y < hedge.bottom + ball * 0.3f; y += ball * 0.8f)
        for (float x = hedge.left; x < hedge.right; x += ball * uniform(rng, 0.7f, 1.f)) {
            const float low = (y - hedge.top) / tall;
            balls.push_back({x + uniform(rng, -2.f, 2.f), y + uniform(rng, -2.f, 2.f), uniform(rng, 0.f, 0.6f) * ball,
                             ball * uniform(rng, 0.85f, 1.15f), std::clamp(0.95f - 0.5f * low, 0.f, 1.f)});
        }
    Painter painter(picture);
    painter.fill(art::rectangle(hedge.left, hedge.top, hedge.right, hedge.bottom, 4.f),
                 light.far(light.on(art::shade(hedge.leaves, 0.4f), -0.6f), hedge.distance));
    paintBalls(picture, balls, hedge.leaves, 2.f, hedge.distance, light, seed);
    // Its foot in its own shade.
    const float shade = tall * 0.4f;
    painter.fill(art::rectangle(hedge.left, hedge.bottom - shade, hedge.right, hedge.bottom + 2.f, 0.f), [&](float, float y) {
        const float t = std::clamp((y - (hedge.bottom - shade)) / shade, 0.f, 1.f);
        return art::rgb(10, 24, 12, t * t * 0.5f);
    });
}

void paintShrub(art::Canvas& picture, const Shrub& shrub, const Light& light)
{
    content::Random rng(shrub.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    Painter painter(picture);
    const float rx = shrub.width / 2.f, ry = shrub.height / 2.f;
    const float cy = shrub.y - ry;
    painter.fill(art::ellipse(shrub.x - light.towardSun.x * rx * 0.3f, shrub.y, rx * 1.1f, ry * 0.22f), light.shadow,
                 rx * 0.3f);
    std::vector<Ball> balls;
    heapUp(balls, rng, shrub.x, cy, rx * 0.85f, ry * 0.85f, std::min(rx, ry) * 0.2f);
    paintBalls(picture, balls, shrub.leaves, 2.4f, 0.f, light, seed);
    // Roses on the balls toward us: five petals round a tight heart, each
    // a touch paler or deeper than the next, sitting in its own shade.
    for (int i = 0; i < shrub.blossoms; ++i) {
        const Ball& b = balls[static_cast<std::size_t>(rng.below(static_cast<int>(balls.size())))];
        if (b.outside < 0.6f)
            continue;
        const float a = uniform(rng, 0.f, tau), d = uniform(rng, 0.f, 0.7f) * b.r;
        const float x = b.x + std::cos(a) * d, y = b.y + std::sin(a) * d;
        const float r = uniform(rng, 2.2f, 4.2f);
        const float facing = light.facing((x - shrub.x) / rx, (y - cy) / ry);
        const art::Colour tone = art::mix(shrub.blossom, art::rgb(255, 226, 232), uniform(rng, 0.f, 0.3f));
        painter.fill(art::circle(x - light.towardSun.x * r * 0.35f, y - light.towardSun.y * r * 0.35f, r * 1.05f),
                     art::rgb(10, 30, 10, 0.35f), 2.f);
        const float turn = uniform(rng, 0.f, tau);
        art::Shape bloom = art::circle(x, y, r * 0.6f);
        for (int p = 0; p < 5; ++p) {
            const float pa = turn + tau * static_cast<float>(p) / 5.f;
            const art::Shape petal = art::circle(x + std::cos(pa) * r * 0.42f, y + std::sin(pa) * r * 0.42f, r * 0.58f);
            bloom = art::unite(bloom, petal);
        }
        painter.fill(bloom, [&, x, y, r, facing, tone](float px, float py) {
            const float dx = (px - x) / r, dy = (py - y) / r;
            // Cupped: deep in the middle, the outer petals catching the light.
            const float f = std::clamp(facing * 0.5f + light.facing(dx, dy) * 0.7f, -1.f, 1.f);
            return light.on(art::shade(tone, 0.72f + 0.4f * std::min(1.f, std::hypot(dx, dy))), f);
        });
        painter.fill(art::circle(x + r * 0.08f, y + r * 0.1f, r * 0.26f), art::withAlpha(art::shade(tone, 0.5f), 0.8f));
    }
}

void paintTreeLine(art::Canvas& picture, const TreeLine& line, const Light& light)
{
    content::Random rng(line.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    struct Foot {
        float x, y, r, trunk;
    };
    std::vector<Foot> feet;
    std::vector<Ball> balls;
    // Woods where the noise stands above this, open ground with now and then
    // a lone tree elsewhere.
    const float threshold = 0.4f - 0.8f * line.wooded;
    const float width = static_cast<float>(picture.width());
    for (float x = -line.size * 2.f; x < width + line.size * 2.f;) {
        const float thick = art::noise(x / (line.size * 24.f), 0.5f, seed) - threshold;
        // Woods swell toward their middle, where the old trees stand.
        const float r = line.size * uniform(rng, 0.65f, 1.3f) * (0.85f + 0.7f * std::clamp(thick, 0.f, 0.4f));
        if (thick <= 0.f && !rng.chance(0.05)) {
            x += r * uniform(rng, 1.5f, 3.f);
            continue;
        }
        const float ground = line.ground(x);
        const float trunk = r * uniform(rng, 0.6f, 1.1f);
        if (rng.chance(0.12)) {
            // A poplar: tall and narrow.
            const float pr = r * 0.55f;
            for (int i = 0; i < 4; ++i) {
                const float k = static_cast<float>(i);
                balls.push_back({x + uniform(rng, -0.15f, 0.15f) * pr, ground - trunk * 0.6f - pr * (0.9f + 1.05f * k),
                                 uniform(rng, 0.f, pr), pr * (1.f - 0.12f * k), 0.5f + 0.15f * k});
            }
            feet.push_back({x, ground, pr, trunk * 0.6f + pr * 0.4f});
        } else {
            const float cy = ground - trunk - r * 0.8f;
            balls.push_back({x, cy - r * 0.2f, uniform(rng, 0.5f, 1.f) * r, r, uniform(rng, 0.8f, 1.f)});
            for (const float side : {-1.f, 1.f})
                balls.push_back({x + side * r * uniform(rng, 0.3f, 0.6f), cy + r * 0.25f, uniform(rng, 0.f, 0.5f) * r,
                                 r * 0.75f, 0.55f});
            feet.push_back({x, ground, r, trunk + r * 0.3f});
        }
        x += r * uniform(rng, 0.6f, 1.2f);
    }

    // The shade under the trees, strongest at their feet and run together
    // under a copse.
    Painter painter(picture);
    const art::Colour shadow = light.far(light.shadow, line.distance * 0.7f);
    const float shadowAlpha = shadow.a * (1.f - 0.5f * line.distance) * 0.6f;
    for (const Foot& f : feet)
        painter.fill(art::ellipse(f.x - light.towardSun.x * f.r * 0.7f, f.y + f.r * 0.15f, f.r * 1.5f, f.r * 0.32f),
                     art::withAlpha(shadow, shadowAlpha), std::max(1.5f, f.r * 0.5f));
    const art::Colour bark = light.far(light.on(art::rgb(70, 56, 44), -0.3f), line.distance);
    for (const Foot& f : feet) {
        const float half = std::max(0.45f, f.r * 0.1f);
        painter.fill(art::rectangle(f.x - half, f.y - f.trunk, f.x + half, f.y + 0.5f, 0.f), bark);
    }
    // Small far crowns against the low sun are all rim; keep it faint, or
    // they glitter brighter than the sky behind them.
    Light crowns = light;
    if (light.rim > 0.f) {
        crowns.lit = art::mix(light.shaded, light.lit, 0.4f);
        crowns.rim *= 0.3f;
    }
    paintBalls(picture, balls, line.leaves, std::max(1.f, line.size * 0.3f), line.distance, crowns, seed);
}

} // namespace pictures
