#include "music/Filters.hpp"

#include <cmath>
#include <numbers>

namespace content::music {
namespace {

struct Shape {
    double w, cosw, alpha;
};

Shape shape(double hz, double rate, double q)
{
    const double w = 2 * std::numbers::pi * hz / rate;
    return {w, std::cos(w), std::sin(w) / (2 * q)};
}

} // namespace

Biquad Biquad::lowPass(double hz, double rate, double q)
{
    const Shape s = shape(hz, rate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0_ = (1 - s.cosw) / 2 / a0;
    f.b1_ = (1 - s.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * s.cosw / a0;
    f.a2_ = (1 - s.alpha) / a0;
    return f;
}

Biquad Biquad::highPass(double hz, double rate, double q)
{
    const Shape s = shape(hz, rate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0_ = (1 + s.cosw) / 2 / a0;
    f.b1_ = -(1 + s.cosw) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2 * s.cosw / a0;
    f.a2_ = (1 - s.alpha) / a0;
    return f;
}

Biquad Biquad::bandPass(double hz, double rate, double q)
{
    const Shape s = shape(hz, rate, q);
    const double a0 = 1 + s.alpha;
    Biquad f;
    f.b0_ = s.alpha / a0;
    f.b1_ = 0;
    f.b2_ = -s.alpha / a0;
    f.a1_ = -2 * s.cosw / a0;
    f.a2_ = (1 - s.alpha) / a0;
    return f;
}

float Biquad::operator()(float x)
{
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}

} // namespace content::music
