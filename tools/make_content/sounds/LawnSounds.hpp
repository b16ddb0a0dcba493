#pragma once
// The lawn under the mower: the tyres scuffing the turf on a turn, and mown
// grass springing back up in a passing cloud's shade.

#include "audio/Signal.hpp"

namespace content::sounds {

// Variants 1 to 3 differ in length, pitch and grain.
synth::Signal turfSkid(int variant);
synth::Signal grassSprout(int variant);

} // namespace content::sounds
