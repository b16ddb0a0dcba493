#include "storage/BinaryFile.hpp"

#include "engine/Log.hpp"
#include "storage/TalvexPalette.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <initializer_list>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Pixels = std::vector<std::uint32_t>;  // 0xRRGGBBAA, row by row

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes le32(std::initializer_list<std::uint32_t> numbers)
{
    Bytes bytes;
    for (std::uint32_t number : numbers)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(number >> (8 * i)));
    return bytes;
}

// A 32-byte tag field (the tag padded with `pad`), then the version.
Bytes headerBytes(std::string tag, std::int32_t version, char pad = '\0')
{
    tag.resize(32, pad);
    return Bytes(tag.begin(), tag.end()) + le32({static_cast<std::uint32_t>(version)});
}

Pixels pixelsOf(const sf::Image& image)
{
    Pixels pixels;
    for (unsigned y = 0; y < image.getSize().y; ++y)
        for (unsigned x = 0; x < image.getSize().x; ++x)
            pixels.push_back(image.getPixel(x, y).toInteger());
    return pixels;
}

class BinaryFileTest : public ::testing::Test {
protected:
    // Writes the bytes to input.bin and opens it for reading.
    void openBytes(const Bytes& bytes)
    {
        test::writeFile(path, std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(file.open(path));
    }
    // The last read was refused as invalid and left the position here.
    void expectRefused(std::uint64_t position)
    {
        EXPECT_TRUE(file.overrun());
        EXPECT_EQ(file.lastError, path + " is an invalid file");
        EXPECT_EQ(file.tell(), position);
    }
    // What the writer leaves in a new file.
    template <typename Writer>
    Bytes written(Writer writer)
    {
        BinaryFile out;
        EXPECT_TRUE(out.create(target));
        writer(out);
        EXPECT_TRUE(out.close());
        const std::string text = test::readFile(target);
        return Bytes(text.begin(), text.end());
    }

    test::TempFolder folder;
    std::string path = folder.file("input.bin");
    std::string target = folder.file("out.bin");
    BinaryFile file;
};

TEST_F(BinaryFileTest, OpenAndCreateFailuresNameThePath)
{
    for (const std::string& name : {folder.file("missing.bin"), folder.root().string()}) {
        EXPECT_FALSE(file.open(name));
        EXPECT_EQ(file.lastError, "Unable to open " + name);
    }
    const std::string nowhere = folder.file("nowhere/x.bin");
    EXPECT_FALSE(file.create(nowhere));
    EXPECT_EQ(file.lastError, "Unable to create " + nowhere);
}

TEST_F(BinaryFileTest, SafeSaving)
{
    test::writeFile(target, "old");
    ASSERT_TRUE(file.create(target));
    file.writeValue<std::uint16_t>(0x0102);
    EXPECT_EQ(test::readFile(target), "old");  // replaced only on close
    ASSERT_TRUE(file.close());
    EXPECT_EQ(test::readFile(target), "\x02\x01");

    ASSERT_TRUE(file.create(target));
    file.writeStdString("new");
    file.discard();
    EXPECT_EQ(test::readFile(target), "\x02\x01");

    ASSERT_TRUE(file.create(target));
    EXPECT_TRUE(file.writeStdString("fine"));
    EXPECT_FALSE(file.writeStdString(std::string(32768, 'x')));  // too long for the encoding
    EXPECT_FALSE(file.writeStdString("more"));
    EXPECT_TRUE(file.writeFailed());
    EXPECT_FALSE(file.close());
    EXPECT_EQ(file.lastError, "Unable to write to " + target);
    EXPECT_EQ(test::readFile(target), "\x02\x01");
    EXPECT_FALSE(std::filesystem::exists(SafeFile::tempPathFor(target)));

    const std::string blocked = folder.file("blocked");  // a folder the rename cannot replace
    test::writeFile(blocked + "/inside", "x");
    ASSERT_TRUE(file.create(blocked));
    EXPECT_FALSE(file.close());
    EXPECT_EQ(file.lastError, "Unable to write to " + blocked);

    {
        BinaryFile out;
        ASSERT_TRUE(out.create(target));
        out.writeValue<std::uint8_t>(7);
    }  // the destructor commits
    EXPECT_EQ(test::readFile(target), "\x07");
}

TEST_F(BinaryFileTest, NumbersAndTruncation)
{
    const Bytes bytes = written([](BinaryFile& out) {
        out.writeValue<std::int8_t>(-2);
        out.writeValue<std::int16_t>(-2);
        out.writeValue<std::uint32_t>(0x12345678u);
        out.writeValue<float>(1.0f);
        out.writeValue<std::int64_t>(0x0102030405060708LL);
        out.writeValue<double>(2.0);
    });
    EXPECT_EQ(bytes, (Bytes{0xFE, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3F,
                            8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0x00, 0x40}));
    openBytes(bytes);
    EXPECT_EQ(file.readValue<std::int8_t>(), -2);
    EXPECT_EQ(file.readValue<std::int16_t>(), -2);
    EXPECT_EQ(file.readValue<std::uint32_t>(), 0x12345678u);
    EXPECT_EQ(file.readValue<float>(), 1.0f);
    EXPECT_EQ(file.readValue<std::int64_t>(), 0x0102030405060708LL);
    EXPECT_EQ(file.readValue<double>(), 2.0);
    EXPECT_TRUE(file.good());

    openBytes(Bytes{1, 2, 3});
    std::uint8_t buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(file.read(buffer, 4));
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{1, 2, 3, 0}));  // the missing byte is zeroed
    expectRefused(3);
    file.close();
    EXPECT_TRUE(file.overrun());  // sticky, even past close
    ASSERT_TRUE(file.open(path));
    EXPECT_TRUE(file.good());
    EXPECT_EQ(file.readValue<std::uint16_t>(), 0x0201);
    EXPECT_EQ(file.readValue<std::int32_t>(), 0);  // cut off by the end of the file
    EXPECT_TRUE(file.overrun());
}

