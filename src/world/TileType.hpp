#pragma once
// What a tile means in play.  Stored as one byte in tileset files; values
// other than the four named ones are kept as they are and have no name.

#include <cstdint>
#include <string>

enum class TileType : std::uint8_t {
    Land = 0,   // drivable, nothing to mow
    Grass = 1,  // to be mown
    Solid = 2,  // obstacle
    Water = 3,
};

// "Land", "Grass", "Solid", "Water"; empty for any other value.
inline std::string tileTypeName(TileType type)
{
    switch (type) {
    case TileType::Land: return "Land";
    case TileType::Grass: return "Grass";
    case TileType::Solid: return "Solid";
    case TileType::Water: return "Water";
    }
    return std::string();
}
