#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

namespace KVCore {

// Draws a four-vertex quad into a layer's target; an empty texture
// rectangle means the whole texture.
void drawTexturedQuad(int layer, const sf::Texture& texture, sf::Vector2f position, sf::Vector2f size,
                      sf::Color colour, sf::IntRect textureRect = {});

} // namespace KVCore
