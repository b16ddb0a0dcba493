#include "storage/BinaryFile.hpp"

#include "engine/Log.hpp"
#include "storage/StorageTestSupport.hpp"
#include "storage/TalvexPalette.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>

using storagetest::appendLE;
using storagetest::exists;
using storagetest::readBytes;
using storagetest::readText;
using storagetest::TempFolder;
using storagetest::writeBytes;
using storagetest::writeText;
using Bytes = std::vector<std::uint8_t>;

namespace {

class BinaryFileTest : public ::testing::Test {
protected:
    // Writes the bytes to a file and opens it for reading.
    void openBytes(BinaryFile& file, const Bytes& bytes)
    {
        path = folder.file("input.bin");
        writeBytes(path, bytes);
        ASSERT_TRUE(file.open(path));
    }

    std::string invalid() const { return path + " is an invalid file"; }

    TempFolder folder;
    std::string path;
};

Bytes headerBytes(const std::string& tag, std::int32_t version)
{
    Bytes bytes(32, 0);
    std::memcpy(bytes.data(), tag.data(), tag.size());
    appendLE(bytes, static_cast<std::uint32_t>(version), 4);
    return bytes;
}

bool sameColour(const sf::Color& c, int r, int g, int b, int a)
{
    return c.r == r && c.g == g && c.b == b && c.a == a;
}

} // namespace

// --- opening, creating, closing ---------------------------------------------

TEST_F(BinaryFileTest, ConstructedClosed)
{
    BinaryFile file;
    EXPECT_FALSE(file.isOpenForRead);
    EXPECT_FALSE(file.isOpenForWrite);
    EXPECT_TRUE(file.lastError.empty());
    EXPECT_TRUE(file.path.empty());
    EXPECT_TRUE(file.good());
    EXPECT_TRUE(file.close());
}

TEST_F(BinaryFileTest, OpenMissingFileFails)
{
    BinaryFile file;
    const std::string missing = folder.file("missing.bin");
    EXPECT_FALSE(file.open(missing));
    EXPECT_EQ(file.lastError, "Unable to open " + missing);
    EXPECT_FALSE(file.isOpenForRead);
    EXPECT_TRUE(file.path.empty());
}

TEST_F(BinaryFileTest, OpenFolderFails)
{
    BinaryFile file;
    EXPECT_FALSE(file.open(folder.root().string()));
    EXPECT_EQ(file.lastError, "Unable to open " + folder.root().string());
}

TEST_F(BinaryFileTest, OpenSetsStateAndCloseClearsIt)
{
    BinaryFile file;
    openBytes(file, Bytes{1, 2, 3});
    EXPECT_TRUE(file.isOpenForRead);
    EXPECT_FALSE(file.isOpenForWrite);
    EXPECT_EQ(file.path, path);
    EXPECT_EQ(file.size(), 3u);
    EXPECT_EQ(file.remaining(), 3u);
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.isOpenForRead);
    EXPECT_TRUE(file.path.empty());
}

TEST_F(BinaryFileTest, CreateFailsInMissingFolder)
{
    BinaryFile file;
    const std::string target = folder.file("nowhere/x.bin");
    EXPECT_FALSE(file.create(target));
    EXPECT_EQ(file.lastError, "Unable to create " + target);
    EXPECT_FALSE(file.isOpenForWrite);
}

TEST_F(BinaryFileTest, CreateWritesOnlyOnClose)
{
    const std::string target = folder.file("out.bin");
    writeText(target, "old");
    BinaryFile file;
    ASSERT_TRUE(file.create(target));
    EXPECT_TRUE(file.isOpenForWrite);
    EXPECT_FALSE(file.isOpenForRead);
    EXPECT_EQ(file.path, target);
    file.writeValue<std::uint8_t>(7);
    EXPECT_EQ(readText(target), "old");
    EXPECT_TRUE(file.close());
    EXPECT_FALSE(file.isOpenForWrite);
    EXPECT_TRUE(file.path.empty());
    EXPECT_EQ(readBytes(target), Bytes{7});
    EXPECT_FALSE(exists(target + ".tmp"));
}

