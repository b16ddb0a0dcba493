#include "pictures/CreditsBackground.hpp"

#include "Random.hpp"
#include "art/Noise.hpp"
#include "art/Shape.hpp"
#include "pictures/Foliage.hpp"
#include "pictures/Hills.hpp"
#include "pictures/Lawn.hpp"
#include "pictures/MenuBackground.hpp"
#include "pictures/Painter.hpp"
#include "pictures/Sky.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

using art::rgb;

constexpr float horizon = 392.f;
constexpr float sunX = 690.f, sunY = 338.f;

// The sun low ahead of us: everything facing us is in shade, with warm
// light along the edges toward it.
Light eveningLight()
{
    Light light;
    light.towardSun = {0.f, -1.f};
    light.lit = rgb(255, 214, 170);
    light.shaded = rgb(104, 88, 126);
    light.haze = rgb(236, 150, 120);
    light.rimColour = rgb(255, 190, 110);
    light.rim = 0.8f;
    light.shadow = rgb(30, 16, 40, 0.5f);
    return light;
}

// Edges toward the low sun catch its light, whichever side of it a tree
// stands.
Light facingSun(Light light, float x, float y)
{
    const float dx = sunX - x, dy = sunY - y, n = std::hypot(dx, dy);
    light.towardSun = {dx / n, dy / n};
    return light;
}

void paintStars(art::Canvas& picture)
{
    content::Random rng("pictures/credits/stars");
    Painter painter(picture);
    for (int i = 0; i < 40; ++i) {
        const float x = static_cast<float>(rng.uniform(0.0, 1024.0));
        const float y = static_cast<float>(rng.uniform(0.0, 1.0));
        // Fewer and fainter toward the glow.
        const float depth = y * y * 160.f;
        const float glow = static_cast<float>(rng.uniform(0.3, 0.9)) * (1.f - y);
        painter.fill(art::circle(x, depth, static_cast<float>(rng.uniform(0.5, 1.1))), rgb(255, 250, 236, glow), 1.5f);
    }
}

void paintLongShadow(Painter& painter, float x, float ground, float width)
{
    // Away from the low sun: toward us and out to the side.
    const float spread = (x - sunX) * 0.9f;
    const float bottom = backgroundHeight + 40.f;
    painter.fill(art::polygon({{x - width * 0.5f, ground}, {x + width * 0.5f, ground},
                               {x + spread + width * 2.2f, bottom}, {x + spread - width * 2.2f, bottom}}),
                 rgb(24, 12, 36, 0.42f), 40.f);
}

void paintFireflies(art::Canvas& picture)
{
    content::Random rng("pictures/credits/fireflies");
    Painter painter(picture);
    for (int i = 0; i < 14; ++i) {
        const float x = static_cast<float>(rng.uniform(450.0, 1000.0));
        const float y = static_cast<float>(rng.uniform(530.0, 700.0));
        painter.fill(art::circle(x, y, 7.f), rgb(255, 220, 120, 0.22f), 12.f);
        painter.fill(art::circle(x, y, 1.4f), rgb(255, 246, 190), 1.5f);
    }
}

} // namespace

art::Canvas paintCreditsBackground()
{
    art::Canvas picture(backgroundWidth, backgroundHeight, art::black);
    const Light light = eveningLight();

    paintSky(picture,
             Ramp{{0.f, rgb(30, 30, 78)}, {0.3f, rgb(84, 58, 120)}, {0.6f, rgb(206, 104, 100)},
                  {0.82f, rgb(250, 160, 90)}, {1.f, rgb(255, 214, 140)}},
             horizon);
    paintStars(picture);
    paintSun(picture, sunX, sunY, 34.f, rgb(255, 240, 196), rgb(255, 196, 110, 0.85f), 260.f);
    paintStreaks(picture, "pictures/credits/streaks", 150.f, 300.f, 0.55f, rgb(255, 170, 140));
    paintStreaks(picture, "pictures/credits/highStreaks", 40.f, 160.f, 0.35f, rgb(200, 130, 170));
    paintStreaks(picture, "pictures/credits/lowStreaks", 250.f, 345.f, 0.5f, rgb(255, 214, 150));

    paintRidge(picture, {"pictures/credits/hillsFar", 364.f, 34.f, 260.f, rgb(150, 104, 140), 0.6f, 384.f, 0.4f, 2.2f,
                         0.3f, 0, rgb(70, 60, 80)},
               light);
    // The evening air glows in front of the far hills.
    paintSun(picture, sunX, sunY, 0.f, rgb(255, 190, 120), rgb(255, 196, 110, 0.35f), 220.f);
    paintRidge(picture, {"pictures/credits/hillsMiddle", 380.f, 22.f, 200.f, rgb(76, 58, 92), 0.32f, 404.f, 0.25f, 4.5f,
                         0.55f, 1, rgb(54, 60, 64)},
               light);
    // The meadow beyond the lawn, its hedgerow trees against the hills.
    paintRidge(picture, {"pictures/credits/hillsNear", 398.f, 12.f, 160.f, rgb(80, 112, 72), 0.3f, 432.f, 0.f, 6.5f,
                         0.5f, 0, rgb(46, 56, 50)},
               light);

    paintLawn(picture, {"pictures/credits/lawn", 430.f, horizon, sunX, 180.f, rgb(98, 148, 82), rgb(72, 120, 70), 0.5f, 0.3f},
              light);
    Painter painter(picture);
    // The low sun's sheen on the grass straight ahead.
    painter.fill(art::ellipse(sunX, 450.f, 150.f, 150.f), rgb(255, 180, 110, 0.22f), 180.f);
    paintLongShadow(painter, 110.f, 470.f, 40.f);
    paintLongShadow(painter, 930.f, 470.f, 44.f);

    paintTree(picture, {"pictures/credits/treeLeft", 110.f, 470.f, 420.f, 330.f, 300.f, 34.f, rgb(54, 76, 52), 0.f},
              facingSun(light, 110.f, 200.f));
    paintTree(picture, {"pictures/credits/treeRight", 930.f, 470.f, 390.f, 300.f, 270.f, 36.f, rgb(54, 76, 52), 0.f},
              facingSun(light, 930.f, 230.f));
    // Bushes in the near corners frame the lawn, and keep the corner
    // under the credits' last line dark.
    paintShrub(picture, {"pictures/credits/bushLeft", 70.f, 830.f, 330.f, 230.f, rgb(50, 72, 50), 0, {}},
               facingSun(light, 70.f, 715.f));
    paintShrub(picture, {"pictures/credits/bushRight", 1010.f, 820.f, 260.f, 200.f, rgb(50, 72, 50), 0, {}},
               facingSun(light, 1010.f, 720.f));
    paintFireflies(picture);

    // Dusk gathers in the corners.
    picture.light([](float x, float y) {
        const float dx = (x - sunX) / backgroundWidth, dy = (y - sunY) / backgroundHeight;
        const float grain = art::hash01(static_cast<int>(x), static_cast<int>(y), 57u) - 0.5f;
        return (1.f - 0.55f * (dx * dx + dy * dy)) * (1.f + 0.025f * grain);
    });
    return picture;
}

} // namespace pictures
