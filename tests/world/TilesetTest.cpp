// Tileset files, the Talvex import and tile sheets, without a display: only
// images on the CPU are looked at, never a texture.

#include "world/Tileset.hpp"

#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using test::Bytes;
using test::tileColour;

class TilesetTest : public ::testing::Test {
protected:
    // A loaded tileset that refusals must leave alone.
    void loadKnown()
    {
        test::writeFile(known, test::tilesetFile("Known set"));
        ASSERT_TRUE(tileset.load(known));
    }
    void expectStillKnown(const std::string& what) const
    {
        EXPECT_EQ(tileset.description, "Known set") << what;
        EXPECT_EQ(tileset.fileName, known) << what;
        EXPECT_EQ(tileset.tiles[7].description, "tile 7") << what;
        EXPECT_EQ(tileset.tiles[7].type, TileType::Water) << what;
        EXPECT_EQ(tileset.tiles[7].image.getPixel(31, 31), tileColour(7)) << what;
        EXPECT_EQ(tileset.atlasImage().getPixel(7 * 32 + 3, 3), tileColour(7)) << what;
    }

    test::TempFolder folder;
    std::string known = folder.file("known.til");
    std::string path = folder.file("input.til");
    Tileset tileset;
};

TEST_F(TilesetTest, HandBuiltFileLoadsEveryField)
{
    Bytes b;
    b.str("Kelvane Tileset").i16(0).str("Backyard");
    for (int i = 0; i < 1024; ++i) {
        b.str(i == 33 ? "Clover" : "").u8(i == 33 ? 1 : i == 2 ? 9 : 0);
        b.tileImage([i](unsigned x, unsigned y) {
            if (i == 33)
                return sf::Color(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8), 7);
            return i == 2 ? sf::Color::Magenta : sf::Color::Black;
        });
    }
    test::writeFile(path, b.text());

    ASSERT_TRUE(tileset.load(path)) << tileset.lastError;  // version 0 is read like 1
    EXPECT_TRUE(tileset.loaded);
    EXPECT_EQ(tileset.fileName, path);
    EXPECT_EQ(tileset.description, "Backyard");
    EXPECT_EQ(tileset.tiles[33].description, "Clover");
    EXPECT_EQ(Tileset::getTypeName(tileset.tiles[33].type), "Grass");
    EXPECT_EQ(tileset.tiles[33].image.getPixel(5, 9), sf::Color(40, 72, 7));
    EXPECT_EQ(tileset.tiles[2].image.getPixel(0, 0), sf::Color::Magenta);  // no colour keying
    EXPECT_EQ(static_cast<int>(tileset.tiles[2].type), 9);                 // kept, nameless
    EXPECT_EQ(Tileset::getTypeName(tileset.tiles[2].type), "");
    // Tile 33 sits one row and one column into the atlas.
    EXPECT_EQ(Tileset::tileRect(33), sf::IntRect(32, 32, 32, 32));
    EXPECT_EQ(tileset.atlasImage().getPixel(32 + 5, 32 + 9), sf::Color(40, 72, 7));
}

TEST_F(TilesetTest, SaveWritesTheLayoutByteForByte)
{
    tileset.reset();
    tileset.description = "Front lawn";
    tileset.tiles[0].description = "Stripe";
    tileset.tiles[0].type = TileType::Water;
    tileset.tiles[0].image.setPixel(4, 4, sf::Color(1, 2, 3));
    tileset.tiles[1023].image.setPixel(0, 0, sf::Color(10, 20, 30, 0));    // transparent: magenta
    tileset.tiles[1023].image.setPixel(1, 0, sf::Color(10, 20, 30, 128));  // partly: opaque
    ASSERT_TRUE(tileset.save(path)) << tileset.lastError;
    EXPECT_EQ(tileset.fileName, path);

    Bytes b;
    b.str("Kelvane Tileset").i16(1).str("Front lawn");
    for (int i = 0; i < 1024; ++i)
        b.str(i == 0 ? "Stripe" : "(none)").u8(i == 0 ? 3 : 0).tileImage([i](unsigned x, unsigned y) {
            if (i == 0 && x == 4 && y == 4)
                return sf::Color(1, 2, 3);
            if (i == 1023 && y == 0 && x < 2)
                return x == 0 ? sf::Color::Magenta : sf::Color(10, 20, 30);
            return sf::Color::Black;
        });
    EXPECT_TRUE(test::readFile(path) == b.text());

    const std::string missing = folder.file("no/dir/x.til");
    EXPECT_FALSE(tileset.save(missing));
    EXPECT_EQ(tileset.lastError, "Unable to create " + missing);
    // A description too long for its length field fails; the old file stays.
    tileset.description.assign(40000, 'x');
    EXPECT_FALSE(tileset.save(path));
    EXPECT_TRUE(test::readFile(path) == b.text());
}

