#include "game/Player.hpp"

#include "audio/Audio.hpp"
#include "engine/Keyboard.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"

#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace Game {
namespace {

// Placed by every level load; lives for the whole program.
Player mower;

bool held(sf::Keyboard::Key a, sf::Keyboard::Key b) { return Keyboard::isKeyDown(a) || Keyboard::isKeyDown(b); }

float reducedHeading(float heading)
{
    float h = std::fmod(heading, 360.f);
    if (h < 0.f)
        h += 360.f;
    return h;
}

const Sprite& movementSprite() { return resources().mowerMoving; }

} // namespace

Player& player() { return mower; }

void placePlayer(float x, float y) { mower = Player{x, y, 0.f, 0.f, 0.f}; }

void steerPlayer()
{
    using K = sf::Keyboard;
    const bool up = held(K::Up, K::W);
    const bool down = held(K::Down, K::S);
    const bool left = held(K::Left, K::A);
    const bool right = held(K::Right, K::D);

    // Up wins over Down and Left over Right.
    float heading = mower.targetHeading;
    if (up)
        heading = left ? 315.f : right ? 45.f : 0.f;
    else if (down)
        heading = left ? 225.f : right ? 135.f : 180.f;
    else if (left)
        heading = 270.f;
    else if (right)
        heading = 90.f;
    else {
        mower.speed = 0.f;
        return;
    }
    mower.targetHeading = heading;
    mower.speed = drivingSpeed;
}

void updatePlayer(float frameTime)
{
    if (mower.speed == 0.f)
        return;

    const float t = reducedHeading(mower.targetHeading);
    float c = reducedHeading(mower.currentHeading);
    const float maxTurn = frameTime * turnRate;
    if (c != t) {
        // The long way round is limited only by the distance the short way
        // would be, so the picture may swing a little past the target.
        if (c > t) {
            const float d = c - t;
            const float step = std::min(d, maxTurn);
            c = d < 180.f ? c - step : c + step;
        } else {
            const float d = t - c;
            const float step = std::min(d, maxTurn);
            c = d < 180.f ? c + step : c - step;
        }
        c = reducedHeading(c);
    }
    mower.currentHeading = c;

    const float dist = mower.speed * frameTime;
    const sf::Vector2f to = moveAlongHeading({mower.x, mower.y}, mower.targetHeading, dist);
    const Sprite& box = movementSprite();
    const float l = box.boxLeft, tp = box.boxTop, r = box.boxRight, b = box.boxBottom;
    if (isAreaFree(boxBlockedByTiles, to.x + l, to.y + tp, to.x + r, to.y + b)) {
        mower.x = to.x;
        mower.y = to.y;
    } else if (isAreaFree(boxBlockedByTiles, to.x + l, mower.y + tp, to.x + r, mower.y + b)) {
        mower.x = to.x;
    } else if (isAreaFree(boxBlockedByTiles, mower.x + l, to.y + tp, mower.x + r, to.y + b)) {
        mower.y = to.y;
    }
}

void mowUnderPlayer()
{
    const Sprite& box = movementSprite();
    const CellRange cells = cellsUnder(mower.x + box.boxLeft, mower.y + box.boxTop, mower.x + box.boxRight,
                                       mower.y + box.boxBottom);
    GameState& game = gameState();
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            std::uint8_t& mown = game.mownFlags[static_cast<std::size_t>(row * Map::width + column)];
            if (mown != 0 || cellType(column, row) != TileType::Grass)
                continue;
            ++game.mownCount;
            mown = 1;
            currentMap().setTile(static_cast<std::int16_t>(column), static_cast<std::int16_t>(row), mownTile, true);
            game.mowingTimer = mowingNoteFrames;
        }
}

bool isAreaFree(std::int16_t kind, float left, float top, float right, float bottom)
{
    if (left < 0.f || top < 0.f || right < 0.f || bottom < 0.f)
        return false;
    if (left >= Map::fieldWidth || right >= Map::fieldWidth || top >= Map::fieldHeight || bottom >= Map::fieldHeight)
        return false;
    if (kind == boxInsideField)
        return true;
    const CellRange cells = cellsUnder(left, top, right, bottom);
    for (int row = cells.firstRow; row <= cells.lastRow; ++row)
        for (int column = cells.firstColumn; column <= cells.lastColumn; ++column) {
            const TileType type = cellType(column, row);
            if (type == TileType::Solid || type == TileType::Water)
                return false;
        }
    return true;
}

sf::Vector2f moveAlongHeading(sf::Vector2f from, float heading, float dist)
{
    if (heading == 0.f)
        return {from.x, from.y - dist};
    if (heading == 180.f)
        return {from.x, from.y + dist};
    if (heading == 270.f)
        return {from.x - dist, from.y};
    if (heading == 90.f)
        return {from.x + dist, from.y};
    const float a = heading * degreesToRadians;
    return {from.x + std::sin(a) * dist, from.y - std::cos(a) * dist};
}

sf::Vector2f soundPosition(float x, float y)
{
    return {x - Map::fieldWidth / 2.f, y - Map::fieldHeight / 2.f};
}

void playSkid(float targetHeadingAtFrameStart)
{
    if (mower.targetHeading == targetHeadingAtFrameStart)
        return;
    Audio::playSound(resources().skidSound, soundPosition(mower.x, mower.y), false, "PlayerSkid", -1.f);
}

void playEngineNote(sf::Vector2f positionAtFrameStart)
{
    GameState& game = gameState();
    const sf::Vector2f at = soundPosition(mower.x, mower.y);
    if (game.mowingTimer >= 1) {
        --game.mowingTimer;
        Audio::playSound(resources().engineMowingSound, at, true, "Player_Mowing", -1.f);
    } else if (mower.x == positionAtFrameStart.x && mower.y == positionAtFrameStart.y) {
        Audio::playSound(resources().engineIdleSound, at, true, "Player_Idle", -1.f);
    } else {
        Audio::playSound(resources().engineMovingSound, at, true, "Player_Moving", -1.f);
    }
}

} // namespace Game
