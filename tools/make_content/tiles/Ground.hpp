#pragma once
// The lawn every level is played on.  Uncut grass is tile 0, the tile mown
// grass grows back as, and the ground around every object; the mown lawn is
// shorter and lighter, with mowing stripes.  Both repeat every tile, so any
// two tiles that show them at the same pixels join without a seam.

#include "art/Canvas.hpp"

namespace tiles {

// One tile of each at the drawing detail (see TileArt.hpp), repeating.
const art::Canvas& uncutGrassDetail();
const art::Canvas& mownLawnDetail();

} // namespace tiles
