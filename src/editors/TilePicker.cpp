#include "editors/TilePicker.hpp"

#include "editors/TileEditor.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/ObjectBrowser.hpp"
#include "world/Tileset.hpp"

#include <string>

namespace Editors {

bool pickTile(Tileset& tileset, int& index, bool allowEdit)
{
    kv::ObjectBrowser browser;
    browser.create("Select Tile", allowEdit);
    // Pictures come from the atlas texture, which only a display can hold.
    const bool drawable = KVCore::window().renderWindow() != nullptr;
    const sf::Vector2f size(static_cast<float>(Tileset::tileSize), static_cast<float>(Tileset::tileSize));
    for (int i = 0; i < Tileset::tileCount; ++i) {
        const Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        const std::string caption =
            "Tile " + std::to_string(i) + ": " + tile.description + " - " + Tileset::getTypeName(tile.type);
        browser.addEntry(drawable ? tileset.tileSprite(static_cast<std::uint16_t>(i)) : sf::Sprite(), caption, size);
    }
    browser.setStart(index);

    const kv::ObjectBrowser::Choice choice = browser.run();
    if (choice.index < 0)
        return false;
    index = choice.index;
    if (choice.edit) {
        // A tileset that was never saved has no file to edit or reload; the
        // editor then starts a new one and this tileset stays as it is.
        const std::string path = tileset.fileName;
        runTileEditor(path, index);
        if (!path.empty())
            tileset.load(path);
    }
    return true;
}

} // namespace Editors
