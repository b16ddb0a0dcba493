// Sprites: the "Kelvane Sprite" file byte for byte, the Talvex import, the
// packing of frames into one texture, and drawing with the animation clock.
// The packed texture is checked as an image; only drawing needs a display.

#include "world/Sprite.hpp"

#include "engine/Layers.hpp"
#include "engine/TimeSource.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>

namespace {

using test::Bytes;
using test::spriteHeader;
using test::talvexSprite;

sf::Image filled(unsigned width, unsigned height, sf::Color colour)
{
    sf::Image image;
    image.create(width, height, colour);
    return image;
}

class SpriteTest : public ::testing::Test {
protected:
    // Content that refused files must leave alone.
    SpriteTest() { sprite.addFrame(filled(6, 4, sf::Color::Blue), "keep.png", 30, true); }
    void expectContentKept()
    {
        ASSERT_EQ(sprite.frames.size(), 1u);
        EXPECT_EQ(sprite.frames[0].sourcePath, "keep.png");
        EXPECT_EQ(sprite.textureSize(), sf::Vector2u(16, 16));
    }
    std::string fileWith(const std::string& bytes) { return test::written(path, bytes); }

    test::TempFolder folder;
    std::string path = folder.file("in.spr");
    Sprite sprite;
};

TEST_F(SpriteTest, HandBuiltFileLoadsAndSavesByteForByte)
{
    // Magenta and cyan read as transparent, which is written magenta.
    const auto file = [](sf::Color key) {
        Bytes b = spriteHeader(1, "mower", 3);
        b.str("sprites\\src\\a.png").i16(20).image(2, 1, [](int x, int) { return x ? sf::Color::Magenta : sf::Color::Red; });
        b.str("").i16(-1).image(1, 1, key);  // -1 takes the frame before's 20
        return b.str("c.png").i16(0).image(3, 2, sf::Color(1, 2, 3)).data;
    };
    sprite.currentFrame = 2;
    ASSERT_TRUE(sprite.load(fileWith(file(sf::Color::Cyan)))) << sprite.lastError;
    EXPECT_EQ(sprite.description, "mower");
    ASSERT_EQ(sprite.frames.size(), 3u);
    EXPECT_EQ(sprite.frames[0].sourcePath, "sprites\\src\\a.png");
    EXPECT_EQ(std::tie(sprite.frames[1].displayTime, sprite.frames[2].displayTime, sprite.currentFrame),
              std::make_tuple(20, 0, 0));
    EXPECT_EQ(sprite.frames[0].image.getPixel(0, 0), sf::Color::Red);
    EXPECT_EQ(sprite.frames[0].image.getPixel(1, 0), sf::Color::Transparent);
    EXPECT_EQ(sprite.frames[1].image.getPixel(0, 0), sf::Color::Transparent);
    EXPECT_EQ(sprite.textureSize(), sf::Vector2u(32, 16));
    EXPECT_EQ(sprite.packedImage().getPixel(19, 0), sf::Color(1, 2, 3));

    // Partly transparent pixels go out opaque; -1 stays -1.
    sprite.frames[1].displayTime = -1;
    sprite.frames[2].image.setPixel(0, 0, sf::Color(1, 2, 3, 128));
    ASSERT_TRUE(sprite.save(path)) << sprite.lastError;
    EXPECT_EQ(test::readFile(path), file(sf::Color::Magenta));

    Sprite empty;
    EXPECT_FALSE(empty.save(path));
    EXPECT_EQ(empty.lastError, "Cannot save sprite because no frames exist");
    empty.addFrame(filled(1, 1, sf::Color::Red), "", -1, false);
    empty.addFrame(filled(1, 1, sf::Color::Red), "", 40000, true);
    EXPECT_EQ(std::tie(empty.frames[0].displayTime, empty.frames[1].displayTime), std::make_tuple(50, 32767));

    // The frame count is stored in 16 bits: one frame more than fits is
    // refused, and the file already there is left as it was.
    const std::string before = test::readFile(path);
    empty.frames.resize(32768, empty.frames[0]);
    EXPECT_FALSE(empty.save(path));
    EXPECT_EQ(empty.lastError, "Unable to write to " + path);
    EXPECT_EQ(test::readFile(path), before);
    empty.frames.pop_back();
    ASSERT_TRUE(empty.save(path)) << empty.lastError;
    ASSERT_TRUE(sprite.load(path)) << sprite.lastError;
    EXPECT_EQ(sprite.frames.size(), 32767u);

    // A file of no frames, which only a hand can make, loads as no frames.
    ASSERT_TRUE(sprite.load(fileWith(spriteHeader(1, "bare", 0).data))) << sprite.lastError;
    EXPECT_TRUE(sprite.frames.empty());
    EXPECT_EQ(sprite.description, "bare");
}

TEST_F(SpriteTest, DrawnCentredOnItsPlaceAndAnimatedByItsFrameTimes)
{
    test::FakeWindowScope fake;
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    KVCore::setCurrentTarget(&target);
    KVCore::setDirectDraw(true);
    Sprite two;
    two.addFrame(filled(4, 4, sf::Color::Red), "", 10, false);  // a tenth of a second
    two.addFrame(filled(4, 4, sf::Color::Green), "", 10, true);
    const auto drawn = [&](std::uint8_t alpha, bool freeze) {
        target.clear(sf::Color::Black);
        two.draw(0, 20.f, 20.f, 0.f, 1.f, 1.f, alpha, freeze, 0.f);
        target.display();
        return target.getTexture().copyToImage();
    };
    sf::Image image = drawn(255, false);
    EXPECT_EQ(image.getPixel(18, 18), sf::Color::Red);
    EXPECT_EQ(image.getPixel(21, 21), sf::Color::Red);
    EXPECT_EQ(image.getPixel(17, 17), sf::Color::Black);
    EXPECT_EQ(image.getPixel(22, 22), sf::Color::Black);

    fake.time.advance(0.1);
    EXPECT_EQ(drawn(255, true).getPixel(20, 20), sf::Color::Red) << "a frozen sprite keeps its frame";
    EXPECT_EQ(drawn(255, false).getPixel(20, 20), sf::Color::Green);
    EXPECT_NEAR(drawn(128, false).getPixel(20, 20).g, 128, 1) << "half transparent over black";

    // The debug menu's bounds: the sprite's box in green, its picture's extent in yellow.
    showObjectsBounds = true;
    image = drawn(255, true);
    showObjectsBounds = false;
    std::map<std::uint32_t, int> colours;
    int outlinesAway = 0;
    for (unsigned y = 0; y < 64; ++y)
        for (unsigned x = 0; x < 64; ++x) {
            const sf::Color c = image.getPixel(x, y);
            ++colours[c.toInteger()];
            const bool near = x >= 14 && x <= 26 && y >= 14 && y <= 26;
            outlinesAway += (c == sf::Color::Yellow || c == sf::Color::Green) && !near;
        }
    EXPECT_GT(colours[sf::Color::Green.toInteger()], 8);
    EXPECT_GT(colours[sf::Color::Yellow.toInteger()], 0);
    EXPECT_EQ(outlinesAway, 0) << "both outlines are drawn around the sprite";
    KVCore::setCurrentTarget(nullptr);
}

TEST_F(SpriteTest, RefusedFilesLeaveTheSpriteAlone)
{
    EXPECT_FALSE(sprite.load(folder.file("missing.spr")));
    EXPECT_EQ(sprite.lastError, "Unable to open " + folder.file("missing.spr"));
    EXPECT_FALSE(sprite.load(fileWith(spriteHeader(2, "new", 0).data)));
    EXPECT_EQ(sprite.lastError, "File format too advanced");

    const auto refused = [&](const std::string& bytes) {
        sprite.lastError.clear();
        return !sprite.load(fileWith(bytes)) && sprite.lastError == "Not a valid sprite file";
    };
    EXPECT_TRUE(refused(Bytes().str("kelvane sprite").i16(1).str("").i16(0).data));
    EXPECT_TRUE(refused(spriteHeader(1, "", -1).data));
    EXPECT_TRUE(refused(Bytes().str("Kelvane Sprite").i16(1).i16(500).raw("abc").data));
    for (const auto& [width, height] : {std::pair{4097, 1}, {1, 4097}, {-1, 1}})
        EXPECT_TRUE(refused(spriteHeader(1, "", 1).str("").i16(10).image(width, height, sf::Color::Red).data));
    Bytes wide = spriteHeader(1, "", 3);  // a row no texture can hold
    for (int i = 0; i < 3; ++i)
        wide.str("").i16(10).image(4096, 1, sf::Color::Red);
    EXPECT_TRUE(refused(wide.data));

    // A good file (version 0 is read too) cut anywhere is refused.
    Bytes good = spriteHeader(0, "fine", 2);
    good.str("a.png").i16(10).image(2, 2, sf::Color::Red).str("b.png").i16(10).image(4096, 1, sf::Color::Green);
    ASSERT_TRUE(Sprite().load(fileWith(good.data)));
    for (std::size_t length = 0; length < good.data.size(); length += (length < 64 ? 1 : 997))
        EXPECT_TRUE(refused(good.data.substr(0, length))) << "length " << length;
    expectContentKept();
}

TEST(SpritePacking, RowsGapsPowerOfTwoSizesAndTheBox)
{
    struct Case {
        unsigned frames, side;
        sf::Vector2u texture;
        unsigned perRow;
    };
    for (const Case& c : {Case{4, 32, {128, 128}, 3}, Case{1, 32, {64, 64}, 1}, Case{2, 24, {64, 32}, 2},
                          Case{5, 8, {64, 32}, 4}, Case{20, 16, {256, 128}, 6}}) {
        Sprite s;
        for (unsigned i = 0; i < c.frames; ++i)
            s.addFrame(filled(c.side, c.side, sf::Color(static_cast<sf::Uint8>(i), 0, 0)), "", 10, false);
        ASSERT_TRUE(s.buildTexture());
        EXPECT_EQ(s.textureSize(), c.texture) << c.frames << " frames";
        const int step = static_cast<int>(c.side) + 8;
        for (unsigned i = 0; i < c.frames; ++i) {
            const sf::IntRect rect((i % c.perRow) * step, (i / c.perRow) * step, c.side, c.side);
            EXPECT_EQ(s.frames[i].textureRect, rect) << "frame " << i << " of " << c.frames;
            EXPECT_EQ(s.packedImage().getPixel(rect.left, rect.top), sf::Color(static_cast<sf::Uint8>(i), 0, 0));
        }
    }
    // A row is as high as its tallest frame; gaps stay transparent.  The box
    // comes from frame 0.
    Sprite s;
    s.addFrame(filled(40, 20, sf::Color::Red), "", 10, false);
    s.addFrame(filled(50, 30, sf::Color::Green), "", 10, true);
    EXPECT_EQ(s.frames[1].textureRect, sf::IntRect(48, 0, 50, 30));
    EXPECT_EQ(s.textureSize(), sf::Vector2u(128, 64));
    EXPECT_EQ(s.packedImage().getPixel(20, 25), sf::Color::Transparent);
    EXPECT_EQ(std::tie(s.boxLeft, s.boxTop, s.boxRight, s.boxBottom), std::make_tuple(-10.f, -10.f, 10.f, 10.f));
    EXPECT_EQ(s.frames[0].sprite.getOrigin(), sf::Vector2f(20.f, 10.f));
}

TEST(SpriteAnimation, AdvancesOneFrameAfterItsTimeWrapsAndStays)
{
    auto fake = std::make_unique<test::FakeTime>();
    test::FakeTime& time = *fake;
    KVCore::setTimeSource(std::move(fake));
    Sprite s;
    for (int i = 0; i < 3; ++i)
        s.addFrame(filled(4, 4, sf::Color::Red), "", 10, true);
    const auto drawAfter = [&](double ms, bool frozen = false) {
        time.advance(ms / 1000.0);
        s.draw(0, 0.f, 0.f, 0.f, 1.f, 1.f, 255, frozen, 0.f);  // no render target: only the clock moves
        return s.currentFrame;
    };
    // {ms, frozen, frame after}: one frame per draw, however late.
    for (const auto& [ms, frozen, frame] : {std::tuple{99, false, 0}, {1, false, 1}, {100, false, 2}, {500, false, 0},
                                            {0, false, 0}, {150, false, 1}, {1000, true, 1}})
        EXPECT_EQ(drawAfter(ms, frozen), frame) << ms;
    s.frames[1].displayTime = 0;  // a frame without time stays
    EXPECT_EQ(drawAfter(10000), 1);
    KVCore::setTimeSource(nullptr);
}

TEST_F(SpriteTest, TalvexSpritesOfEveryVersionImport)
{
    for (int version : {1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE("version " + std::to_string(version));
        ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", version)))) << sprite.lastError;
        EXPECT_EQ(sprite.description, "talvex mower");
        ASSERT_EQ(sprite.frames.size(), 2u);
        EXPECT_EQ(sprite.frames[1].displayTime, 30);
        const sf::Image& image = sprite.frames[0].image;
        EXPECT_EQ(image.getSize(), sf::Vector2u(2, 1));
        // 16-bit red and green, or palette entry 1 and the transparent 0.
        EXPECT_EQ(image.getPixel(0, 0), version >= 4 ? sf::Color::Red : sf::Color(0, 0, 0xF0));
        EXPECT_EQ(image.getPixel(1, 0), version >= 4 ? sf::Color::Green : sf::Color::Transparent);
    }
    EXPECT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("zOL sPRITE fILE", 6))));
    ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 6, 1, -1))));
    EXPECT_EQ(sprite.frames.at(0).displayTime, 50);
    // A sprite of no frames imports as one.
    ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 6, 0)))) << sprite.lastError;
    EXPECT_TRUE(sprite.frames.empty());
}

TEST_F(SpriteTest, RefusedTalvexSpritesLeaveTheSpriteAlone)
{
    EXPECT_FALSE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 7))));
    EXPECT_EQ(sprite.lastError, "Sprite file format too advanced");
    const auto refused = [&](const std::string& bytes) {
        sprite.lastError.clear();
        return !sprite.importTalvexSprite(fileWith(bytes)) && sprite.lastError == "Not a valid Talvex sprite file.";
    };
    EXPECT_TRUE(refused(talvexSprite("Zol Sprite Files", 6)));
    EXPECT_TRUE(refused(talvexSprite("Zol Sprite File", 6, -1)));
    for (int version : {1, 2, 3, 4, 5, 6}) {
        const std::string whole = talvexSprite("Zol Sprite File", version);
        for (std::size_t length = 0; length < whole.size(); length += (length < 120 || length + 16 > whole.size()) ? 1 : 7)
            EXPECT_TRUE(refused(whole.substr(0, length))) << "version " << version << " length " << length;
    }
    expectContentKept();
}

} // namespace
