#pragma once
// What the toolkit and the engine draw, read back as a picture: for the
// length of one call every widget and the screen below them draw into a
// picture of its own.

#include "engine/Layers.hpp"
#include "gui/Component.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <functional>

namespace test {

inline sf::Image drawnPicture(sf::Vector2u size, sf::Color background, const std::function<void()>& draw)
{
    sf::Image picture;
    sf::RenderTexture canvas;
    if (!canvas.create(size.x, size.y)) {
        ADD_FAILURE() << "no picture of " << size.x << "x" << size.y << " to draw into";
        picture.create(size.x, size.y, sf::Color::Magenta);
        return picture;
    }
    canvas.clear(background);
    KVCore::setCurrentTarget(&canvas);
    kv::setGuiTarget(&canvas);
    draw();
    kv::setGuiTarget(nullptr);
    KVCore::setCurrentTarget(nullptr);
    canvas.display();
    return canvas.getTexture().copyToImage();
}

} // namespace test
