#pragma once
// World files put together byte by byte (tilesets, maps, sprites, saved games
// and the Talvex formats), so loaders and savers are checked against the
// layouts rather than against each other.

#include "support/TempFolder.hpp"

#include <SFML/Graphics/Color.hpp>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace test {

// Little-endian fields appended in file order.
struct Bytes {
    std::string data;
    Bytes& raw(const std::string& text) { data += text; return *this; }
    Bytes& u8(int v) { data += static_cast<char>(v & 0xFF); return *this; }
    Bytes& i16(int v) { return u8(v).u8(v >> 8); }
    Bytes& i32(int v) { return i16(v).i16(v >> 16); }
    Bytes& zeros(std::size_t count) { return raw(std::string(count, '\0')); }
    // Zero-padded or cut to its size.
    Bytes& fixed(const std::string& text, std::size_t size)
    {
        return raw(text.substr(0, size)).zeros(size - std::min(size, text.size()));
    }
    // Current string encoding: 16-bit length, then the characters.
    Bytes& str(const std::string& text) { return i16(static_cast<int>(text.size())).raw(text); }
    // Current image encoding: 16-bit sides, then opaque RGB rows.
    Bytes& image(int width, int height, const std::function<sf::Color(int, int)>& pixel)
    {
        i16(width).i16(height);
        for (int i = 0; i < width * height; ++i) {
            const sf::Color c = pixel(i % width, i / width);
            u8(c.r).u8(c.g).u8(c.b);
        }
        return *this;
    }
    Bytes& image(int width, int height, sf::Color c) { return image(width, height, [c](int, int) { return c; }); }
};

// Writes the bytes to the file and returns its path.
inline std::string written(const std::string& path, const std::string& bytes)
{
    writeFile(path, bytes);
    return path;
}

// The colour a test gives tile i, distinct for every tile.
inline sf::Color tileColour(int i)
{
    return sf::Color(static_cast<std::uint8_t>(i & 0xFF), static_cast<std::uint8_t>(i >> 8),
                     static_cast<std::uint8_t>(200 - i % 50));
}

// Tile i is described "tile i", has type i % 4 and the flat tileColour(i).
inline std::string tilesetFile(const std::string& description, int version = 1)
{
    Bytes b;
    b.str("Kelvane Tileset").i16(version).str(description);
    for (int i = 0; i < 1024; ++i)
        b.str("tile " + std::to_string(i)).u8(i % 4).image(32, 32, tileColour(i));
    return b.data;
}

// Cells 0 to 1099: some past the tileset's 1024 tiles.
inline int mapCell(int x, int y) { return (x * 37 + y * 101) % 1100; }

// Versions below 3 have no author; version 1 has other cells (see MapTest).
inline std::string mapFile(int version, const std::string& title = "Front \"Lawn\"", const std::string& author = "Ann")
{
    Bytes b;
    b.str("Kelvane Map File").i16(version).str(title);
    if (version == 3)
        b.str(author);
    b.i16(120).i16(-4).i16(33).i16(500);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 25; ++x)
            b.i16(mapCell(x, y));
    return b.data;
}

inline Bytes spriteHeader(int version, const std::string& description, int frameCount)
{
    return Bytes().str("Kelvane Sprite").i16(version).str(description).i16(frameCount);
}

inline std::string saveFile(int version, int level, int skill, const std::string& tag = "Kelvane Saved Game")
{
    return Bytes().str(tag).i16(version).i16(level).i16(skill).data;
}

// Talvex tileset with its fixed layout; records (type code, name cut to 27
// bytes) and 16 by 16 RGB 5-6-5 pictures are filled in by the test.
struct TalvexTileset {
    std::string data = std::string(866340, '\0');
    explicit TalvexTileset(const std::string& tag = "Zol Type 4 Tileset", int version = 6)
    {
        data.replace(0, tag.size(), tag);
        data.replace(32, 4, Bytes().i32(version).data);
    }
    void record(int tile, int code, const std::string& name)
    {
        data.replace(1060 + static_cast<std::size_t>(tile) * 28, 28, Bytes().u8(code).fixed(name, 27).data);
    }
    void pixel(int tile, int x, int y, int rgb565)
    {
        data.replace(static_cast<std::size_t>(342052 + tile * 512 + (y * 16 + x) * 2), 2, Bytes().i16(rgb565).data);
    }
};

// A Talvex sprite in the layout of its version: one extra image, then 2 by 1
// frames (red and green, or palette entries 1 and 0) whose display times
// alternate between firstTime and -1.
inline std::string talvexSprite(const std::string& tag, int version, int frameCount = 2, int firstTime = 30)
{
    const bool sixteenBit = version >= 4;
    Bytes b;
    b.fixed(tag, 32).i32(version).fixed("talvex mower", 32).u8(frameCount).u8(1).i32(0);
    if (version > 5)
        b.zeros(256);
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
            b.zeros(256);
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

} // namespace test
