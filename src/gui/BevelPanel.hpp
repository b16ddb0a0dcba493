#pragma once
// A filled box with light top and left edges and dark bottom and right ones;
// swap the two colours for a sunken look.

#include "gui/Line.hpp"
#include "gui/Rectangle.hpp"

namespace kv {

class BevelPanel : public Component {
public:
    void create(sf::Vector2f topLeft, sf::Vector2f bottomRight, sf::Color lightColour, sf::Color darkColour,
                sf::Color fillColour);
    void setColours(sf::Color lightColour, sf::Color darkColour, sf::Color fillColour);

    void clear() override {}
    void update() override {}
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return hollow ? top.getAlpha() : fill.getAlpha(); }
    void setAlpha(std::uint8_t alpha) override;

    Rectangle fill;
    Line top, left, bottom, right;

private:
    void layout();

    sf::Vector2f position, size;
    // A panel made without fill keeps none when faded.
    bool hollow = false;
};

} // namespace kv
