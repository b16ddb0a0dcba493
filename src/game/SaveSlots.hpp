#pragma once
// The eight saved-game slots and the slot the game being played saves to.
// A slot's file holds only the level index and the skill level (SaveGame);
// the game writes it at the start of every level.
//
// The slot list is one module-level instance, built by gameStartup and
// emptied by gameShutdown (see SaveSlots.cpp).

#include <cstdint>
#include <string>
#include <vector>

namespace Game {

constexpr int saveSlotCount = 8;

struct SaveSlot {
    std::string errorText;  // the last failure on this slot
    std::string path;       // resolved "savegames\000.sav" .. "savegames\007.sav"
};

std::vector<SaveSlot>& saveSlots();
void buildSaveSlots();
void clearSaveSlots();

// Where saveGame writes; null when no game is saving (then nothing is
// written).  Set by the play menu before a game starts and by the Map
// Editor's test run.
SaveSlot*& currentSlot();

// Writes the game state's level index and skill level to the current slot,
// making its folder when needed; prints "Game saved to <path>".  False with
// the slot's errorText when it could not be written.  True, and nothing
// written, when no slot is current.
bool saveGame();
// The same with the level and skill given.
bool saveGame(std::int16_t levelIndex, std::int16_t skillLevel);
// False with the slot's errorText ("Unable to open <path>", "Not a valid
// save game file", "Saved game file is too advanced"); the outputs are
// unchanged then.
bool readSaveGame(SaveSlot& slot, std::int16_t& levelIndex, std::int16_t& skillLevel);
// "Normal - Level 3", or "(empty slot)" when the file cannot be read.
std::string slotLabel(SaveSlot& slot);

} // namespace Game
