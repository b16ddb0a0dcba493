#pragma once
// Shapes as signed distance functions: negative inside, positive outside,
// in pixels.  A pixel's coverage is taken from its centre's distance, which
// gives anti-aliased edges for free; the bounds keep rasterising cheap.

#include <functional>
#include <utility>
#include <vector>

namespace art {

struct Bounds {
    float left = 0.f, top = 0.f, right = 0.f, bottom = 0.f;
};

struct Shape {
    std::function<float(float x, float y)> distance;
    Bounds bounds;  // everything within reach of the shape's edge
};

struct Point {
    float x = 0.f, y = 0.f;
};

Shape circle(float cx, float cy, float radius);
// An ellipse turned by angle radians clockwise (y grows down).
Shape ellipse(float cx, float cy, float rx, float ry, float angle = 0.f);
Shape rectangle(float left, float top, float right, float bottom, float cornerRadius = 0.f);
// A stroke from a to b with round ends.
Shape capsule(Point a, Point b, float radius);
// A stroke along a polyline with round joins; radius may vary from start to end.
Shape stroke(std::vector<Point> points, float radiusStart, float radiusEnd);
// Any simple or self-touching polygon (even-odd inside test).
Shape polygon(std::vector<Point> points);

// Grows (positive) or shrinks (negative) by d pixels.
Shape grown(Shape shape, float d);
Shape unite(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape from, Shape cut);
// Shifts every point of the shape by (dx, dy).
Shape moved(Shape shape, float dx, float dy);
// Distorts the edge: the distance is offset by a function of the position
// (noise makes ragged leaves, rough stones).
Shape roughened(Shape shape, std::function<float(float x, float y)> offset, float reach);

// Points along a quadratic or cubic curve, for strokes and polygons.
std::vector<Point> curve(Point a, Point control, Point b, int steps);
std::vector<Point> curve(Point a, Point c1, Point c2, Point b, int steps);

} // namespace art
