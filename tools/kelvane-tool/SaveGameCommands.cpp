// Saved games in kelvane-tool: what a slot's file holds and how the slot list
// would show it.

#include "Registry.hpp"

#include "game/SaveGame.hpp"

namespace {

bool describeSaveGame(const std::string& path, tool::Json& out, std::string& error)
{
    SaveGame game;
    if (!game.load(path)) {
        error = game.errorText;
        return false;
    }
    out.key("levelIndex").value(static_cast<int>(game.levelIndex));
    out.key("skillLevel").value(static_cast<int>(game.skillLevel));
    out.key("label").value(game.label());
    return true;
}

const bool registered = tool::registerFileKind(
    {"savegame", SaveGame::fileTag, ".sav", tool::TagStyle::LengthPrefixed, false, describeSaveGame,
     [](const std::string& path, std::string& error) {
         tool::Json unused;
         return describeSaveGame(path, unused, error);
     }});

} // namespace
