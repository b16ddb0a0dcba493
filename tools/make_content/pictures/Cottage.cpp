#include "pictures/Cottage.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

using art::Point;

Point lerp(Point a, Point b, float t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

struct Walls {
    const Cottage& c;
    const Light& light;
    std::uint32_t seed;

    art::Paint plaster(float facing) const
    {
        return [this, facing](float x, float y) {
            const float rough = art::fbm(x / 5.f, y / 5.f, seed, 3) * 0.05f +
                                art::fbm(x / 40.f, y / 25.f, seed + 1u, 3) * 0.05f;
            // Weathered toward the ground.
            const float damp = std::clamp((y - (c.ground - 12.f)) / 12.f, 0.f, 1.f) * 0.15f;
            return light.on(art::shade(c.walls, 1.f + rough - damp), facing);
        };
    }
};

void paintWindow(Painter& painter, float x, float y, float w, float h, const Light& light, content::Random& rng)
{
    const art::Colour trim = art::rgb(244, 240, 230);
    painter.fill(art::rectangle(x - 3.f, y - 3.f, x + w + 3.f, y + h + 3.f, 1.f), light.on(trim, 0.4f));
    painter.fill(art::rectangle(x, y, x + w, y + h, 0.f), [=](float px, float py) {
        const float t = (py - y) / h;
        // The sky in the glass, and a streak of reflected light.
        const float glint = std::max(0.f, 1.f - std::abs((px - x) - (py - y) * 0.8f - w * 0.3f) / 3.f) * 0.55f;
        return art::mix(art::mix(art::rgb(160, 196, 224), art::rgb(46, 62, 82), t), art::white, glint);
    });
    painter.fill(art::rectangle(x + w / 2.f - 1.f, y, x + w / 2.f + 1.f, y + h, 0.f), light.on(trim, 0.3f));
    painter.fill(art::rectangle(x, y + h / 2.f - 1.f, x + w, y + h / 2.f + 1.f, 0.f), light.on(trim, 0.3f));
    painter.fill(art::rectangle(x, y, x + w, y + 4.f, 0.f), art::rgb(0, 0, 0, 0.25f), 3.f);
    // A box of red and white flowers under it.
    painter.fill(art::rectangle(x - 4.f, y + h + 3.f, x + w + 4.f, y + h + 9.f, 1.f), light.on(art::rgb(124, 82, 50), 0.2f));
    painter.fill(art::rectangle(x - 4.f, y + h + 9.f, x + w + 4.f, y + h + 13.f, 0.f), art::rgb(0, 0, 0, 0.2f), 3.f);
    const int blooms = static_cast<int>(w / 3.f);
    for (int i = 0; i <= blooms; ++i) {
        const float fx = x - 2.f + static_cast<float>(i) * (w + 4.f) / static_cast<float>(blooms);
        const float fy = y + h + 2.f - static_cast<float>(rng.uniform(0.0, 3.0));
        painter.fill(art::circle(fx, fy + 1.f, 2.8f), light.on(art::rgb(60, 120, 40), 0.f));
        painter.fill(art::circle(fx + static_cast<float>(rng.uniform(-1.0, 1.0)), fy - 1.f, 1.7f),
                     light.on(i % 3 ? art::rgb(226, 40, 40) : art::rgb(255, 240, 240), 0.5f));
    }
}

} // namespace

