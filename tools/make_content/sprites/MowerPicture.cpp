#include "sprites/MowerPicture.hpp"

#include "art/Shape.hpp"

#include <algorithm>
#include <cmath>

namespace sprites {

namespace {

using art::Colour;
using art::rgb;
using art::Shape;

const Colour bodyRed = rgb(214, 38, 28);
const Colour accentYellow = rgb(255, 206, 48);
const Colour rubber = rgb(48, 48, 54);
const Colour treadRubber = rgb(100, 100, 108);
const Colour deckSteel = rgb(128, 134, 140);
const Colour charcoal = rgb(58, 58, 64);
const Colour seatLeather = rgb(44, 40, 40);
const Colour shirtBlue = rgb(48, 96, 178);
const Colour skin = rgb(232, 178, 138);
const Colour straw = rgb(236, 204, 112);
const Colour hatBand = rgb(150, 36, 28);
const Colour outline = rgb(26, 22, 20);

// The mower is laid out in frame pixels; the canvas is `scale` times finer.
class Easel {
public:
    Easel(art::Canvas& canvas, float scale) : canvas_(canvas), scale_(scale) {}

    Shape fit(Shape shape, float dx = 0.f, float dy = 0.f) const
    {
        const float s = scale_;
        const art::Bounds b = shape.bounds;
        return {[f = std::move(shape.distance), s, dx, dy](float x, float y) { return f(x / s - dx, y / s - dy) * s; },
                {(b.left + dx) * s, (b.top + dy) * s, (b.right + dx) * s, (b.bottom + dy) * s}};
    }

    // Paint functions are written in frame pixels too.
    void paint(const Shape& shape, const std::function<Colour(float, float)>& paint, float dx = 0.f, float dy = 0.f)
    {
        const float s = scale_;
        canvas_.paint(fit(shape, dx, dy), [&](float x, float y) { return paint(x / s - dx, y / s - dy); });
    }
    void paint(const Shape& shape, Colour c, float dx = 0.f, float dy = 0.f) { canvas_.paint(fit(shape, dx, dy), c); }

