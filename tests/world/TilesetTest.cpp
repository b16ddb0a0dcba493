// Tileset files, the Talvex import and tile sheets, looked at as images on
// the CPU; only the drawing test needs a display.

#include "world/Tileset.hpp"

#include "engine/Layers.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstring>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>

#include <sys/resource.h>

namespace {

using test::Bytes;
using test::tileColour;

class TilesetTest : public ::testing::Test {
protected:
    std::string fileWith(const std::string& bytes) { return test::written(path, bytes); }
    // A loaded tileset that refusals must leave alone.
    void loadKnown() { ASSERT_TRUE(tileset.load(test::written(known, test::tilesetFile("Known set")))); }
    void expectRefused(bool loaded, const std::string& error)
    {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(tileset.lastError, error);
        EXPECT_EQ(tileset.description, "Known set");
        EXPECT_EQ(tileset.fileName, known);
        EXPECT_EQ(tileset.tiles[7].type, TileType::Water);
        EXPECT_EQ(tileset.atlasImage().getPixel(7 * 32 + 3, 3), tileColour(7));
    }

    test::TempFolder folder;
    std::string known = folder.file("known.til"), path = folder.file("input.til");
    Tileset tileset;
};

TEST_F(TilesetTest, HandBuiltFileLoadsAndSavesByteForByte)
{
    const auto file = [](int version) {
        Bytes b;
        b.str("Kelvane Tileset").i16(version).str("Backyard");
        for (int i = 0; i < 1024; ++i)
            b.str(i == 33 ? "Clover" : "").u8(i == 33 ? 1 : i == 2 ? 9 : 0).image(32, 32, [i](int x, int y) {
                if (i == 33)
                    return sf::Color(static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8), 7);
                return i == 2 || (i == 1023 && x + y == 0) ? sf::Color::Magenta : sf::Color::Black;
            });
        return b.data;
    };
    ASSERT_TRUE(tileset.load(fileWith(file(0)))) << tileset.lastError;  // version 0 is read like 1
    EXPECT_EQ(tileset.fileName, path);
    EXPECT_EQ(tileset.description, "Backyard");
    EXPECT_EQ(tileset.tiles[33].description, "Clover");
    EXPECT_EQ(Tileset::getTypeName(tileset.tiles[33].type), "Grass");
    EXPECT_EQ(tileset.tiles[2].image.getPixel(0, 0), sf::Color::Magenta);  // no colour keying
    EXPECT_EQ(static_cast<int>(tileset.tiles[2].type), 9);                 // kept, nameless
    EXPECT_EQ(Tileset::getTypeName(tileset.tiles[2].type), "");
    EXPECT_EQ(tileset.atlasImage().getPixel(32 + 5, 32 + 9), sf::Color(40, 72, 7));  // one row and column in

    tileset.tiles[1023].image.setPixel(0, 0, sf::Color(10, 20, 30, 0));   // transparent: written magenta
    tileset.tiles[33].image.setPixel(0, 0, sf::Color(0, 0, 7, 128));      // partly: written opaque
    const std::string saved = folder.file("saved.til");
    ASSERT_TRUE(tileset.save(saved)) << tileset.lastError;
    EXPECT_TRUE(test::readFile(saved) == file(1));
    tileset.description.assign(40000, 'x');  // too long for its length field: the old file stays
    EXPECT_FALSE(tileset.save(saved));
    EXPECT_TRUE(test::readFile(saved) == file(1));
}

TEST_F(TilesetTest, RefusedFilesLeaveTheTilesetAsItWas)
{
    loadKnown();
    EXPECT_FALSE(tileset.load(folder.file("missing.til")));
    EXPECT_EQ(tileset.lastError, "Unable to open " + folder.file("missing.til"));
    expectRefused(tileset.load(fileWith(test::tilesetFile("", 2))), "Tileset file version is too advanced");

    const std::string good = test::tilesetFile("Other");
    const std::string head = Bytes().str("Kelvane Tileset").i16(1).str("x").str("first").u8(0).data;
    const std::string rest = good.substr(good.find("tile 1") - 2);  // tiles 1 to 1023
    for (const std::string& bytes :
         {Bytes().str("Kelvane Tilese").data + good.substr(17), Bytes().str("Kelvane Map File").i16(3).data,
          good.substr(0, 17), good.substr(0, good.size() - 1), good.substr(0, 5000),
          Bytes().str("Kelvane Tileset").i16(1).i16(32767).data,
          head + Bytes().i16(31).i16(32).zeros(31 * 32 * 3).data + rest,
          head + Bytes().i16(32767).i16(32767).data + rest}) {
        SCOPED_TRACE(bytes.size());
        expectRefused(tileset.load(fileWith(bytes)), "Not a valid tileset file");
    }
}

