// Map files of every version, grass formatting and the field picture.  Each
// test runs in a folder of its own, where "base\tiles\kelvane.til" exists
// only when the test puts it there.

#include "world/Map.hpp"

#include "engine/Log.hpp"
#include "storage/AssetPaths.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <tuple>
#include <utility>

namespace {

using test::Bytes;

constexpr std::uint16_t grass = Map::unformattedGrassTile;

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::uint16_t pattern(int x, int y) { return static_cast<std::uint16_t>(x * 1000 + y * 7); }

// A version 2 or 3 file (or any other that has 400 cells) with pattern cells.
std::string mapFile(std::int16_t version, const std::string& title, const std::string& author)
{
    Bytes b;
    b.str("Kelvane Map File").i16(version).str(title);
    if (version == 3)
        b.str(author);
    b.i16(120).i16(-4).i16(33).i16(500);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 25; ++x)
            b.u16(pattern(x, y));
    return b.text();
}

class MapTest : public ::testing::Test {
protected:
    MapTest() : savedMod(modFolderGiven, modFolder) { modFolderGiven = false; }
    ~MapTest() override { std::tie(modFolderGiven, modFolder) = savedMod; }

    void fill(std::uint16_t tile)
    {
        for (std::int16_t y = 0; y < Map::height; ++y)
            for (std::int16_t x = 0; x < Map::width; ++x)
                map.setTile(x, y, tile, false);
    }

    std::pair<bool, std::string> savedMod;
    test::TempFolder folder;
    test::ScopedWorkingDirectory cwd{folder.root()};
    std::string path = folder.file("level.map");
    Map map;
};

TEST_F(MapTest, NewMapSavesTheDefaultsAndMissesItsTileset)
{
    map.newMap();
    EXPECT_TRUE(map.loaded);
    EXPECT_EQ(map.tilesetPath, "");
    EXPECT_TRUE(endsWith(KVCore::lastLogLine(), "Error: Unable to open base\\tiles\\kelvane.til"));
    EXPECT_EQ(map.tileset.tiles[5].description, "(none)");
    ASSERT_TRUE(map.save(path)) << map.lastError;
    Bytes b;
    b.str("Kelvane Map File").i16(3).str("New Map").str("").i16(90).i16(0).i16(400).i16(256).zeros(800);
    EXPECT_TRUE(test::readFile(path) == b.text());

    EXPECT_FALSE(map.save(folder.file("no/dir/x.map")));
    EXPECT_EQ(map.lastError, "Unable to create " + folder.file("no/dir/x.map"));
}

TEST_F(MapTest, TilesetIsFoundThroughTheDataFolder)
{
    test::writeFile(folder.file("base/tiles/kelvane.til"), test::tilesetFile("Game tiles"));
    map.newMap();
    EXPECT_EQ(map.tilesetPath, "base\\tiles\\kelvane.til");
    EXPECT_EQ(map.tileset.description, "Game tiles");

    test::writeFile(folder.file("mymod/tiles/kelvane.til"), test::tilesetFile("Mod tiles"));
    modFolderGiven = true;
    modFolder = "mymod";
    test::writeFile(path, mapFile(3, "t", "a"));
    ASSERT_TRUE(map.load(path));
    EXPECT_EQ(map.tilesetPath, "mymod\\tiles\\kelvane.til");
    EXPECT_EQ(map.tileset.description, "Mod tiles");
}

TEST_F(MapTest, Versions3And2LoadAndSaveAsVersion3)
{
    const std::string v3 = mapFile(3, "Back Garden", "Edna");
    test::writeFile(path, v3);
    ASSERT_TRUE(map.load(path)) << map.lastError;
    EXPECT_EQ(map.fileVersion, 3);
    EXPECT_EQ(map.title, "Back Garden");
    EXPECT_EQ(map.author, "Edna");
    EXPECT_EQ(std::tie(map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY),
              std::make_tuple(120, -4, 33, 500));
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(map.cells[static_cast<std::size_t>(i)], pattern(i % 25, i / 25)) << i;  // 24000 and more kept
    ASSERT_TRUE(map.save(folder.file("copy.map")));
    EXPECT_TRUE(test::readFile(folder.file("copy.map")) == v3);

    // No author before version 3; versions below 1 read like 2.
    for (const std::int16_t version : {2, 0, -1}) {
        test::writeFile(path, mapFile(version, "Old", ""));
        ASSERT_TRUE(map.load(path)) << version;
        EXPECT_EQ(map.author, "");
        EXPECT_EQ(map.cell(24, 15), pattern(24, 15));
        ASSERT_TRUE(map.save(path));
        EXPECT_TRUE(test::readFile(path) == mapFile(3, "Old", "")) << version;
    }
}

