#pragma once
// The plainest widget: a filled, outlined rectangle, and a part of most
// others.

#include "gui/Component.hpp"

#include <SFML/Graphics/RectangleShape.hpp>

namespace kv {

class Rectangle : public Component {
public:
    // Takes two corners, not a size.  Fill transparent, outline white 1 px;
    // callers recolour the shape afterwards.
    void create(sf::Vector2f topLeft, sf::Vector2f bottomRight);

    void clear() override {}
    void update() override {}
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override;
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override;
    float getWidth() const override;
    float getHeight() const override;
    // The fill's alpha.
    std::uint8_t getAlpha() const override;
    // Fill and outline alike, keeping their colours.
    void setAlpha(std::uint8_t alpha) override;

    sf::RectangleShape shape;
};

} // namespace kv
