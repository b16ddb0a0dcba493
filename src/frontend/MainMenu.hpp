#pragma once
// The main menu over "menuback.png": Play, Options, Tools, Help, Credits
// and Exit, with the menu music.

#include <SFML/Graphics/Texture.hpp>

#include <functional>

namespace Frontend {

// Runs until the player chooses "Exit" (or the window is gone).  Without
// its background picture it says so and returns at once.
void runMainMenu();

// The screens the rows lead to, each handed the menu's background.
struct MainMenuScreens {
    // True when a game was played: the menu music then starts again.
    std::function<bool(const sf::Texture&)> play;
    std::function<void(const sf::Texture&)> options;
    std::function<void(const sf::Texture&)> tools;
    std::function<void()> help;
    std::function<void()> credits;
};
// The game's own screens.
MainMenuScreens mainMenuScreens();
// The main menu leading to other screens (tests).
void runMainMenu(const MainMenuScreens& screens);

} // namespace Frontend