TEST_F(BinaryFileTest, Header)
{
    const std::string tag = "ZAVI3 Script Console History";
    EXPECT_EQ(written([&](BinaryFile& out) { EXPECT_TRUE(out.writeHeader(tag)); }), headerBytes(tag, 1));

    Bytes truncated = headerBytes(tag, 1);
    truncated.resize(34);
    const std::string invalid = " is an invalid file", obsolete = " is an obselete file version";
    const std::pair<Bytes, std::string> cases[] = {
        {headerBytes(tag, 1), ""},
        {headerBytes("zavi3 script console history", 1), invalid},
        {headerBytes("ZAVI3 Script", 1), invalid},
        {headerBytes(tag, 1, '!'), invalid},  // no terminator within the field
        {truncated, invalid},
        {headerBytes(tag, 0), obsolete},
        {headerBytes(tag, -3), obsolete},
        {headerBytes(tag, 2), " is an advanced file version (expected 1 got 2)"},
    };
    for (const auto& [bytes, error] : cases) {
        openBytes(bytes);
        EXPECT_EQ(file.readHeader(tag), error.empty()) << error;
        EXPECT_EQ(file.lastError, error.empty() ? "" : path + error);
        EXPECT_EQ(file.version, error.empty() ? 1 : 0);
        file.version = 0;
        file.lastError.clear();
    }
}

