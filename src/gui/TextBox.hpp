#pragma once
// One-line text entry, and the editing rules it shares with the memo:
// caret, Shift selection, clipboard shortcuts, Tab to the next focusable
// widget, and an optional numbers-only filter.

#include "gui/BevelPanel.hpp"
#include "gui/TextCursor.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace kv {

// The look the text box and the memo share.
namespace textField {
inline constexpr float padding = 3.f;
inline const sf::Color fillColour(255, 255, 255, 255);
inline const sf::Color shadowEdgeColour(111, 111, 111, 255);
inline const sf::Color litEdgeColour(255, 255, 255, 255);
inline const sf::Color selectionColour(153, 201, 255, 255);

// 8-bit text in the system code page, widened through the locale as labels
// do.
sf::String displayString(const std::string& text);
// The standard font at 18, in the text colour.
sf::Text makeText(const std::string& text);
} // namespace textField

// The edited text with its caret and selection.  Owners read and write the
// text directly; the widgets pull caret and selection back inside it.
class EditableText {
public:
    bool hasSelection() const { return selectionLength > 0; }
    std::string selectedText() const;
    // Without Shift the selection is dropped; with it, the selection runs
    // from the anchor (the caret, when nothing was selected) to the caret.
    void moveCaret(std::int32_t to);
    void deleteSelection();
    // Puts what the filter lets through at the caret, replacing the
    // selection, and stops once the text holds maxLength characters.
    void insertText(std::string_view typed);
    void selectAll();

    std::string text;
    std::int32_t cursor = 0;
    std::int32_t anchor = 0;
    std::int32_t selectionStart = 0;
    std::int32_t selectionLength = 0;
    bool shiftHeld = false;
    std::int32_t maxLength = std::numeric_limits<std::int32_t>::max();
    bool numericOnly = false;

protected:
    explicit EditableText(bool multiLine) : multiLine(multiLine) {}
    ~EditableText() = default;
    EditableText(const EditableText&) = default;
    EditableText& operator=(const EditableText&) = default;

    void keepInText();
    // Backspace, Delete, Left, Right and Tab; false for any other key.
    bool editKey(std::int32_t code);
    // The tick's typed text, unless Control or left Alt is held.
    void typeIn();
    // Control+X, C, V and A, Shift+Delete and Shift+Insert.
    void clipboardShortcuts();
    // Press and drag inside the field select; a click places the caret.
    // indexAt turns a view point into a place in the text.
    void mouseSelect(sf::FloatRect field, const std::function<std::int32_t(sf::Vector2f)>& indexAt);

    bool dragging = false;

private:
    bool accepts(char c) const;

    bool multiLine;
};

class TextBox : public Component, public EditableText {
public:
    TextBox() : EditableText(false) {}

    // The caret goes to the end of the initial text.
    void create(const std::string& initialText, sf::Vector2f position, float width, std::int32_t maxLength);
    // Height of every text box: one line of text and its padding.
    static float boxHeight();

    void clear() override;
    void update() override;
    void draw() override;
    void setPosition(sf::Vector2f topLeft) override;
    sf::Vector2f getPosition() const override { return position; }
    // Only the width counts: the height is always one line.
    void setSize(sf::Vector2f size) override;
    sf::Vector2f getSize() const override { return size; }
    float getWidth() const override { return size.x; }
    float getHeight() const override { return size.y; }
    std::uint8_t getAlpha() const override { return alpha; }
    void setAlpha(std::uint8_t alpha) override;

    TextCursor caret;
    BevelPanel frame;
    sf::RectangleShape highlight;
    sf::Text shown;

private:
    // Places text, caret and highlight, scrolling the text sideways so the
    // caret stays inside the field.
    void layout();
    float caretOffset(std::int32_t index) const;
    std::int32_t indexAt(sf::Vector2f point) const;
    sf::FloatRect inner() const;

    sf::Vector2f position, size;
    std::uint8_t alpha = 255;
    float scroll = 0.f;
    std::string laidOutText;
    std::int32_t laidOutCursor = -1, laidOutStart = -1, laidOutLength = -1;
};

} // namespace kv
