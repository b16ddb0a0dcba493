#include "tiles/Ornaments.hpp"

#include "tiles/Curves.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Palette.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

// Upright things are round: lit on their left, in shade on their right.
float roundLight(float x, float middle, float halfWidth, float strength = 0.22f)
{
    return 1.f + strength * std::clamp((middle - x) / halfWidth, -1.f, 1.f);
}

art::Paint painted(art::Colour c, float middle, float halfWidth, unsigned seed, float roughness = 0.04f)
{
    return [=](float x, float y) { return art::shade(c, roundLight(x, middle, halfWidth) * (1.f + roughness * grain(x, y, seed))); };
}

void solid(TileArt& art, const art::Mask& body, const art::Paint& paint, float roundness = 0.8f, float light = 0.3f)
{
    art.paint(body, paint);
    art.relief(body, roundness, light);
}

// A round stone plinth seen from above at an angle: its top an ellipse, its
// side a band below it.
art::Shape plinthTop(float cx, float cy, float rx, float ry) { return art::ellipse(cx, cy, rx, ry); }
art::Shape plinth(float cx, float cy, float rx, float ry, float depth)
{
    return art::unite(art::unite(art::ellipse(cx, cy, rx, ry), art::ellipse(cx, cy + depth, rx, ry)),
                      art::rectangle(cx - rx, cy, cx + rx, cy + depth));
}

void drawPlinth(TileArt& art, float cx, float cy, float rx, float ry, float depth, art::Colour stone, unsigned seed)
{
    const art::Mask side = art.mask(plinth(cx, cy, rx, ry, depth));
    art.paint(side, [=](float x, float y) {
        return art::shade(stone, 0.72f * roundLight(x, cx, rx, 0.25f) * (1.f + 0.05f * grain(x, y, seed)));
    });
    const art::Mask top = art.mask(plinthTop(cx, cy, rx, ry));
    solid(art, top, [=](float x, float y) { return art::shade(stone, 1.f + 0.05f * grain(x, y, seed + 1)); }, 1.f, 0.3f);
}

constexpr art::Colour skin = art::rgb(238, 186, 150);
constexpr art::Colour coatBlue = art::rgb(46, 88, 180);
constexpr art::Colour hatRed = art::rgb(210, 36, 34);
constexpr art::Colour iron = art::rgb(40, 46, 44);

} // namespace