TEST_F(BinaryFileTest, DestructorCommits)
{
    const std::string target = folder.file("out.bin");
    {
        BinaryFile file;
        ASSERT_TRUE(file.create(target));
        file.writeValue<std::uint16_t>(0x0102);
    }
    EXPECT_EQ(readBytes(target), (Bytes{0x02, 0x01}));
}

TEST_F(BinaryFileTest, DiscardLeavesOldFile)
{
    const std::string target = folder.file("out.bin");
    writeText(target, "old");
    BinaryFile file;
    ASSERT_TRUE(file.create(target));
    file.writeStdString("new");
    file.discard();
    EXPECT_FALSE(file.isOpenForWrite);
    EXPECT_EQ(readText(target), "old");
    EXPECT_FALSE(exists(target + ".tmp"));
}

TEST_F(BinaryFileTest, FailedWriteLeavesOldFileAndCloseReportsIt)
{
    const std::string target = folder.file("out.bin");
    writeText(target, "old");
    BinaryFile file;
    ASSERT_TRUE(file.create(target));
    file.writeStdString("fine");
    EXPECT_FALSE(file.writeStdString(std::string(32768, 'x')));
    EXPECT_TRUE(file.writeFailed());
    EXPECT_FALSE(file.good());
    EXPECT_FALSE(file.writeStdString("more"));
    EXPECT_FALSE(file.close());
    EXPECT_EQ(file.lastError, "Unable to write to " + target);
    EXPECT_EQ(readText(target), "old");
    EXPECT_FALSE(exists(target + ".tmp"));
}

TEST_F(BinaryFileTest, FailedRenameMakesCloseFail)
{
    const std::string target = folder.file("blocked");
    std::filesystem::create_directory(target);
    writeText(target + "/inside", "x");
    BinaryFile file;
    ASSERT_TRUE(file.create(target));
    file.writeValue<std::int32_t>(1);
    EXPECT_FALSE(file.close());
    EXPECT_EQ(file.lastError, "Unable to write to " + target);
    EXPECT_TRUE(std::filesystem::is_directory(target));
    EXPECT_FALSE(exists(target + ".tmp"));
}

TEST_F(BinaryFileTest, OpeningWhileWritingCommitsFirst)
{
    const std::string target = folder.file("out.bin");
    BinaryFile file;
    ASSERT_TRUE(file.create(target));
    file.writeValue<std::int16_t>(-1);
    ASSERT_TRUE(file.open(target));
    EXPECT_TRUE(file.isOpenForRead);
    EXPECT_FALSE(file.isOpenForWrite);
    EXPECT_EQ(file.readValue<std::int16_t>(), -1);
}

TEST_F(BinaryFileTest, WritingWhileReadingFails)
{
    BinaryFile file;
    openBytes(file, Bytes{1});
    const std::uint8_t byte = 5;
    EXPECT_FALSE(file.write(&byte, 1));
}

// --- numbers ------------------------------------------------------------------