TEST_F(MapTest, Version1KeepsTheTopLeftOfIts21By32Cells)
{
    Bytes b;
    b.str("Kelvane Map File").i16(1).str("First").i16(60).i16(2).i16(10).i16(20);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 32; ++x)
            b.u16(x >= 25 || y >= 16 ? 999 : static_cast<std::uint16_t>(1 + x + 32 * y));
    test::writeFile(path, b.text());

    ASSERT_TRUE(map.load(path)) << map.lastError;
    EXPECT_EQ(map.title, "First");
    EXPECT_EQ(map.author, "");
    EXPECT_EQ(std::tie(map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY),
              std::make_tuple(60, 2, 10, 20));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(map.cell(x, y), 1 + x + 32 * y) << x << ", " << y;

    test::writeFile(path, b.text().substr(0, b.size() - 2));  // cut in the dropped rows
    EXPECT_FALSE(map.load(path));
}

TEST_F(MapTest, RefusedFilesLeaveTheMapAsItWas)
{
    const std::string known = mapFile(3, "Known", "Me");
    test::writeFile(folder.file("known.map"), known);
    ASSERT_TRUE(map.load(folder.file("known.map")));
    EXPECT_FALSE(map.load(folder.file("none.map")));
    EXPECT_EQ(map.lastError, "Unable to open " + folder.file("none.map"));

    const std::string notValid = path + " is not a valid map file.";
    const struct {
        std::string what, bytes, error;
    } bad[] = {
        {"tileset tag", Bytes().str("Kelvane Tileset").i16(1).text(), notValid},
        {"tag one short", Bytes().str("Kelvane Map Fil").text() + known.substr(18), notValid},
        {"version 4", mapFile(4, "x", "y"), path + " is too advanced."},
        {"version 999", mapFile(999, "x", "y"), path + " is too advanced."},
        {"negative title length", Bytes().str("Kelvane Map File").i16(3).i16(-1).text() + known.substr(20), notValid},
        {"absurd title length", Bytes().str("Kelvane Map File").i16(3).i16(32767).text(), notValid},
    };
    for (const auto& [what, bytes, error] : bad) {
        test::writeFile(path, bytes);
        EXPECT_FALSE(map.load(path)) << what;
        EXPECT_EQ(map.lastError, error) << what;
    }
    for (std::size_t length = 0; length < known.size(); ++length) {
        test::writeFile(path, known.substr(0, length));
        ASSERT_FALSE(map.load(path)) << length;
        ASSERT_EQ(map.lastError, notValid) << length;
    }
    EXPECT_EQ(map.title, "Known");
    EXPECT_EQ(map.author, "Me");
    EXPECT_EQ(map.timeLimit, 120);
    EXPECT_EQ(map.cell(3, 4), pattern(3, 4));
}

TEST_F(MapTest, PositionsOutsideTheGridChangeNothing)
{
    map.newMap();
    fill(grass);
    const auto before = map.cells;
    const std::pair<std::int16_t, std::int16_t> outside[] = {{25, 0}, {0, 16}, {-1, 0}, {-32768, 5}};
    for (const auto& [x, y] : outside)
        EXPECT_FALSE(map.setTile(x, y, 0, true)) << x << ", " << y;
    EXPECT_FALSE(map.autoFormatGrassTile(-1, 3));
    EXPECT_TRUE(endsWith(KVCore::lastLogLine(), "Error: autoFormatGrassTile: Position -1, 3 is outside of map"))
        << KVCore::lastLogLine();
    EXPECT_FALSE(map.autoFormatGrassTile(3, 16));
    EXPECT_TRUE(endsWith(KVCore::lastLogLine(), "Position 3, 16 is outside of map"));
    EXPECT_EQ(map.cells, before);
}

