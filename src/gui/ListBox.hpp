#pragma once
// A framed list of one-line items with a slider bar when they outnumber the
// rows.  Selectable lists move a highlight with mouse and keys and report a
// double click; text displays wrap a text into lines and only scroll.

#include "gui/BevelPanel.hpp"
#include "gui/Rectangle.hpp"
#include "gui/Scrollbar.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

namespace kv {

class ListBox : public Component {
public:
    struct Item {
        std::string text;
        bool hasIcon = false;
        sf::Sprite icon;
        sf::Text label;
    };

    // Two clicks on one line closer together than this are a double click.
    static constexpr double doubleClickSeconds = 0.5;
    static constexpr float sliderWidth = 16.f;

    void create(sf::Vector2f position, std::int32_t rows, float width);
    // iconId -1 for none.
    void addItem(const std::string& text, std::int32_t iconId = -1);
    void addItem(const std::string& text, const sf::Sprite& icon);
    // The text, wrapped into lines that fit the box, replaces the items.
    void setText(const std::string& text);
    bool loadFromTextFile(const std::string& path);
    void moveUp(std::int32_t lines);
    void moveDown(std::int32_t lines);
    std::int32_t count() const { return static_cast<std::int32_t>(items.size()); }
    // Height of one item line.
    static float lineHeight();
    // Room for item text on one line: the box less the slider bar, less 1.
    float innerWidth() const;

    // Drops the items and puts selection, top and slider bar back.
    void clear() override;
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    // The height is rounded down to whole rows.
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return alpha; }
    void setAlpha(std::uint8_t alpha) override;

    std::vector<Item> items;
    bool selectable = true;
    std::int32_t selection = -1;
    // Index of the item last double-clicked; the owner puts it back to -1
    // once it has acted.
    std::int32_t activated = -1;
    std::int32_t lastClickRow = -1;
    // When lastClickRow was clicked, on the engine clock.
    double clickTime = 0.0;
    std::int32_t top = 0;
    std::int32_t rows = 0;
    bool keyboardEnabled = true;
    bool scrollable = false;

    BevelPanel frame;
    Rectangle highlight;
    bool highlightShown = false;  // the selected line is in view

private:
    // The slider bar is bound to the value beside it; a copied list must
    // bind its own copy.
    struct Slider {
        Scrollbar bar;
        std::int32_t value = 0;
        Slider() = default;
        Slider(const Slider& other);
        Slider& operator=(const Slider& other);
    };

    std::int32_t visibleEnd() const;
    sf::FloatRect lineArea(std::int32_t index) const;
    sf::FloatRect textArea() const;
    void pullSelectionIntoView();
    void clickLines();
    void keys();
    void placeNewItem();
    void layoutSlider();
    // Places the lines in view and the highlight.
    void layoutLines();

    sf::Vector2f position, size;
    std::uint8_t alpha = 255;
    Slider slider;
    std::int32_t laidOutTop = -1, laidOutSelection = -2;
    // Top as the last pass found it, to tell when the list was scrolled.
    std::int32_t pulledTop = 0;
    bool linesDirty = true;
};

} // namespace kv
