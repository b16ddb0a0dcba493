// kelvane-tool on tilesets and maps: what it prints, its exit codes and the
// files it writes.

#include "tools/RunTool.hpp"
#include "world/Tileset.hpp"
#include "world/WorldFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace {

using test::mapCell;
using test::mapFile;
using test::tileColour;

class KelvaneToolWorldTest : public ::testing::Test {
protected:
    test::ToolResult run(const std::string& arguments) const { return test::runTool(folder, arguments); }
    std::string file(const std::string& name) const { return folder.file(name); }

    // Each cell of the picture shows its tile's colour, black from index 1024.
    void expectField(const std::string& png, sf::Color (*colour)(int)) const
    {
        sf::Image field;
        ASSERT_TRUE(field.loadFromFile(file(png)));
        ASSERT_EQ(field.getSize(), sf::Vector2u(800, 512));
        for (unsigned y = 0; y < 16; ++y)
            for (unsigned x = 0; x < 25; ++x) {
                const int tile = mapCell(static_cast<int>(x), static_cast<int>(y));
                const sf::Color want = tile < 1024 ? colour(tile) : sf::Color::Black;
                ASSERT_EQ(field.getPixel(x * 32, y * 32 + 31), want) << x << ", " << y;
                ASSERT_EQ(field.getPixel(x * 32 + 31, y * 32), want) << x << ", " << y;
            }
    }

    test::TempFolder folder;
};

TEST_F(KelvaneToolWorldTest, InfoDescribesTilesetsAndMaps)
{
    test::writeFile(file("set.til"), test::tilesetFile("Lawn \"set\""));
    test::ToolResult r = run("info set.til");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string expected = R"({"kind":"tileset","description":"Lawn \"set\"","tiles":[)";
    const char* names[] = {"Land", "Grass", "Solid", "Water"};
    for (int i = 0; i < 1024; ++i)
        expected += std::string(i ? "," : "") + "{\"index\":" + std::to_string(i) + ",\"description\":\"tile " +
                    std::to_string(i) + "\",\"type\":" + std::to_string(i % 4) + ",\"typeName\":\"" + names[i % 4] + "\"}";
    EXPECT_EQ(r.out, expected + "]}\n");

    test::writeFile(file("a.map"), mapFile(2));
    r = run("info a.map");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string cells;
    for (int y = 0; y < 16; ++y) {
        cells += y ? ",[" : "[";
        for (int x = 0; x < 25; ++x)
            cells += (x ? "," : "") + std::to_string(mapCell(x, y));
        cells += "]";
    }
    EXPECT_EQ(r.out, R"({"kind":"map","version":2,"title":"Front \"Lawn\"","author":"","timeLimit":120,)"
                     R"("cloudCount":-4,"playerStartX":33,"playerStartY":500,"cells":[)" + cells + "]}\n");
    test::writeFile(file("b.map"), mapFile(3));
    EXPECT_NE(run("info b.map").out.find(R"("version":3,"title":"Front \"Lawn\"","author":"Ann",)"), std::string::npos);
}

TEST_F(KelvaneToolWorldTest, ExitCodesAndMessages)
{
    test::writeFile(file("ok.map"), mapFile(3));
    test::writeFile(file("cut.map"), mapFile(3).substr(0, 100));
    test::writeFile(file("new.til"), test::tilesetFile("x", 2));
    test::writeFile(file("bad.map"), mapFile(4));
    test::writeFile(file("old.til"), test::TalvexTileset("Zol Type 4 Tileset", 5).data);
    const struct {
        const char* arguments;
        int status;
        std::string out, err;
    } runs[] = {
        // A map loads without its tileset, which is only reported.
        {"check ok.map", 0, "ok.map: map loads\n", "Error: Unable to open base\\tiles\\kelvane.til\n"},
        {"info cut.map", 1, "", "cut.map is not a valid map file.\n"},
        {"check new.til", 1, "", "Tileset file version is too advanced\n"},
        {"render-map bad.map field.png", 1, "", "bad.map is too advanced.\n"},
        {"import-talvex-tileset old.til out.til", 1, "",
         "ImportTalvexTileset: old.til is an unsupported tileset version, only version 6 tilesets may be imported\n"},
    };
    for (const auto& [arguments, status, out, err] : runs) {
        const test::ToolResult r = run(arguments);
        EXPECT_EQ(std::tie(r.status, r.out, r.err), std::tie(status, out, err)) << arguments;
    }
    EXPECT_FALSE(std::filesystem::exists(file("field.png")) || std::filesystem::exists(file("out.til")));
    EXPECT_EQ(run("render-map ok.map").status, 2);
    EXPECT_EQ(run("export-tilesheet a b c").status, 2);
}

