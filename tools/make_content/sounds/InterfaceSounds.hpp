#pragma once
// The menus' and panels' feedback: bell-like chimes and soft ticks, made to
// be heard often without wearing on the ear.

#include "audio/Signal.hpp"

namespace content::sounds {

// Two notes, rising: the Audio Panel plays it while the volume is moved.
synth::Signal volumeTest();
// The highlight moving from one item to the next.
synth::Signal menuMove();
// An item chosen.
synth::Signal menuSelect();
// Backing out of a menu.
synth::Signal menuCancel();

} // namespace content::sounds
