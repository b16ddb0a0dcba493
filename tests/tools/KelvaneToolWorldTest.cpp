// kelvane-tool on tilesets and maps, run as the real program with no
// display in its environment: what it prints, its exit codes and the files
// it writes.

#include "support/TempFolder.hpp"
#include "world/Tileset.hpp"
#include "world/WorldFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#ifndef KV_KELVANE_TOOL
#error "KV_KELVANE_TOOL must name the kelvane-tool executable"
#endif

namespace {

using test::Bytes;
using test::tileColour;

struct Result {
    int status = -1;
    std::string out, err;
};

std::uint16_t cellOf(int x, int y) { return static_cast<std::uint16_t>((x * 37 + y * 101) % 1100); }

std::string mapFile(std::int16_t version)
{
    Bytes b;
    b.str("Kelvane Map File").i16(version).str("Front \"Lawn\"");
    if (version == 3)
        b.str("Ann");
    b.i16(75).i16(3).i16(-10).i16(300);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 25; ++x)
            b.u16(cellOf(x, y));
    return b.text();
}

sf::Color modColour(int tile) { return sf::Color(static_cast<std::uint8_t>(255 - tile % 256), 17, 99); }

class KelvaneToolWorldTest : public ::testing::Test {
protected:
    // Runs the tool in the test's folder without DISPLAY.
    Result run(const std::string& arguments) const
    {
        const std::string command = "cd '" + folder.root().string() + "' && env -u DISPLAY '" KV_KELVANE_TOOL "' " +
                                    arguments + " >tool.out 2>tool.err";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(folder.root() / "tool.out"),
                test::readFile(folder.root() / "tool.err")};
    }
    std::string file(const std::string& name) const { return folder.file(name); }

    // Each cell of the picture shows its tile's colour, black where the
    // index is 1024 or more.
    void expectField(const std::string& png, sf::Color (*colour)(int)) const
    {
        sf::Image field;
        ASSERT_TRUE(field.loadFromFile(file(png)));
        ASSERT_EQ(field.getSize(), sf::Vector2u(800, 512));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 25; ++x) {
                const sf::Color want = cellOf(x, y) < 1024 ? colour(cellOf(x, y)) : sf::Color::Black;
                for (const unsigned corner : {0u, 31u})
                    ASSERT_EQ(field.getPixel(static_cast<unsigned>(x * 32) + corner,
                                             static_cast<unsigned>(y * 32) + 31 - corner), want)
                        << x << ", " << y;
            }
    }

    test::TempFolder folder;
};

TEST_F(KelvaneToolWorldTest, InfoDescribesTilesetsAndMaps)
{
    test::writeFile(file("set.til"), test::tilesetFile("Lawn \"set\""));
    Result r = run("info set.til");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string expected = R"({"kind":"tileset","description":"Lawn \"set\"","tiles":[)";
    const char* names[] = {"Land", "Grass", "Solid", "Water"};
    for (int i = 0; i < 1024; ++i)
        expected += std::string(i ? "," : "") + "{\"index\":" + std::to_string(i) + ",\"description\":\"tile " +
                    std::to_string(i) + "\",\"type\":" + std::to_string(i % 4) + ",\"typeName\":\"" + names[i % 4] +
                    "\"}";
    EXPECT_EQ(r.out, expected + "]}\n");

    test::writeFile(file("a.map"), mapFile(2));
    r = run("info a.map");
    ASSERT_EQ(r.status, 0) << r.err;
    std::string cells;
    for (int y = 0; y < 16; ++y) {
        cells += y ? ",[" : "[";
        for (int x = 0; x < 25; ++x)
            cells += (x ? "," : "") + std::to_string(cellOf(x, y));
        cells += "]";
    }
    EXPECT_EQ(r.out, R"({"kind":"map","version":2,"title":"Front \"Lawn\"","author":"","timeLimit":75,)"
                     R"("cloudCount":3,"playerStartX":-10,"playerStartY":300,"cells":[)" + cells + "]}\n");
    test::writeFile(file("b.map"), mapFile(3));
    EXPECT_NE(run("info b.map").out.find(R"("version":3,"title":"Front \"Lawn\"","author":"Ann",)"), std::string::npos);
}

