#pragma once
// Icon, separator and text buttons.  A screen reads `clicked` after update;
// the hot key works whenever the button is visible, enabled or not.

#include "gui/BevelPanel.hpp"
#include "gui/Label.hpp"
#include "gui/Rectangle.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include <string>

namespace kv {

// A hint key of its own for a widget that refreshes its hint every frame.
std::string newHintKey();

class Button : public Component {
public:
    enum Style { IconStyle = 0, PlainStyle = 1, TextStyle = 2 };

    // An icon button of 32 by 32 (the separator icon gives 12 by 32);
    // hotKey -1 for none.
    void create(const std::string& text, std::int32_t iconId, sf::Vector2f position, std::int32_t hotKey = -1);
    // Makes it a text button; a width or height of 0 or less is automatic.
    void setTextButton(float width = 0.f, float height = 0.f);
    const std::string& getText() const { return label.getText(); }

    // Forgets that it was created.
    void clear() override;
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    // Buttons size themselves.
    void setSize(sf::Vector2f) override {}
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return face.getAlpha(); }
    void setAlpha(std::uint8_t alpha) override;

    // Results and switches the owning screen reads and sets.
    bool clicked = false;
    bool mouseOver = false;
    bool enabled = true;
    bool visible = true;
    bool noFace = false;

    bool created = false;
    std::string hintKey;
    std::int32_t hotKey = -1;
    std::string keyName;
    int style = IconStyle;
    sf::Vector2f iconOffset, textOffset;

    Rectangle face, hover, disabledOverlay;
    BevelPanel raisedBevel, sunkenBevel;
    Label label;
    sf::Sprite icon;

private:
    sf::Vector2f position, size;
};

} // namespace kv
