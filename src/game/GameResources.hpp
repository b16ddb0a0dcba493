#pragma once
// What the game loads once at start-up and keeps until it shuts down: the
// three picture screens, the mower and cloud sprites, the sample ids of the
// mower and the grass, the menu and credits music names; the level list read
// from "game.ini" for each game; the folder memory in "kelvane.ini"; and the
// two error texts through which game code tells the calling screen what went
// wrong.
//
// The resource set is one module-level instance, made by gameStartup and
// released by gameShutdown (see GameResources.cpp).

#include "world/Sprite.hpp"

#include <SFML/Graphics/Texture.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A picture the game shows whole (the pause, out-of-time and level-complete
// screens).  The texture is made when the picture is loaded, which needs the
// window.
struct GameTexture {
    std::unique_ptr<sf::Texture> texture;
    bool loaded = false;
    std::uint32_t width = 0, height = 0;
    std::uint32_t halfWidth = 0, halfHeight = 0;
    std::uint32_t radius = 0;  // the smaller half side
};

namespace Game {

struct Resources {
    GameTexture levelComplete;  // "inter_LevelComplete.png"
    GameTexture outOfTime;      // "inter_OutOfTime.png"
    GameTexture paused;         // "inter_Paused.png"
    Sprite mowerIdle;           // "sprites\mowerIdle.spr"
    Sprite mowerMoving;         // "sprites\mowerMoving.spr": its box is the mower's box
    Sprite cloud1;              // "sprites\cloud01.spr"
    Sprite cloud2;              // "sprites\cloud02.spr"
    int skidSound = -1;         // "game\skid"
    int respawnSound = -1;      // "game\respawn"
    int engineIdleSound = -1;   // "game\engine_idle"
    int engineMovingSound = -1; // "game\engine_moving"
    int engineMowingSound = -1; // "game\engine_mowing"
    std::string menuMusic;      // "game.ini" [music] MenuMusic
    std::string creditsMusic;   // "game.ini" [music] CreditsMusic
    bool loaded = false;
};

Resources& resources();

// The last failure of a resource load; shown by the start-up error box.
std::string& resourceError();
// The last failure of the game screen (level list, map loading); the caller
// shows it.
std::string& gameError();

// The levels of one game, read from "game.ini" when a game starts and
// emptied when it ends: map paths ("maps\" + the "map" value) and music
// names, in the order map0, map1, ...
struct MapsList {
    std::vector<std::string> mapPaths;
    std::vector<std::string> musicNames;
};
MapsList& mapsList();
// False with gameError "No entries in maps list" when there is no level.
bool loadMapsList();

// The folders the editors last used, kept in "kelvane.ini" [Other] in the
// working directory (never in the data folder).
struct OtherPaths {
    std::string imageImportPath;
    std::string imageExportPath;
    std::string importTalvexTilesPath;
    std::string importTalvexSpritePath;
};
OtherPaths& otherPaths();
void loadOtherPaths();
void saveOtherPaths();

// After KVCore::init: the game settings, the sound samples, the saved-game
// slots and the resources.  False (after shutting the core down and showing
// the reason) when the game cannot run.
bool gameStartup();
// Resources freed, settings written, slots emptied, core shut down.
void gameShutdown();

bool loadResources();
void freeResources();
// Paths are relative to the data folder.
bool loadGameTexture(GameTexture& texture, const std::string& path);
bool loadGameSprite(Sprite& sprite, const std::string& path);

} // namespace Game
