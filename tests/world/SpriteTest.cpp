// Sprites: the "Kelvane Sprite" file byte for byte, the Talvex import, the
// packing of frames into one texture, the box and the animation clock.  No
// display is needed: the packed texture is checked as an image.

#include "world/Sprite.hpp"

#include "engine/TimeSource.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// Little-endian file content built field by field.
struct Bytes {
    std::string data;
    Bytes& u8(int v)
    {
        data += static_cast<char>(v & 0xFF);
        return *this;
    }
    Bytes& i16(int v) { return u8(v).u8(v >> 8); }
    Bytes& i32(int v) { return i16(v).i16(v >> 16); }
    Bytes& str(const std::string& text)
    {
        i16(static_cast<int>(text.size()));
        data += text;
        return *this;
    }
    // A zero-padded field.
    Bytes& fixed(std::string text, std::size_t size)
    {
        text.resize(size, '\0');
        data += text;
        return *this;
    }
    // Current image encoding, every pixel the same colour.
    Bytes& image(int width, int height, sf::Color c)
    {
        i16(width).i16(height);
        for (int i = 0; i < width * height; ++i)
            u8(c.r).u8(c.g).u8(c.b);
        return *this;
    }
};

Bytes spriteHeader(int version, const std::string& description, int frameCount)
{
    return Bytes().str("Kelvane Sprite").i16(version).str(description).i16(frameCount);
}

sf::Image filled(unsigned width, unsigned height, sf::Color colour)
{
    sf::Image image;
    image.create(width, height, colour);
    return image;
}

class SpriteTest : public ::testing::Test {
protected:
    std::string fileWith(const std::string& bytes)
    {
        test::writeFile(path, bytes);
        return path;
    }
    // Content that a refused file must leave alone.
    void giveSpriteContent()
    {
        sprite.description = "keep me";
        sprite.addFrame(filled(6, 4, sf::Color::Blue), "keep.png", 30, true);
    }
    void expectContentKept()
    {
        EXPECT_EQ(sprite.description, "keep me");
        ASSERT_EQ(sprite.frames.size(), 1u);
        EXPECT_EQ(sprite.frames[0].sourcePath, "keep.png");
        EXPECT_EQ(sprite.textureSize(), sf::Vector2u(16, 16));
    }

    test::TempFolder folder;
    std::string path = folder.file("in.spr");
    Sprite sprite;
};

TEST_F(SpriteTest, HandBuiltFileLoadsWithKeyedPixelsAndInheritedTimes)
{
    Bytes b = spriteHeader(1, "mower", 3);
    b.str("sprites\\src\\a.png").i16(20).i16(2).i16(1).u8(255).u8(0).u8(0).u8(255).u8(0).u8(255);  // red, magenta
    b.str("").i16(-1).image(1, 1, sf::Color::Cyan);   // -1 takes 20
    b.str("c.png").i16(0).image(3, 2, sf::Color(1, 2, 3));
    sprite.currentFrame = 2;
    ASSERT_TRUE(sprite.load(fileWith(b.data))) << sprite.lastError;

    EXPECT_EQ(sprite.description, "mower");
    ASSERT_EQ(sprite.frames.size(), 3u);
    EXPECT_EQ(sprite.frames[0].sourcePath, "sprites\\src\\a.png");
    EXPECT_EQ(sprite.frames[1].displayTime, 20);
    EXPECT_EQ(sprite.frames[2].displayTime, 0);
    EXPECT_EQ(sprite.frames[0].image.getPixel(0, 0), sf::Color::Red);
    EXPECT_EQ(sprite.frames[0].image.getPixel(1, 0), sf::Color(0, 0, 0, 0));
    EXPECT_EQ(sprite.frames[1].image.getPixel(0, 0), sf::Color(0, 0, 0, 0));
    EXPECT_EQ(sprite.currentFrame, 0);
    // One row of 10 + 9 + 11 pixels, 10 high.
    EXPECT_EQ(sprite.textureSize(), sf::Vector2u(32, 16));
    EXPECT_EQ(sprite.frames[2].textureRect, sf::IntRect(19, 0, 3, 2));
    EXPECT_EQ(sprite.packedImage().getPixel(19, 0), sf::Color(1, 2, 3));
}

