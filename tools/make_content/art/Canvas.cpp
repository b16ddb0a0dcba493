#include "art/Canvas.hpp"

#include <algorithm>
#include <cmath>

namespace art {

Canvas::Canvas(int width, int height, Colour fill, bool wrap)
    : width_(width), height_(height), wrap_(wrap), pixels_(static_cast<std::size_t>(width) * height, fill)
{
}

void Canvas::fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void Canvas::fill(const Paint& paint)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            pixels_[index(x, y)] = paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
}

void Canvas::paint(const Mask& mask, Colour c)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float m = mask.at(x, y);
            if (m > 0.f)
                pixels_[index(x, y)] = over(pixels_[index(x, y)], c, m);
        }
}

void Canvas::paint(const Mask& mask, const Paint& paint)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float m = mask.at(x, y);
            if (m > 0.f)
                pixels_[index(x, y)] =
                    over(pixels_[index(x, y)], paint(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), m);
        }
}

void Canvas::paint(const Shape& shape, Colour c) { paint(maskOf(shape), c); }

void Canvas::paint(const Shape& shape, const Paint& p) { paint(maskOf(shape), p); }

void Canvas::light(const Mask& mask, float factor)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const float m = mask.at(x, y);
            if (m > 0.f) {
                Colour& c = pixels_[index(x, y)];
                c = shade(c, 1.f + (factor - 1.f) * m);
            }
        }
}

void Canvas::light(const std::function<float(float x, float y)>& factor)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Colour& c = pixels_[index(x, y)];
            c = shade(c, factor(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f));
        }
}

void Canvas::draw(const Canvas& picture, int left, int top, float opacity)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            int tx = left + x, ty = top + y;
            if (wrap_) {
                tx = ((tx % width_) + width_) % width_;
                ty = ((ty % height_) + height_) % height_;
            } else if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) {
                continue;
            }
            pixels_[index(tx, ty)] = over(pixels_[index(tx, ty)], picture.get(x, y), opacity);
        }
}

void Canvas::dropShadow(int dx, int dy, float sigma, float opacity, Colour colour)
{
    const Mask shadow = alpha().shifted(dx, dy).blurred(sigma);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            Colour& c = pixels_[index(x, y)];
            c = over(withAlpha(colour, shadow(x, y) * opacity), c);
        }
}

Mask Canvas::alpha() const
{
    Mask m(width_, height_, wrap_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            m(x, y) = pixels_[index(x, y)].a;
    return m;
}

Canvas Canvas::downsampled(int factor) const
{
    Canvas out(width_ / factor, height_ / factor, transparent, wrap_);
    const float area = static_cast<float>(factor * factor);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            float r = 0.f, g = 0.f, b = 0.f, a = 0.f;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    const Colour c = get(x * factor + sx, y * factor + sy);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                }
            out.set(x, y, a > 0.f ? Colour{r / a, g / a, b / a, a / area} : transparent);
        }
    return out;
}

Canvas Canvas::cropped(int left, int top, int width, int height) const
{
    Canvas out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (left + x >= 0 && top + y >= 0 && left + x < width_ && top + y < height_)
                out.set(x, y, get(left + x, top + y));
    return out;
}

sf::Image Canvas::toImage() const
{
    sf::Image image;
    image.create(static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    auto channel = [](float v) { return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.f, 1.f) * 255.f)); };
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            const Colour c = get(x, y);
            image.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                           sf::Color(channel(c.r), channel(c.g), channel(c.b), channel(c.a)));
        }
    return image;
}

Canvas Canvas::fromImage(const sf::Image& image)
{
    const sf::Vector2u size = image.getSize();
    Canvas out(static_cast<int>(size.x), static_cast<int>(size.y));
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x) {
            const sf::Color c = image.getPixel(x, y);
            out.set(static_cast<int>(x), static_cast<int>(y), rgb(c.r, c.g, c.b, static_cast<float>(c.a) / 255.f));
        }
    return out;
}

} // namespace art
