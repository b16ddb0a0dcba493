// Garden buildings, each a block of tiles seen from above as its roof: the
// shed (549) under green roofing felt and the greenhouse (556) of glass
// panes in a white frame with the plants showing through.

#include "tiles/Curves.hpp"
#include "tiles/Families.hpp"
#include "tiles/Fields.hpp"
#include "tiles/Materials.hpp"
#include "tiles/Raised.hpp"
#include "tiles/Sheet.hpp"
#include "tiles/TileArt.hpp"

#include "art/Noise.hpp"

#include <cmath>

namespace tiles {

namespace {

// How a roof face of a ridged roof is lit: the north slope faces the light.
float slopeLight(float y, float ridge) { return y < ridge ? 1.1f : 0.8f; }

TileArt shed()
{
    TileArt art(2, 2);
    // The ridge runs across the block's middle, clear of the tiles' edge.
    const float ridge = 26.f;
    const Field roof = box(31.f, ridge, 24.f, 20.f, 0.5f);
    // A concrete step before the door, on the south side.
    raise(art, box(31.f, 50.f, 5.f, 3.f, 0.4f), [](float x, float y) {
        return art::shade(art::rgb(176, 172, 164), 1.f + 0.05f * grain(x, y, 0x7374u));
    }, {0.8f, 0.8f, 0.4f, 0.6f, 0.2f});
    art.castShadow(roof, 4.f, 4.f, 1.5f, 0.6f);
    art.outline(art.mask(roof));
    raise(art, roof, [=](float x, float y) {
        // Felt laid in strips along the roof, overlapping down each slope.
        const float fromRidge = std::abs(y - ridge);
        art::Colour c = art::rgb(64, 86, 72);
        c = art::shade(c, slopeLight(y, ridge) * (1.f + 0.06f * grain(x, y, 0x7365u)));
        if (wrapped(fromRidge, 7.f) < 0.7f && fromRidge > 1.f)
            c = art::shade(c, 0.72f);
        if (fromRidge < 1.6f)
            c = art::rgb(88, 108, 92);
        return c;
    }, {0.f, 1.f, 0.f, 0.8f, 0.2f});
    // Barge boards along the gable ends.
    raise(art, [=](float x, float y) { return std::max(std::abs(std::abs(x - 31.f) - 23.2f) - 0.9f, std::abs(y - ridge) - 20.f); },
          [](float x, float y) { return art::shade(art::rgb(136, 96, 58), 1.f + 0.05f * grain(x, y, 0x7366u)); },
          {0.f, 1.f, 0.f, 0.5f, 0.3f});
    return art;
}

TileArt greenhouse()
{
    TileArt art(3, 2);
    const float ridge = 27.f;
    const Field house = box(47.f, ridge, 41.f, 22.f, 0.4f);
    art.castShadow(house, 3.f, 3.f, 1.2f, 0.35f);
    art.outline(art.mask(house));
    const art::Mask glass = art.mask(house);
    // Plants on the staging inside, seen through the glass.
    art.paint(glass, [](float x, float y) {
        const float n = art::fbm(x / 6.f, y / 6.f, 0x6768u, 3);
        const float pots = art::fbm(x / 2.5f, y / 2.5f, 0x6769u, 2);
        art::Colour c = art::mix(art::rgb(60, 110, 56), art::rgb(124, 170, 84), 0.5f + 0.5f * n);
        if (pots > 0.4f)
            c = art::rgb(178, 96, 64);
        if (std::abs(y - 27.f) < 4.f)
            c = art::rgb(150, 144, 132);  // the path down the middle
        return c;
    });
    // The glass: pale and cool, with the sky's reflection sweeping across.
    art.paint(glass, [=](float x, float y) {
        const float streak = 0.5f + 0.5f * std::sin((x + y) * 0.22f);
        return art::withAlpha(art::shade(art::rgb(210, 232, 236), slopeLight(y, ridge)), 0.22f + 0.2f * streak);
    });
    // The white frame: ridge, eaves, end walls and glazing bars every pane.
    const Field frame = [=](float x, float y) {
        const float inside = house(x, y);
        const float rim = std::max(inside, -inside - 1.2f);
        const float ridgeBar = std::abs(y - ridge) - 0.7f;
        const float midBars = std::abs(std::abs(y - ridge) - 11.f) - 0.4f;
        const float bars = std::abs(wrapped(x - 3.f, 8.f) - 4.f) - 3.55f;  // none on a tile's side
        return std::max(inside, std::min({rim, ridgeBar, midBars, -bars}));
    };
    raise(art, frame, [=](float, float y) { return art::shade(art::rgb(236, 238, 234), slopeLight(y, ridge)); },
          {0.f, 1.f, 0.f, 0.4f, 0.2f});
    return art;
}

} // namespace

void drawBuildings(Sheet& sheet)
{
    sheet.putBlock(549, shed(), "Garden shed", TileType::Solid);
    sheet.putBlock(556, greenhouse(), "Greenhouse", TileType::Solid);
}

} // namespace tiles
