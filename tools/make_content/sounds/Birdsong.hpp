#pragma once
// Garden birds: a phrase of whistles, chirps and trills from a bird nearby,
// sometimes answered by one further off.

#include "audio/Signal.hpp"

namespace content::sounds {

// Variants 1 to 3 are three different birds' songs.
synth::Signal birdsong(int variant);

} // namespace content::sounds