TEST_F(TilesetTest, TalvexTilesetImportsTypesNamesAndDoubledPicturesAndRefusesOthers)
{
    test::TalvexTileset talvex;
    const TileType types[] = {TileType::Land, TileType::Solid, TileType::Water, TileType::Land, TileType::Land};
    for (int i = 0; i < 5; ++i)
        talvex.record(i, i < 4 ? i : -1, "code " + std::to_string(i));
    talvex.record(5, 1, std::string(27, 'N') + "overflow");
    for (int i = 0; i < 256; ++i)  // tile 0: each pixel says where it came from
        talvex.pixel(0, i % 16, i / 16, (i % 16) << 11 | (i / 16) << 5 | 1);
    talvex.pixel(1, 0, 0, 0xF81F);  // magenta stays opaque
    talvex.pixel(1, 1, 0, 0x8410);  // red 16, green 32, blue 16
    loadKnown();
    tileset.atlasImage();  // drawn once from the tiles before
    ASSERT_TRUE(tileset.importTalvexTileset(fileWith(talvex.data))) << tileset.lastError;
    EXPECT_EQ(tileset.fileName, "");
    EXPECT_EQ(tileset.description, "");
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(tileset.tiles[i].description, "code " + std::to_string(i));
        EXPECT_EQ(tileset.tiles[i].type, types[i]) << i;
    }
    EXPECT_EQ(tileset.tiles[5].description, std::string(27, 'N'));
    // Target (x, y) shows source (round(x / 2), round(y / 2)), halves up, at most 15.
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x) {
            const unsigned sx = std::min((x + 1) / 2, 15u), sy = std::min((y + 1) / 2, 15u);
            ASSERT_EQ(tileset.tiles[0].image.getPixel(x, y),
                      sf::Color(static_cast<std::uint8_t>(sx * 255 / 31), static_cast<std::uint8_t>(sy * 255 / 63), 8))
                << x << ", " << y;
        }
    EXPECT_EQ(tileset.tiles[1].image.getPixel(0, 0), sf::Color::Magenta);
    EXPECT_EQ(tileset.tiles[1].image.getPixel(2, 0), sf::Color(131, 129, 131));
    EXPECT_EQ(tileset.atlasImage().getPixel(32 + 2, 0), sf::Color(131, 129, 131)) << "the atlas shows the import";

    loadKnown();
    const std::string prefix = "ImportTalvexTileset: ";
    EXPECT_FALSE(tileset.importTalvexTileset(folder.file("gone.til")));
    EXPECT_EQ(tileset.lastError, prefix + "Unable to open " + folder.file("gone.til"));
    const std::string notValid = prefix + path + " is not a valid Talvex tileset file";
    const std::string unsupported =
        prefix + path + " is an unsupported tileset version, only version 6 tilesets may be imported";
    const std::string good = test::TalvexTileset().data;
    for (const auto& [bytes, error] : {std::pair{test::TalvexTileset("Zol Type 3 Tileset").data, notValid},
                                       {test::TalvexTileset("Zol Type 4 Tilesets").data, notValid},
                                       {test::TalvexTileset("Zol Type 4 Tileset", 5).data, unsupported},
                                       {test::TalvexTileset("Zol Type 4 Tileset", 7).data, unsupported},
                                       {good.substr(0, 34), notValid}, {good.substr(0, good.size() - 1), notValid}})
        expectRefused(tileset.importTalvexTileset(fileWith(bytes)), error);
}