TEST_F(BinaryFileTest, NumbersAreLittleEndian)
{
    const std::string target = folder.file("numbers.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    out.writeValue<std::int8_t>(-2);
    out.writeValue<std::uint8_t>(0xAB);
    out.writeValue<std::int16_t>(-2);
    out.writeValue<std::uint16_t>(0x1234);
    out.writeValue<std::int32_t>(-2);
    out.writeValue<std::uint32_t>(0x12345678u);
    out.writeValue<float>(1.0f);
    out.writeValue<std::int64_t>(0x0102030405060708LL);
    out.writeValue<double>(2.0);
    const std::uint8_t raw[] = {9, 8};
    out.write(raw, 2);
    ASSERT_TRUE(out.close());

    const Bytes expected = {0xFE, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF,
                            0x78, 0x56, 0x34, 0x12, 0x00, 0x00, 0x80, 0x3F,
                            0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01,
                            0, 0, 0, 0, 0, 0, 0x00, 0x40, 9, 8};
    EXPECT_EQ(readBytes(target), expected);

    BinaryFile in;
    ASSERT_TRUE(in.open(target));
    EXPECT_EQ(in.readValue<std::int8_t>(), -2);
    EXPECT_EQ(in.readValue<std::uint8_t>(), 0xAB);
    EXPECT_EQ(in.readValue<std::int16_t>(), -2);
    EXPECT_EQ(in.readValue<std::uint16_t>(), 0x1234);
    EXPECT_EQ(in.readValue<std::int32_t>(), -2);
    EXPECT_EQ(in.readValue<std::uint32_t>(), 0x12345678u);
    EXPECT_EQ(in.readValue<float>(), 1.0f);
    EXPECT_EQ(in.readValue<std::int64_t>(), 0x0102030405060708LL);
    EXPECT_EQ(in.readValue<double>(), 2.0);
    std::uint8_t back[2] = {};
    EXPECT_TRUE(in.read(back, 2));
    EXPECT_EQ(back[0], 9);
    EXPECT_EQ(back[1], 8);
    EXPECT_EQ(in.remaining(), 0u);
    EXPECT_TRUE(in.good());
}

// --- short reads ----------------------------------------------------------------

TEST_F(BinaryFileTest, ShortRawReadSetsOverrunAndZeroesTheRest)
{
    BinaryFile file;
    openBytes(file, Bytes{1, 2});
    std::uint8_t buffer[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_FALSE(file.read(buffer, 4));
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(buffer[2], 0);
    EXPECT_EQ(buffer[3], 0);
    EXPECT_TRUE(file.overrun());
    EXPECT_FALSE(file.good());
    EXPECT_EQ(file.lastError, invalid());
}

TEST_F(BinaryFileTest, TruncatedNumberReadsAsZeroAndFlagIsSticky)
{
    BinaryFile file;
    openBytes(file, Bytes{1, 2});
    std::int32_t value = 99;
    EXPECT_FALSE(file.readValue(value));
    EXPECT_EQ(value, 0);
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.readValue<std::int8_t>(), 0);
    EXPECT_TRUE(file.overrun());
    // The flag survives close and is cleared by the next open.
    file.close();
    EXPECT_TRUE(file.overrun());
    ASSERT_TRUE(file.open(path));
    EXPECT_FALSE(file.overrun());
    EXPECT_EQ(file.readValue<std::uint16_t>(), 0x0201);
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, ReadingWithNothingOpenIsAnOverrun)
{
    BinaryFile file;
    EXPECT_EQ(file.readValue<std::int32_t>(), 0);
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.readStdString(), "");
}

// --- tagged header ----------------------------------------------------------------

