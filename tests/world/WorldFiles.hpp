#pragma once
// Tileset, map and Talvex files put together byte by byte, so the tests
// check the loaders and savers against the layouts rather than against each
// other.

#include <SFML/Graphics/Color.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace test {

// Little-endian bytes appended in file order.
class Bytes {
public:
    Bytes& u8(std::uint8_t v)
    {
        data_ += static_cast<char>(v);
        return *this;
    }
    Bytes& i16(std::int16_t v) { return u16(static_cast<std::uint16_t>(v)); }
    Bytes& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8)); }
    Bytes& raw(const std::string& text)
    {
        data_ += text;
        return *this;
    }
    Bytes& zeros(std::size_t count)
    {
        data_.append(count, '\0');
        return *this;
    }
    // Current string encoding: 16-bit length, then the characters.
    Bytes& str(const std::string& text) { return i16(static_cast<std::int16_t>(text.size())).raw(text); }
    // Current image encoding, 32 by 32, opaque RGB from pixel(x, y).
    Bytes& tileImage(const std::function<sf::Color(unsigned, unsigned)>& pixel)
    {
        i16(32).i16(32);
        for (unsigned y = 0; y < 32; ++y)
            for (unsigned x = 0; x < 32; ++x) {
                const sf::Color c = pixel(x, y);
                u8(c.r).u8(c.g).u8(c.b);
            }
        return *this;
    }

    const std::string& text() const { return data_; }
    std::size_t size() const { return data_.size(); }

private:
    std::string data_;
};

// The colour a test gives tile i, distinct for every tile.
inline sf::Color tileColour(int index)
{
    return sf::Color(static_cast<std::uint8_t>(index & 0xFF), static_cast<std::uint8_t>(index >> 8),
                     static_cast<std::uint8_t>(200 - index % 50));
}

// A version-1 tileset file: tile i is described "tile i", has type i % 4 and
// the flat colour tileColour(i).
inline std::string tilesetFile(const std::string& description, std::int16_t version = 1)
{
    Bytes b;
    b.str("Kelvane Tileset").i16(version).str(description);
    for (int i = 0; i < 1024; ++i) {
        b.str("tile " + std::to_string(i)).u8(static_cast<std::uint8_t>(i % 4));
        b.tileImage([i](unsigned, unsigned) { return tileColour(i); });
    }
    return b.text();
}

// Talvex tileset with its fixed layout.  Records and 16 by 16 pictures of
// RGB 5-6-5 pixels are filled in by the test.
class TalvexTileset {
public:
    static constexpr std::size_t fileSize = 866340;
    static constexpr std::size_t recordsAt = 1060;
    static constexpr std::size_t imagesAt = 342052;

    TalvexTileset(const std::string& tag = "Zol Type 4 Tileset", std::int32_t version = 6) : bytes_(fileSize, '\0')
    {
        bytes_.replace(0, tag.size(), tag);
        for (int i = 0; i < 4; ++i)
            bytes_[32 + static_cast<std::size_t>(i)] = static_cast<char>(static_cast<std::uint32_t>(version) >> (8 * i));
    }
    // Type code and name; the name is cut to 27 bytes, zero-terminated when
    // shorter.
    void record(int tile, std::int8_t code, const std::string& name)
    {
        const std::size_t at = recordsAt + static_cast<std::size_t>(tile) * 28;
        bytes_[at] = static_cast<char>(code);
        bytes_.replace(at + 1, std::min<std::size_t>(name.size(), 27), name.substr(0, 27));
    }
    void pixel(int tile, unsigned x, unsigned y, std::uint16_t rgb565)
    {
        const std::size_t at = imagesAt + static_cast<std::size_t>(tile) * 512 + (y * 16 + x) * 2;
        bytes_[at] = static_cast<char>(rgb565 & 0xFF);
        bytes_[at + 1] = static_cast<char>(rgb565 >> 8);
    }
    const std::string& text() const { return bytes_; }

private:
    std::string bytes_;
};

} // namespace test