TileArt gnome(GnomeProp prop)
{
    TileArt art;
    const float cx = 16.f;
    // Plinth, boots, coat, arms, beard, face and the pointed hat, bottom to top.
    const art::Shape base = plinth(cx, 24.3f, 8.3f, 3.2f, 2.2f);
    const art::Shape boots = art::unite(art::ellipse(cx - 3.f, 24.f, 2.4f, 1.5f), art::ellipse(cx + 3.f, 24.f, 2.4f, 1.5f));
    const art::Shape coat = {[=](float x, float y) {
                                 const float halfWidth = 4.6f + (y - 13.f) * 0.17f;
                                 const float sides = std::abs(x - cx) - halfWidth;
                                 const float hem = std::hypot((x - cx) / (halfWidth + 0.5f), (y - 21.f) / 3.4f) - 1.f;
                                 return std::max({sides, 13.f - y, y < 21.f ? -1.f : hem * 3.f});
                             },
                             {cx - 8.f, 12.f, cx + 8.f, 26.f}};
    const bool holdsOut = prop != GnomeProp::None;
    // The right hand holds the prop out from the body.
    const art::Point leftHand{10.7f, 19.9f}, rightHand = holdsOut ? art::Point{22.6f, 17.4f} : art::Point{21.3f, 19.9f};
    const art::Shape arms = art::unite(art::capsule({11.6f, 14.6f}, {leftHand.x + 0.2f, leftHand.y - 0.8f}, 1.45f),
                                       art::capsule({20.4f, 14.6f}, {rightHand.x - 0.3f, rightHand.y - 0.7f}, 1.45f));
    const art::Shape hands = art::unite(art::circle(leftHand.x, leftHand.y, 1.3f), art::circle(rightHand.x, rightHand.y, 1.3f));
    const art::Shape beard = art::unite(art::ellipse(cx, 14.8f, 4.4f, 2.4f),
                                        art::polygon({{cx - 4.3f, 14.7f}, {cx + 4.3f, 14.7f}, {cx + 0.3f, 21.f}}));
    const art::Shape face = art::ellipse(cx, 12.f, 3.5f, 1.9f);
    constexpr float brim = 9.7f, tip = 1.3f;
    std::vector<art::Point> cone = art::curve({cx - 5.3f, brim}, {cx - 3.f, 4.6f}, {cx + 1.8f, tip}, 6);
    const std::vector<art::Point> far = art::curve({cx + 1.8f, tip}, {cx + 4.2f, 4.6f}, {cx + 5.3f, brim}, 6);
    cone.insert(cone.end(), far.begin() + 1, far.end());
    const art::Shape hat = art::unite(art::polygon(cone), art::ellipse(cx, brim, 5.3f, 1.5f));

    art::Shape rod = art::circle(-50.f, -50.f, 0.f);
    const art::Point rodTip{28.6f, 3.4f};
    if (prop == GnomeProp::FishingRod)
        rod = art::capsule({20.6f, 20.6f}, rodTip, 0.45f);
    const art::Point lanternAt{23.4f, 21.6f};
    const art::Shape lantern = art::unite(art::rectangle(lanternAt.x - 2.f, lanternAt.y - 2.2f, lanternAt.x + 2.f, lanternAt.y + 2.4f, 0.4f),
                                          art::polygon({{lanternAt.x - 2.2f, lanternAt.y - 2.f}, {lanternAt.x + 2.2f, lanternAt.y - 2.f},
                                                        {lanternAt.x, lanternAt.y - 3.4f}}));

    // Shadows on the grass: the plinth's, and the figure's lying beyond it.
    art::Mask figure = art.mask(base);
    for (const art::Shape* s : {&boots, &coat, &arms, &hands, &beard, &face, &hat})
        figure.unite(art.mask(*s));
    if (prop == GnomeProp::FishingRod)
        figure.unite(art.mask(rod));
    if (prop == GnomeProp::Lantern)
        figure.unite(art.mask(lantern));
    art.castShadow(art.mask(base), 1.4f, 1.3f, 0.8f, 0.5f);
    art.castShadow(art.mask(art::ellipse(22.5f, 26.6f, 5.5f, 2.f, 0.2f)), 0.f, 0.f, 0.9f, 0.45f);
    art.outline(figure);

    drawPlinth(art, cx, 24.3f, 8.3f, 3.2f, 2.2f, art::rgb(170, 166, 156), 0x676eu);
    solid(art, art.mask(boots), painted(art::rgb(74, 50, 34), cx, 6.f, 0x676fu), 0.6f, 0.3f);
    solid(art, art.mask(coat), [=](float x, float y) {
        art::Colour c = art::shade(coatBlue, roundLight(x, cx, 6.f) * (1.f + 0.04f * grain(x, y, 0x6770u)));
        // A belt with a brass buckle.
        if (std::abs(y - 20.2f) < 0.65f)
            c = std::abs(x - cx) < 1.1f ? art::rgb(234, 196, 74) : art::shade(art::rgb(64, 42, 28), roundLight(x, cx, 6.f));
        return c;
    }, 1.5f, 0.35f);
    solid(art, art.mask(arms), painted(art::shade(coatBlue, 0.92f), cx, 7.f, 0x6771u), 0.7f, 0.35f);
    solid(art, art.mask(hands), painted(skin, cx, 7.f, 0x6772u), 0.6f, 0.3f);
    solid(art, art.mask(beard), [=](float x, float y) {
        // Combed strands down the beard.
        const float strands = art::noise((x - cx) * 1.6f, y * 0.35f, 0x6773u);
        return art::shade(palette::petalWhite, roundLight(x, cx, 4.5f, 0.12f) * (0.97f + 0.05f * strands));
    }, 1.2f, 0.3f);
    solid(art, art.mask(face), painted(skin, cx, 3.5f, 0x6774u), 0.6f, 0.2f);
    for (float side : {-1.f, 1.f}) {
        art.paint(art::circle(cx + side * 2.3f, 12.7f, 0.8f), art::withAlpha(art::rgb(236, 120, 110), 0.6f));
        art.paint(art::circle(cx + side * 1.4f, 11.6f, 0.45f), art::rgb(30, 24, 22));
    }
    // A button nose over the moustache.
    solid(art, art.mask(art::circle(cx, 13.f, 1.25f)), painted(art::rgb(236, 142, 120), cx, 1.2f, 0x6775u), 0.5f, 0.35f);
    solid(art, art.mask(hat), [=](float x, float y) {
        // A cone: its middle line leans to the tip, lit on the left of it.
        const float t = std::clamp((brim - y) / (brim - tip), 0.f, 1.f);
        const float middle = cx + 1.8f * t, halfWidth = std::max(5.3f * (1.f - t), 0.8f);
        art::Colour c = art::shade(hatRed, roundLight(x, middle, halfWidth, 0.3f) * (1.f + 0.04f * grain(x, y, 0x6776u)));
        // The brim folds over at the bottom.
        return y > brim - 0.6f ? art::shade(c, 0.84f) : c;
    }, 1.f, 0.3f);

    if (prop == GnomeProp::FishingRod) {
        solid(art, art.mask(rod), painted(art::rgb(128, 88, 50), 20.f, 10.f, 0x6777u), 0.3f, 0.3f);
        // The line hangs from the tip with a goldfish on the end.
        const float fishX = rodTip.x + 0.1f;
        art.paint(art::capsule(rodTip, {fishX, 10.f}, 0.2f), art::withAlpha(art::rgb(226, 230, 230), 0.85f));
        const art::Shape fish = art::unite(art::ellipse(fishX, 12.6f, 1.25f, 2.4f),
                                           art::polygon({{fishX - 1.5f, 16.6f}, {fishX + 1.5f, 16.6f}, {fishX, 14.4f}}));
        const art::Mask fishMask = art.mask(fish);
        art.castShadow(fishMask, 1.2f, 1.4f, 0.6f, 0.4f);
        art.outline(fishMask);
        solid(art, fishMask, [=](float x, float) {
            return art::shade(art::rgb(246, 140, 34), roundLight(x, fishX, 1.3f, 0.25f));
        }, 0.5f, 0.3f);
        art.paint(art::circle(fishX - 0.45f, 11.5f, 0.3f), art::rgb(30, 24, 22));
        solid(art, art.mask(art::circle(rightHand.x, rightHand.y, 1.3f)), painted(skin, cx, 7.f, 0x6772u), 0.6f, 0.3f);
    }
    if (prop == GnomeProp::Lantern) {
        // A lit lantern hanging from the hand, its glow on the grass and coat.
        art.light([=](float x, float y) { return 1.f + 0.5f * smoothstep(7.f, 0.5f, std::hypot(x - lanternAt.x, y - lanternAt.y)); });
        art.paint(art::capsule({rightHand.x, rightHand.y}, {lanternAt.x, lanternAt.y - 3.f}, 0.25f), iron);
        const art::Mask body = art.mask(lantern);
        art.paint(body, [=](float x, float y) {
            const float dx = std::abs(x - lanternAt.x), dy = y - lanternAt.y;
            if (dy < -1.5f || dy > 1.7f || dx > 1.35f)
                return art::shade(iron, roundLight(x, lanternAt.x, 1.7f, 0.3f));
            return art::mix(art::rgb(255, 250, 214), art::rgb(250, 190, 70), std::clamp(std::hypot(dx, dy) / 1.6f, 0.f, 1.f));
        });
        solid(art, art.mask(art::circle(rightHand.x, rightHand.y, 1.3f)), painted(skin, cx, 7.f, 0x6772u), 0.6f, 0.3f);
    }
    return art;
}

