#pragma once
// The credits' background: the same kind of garden at the end of the day,
// the sun going down behind the hills, trees against the glow, the lawn
// in long shadows.  The credits lay a black band across the middle and a
// line of white text at the lower left, so those parts are kept quiet.

#include "art/Canvas.hpp"

namespace pictures {

art::Canvas paintCreditsBackground();

} // namespace pictures
