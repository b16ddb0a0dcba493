#include "sounds/InterfaceSounds.hpp"

#include "audio/Biquad.hpp"
#include "audio/Envelope.hpp"
#include "audio/Noise.hpp"
#include "audio/Oscillator.hpp"
#include "audio/Reverb.hpp"

#include <array>
#include <cmath>

namespace content::sounds {

using namespace synth;

namespace {

// A small bell: a few partials, the higher ones dying first; `brightness`
// lifts the upper ones for a crisper chime.
Signal bell(double hz, double seconds, double brightness)
{
    struct Partial {
        double ratio;
        double level;
        double decay;  // share of the note's length
    };
    constexpr std::array<Partial, 4> partials{{{1.0, 1.0, 1.0}, {2.0, 0.35, 0.55}, {3.0, 0.12, 0.35}, {4.16, 0.06, 0.2}}};
    Signal out(samplesFor(seconds), 0.f);
    for (const Partial& p : partials) {
        Oscillator tone;
        const double level = p.ratio == 1.0 ? p.level : p.level * brightness;
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] += static_cast<float>(tone.sine(hz * p.ratio) * level * strike(secondsOf(i), 0.003, seconds * p.decay));
    }
    return out;
}

Signal roomed(const Signal& dry, double tail)
{
    Signal out = reverb(dry, {.roomSize = 0.3, .damping = 0.6, .spread = 0.5, .wet = 0.12}, tail);
    fadeEdges(out, 0.002, 0.04);
    return out;
}

} // namespace

Signal volumeTest()
{
    Signal out;
    mix(out, bell(783.99, 0.38, 0.8), 0.0, 0.8);
    mix(out, bell(1046.50, 0.38, 0.8), 0.13);
    return roomed(out, 0.05);
}

Signal menuMove()
{
    // A muted wooden tick: a brief tone and a breath of click.
    Noise noise("sounds/interface/MenuMove");
    Oscillator tone;
    Biquad knock = Biquad::bandPass(3200, 3.0);
    Signal out(samplesFor(0.055));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        const double click = knock.process(noise.white()) * strike(t, 0.0004, 0.006);
        out[i] = static_cast<float>(tone.sine(1760.0 * (1.0 - 0.1 * t / 0.055)) * strike(t, 0.001, 0.045) + click * 0.6);
    }
    fadeEdges(out, 0.001, 0.008);
    return out;
}

Signal menuSelect()
{
    Signal out;
    mix(out, bell(1046.50, 0.26, 1.7), 0.0, 0.75);
    mix(out, bell(1567.98, 0.26, 1.7), 0.065);
    return roomed(out, 0.03);
}

Signal menuCancel()
{
    // Two soft notes stepping down, rounded off so they blip rather than buzz.
    Oscillator voice;
    Biquad round = Biquad::lowPass(1800, 0.6);
    const double step = 0.075;
    Signal out(samplesFor(0.2));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        const bool second = t >= step;
        const double hz = second ? 440.0 : 659.25;
        const double local = second ? t - step : t;
        const double level = strike(local, 0.004, second ? 0.14 : 0.09) * (second ? 1.0 : 0.8);
        out[i] = static_cast<float>(round.process(static_cast<float>(voice.pulse(hz, 0.5) * level)));
    }
    return roomed(out, 0.03);
}

} // namespace content::sounds
