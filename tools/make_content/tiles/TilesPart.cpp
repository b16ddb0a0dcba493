// The garden's tileset, tiles\kelvane.til: every picture drawn here, from
// noise and shapes, the same on every run.

#include "Content.hpp"
#include "tiles/Families.hpp"
#include "tiles/Sheet.hpp"

#include <stdexcept>

namespace {

void makeTiles(const content::Context& context)
{
    tiles::Sheet sheet;
    tiles::drawGrass(sheet);
    tiles::drawLawn(sheet);
    tiles::drawLand(sheet);
    tiles::drawPaths(sheet);
    tiles::drawSurfaces(sheet);
    tiles::drawBarriers(sheet);
    tiles::drawBeds(sheet);
    tiles::drawRoofs(sheet);
    tiles::drawTrees(sheet);
    tiles::drawObjects(sheet);
    tiles::drawBuildings(sheet);
    tiles::drawWater(sheet);
    Tileset& tileset = sheet.tileset();
    tileset.description = "Kelvane garden";
    const content::fs::path path = context.output("tiles\\kelvane.til");
    if (!tileset.save(path.string()))
        throw std::runtime_error("cannot write the tileset: " + tileset.lastError);
}

const bool registered = content::registerPart({"tiles", makeTiles});

} // namespace
