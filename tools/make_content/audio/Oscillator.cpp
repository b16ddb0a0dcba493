#include "audio/Oscillator.hpp"

#include "audio/Signal.hpp"

#include <cmath>
#include <numbers>

namespace content::synth {

namespace {

// Smooths the jump of a naive waveform at phase 0; dt is the step per sample.
double polyBlep(double t, double dt)
{
    if (dt <= 0.0)
        return 0.0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

Oscillator::Oscillator(double phase) : phase_(phase - std::floor(phase)) {}

double Oscillator::advance(double hz)
{
    const double before = phase_;
    phase_ += hz / sampleRate;
    phase_ -= std::floor(phase_);
    return before;
}

float Oscillator::sine(double hz)
{
    return static_cast<float>(std::sin(2.0 * std::numbers::pi * advance(hz)));
}

float Oscillator::triangle(double hz)
{
    const double t = advance(hz);
    return static_cast<float>(t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t);
}

float Oscillator::saw(double hz)
{
    const double dt = std::abs(hz) / sampleRate;
    const double t = advance(hz);
    return static_cast<float>(2.0 * t - 1.0 - polyBlep(t, dt));
}

float Oscillator::pulse(double hz, double width)
{
    const double dt = std::abs(hz) / sampleRate;
    const double t = advance(hz);
    const double naive = t < width ? 1.0 : -1.0;
    const double fall = t - width + (t < width ? 1.0 : 0.0);
    return static_cast<float>(naive + polyBlep(t, dt) - polyBlep(fall, dt));
}

} // namespace content::synth
