#pragma once
// The 256-colour palette of the sibling game Talvex, used to decode the
// paletted images of its sprite files (BinaryFile::readOldImage).

#include <SFML/Graphics/Color.hpp>

#include <array>
#include <cstddef>
#include <cstdint>

namespace talvex {

constexpr std::size_t paletteSize = 256;

// Red, green, blue.
using PaletteEntry = std::array<std::uint8_t, 3>;

extern const std::array<PaletteEntry, paletteSize> palette;

// Colour of a palette index as a paletted pixel: index 0 is fully
// transparent (0, 0, 0, 0); any other index is the entry's colour with alpha
// 255.  No colour keying is applied here.
sf::Color paletteColour(std::uint8_t index);

} // namespace talvex
