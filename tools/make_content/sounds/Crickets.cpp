#include "sounds/Crickets.hpp"

#include "Random.hpp"
#include "audio/Biquad.hpp"
#include "audio/Oscillator.hpp"
#include "audio/Reverb.hpp"

#include <cmath>
#include <numbers>

namespace content::sounds {

using namespace synth;

namespace {

// A cricket rubs its wings in short pulses of a nearly pure tone; a few
// pulses make a chirp, and chirps come at a steady pace.
struct Cricket {
    double hz;
    double firstChirp;
    double chirpEvery;
    int pulses;
    double level;
};

constexpr double length = 2.6;
constexpr double pulseSeconds = 0.016;
constexpr double pulseEvery = 0.034;

Signal pulse(double hz)
{
    Signal out(samplesFor(pulseSeconds));
    Oscillator wing;
    Oscillator overtone(0.1);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(out.size());
        // The tone sags a little as the wing closes.
        const double f = hz * (1.0 - 0.025 * x);
        const double shape = std::pow(std::sin(std::numbers::pi * x), 1.5);
        out[i] = static_cast<float>((wing.sine(f) + 0.08 * overtone.sine(2.0 * f)) * shape);
    }
    return out;
}

void chirp(Signal& into, const Cricket& c, content::Random& chance)
{
    const Signal one = pulse(c.hz);
    for (double at = c.firstChirp; at < length - 0.2; at += c.chirpEvery * chance.uniform(0.96, 1.04))
        for (int p = 0; p < c.pulses; ++p)
            mix(into, one, at + p * pulseEvery, c.level * (p == 0 ? 0.75 : 1.0));
}

// Far off, one keeps up a long trill with short breaths.
void trill(Signal& into, double hz, double level)
{
    const Signal one = pulse(hz);
    for (double at = 0.05; at < length - 0.1; at += 0.025) {
        const double phrase = std::fmod(at, 0.95);
        if (phrase < 0.7)
            mix(into, one, at, level * std::sin(std::numbers::pi * phrase / 0.7));
    }
}

} // namespace

Signal crickets()
{
    content::Random chance("sounds/world/crickets");
    Signal out(samplesFor(length), 0.f);
    chirp(out, {4650, 0.08, 0.36, 4, 1.0}, chance);
    chirp(out, {4300, 0.27, 0.43, 3, 0.45}, chance);
    trill(out, 5050, 0.12);

    out = reverb(out, {.roomSize = 0.55, .damping = 0.6, .preDelay = 0.01, .wet = 0.25}, 0.2);
    out.resize(samplesFor(length));
    Biquad lowCut = Biquad::highPass(1500);
    lowCut.process(out);
    fadeEdges(out, 0.03, 0.15);
    return out;
}

} // namespace content::sounds
