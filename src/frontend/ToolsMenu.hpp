#pragma once
// The tools menu: the map, tile and sprite editors.

#include <SFML/Graphics/Texture.hpp>

namespace Frontend {

enum class Editor { Map, Tile, Sprite };

// Until "Back" or Escape.
void runToolsMenu(const sf::Texture& background);

// Where the tools menu opens an editor.
void openEditor(Editor editor);

} // namespace Frontend
