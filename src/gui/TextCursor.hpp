#pragma once
// The blinking caret of the text fields, and the clipped drawing that the
// fields and the list box share.

#include "gui/Component.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/View.hpp>

namespace kv {

class TextCursor : public Component {
public:
    // A black bar 1.25 px wide and one text line high.
    void create(sf::Vector2f position, float lineHeight);
    // Shows the caret at once and starts a new blink period, so a caret
    // that just moved is never hidden.
    void restartBlink();

    void clear() override {}
    // Blinks by the engine clock.
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override { shape.setPosition(topLeft); }
    sf::Vector2f getPosition() const override { return shape.getPosition(); }
    void setSize(sf::Vector2f size) override { shape.setSize(size); }
    sf::Vector2f getSize() const override { return shape.getSize(); }
    float getWidth() const override { return shape.getSize().x; }
    float getHeight() const override { return shape.getSize().y; }
    std::uint8_t getAlpha() const override { return shape.getFillColor().a; }
    void setAlpha(std::uint8_t alpha) override;

    bool visible = true;
    float blinkPeriod = 0.25f;
    // Seconds on the engine clock; doubles, as the clock runs from boot.
    double lastToggle = 0.0;
    sf::RectangleShape shape;
};

// While alive, drawing into the target shows only inside the area (view
// units); coordinates stay those of the target's view.  The GUI target may
// be a screen's own texture, so this clips whatever target it is given.
class ClippedDrawing {
public:
    ClippedDrawing(sf::RenderTarget& target, sf::FloatRect area);
    ~ClippedDrawing();
    ClippedDrawing(const ClippedDrawing&) = delete;
    ClippedDrawing& operator=(const ClippedDrawing&) = delete;

private:
    sf::RenderTarget& target;
    sf::View saved;
};

} // namespace kv
