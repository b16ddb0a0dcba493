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
    Tileset& tileset = sheet.tileset();
    tileset.description = "Kelvane garden";
    const content::fs::path path = context.output("tiles\\kelvane.til");
    if (!tileset.save(path.string()))
        throw std::runtime_error("cannot write the tileset: " + tileset.lastError);
}

const bool registered = content::registerPart({"tiles", makeTiles});

} // namespace
