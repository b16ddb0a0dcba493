#include "gui/TextMemo.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Label.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// A selected line break shows as this much highlight past the line's end.
constexpr float lineBreakMark = 5.f;

float offsetIn(const sf::Text& line, std::int32_t column)
{
    return line.findCharacterPos(static_cast<std::size_t>(column)).x - line.getPosition().x;
}

} // namespace

void TextMemo::create(sf::Vector2f newPosition, sf::Vector2f newSize, const std::string& initialText)
{
    if (id < 0)
        takeId();
    position = newPosition;
    size = newSize;
    text = initialText;
    cursor = anchor = selectionStart = selectionLength = 0;
    top = 0;
    scrollX = 0.f;
    frame.create(position, position + size, textField::shadowEdgeColour, textField::litEdgeColour,
                 textField::fillColour);
    caret.create(position, lineHeight());
    splitLines();
    setAlpha(255);
}

float TextMemo::lineHeight() const { return Text::standardLineSpacing(widgetTextSize); }

std::int32_t TextMemo::visibleLines() const
{
    const float h = lineHeight();
    if (h <= 0.f)
        return 1;
    return std::max(1, static_cast<std::int32_t>((size.y - 2.f * textField::padding) / h));
}

std::int32_t TextMemo::lineOf(std::int32_t index) const
{
    const auto after = std::upper_bound(lineStarts.begin(), lineStarts.end(), index);
    return static_cast<std::int32_t>(after - lineStarts.begin()) - 1;
}

std::int32_t TextMemo::lineStartAt(std::int32_t index) const
{
    if (index <= 0)
        return 0;
    const auto found = text.rfind('\n', static_cast<std::size_t>(index - 1));
    return found == std::string::npos ? 0 : static_cast<std::int32_t>(found) + 1;
}

std::int32_t TextMemo::lineEndAt(std::int32_t index) const
{
    const auto found = text.find('\n', static_cast<std::size_t>(index));
    return found == std::string::npos ? static_cast<std::int32_t>(text.size()) : static_cast<std::int32_t>(found);
}

std::string TextMemo::lineText(std::int32_t line) const
{
    const std::int32_t start = lineStarts[static_cast<std::size_t>(line)];
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(lineEndAt(start) - start));
}

