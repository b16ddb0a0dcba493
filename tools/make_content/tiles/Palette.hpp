#pragma once
// The garden's colours, shared by every tile so that the whole set reads as
// one place in one light.

#include "art/Colour.hpp"

namespace tiles::palette {

// Uncut grass: deep and lush, lighter at the blade tips.
constexpr art::Colour grassShade = art::rgb(34, 88, 30);
constexpr art::Colour grass = art::rgb(60, 128, 42);
constexpr art::Colour grassBladeDark = art::rgb(38, 96, 32);
constexpr art::Colour grassBlade = art::rgb(74, 146, 48);
constexpr art::Colour grassTip = art::rgb(126, 182, 70);

// Mown lawn: short, lighter and a touch yellower.
constexpr art::Colour lawn = art::rgb(112, 172, 64);
constexpr art::Colour lawnDark = art::rgb(94, 152, 54);
constexpr art::Colour lawnLight = art::rgb(138, 192, 80);
constexpr art::Colour lawnStripe = art::rgb(156, 200, 92);

// Foliage of trees, bushes and hedges.
constexpr art::Colour leafDeep = art::rgb(22, 62, 30);
constexpr art::Colour leaf = art::rgb(42, 102, 40);
constexpr art::Colour leafLight = art::rgb(96, 156, 62);
constexpr art::Colour leafSun = art::rgb(156, 196, 92);

// Earth, sand and stone.
constexpr art::Colour soilDark = art::rgb(72, 50, 34);
constexpr art::Colour soil = art::rgb(112, 82, 56);
constexpr art::Colour soilLight = art::rgb(146, 112, 80);
constexpr art::Colour sand = art::rgb(222, 198, 142);
constexpr art::Colour sandDark = art::rgb(190, 162, 108);
constexpr art::Colour stone = art::rgb(168, 164, 152);
constexpr art::Colour stoneDark = art::rgb(112, 110, 104);
constexpr art::Colour stoneLight = art::rgb(206, 202, 190);
constexpr art::Colour gravel = art::rgb(176, 166, 148);
constexpr art::Colour tarmac = art::rgb(70, 72, 78);
constexpr art::Colour brick = art::rgb(164, 78, 56);
constexpr art::Colour mortar = art::rgb(196, 188, 170);

// Wood.
constexpr art::Colour wood = art::rgb(150, 104, 62);
constexpr art::Colour woodDark = art::rgb(96, 64, 38);
constexpr art::Colour woodLight = art::rgb(190, 146, 96);
constexpr art::Colour paint = art::rgb(238, 236, 226);

// Water.
constexpr art::Colour waterDeep = art::rgb(28, 70, 98);
constexpr art::Colour water = art::rgb(52, 116, 142);
constexpr art::Colour waterShallow = art::rgb(92, 156, 160);
constexpr art::Colour waterGlint = art::rgb(214, 238, 244);

// The dark line round everything standing on the lawn, so that what the
// mower must go round stands out from the grass it drives on.
constexpr art::Colour rim = art::rgb(18, 34, 16, 0.8f);

// Flowers.
constexpr art::Colour petalWhite = art::rgb(246, 246, 238);
constexpr art::Colour petalYellow = art::rgb(250, 214, 52);
constexpr art::Colour petalOrange = art::rgb(240, 146, 44);
constexpr art::Colour petalRed = art::rgb(214, 44, 52);
constexpr art::Colour petalPink = art::rgb(238, 128, 170);
constexpr art::Colour petalPurple = art::rgb(150, 92, 196);
constexpr art::Colour petalBlue = art::rgb(96, 132, 226);

} // namespace tiles::palette
