// Seeds for the tileset, Talvex tileset and map loaders: files written by
// the game's own savers, a tile sheet, and Talvex and old map files built by
// hand.
#include "FuzzSeeds.hpp"

#include "world/Map.hpp"
#include "world/Tileset.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

std::string le16(int v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

std::string str(const std::string& text) { return le16(static_cast<int>(text.size())) + text; }

Tileset seedTileset()
{
    Tileset tileset;
    tileset.reset();
    tileset.description = "seed";
    for (int i = 0; i < Tileset::tileCount; i += 97) {
        Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        tile.description = "tile " + std::to_string(i);
        tile.type = static_cast<TileType>(i % 4);
        tile.image.create(32, 32, sf::Color(static_cast<std::uint8_t>(i), 90, 200));
    }
    tileset.buildAtlas();
    return tileset;
}

// SFML picks the picture format by the extension, so this cannot go through
// savedBytes' scratch file.
std::string tileSheetBytes()
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("kelvane-seed-" + std::to_string(::getpid()) + ".png");
    if (!seedTileset().exportTilesheet(path.string()))
        return {};
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

std::string talvexTileset()
{
    std::string b(Tileset::talvexFileSize, '\0');
    b.replace(0, 18, Tileset::talvexTag);
    b[32] = 6;
    for (int i = 0; i < 8; ++i) {
        const std::size_t record = 1060 + static_cast<std::size_t>(i) * 28;
        b[record] = static_cast<char>(i % 4);
        b.replace(record + 1, 6, "tile " + std::to_string(i));
        const std::size_t image = 342052 + static_cast<std::size_t>(i) * 512;
        for (std::size_t p = 0; p < 512; p += 2)
            b[image + p] = static_cast<char>(p * 7 + static_cast<std::size_t>(i));
    }
    return b;
}

std::string oldMap(int version)
{
    std::string b = str("Kelvane Map File") + le16(version) + str("old") + le16(90) + le16(1) + le16(400) + le16(256);
    const int cells = version == 1 ? 21 * 32 : 400;
    for (int i = 0; i < cells; ++i)
        b += le16(i % 7 == 0 ? 1023 : i % 5);
    return b;
}

const bool registered = fuzz::registerSeeds([] {
    std::vector<fuzz::Seed> seeds;
    seeds.push_back({"fuzz_tileset", "kelvane.til",
                     fuzz::savedBytes([](const std::string& path) { return seedTileset().save(path); })});
    seeds.push_back({"fuzz_tileset", "sheet.png", tileSheetBytes()});
    seeds.push_back({"fuzz_talvex_tileset", "talvex.til", talvexTileset()});
    seeds.push_back({"fuzz_map", "level.map", fuzz::savedBytes([](const std::string& path) {
        Map map;
        map.newMap();
        map.title = "seed";
        map.author = "fuzz";
        for (std::int16_t x = 3; x < 20; ++x)
            map.setTile(x, 7, Map::unformattedGrassTile, true);
        return map.save(path);
    })});
    seeds.push_back({"fuzz_map", "v1.map", oldMap(1)});
    seeds.push_back({"fuzz_map", "v2.map", oldMap(2)});
    return seeds;
});

} // namespace
