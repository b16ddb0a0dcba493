#include "game/WorldObjects.hpp"

#include "game/GameResources.hpp"
#include "game/GrassRespawn.hpp"
#include "game/Player.hpp"
#include "world/Map.hpp"

#include <cstdlib>

namespace Game {
namespace {

// Emptied and filled by every level load; lives for the whole program.
std::vector<WorldObject> objects;

// Width or height of a cloud's first frame, 0 when it has none.
int firstFrameSide(const Sprite& sprite, bool width)
{
    if (sprite.frames.empty())
        return 0;
    const sf::FloatRect bounds = sprite.frames.front().sprite.getLocalBounds();
    return static_cast<int>(width ? bounds.width : bounds.height);
}

// A place from side to the far edge less side along one axis.  A cloud as
// large as half the field or more has no such room and starts at the
// centre; the draw is made either way so later clouds see the same numbers.
float placeAlong(int fieldSide, int side)
{
    const int half = fieldSide / 2;
    const unsigned draw = static_cast<unsigned>(std::rand());
    if (side >= half)
        return static_cast<float>(half);
    const unsigned room = 2u * static_cast<unsigned>(half - side);
    return static_cast<float>(draw % room + static_cast<unsigned>(side));
}

} // namespace

std::vector<WorldObject>& worldObjects() { return objects; }

void createClouds(std::int16_t count)
{
    Resources& r = resources();
    for (int i = 0; i < count; ++i) {
        Sprite& sprite = std::rand() % 2 != 0 ? r.cloud1 : r.cloud2;
        const float x = placeAlong(Map::fieldWidth, firstFrameSide(sprite, true));
        const float y = placeAlong(Map::fieldHeight, firstFrameSide(sprite, false));
        std::rand();
        WorldObject cloud;
        cloud.x = x;
        cloud.y = y;
        cloud.altitude = cloudAltitude;
        cloud.speed = cloudSpeed;
        cloud.sprite = &sprite;
        objects.push_back(cloud);
    }
}

void updateWorldObject(WorldObject& object, float frameTime)
{
    const float dist = object.speed * frameTime;
    const sf::Vector2f from{object.x, object.y};
    const sf::Vector2f to = moveAlongHeading(from, object.heading, dist);
    object.x = to.x;
    object.y = to.y;
    const Sprite* s = object.sprite;
    const float l = s ? s->boxLeft : 0.f, t = s ? s->boxTop : 0.f;
    const float r = s ? s->boxRight : 0.f, b = s ? s->boxBottom : 0.f;
    const std::int16_t kind = object.altitude > tileClearance ? boxInsideField : boxBlockedByTiles;
    if (!isAreaFree(kind, to.x + l, to.y + t, to.x + r, to.y + b)) {
        // Back where it was; the new heading counts from the next frame.
        object.x = from.x;
        object.y = from.y;
        object.heading = static_cast<float>(std::rand() % 256);
    }
    regrowUnder(object);
}

} // namespace Game
