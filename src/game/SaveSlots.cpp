#include "game/SaveSlots.hpp"

#include "engine/Log.hpp"
#include "game/GameState.hpp"
#include "game/SaveGame.hpp"
#include "platform/FileSystem.hpp"
#include "storage/AssetPaths.hpp"

#include <iomanip>
#include <sstream>

namespace Game {
namespace {

// Built by gameStartup, emptied by gameShutdown.  The current slot is set by
// whoever starts a game and may also point at a slot outside the list (the
// Map Editor's test run).
struct SaveSlotsState {
    std::vector<SaveSlot> slots;
    SaveSlot* current = nullptr;
};

SaveSlotsState& state()
{
    static SaveSlotsState s;
    return s;
}

bool pointsIntoList(const SaveSlot* slot)
{
    for (const SaveSlot& s : state().slots)
        if (&s == slot)
            return true;
    return false;
}

// The folder part of a data path; empty when the path names no folder.
std::string folderOf(const std::string& path)
{
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

} // namespace

std::vector<SaveSlot>& saveSlots() { return state().slots; }

void buildSaveSlots()
{
    clearSaveSlots();
    for (int i = 0; i < saveSlotCount; ++i) {
        std::ostringstream name;
        name << "savegames\\" << std::setw(3) << std::setfill('0') << i << ".sav";
        state().slots.push_back({"", resolvedAssetPath(name.str())});
    }
}

void clearSaveSlots()
{
    // A game must not go on saving into a slot that no longer exists.
    if (pointsIntoList(state().current))
        state().current = nullptr;
    state().slots.clear();
}

SaveSlot*& currentSlot() { return state().current; }

bool saveGame()
{
    const GameState& game = gameState();
    return saveGame(game.levelIndex, game.skillLevel);
}

bool saveGame(std::int16_t levelIndex, std::int16_t skillLevel)
{
    SaveSlot* slot = state().current;
    if (!slot)
        return true;
    // A fresh run folder or a new mod folder has no savegames folder yet.
    const std::string folder = folderOf(slot->path);
    if (!folder.empty() && !platform::fileStatus(folder).isDirectory)
        platform::makeDirectories(folder);

    SaveGame game;
    game.levelIndex = levelIndex;
    game.skillLevel = skillLevel;
    if (!game.save(slot->path)) {
        slot->errorText = game.errorText;
        return false;
    }
    KVCore::print("Game saved to " + slot->path, KVCore::consoleTextColour);
    return true;
}

bool readSaveGame(SaveSlot& slot, std::int16_t& levelIndex, std::int16_t& skillLevel)
{
    SaveGame game;
    if (!game.load(slot.path)) {
        slot.errorText = game.errorText;
        return false;
    }
    levelIndex = game.levelIndex;
    skillLevel = game.skillLevel;
    return true;
}

std::string slotLabel(SaveSlot& slot)
{
    SaveGame game;
    if (!readSaveGame(slot, game.levelIndex, game.skillLevel))
        return emptySlotLabel;
    return game.label();
}

} // namespace Game
