#include "pictures/Banner.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Lettering.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace pictures {

namespace {

constexpr float frame = 20.f;
constexpr float panelLeft = frame, panelTop = frame;
constexpr float panelRight = bannerWidth - frame, panelBottom = bannerHeight - frame;
constexpr float pi = 3.14159265f;

float smoothstep(float edge0, float edge1, float v)
{
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

// Painted boards: the grain shows through the paint, and the paint has worn
// through to bare wood here and there.
art::Colour paintedWood(art::Colour paint, float along, float across, std::uint32_t seed)
{
    const float grain = art::fbm(along / 120.f, across / 3.5f, seed, 4);
    const float knots = art::fbm(along / 30.f, across / 30.f, seed + 9u, 3);
    const float rings = 0.5f + 0.5f * std::sin((across + grain * 14.f + knots * 6.f) * 1.3f);
    art::Colour c = art::shade(paint, 0.86f + 0.14f * rings + 0.1f * grain);
    const float wear = smoothstep(0.38f, 0.55f, art::fbm(along / 26.f, across / 9.f, seed + 3u, 4));
    return art::mix(c, art::shade(art::rgb(176, 128, 78), 0.85f + 0.2f * rings), wear * 0.75f);
}

void paintFrame(art::Canvas& banner, const BannerStyle& style, std::uint32_t seed)
{
    const float w = bannerWidth, h = bannerHeight;
    banner.fill([&](float x, float y) {
        const float edges[4] = {y, w - x, h - y, x};  // top, right, bottom, left
        const int board = static_cast<int>(std::min_element(edges, edges + 4) - edges);
        const bool across = board == 0 || board == 2;
        const float depth = edges[board] / frame;  // 0 at the outside, 1 at the panel
        art::Colour c = paintedWood(style.wood, across ? x : y, (across ? y : x) + static_cast<float>(board) * 57.f,
                                    seed + static_cast<std::uint32_t>(board));
        // Each board is rounded: its outer half faces away from the panel.
        // Light comes from the upper left.
        const float slope = std::cos(pi * std::clamp(depth, 0.f, 1.f));
        const float facing = board == 0 || board == 3 ? 1.f : -1.f;
        c = art::shade(c, 1.f + 0.28f * slope * facing);
        // Mitred joints at the corners.
        float nearest = 1e9f;
        for (int other = 0; other < 4; ++other)
            if (other != board)
                nearest = std::min(nearest, edges[other] - edges[board]);
        c = art::shade(c, 0.55f + 0.45f * smoothstep(0.f, 1.6f, nearest));
        // A thin dark line round the very edge holds the plaque together.
        const float rim = std::min({x, y, w - x, h - y});
        return art::withAlpha(art::shade(c, 0.45f + 0.55f * smoothstep(0.5f, 2.5f, rim)), 1.f);
    });
}

void paintPanel(art::Canvas& banner, const BannerStyle& style, std::uint32_t seed)
{
    Painter painter(banner);
    const art::Shape panel = art::rectangle(panelLeft, panelTop, panelRight, panelBottom, 5.f);
    const float boardHeight = (panelBottom - panelTop) / 4.f;
    painter.fill(panel, [&](float x, float y) {
        const float t = (y - panelTop) / (panelBottom - panelTop);
        art::Colour c = style.panel(t);
        // Four painted boards, grain running along them.
        const float within = std::fmod(y - panelTop, boardHeight);
        const int board = static_cast<int>((y - panelTop) / boardHeight);
        const float grain = art::fbm(x / 140.f, (y + static_cast<float>(board) * 31.f) / 4.f, seed + 40u, 4);
        c = art::shade(c, 1.f + 0.07f * grain);
        c = art::shade(c, 0.7f + 0.3f * smoothstep(0.f, 1.8f, within) * smoothstep(0.f, 1.8f, boardHeight - within));
        // Light pooled behind the lettering, falling off to the corners.
        const float dx = (x - bannerWidth / 2.f) / 260.f, dy = (y - bannerHeight / 2.f) / 90.f;
        c = art::shade(c, 1.18f - 0.32f * std::min(1.f, dx * dx + dy * dy));
        // The frame stands proud and shades the top and left of the panel.
        const float shadow = std::exp(-(y - panelTop) / 5.f) * 0.55f + std::exp(-(x - panelLeft) / 5.f) * 0.4f;
        return art::shade(c, 1.f - std::min(shadow, 0.7f));
    });
}

void paintScrews(art::Canvas& banner)
{
    Painter painter(banner);
    for (const float x : {frame / 2.f, bannerWidth - frame / 2.f})
        for (const float y : {frame / 2.f, bannerHeight - frame / 2.f}) {
            painter.fill(art::circle(x + 1.f, y + 1.5f, 4.2f), art::rgb(0, 0, 0, 0.45f), 2.5f);
            painter.fill(art::circle(x, y, 4.f), [x, y](float px, float py) {
                const float lit = ((x - px) + (y - py)) / 5.f;
                return art::shade(art::rgb(208, 170, 84), 1.f + 0.35f * lit);
            });
            painter.fill(art::capsule({x - 2.6f, y + 1.4f}, {x + 2.6f, y - 1.4f}, 0.6f), art::rgb(92, 66, 26));
        }
}

void paintGrass(art::Canvas& banner, content::Random& rng)
{
    Painter painter(banner);
    const std::uint32_t seed = static_cast<std::uint32_t>(rng.next());
    // Back blades darker, front ones lighter and taller near the corners.
    for (int layer = 0; layer < 3; ++layer) {
        const int count = 150;
        for (int i = 0; i < count; ++i) {
            const float x = panelLeft - 6.f + static_cast<float>(rng.uniform(0.0, panelRight - panelLeft + 12.f));
            const float base = panelBottom + 3.f + static_cast<float>(layer) * 3.f + static_cast<float>(rng.uniform(0.0, 3.0));
            const float corner = std::min(x - panelLeft, panelRight - x);
            const float tall = 10.f + 16.f * std::exp(-corner / 70.f) + static_cast<float>(rng.uniform(0.0, 8.0)) -
                               static_cast<float>(layer) * 2.f;
            const float lean = static_cast<float>(rng.uniform(-7.0, 7.0)) + art::noise(x / 40.f, 0.f, seed) * 6.f;
            const art::Point root{x, base}, tip{x + lean, base - tall};
            const art::Point bend{x + lean * 0.2f, base - tall * 0.6f};
            const float light = 0.7f + 0.15f * static_cast<float>(layer) + static_cast<float>(rng.uniform(0.0, 0.2));
            const art::Colour blade = art::shade(art::rgb(84, 156, 52), light);
            painter.fill(art::stroke(art::curve(root, bend, tip, 6), 2.1f, 0.3f), [=](float, float py) {
                const float t = std::clamp((base - py) / tall, 0.f, 1.f);
                return art::shade(blade, 0.6f + 0.5f * t);
            });
        }
    }
    // A few daisies peeping through.
    for (int i = 0; i < 7; ++i) {
        const float x = panelLeft + 14.f + static_cast<float>(rng.uniform(0.0, panelRight - panelLeft - 28.f));
        const float y = panelBottom - 4.f + static_cast<float>(rng.uniform(0.0, 8.0));
        for (int petal = 0; petal < 8; ++petal) {
            const float a = static_cast<float>(petal) * pi / 4.f;
            painter.fill(art::ellipse(x + std::cos(a) * 3.f, y + std::sin(a) * 2.2f, 2.4f, 1.2f, a),
                         art::rgb(250, 250, 244));
        }
        painter.fill(art::circle(x, y, 1.7f), art::rgb(250, 196, 40));
    }
}

void paintStar(Painter& painter, float cx, float cy, float radius)
{
    std::vector<art::Point> points;
    for (int i = 0; i < 10; ++i) {
        const float a = -pi / 2.f + static_cast<float>(i) * pi / 5.f;
        const float r = i % 2 ? radius * 0.45f : radius;
        points.push_back({cx + std::cos(a) * r, cy + std::sin(a) * r});
    }
    const art::Shape star = art::polygon(points);
    painter.fill(art::moved(art::grown(star, 2.f), 2.f, 3.f), art::rgb(0, 0, 0, 0.4f), 4.f);
    painter.fill(art::grown(star, 2.5f), art::rgb(70, 40, 8));
    painter.fill(star, [=](float x, float y) {
        // Facets: each arm lit on the side toward the upper left.
        const float a = std::atan2(y - cy, x - cx);
        const float facet = std::cos(std::fmod(a + pi / 2.f + 2.f * pi, pi / 2.5f) * 2.5f * 2.f);
        const float lit = 0.5f + 0.5f * ((cx - x) + (cy - y)) / radius;
        return art::clamped(art::shade(art::rgb(255, 204, 52), 0.85f + 0.25f * lit + 0.12f * facet));
    });
}

void paintClock(Painter& painter, float cx, float cy, float radius)
{
    const art::Colour dark = art::rgb(50, 12, 8);
    painter.fill(art::circle(cx + 2.f, cy + 3.f, radius + 3.f), art::rgb(0, 0, 0, 0.4f), 5.f);
    for (const float side : {-1.f, 1.f}) {
        // Legs and the two bells that ring when time is up.
        painter.fill(art::capsule({cx + side * radius * 0.5f, cy + radius * 0.8f},
                                  {cx + side * radius * 0.8f, cy + radius * 1.15f}, 2.2f), dark);
        const float bx = cx + side * radius * 0.62f, by = cy - radius * 0.85f;
        painter.fill(art::circle(bx, by, radius * 0.42f + 2.f), dark);
        painter.fill(art::circle(bx, by, radius * 0.42f), [=](float x, float y) {
            return art::shade(art::rgb(236, 196, 70), 1.f + 0.3f * ((bx - x) + (by - y)) / radius);
        });
    }
    painter.fill(art::capsule({cx, cy - radius - 4.f}, {cx, cy - radius + 2.f}, 2.f), dark);
    painter.fill(art::circle(cx, cy, radius + 2.5f), dark);
    painter.fill(art::circle(cx, cy, radius), [=](float x, float y) {
        return art::shade(art::rgb(226, 62, 40), 1.f + 0.3f * ((cx - x) + (cy - y)) / radius);
    });
    painter.fill(art::circle(cx, cy, radius * 0.74f), [=](float x, float y) {
        return art::shade(art::rgb(255, 250, 236), 1.f - 0.12f * ((x - cx) + (y - cy)) / radius);
    });
    for (int tick = 0; tick < 12; ++tick) {
        const float a = static_cast<float>(tick) * pi / 6.f;
        const float r0 = radius * (tick % 3 ? 0.6f : 0.52f), r1 = radius * 0.68f;
        painter.fill(art::capsule({cx + std::cos(a) * r0, cy + std::sin(a) * r0},
                                  {cx + std::cos(a) * r1, cy + std::sin(a) * r1}, 0.6f), dark);
    }
    // Both hands on twelve: time is up.
    painter.fill(art::capsule({cx, cy}, {cx, cy - radius * 0.55f}, 1.2f), dark);
    painter.fill(art::capsule({cx, cy}, {cx + radius * 0.06f, cy - radius * 0.38f}, 1.7f), dark);
    painter.fill(art::circle(cx, cy, 1.8f), art::rgb(226, 62, 40));
}

void paintMoon(Painter& painter, float cx, float cy, float radius)
{
    const art::Shape moon = art::subtract(art::circle(cx, cy, radius), art::circle(cx + radius * 0.5f, cy - radius * 0.3f, radius * 0.85f));
    painter.fill(art::circle(cx, cy, radius * 1.8f), art::rgb(200, 220, 255, 0.22f), radius * 1.6f);
    painter.fill(art::moved(moon, 2.f, 3.f), art::rgb(0, 0, 0, 0.35f), 4.f);
    painter.fill(art::grown(moon, 2.f), art::rgb(16, 28, 70));
    painter.fill(moon, [=](float x, float y) {
        return art::shade(art::rgb(250, 240, 190), 1.05f - 0.2f * ((x - cx) + (y - cy)) / radius);
    });
    for (const auto& [sx, sy, sr] : {std::tuple{0.9f, 0.75f, 3.f}, {1.25f, -0.2f, 2.2f}}) {
        const float x = cx + sx * radius, y = cy + sy * radius;
        painter.fill(art::polygon({{x, y - sr * 2.f}, {x + sr * 0.5f, y - sr * 0.5f}, {x + sr * 2.f, y},
                                   {x + sr * 0.5f, y + sr * 0.5f}, {x, y + sr * 2.f}, {x - sr * 0.5f, y + sr * 0.5f},
                                   {x - sr * 2.f, y}, {x - sr * 0.5f, y - sr * 0.5f}}),
                     art::rgb(255, 250, 220));
    }
}

} // namespace

art::Canvas paintBanner(const BannerStyle& style, const BannerFonts& fonts)
{
    content::Random rng(style.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    art::Canvas banner(bannerWidth, bannerHeight, art::black);
    paintFrame(banner, style, seed);
    paintPanel(banner, style, seed);
    paintScrews(banner);
    paintGrass(banner, rng);

    Painter painter(banner);
    const float middle = style.line.empty() ? 86.f : 76.f;
    const float iconX = 66.f;
    for (const float x : {iconX, bannerWidth - iconX}) {
        if (style.ornament == Ornament::stars)
            paintStar(painter, x, middle, 22.f);
        else if (style.ornament == Ornament::clocks)
            paintClock(painter, x, middle, 20.f);
        else
            paintMoon(painter, x, middle, 18.f);
    }

    // As big as fits between the ornaments.
    const float room = bannerWidth - 2.f * (iconX + 34.f);
    const float size = std::min(84.f, 84.f * room / fonts.title.measure(style.title, 84.f, 1.f));
    const float baseline = middle + fonts.title.capHeight(size) / 2.f;
    LetteringStyle title;
    const float top = baseline - fonts.title.capHeight(size);
    title.face = [&](float, float y) { return style.lettering((y - top) / fonts.title.capHeight(size)); };
    title.outline = style.outline;
    title.outlineWidth = 4.5f;
    title.rim = art::rgb(255, 255, 255, 0.5f);
    title.rimWidth = 1.5f;
    title.shadowX = 3.f;
    title.shadowY = 5.f;
    title.shadowBlur = 3.f;
    title.shadow = art::rgb(0, 0, 0, 0.55f);
    title.emboss = 0.9f;
    title.spacing = 1.f;
    letter(banner, fonts.title, style.title, size, bannerWidth / 2.f, baseline, title);

    if (!style.line.empty()) {
        LetteringStyle small;
        small.face = [](float, float) { return art::rgb(255, 246, 222); };
        small.outline = style.outline;
        small.outlineWidth = 2.5f;
        small.shadowX = 1.f;
        small.shadowY = 2.f;
        small.shadowBlur = 1.5f;
        small.emboss = 0.f;
        small.spacing = 0.5f;
        letter(banner, fonts.line, style.line, 21.f, bannerWidth / 2.f, 134.f, small);
    }
    return banner;
}

} // namespace pictures