TEST_F(BinaryFileTest, HeaderAccepted)
{
    BinaryFile file;
    openBytes(file, headerBytes("ZAVI3 Script Console History", 1));
    EXPECT_TRUE(file.readHeader("ZAVI3 Script Console History"));
    EXPECT_EQ(file.version, 1);
    EXPECT_EQ(file.tell(), 36u);
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, WriteHeaderIsByteExact)
{
    const std::string target = folder.file("h.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_TRUE(out.writeHeader("ZAVI3 Script Console History"));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(readBytes(target), headerBytes("ZAVI3 Script Console History", 1));
}

TEST_F(BinaryFileTest, HeaderWrongTagIsInvalid)
{
    BinaryFile file;
    openBytes(file, headerBytes("zavi3 script console history", 1));
    EXPECT_FALSE(file.readHeader("ZAVI3 Script Console History"));
    EXPECT_EQ(file.lastError, invalid());

    openBytes(file, headerBytes("ZAVI3 Script", 1));
    EXPECT_FALSE(file.readHeader("ZAVI3 Script Console History"));
    EXPECT_EQ(file.lastError, invalid());
}

TEST_F(BinaryFileTest, HeaderTagWithoutTerminatorIsInvalid)
{
    BinaryFile file;
    Bytes bytes(32, 'A');
    appendLE(bytes, 1, 4);
    openBytes(file, bytes);
    EXPECT_FALSE(file.readHeader("AAAA"));
    EXPECT_EQ(file.lastError, invalid());
}

TEST_F(BinaryFileTest, HeaderOldVersion)
{
    BinaryFile file;
    openBytes(file, headerBytes("Tag", 0));
    EXPECT_FALSE(file.readHeader("Tag"));
    EXPECT_EQ(file.lastError, path + " is an obselete file version");
    openBytes(file, headerBytes("Tag", -3));
    EXPECT_FALSE(file.readHeader("Tag"));
    EXPECT_EQ(file.lastError, path + " is an obselete file version");
}

TEST_F(BinaryFileTest, HeaderAdvancedVersion)
{
    BinaryFile file;
    openBytes(file, headerBytes("Tag", 2));
    EXPECT_FALSE(file.readHeader("Tag"));
    EXPECT_EQ(file.lastError, path + " is an advanced file version (expected 1 got 2)");
    EXPECT_NE(file.version, 2);
}

TEST_F(BinaryFileTest, TruncatedHeaderIsInvalid)
{
    BinaryFile file;
    Bytes bytes = headerBytes("Tag", 1);
    bytes.resize(34);
    openBytes(file, bytes);
    EXPECT_FALSE(file.readHeader("Tag"));
    EXPECT_EQ(file.lastError, invalid());
    EXPECT_TRUE(file.overrun());

    openBytes(file, Bytes{'T', 'a', 'g'});
    EXPECT_FALSE(file.readHeader("Tag"));
    EXPECT_EQ(file.lastError, invalid());
}

// --- current strings ----------------------------------------------------------------

TEST_F(BinaryFileTest, StdStringEncoding)
{
    const std::string target = folder.file("s.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_TRUE(out.writeStdString(""));
    EXPECT_TRUE(out.writeStdString("hello"));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(readBytes(target), (Bytes{0, 0, 5, 0, 'h', 'e', 'l', 'l', 'o'}));

    BinaryFile in;
    ASSERT_TRUE(in.open(target));
    EXPECT_EQ(in.readStdString(), "");
    EXPECT_EQ(in.tell(), 2u);
    EXPECT_EQ(in.readStdString(), "hello");
    EXPECT_EQ(in.tell(), 9u);
    EXPECT_TRUE(in.good());
}

TEST_F(BinaryFileTest, LongestStdStringRoundTrips)
{
    const std::string target = folder.file("s.bin");
    const std::string text(32767, 'q');
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_TRUE(out.writeStdString(text));
    ASSERT_TRUE(out.close());
    const Bytes bytes = readBytes(target);
    ASSERT_EQ(bytes.size(), 32769u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0x7F);
    BinaryFile in;
    ASSERT_TRUE(in.open(target));
    EXPECT_EQ(in.readStdString(), text);
}

TEST_F(BinaryFileTest, StdStringEndsAtEmbeddedZero)
{
    BinaryFile file;
    openBytes(file, Bytes{5, 0, 'a', 'b', 0, 'c', 'd', 1, 0, 'z'});
    EXPECT_EQ(file.readStdString(), "ab");
    EXPECT_EQ(file.readStdString(), "z");
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, NegativeStdStringLengthIsRefused)
{
    BinaryFile file;
    openBytes(file, Bytes{0xFF, 0xFF, 'a', 'b'});
    EXPECT_EQ(file.readStdString(), "");
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());
    EXPECT_EQ(file.tell(), 2u);
}

TEST_F(BinaryFileTest, StdStringLongerThanTheFileIsRefused)
{
    BinaryFile file;
    openBytes(file, Bytes{0x00, 0x70, 'a', 'b', 'c'});
    EXPECT_EQ(file.readStdString(), "");
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());
    EXPECT_EQ(file.tell(), 2u);
}

