#pragma once
// A slider bound to an int of the owner: it shows the int, dragging sets it,
// and the owner may change it at any time.

#include "gui/BevelPanel.hpp"
#include "gui/Label.hpp"
#include "gui/Rectangle.hpp"

#include <string>

namespace kv {

class Scrollbar : public Component {
public:
    // thumbLength 0 (or below) gives a plain bar that fills with the value;
    // a thumb as long as the bar or longer becomes 32.
    void create(const std::string& caption, sf::Vector2f position, sf::Vector2f size, std::int32_t maximum,
                bool vertical, float thumbLength, std::int32_t* valuePointer);
    void setMaximum(std::int32_t maximum);
    std::int32_t getMaximum() const { return maximum; }
    void bind(std::int32_t* valuePointer);
    // The bar's colour for a value against the maximum.
    static sf::Color colourFor(std::int32_t value, std::int32_t maximum);

    void clear() override {}
    // Runs only on passes with an engine tick, and only with a maximum of 1
    // or more.
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return alpha; }
    void setAlpha(std::uint8_t alpha) override;

    bool colourByValue = false;
    bool showLabels = false;
    bool vertical = false;
    bool dragging = false;
    float thumbLength = 0.f;
    std::int32_t minimum = 0;
    std::int32_t shownValue = 0;
    std::string hintKey;

    Label caption, valueLabel;
    BevelPanel track, thumb;
    Rectangle bar;

private:
    void layout();
    std::int32_t value() const;

    sf::Vector2f position, size;
    std::int32_t maximum = 0;
    std::int32_t* valuePointer = nullptr;
    // What the last layout used, so a switch by the owner shows at once.
    bool colouredByValue = false;
    std::uint8_t alpha = 255;
};

} // namespace kv
