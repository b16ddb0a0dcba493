#pragma once
// The clouds drifting over the field: created at random places at each
// level load, they float straight on at a slow speed, turn to a random new
// heading at the field's edges, and let mown grass grow back beneath them.
//
// One list, module-level (see WorldObjects.cpp), in creation order.

#include "world/Sprite.hpp"

#include <cstdint>
#include <vector>

namespace Game {

struct WorldObject {
    // Nonzero: drawn opaque and regrows nothing.  0 for every cloud.
    std::int16_t noRegrow = 0;
    float x = 0.f, y = 0.f;
    float heading = 0.f;         // degrees clockwise from up
    std::int16_t altitude = 0;   // also the shadow's offset
    float speed = 0.f;           // field pixels per second
    Sprite* sprite = nullptr;    // one of the cloud sprites of Game::resources()
};

constexpr std::int16_t cloudAltitude = 32;
constexpr float cloudSpeed = 40.f;
// Above this an object flies over every tile; only the field's edges turn it.
constexpr std::int16_t tileClearance = 16;

std::vector<WorldObject>& worldObjects();

// Appends count clouds; the list is emptied by the level load first.
void createClouds(std::int16_t count);
// Drifts on, turns at the edges, then lets grass grow back underneath.
void updateWorldObject(WorldObject& object, float frameTime);

} // namespace Game
