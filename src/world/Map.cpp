#include "world/Map.hpp"

#include "engine/Log.hpp"
#include "storage/AssetPaths.hpp"
#include "storage/BinaryFile.hpp"

#include <algorithm>
#include <iterator>

namespace {

// Every mask a grass cell can have, in tile order from 960; mask 0 is 1006.
constexpr std::array<std::uint8_t, 46> grassMasks{
    2,  8,   10,  11,  16,  18,  22,  24,  26,  27,  30,  31,  64,  66,  72,  74,
    75, 80,  82,  86,  88,  90,  91,  94,  95,  104, 106, 107, 120, 122, 123, 126,
    127, 208, 210, 214, 216, 218, 219, 222, 223, 248, 250, 251, 254, 255};
constexpr std::uint16_t firstFormattedGrassTile = 960;

// Version 1 maps were stored on a larger grid.
constexpr int version1Columns = 32;
constexpr int version1Rows = 21;

bool insideGrid(int x, int y) { return x >= 0 && x < Map::width && y >= 0 && y < Map::height; }

} // namespace

void Map::newMap()
{
    cells.fill(0);
    title = "New Map";
    author.clear();
    cloudCount = 0;
    timeLimit = 90;
    playerStartX = fieldWidth / 2;
    playerStartY = fieldHeight / 2;
    fileVersion = currentVersion;
    loadTileset();
    loaded = true;
}

bool Map::load(const std::string& path)
{
    BinaryFile file;
    if (!file.open(path)) {
        lastError = file.lastError;
        return false;
    }
    const std::string notValid = path + " is not a valid map file.";
    if (file.readStdString() != fileTag || !file.good()) {
        lastError = notValid;
        return false;
    }
    const auto version = file.readValue<std::int16_t>();
    if (!file.good()) {
        lastError = notValid;
        return false;
    }
    if (version >= 4) {
        lastError = path + " is too advanced.";
        return false;
    }

    std::string newTitle = file.readStdString();
    std::string newAuthor = version == 3 ? file.readStdString() : std::string();
    const auto newTimeLimit = file.readValue<std::int16_t>();
    const auto newCloudCount = file.readValue<std::int16_t>();
    const auto newStartX = file.readValue<std::int16_t>();
    const auto newStartY = file.readValue<std::int16_t>();

    std::array<std::uint16_t, cellCount> newCells{};
    if (version == 1) {
        for (int y = 0; y < version1Rows; ++y)
            for (int x = 0; x < version1Columns; ++x) {
                const auto value = file.readValue<std::uint16_t>();
                if (insideGrid(x, y))
                    newCells[static_cast<std::size_t>(y * width + x)] = value;
            }
    } else {
        for (std::uint16_t& value : newCells)
            value = file.readValue<std::uint16_t>();
    }
    if (!file.good()) {
        lastError = notValid;
        return false;
    }

    cells = newCells;
    title = std::move(newTitle);
    author = std::move(newAuthor);
    timeLimit = newTimeLimit;
    cloudCount = newCloudCount;
    playerStartX = newStartX;
    playerStartY = newStartY;
    fileVersion = version;
    loaded = true;
    loadTileset();
    return true;
}

bool Map::save(const std::string& path)
{
    BinaryFile file;
    if (!file.create(path)) {
        lastError = file.lastError;
        return false;
    }
    file.writeStdString(fileTag);
    file.writeValue(currentVersion);
    file.writeStdString(title);
    file.writeStdString(author);
    file.writeValue(timeLimit);
    file.writeValue(cloudCount);
    file.writeValue(playerStartX);
    file.writeValue(playerStartY);
    for (const std::uint16_t value : cells)
        file.writeValue(value);
    if (!file.close()) {
        lastError = file.lastError;
        return false;
    }
    return true;
}

void Map::loadTileset()
{
    const std::string path = resolvedAssetPath(tilesetAssetPath);
    if (tileset.load(path)) {
        tilesetPath = path;
        return;
    }
    KVCore::reportError(tileset.lastError);
    tileset.reset();
    tilesetPath.clear();
}

bool Map::setTile(std::int16_t x, std::int16_t y, std::uint16_t tile, bool format)
{
    if (!insideGrid(x, y))
        return false;
    cells[static_cast<std::size_t>(y * width + x)] = tile;
    if (format)
        autoFormatGrassTile(x, y);
    return true;
}

bool Map::autoFormatGrassTile(std::int16_t x, std::int16_t y)
{
    if (!insideGrid(x, y)) {
        KVCore::reportError("autoFormatGrassTile: Position " + std::to_string(x) + ", " + std::to_string(y) +
                            " is outside of map");
        return false;
    }
    for (int cy = y - 1; cy <= y + 1; ++cy)
        for (int cx = x - 1; cx <= x + 1; ++cx)
            if (insideGrid(cx, cy))
                formatCell(cx, cy);
    return true;
}

bool Map::isGrassFamily(std::uint16_t tile)
{
    return tile == unformattedGrassTile || (tile >= 959 && tile <= isolatedGrassTile);
}

int Map::grassTileForMask(unsigned mask)
{
    if (mask == 0)
        return isolatedGrassTile;
    const auto found = std::find(grassMasks.begin(), grassMasks.end(), mask);
    if (found == grassMasks.end())
        return -1;
    return firstFormattedGrassTile + static_cast<int>(std::distance(grassMasks.begin(), found));
}

bool Map::isGrassAt(int x, int y) const
{
    // Off the grid counts as grass: the lawn runs on past the screen, so mown border patches get no rim.
    if (!insideGrid(x, y))
        return true;
    return isGrassFamily(cell(x, y));
}

void Map::formatCell(int x, int y)
{
    if (!isGrassFamily(cell(x, y)))
        return;
    const bool north = isGrassAt(x, y - 1);
    const bool west = isGrassAt(x - 1, y);
    const bool east = isGrassAt(x + 1, y);
    const bool south = isGrassAt(x, y + 1);
    unsigned mask = 0;
    if (north && west && isGrassAt(x - 1, y - 1))
        mask |= 1;
    if (north)
        mask |= 2;
    if (north && east && isGrassAt(x + 1, y - 1))
        mask |= 4;
    if (west)
        mask |= 8;
    if (east)
        mask |= 16;
    if (south && west && isGrassAt(x - 1, y + 1))
        mask |= 32;
    if (south)
        mask |= 64;
    if (south && east && isGrassAt(x + 1, y + 1))
        mask |= 128;
    const int tile = grassTileForMask(mask);
    if (tile >= 0)
        setTile(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::uint16_t>(tile), false);
}

sf::Image Map::renderField() const
{
    const sf::Image& atlas = tileset.atlasImage();
    sf::Image field;
    field.create(fieldWidth, fieldHeight, sf::Color::Black);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint16_t tile = cell(x, y);
            if (tile >= Tileset::tileCount)
                continue;
            field.copy(atlas, static_cast<unsigned>(x * Tileset::tileSize), static_cast<unsigned>(y * Tileset::tileSize),
                       Tileset::tileRect(tile), false);
        }
    return field;
}
