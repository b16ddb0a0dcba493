#pragma once
// The list every menu screen is made of: a titled panel of rows, each with an
// icon, a label and a hint, a highlighted current row, a box showing the
// current row's label and hint beside its icon drawn large, keyboard and
// mouse control, and the three menu sounds.
//
// update() holds the rules and reads input only through the Keyboard and
// Mouse modules; draw() only draws what layout() places.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

namespace Frontend {

struct MenuRow {
    std::string label;
    int icon = 0;
    std::string hint;
};

// Where everything of a list goes in a view of a given size, in view units.
struct MenuLayout {
    float rowHeight = 0.f;
    float width = 0.f;  // of the title panel and of every row
    sf::FloatRect titlePanel;
    std::vector<sf::FloatRect> rows;  // the rows' background rectangles
    sf::FloatRect hintBox;
    sf::FloatRect hintIcon;
    // The current row's label and then its hint, broken into lines that
    // fit the box; the first labelLineCount lines are the label's.
    std::vector<std::string> hintLines;
    std::size_t labelLineCount = 0;
};

class MenuList {
public:
    // Also looks up the feedback sounds by the names the main menu set.
    void setTitle(std::string title, std::string secondLine, std::string thirdLine);
    void setExtraLine(std::string text);
    void addRow(std::string label, int icon, std::string hint = {});

    // Once per events-poller tick: mouse, then keys.
    void update();
    void draw(sf::RenderTarget& target) const;

    // The row chosen in the last update, -1 when none.
    int result() const { return result_; }
    bool cancelled() const { return cancelled_; }
    int current() const { return current_; }
    const std::vector<MenuRow>& rows() const { return rows_; }
    const std::string& title() const { return title_; }

    MenuLayout layout(sf::Vector2f viewSize) const;

private:
    void select(int row);
    void choose();
    int rowUnderMouse(const MenuLayout& layout) const;

    std::string title_, secondLine_, thirdLine_, extraLine_;
    std::vector<MenuRow> rows_;
    int current_ = 0;
    int result_ = -1;
    bool cancelled_ = false;
    int moveSound_ = -1;
    int selectSound_ = -1;
    int cancelSound_ = -1;
};

// Forgets where the mouse was last seen, so the next update counts it as
// moved (for a fresh start of the menus).
void forgetMenuMousePosition();

} // namespace Frontend
