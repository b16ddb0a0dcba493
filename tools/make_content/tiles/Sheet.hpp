#pragma once
// The tileset being filled: every tile the garden uses is put here once,
// with its picture, description and type; the rest stay black "(none)".

#include "world/Tileset.hpp"

#include <set>
#include <string>

namespace tiles {

class TileArt;

class Sheet {
public:
    Sheet();

    // Throws when the index is outside the tileset or was put before.
    void put(int index, const sf::Image& image, std::string description, TileType type);
    // The tile at (column, row) of a drawn picture.
    void put(int index, const TileArt& art, int column, int row, std::string description, TileType type);

    // Every tile of a picture drawn as one block: its pieces laid out as in
    // the picture, each row 32 tiles below the one above.
    void putBlock(int first, const TileArt& art, const std::string& name, TileType type);

    Tileset& tileset() { return tileset_; }
    bool has(int index) const { return used_.count(index) != 0; }

private:
    Tileset tileset_;
    std::set<int> used_;
};

} // namespace tiles
