#include "art/Mask.hpp"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

int wrapped(int v, int size) { return ((v % size) + size) % size; }

} // namespace

Mask::Mask(int width, int height, bool wrap, float value)
    : width_(width), height_(height), wrap_(wrap), values_(static_cast<std::size_t>(width) * height, value)
{
}

float Mask::at(int x, int y) const
{
    if (wrap_)
        return values_[index(wrapped(x, width_), wrapped(y, height_))];
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0.f;
    return values_[index(x, y)];
}

Mask& Mask::add(const Shape& shape, float strength)
{
    // A wrapping mask paints the shape once per neighbouring copy of the
    // mask, so what hangs over one edge shows at the other.
    const int reach = wrap_ ? 1 : 0;
    for (int oy = -reach; oy <= reach; ++oy) {
        for (int ox = -reach; ox <= reach; ++ox) {
            const float sx = static_cast<float>(ox * width_), sy = static_cast<float>(oy * height_);
            const int left = std::max(0, static_cast<int>(std::floor(shape.bounds.left + sx)));
            const int top = std::max(0, static_cast<int>(std::floor(shape.bounds.top + sy)));
            const int right = std::min(width_ - 1, static_cast<int>(std::ceil(shape.bounds.right + sx)));
            const int bottom = std::min(height_ - 1, static_cast<int>(std::ceil(shape.bounds.bottom + sy)));
            for (int y = top; y <= bottom; ++y) {
                for (int x = left; x <= right; ++x) {
                    const float d = shape.distance(static_cast<float>(x) + 0.5f - sx, static_cast<float>(y) + 0.5f - sy);
                    float& v = values_[index(x, y)];
                    v = std::max(v, edgeCoverage(d) * strength);
                }
            }
        }
    }
    return *this;
}

Mask& Mask::cut(const Shape& shape)
{
    Mask cutter(width_, height_, wrap_);
    cutter.add(shape);
    return subtract(cutter);
}

Mask& Mask::unite(const Mask& other)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            values_[index(x, y)] = std::max(values_[index(x, y)], other.at(x, y));
    return *this;
}

Mask& Mask::intersect(const Mask& other)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            values_[index(x, y)] = std::min(values_[index(x, y)], other.at(x, y));
    return *this;
}

Mask& Mask::multiply(const Mask& other)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            values_[index(x, y)] *= other.at(x, y);
    return *this;
}

Mask& Mask::subtract(const Mask& other)
{
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            values_[index(x, y)] *= 1.f - other.at(x, y);
    return *this;
}

Mask& Mask::scale(float factor)
{
    for (float& v : values_)
        v = std::clamp(v * factor, 0.f, 1.f);
    return *this;
}

Mask& Mask::invert()
{
    for (float& v : values_)
        v = 1.f - v;
    return *this;
}

Mask Mask::blurred(float sigma) const
{
    if (sigma <= 0.f)
        return *this;
    const int radius = static_cast<int>(std::ceil(sigma * 3.f));
    std::vector<float> kernel(static_cast<std::size_t>(2 * radius + 1));
    float sum = 0.f;
    for (int i = -radius; i <= radius; ++i)
        sum += kernel[static_cast<std::size_t>(i + radius)] = std::exp(-0.5f * static_cast<float>(i * i) / (sigma * sigma));
    for (float& k : kernel)
        k /= sum;
    Mask across(width_, height_, wrap_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float v = 0.f;
            for (int i = -radius; i <= radius; ++i)
                v += at(x + i, y) * kernel[static_cast<std::size_t>(i + radius)];
            across(x, y) = v;
        }
    Mask out(width_, height_, wrap_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float v = 0.f;
            for (int i = -radius; i <= radius; ++i)
                v += across.at(x, y + i) * kernel[static_cast<std::size_t>(i + radius)];
            out(x, y) = v;
        }
    return out;
}

Mask Mask::shifted(int dx, int dy) const
{
    Mask out(width_, height_, wrap_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out(x, y) = at(x - dx, y - dy);
    return out;
}

Mask Mask::grown(float radius) const
{
    const int reach = static_cast<int>(std::ceil(radius));
    Mask out(width_, height_, wrap_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float best = 0.f;
            for (int dy = -reach; dy <= reach && best < 1.f; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    // Partial coverage at the rim of the disc keeps the
                    // grown edge smooth.
                    const float weight = edgeCoverage(std::hypot(static_cast<float>(dx), static_cast<float>(dy)) - radius);
                    if (weight > 0.f)
                        best = std::max(best, at(x + dx, y + dy) * weight);
                }
            out(x, y) = best;
        }
    return out;
}

} // namespace art
