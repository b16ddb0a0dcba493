#pragma once
// A soft gust of wind through the garden's trees: it rises, breathes and
// dies away again, with the leaves rustling at its height.

#include "audio/Signal.hpp"

namespace content::sounds {

synth::Signal wind();

} // namespace content::sounds
