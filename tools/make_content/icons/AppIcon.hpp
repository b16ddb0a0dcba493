#pragma once
// The game's icon for desktop menus: the ride-on mower from above, driving
// up a lawn it is part way through, on a rounded square of the game's own
// grass.  The same sprite painting and grass as in the game, only larger.

#include "art/Canvas.hpp"

namespace icons {

// The icon at `size` pixels square.  It is painted at 1024 and averaged
// down, so the size must divide 1024; throws otherwise.
art::Canvas paintAppIcon(int size);

} // namespace icons
