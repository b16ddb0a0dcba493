#include "art/Shape.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace art {

namespace {

Bounds around(float cx, float cy, float rx, float ry)
{
    return {cx - rx - 2.f, cy - ry - 2.f, cx + rx + 2.f, cy + ry + 2.f};
}

Bounds merged(const Bounds& a, const Bounds& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

Bounds overlap(const Bounds& a, const Bounds& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

float segmentDistance(float px, float py, Point a, Point b)
{
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    const float t = lengthSquared > 0.f ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / lengthSquared, 0.f, 1.f)
                                        : 0.f;
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

Bounds pointsBounds(const std::vector<Point>& points, float margin)
{
    Bounds b{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
             std::numeric_limits<float>::lowest(), std::numeric_limits<float>::lowest()};
    for (const Point& p : points)
        b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x), std::max(b.bottom, p.y)};
    return {b.left - margin, b.top - margin, b.right + margin, b.bottom + margin};
}

} // namespace

Shape circle(float cx, float cy, float radius)
{
    return {[=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; }, around(cx, cy, radius, radius)};
}

Shape ellipse(float cx, float cy, float rx, float ry, float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    const float reach = std::max(rx, ry);
    // Distance in the ellipse's own scaled space, brought back to pixels by
    // the smaller radius: exact on circles, close enough at the edge to
    // anti-alias any ellipse.
    return {[=](float x, float y) {
                const float dx = x - cx, dy = y - cy;
                const float u = (dx * c + dy * s) / rx;
                const float v = (-dx * s + dy * c) / ry;
                const float k = std::hypot(u, v);
                const float gradient = std::hypot(u / rx, v / ry);
                return k > 0.f ? (k - 1.f) * k / std::max(gradient, 1e-6f) : -std::min(rx, ry);
            },
            around(cx, cy, reach, reach)};
}

Shape rectangle(float left, float top, float right, float bottom, float cornerRadius)
{
    const float cx = (left + right) / 2.f, cy = (top + bottom) / 2.f;
    const float hx = (right - left) / 2.f, hy = (bottom - top) / 2.f;
    const float r = std::min({cornerRadius, hx, hy});
    return {[=](float x, float y) {
                const float qx = std::abs(x - cx) - hx + r;
                const float qy = std::abs(y - cy) - hy + r;
                return std::hypot(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - r;
            },
            around(cx, cy, hx, hy)};
}

Shape capsule(Point a, Point b, float radius)
{
    return {[=](float x, float y) { return segmentDistance(x, y, a, b) - radius; },
            pointsBounds({a, b}, radius + 2.f)};
}

Shape stroke(std::vector<Point> points, float radiusStart, float radiusEnd)
{
    const Bounds bounds = pointsBounds(points, std::max(radiusStart, radiusEnd) + 2.f);
    return {[points = std::move(points), radiusStart, radiusEnd](float x, float y) {
                float best = std::numeric_limits<float>::max();
                const std::size_t n = points.size();
                for (std::size_t i = 0; i + 1 < n || (n == 1 && i == 0); ++i) {
                    const Point a = points[i], b = n == 1 ? points[i] : points[i + 1];
                    const float t = n <= 1 ? 0.f : static_cast<float>(i) / static_cast<float>(n - 1);
                    const float r = radiusStart + (radiusEnd - radiusStart) * t;
                    best = std::min(best, segmentDistance(x, y, a, b) - r);
                }
                return best;
            },
            bounds};
}

Shape polygon(std::vector<Point> points)
{
    const Bounds bounds = pointsBounds(points, 2.f);
    return {[points = std::move(points)](float x, float y) {
                float best = std::numeric_limits<float>::max();
                bool inside = false;
                const std::size_t n = points.size();
                for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
                    const Point a = points[j], b = points[i];
                    best = std::min(best, segmentDistance(x, y, a, b));
                    if ((b.y > y) != (a.y > y) && x < (a.x - b.x) * (y - b.y) / (a.y - b.y) + b.x)
                        inside = !inside;
                }
                return inside ? -best : best;
            },
            bounds};
}

Shape grown(Shape shape, float d)
{
    const Bounds b = shape.bounds;
    const float m = std::max(d, 0.f);
    return {[f = std::move(shape.distance), d](float x, float y) { return f(x, y) - d; },
            {b.left - m, b.top - m, b.right + m, b.bottom + m}};
}

Shape unite(Shape a, Shape b)
{
    const Bounds bounds = merged(a.bounds, b.bounds);
    return {[fa = std::move(a.distance), fb = std::move(b.distance)](float x, float y) {
                return std::min(fa(x, y), fb(x, y));
            },
            bounds};
}

Shape intersect(Shape a, Shape b)
{
    const Bounds bounds = overlap(a.bounds, b.bounds);
    return {[fa = std::move(a.distance), fb = std::move(b.distance)](float x, float y) {
                return std::max(fa(x, y), fb(x, y));
            },
            bounds};
}

Shape subtract(Shape from, Shape cut)
{
    const Bounds bounds = from.bounds;
    return {[fa = std::move(from.distance), fb = std::move(cut.distance)](float x, float y) {
                return std::max(fa(x, y), -fb(x, y));
            },
            bounds};
}

Shape moved(Shape shape, float dx, float dy)
{
    const Bounds b = shape.bounds;
    return {[f = std::move(shape.distance), dx, dy](float x, float y) { return f(x - dx, y - dy); },
            {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy}};
}

Shape roughened(Shape shape, std::function<float(float x, float y)> offset, float reach)
{
    const Bounds b = shape.bounds;
    return {[f = std::move(shape.distance), g = std::move(offset)](float x, float y) { return f(x, y) + g(x, y); },
            {b.left - reach, b.top - reach, b.right + reach, b.bottom + reach}};
}

std::vector<Point> curve(Point a, Point control, Point b, int steps)
{
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps), u = 1.f - t;
        points.push_back({u * u * a.x + 2.f * u * t * control.x + t * t * b.x,
                          u * u * a.y + 2.f * u * t * control.y + t * t * b.y});
    }
    return points;
}

std::vector<Point> curve(Point a, Point c1, Point c2, Point b, int steps)
{
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps), u = 1.f - t;
        points.push_back({u * u * u * a.x + 3.f * u * u * t * c1.x + 3.f * u * t * t * c2.x + t * t * t * b.x,
                          u * u * u * a.y + 3.f * u * u * t * c1.y + 3.f * u * t * t * c2.y + t * t * t * b.y});
    }
    return points;
}

} // namespace art