TEST_F(TilesetTest, RefusedFilesLeaveTheTilesetAsItWas)
{
    loadKnown();
    EXPECT_FALSE(tileset.load(folder.file("missing.til")));
    EXPECT_EQ(tileset.lastError, "Unable to open " + folder.file("missing.til"));

    const std::string good = test::tilesetFile("Other");
    const std::string head = Bytes().str("Kelvane Tileset").i16(1).str("x").str("first").u8(0).text();
    const std::string rest = good.substr(good.find("tile 1") - 2);  // tiles 1 to 1023
    const struct {
        const char* what;
        std::string bytes;
        const char* error;
    } bad[] = {
        {"version 2", test::tilesetFile("", 2), "Tileset file version is too advanced"},
        {"version 300", test::tilesetFile("", 300), "Tileset file version is too advanced"},
        {"tag one short", Bytes().str("Kelvane Tilese").text() + good.substr(17), "Not a valid tileset file"},
        {"a map", Bytes().str("Kelvane Map File").i16(3).text(), "Not a valid tileset file"},
        {"empty", "", "Not a valid tileset file"},
        {"no version", good.substr(0, 17), "Not a valid tileset file"},
        {"last byte cut", good.substr(0, good.size() - 1), "Not a valid tileset file"},
        {"tile 1 cut", good.substr(0, 5000), "Not a valid tileset file"},
        {"negative length", Bytes().str("Kelvane Tileset").i16(1).i16(-2).text() + good.substr(26),
         "Not a valid tileset file"},
        {"absurd length", Bytes().str("Kelvane Tileset").i16(1).i16(32767).text(), "Not a valid tileset file"},
        {"31 by 32 tile", head + Bytes().i16(31).i16(32).zeros(31 * 32 * 3).text() + rest, "Not a valid tileset file"},
        {"0 by 0 tile", head + Bytes().i16(0).i16(0).text() + rest, "Not a valid tileset file"},
        {"negative tile", head + Bytes().i16(-32).i16(32).text() + rest, "Not a valid tileset file"},
        {"huge tile", head + Bytes().i16(32767).i16(32767).text() + rest, "Not a valid tileset file"},
    };
    for (const auto& [what, bytes, error] : bad) {
        test::writeFile(path, bytes);
        EXPECT_FALSE(tileset.load(path)) << what;
        EXPECT_EQ(tileset.lastError, error) << what;
        expectStillKnown(what);
    }
}

TEST_F(TilesetTest, TalvexTilesetImportsTypesNamesAndDoubledPictures)
{
    test::TalvexTileset talvex;
    const std::pair<std::int8_t, TileType> codes[] = {
        {0, TileType::Land}, {1, TileType::Solid}, {2, TileType::Water}, {3, TileType::Land}, {-1, TileType::Land}};
    for (int i = 0; i < 5; ++i)
        talvex.record(i, codes[i].first, "code " + std::to_string(i));
    talvex.record(5, 1, std::string(27, 'N') + "overflow");
    // Tile 0: each source pixel says where it came from.
    for (unsigned y = 0; y < 16; ++y)
        for (unsigned x = 0; x < 16; ++x)
            talvex.pixel(0, x, y, static_cast<std::uint16_t>((x << 11) | (y << 5) | 1));
    talvex.pixel(1, 0, 0, 0xF81F);  // magenta stays opaque
    talvex.pixel(1, 1, 0, 0x8410);  // red 16, green 32, blue 16
    test::writeFile(path, talvex.text());

    loadKnown();
    ASSERT_TRUE(tileset.importTalvexTileset(path)) << tileset.lastError;
    EXPECT_EQ(tileset.fileName, "");
    EXPECT_EQ(tileset.description, "");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tileset.tiles[static_cast<std::size_t>(i)].description, "code " + std::to_string(i));
        EXPECT_EQ(tileset.tiles[static_cast<std::size_t>(i)].type, codes[i].second) << i;
    }
    EXPECT_EQ(tileset.tiles[5].description, std::string(27, 'N'));
    // Target (x, y) shows source (round(x / 2), round(y / 2)), halves up, at
    // most 15.
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x) {
            const unsigned sx = std::min((x + 1) / 2, 15u), sy = std::min((y + 1) / 2, 15u);
            ASSERT_EQ(tileset.tiles[0].image.getPixel(x, y),
                      sf::Color(static_cast<std::uint8_t>(sx * 255 / 31), static_cast<std::uint8_t>(sy * 255 / 63), 8))
                << x << ", " << y;
        }
    EXPECT_EQ(tileset.tiles[1].image.getPixel(0, 0), sf::Color::Magenta);
    EXPECT_EQ(tileset.tiles[1].image.getPixel(2, 0), sf::Color(131, 129, 131));
}