TEST_F(BinaryFileTest, StdStringCutByEndOfFile)
{
    BinaryFile file;
    openBytes(file, Bytes{4, 0, 'a', 'b', 'c', 'd'});
    EXPECT_EQ(file.readStdString(), "abcd");
    EXPECT_TRUE(file.good());
    EXPECT_EQ(file.readStdString(), "");
    EXPECT_TRUE(file.overrun());
}

// --- legacy strings -------------------------------------------------------------------

namespace {

Bytes oldString(std::int32_t length, std::size_t characters, char fill = 'x')
{
    Bytes bytes;
    appendLE(bytes, static_cast<std::uint32_t>(length), 4);
    bytes.insert(bytes.end(), characters, static_cast<std::uint8_t>(fill));
    return bytes;
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

TEST_F(BinaryFileTest, OldStdStringReads)
{
    Bytes bytes = oldString(0, 0);
    Bytes second = oldString(3, 0);
    second.insert(second.end(), {'a', 0, 'b'});
    bytes.insert(bytes.end(), second.begin(), second.end());
    BinaryFile file;
    openBytes(file, bytes);
    EXPECT_EQ(file.readOldStdString(), "");
    EXPECT_EQ(file.readOldStdString(), "a");
    EXPECT_EQ(file.tell(), 11u);
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, OldStdStringOf4096IsAccepted)
{
    BinaryFile file;
    openBytes(file, oldString(4096, 4096, 'k'));
    EXPECT_EQ(file.readOldStdString(), std::string(4096, 'k'));
    EXPECT_TRUE(file.good());
    EXPECT_EQ(file.remaining(), 0u);
}

TEST_F(BinaryFileTest, OldStdStringOf4097IsTooLong)
{
    test::FakeWindowScope window;
    BinaryFile file;
    openBytes(file, oldString(4097, 4097));
    file.lastError = "untouched";
    EXPECT_EQ(file.readOldStdString(), "");
    EXPECT_EQ(file.tell(), 4u);
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, "untouched");
    const std::string message = "BinaryFile::readOldStdString: string length 4097 is too long";
    ASSERT_FALSE(KVCore::consoleLines().empty());
    EXPECT_EQ(KVCore::consoleLines().back().text, message);
    EXPECT_EQ(KVCore::consoleLines().back().colour, KVCore::errorColour);
    EXPECT_TRUE(endsWith(KVCore::lastLogLine(), "Error: " + message));
}

TEST_F(BinaryFileTest, NegativeOldStdStringIsInvalid)
{
    test::FakeWindowScope window;
    BinaryFile file;
    openBytes(file, oldString(-5, 8));
    EXPECT_EQ(file.readOldStdString(), "");
    EXPECT_EQ(file.tell(), 4u);
    EXPECT_TRUE(file.overrun());
    const std::string message = "BinaryFile::readOldStdString: string length -5 is invalid";
    ASSERT_FALSE(KVCore::consoleLines().empty());
    EXPECT_EQ(KVCore::consoleLines().back().text, message);
    EXPECT_TRUE(endsWith(KVCore::lastLogLine(), "Error: " + message));
}

TEST_F(BinaryFileTest, OldStdStringLongerThanTheFileIsRefused)
{
    BinaryFile file;
    openBytes(file, oldString(100, 10));
    EXPECT_EQ(file.readOldStdString(), "");
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());
    EXPECT_EQ(file.tell(), 4u);
}

// --- fixed strings ----------------------------------------------------------------------

