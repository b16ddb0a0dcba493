#include "gui/Form.hpp"

#include "engine/Text.hpp"
#include "gui/Theme.hpp"

namespace kv {

float Form::titleBarHeight() { return Text::standardLineSpacing(widgetTextSize) + 4.f; }

void Form::create(const std::string& title, sf::Vector2f newPosition, sf::Vector2f newSize)
{
    position = newPosition;
    size = newSize;
    titleBar.create(position, position + size, theme::titleBarLightColour, theme::titleBarDarkColour,
                    theme::titleBarColour);
    titleLabel.create(position, theme::titleTextColour, title);
    body.create(position, position + size, theme::bevelLightColour, theme::bevelDarkColour, theme::faceColour);
    layout();
    setAlpha(255);
}

void Form::layout()
{
    const float bar = titleBarHeight();
    titleBar.setPosition(position);
    titleBar.setSize({size.x, bar});
    titleLabel.setPosition(position + sf::Vector2f(3.f, 3.f));
    body.setPosition({position.x, position.y + bar});
    body.setSize({size.x, size.y - bar});
}

void Form::draw()
{
    titleBar.draw();
    titleLabel.draw();
    body.draw();
}

void Form::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    layout();
}

void Form::setSize(sf::Vector2f newSize)
{
    size = newSize;
    layout();
}

void Form::setAlpha(std::uint8_t alpha)
{
    titleBar.setAlpha(alpha);
    titleLabel.setAlpha(alpha);
    body.setAlpha(alpha);
}

} // namespace kv
