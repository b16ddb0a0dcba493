#include "sounds/Sprinkler.hpp"

#include "audio/Biquad.hpp"
#include "audio/Envelope.hpp"
#include "audio/Noise.hpp"
#include "audio/Reverb.hpp"

#include <array>
#include <cmath>

namespace content::sounds {

using namespace synth;

namespace {

constexpr double sweepSeconds = 2.25;
constexpr double returnSeconds = 0.55;
constexpr double length = 3.2;

// The arm knocks the head round: a brassy click and a burst of spray as the
// jet is broken.
Signal tick(Noise& noise, double knock, double spray)
{
    struct Ring {
        double hz;
        double q;
        double gain;
    };
    constexpr std::array<Ring, 3> rings{{{2350, 22, 1.0}, {3720, 28, 0.7}, {5900, 18, 0.45}}};

    Signal click(samplesFor(0.05), 0.f);
    for (std::size_t i = 0; i < samplesFor(0.0008); ++i)
        click[i] = noise.white();
    Signal out(samplesFor(0.22), 0.f);
    for (const Ring& ring : rings) {
        Biquad resonance = Biquad::bandPass(ring.hz, ring.q);
        for (std::size_t i = 0; i < click.size(); ++i)
            out[i] += static_cast<float>(resonance.process(click[i]) * ring.gain * knock * 3.5);
    }
    Biquad jet = Biquad::highPass(1800);
    Biquad mist = Biquad::lowPass(9000);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = secondsOf(i);
        out[i] += static_cast<float>(mist.process(jet.process(noise.white())) * strike(t, 0.002, 0.2) * spray);
    }
    return out;
}

} // namespace

Signal sprinkler()
{
    Noise noise("sounds/world/teleport");
    content::Random& chance = noise.random();
    Signal out(samplesFor(length), 0.f);

    for (double at = 0.03; at < sweepSeconds; at += 0.165 + chance.uniform(-0.01, 0.01))
        mix(out, tick(noise, chance.uniform(0.85, 1.0), chance.uniform(0.65, 0.8)), at);
    // The spring brings the head back in a quick run of lighter ticks.
    for (double at = sweepSeconds + 0.12; at < sweepSeconds + 0.12 + returnSeconds; at += 0.042)
        mix(out, tick(noise, chance.uniform(0.45, 0.6), chance.uniform(0.12, 0.18)), at);
    mix(out, tick(noise, 0.9, 0.7), sweepSeconds + 0.12 + returnSeconds + 0.06);

    // The jet hisses on underneath the whole time.
    const Envelope hissLevel{{0.0, 0.0}, {0.1, 1.0}, {length - 0.3, 1.0}, {length, 0.0}};
    Biquad fine = Biquad::highPass(2500);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] += static_cast<float>(fine.process(noise.pink()) * 0.12 * hissLevel.at(secondsOf(i)));

    // Heard from across the garden, the spray's finest hiss is lost.
    Biquad distance = Biquad::lowPass(6500, 0.6);
    distance.process(out);
    out = reverb(out, {.roomSize = 0.45, .damping = 0.5, .spread = 0.8, .wet = 0.15}, 0.0);
    fadeEdges(out, 0.01, 0.25);
    return out;
}

} // namespace content::sounds