TEST_F(SpriteTest, SaveWritesTheFormatAndNegativeTimesComeBackInherited)
{
    EXPECT_FALSE(sprite.save(path));
    EXPECT_EQ(sprite.lastError, "Cannot save sprite because no frames exist");
    EXPECT_FALSE(std::filesystem::exists(path));

    sprite.description = "cloud";
    sf::Image first = filled(2, 1, sf::Color(10, 20, 30));
    first.setPixel(1, 0, sf::Color(0, 0, 0, 0));  // written as magenta
    sprite.addFrame(first, "art\\cloud.png", -1, false);
    EXPECT_EQ(sprite.frames[0].displayTime, 50);
    sprite.addFrame(filled(1, 2, sf::Color(200, 100, 50, 128)), "", 40000, true);
    EXPECT_EQ(sprite.frames[1].displayTime, 32767);  // clamped to 16 bits
    sprite.frames[0].displayTime = 25;
    sprite.frames[1].displayTime = -1;
    ASSERT_TRUE(sprite.save(path)) << sprite.lastError;

    Bytes expected = spriteHeader(1, "cloud", 2);
    expected.str("art\\cloud.png").i16(25).i16(2).i16(1).u8(10).u8(20).u8(30).u8(255).u8(0).u8(255);
    expected.str("").i16(-1).image(1, 2, sf::Color(200, 100, 50));
    EXPECT_EQ(test::readFile(path), expected.data);

    Sprite again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.frames[1].displayTime, 25);
    EXPECT_EQ(again.frames[0].image.getPixel(1, 0), sf::Color(0, 0, 0, 0));
    again.frames.pop_back();
    again.frames[0].displayTime = -1;
    ASSERT_TRUE(again.save(path));
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.frames[0].displayTime, 50);
}

TEST_F(SpriteTest, RefusedFilesLeaveTheSpriteAlone)
{
    giveSpriteContent();
    EXPECT_FALSE(sprite.load(folder.file("missing.spr")));
    EXPECT_EQ(sprite.lastError, "Unable to open " + folder.file("missing.spr"));
    EXPECT_FALSE(sprite.load(fileWith(spriteHeader(2, "new", 0).data)));
    EXPECT_EQ(sprite.lastError, "File format too advanced");

    const auto refused = [&](const Bytes& b) {
        sprite.lastError.clear();
        return !sprite.load(fileWith(b.data)) && sprite.lastError == "Not a valid sprite file";
    };
    EXPECT_TRUE(refused(Bytes().str("kelvane sprite").i16(1).str("").i16(0)));
    EXPECT_TRUE(refused(spriteHeader(1, "", -1)));
    EXPECT_TRUE(refused(Bytes().str("Kelvane Sprite").i16(1).i16(500).fixed("abc", 3)));  // string past the end
    for (const auto& [width, height] : std::vector<std::pair<int, int>>{{4097, 1}, {1, 4097}, {-1, 1}})
        EXPECT_TRUE(refused(spriteHeader(1, "", 1).str("").i16(10).image(width, height, sf::Color::Red)));
    // Three 4096-wide frames share a row that no texture can hold.
    Bytes wide = spriteHeader(1, "", 3);
    for (int i = 0; i < 3; ++i)
        wide.str("").i16(10).image(4096, 1, sf::Color::Red);
    EXPECT_TRUE(refused(wide));

    // A good file (version 0 is read too) cut anywhere is refused.
    Bytes good = spriteHeader(0, "fine", 2);
    good.str("a.png").i16(10).image(2, 2, sf::Color::Red).str("b.png").i16(10).image(4096, 1, sf::Color::Green);
    Sprite whole;
    ASSERT_TRUE(whole.load(fileWith(good.data)));
    for (std::size_t length = 0; length < good.data.size(); length += (length < 64 ? 1 : 997))
        EXPECT_TRUE(refused(Bytes{good.data.substr(0, length)})) << "length " << length;
    expectContentKept();
}

