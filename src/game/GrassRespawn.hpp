#pragma once
// Mown grass grows back in the shade of a passing cloud: now and then a
// cloud gives every mown tile under it a chance to turn back into grass,
// which the mower must then cut again.

#include <cstdint>

namespace Game {

struct WorldObject;

constexpr int regrowChancePerFrame = 120;  // 1 in 120 per cloud and frame
constexpr int regrowChancePerTile = 5;     // then 1 in 5 per mown tile under it
// Regrown grass comes back as the plain lawn tile, whatever it was before.
constexpr std::uint16_t regrownTile = 0;

// Once per object and frame, after it has moved.
void regrowUnder(const WorldObject& object);

} // namespace Game
