#include "audio/Biquad.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace content::synth {

namespace {

struct Angle {
    double cosw;
    double alpha;
};

Angle angleOf(double hz, double q, double rate)
{
    const double nyquistSafe = std::clamp(hz, 1.0, 0.49 * rate);
    const double w = 2.0 * std::numbers::pi * nyquistSafe / rate;
    return {std::cos(w), std::sin(w) / (2.0 * std::max(q, 0.01))};
}

} // namespace

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0)
{
}

Biquad Biquad::lowPass(double hz, double q, double rate)
{
    const auto [c, a] = angleOf(hz, q, rate);
    return {(1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a};
}

Biquad Biquad::highPass(double hz, double q, double rate)
{
    const auto [c, a] = angleOf(hz, q, rate);
    return {(1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a};
}

Biquad Biquad::bandPass(double hz, double q, double rate)
{
    const auto [c, a] = angleOf(hz, q, rate);
    return {a, 0, -a, 1 + a, -2 * c, 1 - a};
}

Biquad Biquad::bell(double hz, double q, double gainDb, double rate)
{
    const auto [c, a] = angleOf(hz, q, rate);
    const double g = std::pow(10.0, gainDb / 40.0);
    return {1 + a * g, -2 * c, 1 - a * g, 1 + a / g, -2 * c, 1 - a / g};
}

void Biquad::retune(const Biquad& shape)
{
    b0_ = shape.b0_;
    b1_ = shape.b1_;
    b2_ = shape.b2_;
    a1_ = shape.a1_;
    a2_ = shape.a2_;
}

float Biquad::process(float x)
{
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return static_cast<float>(y);
}

void Biquad::process(Signal& signal)
{
    for (float& s : signal)
        s = process(s);
}

} // namespace content::synth
