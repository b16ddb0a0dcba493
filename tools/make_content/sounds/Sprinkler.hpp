#pragma once
// A neighbour's impact sprinkler: the arm's tick-tick-tick as the jet sweeps
// across the lawn, then the quick ratcheting run back to the start.

#include "audio/Signal.hpp"

namespace content::sounds {

synth::Signal sprinkler();

} // namespace content::sounds
