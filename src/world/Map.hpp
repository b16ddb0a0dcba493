#pragma once
// One level: 25 by 16 cells of tile indices into "tiles\kelvane.til", the
// title, author, time limit, cloud count and the mower's start position.
//
// "Kelvane Map File", little-endian:
//   string  tag "Kelvane Map File"
//   int16   version (saved as 3; 4 and above refused; below 1 read as 2)
//   string  title
//   string  author                       (version 3 only)
//   int16   time limit, cloud count, player start x, player start y
//   uint16  cells: 400 (25 per row, row 0 first); version 1 stores 21 rows
//           of 32 and only columns 0-24 of rows 0-15 are kept
//
// Grass formatting: tiles 959-1006 and 1023 form the grass family.  A grass
// cell is given one of 960-1006 by which of its eight neighbours are grass,
// so mown patches get proper edges.

#include "world/Tileset.hpp"

#include <array>
#include <cstdint>
#include <string>

class Map {
public:
    static constexpr int width = 25;
    static constexpr int height = 16;
    static constexpr int cellCount = width * height;
    static constexpr int fieldWidth = width * Tileset::tileSize;    // 800
    static constexpr int fieldHeight = height * Tileset::tileSize;  // 512
    static constexpr std::int16_t currentVersion = 3;
    static constexpr const char* fileTag = "Kelvane Map File";
    static constexpr const char* tilesetAssetPath = "tiles\\kelvane.til";

    static constexpr std::uint16_t unformattedGrassTile = 1023;
    static constexpr std::uint16_t isolatedGrassTile = 1006;

    bool loaded = false;
    std::string lastError;
    std::string tilesetPath;  // the tileset actually loaded; empty if that failed
    Tileset tileset;
    std::array<std::uint16_t, cellCount> cells{};  // cell (x, y) is y * width + x
    std::string title;
    std::string author;
    std::int16_t cloudCount = 0;
    std::int16_t timeLimit = 0;
    std::int16_t playerStartX = 0;
    std::int16_t playerStartY = 0;
    // Version of the file last loaded; currentVersion after newMap.
    std::int16_t fileVersion = 0;

    // "New Map", no author, 90 seconds, no clouds, start (400, 256), all
    // cells 0; loads the tileset; loaded.
    void newMap();
    // Failure: false with lastError "Unable to open <path>", "<path> is not
    // a valid map file." (wrong tag, truncated or malformed) or "<path> is
    // too advanced."; nothing changes.  Success loads the tileset too.
    bool load(const std::string& path);
    // Always as the current version, through a temporary file.
    bool save(const std::string& path);
    // Loads "tiles\kelvane.til" from the data folder.  A failure is
    // reported and leaves a reset tileset; the map stays usable.
    void loadTileset();

    // False and no change outside the grid.  With `format`, the 3 by 3
    // block around the cell is grass-formatted afterwards.
    bool setTile(std::int16_t x, std::int16_t y, std::uint16_t tile, bool format);
    // Re-formats the grass cells of the 3 by 3 block around (x, y); cells
    // beyond the grid count as grass.  Outside the grid: reported, false,
    // nothing changes.
    bool autoFormatGrassTile(std::int16_t x, std::int16_t y);

    std::uint16_t cell(int x, int y) const { return cells[static_cast<std::size_t>(y * width + x)]; }

    static bool isGrassFamily(std::uint16_t tile);
    // Tile for a neighbour mask (bits NW 1, N 2, NE 4, W 8, E 16, SW 32, S 64,
    // SE 128; a corner only with both its sides); -1 for a mask no grass
    // cell can have.
    static int grassTileForMask(unsigned mask);

    // The 800 by 512 field as the game shows it, composed on the CPU from
    // the tileset's atlas: black where a cell's index is 1024 or more.
    sf::Image renderField() const;

private:
    bool isGrassAt(int x, int y) const;
    void formatCell(int x, int y);
};
