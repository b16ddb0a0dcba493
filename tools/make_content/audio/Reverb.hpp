#pragma once
// A small mono reverb (eight damped combs in parallel, then four all-passes)
// to put a sound somewhere: a garden with a fence and a house wall, or the
// short bloom under a menu chime.

#include "audio/Signal.hpp"

namespace content::synth {

struct ReverbSettings {
    double roomSize = 0.5;  // 0 to 1: how long the tail rings
    double damping = 0.5;   // 0 to 1: how soon the highs die in it
    double spread = 1.0;    // scales the delay lines: below 1 is a smaller space
    double preDelay = 0.0;  // seconds before the first reflection
    double wet = 0.3;
    double dry = 1.0;
};

// The sound with its reverberation, `tailSeconds` longer than it was.
Signal reverb(const Signal& dry, const ReverbSettings& settings, double tailSeconds);

} // namespace content::synth
