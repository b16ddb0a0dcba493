#pragma once
// Trees and shrubs seen from above: a crown of leafy lobes, domed by the
// light from the top left, throwing its shadow down and to the right.
// Sizes are in tile pixels; crowns may be drawn into blocks of tiles.

#include "tiles/Foliage.hpp"
#include "tiles/TileArt.hpp"

#include "Random.hpp"

namespace tiles {

struct CrownStyle {
    Leafage leafage;
    int lobes = 7;
    float lumpiness = 0.5f;  // how far lobes stand out from the round
    float shadow = 1.f;      // how long the shadow falls, as a part of the radius
};

// The crown's outline, for anything added on top (fruit, blossom).
art::Mask crown(TileArt& art, float cx, float cy, float radius, const CrownStyle& style, content::Random& rng);
// A conifer: a star of needled branches rising to a point.
art::Mask conifer(TileArt& art, float cx, float cy, float radius, content::Random& rng, float shadow = 1.f);
// Small round things dotted over a crown: apples, roses, blossom.
void dots(TileArt& art, const art::Mask& within, float cx, float cy, float radius, int count, float size,
          art::Colour colour, content::Random& rng, int petals = 0);

// Each a shade apart from the lawn's own green, so a crown never melts into
// the grass round it.
namespace leaves {
const Leafage oak{art::rgb(14, 46, 26), art::rgb(38, 98, 46), art::rgb(122, 170, 72), 5.33f, 0x6f61u};
const Leafage apple{art::rgb(34, 84, 32), art::rgb(84, 150, 56), art::rgb(170, 206, 96), 4.f, 0x6170u};
const Leafage birch{art::rgb(58, 98, 34), art::rgb(112, 158, 60), art::rgb(188, 212, 104), 3.2f, 0x6269u};
const Leafage bush{art::rgb(26, 70, 30), art::rgb(58, 122, 46), art::rgb(132, 180, 74), 4.f, 0x6275u};
// Clipped evergreen shrubs, bluer and darker than the lawn.
const Leafage shrub{art::rgb(16, 52, 34), art::rgb(40, 104, 58), art::rgb(118, 172, 98), 4.f, 0x6275u};
const Leafage beech{art::rgb(40, 64, 24), art::rgb(92, 120, 44), art::rgb(164, 180, 86), 5.33f, 0x6265u};
} // namespace leaves

} // namespace tiles
