#pragma once
// Crickets chirping in the flower beds: one close by, one further off and a
// faint one trilling in the distance.

#include "audio/Signal.hpp"

namespace content::sounds {

synth::Signal crickets();

} // namespace content::sounds
