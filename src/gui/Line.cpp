#include "gui/Line.hpp"

#include <SFML/Graphics/Vertex.hpp>

#include <algorithm>
#include <cmath>

namespace kv {

void Line::set(sf::Vector2f from, sf::Vector2f to, sf::Color colour)
{
    p1 = from;
    p2 = to;
    colour1 = colour;
    colour2 = colour;
}

void Line::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    // Through pixel centres, so a line on whole coordinates lights exactly one
    // row or column of pixels.
    const sf::Vector2f half(0.5f, 0.5f);
    const sf::Vertex vertices[2] = {sf::Vertex(p1 + half, colour1), sf::Vertex(p2 + half, colour2)};
    target->draw(vertices, 2, sf::Lines);
}

sf::Vector2f Line::getPosition() const { return {std::min(p1.x, p2.x), std::min(p1.y, p2.y)}; }

void Line::setPosition(sf::Vector2f topLeft)
{
    const sf::Vector2f offset = topLeft - getPosition();
    p1 += offset;
    p2 += offset;
}

void Line::setSize(sf::Vector2f size)
{
    p1 = getPosition();
    p2 = p1 + size;
}

sf::Vector2f Line::getSize() const { return {std::fabs(p2.x - p1.x), std::fabs(p2.y - p1.y)}; }
float Line::getWidth() const { return getSize().x; }
float Line::getHeight() const { return getSize().y; }

void Line::setAlpha(std::uint8_t alpha)
{
    colour1.a = alpha;
    colour2.a = alpha;
}

} // namespace kv
