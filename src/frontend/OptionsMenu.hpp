#pragma once
// The options menu: the Audio Panel, the display mode, deleting saved
// games.

#include <SFML/Graphics/Texture.hpp>

namespace Frontend {

// Until "Back" or Escape.
void runOptionsMenu(const sf::Texture& background);

} // namespace Frontend
