#pragma once
// Lays an arranged score out as a tracker module: a channel for every note
// that can sound at once, one instrument a voice, patterns of up to four
// bars (repeats stored once) and the restart order at the loop.

#include "music/Arranger.hpp"
#include "music/XmModule.hpp"

#include <string>

namespace content::music {

// `title` names the module; `seed` (the tune's name) seeds its instruments.
XmModule buildModule(const Score& score, const std::string& title, const std::string& seed);

} // namespace content::music
