#include "frontend/PlayGame.hpp"

#include "game/GameResources.hpp"
#include "game/SaveSlots.hpp"
#include "gui/Dialogs.hpp"
#include "platform/FileSystem.hpp"

namespace Frontend {

void playFromSlot(int slotIndex, const SkillQuestion& askSkill, const GameRunner& runGame)
{
    std::vector<Game::SaveSlot>& slots = Game::saveSlots();
    if (slotIndex < 0 || static_cast<std::size_t>(slotIndex) >= slots.size())
        return;
    Game::SaveSlot& slot = slots[static_cast<std::size_t>(slotIndex)];
    Game::currentSlot() = &slot;

    std::int16_t levelIndex = 0;
    std::int16_t skillLevel = 0;
    // A file that is there but unreadable is not an empty slot: starting
    // afresh would overwrite what the player may still want.
    if (platform::fileStatus(slot.path).exists) {
        if (!Game::readSaveGame(slot, levelIndex, skillLevel)) {
            kv::showMessage(slot.errorText);
            return;
        }
    } else {
        const std::optional<std::int16_t> skill = askSkill ? askSkill() : std::nullopt;
        if (!skill)
            return;
        skillLevel = *skill;
    }
    if (!runGame(levelIndex, skillLevel, false, ""))
        kv::showMessage(Game::gameError());
}

} // namespace Frontend
