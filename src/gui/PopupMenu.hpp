#pragma once
// The toolkit's modal choice list: a column of entries (an icon and a label)
// with separator lines between groups, framed by a bevel and drawn over a
// frozen picture of the screen.  show() returns the chosen entry's index, or
// -1 when the menu was dismissed.  Separators take an index like entries.

#include "gui/BevelPanel.hpp"
#include "gui/Line.hpp"
#include "gui/Rectangle.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct PopupMenuItem {
    bool isSeparator = false;
    std::string label;
    // Kept with the entry; the menu does not show it.
    std::string hint;
    // Offset from the menu's top edge.
    float top = 0.f;
    float itemHeight = 0.f;
    Rectangle background;
    sf::Sprite icon;
    Line line;
};

class PopupMenu {
public:
    static constexpr float minimumItemHeight = 36.f;
    static constexpr float separatorHeight = 16.f;
    // Room left of the label for the icon column, and right of it.
    static constexpr float labelLeft = 32.f + 32.f + 10.f;
    static constexpr float extraWidth = 32.f + 10.f + 64.f;

    void create(float x, float y);
    void addItem(const std::string& label, int iconIndex, const std::string& hint = {});
    void addSeparator();
    // Runs the menu until a choice is made.  x and y replace the position
    // only when both are 0 or more.
    std::int32_t show(float x = -1.f, float y = -1.f);

    // One tick of input: show() runs it once per engine tick.
    void update();
    void draw();

    const std::vector<PopupMenuItem>& items() const { return items_; }
    std::int32_t highlighted() const { return highlighted_; }
    // -1 while undecided, -2 dismissed, else the chosen index.
    std::int32_t result() const { return result_; }
    sf::Vector2f position() const { return {x_, y_}; }
    float width() const { return width_; }
    float height() const { return height_; }

private:
    bool isEntry(std::int32_t index) const;
    bool entryUnderMouse(const PopupMenuItem& item) const;
    void keepOnScreen();
    void followButton();
    void moveUp();
    void moveDown();
    void step(int direction);

    std::vector<PopupMenuItem> items_;
    float x_ = 0.f, y_ = 0.f;
    std::int32_t highlighted_ = -1;
    float width_ = 100.f;
    float height_ = 0.f;
    std::int32_t result_ = -1;
    std::int32_t lastMouseX_ = 0, lastMouseY_ = 0;
    bool buttonWasDown_ = false;
    BevelPanel frame_;
    sf::Text labelText_;
};

} // namespace kv
