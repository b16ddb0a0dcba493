#pragma once
// Synthesised sound to XM sample: levelled, rounded to 16 bits and tuned so
// that the tracker plays it at the right pitch.

#include "music/XmModule.hpp"

#include <string>
#include <vector>

namespace content::music {

// `peak` is the loudest sample as a fraction of full scale; a loop of
// `loopLength` frames from `loopStart`, or none.
XmSample buildSample(std::string name, const std::vector<float>& sound, double peak, std::size_t loopStart = 0,
                     std::size_t loopLength = 0);

// Sets relative note and finetune so that middle C (XM note C-4, MIDI 60)
// plays the sample at `framesPerSecond`.  A pitched sample whose
// fundamental takes `cycles` per frame wants 261.63 / cycles.
void tuneSample(XmSample& sample, double framesPerSecond);

// XM note for a MIDI note: middle C (60) is C-4 (49).
inline constexpr int xmNote(int midi) { return midi - 11; }

} // namespace content::music