TEST_F(BinaryFileTest, Strings)
{
    const std::string longest(32767, 'q');
    const Bytes bytes = written([&](BinaryFile& out) {
        for (const std::string& text : {std::string(), std::string("hello"), longest})
            EXPECT_TRUE(out.writeStdString(text));
    });
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 9), (Bytes{0, 0, 5, 0, 'h', 'e', 'l', 'l', 'o'}));
    EXPECT_EQ(bytes.size(), 9u + 2 + 32767);
    openBytes(bytes);
    for (const std::string& text : {std::string(), std::string("hello"), longest})
        EXPECT_EQ(file.readStdString(), text);

    openBytes(Bytes{0, 0, 5, 0, 'a', 'b', 0, 'c', 'd', 1, 0, 'z'});
    EXPECT_EQ(file.readStdString(), "");
    EXPECT_EQ(file.readStdString(), "ab");  // ends at an embedded zero
    EXPECT_EQ(file.readStdString(), "z");
    EXPECT_TRUE(file.good());

    // Negative (with data enough for it read unsigned), longer than the file,
    // cut by its end: only the length is read.
    for (const Bytes& bytes : {Bytes{0x00, 0x80} + Bytes(32768, 'a'), Bytes{0x00, 0x70, 'a', 'b', 'c'}, Bytes{4, 0, 'a'}}) {
        openBytes(bytes);
        EXPECT_EQ(file.readStdString(), "");
        expectRefused(2);
    }

    openBytes(Bytes{'a', 'b', 'c', 'd', 'x', 'y', 0, 'z', 'q', 'r'});
    EXPECT_EQ(file.readFixedString(4), "abc");  // the last byte is forced to zero
    EXPECT_EQ(file.readFixedString(5), "xy");
    EXPECT_EQ(file.readFixedString(0), "");
    EXPECT_EQ(file.readFixedString(1024), "");  // nothing read
    EXPECT_EQ(file.readFixedString(1), "");
    EXPECT_TRUE(file.good());
    EXPECT_EQ(file.readFixedString(2), "");
    expectRefused(10);
    openBytes(Bytes(1023, 'a'));
    EXPECT_EQ(file.readFixedString(1023), std::string(1022, 'a'));
}

TEST_F(BinaryFileTest, OldStrings)
{
    test::FakeWindowScope window;  // lets reported errors reach the console
    openBytes(le32({0, 3}) + Bytes{'a', 0, 'b'});
    EXPECT_EQ(file.readOldStdString(), "");
    EXPECT_EQ(file.readOldStdString(), "a");
    EXPECT_TRUE(file.good());
    openBytes(le32({4096}) + Bytes(4096, 'k'));
    EXPECT_EQ(file.readOldStdString(), std::string(4096, 'k'));
    EXPECT_TRUE(file.good());

    const std::pair<std::int32_t, std::string> refused[] = {{4097, "4097 is too long"}, {-5, "-5 is invalid"}};
    for (const auto& [length, report] : refused) {
        openBytes(le32({static_cast<std::uint32_t>(length)}) + Bytes(4097, 'x'));
        file.lastError = "untouched";
        EXPECT_EQ(file.readOldStdString(), "");
        EXPECT_EQ(file.tell(), 4u);
        EXPECT_TRUE(file.overrun());
        EXPECT_EQ(file.lastError, "untouched");
        ASSERT_FALSE(KVCore::consoleLines().empty());
        EXPECT_EQ(KVCore::consoleLines().back().text, "BinaryFile::readOldStdString: string length " + report);
    }

    openBytes(le32({100}) + Bytes(10, 'x'));  // longer than the file
    EXPECT_EQ(file.readOldStdString(), "");
    expectRefused(4);
}

