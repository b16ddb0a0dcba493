#pragma once
// The rules of one frame of play, without drawing or dialogs, so that the
// game screen, tests and tools that play by themselves run the very same
// steps.  The game screen calls the steps one by one, drawing in between;
// playFrame runs them all for a frame that draws nothing.
//
// Playing headless:
//
//     Game::gameState().skillLevel = SkillNormal;
//     Game::startLevel(std::move(map));   // or a level of the level list
//     while (Game::playFrame(1.f / 60) == Game::PlayOutcome::Playing)
//         ...hold keys on the window, step the time source...
//
// The countdown reads the engine's time source, so whoever plays headless
// steps it along with the frames.

#include "world/Map.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <string>

namespace Game {

enum class PlayOutcome {
    Playing,
    OutOfTime,      // the level starts again
    LevelComplete,  // on to the next level
};

// Where the mower stood and which way the keys pointed when the frame began.
struct FrameStart {
    sf::Vector2f position;
    float targetHeading = 0.f;
};

// Level start ------------------------------------------------------------

// Loads the map of that entry of the level list into the current map.
// False with gameError when it cannot be loaded or the list has no such
// entry.
bool loadLevelMap(std::int16_t levelIndex);
// On the current map: grass counted, mower at its start, clouds made, time
// by skill, countdown clock started.
void setUpLevel();
// The map becomes the current one and the level is set up at the game
// state's skill level.
void startLevel(Map map);
// The level of the list with that index, loaded and set up; false with
// gameError.
bool startLevel(std::int16_t levelIndex);

// One frame, in the game screen's order ------------------------------------

FrameStart frameStart();
// Steering, the mower, the clouds and their regrowth, mowing, the skid.
void moveEverything(float frameTime, const FrameStart& start);
// A second off when the countdown clock has run one, with the ambient
// sounds of that second.
void runCountdown();
// The five ambient sounds, each by its own chance.
void rollAmbientSounds();
// What the end of this frame must do: out of time comes first; a completion
// seen at the end of the previous frame is taken (and forgotten) here.
PlayOutcome takeOutcome();
// After the outcome was dealt with: everything mown while time is left
// completes the level at the end of the next frame.
void noteCompletion();

// All the steps above for a frame that draws nothing; after an outcome
// other than Playing the level is over until it is started again.
PlayOutcome playFrame(float frameTime);

// Heads-up texts --------------------------------------------------------------

// Seconds left, three digits ("090").
std::string timeLeftText();
// The same into out, which keeps its room: a frame of play allocates nothing.
void writeTimeLeft(std::string& out);
// 100 mown / grass; 0 on a map without grass.
float percentMown();
// "Level 3: Back Garden (42.5% complete)", at most 511 characters.
std::string levelLine();
void writeLevelLine(std::string& out);

} // namespace Game
