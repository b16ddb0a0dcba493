#pragma once
// A 1-px line between two points, each end with its own colour.

#include "gui/Component.hpp"

#include <SFML/Graphics/Color.hpp>

namespace kv {

class Line : public Component {
public:
    // Both ends in one colour.
    void set(sf::Vector2f from, sf::Vector2f to, sf::Color colour);

    void clear() override {}
    void update() override {}
    void draw() override;
    // The top-left of the two points; moving shifts both.
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override;
    // Keeps the upper-left point, puts the other at upper-left + size.
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override;
    float getWidth() const override;
    float getHeight() const override;
    std::uint8_t getAlpha() const override { return colour1.a; }
    void setAlpha(std::uint8_t alpha) override;

    sf::Vector2f p1, p2;
    sf::Color colour1 = sf::Color::White, colour2 = sf::Color::White;
};

} // namespace kv