TEST_F(TilesetTest, TalvexRefusalsLeaveTheTilesetAsItWas)
{
    loadKnown();
    const std::string prefix = "ImportTalvexTileset: ";
    EXPECT_FALSE(tileset.importTalvexTileset(folder.file("gone.til")));
    EXPECT_EQ(tileset.lastError, prefix + "Unable to open " + folder.file("gone.til"));

    const std::string notValid = prefix + path + " is not a valid Talvex tileset file";
    const std::string unsupported =
        prefix + path + " is an unsupported tileset version, only version 6 tilesets may be imported";
    const std::string good = test::TalvexTileset().text();
    const struct {
        const char* what;
        std::string bytes, error;
    } bad[] = {
        {"other tag", test::TalvexTileset("Zol Type 3 Tileset").text(), notValid},
        {"longer tag", test::TalvexTileset("Zol Type 4 Tilesets").text(), notValid},
        {"version 5", test::TalvexTileset("Zol Type 4 Tileset", 5).text(), unsupported},
        {"version 7", test::TalvexTileset("Zol Type 4 Tileset", 7).text(), unsupported},
        {"no version", good.substr(0, 34), notValid},
        {"one byte short", good.substr(0, good.size() - 1), notValid},
    };
    for (const auto& [what, bytes, error] : bad) {
        test::writeFile(path, bytes);
        EXPECT_FALSE(tileset.importTalvexTileset(path)) << what;
        EXPECT_EQ(tileset.lastError, error) << what;
        expectStillKnown(what);
    }
}

TEST_F(TilesetTest, TileSheetsGoOutAndComeBackIn)
{
    loadKnown();
    tileset.tiles[9].image.setPixel(0, 0, sf::Color(90, 90, 90, 0));  // exported over black
    tileset.buildAtlas();
    const std::string sheet = folder.file("sheet.png");
    ASSERT_TRUE(tileset.exportTilesheet(sheet));
    EXPECT_FALSE(std::filesystem::exists(folder.file("sheet.tmp.png")));

    sf::Image exported;
    ASSERT_TRUE(exported.loadFromFile(sheet));
    ASSERT_EQ(exported.getSize(), sf::Vector2u(1024, 1024));
    EXPECT_EQ(exported.getPixel(32 + 10, 32 + 10), tileColour(33));
    EXPECT_EQ(exported.getPixel(1023, 1023), tileColour(1023));
    EXPECT_EQ(exported.getPixel(9 * 32, 0), sf::Color::Black);

    // Pictures change, alpha included; descriptions and types stay.
    exported.setPixel(32 + 1, 32 + 2, sf::Color(1, 2, 3, 40));
    ASSERT_TRUE(exported.saveToFile(sheet));
    Tileset other;
    other.reset();
    other.tiles[33].type = TileType::Grass;
    ASSERT_TRUE(other.importTilesheet(sheet)) << other.lastError;
    EXPECT_EQ(other.tiles[33].type, TileType::Grass);
    EXPECT_EQ(other.tiles[33].description, "(none)");
    EXPECT_EQ(other.tiles[33].image.getPixel(1, 2), sf::Color(1, 2, 3, 40));
    for (int i : {0, 7, 500, 1023})
        EXPECT_EQ(other.tiles[static_cast<std::size_t>(i)].image.getPixel(31, 0), tileColour(i)) << i;
    EXPECT_EQ(other.atlasImage().getPixel(32 + 10, 32 + 10), tileColour(33));
}

TEST_F(TilesetTest, TileSheetRefusals)
{
    loadKnown();
    sf::Image small, wide;
    small.create(1024, 1023);
    wide.create(2048, 1024);
    ASSERT_TRUE(small.saveToFile(folder.file("small.png")) && wide.saveToFile(folder.file("wide.bmp")));
    for (const char* name : {"small.png", "wide.bmp"}) {
        EXPECT_FALSE(tileset.importTilesheet(folder.file(name)));
        EXPECT_EQ(tileset.lastError, "Invalid image size, must be 1024 by 1024 pixels");
        expectStillKnown(name);
    }
    test::writeFile(folder.file("text.png"), "not a picture");
    for (const char* name : {"none.png", "text.png"}) {
        EXPECT_FALSE(tileset.importTilesheet(folder.file(name)));
        EXPECT_EQ(tileset.lastError, "Unable to open " + folder.file(name));
        expectStillKnown(name);
    }
    EXPECT_FALSE(tileset.exportTilesheet(folder.file("no/dir/sheet.png")));
    EXPECT_EQ(tileset.lastError, "Unable to create " + folder.file("no/dir/sheet.png"));
}

} // namespace
