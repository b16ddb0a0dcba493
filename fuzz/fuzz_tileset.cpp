// "Kelvane Tileset" files, and the same bytes as a tile sheet when they are
// a PNG (other picture formats would only exercise the image library).
#include "FuzzInput.hpp"

#include "world/Tileset.hpp"

#include <cstdlib>
#include <cstring>

namespace {

bool unchanged(const Tileset& tileset)
{
    return tileset.description == "before" && tileset.tiles.size() == Tileset::tileCount &&
           tileset.tiles[3].description == "(none)" && tileset.tiles[3].image.getPixel(5, 5) == sf::Color::Black;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzz::writeInput(data, size);
    Tileset tileset;
    tileset.reset();
    tileset.description = "before";
    if (!tileset.load(path)) {
        // A refused file leaves the tileset as it was.
        if (!unchanged(tileset) || tileset.lastError.empty())
            std::abort();
    } else {
        // Whatever was accepted is 1024 tiles of 32 by 32 and composes.
        if (tileset.tiles.size() != Tileset::tileCount)
            std::abort();
        for (const Tile& tile : tileset.tiles)
            if (tile.image.getSize() != sf::Vector2u(Tileset::tileSize, Tileset::tileSize))
                std::abort();
        if (tileset.atlasImage().getSize() != sf::Vector2u(Tileset::atlasSize, Tileset::atlasSize))
            std::abort();
    }

    if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0) {
        Tileset sheet;
        sheet.reset();
        sheet.description = "before";
        if (!sheet.importTilesheet(path) && !unchanged(sheet))
            std::abort();
    }
    return 0;
}
