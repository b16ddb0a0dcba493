#include "sounds/DogBark.hpp"

#include "audio/Biquad.hpp"
#include "audio/Envelope.hpp"
#include "audio/Noise.hpp"
#include "audio/Oscillator.hpp"
#include "audio/Reverb.hpp"

#include <cmath>

namespace content::sounds {

using namespace synth;

namespace {

// One "woof": a rough voice whose pitch jumps up and falls away, shaped by
// the mouth opening from "w" to "o" (formants rising, then settling).
Signal bark(Noise& noise, double pitchHz, double seconds)
{
    const Envelope pitch{{0.0, 0.82}, {0.12, 1.15}, {0.45, 1.0}, {1.0, 0.72}};
    const Envelope opening{{0.0, 0.0}, {0.14, 1.0}, {0.7, 0.9}, {1.0, 0.7}};
    const Envelope level{{0.0, 0.0}, {0.05, 1.0}, {0.35, 0.85}, {1.0, 0.0}};
    Oscillator throat;
    Biquad first;
    Biquad second;
    Biquad third = Biquad::bandPass(2600, 5.0);
    Biquad roughness = Biquad::lowPass(90);

    Signal out(samplesFor(seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(out.size());
        const double open = opening.at(x);
        first.retune(Biquad::bandPass(480.0 + 340.0 * open, 2.5));
        second.retune(Biquad::bandPass(1000.0 + 500.0 * open, 4.0));
        // A dog's bark is a strained, uneven voice, never a clean tone.
        const double waver = 1.0 + 2.5 * roughness.process(noise.white());
        const double voice = throat.pulse(pitchHz * pitch.at(x) * waver, 0.35) * waver;
        const double source = voice + 0.2 * noise.white();
        const double shaped =
            first.process(static_cast<float>(source)) * 1.0 + second.process(static_cast<float>(source)) * 0.7 +
            third.process(static_cast<float>(source)) * 0.3;
        out[i] = static_cast<float>(shaped * level.at(x) * level.at(x));
    }
    return out;
}

} // namespace

Signal distantDog()
{
    Noise noise("sounds/world/battle");
    Signal barks;
    mix(barks, bark(noise, 370, 0.19), 0.04);
    mix(barks, bark(noise, 390, 0.17), 0.34, 0.9);
    mix(barks, bark(noise, 355, 0.22), 0.92, 1.05);

    // Distance takes the top and the bottom off; the house opposite sends back an echo.
    Biquad air = Biquad::lowPass(2300, 0.6);
    Biquad ground = Biquad::highPass(200);
    air.process(barks);
    ground.process(barks);
    Signal echo = barks;
    Biquad wall = Biquad::lowPass(1500);
    wall.process(echo);
    mix(barks, echo, 0.17, 0.25);

    Signal out = reverb(barks, {.roomSize = 0.6, .damping = 0.6, .preDelay = 0.03, .wet = 0.25}, 0.3);
    fadeEdges(out, 0.005, 0.2);
    return out;
}

} // namespace content::sounds
