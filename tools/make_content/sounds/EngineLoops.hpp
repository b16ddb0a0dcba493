#pragma once
// The ride-on mower's small single-cylinder petrol engine, as the three
// loops the game keeps playing while the player drives: ticking over, on
// the move, and on the move with the blades cutting grass.  Each is a whole
// number of firings long and repeats without a seam.

#include "audio/Signal.hpp"

namespace content::sounds {

synth::Signal engineIdle();
synth::Signal engineMoving();
synth::Signal engineMowing();

} // namespace content::sounds
