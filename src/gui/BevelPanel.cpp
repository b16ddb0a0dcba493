#include "gui/BevelPanel.hpp"

namespace kv {

void BevelPanel::create(sf::Vector2f topLeft, sf::Vector2f bottomRight, sf::Color lightColour, sf::Color darkColour,
                        sf::Color fillColour)
{
    position = topLeft;
    size = bottomRight - topLeft;
    fill.create(topLeft, bottomRight);
    fill.shape.setOutlineThickness(0.f);
    setColours(lightColour, darkColour, fillColour);
    layout();
}

void BevelPanel::setColours(sf::Color lightColour, sf::Color darkColour, sf::Color fillColour)
{
    fill.shape.setFillColor(fillColour);
    hollow = fillColour.a == 0;
    top.colour1 = top.colour2 = left.colour1 = left.colour2 = lightColour;
    bottom.colour1 = bottom.colour2 = right.colour1 = right.colour2 = darkColour;
}

void BevelPanel::layout()
{
    const float x = position.x, y = position.y, w = size.x, h = size.y;
    fill.setPosition(position);
    fill.setSize(size);
    top.p1 = {x, y};
    top.p2 = {x + w, y};
    left.p1 = {x, y};
    left.p2 = {x, y + h};
    bottom.p1 = {x, y + h};
    bottom.p2 = {x + w, y + h};
    right.p1 = {x + w, y};
    right.p2 = {x + w, y + h};
}

void BevelPanel::draw()
{
    fill.draw();
    top.draw();
    left.draw();
    bottom.draw();
    right.draw();
}

void BevelPanel::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    layout();
}

void BevelPanel::setSize(sf::Vector2f newSize)
{
    size = newSize;
    layout();
}

void BevelPanel::setAlpha(std::uint8_t alpha)
{
    if (!hollow)
        fill.setAlpha(alpha);
    top.setAlpha(alpha);
    left.setAlpha(alpha);
    bottom.setAlpha(alpha);
    right.setAlpha(alpha);
}

} // namespace kv