TEST_F(BinaryFileTest, Images)
{
    sf::Image image;
    image.create(3, 2, sf::Color(9, 9, 9));
    image.setPixel(0, 0, sf::Color(10, 20, 30, 0));     // transparent: written as magenta
    image.setPixel(1, 0, sf::Color(0, 255, 255, 255));  // cyan
    image.setPixel(2, 0, sf::Color(40, 50, 60, 1));     // barely visible: its colour
    image.setPixel(2, 1, sf::Color(255, 0, 254, 255));  // near magenta
    const Bytes one = {3, 0, 2, 0, 255, 0, 255, 0, 255, 255, 40, 50, 60, 9, 9, 9, 9, 9, 9, 255, 0, 254};
    const Bytes all = one + one + Bytes{0, 0, 0, 0};
    EXPECT_EQ(written([&](BinaryFile& out) {
                  EXPECT_TRUE(out.writeImage(image));
                  EXPECT_TRUE(out.writeImage(image));
                  EXPECT_TRUE(out.writeImage(sf::Image()));
              }),
              all);

    ASSERT_TRUE(file.open(target));
    const sf::Image plain = file.readImage(false);
    EXPECT_EQ(plain.getSize(), sf::Vector2u(3, 2));
    EXPECT_EQ(pixelsOf(plain), (Pixels{0xFF00FFFF, 0x00FFFFFF, 0x28323CFF, 0x090909FF, 0x090909FF, 0xFF00FEFF}));
    const sf::Image keyed = file.readImage(true);
    EXPECT_EQ(pixelsOf(keyed), (Pixels{0, 0, 0x28323CFF, 0x090909FF, 0x090909FF, 0xFF00FEFF}));
    EXPECT_EQ(file.readImage(true).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(file.good());

    image.create(32768, 1);  // too wide for the encoding
    ASSERT_TRUE(file.create(target));
    EXPECT_FALSE(file.writeImage(image));
    EXPECT_FALSE(file.close());
    EXPECT_EQ(test::readFile(target), std::string(all.begin(), all.end()));
}

TEST_F(BinaryFileTest, RefusedImagesReadNothingAfterTheirSize)
{
    const Bytes current[] = {
        Bytes{0xFE, 0xFF, 1, 0} + Bytes(3 * 65534, 1),  // negative width, data enough for it unsigned
        Bytes{1, 0, 0x00, 0x80} + Bytes(3 * 32768, 1),  // negative height, likewise
        {2, 0, 1, 0, 1, 2, 3, 4, 5},                    // one pixel short
        {0xFF, 0x7F, 0xFF, 0x7F, 1, 2, 3},              // 32767 x 32767 in a tiny file
    };
    for (const Bytes& bytes : current) {
        openBytes(bytes);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(file.readImage(false).getSize(), sf::Vector2u(0, 0));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));  // nothing allocated
        expectRefused(4);
    }
    // Sides above 4096, or pixels far beyond the file.
    for (const Bytes& sizes : {le32({4097, 1}), le32({1, 4097}), le32({~0u, ~0u}), le32({4096, 4096})}) {
        openBytes(sizes + Bytes(4097 * 2, 1));
        EXPECT_EQ(file.readOldImage(false).getSize(), sf::Vector2u(0, 0));
        expectRefused(8);
    }
}

TEST_F(BinaryFileTest, OldImages)
{
    // Red, green, blue, magenta, cyan, mid grey (16*255/31, 32*255/63).
    openBytes(le32({3, 2}) + Bytes{0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x1F, 0xF8, 0xFF, 0x07, 0x10, 0x84});
    EXPECT_EQ(pixelsOf(file.readOldImage(false)),
              (Pixels{0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0, 0, 0x838183FF}));
    EXPECT_TRUE(file.good());

    // Index 0 transparent, entry 11 cyan and so keyed out.
    openBytes(le32({5, 1}) + Bytes{0, 1, 11, 255, 128});
    EXPECT_EQ(pixelsOf(file.readOldImage(true)), (Pixels{0, 0x0000F0FF, 0, 0xA76B6BFF, 0xBFA78FFF}));
    EXPECT_EQ(talvex::paletteColour(0).toInteger(), 0u);
    EXPECT_EQ(talvex::paletteColour(255).toInteger(), 0xA76B6BFFu);

    openBytes(le32({4096, 1}) + Bytes(4096, 1));
    EXPECT_EQ(file.readOldImage(true).getSize(), sf::Vector2u(4096, 1));
    EXPECT_TRUE(file.good());
}

} // namespace