TEST(SpritePacking, RowsGapsAndPowerOfTwoSizes)
{
    struct Case {
        unsigned frames, side;
        sf::Vector2u texture;
        unsigned perRow;
    };
    // 4 frames: R = 2, rows of three, 120 by 80.  One frame: 40 by 40.  Two:
    // R = 1, one row.  Five (odd): R = 3, rows of four.  Twenty (even, not
    // below 20): R = 5, rows of six, 144 by 96.
    for (const Case& c : {Case{4, 32, {128, 128}, 3}, Case{1, 32, {64, 64}, 1}, Case{2, 24, {64, 32}, 2},
                          Case{5, 8, {64, 32}, 4}, Case{20, 16, {256, 128}, 6}}) {
        Sprite s;
        for (unsigned i = 0; i < c.frames; ++i)
            s.addFrame(filled(c.side, c.side, sf::Color(static_cast<sf::Uint8>(i), 0, 0)), "", 10, false);
        ASSERT_TRUE(s.buildTexture());
        EXPECT_EQ(s.textureSize(), c.texture) << c.frames << " frames";
        for (unsigned i = 0; i < c.frames; ++i) {
            const int step = static_cast<int>(c.side) + 8;
            const sf::IntRect rect((i % c.perRow) * step, (i / c.perRow) * step, c.side, c.side);
            EXPECT_EQ(s.frames[i].textureRect, rect) << "frame " << i << " of " << c.frames;
            EXPECT_EQ(s.packedImage().getPixel(rect.left, rect.top), sf::Color(static_cast<sf::Uint8>(i), 0, 0));
        }
    }

    Sprite s;
    s.buildTexture();
    EXPECT_EQ(s.textureSize(), sf::Vector2u(128, 128));
    EXPECT_EQ(s.packedImage().getPixel(127, 127), sf::Color::White);
    // A row is as high as its tallest frame; gaps stay transparent.
    s.addFrame(filled(10, 30, sf::Color::Red), "", 10, false);
    s.addFrame(filled(50, 4, sf::Color::Green), "", 10, true);
    EXPECT_EQ(s.frames[1].textureRect, sf::IntRect(18, 0, 50, 4));
    EXPECT_EQ(s.textureSize(), sf::Vector2u(128, 64));
    EXPECT_EQ(s.packedImage().getPixel(10, 0), sf::Color::Transparent);
    EXPECT_EQ(s.packedImage().getPixel(20, 10), sf::Color::Transparent);
    EXPECT_EQ(layoutSpriteFrames({{4096, 4096}}).textureWidth, 8192u);
}

TEST(SpriteBox, ComesFromFrameZero)
{
    Sprite s;
    s.addFrame(filled(40, 20, sf::Color::Red), "", 10, false);
    s.addFrame(filled(100, 100, sf::Color::Red), "", 10, true);
    EXPECT_EQ(std::vector<float>({s.boxLeft, s.boxTop, s.boxRight, s.boxBottom}),
              std::vector<float>({-10.f, -10.f, 10.f, 10.f}));
    EXPECT_EQ(s.halfWidth, 20.f);
    EXPECT_EQ(s.halfHeight, 10.f);
    EXPECT_EQ(s.frames[0].sprite.getOrigin(), sf::Vector2f(20.f, 10.f));
    EXPECT_EQ(s.frames[1].sprite.getOrigin(), sf::Vector2f(50.f, 50.f));
}

TEST(SpriteAnimation, AdvancesOneFrameAfterItsTimeWrapsAndStays)
{
    auto fake = std::make_unique<test::FakeTime>();
    test::FakeTime& time = *fake;
    KVCore::setTimeSource(std::move(fake));
    Sprite s;
    for (int i = 0; i < 3; ++i)
        s.addFrame(filled(4, 4, sf::Color::Red), "", 10, true);
    // No render target: only the animation moves.
    const auto drawAfter = [&](double ms, bool freeze = false) {
        time.advance(ms / 1000.0);
        s.draw(0, 0.f, 0.f, 0.f, 1.f, 1.f, 255, freeze, 0.f);
        return s.currentFrame;
    };
    EXPECT_EQ(drawAfter(99), 0);
    EXPECT_EQ(drawAfter(1), 1);
    EXPECT_EQ(drawAfter(99), 1);
    EXPECT_EQ(drawAfter(1), 2);
    EXPECT_EQ(drawAfter(500), 0);  // wraps, one frame per draw
    EXPECT_EQ(drawAfter(0), 0);
    EXPECT_EQ(drawAfter(150), 1);
    EXPECT_EQ(drawAfter(1000, true), 1);  // frozen: the state is left alone
    s.frames[1].displayTime = 0;
    EXPECT_EQ(drawAfter(10000), 1);
    s.frames[1].displayTime = -1;
    EXPECT_EQ(drawAfter(10000), 1);
    KVCore::setTimeSource(nullptr);
}