TEST_F(TilesetTest, TileSheetsGoOutAndComeBackIn)
{
    loadKnown();
    tileset.tiles[9].image.setPixel(0, 0, sf::Color(90, 90, 90, 0));  // exported over black
    tileset.buildAtlas();
    const std::string sheet = folder.file("sheet.png");
    ASSERT_TRUE(tileset.exportTilesheet(sheet));
    sf::Image exported;
    ASSERT_TRUE(exported.loadFromFile(sheet));
    ASSERT_EQ(exported.getSize(), sf::Vector2u(1024, 1024));
    EXPECT_EQ(exported.getPixel(1023, 1023), tileColour(1023));
    EXPECT_EQ(exported.getPixel(9 * 32, 0), sf::Color::Black);

    // Pictures change, alpha included; descriptions and types stay.
    exported.setPixel(32 + 1, 32 + 2, sf::Color(1, 2, 3, 40));
    ASSERT_TRUE(exported.saveToFile(sheet));
    // Over a set whose atlas was drawn before: a reset, then the import,
    // each show at once.
    Tileset other;
    EXPECT_FALSE(other.loaded);
    other.reset();
    EXPECT_TRUE(other.loaded) << "a reset set is one to edit and draw";
    other.tiles[33].image.create(32, 32, sf::Color::Red);
    other.buildAtlas();
    EXPECT_EQ(other.atlasImage().getPixel(32 + 10, 32 + 10), sf::Color::Red);
    other.reset();
    EXPECT_EQ(other.atlasImage().getPixel(32 + 10, 32 + 10), sf::Color::Black);
    other.tiles[33].type = TileType::Grass;
    ASSERT_TRUE(other.importTilesheet(sheet)) << other.lastError;
    EXPECT_EQ(other.tiles[33].type, TileType::Grass);
    EXPECT_EQ(other.tiles[33].description, "(none)");
    EXPECT_EQ(other.tiles[33].image.getPixel(1, 2), sf::Color(1, 2, 3, 40));
    EXPECT_EQ(other.atlasImage().getPixel(32 + 10, 32 + 10), tileColour(33));

    sf::Image small;
    small.create(1024, 1023);
    ASSERT_TRUE(small.saveToFile(folder.file("small.png")));
    expectRefused(tileset.importTilesheet(folder.file("small.png")), "Invalid image size, must be 1024 by 1024 pixels");
    expectRefused(tileset.importTilesheet(fileWith("not a picture")), "Unable to open " + path);
    const std::string missing = folder.file("missing.png");
    expectRefused(tileset.importTilesheet(missing), "Unable to open " + missing);
    EXPECT_FALSE(tileset.exportTilesheet(folder.file("no/dir/sheet.png")));
    EXPECT_EQ(tileset.lastError, "Unable to create " + folder.file("no/dir/sheet.png"));
}

TEST_F(TilesetTest, TilesDrawFromTheAtlasAndAnEditedTileIsDrawnAnew)
{
    loadKnown();
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 32));
    // The first as a sprite, the second as the field draws it, opaque.
    const auto drawn = [&](std::uint16_t a, std::uint16_t b) {
        target.clear(sf::Color::Black);
        target.draw(tileset.tileSprite(a));
        KVCore::setCurrentTarget(&target);
        tileset.drawTile(KVCore::CurrentTargetLayer, b, {32.f, 0.f}, 255);
        KVCore::setCurrentTarget(nullptr);
        target.display();
        return target.getTexture().copyToImage();
    };
    sf::Image image = drawn(7, 1023);
    EXPECT_EQ(image.getPixel(5, 5), tileColour(7));
    EXPECT_EQ(image.getPixel(32, 0), tileColour(1023));
    EXPECT_EQ(image.getPixel(63, 31), tileColour(1023)) << "to its last pixel";

    tileset.tiles[7].image.create(32, 32, sf::Color::Red);
    tileset.buildAtlas();
    image = drawn(7, 1023);
    EXPECT_EQ(image.getPixel(5, 5), sf::Color::Red);
    EXPECT_EQ(image.getPixel(40, 5), tileColour(1023));
}

