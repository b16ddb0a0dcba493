#pragma once
// What the toolkit draws, read back as a picture: for the length of one call
// every widget draws into a picture of its own.

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
    kv::setGuiTarget(&canvas);
    draw();
    kv::setGuiTarget(nullptr);
    canvas.display();
    return canvas.getTexture().copyToImage();
}

} // namespace test
