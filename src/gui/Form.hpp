#pragma once
// A window frame: a title bar with its title over a raised body.

#include "gui/BevelPanel.hpp"
#include "gui/Label.hpp"

#include <string>

namespace kv {

class Form : public Component {
public:
    void create(const std::string& title, sf::Vector2f position, sf::Vector2f size);
    void setTitle(const std::string& title) { titleLabel.setText(title); }
    const std::string& getTitle() const { return titleLabel.getText(); }
    // Line spacing of the standard font at 18 + 4.
    static float titleBarHeight();

    void clear() override {}
    void update() override {}
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return body.getAlpha(); }
    void setAlpha(std::uint8_t alpha) override;

    BevelPanel titleBar;
    Label titleLabel;
    BevelPanel body;

private:
    void layout();

    sf::Vector2f position, size;
};

} // namespace kv
