#include "frontend/DeleteMenu.hpp"

#include "frontend/MenuScreen.hpp"
#include "game/SaveSlots.hpp"
#include "gui/Dialogs.hpp"
#include "platform/FileSystem.hpp"

#include <string>

namespace Frontend {

void runDeleteMenu(const sf::Texture& background)
{
    std::vector<Game::SaveSlot>& slots = Game::saveSlots();
    MenuList list;
    list.setTitle("Delete Save Game", "", "");
    int number = 1;
    for (Game::SaveSlot& slot : slots) {
        const std::string what =
            platform::fileExists(slot.path) ? ": Delete " + Game::slotLabel(slot) : std::string(": (no data)");
        list.addRow(std::to_string(number++) + what, 24, slot.path);
    }
    list.addRow("Back", 3, "Go back");

    for (;;) {
        const int row = runMenu(list, background);
        if (row < 0 || row >= static_cast<int>(slots.size()))
            return;
        const std::string& path = slots[static_cast<std::size_t>(row)].path;
        if (!platform::fileExists(path))
            continue;
        if (!kv::confirm("Are you sure that you want to delete this saved game?"))
            continue;
        // A file that stays would still read as a game in the play menu.
        if (!platform::removeFile(path))
            kv::showMessage("Unable to delete " + path);
        return;
    }
}

} // namespace Frontend