// A disk that fills up part-way through a write: files may not grow past
// the limit while it is in place.
class DiskFullScope {
public:
    explicit DiskFullScope(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFullScope()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFullScope(const DiskFullScope&) = delete;
    DiskFullScope& operator=(const DiskFullScope&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(TilesetTest, AnExportThatRunsOutOfDiskLeavesTheOldPictureWhole)
{
    // Noise does not compress, so neither picture fits in the space left.
    sf::Image tile;
    tile.create(Tileset::tileSize, Tileset::tileSize);
    std::uint32_t seed = 1;
    for (unsigned i = 0; i < 32 * 32; ++i) {
        seed = seed * 1103515245u + 12345u;
        tile.setPixel(i % 32, i / 32, sf::Color(seed >> 24, seed >> 16, seed >> 8));
    }
    loadKnown();
    for (std::uint16_t i = 0; i < Tileset::tileCount; ++i)
        tileset.tiles[i].image = tile;
    tileset.buildAtlas();

    for (const std::string name : {"tile.png", "tile.tga", "sheet.bmp", "sheet.jpg"}) {
        const std::string target = folder.file(name);
        sf::Image old;
        old.create(4, 4, sf::Color::Green);
        ASSERT_TRUE(old.saveToFile(target));
        const std::string before = contentsOf(target);
        bool saved = true;
        {
            const DiskFullScope full(2048);
            saved = name.starts_with("tile") ? saveImageFile(tile, target) : tileset.exportTilesheet(target);
        }
        EXPECT_FALSE(saved) << name;
        EXPECT_TRUE(contentsOf(target) == before) << name << " was changed";
        for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
            EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();

        // With room on the disk the same export goes through.
        EXPECT_TRUE(name.starts_with("tile") ? saveImageFile(tile, target) : tileset.exportTilesheet(target)) << name;
        sf::Image written;
        ASSERT_TRUE(written.loadFromFile(target)) << name;
        EXPECT_EQ(written.getSize().x, name.starts_with("tile") ? 32u : 1024u) << name;
    }
}

} // namespace

namespace {

// The texture holds the atlas; the image it came from is made again, the
// same, for whoever asks after it, and after a change of tiles.
TEST_F(TilesetTest, TheAtlasTextureHoldsTheAtlasAndItsImageComesBackTheSame)
{
    loadKnown();
    const sf::Image before = tileset.atlasImage();
    const sf::Image shown = tileset.atlasTexture().copyToImage();
    ASSERT_EQ(shown.getSize(), before.getSize());
    EXPECT_EQ(shown.getPixel(7 * 32 + 3, 3), tileColour(7));
    EXPECT_EQ(std::memcmp(tileset.atlasImage().getPixelsPtr(), before.getPixelsPtr(), 1024u * 1024u * 4u), 0);

    tileset.tiles[7].image.setPixel(3, 3, sf::Color::Red);
    tileset.buildAtlas();
    EXPECT_EQ(tileset.atlasTexture().copyToImage().getPixel(7 * 32 + 3, 3), sf::Color::Red);
    EXPECT_EQ(tileset.atlasImage().getPixel(7 * 32 + 3, 3), sf::Color::Red);
}

} // namespace

namespace {

// For play the tile images go once the atlas is on the GPU; the atlas
// picture is still the same, and a load brings the images back.
TEST_F(TilesetTest, ReleasedTileImagesLeaveTheAtlasAsItWas)
{
    loadKnown();
    const sf::Image before = tileset.atlasImage();
    tileset.releaseTileImages();
    EXPECT_EQ(tileset.tiles.size(), static_cast<std::size_t>(Tileset::tileCount));
    EXPECT_EQ(tileset.tiles[7].image.getSize(), sf::Vector2u());
    EXPECT_EQ(tileset.tiles[7].type, TileType::Water);
    EXPECT_EQ(std::memcmp(tileset.atlasImage().getPixelsPtr(), before.getPixelsPtr(), 1024u * 1024u * 4u), 0);
    EXPECT_EQ(tileset.atlasTexture().copyToImage().getPixel(7 * 32 + 3, 3), tileColour(7));

    loadKnown();
    EXPECT_EQ(tileset.tiles[7].image.getSize(), sf::Vector2u(32, 32));
    tileset.tiles[7].image.setPixel(3, 3, sf::Color::Red);
    tileset.buildAtlas();
    EXPECT_EQ(tileset.atlasImage().getPixel(7 * 32 + 3, 3), sf::Color::Red) << "made from the tiles again";
}

} // namespace
