#pragma once
// A dog a few gardens away barking three times, heard over fences and off
// the house walls.

#include "audio/Signal.hpp"

namespace content::sounds {

synth::Signal distantDog();

} // namespace content::sounds
