#pragma once
// The loop every menu screen runs: frames over the main menu's background
// with the list drawn on it, the list updated on ticks, until a row is
// chosen or the list is cancelled.

#include "frontend/MenuList.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <functional>

namespace Frontend {

// What ended a run of the menu loop.
constexpr int menuCancelled = -1;
constexpr int menuWindowGone = -2;

// Runs frames until the list has a result: the row chosen, menuCancelled
// after Escape, or menuWindowGone once the window has closed.  drawExtra
// draws over the list in each frame (the main menu's mod folder line).
int runMenu(MenuList& list, const sf::Texture& background,
            const std::function<void(sf::RenderTarget&)>& drawExtra = {});

// Runs at the start of every frame of every menu (null: none): for tests,
// and for timing the start.
void setMenuFrameHook(std::function<void(const MenuList&)> hook);

} // namespace Frontend
