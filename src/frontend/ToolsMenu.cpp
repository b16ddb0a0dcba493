#include "frontend/ToolsMenu.hpp"

#include "frontend/MenuScreen.hpp"

namespace Frontend {

void runToolsMenu(const sf::Texture& background)
{
    MenuList list;
    list.setTitle("Tools", "", "");
    list.addRow("Map Editor", 75);
    list.addRow("Tile Editor", 154);
    list.addRow("Sprite Editor", 146);
    list.addRow("Back", 3, "Go back");
    for (;;) {
        switch (runMenu(list, background)) {
        case 0: openEditor(Editor::Map); break;
        case 1: openEditor(Editor::Tile); break;
        case 2: openEditor(Editor::Sprite); break;
        default: return;
        }
    }
}

// The editors come with their own screens; until they are in, a tool row
// leaves the player in this menu.  The Tile Editor opens on
// resolvedAssetPath("tiles\\kelvane.til").
void openEditor(Editor) {}

} // namespace Frontend
