#pragma once
// The ride-on mower: steered to one of eight headings by the keys, driven
// at a fixed speed along the chosen heading while its picture turns towards
// it, stopped by the field's edges and by Solid and Water tiles (sliding
// along them where it can), cutting every Grass tile under its box.
//
// One Player, module-level (see Player.cpp).  Its box is that of the moving
// mower sprite in Game::resources(), whichever picture is drawn.

#include <SFML/System/Vector2.hpp>

#include <cstdint>

namespace Game {

struct Player {
    float x = 0.f, y = 0.f;        // field pixels, the centre of the picture
    float targetHeading = 0.f;     // degrees clockwise from up, by the keys
    float currentHeading = 0.f;    // the drawn heading, turning towards the target
    float speed = 0.f;             // field pixels per second
};

constexpr float drivingSpeed = 180.f;
constexpr float turnRate = 480.f;  // degrees per second
constexpr float degreesToRadians = 0.0174532924f;
constexpr std::int16_t mowingNoteFrames = 20;
// The tile a cut cell gets before the grass edges are formatted round it.
constexpr std::uint16_t mownTile = 1023;

// Box test kinds: tiles count, or only the field's edges.
constexpr std::int16_t boxBlockedByTiles = 1;
constexpr std::int16_t boxInsideField = 2;

Player& player();
// A new level: at the start position, facing up, standing.
void placePlayer(float x, float y);

// From the live key state: the heading the keys ask for, and the speed.
void steerPlayer();
// Turns the drawn heading and drives along the target heading.
void updatePlayer(float frameTime);
// Cuts the Grass under the mower's box.
void mowUnderPlayer();

// False when the box reaches outside the 800 by 512 field; with kind 1 also
// when it touches a Solid or Water tile of the current map.
bool isAreaFree(std::int16_t kind, float left, float top, float right, float bottom);

// One step of dist along a heading; headings 0, 90, 180 and 270 move along
// one axis only, leaving the other coordinate exactly as it was.
sf::Vector2f moveAlongHeading(sf::Vector2f from, float heading, float dist);

// A game sound at a field position is placed relative to the field's centre.
sf::Vector2f soundPosition(float x, float y);

// The skid, when the keys changed the heading during this frame.
void playSkid(float targetHeadingAtFrameStart);
// The engine's looped note for this frame: mowing while the mowing note
// lasts, idle when the mower did not move this frame, else moving.
void playEngineNote(sf::Vector2f positionAtFrameStart);

} // namespace Game