TEST_F(MapTest, GrassTakesTheEdgesOfItsNeighbours)
{
    map.newMap();
    map.setTile(5, 5, grass, true);
    EXPECT_EQ(map.cell(5, 5), 1006);  // no grass around
    map.setTile(6, 5, grass, true);
    EXPECT_EQ(map.cell(5, 5), 964);  // grass to the east
    EXPECT_EQ(map.cell(6, 5), 961);  // grass to the west

    map.newMap();
    map.setTile(10, 7, grass, false);
    map.setTile(11, 8, grass, false);
    map.setTile(10, 8, grass, true);
    EXPECT_EQ(map.cell(10, 8), 965);  // north and east, not north-east
    map.setTile(11, 7, grass, false);
    map.autoFormatGrassTile(10, 8);
    EXPECT_EQ(map.cell(10, 8), 966);  // north-east too

    map.newMap();
    for (std::int16_t i = 0; i < 9; ++i)
        map.setTile(static_cast<std::int16_t>(2 + i % 3), static_cast<std::int16_t>(2 + i / 3), grass, false);
    map.setTile(12, 3, grass, false);  // beyond the block: not reached
    map.setTile(4, 1, 5, false);       // not grass: left alone
    map.autoFormatGrassTile(3, 3);
    EXPECT_EQ(map.cell(3, 3), 1005);
    EXPECT_EQ(map.cell(12, 3), grass);
    EXPECT_EQ(map.cell(4, 1), 5);
}

TEST_F(MapTest, EveryNeighbourhoodGivesItsOwnFormattedTile)
{
    // Neighbour offsets in mask bit order: NW, N, NE, W, E, SW, S, SE; then
    // each corner bit with its two sides.
    const std::pair<int, int> around[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};
    const std::array<unsigned, 3> corners[] = {{1, 2, 8}, {4, 2, 16}, {32, 64, 8}, {128, 64, 16}};
    std::set<unsigned> masks;
    std::set<std::uint16_t> tiles;
    for (unsigned layout = 0; layout < 256; ++layout) {
        map.newMap();
        for (int bit = 0; bit < 8; ++bit)
            if (layout & (1u << bit))
                map.setTile(static_cast<std::int16_t>(10 + around[bit].first),
                            static_cast<std::int16_t>(8 + around[bit].second), static_cast<std::uint16_t>(bit % 2 ? 959 : grass), false);
        map.setTile(10, 8, grass, true);
        const std::uint16_t tile = map.cell(10, 8);
        ASSERT_TRUE(tile >= 960 && tile <= 1006) << layout;
        unsigned mask = layout & (2 | 8 | 16 | 64);
        for (const auto& [corner, a, b] : corners)
            if ((layout & corner) && (layout & a) && (layout & b))
                mask |= corner;
        masks.insert(mask);
        tiles.insert(tile);
    }
    // Each possible mask has a tile of its own: 46 edged ones and 1006.
    EXPECT_EQ(masks.size(), 47u);
    EXPECT_EQ(tiles.size(), 47u);
}

TEST_F(MapTest, LawnRunsOnPastTheEdgeOfTheGrid)
{
    // A patch mown at the border gives the grass around it the same tiles
    // as one mown in the middle of the lawn.
    map.newMap();
    fill(grass);
    map.setTile(12, 0, 0, true);
    map.setTile(12, 8, 0, true);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = 0; dy <= 1; ++dy)
            EXPECT_EQ(map.cell(12 + dx, dy), map.cell(12 + dx, 8 + dy)) << dx << ", " << dy;
    EXPECT_NE(map.cell(11, 0), grass);
}

TEST_F(MapTest, FieldPictureShowsEachCellsTile)
{
    test::writeFile(folder.file("base/tiles/kelvane.til"), test::tilesetFile("Game tiles"));
    map.newMap();
    fill(7);
    map.setTile(0, 0, 33, false);
    map.setTile(24, 15, 1023, false);
    map.setTile(5, 3, 2000, false);
    const sf::Image field = map.renderField();
    ASSERT_EQ(field.getSize(), sf::Vector2u(800, 512));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 25; ++x) {
            const sf::Color want = map.cell(x, y) < 1024 ? test::tileColour(map.cell(x, y)) : sf::Color::Black;
            for (const unsigned corner : {0u, 31u})
                ASSERT_EQ(field.getPixel(static_cast<unsigned>(x * 32) + corner, static_cast<unsigned>(y * 32) + 31 - corner),
                          want)
                    << x << ", " << y;
        }
}

} // namespace
