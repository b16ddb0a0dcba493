#pragma once
// The drum kit, synthesised: each drum is one sample struck at C-4 and left
// to ring out.  Kick, snare, clap, hat, openhat, shaker, rim, tambourine,
// crash and tom.

#include "music/XmModule.hpp"

#include <string_view>

namespace content::music {

bool isDrum(std::string_view name);
// The note drums are struck at (MIDI, C4).
inline constexpr int drumPitch = 60;

// Throws std::runtime_error for a name that is not a drum.
XmInstrument makeDrum(std::string_view name, std::string_view seed);

} // namespace content::music
