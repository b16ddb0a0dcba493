#pragma once
// A small window with one row of icon buttons.  Free toolbars are dragged by
// their title bar; docked ones scroll when the mouse touches the view's edge.

#include "gui/Button.hpp"
#include "gui/Form.hpp"
#include "gui/Label.hpp"

#include <string>
#include <vector>

namespace kv {

class Toolbar : public Component {
public:
    void create(sf::Vector2f position);
    // An empty hint key keeps the button's own.
    void addButton(const std::string& text, std::int32_t iconId, std::int32_t hotKey = -1,
                   const std::string& hintKey = {});
    void addSeparator();
    // Text right of the buttons; the toolbar widens to hold it.
    void setLabelText(const std::string& text);

    // Releases and removes all buttons.
    void clear() override;
    // Runs only on passes with an engine tick.
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return frame.getAlpha(); }
    void setAlpha(std::uint8_t alpha) override;

    // Screens test buttons[i].clicked after update.
    std::vector<Button> buttons;
    bool docked = false;
    bool dragging = false;
    sf::Vector2i dragStart;
    std::string hintKey;

    Form frame;
    Label label;

private:
    void layout();
    void scrollDocked();
    void dragFree();

    sf::Vector2f position, size;
    sf::Vector2f positionAtDragStart;
    // The owner's width; the row of buttons may make it wider.
    float requestedWidth = 0.f;
};

} // namespace kv
