#include "game/GameState.hpp"

#include "engine/TimeSource.hpp"
#include "game/SaveGame.hpp"

#include <algorithm>
#include <limits>

namespace Game {
namespace {

// Lives for the whole program; every level load resets what it needs.
struct PlayState {
    GameState game;
    Map map;
};
PlayState state;

std::int16_t clampedSeconds(long seconds)
{
    constexpr long highest = std::numeric_limits<std::int16_t>::max();
    constexpr long lowest = std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(std::clamp(seconds, lowest, highest));
}

} // namespace

GameState& gameState() { return state.game; }
Map& currentMap() { return state.map; }

TileType cellType(int column, int row)
{
    const std::uint16_t tile = state.map.cell(column, row);
    if (tile >= state.map.tileset.tiles.size())
        return TileType::Land;
    return state.map.tileset.tiles[tile].type;
}

CellRange cellsUnder(float left, float top, float right, float bottom)
{
    const auto column = [](float v) { return std::clamp(static_cast<int>(v / Tileset::tileSize), 0, Map::width - 1); };
    const auto row = [](float v) { return std::clamp(static_cast<int>(v / Tileset::tileSize), 0, Map::height - 1); };
    return {column(left), column(right), row(top), row(bottom)};
}

void restartSecondClock() { state.game.secondStart = KVCore::timeSource().seconds(); }
double secondClockSeconds() { return KVCore::timeSource().seconds() - state.game.secondStart; }

std::int16_t timeLimitForSkill(std::int16_t skillLevel, std::int16_t mapTimeLimit, std::int16_t current)
{
    // A long limit doubled on Easy must not wrap round to a negative time.
    switch (skillLevel) {
    case SkillEasy: return clampedSeconds(2L * mapTimeLimit);
    case SkillNormal: return mapTimeLimit;
    case SkillHard: return static_cast<std::int16_t>(mapTimeLimit * 0.75);
    default: return current;
    }
}

} // namespace Game
