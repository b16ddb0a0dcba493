#include "tiles/TileArt.hpp"

#include "tiles/Curves.hpp"
#include "tiles/Ground.hpp"

#include <algorithm>
#include <cmath>

namespace tiles {

namespace {

constexpr float scale = static_cast<float>(detail);

} // namespace

art::Shape atDetail(const art::Shape& shape)
{
    const art::Bounds b = shape.bounds;
    return {[f = shape.distance](float x, float y) { return f(x / scale, y / scale) * scale; },
            {b.left * scale, b.top * scale, b.right * scale, b.bottom * scale}};
}

TileArt::TileArt(int columns, int rows)
    : columns_(columns), rows_(rows), canvas_(columns * tileSize * detail, rows * tileSize * detail)
{
    const art::Canvas& grass = uncutGrassDetail();
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x)
            canvas_.set(x, y, grass.get(x % grass.width(), y % grass.height()));
}

art::Mask TileArt::mask(const art::Shape& shape) const { return canvas_.maskOf(atDetail(shape)); }

art::Mask TileArt::mask(const Field& distance) const
{
    art::Mask m = canvas_.mask();
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            m(x, y) = art::edgeCoverage(
                distance((static_cast<float>(x) + 0.5f) / scale, (static_cast<float>(y) + 0.5f) / scale) * scale);
    return m;
}

void TileArt::fill(const art::Paint& paint)
{
    canvas_.fill([&](float x, float y) { return paint(x / scale, y / scale); });
}

void TileArt::paint(const art::Mask& mask, art::Colour colour) { canvas_.paint(mask, colour); }

void TileArt::paint(const art::Mask& mask, const art::Paint& paint)
{
    canvas_.paint(mask, [&](float x, float y) { return paint(x / scale, y / scale); });
}

void TileArt::castShadow(const art::Mask& caster, float dx, float dy, float blur, float strength, bool fadeAtEdges)
{
    const art::Mask shadow = caster.shifted(static_cast<int>(std::lround(dx * scale)), static_cast<int>(std::lround(dy * scale)))
                                 .blurred(blur * scale);
    const float w = width(), h = height();
    darken([&](float x, float y) {
        const int px = std::clamp(static_cast<int>(x * scale), 0, shadow.width() - 1);
        const int py = std::clamp(static_cast<int>(y * scale), 0, shadow.height() - 1);
        float s = shadow(px, py) * strength;
        if (fadeAtEdges)
            s *= smoothstep(0.f, 3.f, std::min({x, y, w - x, h - y}));
        return s;
    });
}

void TileArt::castShadow(const Field& caster, float dx, float dy, float softness, float strength)
{
    darken([&](float x, float y) { return strength * smoothstep(softness, -softness, caster(x - dx, y - dy)); });
}

void TileArt::light(const Field& factor)
{
    canvas_.light([&](float x, float y) { return factor(x / scale, y / scale); });
}

void TileArt::darken(const Field& amount)
{
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x) {
            const float s = std::clamp(
                amount((static_cast<float>(x) + 0.5f) / scale, (static_cast<float>(y) + 0.5f) / scale), 0.f, 1.f);
            if (s <= 0.f)
                continue;
            art::Colour c = canvas_.get(x, y);
            // Shade on a sunny lawn is cool: red goes first, blue least.
            c.r *= 1.f - 0.62f * s;
            c.g *= 1.f - 0.52f * s;
            c.b *= 1.f - 0.38f * s;
            canvas_.set(x, y, c);
        }
}

void TileArt::relief(const art::Mask& body, float roundness, float strength)
{
    const art::Mask height = body.blurred(roundness * scale);
    // A blurred edge climbs at most 1 / (sigma * sqrt(2 pi)) per pixel; this
    // brings its steepest slope to about 1.
    const float norm = roundness * scale * 2.5f / 2.f / std::sqrt(2.f);
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x) {
            const float m = body(x, y);
            if (m <= 0.f)
                continue;
            const float gx = height.at(x + 1, y) - height.at(x - 1, y);
            const float gy = height.at(x, y + 1) - height.at(x, y - 1);
            const float facing = std::clamp((gx + gy) * norm, -1.f, 1.f);
            canvas_.set(x, y, art::shade(canvas_.get(x, y), 1.f + strength * facing * m));
        }
}

void TileArt::relief(const Field& height, float strength, const art::Mask* within)
{
    constexpr float step = 0.5f / scale;
    for (int y = 0; y < canvas_.height(); ++y)
        for (int x = 0; x < canvas_.width(); ++x) {
            const float m = within ? (*within)(x, y) : 1.f;
            if (m <= 0.f)
                continue;
            const float fx = (static_cast<float>(x) + 0.5f) / scale, fy = (static_cast<float>(y) + 0.5f) / scale;
            const float gx = (height(fx + step, fy) - height(fx - step, fy)) / (2.f * step);
            const float gy = (height(fx, fy + step) - height(fx, fy - step)) / (2.f * step);
            const float facing = std::clamp((gx + gy) / std::sqrt(2.f), -1.f, 1.f);
            canvas_.set(x, y, art::shade(canvas_.get(x, y), 1.f + strength * facing * m));
        }
}

void TileArt::outline(const art::Mask& body, float width, art::Colour colour)
{
    art::Mask band = body.grown(width * scale);
    band.subtract(body);
    canvas_.paint(band, colour);
}

sf::Image TileArt::tile(int column, int row) const
{
    const int side = tileSize * detail;
    const art::Canvas small = canvas_.cropped(column * side, row * side, side, side).downsampled(detail);
    sf::Image image;
    image.create(tileSize, tileSize);
    auto channel = [](float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); };
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const art::Colour c = small.get(x, y);
            sf::Color pixel(channel(c.r), channel(c.g), channel(c.b));
            // The tileset file stores transparency as pure magenta.
            if (pixel == sf::Color::Magenta)
                pixel.r = 254;
            image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), pixel);
        }
    return image;
}

} // namespace tiles
