#include "engine/Quad.hpp"

#include "engine/Layers.hpp"

#include <SFML/Graphics/Vertex.hpp>

namespace KVCore {

void drawTexturedQuad(int layer, const sf::Texture& texture, sf::Vector2f position, sf::Vector2f size,
                      sf::Color colour, sf::IntRect textureRect)
{
    sf::RenderTarget* target = layerTarget(layer);
    if (!target)
        return;
    if (textureRect.width == 0 || textureRect.height == 0)
        textureRect = {0, 0, static_cast<int>(texture.getSize().x), static_cast<int>(texture.getSize().y)};
    const float l = static_cast<float>(textureRect.left), t = static_cast<float>(textureRect.top);
    const float r = l + static_cast<float>(textureRect.width), b = t + static_cast<float>(textureRect.height);
    const sf::Vertex quad[] = {
        {position, colour, {l, t}},
        {{position.x + size.x, position.y}, colour, {r, t}},
        {position + size, colour, {r, b}},
        {{position.x, position.y + size.y}, colour, {l, b}},
    };
    sf::RenderStates states;
    states.texture = &texture;
    target->draw(quad, 4, sf::Quads, states);
}

} // namespace KVCore