void paintCottage(art::Canvas& picture, const Cottage& c, const Light& light)
{
    content::Random rng(c.seed);
    const auto seed = static_cast<std::uint32_t>(rng.next());
    Painter painter(picture);
    const Walls walls{c, light, seed};
    const Point vanish{c.vanishX, c.vanishY};
    const auto back = [&](Point p, float t) { return lerp(p, vanish, c.depth * t); };

    const float right = c.left + c.width, eaves = c.ground - c.wallHeight;
    const float overhang = c.width * 0.05f;
    const Point foot{right, c.ground}, corner{right, eaves};
    const Point ridgeRight = back({right, eaves - c.roofHeight}, 0.5f);
    const Point ridgeLeft = back({c.left, eaves - c.roofHeight}, 0.5f);
    const art::Colour trim = art::rgb(244, 240, 230);

    // Shadow on the ground, away from the sun.
    const float slide = -light.towardSun.x * c.wallHeight * 0.9f;
    painter.fill(art::polygon({{c.left, c.ground}, foot, back(foot, 1.f),
                               {back(foot, 1.f).x + slide, back(foot, 1.f).y + c.wallHeight * 0.15f},
                               {right + slide, c.ground + c.wallHeight * 0.25f},
                               {c.left + slide * 0.4f, c.ground + 4.f}}),
                 light.shadow, 10.f);

    // The gable end, running back, in the shade.
    const art::Shape gable = art::polygon({foot, corner, ridgeRight, back(corner, 1.f), back(foot, 1.f)});
    painter.fill(gable, walls.plaster(light.facing(1.f, 0.f) * 0.9f));
    {
        const Point a = lerp(corner, back(corner, 1.f), 0.32f), b = lerp(corner, back(corner, 1.f), 0.68f);
        const float drop = c.wallHeight * 0.3f, tall = c.wallHeight * 0.34f;
        const float shrink = 1.f - c.depth * 0.5f;
        const art::Shape pane = art::polygon({{a.x, a.y + drop}, {b.x, b.y + drop * shrink},
                                              {b.x, b.y + (drop + tall) * shrink}, {a.x, a.y + drop + tall}});
        painter.fill(art::grown(pane, 1.8f), light.on(trim, -0.3f));
        painter.fill(pane, [&](float, float y) {
            return art::mix(art::rgb(120, 150, 176), art::rgb(48, 62, 80), std::clamp((y - a.y - drop) / tall, 0.f, 1.f));
        });
    }

    // The front wall, in the sun.
    painter.fill(art::rectangle(c.left, eaves, right, c.ground, 0.f), walls.plaster(light.facing(0.f, 0.f) + 0.3f));
    // Corner boards.
    for (const float x : {c.left, right - 3.f})
        painter.fill(art::rectangle(x, eaves, x + 3.f, c.ground, 0.f), light.on(trim, x < right - 5.f ? 0.6f : 0.f));

    // Door with its frame, and windows either side.
    const float doorW = c.width * 0.14f, doorH = c.wallHeight * 0.7f, doorX = c.left + c.width * 0.42f;
    painter.fill(art::rectangle(doorX - 2.5f, c.ground - doorH - 2.5f, doorX + doorW + 2.5f, c.ground, 1.f),
                 light.on(trim, 0.3f));
    painter.fill(art::rectangle(doorX, c.ground - doorH, doorX + doorW, c.ground, 0.f), [&](float x, float y) {
        const bool groove = std::fmod(y - (c.ground - doorH), doorH / 3.f) < 1.5f || std::abs(x - doorX - doorW / 2.f) < 0.7f;
        const float grain = 0.05f * art::fbm(x / 2.f, y / 20.f, seed, 2);
        return light.on(art::shade(c.door, groove ? 0.75f : 1.f + grain), 0.1f);
    });
    painter.fill(art::circle(doorX + doorW * 0.8f, c.ground - doorH * 0.48f, 1.3f), art::rgb(230, 190, 80));
    painter.fill(art::rectangle(doorX - 2.5f, c.ground - doorH - 2.5f, doorX + doorW + 2.5f, c.ground - doorH + 5.f, 0.f),
                 art::rgb(0, 0, 0, 0.18f), 3.f);
    const float winW = c.width * 0.17f, winH = c.wallHeight * 0.36f, winY = c.ground - c.wallHeight * 0.74f;
    paintWindow(painter, c.left + c.width * 0.13f, winY, winW, winH, light, rng);
    paintWindow(painter, c.left + c.width * 0.7f, winY, winW, winH, light, rng);

    // Shade under the eaves.
    painter.fill(art::rectangle(c.left, eaves, right, eaves + 7.f, 0.f), art::rgb(30, 20, 10, 0.3f), 8.f);

    // Roof: rows of tiles from the eaves up to the ridge, weathered and
    // mossy, lit by the high sun.
    const Point eaveLeft{c.left - overhang, eaves + overhang * 0.5f}, eaveRight{right + overhang, eaves + overhang * 0.5f};
    const Point ridgeLeftOver{ridgeLeft.x - overhang, ridgeLeft.y}, ridgeRightOver{ridgeRight.x + overhang * 0.5f, ridgeRight.y};
    const float rows = 8.f;
    const art::Shape roof = art::polygon({eaveLeft, eaveRight, ridgeRightOver, ridgeLeftOver});
    painter.fill(roof, [&](float x, float y) {
        const float up = std::clamp((eaveLeft.y - y) / (eaveLeft.y - ridgeLeft.y), 0.f, 1.f);
        const float row = up * rows;
        const float inRow = 1.f - (row - std::floor(row));  // 0 at a row's upper edge
        const float shrink = 1.f - 0.25f * up;
        const float s = (x - c.left) / (c.width * shrink) * 22.f + (static_cast<int>(row) % 2 ? 0.5f : 0.f);
        const float joint = std::abs(s - std::round(s));
        const float tile = 0.72f + 0.32f * std::min(1.f, inRow * 2.5f) - (joint < 0.05f ? 0.22f : 0.f);
        const float own = 0.9f + 0.2f * art::hash01(static_cast<int>(std::floor(s)), static_cast<int>(row), seed + 4u);
        const float moss = std::max(0.f, art::fbm(x / 10.f, y / 8.f, seed + 6u, 3) - 0.15f);
        const art::Colour base = art::mix(art::shade(c.roof, tile * own), art::rgb(96, 116, 56), moss);
        return light.on(base, light.facing(0.f, -0.6f) + 0.1f);
    });
    // The roof's edge over the gable, and its white bargeboard.
    painter.fill(art::stroke({eaveRight, ridgeRightOver, back({right + overhang, eaves + overhang * 0.5f}, 1.f)}, 2.2f, 1.6f),
                 light.on(trim, 0.f));
    painter.fill(art::capsule(ridgeLeftOver, ridgeRightOver, 2.f), light.on(art::shade(c.roof, 0.8f), 0.3f));

    // Chimney of brick rising through the roof.
    const float chimneyX = c.left + c.width * 0.22f, chimneyW = c.width * 0.07f;
    const float chimneyTop = ridgeLeft.y - c.roofHeight * 0.35f, chimneyFoot = eaves - c.roofHeight * 0.45f;
    // Its shadow lies on the tiles only.
    painter.fill(art::intersect(art::polygon({{chimneyX + chimneyW, chimneyTop + 4.f}, {chimneyX + chimneyW + 8.f, chimneyTop + 10.f},
                                              {chimneyX + chimneyW + 8.f, chimneyFoot + 4.f}, {chimneyX + chimneyW, chimneyFoot}}),
                                roof),
                 art::rgb(20, 10, 5, 0.3f), 1.f);
    painter.fill(art::rectangle(chimneyX, chimneyTop, chimneyX + chimneyW, chimneyFoot, 0.f), [&](float x, float y) {
        const float course = (y - chimneyTop) / 3.5f;
        const float brick = std::fmod(x - chimneyX + (static_cast<int>(course) % 2 ? 2.5f : 0.f), 5.f);
        const bool mortar = course - std::floor(course) > 0.78f || brick < 0.6f;
        const art::Colour b = mortar ? art::rgb(186, 176, 156)
                                     : art::shade(art::rgb(164, 72, 50),
                                                  0.9f + 0.2f * art::hash01(static_cast<int>(x / 5.f), static_cast<int>(course), seed));
        return light.on(b, (x - chimneyX) / chimneyW < 0.55f ? 0.4f : -0.4f);
    });
    painter.fill(art::rectangle(chimneyX - 1.5f, chimneyTop - 3.f, chimneyX + chimneyW + 1.5f, chimneyTop + 1.f, 0.5f),
                 light.on(art::rgb(128, 118, 108), 0.2f));
}

} // namespace pictures
