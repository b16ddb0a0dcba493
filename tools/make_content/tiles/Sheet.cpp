#include "tiles/Sheet.hpp"

#include "tiles/TileArt.hpp"

#include <stdexcept>

namespace tiles {

Sheet::Sheet() { tileset_.reset(); }

void Sheet::put(int index, const sf::Image& image, std::string description, TileType type)
{
    if (index < 0 || index >= Tileset::tileCount)
        throw std::runtime_error("tile " + std::to_string(index) + " is outside the tileset");
    if (!used_.insert(index).second)
        throw std::runtime_error("tile " + std::to_string(index) + " (" + description + ") is drawn twice");
    Tile& tile = tileset_.tiles[static_cast<std::size_t>(index)];
    tile.image = image;
    tile.description = std::move(description);
    tile.type = type;
}

void Sheet::put(int index, const TileArt& art, int column, int row, std::string description, TileType type)
{
    put(index, art.tile(column, row), std::move(description), type);
}

void Sheet::putBlock(int first, const TileArt& art, const std::string& name, TileType type)
{
    for (int row = 0; row < art.rows(); ++row)
        for (int column = 0; column < art.columns(); ++column)
            put(first + Tileset::tilesPerRow * row + column, art, column, row,
                name + " (" + std::to_string(column + 1) + ", " + std::to_string(row + 1) + ")", type);
}

} // namespace tiles
