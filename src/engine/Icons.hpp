#pragma once
// The icon sheet: 256 icons of 32 by 32 pixels, each centred in a 64-pixel
// cell of a 1024 by 1024 texture, loaded on the first request.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace Icons {

// The sheet in the engine's data folder, among the toolkit's textures.
constexpr const char* sheetFile = "textures\\Icons.png";

constexpr int iconCount = 256;
// The toolbar's narrow separator.
constexpr int separatorIcon = 140;

constexpr int iconSize = 32;
constexpr int cellSize = 64;
constexpr int cellMargin = 16;
constexpr int separatorMargin = 26;
constexpr int separatorWidth = 12;

// The sheet rectangle of icon i (0..255).  Shared with the tool that draws
// the sheet, so the two can never disagree.
inline sf::IntRect iconRect(int index)
{
    const int left = (index % 16) * cellSize;
    const int top = (index / 16) * cellSize + cellMargin;
    if (index == separatorIcon)
        return {left + separatorMargin, top, separatorWidth, iconSize};
    return {left + cellMargin, top, iconSize, iconSize};
}

// Loads the sheet now, or again: the first icon request loads it by itself.
void loadIcons();
// The icon's sprite; outside 0..255 a sprite of the whole default texture.
const sf::Sprite& getIcon(int index);

} // namespace Icons
