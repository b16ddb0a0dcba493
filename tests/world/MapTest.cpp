// Map files of every version, grass formatting and the field picture, in a
// folder of their own without a tileset.  Finding the tileset is checked
// through render-map in KelvaneToolWorldTest.

#include "world/Map.hpp"

#include "engine/Log.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace {

using test::Bytes;
using test::mapCell;
using test::mapFile;

constexpr std::uint16_t grass = Map::unformattedGrassTile;

class MapTest : public ::testing::Test {
protected:
    bool load(const std::string& bytes) { return map.load(test::written(path, bytes)); }
    void expectHeader(const char* title, const char* author)
    {
        EXPECT_EQ(std::tie(map.title, map.author), std::tie(title, author));
        EXPECT_EQ(std::tie(map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY),
                  std::make_tuple(120, -4, 33, 500));
    }

    test::TempFolder folder;
    test::ScopedWorkingDirectory cwd{folder.root()};
    std::string path = folder.file("level.map");
    Map map;
};

TEST_F(MapTest, NewMapSavesTheDefaults)
{
    map.newMap();
    ASSERT_TRUE(map.save(path)) << map.lastError;
    Bytes b;  // time limit 90, no clouds, the player at 400, 256, no tiles
    b.str("Kelvane Map File").i16(3).str("New Map").str("").i16(90).i16(0).i16(400).i16(256).zeros(800);
    EXPECT_TRUE(test::readFile(path) == b.data);
}

TEST_F(MapTest, ANewMapTakesTheGamesTilesetOrABlankOneWithTheReason)
{
    test::written(folder.file("base/tiles/kelvane.til"), test::tilesetFile("Shipped set"));
    map.newMap();
    EXPECT_EQ(map.tilesetPath, "base\\tiles\\kelvane.til");
    EXPECT_EQ(map.tileset.description, "Shipped set");

    std::filesystem::remove(folder.file("base/tiles/kelvane.til"));
    map.newMap();
    EXPECT_TRUE(map.tilesetPath.empty());
    EXPECT_EQ(map.tileset.description, "");
    EXPECT_NE(KVCore::lastLogLine().find("base\\tiles\\kelvane.til"), std::string::npos) << KVCore::lastLogLine();
}

// Each cell shows its tile's picture, to the last pixel of the last row;
// a cell naming no tile stays black.
TEST_F(MapTest, TheFieldPictureShowsEachCellsTile)
{
    map.newMap();
    map.tileset.reset();
    map.tileset.tiles[5].image.create(Tileset::tileSize, Tileset::tileSize, sf::Color::Red);
    map.tileset.tiles[Tileset::tileCount - 1].image.create(Tileset::tileSize, Tileset::tileSize, sf::Color::Green);
    map.tileset.tiles[0].image.create(Tileset::tileSize, Tileset::tileSize, sf::Color::Blue);
    map.tileset.buildAtlas();
    map.cells.fill(0);
    map.cells[0] = 5;
    map.cells[1] = Tileset::tileCount;
    map.cells[Map::cellCount - 1] = Tileset::tileCount - 1;
    const sf::Image field = map.renderField();
    ASSERT_EQ(field.getSize(), sf::Vector2u(800, 512));
    EXPECT_EQ(field.getPixel(0, 0), sf::Color::Red);
    EXPECT_EQ(field.getPixel(31, 31), sf::Color::Red);
    EXPECT_EQ(field.getPixel(40, 10), sf::Color::Black);
    EXPECT_EQ(field.getPixel(70, 10), sf::Color::Blue);
    EXPECT_EQ(field.getPixel(768, 480), sf::Color::Green);
    EXPECT_EQ(field.getPixel(799, 511), sf::Color::Green);
    EXPECT_EQ(field.getPixel(767, 511), sf::Color::Blue);
}

TEST_F(MapTest, EveryVersionLoadsAndSavesAsVersion3)
{
    // No author before version 3; versions below 1 read like 2.
    for (const int version : {3, 2, 0, -1}) {
        ASSERT_TRUE(load(mapFile(version, "Old", "Edna"))) << version;
        expectHeader("Old", version == 3 ? "Edna" : "");
        for (int i = 0; i < 400; ++i)
            ASSERT_EQ(map.cells[static_cast<std::size_t>(i)], mapCell(i % 25, i / 25)) << i;
        ASSERT_TRUE(map.save(path));
        EXPECT_TRUE(test::readFile(path) == mapFile(3, "Old", version == 3 ? "Edna" : "")) << version;
    }
    // Version 1 has 21 rows of 32 cells, of which the top left are kept.
    Bytes b;
    b.str("Kelvane Map File").i16(1).str("First").i16(120).i16(-4).i16(33).i16(500);
    for (int i = 0; i < 21 * 32; ++i)
        b.i16(i % 32 >= 25 || i / 32 >= 16 ? 999 : 1 + i);
    ASSERT_TRUE(load(b.data)) << map.lastError;
    expectHeader("First", "");
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(map.cell(i % 25, i / 25), 1 + i % 25 + 32 * (i / 25)) << i;
    EXPECT_FALSE(load(b.data.substr(0, b.data.size() - 2))) << "cut in the dropped rows";
}

