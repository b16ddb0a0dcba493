#pragma once
// One line of text.  Widgets use the standard font at 18 px.

#include "gui/Component.hpp"

#include <SFML/Graphics/Text.hpp>

#include <string>

namespace kv {

constexpr unsigned widgetTextSize = 18;

class Label : public Component {
public:
    // Uses the engine's standard font when font is null.
    void create(sf::Vector2f position, sf::Color colour, const std::string& text, const sf::Font* font = nullptr,
                unsigned characterSize = widgetTextSize);
    void setText(const std::string& text);
    const std::string& getText() const { return content; }
    void setColour(sf::Color colour);
    sf::Color getColour() const { return colour; }
    // Width of the text as drawn (its advance, not its ink).
    float textWidth() const;
    float lineSpacing() const;
    bool isCreated() const { return created; }

    void clear() override;
    void update() override {}
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override;
    // Labels size themselves to their text; setSize is ignored.
    void setSize(sf::Vector2f) override {}
    sf::Vector2f getSize() const override;
    float getWidth() const override;
    float getHeight() const override;
    std::uint8_t getAlpha() const override;
    void setAlpha(std::uint8_t alpha) override;

    sf::Text text;

private:
    std::string content;
    sf::Color colour = sf::Color::Black;
    bool created = false;
};

} // namespace kv
