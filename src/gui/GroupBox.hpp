#pragma once
// A titled frame drawn in thin black lines; the title breaks the top line.

#include "gui/Label.hpp"
#include "gui/Line.hpp"

#include <array>
#include <string>

namespace kv {

class GroupBox : public Component {
public:
    void create(const std::string& title, sf::Vector2f position, sf::Vector2f size);

    void clear() override {}
    void update() override {}
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return alpha; }
    void setAlpha(std::uint8_t alpha) override;

    Label title;
    // Top-left stub, top-right part, left, right, bottom.
    std::array<Line, 5> lines;

private:
    void layout();

    sf::Vector2f position, size;
    std::uint8_t alpha = 255;
};

} // namespace kv
