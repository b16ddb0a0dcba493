#include "sounds/LawnSounds.hpp"

#include "audio/Biquad.hpp"
#include "audio/Envelope.hpp"
#include "audio/Noise.hpp"
#include "audio/Oscillator.hpp"
#include "audio/Reverb.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace content::sounds {

using namespace synth;

Signal turfSkid(int variant)
{
    struct Shape {
        double seconds;
        double highHz;  // where the scrub starts, falling as the wheel grips
        double lowHz;
        double grainHz;  // how coarse the turf feels
    };
    constexpr std::array<Shape, 3> shapes{{{0.22, 1500, 850, 70}, {0.28, 1250, 700, 55}, {0.33, 1700, 950, 85}}};
    const Shape& shape = shapes[static_cast<std::size_t>(variant - 1) % shapes.size()];
    Noise noise("sounds/game/skid" + std::to_string(variant));

    // The tyre drags in quickly, scrubs, and lets go.
    const double d = shape.seconds;
    const Envelope level{{0.0, 0.0}, {0.012, 0.8}, {0.05, 1.0}, {d * 0.55, 0.7}, {d, 0.0}};
    Biquad scrub = Biquad::bandPass(shape.highHz, 0.9);
    Biquad soften = Biquad::lowPass(3200, 0.6);
    Biquad grain = Biquad::lowPass(shape.grainHz, 0.7);
    Biquad thud = Biquad::lowPass(170, 0.9);
    Biquad rumbleCut = Biquad::highPass(45);

    Signal out(samplesFor(d));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        const double along = t / d;
        scrub.retune(Biquad::bandPass(shape.highHz * std::pow(shape.lowHz / shape.highHz, along), 0.9));
        // Clumps of turf give the scrub its uneven grain.
        const double clumps = std::clamp(0.55 + 6.0 * grain.process(noise.white()), 0.15, 1.4);
        const double scuff = soften.process(scrub.process(noise.pink())) * clumps;
        // The soil gives under the tyre at the start of the turn.
        const double give = rumbleCut.process(thud.process(noise.white())) * strike(t, 0.008, 0.12) * 2.5;
        out[i] = static_cast<float>((scuff * 2.2 + give) * level.at(t));
    }
    return out;
}

Signal grassSprout(int variant)
{
    struct Shape {
        double seconds;
        std::array<double, 4> sparkleHz;  // a rising run of high notes
    };
    constexpr std::array<Shape, 3> shapes{{{0.42, {1567.98, 2093.00, 2637.02, 3135.96}},
                                           {0.50, {1760.00, 2349.32, 2793.83, 3520.00}},
                                           {0.56, {1318.51, 1760.00, 2349.32, 2637.02}}}};
    const Shape& shape = shapes[static_cast<std::size_t>(variant - 1) % shapes.size()];
    const std::string seed = "sounds/game/respawn" + std::to_string(variant);
    Noise noise(seed);
    const double d = shape.seconds;

    // The swish: breathy noise whose band rises as the blades stand up.
    Signal swish(samplesFor(d));
    Biquad band;
    Biquad air = Biquad::lowPass(7000);
    const Envelope swishLevel{{0.0, 0.0}, {d * 0.45, 1.0}, {d * 0.7, 0.6}, {d, 0.0}};
    for (std::size_t i = 0; i < swish.size(); ++i) {
        const double t = secondsOf(i);
        band.retune(Biquad::bandPass(450.0 * std::pow(3800.0 / 450.0, std::min(t / (d * 0.7), 1.0)), 2.2));
        swish[i] = static_cast<float>(air.process(band.process(noise.pink())) * swishLevel.at(t) * 3.0);
    }

    // A soft upward "bloop" for the sprout itself.
    Signal sprout(samplesFor(0.12));
    Oscillator stem;
    for (std::size_t i = 0; i < sprout.size(); ++i) {
        const double t = secondsOf(i);
        const double hz = 330.0 * std::pow(2.6, t / 0.12);
        sprout[i] = static_cast<float>(stem.sine(hz) * strike(t, 0.015, 0.1) * 0.12);
    }

    // Glints of dew: little bell notes, one after another.
    Signal sparkle;
    for (std::size_t n = 0; n < shape.sparkleHz.size(); ++n) {
        const double hz = shape.sparkleHz[n];
        Oscillator body(0.0);
        Oscillator glint(0.25);
        Signal note(samplesFor(0.22));
        for (std::size_t i = 0; i < note.size(); ++i) {
            const double t = secondsOf(i);
            note[i] = static_cast<float>(body.sine(hz) * strike(t, 0.003, 0.2) +
                                         glint.sine(hz * 2.76) * strike(t, 0.002, 0.07) * 0.3);
        }
        const double at = d * 0.3 + static_cast<double>(n) * d * 0.11 + noise.random().uniform(0.0, 0.012);
        mix(sparkle, note, at, 0.3 - 0.04 * static_cast<double>(n));
    }

    Signal out = swish;
    mix(out, sprout, 0.02, 1.0);
    mix(out, sparkle, 0.0, 1.0);
    out = reverb(out, {.roomSize = 0.35, .damping = 0.5, .spread = 0.6, .wet = 0.18}, 0.1);
    out.resize(samplesFor(d));
    fadeEdges(out, 0.002, 0.1);
    return out;
}

} // namespace content::sounds