TEST_F(BinaryFileTest, FixedStringForcesLastByteToZero)
{
    BinaryFile file;
    openBytes(file, Bytes{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'x', 'y', 0, 'z', 'q', 'r'});
    EXPECT_EQ(file.readFixedString(8), "abcdefg");
    EXPECT_EQ(file.tell(), 8u);
    EXPECT_EQ(file.readFixedString(5), "xy");
    EXPECT_EQ(file.tell(), 13u);
    EXPECT_EQ(file.readFixedString(1), "");
    EXPECT_EQ(file.tell(), 14u);
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, FixedStringOf1024ReadsNothing)
{
    BinaryFile file;
    openBytes(file, Bytes(2000, 'a'));
    EXPECT_EQ(file.readFixedString(1024), "");
    EXPECT_EQ(file.readFixedString(0), "");
    EXPECT_EQ(file.tell(), 0u);
    EXPECT_EQ(file.readFixedString(1023), std::string(1022, 'a'));
    EXPECT_EQ(file.tell(), 1023u);
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, TruncatedFixedStringIsRefused)
{
    BinaryFile file;
    openBytes(file, Bytes{'a', 'b', 'c'});
    EXPECT_EQ(file.readFixedString(32), "");
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());
}

// --- current images -------------------------------------------------------------------

