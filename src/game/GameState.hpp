#pragma once
// The state of the level being played: which level of the list at which
// skill, the seconds left, the mown tiles, the mowing note and the clock of
// the countdown; and the map itself.
//
// One instance of each, module-level (see GameState.cpp).

#include "world/Map.hpp"

#include <array>
#include <cstdint>

namespace Game {

struct GameState {
    std::int16_t levelIndex = 0;  // into the level list, 0 = first
    std::int16_t skillLevel = 1;  // SkillLevel: 0 Easy, 1 Normal, 2 Hard
    std::int16_t timeLeft = 0;    // seconds
    std::int16_t mownCount = 0;   // tiles mown and not grown back
    std::int16_t grassCount = 0;  // Grass tiles when the level was loaded
    // Row-major like Map::cells: 1 where the mower cut and nothing regrew.
    std::array<std::uint8_t, Map::cellCount> mownFlags{};
    std::int16_t mowingTimer = 0;  // frames the mowing note still plays
    // When the current second of the countdown began, by the engine's
    // time source.
    double secondStart = 0.0;
    // Seen at the end of one frame, acted on at the end of the next.
    bool levelComplete = false;
    bool quit = false;
};

GameState& gameState();
// The map of the level being played.
Map& currentMap();

// What the tile of a cell of the current map means in play; an index
// beyond the tileset is plain Land.
TileType cellType(int column, int row);

// The grid cells a rectangle of field pixels covers, clamped to the grid.
struct CellRange {
    int firstColumn, lastColumn, firstRow, lastRow;
};
CellRange cellsUnder(float left, float top, float right, float bottom);

// The countdown's one-second clock.
void restartSecondClock();
double secondClockSeconds();

// Seconds a level starts with: Easy twice the map's limit, Normal the limit,
// Hard three quarters of it; `current` for any other skill.
std::int16_t timeLimitForSkill(std::int16_t skillLevel, std::int16_t mapTimeLimit, std::int16_t current);

} // namespace Game