    art::Canvas& canvas() { return canvas_; }

private:
    art::Canvas& canvas_;
    float scale_;
};

// Rounded like a bonnet: lit along the middle, falling off to the sides.
Colour rounded(Colour base, float x, float centre, float halfWidth, float gloss)
{
    const float t = std::clamp((x - centre) / halfWidth, -1.f, 1.f);
    const float light = 0.72f + 0.42f * (1.f - t * t);
    Colour c = art::shade(base, light);
    const float shine = std::exp(-std::pow((t + 0.35f) / 0.16f, 2.f)) * gloss;
    return art::clamped(art::mix(c, art::white, shine));
}

void paintWheel(Easel& easel, float left, float top, float right, float bottom, float treadPhase)
{
    const float centre = (left + right) / 2.f, half = (right - left) / 2.f;
    const float step = 2.f;
    easel.paint(art::rectangle(left, top, right, bottom, 1.3f), [=](float x, float y) {
        // Tread bars across the tyre, chevroned, rolling backwards as it turns.
        const float chevron = std::abs(x - centre) * 0.6f;
        const float phase = std::fmod(y - chevron + treadPhase * step + 100.f * step, step) / step;
        const Colour base = phase < 0.45f ? treadRubber : rubber;
        const float t = (x - centre) / half;
        return art::shade(base, 0.7f + 0.45f * (1.f - t * t));
    });
}

void paintBlade(Easel& easel, float cx, float cy, float radius, const MowerPose& pose)
{
    easel.paint(art::circle(cx, cy, radius), [=](float x, float y) {
        const float d = std::hypot(x - cx, y - cy) / radius;
        return art::shade(rgb(30, 44, 28), 0.7f + 0.5f * d);
    });
    // A spinning blade smears into a fan of fading copies behind it.
    const int copies = pose.bladesSpinning ? 5 : 1;
    for (int i = copies - 1; i >= 0; --i) {
        const float angle = pose.bladeAngle - static_cast<float>(i) * 0.22f;
        const float dx = std::cos(angle) * (radius - 0.5f), dy = std::sin(angle) * (radius - 0.5f);
        const float fade = 1.f - static_cast<float>(i) / static_cast<float>(copies + 1);
        easel.paint(art::capsule({cx - dx, cy - dy}, {cx + dx, cy + dy}, 0.42f),
                    art::withAlpha(rgb(226, 230, 236), fade));
    }
    easel.paint(art::circle(cx, cy, 0.55f), rgb(90, 92, 98));
}

void paintChassis(Easel& easel, const MowerPose& pose)
{
    // Deck under the middle, wider than the body so its sides show.
    easel.paint(art::rectangle(1.4f, 11.6f, 22.6f, 19.8f, 3.2f), [](float x, float y) {
        const float edge = std::min({x - 1.4f, 22.6f - x, y - 11.6f, 19.8f - y});
        return art::shade(deckSteel, edge < 0.8f ? 0.72f : 1.f - 0.012f * std::abs(x - 12.f));
    });
    paintBlade(easel, 6.0f, 15.7f, 3.1f, pose);
    paintBlade(easel, 18.0f, 15.7f, 3.1f, {pose.shudder, pose.treadPhase, -pose.bladeAngle + 1.1f, pose.bladesSpinning});

    paintWheel(easel, 0.9f, 4.2f, 4.9f, 11.2f, pose.treadPhase);
    paintWheel(easel, 19.1f, 4.2f, 23.1f, 11.2f, pose.treadPhase);
    paintWheel(easel, 0.4f, 19.2f, 5.8f, 30.8f, pose.treadPhase);
    paintWheel(easel, 18.2f, 19.2f, 23.6f, 30.8f, pose.treadPhase);
}

void paintBody(Easel& easel, float dy)
{
    // Footboard and rear frame.
    easel.paint(art::rectangle(5.6f, 14.f, 18.4f, 30.6f, 2.f), [](float x, float) {
        return rounded(charcoal, x, 12.f, 6.4f, 0.f);
    }, 0.f, dy);
    // Rear body round the seat, with low fenders leaning over the tyres.
    easel.paint(art::rectangle(5.2f, 19.6f, 18.8f, 31.f, 2.6f), [](float x, float) {
        return rounded(bodyRed, x, 12.f, 6.8f, 0.3f);
    }, 0.f, dy);
    // Bonnet over the engine, rounded at the nose.
    const Shape bonnet = art::unite(art::rectangle(6.9f, 6.f, 17.1f, 15.4f, 1.6f),
                                    art::rectangle(6.9f, 0.8f, 17.1f, 10.f, 4.f));
    easel.paint(bonnet, [](float x, float y) {
        Colour c = rounded(bodyRed, x, 12.f, 5.1f, 0.55f);
        return art::shade(c, 1.04f - 0.01f * y);
    }, 0.f, dy);
    for (const float side : {-1.f, 1.f}) {
        easel.paint(art::capsule({12.f + side * 3.4f, 3.2f}, {12.f + side * 3.4f, 14.2f}, 0.45f), accentYellow, 0.f,
                    dy);
        easel.paint(art::circle(12.f + side * 3.2f, 1.9f, 0.95f), rgb(255, 246, 196), 0.f, dy);
    }
    for (int slot = 0; slot < 3; ++slot) {
        const float x = 10.3f + 1.7f * static_cast<float>(slot);
        easel.paint(art::rectangle(x - 0.35f, 0.9f, x + 0.35f, 2.6f, 0.3f), rgb(40, 20, 18), 0.f, dy);
    }
    // Dashboard and the steering wheel, seen from above as a flat ring.
    easel.paint(art::rectangle(8.2f, 14.4f, 15.8f, 16.8f, 1.f), charcoal, 0.f, dy);
    easel.paint(art::subtract(art::ellipse(12.f, 16.4f, 2.9f, 1.7f), art::ellipse(12.f, 16.4f, 2.2f, 1.05f)),
                rgb(22, 22, 26), 0.f, dy);
    easel.paint(art::circle(12.f, 16.4f, 0.55f), accentYellow, 0.f, dy);
    // Seat with its back rest.
    easel.paint(art::rectangle(8.2f, 21.4f, 15.8f, 29.4f, 1.8f), [](float x, float) {
        return rounded(seatLeather, x, 12.f, 3.8f, 0.15f);
    }, 0.f, dy);
    easel.paint(art::rectangle(7.8f, 27.4f, 16.2f, 30.2f, 1.3f), rgb(62, 56, 54), 0.f, dy);
    // Tow hitch.
    easel.paint(art::rectangle(10.6f, 30.f, 13.4f, 31.8f, 0.5f), rgb(90, 92, 98), 0.f, dy);
}

void paintDriver(Easel& easel, float dy)
{
    easel.paint(art::ellipse(12.f, 23.4f, 4.6f, 2.6f), [](float x, float y) {
        return art::shade(rounded(shirtBlue, x, 12.f, 4.6f, 0.1f), 1.05f - 0.02f * (y - 21.f));
    }, 0.f, dy);
    for (const float side : {-1.f, 1.f}) {
        easel.paint(art::capsule({12.f + side * 3.6f, 22.6f}, {12.f + side * 2.5f, 17.4f}, 1.f), shirtBlue, 0.f, dy);
        easel.paint(art::circle(12.f + side * 2.4f, 16.8f, 0.9f), skin, 0.f, dy);
    }
    // A wide straw hat hides the rest of the driver.
    easel.paint(art::circle(12.f, 22.6f, 3.5f), [](float x, float y) {
        const float d = std::hypot(x - 12.f, y - 22.6f);
        const float weave = 0.04f * std::sin(d * 9.f);
        return art::shade(straw, 1.08f - 0.12f * d / 3.5f + weave);
    }, 0.f, dy);
    easel.paint(art::subtract(art::circle(12.f, 22.6f, 2.35f), art::circle(12.f, 22.6f, 1.8f)), hatBand, 0.f, dy);
    easel.paint(art::circle(12.f, 22.6f, 1.8f), [](float x, float y) {
        const float d = std::hypot(x - 11.5f, y - 22.1f);
        return art::shade(straw, 1.18f - 0.1f * d);
    }, 0.f, dy);
}

} // namespace

art::Canvas paintMower(const MowerPose& pose, int scale)
{
    art::Canvas parts(mowerWidth * scale, mowerHeight * scale);
    Easel easel(parts, static_cast<float>(scale));
    paintChassis(easel, pose);
    paintBody(easel, pose.shudder);
    paintDriver(easel, pose.shudder);

    // A dark line all round, so the mower stays crisp on any grass.
    art::Canvas framed(parts.width(), parts.height());
    framed.paint(parts.alpha().grown(0.75f * static_cast<float>(scale)), outline);
    framed.draw(parts, 0, 0);
    return framed;
}

} // namespace sprites
