#pragma once
// The play menu: "Select Game Slot", and for a slot without a game "Skill
// Level"; then the game, after which the main menu takes over again.

#include "frontend/PlayGame.hpp"

#include <SFML/Graphics/Texture.hpp>

namespace Frontend {

// True when the game screen ran (it may have changed the music).  Escape or
// "Back" on either list leaves for the main menu.
bool runPlayMenu(const sf::Texture& background);
// The same with another game screen (tests).
bool runPlayMenu(const sf::Texture& background, const GameRunner& runGame);

} // namespace Frontend
