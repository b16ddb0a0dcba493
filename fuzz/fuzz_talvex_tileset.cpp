// Talvex "Zol Type 4 Tileset" files through the tileset import.
#include "FuzzInput.hpp"

#include "world/Tileset.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Tileset tileset;
    tileset.description = "before";
    if (!tileset.importTalvexTileset(fuzz::writeInput(data, size))) {
        // A refused file leaves the tileset as it was.
        if (tileset.description != "before" || tileset.loaded || tileset.lastError.empty())
            std::abort();
        return 0;
    }
    if (!tileset.description.empty() || tileset.tiles.size() != Tileset::tileCount)
        std::abort();
    for (const Tile& tile : tileset.tiles)
        if (tile.image.getSize() != sf::Vector2u(Tileset::tileSize, Tileset::tileSize) || tile.description.size() > 27 ||
            tile.type == TileType::Grass || static_cast<int>(tile.type) > 3)
            std::abort();
    return 0;
}
