#include "storage/BinaryFile.hpp"

#include "engine/Log.hpp"
#include "storage/TalvexPalette.hpp"

#include <algorithm>
#include <cstring>
#include <optional>
#include <new>
#include <vector>

namespace {

bool isKeyColour(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (r == 255 && g == 0 && b == 255) || (r == 0 && g == 255 && b == 255);
}

void setPixel(std::vector<std::uint8_t>& rgba, std::size_t index, std::uint8_t r,
              std::uint8_t g, std::uint8_t b, bool key)
{
    std::uint8_t* p = &rgba[index * 4];
    if (key && isKeyColour(r, g, b)) {
        p[0] = p[1] = p[2] = p[3] = 0;
    } else {
        p[0] = r;
        p[1] = g;
        p[2] = b;
        p[3] = 255;
    }
}

sf::Image makeImage(unsigned width, unsigned height, const std::vector<std::uint8_t>& rgba)
{
    sf::Image image;
    if (width > 0 && height > 0)
        image.create(width, height, rgba.data());
    return image;
}

} // namespace

BinaryFile::~BinaryFile()
{
    close();
}

void BinaryFile::resetState()
{
    size_ = 0;
    position_ = 0;
    overrun_ = false;
    writeFailed_ = false;
}

void BinaryFile::markInvalid()
{
    overrun_ = true;
    lastError = path + " is an invalid file";
}

void BinaryFile::markWriteFailed()
{
    writeFailed_ = true;
    writeFile_.markFailed();
    lastError = "Unable to write to " + path;
}

bool BinaryFile::open(const std::string& filePath)
{
    close();
    resetState();
    platform::FileHandle file = platform::openFile(filePath, "rb");
    const std::optional<std::uint64_t> size = platform::regularFileSize(file.get());
    if (!size) {
        lastError = "Unable to open " + filePath;
        return false;
    }
    readFile_ = std::move(file);
    size_ = *size;
    isOpenForRead = true;
    path = filePath;
    return true;
}

bool BinaryFile::create(const std::string& filePath)
{
    close();
    resetState();
    if (!writeFile_.open(filePath, SafeFile::Mode::Binary)) {
        lastError = "Unable to create " + filePath;
        return false;
    }
    isOpenForWrite = true;
    path = filePath;
    return true;
}

bool BinaryFile::close()
{
    bool ok = true;
    if (isOpenForWrite) {
        const bool failed = writeFailed_ || writeFile_.failed();
        if (failed) {
            writeFile_.discard();
            ok = false;
        } else {
            ok = writeFile_.commit();
        }
        if (!ok) {
            writeFailed_ = true;
            lastError = "Unable to write to " + path;
        }
    }
    readFile_.reset();
    isOpenForRead = false;
    isOpenForWrite = false;
    path.clear();
    return ok;
}

void BinaryFile::discard()
{
    writeFile_.discard();
    readFile_.reset();
    isOpenForRead = false;
    isOpenForWrite = false;
    path.clear();
}

bool BinaryFile::fits(std::uint64_t bytes)
{
    if (isOpenForRead && bytes <= remaining())
        return true;
    markInvalid();
    return false;
}

bool BinaryFile::read(void* destination, std::size_t size)
{
    if (size == 0)
        return true;
    std::size_t got = 0;
    if (isOpenForRead)
        got = std::fread(destination, 1, size, readFile_.get());
    position_ += got;
    if (got == size)
        return true;
    // Short read: the missing bytes are not data.
    std::memset(static_cast<unsigned char*>(destination) + got, 0, size - got);
    markInvalid();
    return false;
}

bool BinaryFile::write(const void* source, std::size_t size)
{
    if (!isOpenForWrite) {
        writeFailed_ = true;
        return false;
    }
    if (writeFailed_)
        return false;
    if (!writeFile_.write(source, size)) {
        markWriteFailed();
        return false;
    }
    return true;
}

bool BinaryFile::readHeader(const std::string& tag)
{
    char stored[headerTagSize + 1] = {};
    const bool tagRead = read(stored, headerTagSize);
    if (!tagRead || std::string(stored) != tag) {
        lastError = path + " is an invalid file";
        return false;
    }
    std::int32_t fileVersion = 0;
    if (!readValue(fileVersion)) {
        lastError = path + " is an invalid file";
        return false;
    }
    if (fileVersion < headerVersion) {
        lastError = path + " is an obselete file version";
        return false;
    }
    if (fileVersion > headerVersion) {
        lastError = path + " is an advanced file version (expected " +
                    std::to_string(headerVersion) + " got " + std::to_string(fileVersion) + ")";
        return false;
    }
    version = fileVersion;
    return true;
}

bool BinaryFile::writeHeader(const std::string& tag, std::int32_t headerVersionValue)
{
    char stored[headerTagSize] = {};
    std::memcpy(stored, tag.data(), std::min(tag.size(), headerTagSize - 1));
    const bool tagWritten = write(stored, headerTagSize);
    return writeValue(headerVersionValue) && tagWritten;
}