TEST_F(KelvaneToolWorldTest, DamagedFilesAreKnownByTheirExtensionAndRefusedByTheirLoader)
{
    // The tag is what is damaged, so only the name tells the kind.
    const std::string damaged = std::string("\x05\0Kelv!", 7) + std::string(200, 'x');
    for (const char* name : {"lawn.map", "set.TIL", "mower.spr", "000.sav", "notes.txt", "map"})
        test::writeFile(file(name), damaged);
    const struct {
        const char* arguments;
        std::string err;
    } runs[] = {
        {"info lawn.map", "lawn.map is not a valid map file.\n"},
        {"check lawn.map", "lawn.map is not a valid map file.\n"},
        {"info set.TIL", "Not a valid tileset file\n"},
        {"check mower.spr", "Not a valid sprite file\n"},
        {"info 000.sav", "Not a valid save game file\n"},
        {"check missing.map", "Unable to open missing.map\n"},
        {"info notes.txt", "notes.txt is not a file kelvane-tool knows\n"},
        {"info map", "map is not a file kelvane-tool knows\n"},
        {"check sub.map/file", "sub.map/file is not a file kelvane-tool knows\n"},
    };
    for (const auto& [arguments, err] : runs) {
        const test::ToolResult r = run(arguments);
        EXPECT_EQ(std::tie(r.status, r.out, r.err), std::make_tuple(1, std::string(), err)) << arguments;
    }
}

TEST_F(KelvaneToolWorldTest, ImportsTalvexTilesetsAndTileSheets)
{
    test::TalvexTileset talvex;
    talvex.record(0, 2, "Pond");
    talvex.pixel(1023, 15, 15, 0xF800);
    test::writeFile(file("talvex.til"), talvex.data);
    test::ToolResult r = run("import-talvex-tileset talvex.til out.til");
    ASSERT_EQ(r.status, 0) << r.err;

    // A sheet goes out, is painted on and comes back over the same tileset.
    ASSERT_EQ(run("export-tilesheet out.til sheet.png").status, 0);
    sf::Image sheet;
    ASSERT_TRUE(sheet.loadFromFile(file("sheet.png")));
    EXPECT_EQ(sheet.getPixel(1023, 1023), sf::Color::Red) << "the Talvex picture, doubled";
    sheet.setPixel(0, 0, sf::Color(9, 8, 7));
    ASSERT_TRUE(sheet.saveToFile(file("painted.png")));
    r = run("import-tilesheet out.til painted.png new.til");
    ASSERT_EQ(r.status, 0) << r.err;
    Tileset imported;
    ASSERT_TRUE(imported.load(file("new.til"))) << imported.lastError;
    EXPECT_EQ(imported.tiles[0].type, TileType::Water);
    EXPECT_EQ(imported.tiles[0].description, "Pond");
    EXPECT_EQ(imported.tiles[0].image.getPixel(0, 0), sf::Color(9, 8, 7));
}

TEST_F(KelvaneToolWorldTest, RenderMapFindsTheTilesetAsTheGameDoes)
{
    test::writeFile(file("level.map"), mapFile(3));
    test::writeFile(file("mymod/tiles/kelvane.til"), test::tilesetFile("Mod"));
    test::ToolResult r = run("-BASE mymod render-map level.map field.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    expectField("field.png", tileColour);

    // Without a tileset the game plays on with black tiles; the tool says so.
    r = run("render-map level.map black.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Unable to open base\\tiles\\kelvane.til"), std::string::npos) << r.err;
    expectField("black.png", [](int) { return sf::Color::Black; });
}

} // namespace
