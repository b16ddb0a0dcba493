#pragma once
// The icon sheet: 256 icons of 32 by 32 pixels, each centred in a 64-pixel
// cell of a 1024 by 1024 texture, loaded on the first request.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace Icons {

constexpr int iconCount = 256;
// The toolbar's narrow separator.
constexpr int separatorIcon = 140;

// The sheet rectangle of icon i (0..255).
sf::IntRect iconRect(int index);

void loadIcons();
// The icon's sprite; outside 0..255 a sprite of the whole default texture.
const sf::Sprite& getIcon(int index);

} // namespace Icons
