#pragma once
// Multi-line text entry for the editors' text fields and the script
// console: the text box's editing rules plus line breaks, line moves and a
// view that follows the caret.

#include "gui/TextBox.hpp"

#include <vector>

namespace kv {

class TextMemo : public Component, public EditableText {
public:
    TextMemo() : EditableText(true) {}

    void create(sf::Vector2f position, sf::Vector2f size, const std::string& initialText = {});
    float lineHeight() const;
    std::int32_t lineCount() const { return static_cast<std::int32_t>(lineStarts.size()); }
    // The line a place in the text is on.
    std::int32_t lineOf(std::int32_t index) const;
    // First line shown.
    std::int32_t topLine() const { return top; }
    // Lines that fit between the top and bottom padding.
    std::int32_t visibleLines() const;

    // Empties the text and puts caret and view back at the start.
    void clear() override;
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

    TextCursor caret;
    BevelPanel frame;

private:
    // Return, Up, Down, Page Up, Page Down, Home and End.
    bool memoKey(std::int32_t code);
    // Caret n lines down (up when negative), keeping its column where the
    // target line is long enough.
    void moveLines(std::int32_t n);
    std::int32_t lineStartAt(std::int32_t index) const;
    std::int32_t lineEndAt(std::int32_t index) const;
    std::string lineText(std::int32_t line) const;
    std::int32_t indexAt(sf::Vector2f point) const;
    sf::FloatRect inner() const;
    void splitLines();
    // Brings the caret into view after it moved or the text changed.
    void followCaret();
    // Texts, highlights and caret for the lines in view.
    void layout();

    struct ShownLine {
        sf::Text text;
        sf::RectangleShape highlight;
    };

    sf::Vector2f position, size;
    std::uint8_t alpha = 255;
    std::int32_t top = 0;
    float scrollX = 0.f;
    std::vector<std::int32_t> lineStarts{0};
    std::vector<ShownLine> shownLines;
    bool caretInView = false;
    std::string laidOutText;
    std::int32_t laidOutCursor = -1, laidOutStart = -1, laidOutLength = -1, laidOutTop = -1;
};

} // namespace kv
