#include "gui/GroupBox.hpp"

#include "engine/Text.hpp"
#include "gui/Theme.hpp"

namespace kv {

void GroupBox::create(const std::string& titleText, sf::Vector2f newPosition, sf::Vector2f newSize)
{
    position = newPosition;
    size = newSize;
    title.create(position, theme::textColour, titleText);
    setAlpha(255);
    layout();
}

void GroupBox::layout()
{
    const float s = Text::standardLineSpacing(widgetTextSize) * 0.5f;
    const float left = position.x + s, top = position.y + s;
    const float right = position.x + size.x - s, bottom = position.y + size.y - s;
    title.setPosition({left + 10.f, position.y});
    lines[0].p1 = {left, top};
    lines[0].p2 = {left + 6.f, top};
    lines[1].p1 = {left + title.textWidth() + 12.f, top};
    lines[1].p2 = {right, top};
    lines[2].p1 = {left, top};
    lines[2].p2 = {left, bottom};
    lines[3].p1 = {right, top};
    lines[3].p2 = {right, bottom};
    lines[4].p1 = {left, bottom};
    lines[4].p2 = {right, bottom};
}

void GroupBox::draw()
{
    for (Line& line : lines)
        line.draw();
    title.draw();
}

void GroupBox::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    layout();
}

void GroupBox::setSize(sf::Vector2f newSize)
{
    size = newSize;
    layout();
}

void GroupBox::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    sf::Color colour = theme::textColour;
    colour.a = alpha;
    for (Line& line : lines)
        line.colour1 = line.colour2 = colour;
    title.setAlpha(alpha);
}

} // namespace kv
