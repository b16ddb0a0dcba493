#include "frontend/ToolsMenu.hpp"

#include "editors/MapEditor.hpp"
#include "editors/SpriteEditor.hpp"
#include "editors/TileEditor.hpp"
#include "frontend/MenuScreen.hpp"
#include "storage/AssetPaths.hpp"

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

// Each editor runs until its Exit is confirmed, then the menu is back.
void openEditor(Editor editor)
{
    switch (editor) {
    case Editor::Map: Editors::runMapEditor(); break;
    case Editor::Tile: Editors::runTileEditor(resolvedAssetPath("tiles\\kelvane.til"), 0); break;
    case Editor::Sprite: Editors::runSpriteEditor(); break;
    }
}

} // namespace Frontend
