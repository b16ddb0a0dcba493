#include "game/GrassRespawn.hpp"

#include "audio/Audio.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/WorldObjects.hpp"

#include <cstdlib>

namespace Game {

void regrowUnder(const WorldObject& object)
{
    if (object.noRegrow != 0)
        return;
    if (std::rand() % regrowChancePerFrame >= 1)
        return;

    const Sprite* s = object.sprite;
    const float l = s ? s->boxLeft : 0.f, t = s ? s->boxTop : 0.f;
    const float r = s ? s->boxRight : 0.f, b = s ? s->boxBottom : 0.f;
    const CellRange cells = cellsUnder(object.x + l, object.y + t, object.x + r, object.y + b);
    if (cells.firstRow > cells.lastRow)
        return;

    GameState& game = gameState();
    for (int y = cells.firstRow; y <= cells.lastRow; ++y)
        for (int x = cells.firstColumn; x <= cells.lastColumn; ++x) {
            // Every cell rolls, mown or not, so the draws do not depend on
            // what the mower did.
            if (std::rand() % regrowChancePerTile >= 1)
                continue;
            std::uint8_t& mown = game.mownFlags[static_cast<std::size_t>(y * Map::width + x)];
            if (mown == 0)
                continue;
            --game.mownCount;
            mown = 0;
            currentMap().setTile(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), regrownTile, true);
            const sf::Vector2f at(32.f * x - Map::fieldWidth / 2.f, 32.f * y - Map::fieldHeight / 2.f);
            Audio::playSound(resources().respawnSound, at, false, "GRASS_RESPAWN", -1.f);
        }
}

} // namespace Game