void TextMemo::splitLines()
{
    lineStarts.assign(1, 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            lineStarts.push_back(static_cast<std::int32_t>(i) + 1);
}

void TextMemo::moveLines(std::int32_t n)
{
    const std::int32_t column = cursor - lineStartAt(cursor);
    std::int32_t start = lineStartAt(cursor);
    for (; n < 0 && start > 0; ++n)
        start = lineStartAt(start - 1);
    for (; n > 0; --n) {
        const std::int32_t end = lineEndAt(start);
        if (end == static_cast<std::int32_t>(text.size()))
            break;
        start = end + 1;
    }
    moveCaret(start + std::min(column, lineEndAt(start) - start));
}

bool TextMemo::memoKey(std::int32_t code)
{
    const bool control = Keyboard::isKeyDown(sf::Keyboard::LControl) || Keyboard::isKeyDown(sf::Keyboard::RControl);
    // Page moves go by the lines the memo's height holds.
    const float h = lineHeight();
    const std::int32_t page = h > 0.f ? std::max(1, static_cast<std::int32_t>(std::lround(size.y / h))) : 1;
    switch (code) {
    case sf::Keyboard::Return: insertText("\n"); return true;
    case sf::Keyboard::Up: moveLines(-1); return true;
    case sf::Keyboard::Down: moveLines(1); return true;
    case sf::Keyboard::PageUp: moveLines(-page); return true;
    case sf::Keyboard::PageDown: moveLines(page); return true;
    // Home and End keep to the caret's line; with Control they go to the
    // ends of the whole text.
    case sf::Keyboard::Home: moveCaret(control ? 0 : lineStartAt(cursor)); return true;
    case sf::Keyboard::End:
        moveCaret(control ? static_cast<std::int32_t>(text.size()) : lineEndAt(cursor));
        return true;
    default: return false;
    }
}

sf::FloatRect TextMemo::inner() const
{
    const float p = textField::padding;
    return {position.x + p, position.y + p, size.x - 2.f * p, size.y - 2.f * p};
}

std::int32_t TextMemo::indexAt(sf::Vector2f point) const
{
    const sf::FloatRect area = inner();
    const float h = std::max(lineHeight(), 1.f);
    const auto row = static_cast<std::int32_t>(std::floor((point.y - area.top) / h));
    const std::int32_t line = std::clamp(top + row, 0, lineCount() - 1);
    const std::string content = lineText(line);
    sf::Text measure = textField::makeText(content);
    const float x = point.x - (area.left - scrollX);
    const auto length = static_cast<std::int32_t>(content.size());
    std::int32_t column = length;
    for (std::int32_t i = 0; i < length; ++i) {
        if (x < (offsetIn(measure, i) + offsetIn(measure, i + 1)) / 2.f) {
            column = i;
            break;
        }
    }
    return lineStarts[static_cast<std::size_t>(line)] + column;
}

void TextMemo::followCaret()
{
    const std::int32_t line = lineOf(cursor);
    const std::int32_t rows = visibleLines();
    if (line < top)
        top = line;
    if (line >= top + rows)
        top = line - rows + 1;
    top = std::clamp(top, 0, std::max(0, lineCount() - rows));

    const std::int32_t start = lineStarts[static_cast<std::size_t>(line)];
    const float caretX = offsetIn(textField::makeText(lineText(line)), cursor - start);
    const float room = std::max(inner().width - 2.f, 1.f);
    if (caretX - scrollX > room)
        scrollX = caretX - room;
    if (caretX < scrollX)
        scrollX = caretX;
    scrollX = std::max(0.f, scrollX);
}

void TextMemo::layout()
{
    laidOutText = text;
    laidOutCursor = cursor;
    laidOutStart = selectionStart;
    laidOutLength = selectionLength;
    laidOutTop = top;

    const sf::FloatRect area = inner();
    const float h = lineHeight();
    const float left = std::round(area.left - scrollX);
    const std::int32_t last = std::min(lineCount(), top + visibleLines());
    const std::int32_t selectionEnd = selectionStart + selectionLength;
    shownLines.clear();
    for (std::int32_t line = top; line < last; ++line) {
        // A line outside the selection keeps an empty highlight, which draws nothing.
        ShownLine shown{textField::makeText(lineText(line)), sf::RectangleShape()};
        const float y = area.top + static_cast<float>(line - top) * h;
        shown.text.setPosition(left, y - 1.f);
        shown.text.setFillColor(withAlpha(shown.text.getFillColor(), alpha));

        const std::int32_t start = lineStarts[static_cast<std::size_t>(line)];
        const std::int32_t end = lineEndAt(start);
        const std::int32_t from = std::max(selectionStart, start), to = std::min(selectionEnd, end);
        const bool breakSelected =
            selectionEnd > end && selectionStart <= end && end < static_cast<std::int32_t>(text.size());
        if (hasSelection() && (from < to || breakSelected)) {
            const float x0 = offsetIn(shown.text, from - start);
            const float x1 = offsetIn(shown.text, std::max(from, to) - start) + (breakSelected ? lineBreakMark : 0.f);
            shown.highlight.setPosition(left + x0, y);
            shown.highlight.setSize({x1 - x0, h});
            shown.highlight.setFillColor(withAlpha(textField::selectionColour, alpha));
        }
        shownLines.push_back(std::move(shown));
    }

    const std::int32_t caretLine = lineOf(cursor);
    caretInView = caretLine >= top && caretLine < last;
    if (caretInView) {
        const sf::Text& line = shownLines[static_cast<std::size_t>(caretLine - top)].text;
        const std::int32_t column = cursor - lineStarts[static_cast<std::size_t>(caretLine)];
        caret.setPosition({left + offsetIn(line, column), area.top + static_cast<float>(caretLine - top) * h});
    }
}

void TextMemo::update()
{
    const sf::FloatRect field(position, size);
    const bool mouseInside =
        Mouse::isInRect(field.left, field.top, field.left + field.width, field.top + field.height);
    if (Mouse::clicked(Mouse::Left) && mouseInside)
        setFocusedId(id);
    keepInText();
    if (hasFocus()) {
        shiftHeld = Keyboard::isKeyDown(sf::Keyboard::LShift) || Keyboard::isKeyDown(sf::Keyboard::RShift);
        if (KVCore::window().hasFocus()) {
            const std::vector<std::int32_t> keys = Keyboard::pressedKeys();
            for (std::int32_t code : keys)
                if (memoKey(code) || editKey(code))
                    Keyboard::keyHit(code);
        }
        // A Tab may have given the keyboard away.
        if (hasFocus()) {
            typeIn();
            clipboardShortcuts();
        }
    }
    splitLines();
    if (hasFocus())
        mouseSelect(field, [this](sf::Vector2f p) { return indexAt(p); });
    else
        dragging = false;

    // The wheel scrolls the view and leaves the caret where it is.
    if (KVCore::tickFlag() && (hasFocus() || mouseInside)) {
        const auto lines = static_cast<std::int32_t>(Mouse::wheelDelta());
        top = std::clamp(top - lines, 0, std::max(0, lineCount() - visibleLines()));
    }

    caret.update();
    const bool edited = text != laidOutText || cursor != laidOutCursor || selectionStart != laidOutStart ||
                        selectionLength != laidOutLength;
    if (edited) {
        followCaret();
        caret.restartBlink();
    }
    if (edited || top != laidOutTop)
        layout();
}

void TextMemo::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    frame.draw();
    ClippedDrawing clip(*target, inner());
    for (const ShownLine& line : shownLines)
        target->draw(line.highlight);
    for (const ShownLine& line : shownLines)
        target->draw(line.text);
    if (hasFocus() && caretInView)
        caret.draw();
}

void TextMemo::clear()
{
    text.clear();
    cursor = anchor = selectionStart = selectionLength = 0;
    top = 0;
    scrollX = 0.f;
    splitLines();
    layout();
}

void TextMemo::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    frame.setPosition(position);
    layout();
}

void TextMemo::setSize(sf::Vector2f newSize)
{
    size = newSize;
    frame.setSize(size);
    splitLines();
    followCaret();
    layout();
}

void TextMemo::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    frame.setAlpha(alpha);
    caret.setAlpha(alpha);
    layout();
}

} // namespace kv
