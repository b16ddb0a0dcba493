#pragma once
// Shared by the sprite fuzz targets: a refused file leaves the sprite as it
// was; an accepted one always packs, with every frame inside the texture.

#include "FuzzInput.hpp"

#include "world/Sprite.hpp"

#include <cstdlib>

namespace fuzz {

template <typename Load>
int checkSpriteLoader(const std::uint8_t* data, std::size_t size, Load load)
{
    Sprite sprite;
    sf::Image before;
    before.create(2, 2, sf::Color::Red);
    sprite.description = "before";
    sprite.addFrame(before, "before.png", 10, true);
    if (!load(sprite, writeInput(data, size))) {
        if (sprite.description != "before" || sprite.frames.size() != 1 || sprite.textureSize() != sf::Vector2u(16, 16))
            std::abort();
        return 0;
    }
    if (!sprite.buildTexture())
        std::abort();
    const sf::Vector2u textureSize = sprite.textureSize();
    for (const SpriteFrame& frame : sprite.frames) {
        if (frame.image.getSize().x > Sprite::maxFrameSide || frame.image.getSize().y > Sprite::maxFrameSide)
            std::abort();
        if (static_cast<unsigned>(frame.textureRect.left + frame.textureRect.width) > textureSize.x ||
            static_cast<unsigned>(frame.textureRect.top + frame.textureRect.height) > textureSize.y)
            std::abort();
    }
    return 0;
}

} // namespace fuzz