TEST_F(BinaryFileTest, WriteImageIsByteExact)
{
    sf::Image image;
    image.create(2, 2);
    image.setPixel(0, 0, sf::Color(1, 2, 3, 255));
    image.setPixel(1, 0, sf::Color(10, 20, 30, 0));     // transparent
    image.setPixel(0, 1, sf::Color(40, 50, 60, 128));   // partly transparent
    image.setPixel(1, 1, sf::Color(0, 255, 255, 255));  // cyan
    const std::string target = folder.file("img.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_TRUE(out.writeImage(image));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(readBytes(target), (Bytes{2, 0, 2, 0, 1, 2, 3, 255, 0, 255, 40, 50, 60, 0, 255, 255}));
}

TEST_F(BinaryFileTest, ImageReadsBackWithAndWithoutKey)
{
    sf::Image image;
    image.create(3, 2, sf::Color(9, 9, 9));
    image.setPixel(0, 0, sf::Color(10, 20, 30, 0));
    image.setPixel(1, 0, sf::Color(0, 255, 255, 255));
    image.setPixel(2, 0, sf::Color(40, 50, 60, 1));
    image.setPixel(2, 1, sf::Color(255, 0, 254, 255));
    const std::string target = folder.file("img.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    out.writeImage(image);
    out.writeImage(image);
    ASSERT_TRUE(out.close());

    BinaryFile in;
    ASSERT_TRUE(in.open(target));
    const sf::Image plain = in.readImage(false);
    ASSERT_EQ(plain.getSize(), sf::Vector2u(3, 2));
    EXPECT_TRUE(sameColour(plain.getPixel(0, 0), 255, 0, 255, 255));
    EXPECT_TRUE(sameColour(plain.getPixel(1, 0), 0, 255, 255, 255));
    EXPECT_TRUE(sameColour(plain.getPixel(2, 0), 40, 50, 60, 255));
    EXPECT_TRUE(sameColour(plain.getPixel(0, 1), 9, 9, 9, 255));
    EXPECT_TRUE(sameColour(plain.getPixel(2, 1), 255, 0, 254, 255));

    const sf::Image keyed = in.readImage(true);
    ASSERT_EQ(keyed.getSize(), sf::Vector2u(3, 2));
    EXPECT_TRUE(sameColour(keyed.getPixel(0, 0), 0, 0, 0, 0));
    EXPECT_TRUE(sameColour(keyed.getPixel(1, 0), 0, 0, 0, 0));
    EXPECT_TRUE(sameColour(keyed.getPixel(2, 0), 40, 50, 60, 255));
    EXPECT_TRUE(sameColour(keyed.getPixel(2, 1), 255, 0, 254, 255));
    EXPECT_TRUE(in.good());
    EXPECT_EQ(in.remaining(), 0u);
}

TEST_F(BinaryFileTest, EmptyImage)
{
    const std::string target = folder.file("img.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_TRUE(out.writeImage(sf::Image()));
    ASSERT_TRUE(out.close());
    EXPECT_EQ(readBytes(target), (Bytes{0, 0, 0, 0}));
    BinaryFile in;
    ASSERT_TRUE(in.open(target));
    EXPECT_EQ(in.readImage(true).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(in.good());
}

TEST_F(BinaryFileTest, TooLargeImageIsNotWritten)
{
    sf::Image image;
    image.create(32768, 1);
    const std::string target = folder.file("img.bin");
    BinaryFile out;
    ASSERT_TRUE(out.create(target));
    EXPECT_FALSE(out.writeImage(image));
    EXPECT_TRUE(out.writeFailed());
    EXPECT_FALSE(out.close());
    EXPECT_FALSE(exists(target));
}

TEST_F(BinaryFileTest, NegativeImageSizeIsRefused)
{
    BinaryFile file;
    openBytes(file, Bytes{0xFE, 0xFF, 1, 0, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(file.readImage(false).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());

    openBytes(file, Bytes{1, 0, 0x00, 0x80, 1, 2, 3});
    EXPECT_EQ(file.readImage(true).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(file.overrun());
}

TEST_F(BinaryFileTest, AbsurdImageInTinyFileIsRefusedWithoutReading)
{
    BinaryFile file;
    openBytes(file, Bytes{0xFF, 0x7F, 0xFF, 0x7F, 1, 2, 3});
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(file.readImage(false).getSize(), sf::Vector2u(0, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.lastError, invalid());
    EXPECT_EQ(file.tell(), 4u);
}

TEST_F(BinaryFileTest, ImageOnePixelShortIsRefused)
{
    BinaryFile file;
    openBytes(file, Bytes{2, 0, 1, 0, 1, 2, 3, 4, 5});
    EXPECT_EQ(file.readImage(false).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(file.overrun());
}

// --- Talvex images -------------------------------------------------------------------------

TEST_F(BinaryFileTest, OldImage16Bit)
{
    Bytes bytes;
    appendLE(bytes, 3, 4);
    appendLE(bytes, 2, 4);
    for (std::uint16_t v : {0xF800, 0x07E0, 0x001F, 0xF81F, 0x07FF, 0x8410})
        appendLE(bytes, v, 2);
    BinaryFile file;
    openBytes(file, bytes);
    const sf::Image image = file.readOldImage(false);
    ASSERT_EQ(image.getSize(), sf::Vector2u(3, 2));
    EXPECT_TRUE(sameColour(image.getPixel(0, 0), 255, 0, 0, 255));
    EXPECT_TRUE(sameColour(image.getPixel(1, 0), 0, 255, 0, 255));
    EXPECT_TRUE(sameColour(image.getPixel(2, 0), 0, 0, 255, 255));
    EXPECT_TRUE(sameColour(image.getPixel(0, 1), 0, 0, 0, 0));  // magenta
    EXPECT_TRUE(sameColour(image.getPixel(1, 1), 0, 0, 0, 0));  // cyan
    // 16 * 255 / 31 = 131, 32 * 255 / 63 = 129
    EXPECT_TRUE(sameColour(image.getPixel(2, 1), 131, 129, 131, 255));
    EXPECT_TRUE(file.good());
    EXPECT_EQ(file.remaining(), 0u);
}

TEST_F(BinaryFileTest, OldImagePaletted)
{
    Bytes bytes;
    appendLE(bytes, 5, 4);
    appendLE(bytes, 1, 4);
    bytes.insert(bytes.end(), {0, 1, 11, 255, 128});
    BinaryFile file;
    openBytes(file, bytes);
    const sf::Image image = file.readOldImage(true);
    ASSERT_EQ(image.getSize(), sf::Vector2u(5, 1));
    EXPECT_TRUE(sameColour(image.getPixel(0, 0), 0, 0, 0, 0));        // index 0
    EXPECT_TRUE(sameColour(image.getPixel(1, 0), 0x00, 0x00, 0xF0, 255));
    EXPECT_TRUE(sameColour(image.getPixel(2, 0), 0, 0, 0, 0));        // entry 11 is cyan
    EXPECT_TRUE(sameColour(image.getPixel(3, 0), 0xA7, 0x6B, 0x6B, 255));
    EXPECT_TRUE(sameColour(image.getPixel(4, 0), 0xBF, 0xA7, 0x8F, 255));
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, OldImageSideOf4096IsAccepted)
{
    Bytes bytes;
    appendLE(bytes, 4096, 4);
    appendLE(bytes, 1, 4);
    bytes.insert(bytes.end(), 4096, 1);
    BinaryFile file;
    openBytes(file, bytes);
    EXPECT_EQ(file.readOldImage(true).getSize(), sf::Vector2u(4096, 1));
    EXPECT_TRUE(file.good());
}

TEST_F(BinaryFileTest, OldImageSideAbove4096IsRefused)
{
    for (const auto& [w, h] : {std::pair<std::uint32_t, std::uint32_t>{4097, 1}, {1, 4097}, {0xFFFFFFFFu, 0xFFFFFFFFu}}) {
        Bytes bytes;
        appendLE(bytes, w, 4);
        appendLE(bytes, h, 4);
        bytes.insert(bytes.end(), 4097 * 2, 1);
        BinaryFile file;
        openBytes(file, bytes);
        EXPECT_EQ(file.readOldImage(false).getSize(), sf::Vector2u(0, 0)) << w << "x" << h;
        EXPECT_TRUE(file.overrun());
        EXPECT_EQ(file.lastError, invalid());
        EXPECT_EQ(file.tell(), 8u);
    }
}

TEST_F(BinaryFileTest, LargeOldImageInTinyFileIsRefusedWithoutReading)
{
    Bytes bytes;
    appendLE(bytes, 4096, 4);
    appendLE(bytes, 4096, 4);
    bytes.insert(bytes.end(), {1, 2, 3});
    BinaryFile file;
    openBytes(file, bytes);
    EXPECT_EQ(file.readOldImage(false).getSize(), sf::Vector2u(0, 0));
    EXPECT_TRUE(file.overrun());
    EXPECT_EQ(file.tell(), 8u);
}

// --- palette -----------------------------------------------------------------------------------

TEST(TalvexPaletteTest, KnownEntries)
{
    ASSERT_EQ(talvex::palette.size(), 256u);
    EXPECT_EQ(talvex::palette[0], (talvex::PaletteEntry{0xFF, 0x00, 0xFF}));
    EXPECT_EQ(talvex::palette[1], (talvex::PaletteEntry{0x00, 0x00, 0xF0}));
    EXPECT_EQ(talvex::palette[15], (talvex::PaletteEntry{0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(talvex::palette[16], (talvex::PaletteEntry{0xFF, 0xB7, 0xB7}));
    EXPECT_EQ(talvex::palette[240], (talvex::PaletteEntry{0x03, 0x03, 0x53}));
    EXPECT_EQ(talvex::palette[254], (talvex::PaletteEntry{0x6F, 0x03, 0x6B}));
    EXPECT_EQ(talvex::palette[255], (talvex::PaletteEntry{0xA7, 0x6B, 0x6B}));
    EXPECT_TRUE(sameColour(talvex::paletteColour(0), 0, 0, 0, 0));
    EXPECT_TRUE(sameColour(talvex::paletteColour(16), 0xFF, 0xB7, 0xB7, 255));
}
