// Talvex sprite imports, then the packing of what was accepted.
#include "FuzzInput.hpp"

#include "world/Sprite.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Sprite sprite;
    sf::Image before;
    before.create(2, 2, sf::Color::Red);
    sprite.description = "before";
    sprite.addFrame(before, "before.png", 10, true);
    if (!sprite.importTalvexSprite(fuzz::writeInput(data, size))) {
        // A refused file leaves the sprite as it was.
        if (sprite.description != "before" || sprite.frames.size() != 1 || sprite.textureSize() != sf::Vector2u(16, 16))
            std::abort();
        return 0;
    }
    if (!sprite.buildTexture())
        std::abort();
    const sf::Vector2u textureSize = sprite.textureSize();
    for (const SpriteFrame& frame : sprite.frames)
        if (static_cast<unsigned>(frame.textureRect.left + frame.textureRect.width) > textureSize.x ||
            static_cast<unsigned>(frame.textureRect.top + frame.textureRect.height) > textureSize.y)
            std::abort();
    return 0;
}
