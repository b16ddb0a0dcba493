#include "pictures/MenuBackground.hpp"

#include "art/Noise.hpp"
#include "pictures/Cottage.hpp"
#include "pictures/Fence.hpp"
#include "pictures/Flowers.hpp"
#include "pictures/Foliage.hpp"
#include "pictures/Hills.hpp"
#include "pictures/Lawn.hpp"
#include "pictures/Lettering.hpp"
#include "pictures/RideOnMower.hpp"
#include "pictures/Sky.hpp"

#include <algorithm>
#include <cmath>

namespace pictures {

namespace {

using art::rgb;

constexpr float horizon = 372.f;
constexpr float vanishX = 700.f;
constexpr float fenceGround = 442.f;

Light middayLight()
{
    Light light;
    light.towardSun = {-0.6f, -0.8f};
    light.lit = rgb(255, 250, 234);
    light.shaded = rgb(136, 150, 178);
    light.haze = rgb(196, 220, 236);
    light.shadow = rgb(16, 40, 24, 0.42f);
    return light;
}

void paintBackdrop(art::Canvas& picture, const Light& light)
{
    paintSky(picture,
             Ramp{{0.f, rgb(52, 118, 206)}, {0.45f, rgb(104, 168, 232)}, {0.85f, rgb(178, 214, 240)},
                  {1.f, rgb(214, 232, 242)}},
             horizon);
    paintSun(picture, 120.f, -80.f, 0.f, art::white, rgb(255, 248, 220, 0.9f), 420.f);
    paintStreaks(picture, "pictures/menu/streaks", 20.f, 200.f, 0.35f, rgb(255, 255, 255));
    paintCumulus(picture, {"pictures/menu/cloudFar1", 520.f, 338.f, 170.f, 36.f, 0.85f}, light);
    paintCumulus(picture, {"pictures/menu/cloudFar2", 930.f, 330.f, 230.f, 48.f, 0.8f}, light);
    paintCumulus(picture, {"pictures/menu/cloudMid", 250.f, 240.f, 300.f, 90.f, 0.45f}, light);
    paintCumulus(picture, {"pictures/menu/cloudNear", 760.f, 262.f, 400.f, 120.f, 0.3f}, light);

    // Downs blue with distance, then farmland with woods and hedgerows, then
    // the meadow just beyond the garden hedge.
    paintRidge(picture, {"pictures/menu/hillsFar", 352.f, 40.f, 300.f, rgb(92, 142, 146), 0.7f, 380.f, 0.5f, 2.2f,
                         0.25f, 0, rgb(60, 104, 56)},
               light);
    paintRidge(picture, {"pictures/menu/hillsMiddle", 372.f, 26.f, 220.f, rgb(112, 160, 84), 0.42f, 400.f, 0.35f, 5.f,
                         0.6f, 1, rgb(60, 106, 48)},
               light);
    paintRidge(picture, {"pictures/menu/hillsNear", 394.f, 12.f, 170.f, rgb(114, 168, 70), 0.2f, 440.f, 0.f, 6.5f,
                         0.45f, 0, rgb(64, 112, 46)},
               light);
}

void paintGarden(art::Canvas& picture, const Light& light)
{
    paintTree(picture, {"pictures/menu/treeBack", 470.f, 408.f, 170.f, 150.f, 120.f, 12.f, rgb(92, 150, 58), 0.25f}, light);
    paintTree(picture, {"pictures/menu/treeLeft", 130.f, 430.f, 330.f, 300.f, 240.f, 30.f, rgb(84, 146, 52), 0.05f}, light);
    paintTree(picture, {"pictures/menu/treeHouse", 850.f, 412.f, 200.f, 170.f, 150.f, 14.f, rgb(100, 156, 60), 0.2f}, light);
    paintCottage(picture, {"pictures/menu/cottage", 520.f, 414.f, 150.f, 58.f, 46.f, 0.45f, vanishX, horizon,
                           rgb(240, 228, 200), rgb(176, 76, 48), rgb(52, 110, 84)},
                 light);
    paintHedge(picture, {"pictures/menu/hedgeLeft", -20.f, 520.f, 386.f, 432.f, rgb(70, 130, 50), 0.05f}, light);
    paintHedge(picture, {"pictures/menu/hedgeRight", 760.f, 1044.f, 392.f, 432.f, rgb(70, 130, 50), 0.05f}, light);

    paintLawn(picture, {"pictures/menu/lawn", fenceGround - 6.f, horizon, vanishX, 160.f, rgb(150, 210, 88),
                        rgb(84, 150, 52), 0.45f, 0.85f},
              light);
    const Fence fence{"pictures/menu/fence", -6.f, 1030.f, fenceGround, 44.f, 9.f, 6.f, rgb(246, 244, 236), 0.f};
    paintFenceShadow(picture, fence, light);
    paintFence(picture, fence, light);
    paintFlowerBed(picture, {"pictures/menu/border", -10.f, 1034.f, fenceGround - 8.f, fenceGround + 8.f, 4.5f, 220,
                             {rgb(236, 60, 60), rgb(255, 204, 40), rgb(250, 250, 246), rgb(236, 120, 190),
                              rgb(150, 100, 220), rgb(255, 140, 40)}},
                   light);

    const Tree oak{"pictures/menu/oak", 1000.f, 520.f, 420.f, 300.f, 270.f, 38.f, rgb(80, 140, 48), 0.f};
    paintTreeShadow(picture, oak, light);
    paintTree(picture, oak, light);
    paintRideOnMower(picture, "pictures/menu/mower", 651.f, 612.f, 0.95f, light);
    paintShrub(picture, {"pictures/menu/roses", 150.f, 790.f, 340.f, 250.f, rgb(64, 124, 46), 60, rgb(226, 52, 70)},
               light);
}

void paintTitle(art::Canvas& picture, const art::Font& font)
{
    const float size = 136.f;
    const float baseline = 210.f;
    const float cap = font.capHeight(size);
    LetteringStyle style;
    const Ramp face{{0.f, rgb(255, 250, 190)}, {0.35f, rgb(255, 214, 64)}, {0.75f, rgb(246, 150, 24)},
                    {1.f, rgb(214, 96, 16)}};
    style.face = [=](float, float y) { return face((y - (baseline - cap - 14.f)) / (cap + 14.f)); };
    style.outline = rgb(30, 70, 26);
    style.outlineWidth = 9.f;
    style.rim = rgb(255, 255, 255);
    style.rimWidth = 3.5f;
    style.shadow = rgb(10, 30, 20, 0.5f);
    style.shadowX = 6.f;
    style.shadowY = 10.f;
    style.shadowBlur = 7.f;
    style.emboss = 1.2f;
    style.arch = 16.f;
    style.spacing = 2.f;
    letter(picture, font, "Kelvane", size, 730.f, baseline, style);
}

// A breath of fine grain and darker corners, so the picture reads as one.
void finish(art::Canvas& picture)
{
    const float cx = backgroundWidth * 0.62f, cy = backgroundHeight * 0.45f;
    picture.light([&](float x, float y) {
        const float dx = (x - cx) / backgroundWidth, dy = (y - cy) / backgroundHeight;
        const float grain = art::hash01(static_cast<int>(x), static_cast<int>(y), 91u) - 0.5f;
        return (1.f - 0.35f * (dx * dx + dy * dy)) * (1.f + 0.025f * grain);
    });
}

} // namespace

art::Canvas paintMenuBackground(const art::Font& titleFont)
{
    art::Canvas picture(backgroundWidth, backgroundHeight, art::black);
    const Light light = middayLight();
    paintBackdrop(picture, light);
    paintGarden(picture, light);
    paintTitle(picture, titleFont);
    finish(picture);
    return picture;
}

} // namespace pictures