TileArt gardenLamp()
{
    TileArt art;
    const float cx = 15.5f;
    const float glassTop = 5.4f, glassBottom = 11.f;
    auto glassHalfWidth = [=](float y) { return 3.5f - (y - glassTop) * 0.14f; };
    const art::Shape base = plinth(cx, 25.6f, 4.f, 1.7f, 1.6f);
    const art::Shape post = art::capsule({cx, 25.f}, {cx, 12.f}, 1.f);
    const art::Shape collar = art::ellipse(cx, 11.8f, 2.2f, 0.9f);
    const art::Shape glass = art::polygon({{cx - glassHalfWidth(glassTop), glassTop},
                                           {cx + glassHalfWidth(glassTop), glassTop},
                                           {cx + glassHalfWidth(glassBottom), glassBottom},
                                           {cx - glassHalfWidth(glassBottom), glassBottom}});
    const art::Shape cap = art::unite(art::polygon({{cx - 4.6f, glassTop + 0.4f}, {cx + 4.6f, glassTop + 0.4f}, {cx + 1.2f, 2.6f},
                                                    {cx - 1.2f, 2.6f}}),
                                      art::circle(cx, 2.3f, 0.95f));

    // The post's shadow runs away over the grass from its foot, the
    // lantern's at its end.
    art.castShadow(art.mask(art::capsule({cx + 0.5f, 27.f}, {cx + 8.5f, 28.6f}, 1.1f)), 0.f, 0.f, 0.8f, 0.5f);
    art.castShadow(art.mask(art::ellipse(cx + 10.5f, 28.4f, 3.f, 1.4f, 0.1f)), 0.f, 0.f, 0.8f, 0.5f);
    // Warm light round the lantern and pooled on the grass at its foot.
    art.light([=](float x, float y) {
        const float nearLamp = smoothstep(9.f, 1.f, std::hypot(x - cx, (y - 8.f) * 1.1f));
        const float pool = smoothstep(7.f, 1.f, std::hypot((x - cx) * 0.8f, (y - 25.5f) * 1.6f));
        return 1.f + 0.3f * nearLamp + 0.12f * pool;
    });
    art::Mask whole = art.mask(base);
    for (const art::Shape* s : {&post, &collar, &glass, &cap})
        whole.unite(art.mask(*s));
    art.outline(whole);

    drawPlinth(art, cx, 25.6f, 4.f, 1.7f, 1.6f, iron, 0x6c61u);
    solid(art, art.mask(post), painted(iron, cx, 1.f, 0x6c62u), 0.4f, 0.3f);
    // A thin highlight where the light catches the post.
    art.paint(art::capsule({cx - 0.45f, 24.f}, {cx - 0.45f, 13.f}, 0.22f), art::withAlpha(art::rgb(150, 160, 154), 0.6f));
    solid(art, art.mask(collar), painted(iron, cx, 2.2f, 0x6c63u), 0.4f, 0.3f);
    art.paint(art.mask(glass), [=](float x, float y) {
        // Four panes round a glowing bulb, two of them facing us between
        // the frame's bars.
        const float across = (x - cx) / glassHalfWidth(y);
        const float bar = std::min({std::abs(across), std::abs(std::abs(across) - 1.f) * 3.f});
        const float glow = std::clamp(std::hypot(x - cx, (y - 8.4f) * 1.2f) / 3.6f, 0.f, 1.f);
        art::Colour c = art::mix(art::rgb(255, 252, 222), art::rgb(250, 196, 86), glow);
        if (bar < 0.12f || y > glassBottom - 0.6f)
            c = art::shade(iron, roundLight(x, cx, 3.5f, 0.3f));
        return c;
    });
    solid(art, art.mask(cap), painted(art::rgb(46, 54, 50), cx, 3.f, 0x6c64u), 0.7f, 0.4f);
    return art;
}

} // namespace tiles
