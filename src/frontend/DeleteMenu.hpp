#pragma once
// "Delete Save Game": one row per saved-game slot; a slot with a file is
// deleted after a confirmation.

#include <SFML/Graphics/Texture.hpp>

namespace Frontend {

// Until a slot is deleted, "Back" or Escape.
void runDeleteMenu(const sf::Texture& background);

} // namespace Frontend
