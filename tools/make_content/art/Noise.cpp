#include "art/Noise.hpp"

#include <cmath>
#include <limits>

namespace art {

namespace {

std::uint32_t mixBits(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

std::uint32_t hashPoint(int x, int y, std::uint32_t seed)
{
    return mixBits(static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ mixBits(static_cast<std::uint32_t>(y) + seed * 0x85EBCA77u));
}

int wrap(int v, int period) { return period > 0 ? ((v % period) + period) % period : v; }

float fade(float t) { return t * t * t * (t * (t * 6.f - 15.f) + 10.f); }

float gradientDot(int ix, int iy, float dx, float dy, std::uint32_t seed)
{
    const float angle = static_cast<float>(hashPoint(ix, iy, seed) & 0xFFFFu) * (6.2831853f / 65536.f);
    return std::cos(angle) * dx + std::sin(angle) * dy;
}

} // namespace

float hash01(int x, int y, std::uint32_t seed)
{
    return static_cast<float>(hashPoint(x, y, seed) >> 8) * (1.f / 16777216.f);
}

float noise(float x, float y, std::uint32_t seed, int periodX, int periodY)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const float dx = x - fx, dy = y - fy;
    const int ax = wrap(x0, periodX), bx = wrap(x0 + 1, periodX);
    const int ay = wrap(y0, periodY), by = wrap(y0 + 1, periodY);
    const float n00 = gradientDot(ax, ay, dx, dy, seed);
    const float n10 = gradientDot(bx, ay, dx - 1.f, dy, seed);
    const float n01 = gradientDot(ax, by, dx, dy - 1.f, seed);
    const float n11 = gradientDot(bx, by, dx - 1.f, dy - 1.f, seed);
    const float u = fade(dx), v = fade(dy);
    const float top = n00 + (n10 - n00) * u;
    const float bottom = n01 + (n11 - n01) * u;
    // Gradient noise of unit gradients stays within about +-0.71.
    return (top + (bottom - top) * v) * 1.41f;
}

float fbm(float x, float y, std::uint32_t seed, int octaves, float gain, int periodX, int periodY)
{
    float sum = 0.f, amplitude = 1.f, total = 0.f, frequency = 1.f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * noise(x * frequency, y * frequency, seed + static_cast<std::uint32_t>(i) * 101u,
                                 periodX ? periodX << i : 0, periodY ? periodY << i : 0);
        total += amplitude;
        amplitude *= gain;
        frequency *= 2.f;
    }
    return sum / total;
}

Cell cells(float x, float y, std::uint32_t seed, float jitter, int periodX, int periodY)
{
    const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
    Cell result;
    result.f1 = result.f2 = std::numeric_limits<float>::max();
    for (int oy = -1; oy <= 1; ++oy)
        for (int ox = -1; ox <= 1; ++ox) {
            const int lx = cx + ox, ly = cy + oy;
            const int hx = wrap(lx, periodX), hy = wrap(ly, periodY);
            const float px = static_cast<float>(lx) + 0.5f + (hash01(hx, hy, seed) - 0.5f) * jitter;
            const float py = static_cast<float>(ly) + 0.5f + (hash01(hx, hy, seed ^ 0x5BD1E995u) - 0.5f) * jitter;
            const float d = std::hypot(x - px, y - py);
            if (d < result.f1) {
                result.f2 = result.f1;
                result.f1 = d;
                result.id = hashPoint(hx, hy, seed + 7u);
                result.featureX = px;
                result.featureY = py;
            } else if (d < result.f2) {
                result.f2 = d;
            }
        }
    return result;
}

} // namespace art