// A Talvex sprite in the layout of its version: one extra image, then frames
// of 2 by 1 (red and green, or palette entries 1 and 0) whose display times
// alternate between firstTime and -1.
std::string talvexSprite(const std::string& tag, int version, int frameCount = 2, int firstTime = 30)
{
    const bool sixteenBit = version >= 4;
    Bytes b;
    b.fixed(tag, 32).i32(version).fixed("talvex mower", 32).u8(frameCount).u8(1).i32(0);
    if (version > 5)
        b.fixed("unused", 256);
    b.fixed("extra", 32).i32(1).i32(2).i32(3);
    if (sixteenBit)
        b.fixed("extra.bmp", 256).i32(1).i32(1).i16(0xFFFF);
    else
        b.i32(1).i32(1).u8(5);
    for (int i = 0; i < frameCount; ++i) {
        b.i32(i % 2 ? -1 : firstTime);
        if (sixteenBit)
            b.fixed("frame.bmp", 256).i32(2).i32(1).i16(0xF800).i16(0x07E0);
        else
            b.i32(2).i32(1).u8(1).u8(0);
        if (version > 5)
            b.fixed("unused", 256);
    }
    b.u8(0);
    if (version >= 2)
        b.u8(0);
    if (version == 3)
        b.i32(0);
    if (version >= 5)
        b.i32(0).fixed("abc", 3);
    return b.data;
}

TEST_F(SpriteTest, TalvexSpritesOfEveryVersionImport)
{
    for (int version : {1, 2, 3, 4, 5, 6}) {
        SCOPED_TRACE("version " + std::to_string(version));
        ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", version)))) << sprite.lastError;
        EXPECT_EQ(sprite.description, "talvex mower");
        ASSERT_EQ(sprite.frames.size(), 2u);
        EXPECT_EQ(sprite.frames[1].displayTime, 30);
        EXPECT_EQ(sprite.frames[1].image.getSize(), sf::Vector2u(2, 1));
        const sf::Image& image = sprite.frames[0].image;
        if (version >= 4) {
            EXPECT_EQ(image.getPixel(0, 0), sf::Color::Red);
            EXPECT_EQ(image.getPixel(1, 0), sf::Color::Green);
        } else {
            EXPECT_EQ(image.getPixel(0, 0), sf::Color(0x00, 0x00, 0xF0));  // palette entry 1
            EXPECT_EQ(image.getPixel(1, 0).a, 0);                          // index 0
        }
        EXPECT_EQ(sprite.textureSize(), sf::Vector2u(32, 16));
    }
    EXPECT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("zOL sPRITE fILE", 6))));
    ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 6, 1, -1))));
    EXPECT_EQ(sprite.frames.at(0).displayTime, 50);
    ASSERT_TRUE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 2, 0))));
    EXPECT_TRUE(sprite.frames.empty());
}

TEST_F(SpriteTest, RefusedTalvexSpritesLeaveTheSpriteAlone)
{
    giveSpriteContent();
    EXPECT_FALSE(sprite.importTalvexSprite(fileWith(talvexSprite("Zol Sprite File", 7))));
    EXPECT_EQ(sprite.lastError, "Sprite file format too advanced");

    const auto refused = [&](const std::string& bytes) {
        sprite.lastError.clear();
        return !sprite.importTalvexSprite(fileWith(bytes)) && sprite.lastError == "Not a valid Talvex sprite file.";
    };
    EXPECT_TRUE(refused(talvexSprite("Zol Sprite Files", 6)));
    EXPECT_TRUE(refused(talvexSprite("Zol Sprite File", 6, -1)));
    Bytes big;  // an image side above 4096
    big.fixed("Zol Sprite File", 32).i32(1).fixed("", 32).u8(1).u8(0).i32(0).i32(10).i32(4097).i32(1);
    EXPECT_TRUE(refused(big.fixed("", 4097).u8(0).data));
    for (int version : {1, 3, 6}) {
        const std::string whole = talvexSprite("Zol Sprite File", version);
        // Every cut among the leading fields and the trailer; steps through
        // the long unused fields.
        for (std::size_t length = 0; length < whole.size(); length += (length < 120 || length + 16 > whole.size()) ? 1 : 7)
            EXPECT_TRUE(refused(whole.substr(0, length))) << "version " << version << " length " << length;
    }
    expectContentKept();
}

} // namespace
