#pragma once
// The game's sample files: RIFF WAVE, 16-bit PCM, one channel at the
// generator's rate (the game places sounds around the listener, and only
// mono sounds can be placed).

#include "audio/Signal.hpp"

#include <string>

namespace content::synth {

// The whole file.  Samples are rounded and held inside full scale.
std::string encodeWav(const Signal& signal);

} // namespace content::synth
