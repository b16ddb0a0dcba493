#pragma once
// The screen a level is played on: it reads the level list, loads one level
// after the other and runs the frame loop of play until the player returns
// to the menu or the game is completed.

#include "game/GameResources.hpp"

#include <cstdint>
#include <functional>
#include <string>

namespace Game {

// From the play menu: fromEditor false and an empty path.  From the Map
// Editor: level 0, skill Normal, fromEditor true and the editor's map file,
// which then stands in for the first level.  False only when the level list
// cannot be read or the first level cannot be loaded; gameError says why.
bool runGame(std::int16_t levelIndex, std::int16_t skillLevel, bool fromEditor, const std::string& mapPath);

// One level of the list: the "Loading map..." frame, the game saved to
// the current slot, the map, its music, then the level set up for play.
// False with gameError when the map cannot be loaded.
bool loadLevel(std::int16_t levelIndex);

// A picture over a frozen copy of the screen, until Space, Escape or a click.
void showPictureScreen(const GameTexture& picture);

// Test seam: runs at the start of every frame of play (null: none).
void setGameFrameHook(std::function<void()> hook);

} // namespace Game
