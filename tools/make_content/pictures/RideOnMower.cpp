#include "pictures/RideOnMower.hpp"

#include "Random.hpp"
#include "art/Shape.hpp"
#include "pictures/Painter.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace pictures {

namespace {

const art::Colour red = art::rgb(214, 40, 30);
const art::Colour yellow = art::rgb(255, 204, 48);
const art::Colour rubber = art::rgb(40, 40, 44);
const art::Colour shirt = art::rgb(52, 100, 184);
const art::Colour straw = art::rgb(236, 206, 120);

// Shapes are laid out in mower units from the middle of the rear axle's
// ground line, y up being negative as in the picture.
class Model {
public:
    Model(art::Canvas& picture, float x, float ground, float scale, const Light& light)
        : painter_(picture), x_(x), ground_(ground), scale_(scale), light_(light)
    {
    }

    art::Point at(float u, float v) const { return {x_ + u * scale_, ground_ + v * scale_}; }
    art::Shape box(float left, float top, float right, float bottom, float round) const
    {
        const art::Point a = at(left, top), b = at(right, bottom);
        return art::rectangle(a.x, a.y, b.x, b.y, round * scale_);
    }
    art::Shape oval(float u, float v, float rx, float ry) const
    {
        const art::Point c = at(u, v);
        return art::ellipse(c.x, c.y, rx * scale_, ry * scale_);
    }
    art::Shape poly(std::initializer_list<art::Point> units) const
    {
        std::vector<art::Point> points;
        for (const art::Point& p : units)
            points.push_back(at(p.x, p.y));
        return art::polygon(points);
    }

    // A surface of the given colour, rounded across its width (a bonnet, a
    // tyre, a back) and facing up by `up`, lit from the sun's side.
    void solid(const art::Shape& shape, art::Colour colour, float left, float right, float up, float gloss = 0.f)
    {
        painter_.fill(shape, [=, this](float x, float) {
            const float u = (x - x_) / scale_;
            const float across = std::clamp((u - left) / std::max(right - left, 1e-3f) * 2.f - 1.f, -1.f, 1.f);
            const float facing = light_.facing(across * 0.8f, -up);
            art::Colour c = light_.on(colour, facing);
            const float shine = std::exp(-std::pow((across + 0.45f) / 0.18f, 2.f)) * gloss;
            return art::clamped(art::mix(c, art::white, shine));
        });
    }
    void flat(const art::Shape& shape, art::Colour colour, float softness = 1.f)
    {
        painter_.fill(shape, colour, softness * scale_);
    }
    float scale() const { return scale_; }

private:
    Painter painter_;
    float x_, ground_, scale_;
    const Light& light_;
};

void paintTyre(Model& m, float left, float right, float top, float bottom)
{
    m.solid(m.box(left, top, right, bottom, 7.f), rubber, left, right, 0.f);
    // Tread across the back of the tyre.
    for (float v = top + 4.f; v < bottom - 3.f; v += 5.f)
        m.flat(m.box(left + 2.f, v, right - 2.f, v + 1.6f, 0.8f), art::rgb(20, 20, 22, 0.8f), 0.5f);
}

} // namespace

