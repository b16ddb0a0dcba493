#include "gui/Rectangle.hpp"

namespace kv {

void Rectangle::create(sf::Vector2f topLeft, sf::Vector2f bottomRight)
{
    shape.setPosition(topLeft);
    shape.setSize(bottomRight - topLeft);
    shape.setFillColor(sf::Color::Transparent);
    shape.setOutlineColor(sf::Color::White);
    shape.setOutlineThickness(1.f);
}

void Rectangle::draw()
{
    if (sf::RenderTarget* target = guiTarget())
        target->draw(shape);
}

void Rectangle::setPosition(sf::Vector2f topLeft) { shape.setPosition(topLeft); }
sf::Vector2f Rectangle::getPosition() const { return shape.getPosition(); }
void Rectangle::setSize(sf::Vector2f size) { shape.setSize(size); }
sf::Vector2f Rectangle::getSize() const { return shape.getSize(); }
float Rectangle::getWidth() const { return shape.getSize().x; }
float Rectangle::getHeight() const { return shape.getSize().y; }
std::uint8_t Rectangle::getAlpha() const { return shape.getFillColor().a; }

void Rectangle::setAlpha(std::uint8_t alpha)
{
    sf::Color fill = shape.getFillColor();
    sf::Color outline = shape.getOutlineColor();
    fill.a = alpha;
    outline.a = alpha;
    shape.setFillColor(fill);
    shape.setOutlineColor(outline);
}

} // namespace kv