TEST_F(KelvaneToolWorldTest, RefusedFilesAndWrongUsage)
{
    test::writeFile(file("ok.map"), mapFile(3));
    Result r = run("check ok.map");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "ok.map: map loads\n");

    test::writeFile(file("cut.map"), mapFile(3).substr(0, 100));
    r = run("info cut.map");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "cut.map is not a valid map file.\n");

    test::writeFile(file("new.til"), test::tilesetFile("x", 2));
    r = run("check new.til");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Tileset file version is too advanced\n");

    test::writeFile(file("bad.map"), Bytes().str("Kelvane Map File").i16(4).text());
    r = run("render-map bad.map field.png");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "bad.map is too advanced.\n");
    EXPECT_FALSE(std::filesystem::exists(file("field.png")));

    EXPECT_EQ(run("render-map ok.map").status, 2);
    EXPECT_EQ(run("export-tilesheet a b c").status, 2);
    r = run("--help");
    for (const char* usage : {"import-talvex-tileset IN OUT.til", "export-tilesheet IN.til OUT.png",
                              "import-tilesheet IN.til SHEET.png OUT.til", "render-map IN.map OUT.png"})
        EXPECT_NE(r.out.find(usage), std::string::npos) << usage;
}

TEST_F(KelvaneToolWorldTest, ImportsATalvexTileset)
{
    test::TalvexTileset talvex;
    talvex.record(0, 2, "Pond");
    talvex.pixel(1023, 15, 15, 0xF800);
    test::writeFile(file("talvex.til"), talvex.text());
    Result r = run("import-talvex-tileset talvex.til out.til");
    ASSERT_EQ(r.status, 0) << r.err;
    Tileset imported;
    ASSERT_TRUE(imported.load(file("out.til"))) << imported.lastError;
    EXPECT_EQ(imported.tiles[0].description, "Pond");
    EXPECT_EQ(imported.tiles[0].type, TileType::Water);
    EXPECT_EQ(imported.tiles[1023].image.getPixel(31, 31), sf::Color(255, 0, 0));

    test::writeFile(file("old.til"), test::TalvexTileset("Zol Type 4 Tileset", 5).text());
    r = run("import-talvex-tileset old.til out2.til");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ImportTalvexTileset: old.til is an unsupported tileset version, only version 6 tilesets may "
                     "be imported\n");
    EXPECT_FALSE(std::filesystem::exists(file("out2.til")));
}

TEST_F(KelvaneToolWorldTest, TileSheetsGoOutAndComeBack)
{
    test::writeFile(file("set.til"), test::tilesetFile("Sheet"));
    Result r = run("export-tilesheet set.til sheet.png");
    ASSERT_EQ(r.status, 0) << r.err;
    sf::Image sheet;
    ASSERT_TRUE(sheet.loadFromFile(file("sheet.png")));
    ASSERT_EQ(sheet.getSize(), sf::Vector2u(1024, 1024));
    EXPECT_EQ(sheet.getPixel(32 + 31, 32), tileColour(33));

    sheet.setPixel(32, 32, sf::Color(9, 8, 7));
    ASSERT_TRUE(sheet.saveToFile(file("painted.png")));
    r = run("import-tilesheet set.til painted.png new.til");
    ASSERT_EQ(r.status, 0) << r.err;
    Tileset changed;
    ASSERT_TRUE(changed.load(file("new.til")));
    EXPECT_EQ(changed.tiles[33].description, "tile 33");
    EXPECT_EQ(changed.tiles[33].image.getPixel(0, 0), sf::Color(9, 8, 7));
    EXPECT_EQ(changed.tiles[33].image.getPixel(1, 0), tileColour(33));

    sf::Image small;
    small.create(1023, 1024);
    ASSERT_TRUE(small.saveToFile(file("small.png")));
    r = run("import-tilesheet set.til small.png bad.til");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Invalid image size, must be 1024 by 1024 pixels\n");
}

TEST_F(KelvaneToolWorldTest, RenderMapFindsTheTilesetAsTheGameDoes)
{
    test::writeFile(file("level.map"), mapFile(3));
    test::writeFile(file("base/tiles/kelvane.til"), test::tilesetFile("Game"));
    Result r = run("render-map level.map field.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    expectField("field.png", tileColour);

    Tileset mod;
    mod.reset();
    for (int i = 0; i < 1024; ++i)
        mod.tiles[static_cast<std::size_t>(i)].image.create(32, 32, modColour(i));
    std::filesystem::create_directories(file("mymod/tiles"));
    ASSERT_TRUE(mod.save(file("mymod/tiles/kelvane.til")));
    r = run("-base mymod render-map level.map mod.png");
    ASSERT_EQ(r.status, 0) << r.err;
    expectField("mod.png", modColour);

    // Without a tileset the game plays on with black tiles; the tool says so.
    r = run("-BASE empty render-map level.map black.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Unable to open empty\\tiles\\kelvane.til"), std::string::npos) << r.err;
    expectField("black.png", [](int) { return sf::Color::Black; });
}

} // namespace