TEST_F(MapTest, RefusedFilesLeaveTheMapAsItWas)
{
    const std::string known = mapFile(3, "Known", "Me");
    ASSERT_TRUE(load(known));
    EXPECT_FALSE(map.load(folder.file("none.map")));
    EXPECT_EQ(map.lastError, "Unable to open " + folder.file("none.map"));

    const std::string notValid = path + " is not a valid map file.", advanced = path + " is too advanced.";
    std::vector<std::pair<std::string, std::string>> bad{
        {Bytes().str("Kelvane Tileset").i16(1).data, notValid},
        {Bytes().str("Kelvane Map Fil").data + known.substr(18), notValid},
        {mapFile(4), advanced},
        {mapFile(999), advanced},
        {Bytes().str("Kelvane Map File").i16(3).i16(32767).data, notValid}};
    for (std::size_t length = 0; length < known.size(); ++length)
        bad.emplace_back(known.substr(0, length), notValid);
    for (const auto& [bytes, error] : bad) {
        ASSERT_FALSE(load(bytes)) << bytes.size() << " bytes";
        ASSERT_EQ(map.lastError, error) << bytes.size() << " bytes";
    }
    expectHeader("Known", "Me");
    EXPECT_EQ(map.cell(3, 4), mapCell(3, 4));
}

TEST_F(MapTest, PositionsOutsideTheGridChangeNothing)
{
    map.newMap();
    const auto before = map.cells;
    for (const auto& [x, y] : {std::pair<std::int16_t, std::int16_t>{25, 0}, {0, 16}, {-1, 0}, {-32768, 5}})
        EXPECT_FALSE(map.setTile(x, y, grass, true)) << x << ", " << y;
    EXPECT_FALSE(map.autoFormatGrassTile(-1, 3));
    EXPECT_NE(KVCore::lastLogLine().find("Error: autoFormatGrassTile: Position -1, 3 is outside of map"), std::string::npos);
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
    EXPECT_TRUE(map.autoFormatGrassTile(10, 8));
    EXPECT_EQ(map.cell(10, 8), 966);  // north-east too

    map.newMap();
    for (int i = 0; i < 9; ++i)
        map.setTile(static_cast<std::int16_t>(2 + i % 3), static_cast<std::int16_t>(2 + i / 3), grass, false);
    map.setTile(12, 3, grass, false);  // beyond the block: not reached
    map.setTile(4, 1, 5, false);       // not grass: left alone
    map.autoFormatGrassTile(3, 3);
    EXPECT_EQ(map.cell(3, 3), 1005);
    EXPECT_EQ(map.cell(12, 3), grass);
    EXPECT_EQ(map.cell(4, 1), 5);
}

// The edge rule on its own: a corner counts only with both its sides.  Bits
// run north-west, north, north-east, west, east, south-west, south, south-east.
unsigned edgeMask(unsigned layout)
{
    const bool n = layout & 2, w = layout & 8, e = layout & 16, s = layout & 64;
    unsigned mask = layout & (2 | 8 | 16 | 64);
    mask |= (n && w) ? layout & 1 : 0;
    mask |= (n && e) ? layout & 4 : 0;
    mask |= (s && w) ? layout & 32 : 0;
    mask |= (s && e) ? layout & 128 : 0;
    return mask;
}

TEST_F(MapTest, EveryNeighbourhoodGetsTheTileOfItsEdgeMask)
{
    // The tiles from 960 hold the edged masks in rising order; the lone
    // patch (mask 0) is 1006.  Formatted grass (959 and up) counts as grass.
    std::set<unsigned> masks;
    for (unsigned layout = 0; layout < 256; ++layout)
        masks.insert(edgeMask(layout));
    ASSERT_EQ(masks.size(), 47u);

    const int dx[8] = {-1, 0, 1, -1, 1, -1, 0, 1}, dy[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
    for (unsigned layout = 0; layout < 256; ++layout) {
        map.newMap();
        for (int bit = 0; bit < 8; ++bit)
            if (layout & (1u << bit))
                map.setTile(static_cast<std::int16_t>(10 + dx[bit]), static_cast<std::int16_t>(8 + dy[bit]),
                            bit % 2 ? 959 : grass, false);
        map.setTile(10, 8, grass, true);
        const unsigned mask = edgeMask(layout);
        const auto rank = std::distance(masks.begin(), masks.find(mask));
        EXPECT_EQ(map.cell(10, 8), mask == 0 ? 1006 : 960 + rank - 1) << "layout " << layout;
    }
}

TEST_F(MapTest, LawnRunsOnPastTheEdgeOfTheGrid)
{
    // A patch mown at the border gives the grass around it the same tiles
    // as one mown in the middle of the lawn.
    map.newMap();
    for (std::int16_t i = 0; i < Map::cellCount; ++i)
        map.setTile(i % Map::width, i / Map::width, grass, false);
    map.setTile(12, 0, 0, true);
    map.setTile(12, 8, 0, true);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = 0; dy <= 1; ++dy)
            EXPECT_EQ(map.cell(12 + dx, dy), map.cell(12 + dx, 8 + dy)) << dx << ", " << dy;
    // The whole ring round a mown patch gets its edge, the row above too.
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (dx != 0 || dy != 0) {
                EXPECT_NE(map.cell(12 + dx, 8 + dy), grass) << dx << ", " << dy;
            }
}

} // namespace