void paintRideOnMower(art::Canvas& picture, std::string_view seed, float x, float ground, float scale,
                      const Light& light)
{
    content::Random rng(seed);
    Model m(picture, x, ground, scale, light);

    m.flat(m.oval(-light.towardSun.x * 14.f, -2.f, 66.f, 11.f), light.shadow, 10.f);
    // Deck between the wheels, low over the grass, its chute on the right.
    m.solid(m.box(-48.f, -22.f, 48.f, -8.f, 5.f), art::rgb(110, 114, 120), -48.f, 48.f, 0.3f);
    m.solid(m.poly({{44.f, -20.f}, {62.f, -24.f}, {64.f, -12.f}, {46.f, -9.f}}), art::rgb(60, 62, 66), 44.f, 64.f, 0.f);
    // Front wheels, far up ahead, and the bonnet between them.
    paintTyre(m, -40.f, -29.f, -64.f, -46.f);
    paintTyre(m, 29.f, 40.f, -64.f, -46.f);
    m.solid(m.poly({{-20.f, -70.f}, {20.f, -70.f}, {27.f, -44.f}, {-27.f, -44.f}}), red, -27.f, 27.f, 0.8f, 0.5f);
    m.flat(m.poly({{-3.f, -70.f}, {3.f, -70.f}, {4.f, -44.f}, {-4.f, -44.f}}), art::withAlpha(yellow, 0.9f));
    // Rear body with its fenders over the big tyres.
    paintTyre(m, -56.f, -33.f, -46.f, 0.f);
    paintTyre(m, 33.f, 56.f, -46.f, 0.f);
    m.solid(m.box(-36.f, -44.f, 36.f, -12.f, 6.f), red, -36.f, 36.f, 0.1f, 0.3f);
    m.solid(m.box(-58.f, -50.f, -30.f, -40.f, 5.f), red, -58.f, -30.f, 0.9f, 0.4f);
    m.solid(m.box(30.f, -50.f, 58.f, -40.f, 5.f), red, 30.f, 58.f, 0.9f, 0.4f);
    m.flat(m.box(-36.f, -16.f, 36.f, -12.f, 2.f), art::rgb(0, 0, 0, 0.3f), 2.f);
    for (const float side : {-1.f, 1.f})
        m.solid(m.box(side * 27.f - 4.f, -30.f, side * 27.f + 4.f, -25.f, 1.5f), art::rgb(255, 120, 30), -4.f, 4.f, 0.f, 0.6f);
    m.solid(m.box(-8.f, -14.f, 8.f, -9.f, 1.f), art::rgb(80, 82, 88), -8.f, 8.f, 0.f);

    // Seat back and the driver in a straw hat.
    m.solid(m.box(-19.f, -60.f, 19.f, -40.f, 6.f), art::rgb(40, 36, 36), -19.f, 19.f, 0.2f, 0.2f);
    for (const float side : {-1.f, 1.f})
        m.solid(m.poly({{side * 14.f, -76.f}, {side * 22.f, -70.f}, {side * 22.f, -60.f}, {side * 15.f, -58.f}}), shirt,
                side > 0 ? 14.f : -22.f, side > 0 ? 22.f : -14.f, 0.3f);
    m.solid(m.box(-16.f, -82.f, 16.f, -56.f, 9.f), shirt, -16.f, 16.f, 0.3f);
    m.flat(m.box(-14.f, -62.f, 14.f, -58.f, 2.f), art::rgb(0, 0, 0, 0.25f), 2.f);
    m.solid(m.box(-5.f, -88.f, 5.f, -80.f, 3.f), art::rgb(226, 170, 130), -5.f, 5.f, 0.f);
    m.solid(m.oval(0.f, -88.f, 22.f, 7.5f), straw, -22.f, 22.f, 0.7f, 0.15f);
    m.solid(m.box(-11.f, -102.f, 11.f, -87.f, 7.f), straw, -11.f, 11.f, 0.3f, 0.2f);
    m.flat(m.box(-11.f, -92.f, 11.f, -88.f, 1.f), art::rgb(170, 40, 30));

    // Clippings flung from the chute.
    for (int i = 0; i < 26; ++i) {
        const float u = 62.f + static_cast<float>(rng.uniform(0.0, 36.0));
        const float v = -16.f - static_cast<float>(rng.uniform(0.0, 14.0)) + (u - 62.f) * 0.25f;
        const float r = static_cast<float>(rng.uniform(0.7, 1.6));
        m.flat(m.oval(u, v, r, r * 0.6f), art::rgb(150 + rng.below(40), 200 + rng.below(30), 80, 0.9f), 0.3f);
    }
}

} // namespace pictures
