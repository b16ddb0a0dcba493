#pragma once
// The band's pitched instruments, synthesised.  Each is an XM instrument
// with a sample for every octave and a half the part plays in, so no note
// is played far from the pitch its sample was made at.
//
// Struck and plucked: marimba, pluck, bell, epiano, kalimba, vibes.
// Held: lead, flute, organ, pad, choir, chip.  Bass: bass, synthbass.

#include "music/XmModule.hpp"

#include <string_view>

namespace content::music {

bool isVoice(std::string_view name);

// For a part that plays MIDI notes lowest..highest at `tempo` (envelopes
// count the tracker's ticks, which follow the tempo).  `seed` names the
// part, for the noise in its attacks.  Throws for an unknown voice.
XmInstrument makeVoice(std::string_view name, int lowest, int highest, int tempo, std::string_view seed);

} // namespace content::music