std::string BinaryFile::readStdString()
{
    std::int16_t length = 0;
    if (!readValue(length) || length == 0)
        return std::string();
    if (length < 0) {
        markInvalid();
        return std::string();
    }
    if (!fits(static_cast<std::uint64_t>(length)))
        return std::string();
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        lastError = "readStdString: Unable to allocate temp buffer";
        return std::string();
    }
    if (!read(text.data(), text.size()))
        return std::string();
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool BinaryFile::writeStdString(const std::string& text)
{
    if (text.size() > 32767) {
        markWriteFailed();
        return false;
    }
    const bool lengthWritten = writeValue(static_cast<std::int16_t>(text.size()));
    return write(text.data(), text.size()) && lengthWritten;
}

std::string BinaryFile::readOldStdString()
{
    std::int32_t length = 0;
    if (!readValue(length) || length == 0)
        return std::string();
    if (length < 0) {
        overrun_ = true;
        KVCore::reportError("BinaryFile::readOldStdString: string length " +
                            std::to_string(length) + " is invalid");
        return std::string();
    }
    if (length > maxOldStringLength) {
        overrun_ = true;
        KVCore::reportError("BinaryFile::readOldStdString: string length " +
                            std::to_string(length) + " is too long");
        return std::string();
    }
    if (!fits(static_cast<std::uint64_t>(length)))
        return std::string();
    std::string text;
    try {
        text.resize(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        KVCore::reportError("BinaryFile::readOldStdString: Unable to allocate buffer");
        return std::string();
    }
    if (!read(text.data(), text.size()))
        return std::string();
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string BinaryFile::readFixedString(std::uint16_t fieldSize)
{
    if (fieldSize == 0 || fieldSize >= 1024)
        return std::string();
    if (!fits(fieldSize))
        return std::string();
    char buffer[1024] = {};
    if (!read(buffer, fieldSize))
        return std::string();
    buffer[fieldSize - 1] = 0;
    return std::string(buffer);
}

sf::Image BinaryFile::readImage(bool keyTransparent)
{
    std::int16_t width = 0;
    std::int16_t height = 0;
    const bool widthRead = readValue(width);
    if (!readValue(height) || !widthRead)
        return sf::Image();
    if (width < 0 || height < 0) {
        markInvalid();
        return sf::Image();
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (!fits(3 * static_cast<std::uint64_t>(count)))
        return sf::Image();
    std::vector<std::uint8_t> rgb(3 * count);
    if (!read(rgb.data(), rgb.size()))
        return sf::Image();
    std::vector<std::uint8_t> rgba(4 * count);
    for (std::size_t i = 0; i < count; ++i)
        setPixel(rgba, i, rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], keyTransparent);
    return makeImage(static_cast<unsigned>(width), static_cast<unsigned>(height), rgba);
}

bool BinaryFile::writeImage(const sf::Image& image)
{
    const sf::Vector2u imageSize = image.getSize();
    if (imageSize.x > 32767 || imageSize.y > 32767) {
        markWriteFailed();
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(imageSize.x) * imageSize.y;
    std::vector<std::uint8_t> rgb(3 * count);
    const std::uint8_t* pixels = count ? image.getPixelsPtr() : nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = pixels + 4 * i;
        if (p[3] != 0) {
            rgb[3 * i] = p[0];
            rgb[3 * i + 1] = p[1];
            rgb[3 * i + 2] = p[2];
        } else {
            rgb[3 * i] = 255;
            rgb[3 * i + 1] = 0;
            rgb[3 * i + 2] = 255;
        }
    }
    bool ok = writeValue(static_cast<std::int16_t>(imageSize.x));
    ok = writeValue(static_cast<std::int16_t>(imageSize.y)) && ok;
    ok = write(rgb.data(), rgb.size()) && ok;
    return ok;
}

sf::Image BinaryFile::readOldImage(bool paletted)
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    const bool widthRead = readValue(width);
    if (!readValue(height) || !widthRead)
        return sf::Image();
    if (width > maxOldImageSide || height > maxOldImageSide) {
        markInvalid();
        return sf::Image();
    }
    const std::size_t count = static_cast<std::size_t>(width) * height;
    const std::size_t bytesPerPixel = paletted ? 1 : 2;
    if (!fits(static_cast<std::uint64_t>(count) * bytesPerPixel))
        return sf::Image();
    std::vector<std::uint8_t> data(count * bytesPerPixel);
    if (!read(data.data(), data.size()))
        return sf::Image();
    std::vector<std::uint8_t> rgba(4 * count);
    for (std::size_t i = 0; i < count; ++i) {
        if (paletted) {
            const std::uint8_t index = data[i];
            if (index == 0) {
                setPixel(rgba, i, 0, 0, 0, false);
                rgba[4 * i + 3] = 0;
            } else {
                const talvex::PaletteEntry& e = talvex::palette[index];
                setPixel(rgba, i, e[0], e[1], e[2], true);
            }
        } else {
            const unsigned v = static_cast<unsigned>(data[2 * i]) |
                               (static_cast<unsigned>(data[2 * i + 1]) << 8);
            setPixel(rgba, i, static_cast<std::uint8_t>(((v >> 11) & 31) * 255 / 31),
                     static_cast<std::uint8_t>(((v >> 5) & 63) * 255 / 63),
                     static_cast<std::uint8_t>((v & 31) * 255 / 31), true);
        }
    }
    return makeImage(width, height, rgba);
}
