#include "gui/TextBox.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Label.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Clipboard.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <locale>

namespace kv {

namespace textField {

sf::String displayString(const std::string& text) { return sf::String(text, std::locale()); }

sf::Text makeText(const std::string& text)
{
    sf::Text t(displayString(text), Text::standardFont(), widgetTextSize);
    t.setFillColor(theme::textColour);
    return t;
}

} // namespace textField

namespace {

bool keyDown(sf::Keyboard::Key key) { return Keyboard::isKeyDown(key); }
bool controlHeld() { return keyDown(sf::Keyboard::LControl) || keyDown(sf::Keyboard::RControl); }

} // namespace

std::string EditableText::selectedText() const
{
    if (!hasSelection())
        return {};
    return text.substr(static_cast<std::size_t>(selectionStart), static_cast<std::size_t>(selectionLength));
}

void EditableText::moveCaret(std::int32_t to)
{
    const auto length = static_cast<std::int32_t>(text.size());
    to = std::clamp(to, 0, length);
    if (shiftHeld) {
        if (!hasSelection())
            anchor = cursor;
        cursor = to;
        selectionStart = std::min(anchor, cursor);
        selectionLength = std::abs(anchor - cursor);
    } else {
        cursor = to;
        anchor = cursor;
        selectionLength = 0;
    }
}

void EditableText::deleteSelection()
{
    if (!hasSelection())
        return;
    text.erase(static_cast<std::size_t>(selectionStart), static_cast<std::size_t>(selectionLength));
    cursor = anchor = selectionStart;
    selectionLength = 0;
}

bool EditableText::accepts(char c) const
{
    if (multiLine && c == '\n')
        return true;
    const auto u = static_cast<unsigned char>(c);
    // Control characters (Escape among them) never go into the text.
    if (u < 32 || u == 127)
        return false;
    if (numericOnly)
        return (c >= '0' && c <= '9') || c == '.' || c == '-';
    return true;
}

void EditableText::insertText(std::string_view typed)
{
    for (char c : typed) {
        if (!accepts(c))
            continue;
        // A full text still takes a character that replaces a selection.
        if (static_cast<std::int64_t>(text.size()) - selectionLength >= maxLength)
            break;
        deleteSelection();
        text.insert(static_cast<std::size_t>(cursor), 1, c);
        anchor = ++cursor;
    }
}

void EditableText::selectAll()
{
    anchor = 0;
    selectionStart = 0;
    selectionLength = cursor = static_cast<std::int32_t>(text.size());
}

void EditableText::keepInText()
{
    const auto length = static_cast<std::int32_t>(text.size());
    cursor = std::clamp(cursor, 0, length);
    anchor = std::clamp(anchor, 0, length);
    selectionStart = std::clamp(selectionStart, 0, length);
    selectionLength = std::clamp(selectionLength, 0, length - selectionStart);
}

bool EditableText::editKey(std::int32_t code)
{
    switch (code) {
    case sf::Keyboard::Backspace:
        if (hasSelection()) {
            deleteSelection();
        } else if (cursor > 0) {
            text.erase(static_cast<std::size_t>(cursor - 1), 1);
            anchor = --cursor;
        }
        return true;
    case sf::Keyboard::Delete:
        // Shift+Delete is the cut shortcut.
        if (shiftHeld)
            return false;
        if (hasSelection())
            deleteSelection();
        else if (cursor < static_cast<std::int32_t>(text.size()))
            text.erase(static_cast<std::size_t>(cursor), 1);
        return true;
    case sf::Keyboard::Left: moveCaret(cursor - 1); return true;
    case sf::Keyboard::Right: moveCaret(cursor + 1); return true;
    case sf::Keyboard::Tab: {
        const std::int32_t next = nextTakenId(focusedId());
        if (next >= 0)
            setFocusedId(next);
        return true;
    }
    default: return false;
    }
}

void EditableText::typeIn()
{
    // Typed text stays in place for every frame until the next tick, so only
    // the pass that ran the tick reads it.
    if (!KVCore::tickFlag() || controlHeld() || keyDown(sf::Keyboard::LAlt))
        return;
    insertText(Keyboard::typedText());
}

void EditableText::clipboardShortcuts()
{
    const bool control = controlHeld();
    // The key is held a moment longer than the tick that saw it: wait for it
    // to come up, and forget whatever else was pressed meanwhile, so one
    // press acts once.
    const auto done = [](sf::Keyboard::Key key) {
        Keyboard::waitKeyRelease(key);
        Keyboard::clearTickInput();
    };
    const auto cut = [this] {
        if (!hasSelection())
            return;
        sf::Clipboard::setString(textField::displayString(selectedText()));
        deleteSelection();
    };
    if (control && Keyboard::keyHit(sf::Keyboard::X)) {
        cut();
        done(sf::Keyboard::X);
    } else if (shiftHeld && Keyboard::keyHit(sf::Keyboard::Delete)) {
        cut();
        done(sf::Keyboard::Delete);
    } else if (control && Keyboard::keyHit(sf::Keyboard::C)) {
        if (hasSelection())
            sf::Clipboard::setString(textField::displayString(selectedText()));
        done(sf::Keyboard::C);
    } else if (control && Keyboard::keyHit(sf::Keyboard::V)) {
        insertText(sf::Clipboard::getString().toAnsiString(std::locale()));
        done(sf::Keyboard::V);
    } else if (shiftHeld && Keyboard::keyHit(sf::Keyboard::Insert)) {
        insertText(sf::Clipboard::getString().toAnsiString(std::locale()));
        done(sf::Keyboard::Insert);
    } else if (control && Keyboard::keyHit(sf::Keyboard::A)) {
        selectAll();
    }
}

void EditableText::mouseSelect(sf::FloatRect field, const std::function<std::int32_t(sf::Vector2f)>& indexAt)
{
    const sf::Vector2i m = Mouse::getViewPosition();
    const sf::Vector2f mouse(static_cast<float>(m.x), static_cast<float>(m.y));
    if (Mouse::getButtons() & Mouse::leftBit) {
        if (!dragging) {
            const sf::Vector2i p = Mouse::pressPosition(Mouse::Left);
            const sf::Vector2f press(static_cast<float>(p.x), static_cast<float>(p.y));
            if (!Mouse::buttonDown(Mouse::Left) || !field.contains(press))
                return;
            dragging = true;
            anchor = indexAt(press);
        }
        cursor = indexAt(mouse);
        selectionStart = std::min(anchor, cursor);
        selectionLength = std::abs(anchor - cursor);
        return;
    }
    const bool dragged = dragging;
    dragging = false;
    // A press and release within one tick never showed as a drag.
    if (!dragged && Mouse::clicked(Mouse::Left) && field.contains(mouse)) {
        cursor = anchor = indexAt(mouse);
        selectionLength = 0;
    }
}

float TextBox::boxHeight() { return Text::standardLineSpacing(widgetTextSize) + 2.f * textField::padding; }

void TextBox::create(const std::string& initialText, sf::Vector2f newPosition, float width, std::int32_t newMaxLength)
{
    if (id < 0)
        takeId();
    text = initialText;
    maxLength = newMaxLength;
    cursor = anchor = static_cast<std::int32_t>(text.size());
    selectionStart = selectionLength = 0;
    scroll = 0.f;
    position = newPosition;
    size = {width, boxHeight()};
    frame.create(position, position + size, textField::shadowEdgeColour, textField::litEdgeColour,
                 textField::fillColour);
    shown = textField::makeText(text);
    caret.create(position, Text::standardLineSpacing(widgetTextSize));
    highlight.setFillColor(textField::selectionColour);
    setAlpha(255);
    layout();
}

void TextBox::clear()
{
    text.clear();
    cursor = anchor = selectionStart = selectionLength = 0;
    scroll = 0.f;
    layout();
}

sf::FloatRect TextBox::inner() const
{
    const float p = textField::padding;
    return {position.x + p, position.y, size.x - 2.f * p, size.y};
}

float TextBox::caretOffset(std::int32_t index) const
{
    return shown.findCharacterPos(static_cast<std::size_t>(index)).x - shown.getPosition().x;
}

std::int32_t TextBox::indexAt(sf::Vector2f point) const
{
    const float x = point.x - shown.getPosition().x;
    const auto length = static_cast<std::int32_t>(text.size());
    // The nearest gap between characters.
    for (std::int32_t i = 0; i < length; ++i)
        if (x < (caretOffset(i) + caretOffset(i + 1)) / 2.f)
            return i;
    return length;
}

void TextBox::layout()
{
    laidOutText = text;
    laidOutCursor = cursor;
    laidOutStart = selectionStart;
    laidOutLength = selectionLength;

    shown.setString(textField::displayString(text));
    shown.setPosition(0.f, 0.f);
    const sf::FloatRect field = inner();
    const float room = std::max(field.width - 2.f, 1.f);
    const float caretX = caretOffset(cursor);
    const float textWidth = caretOffset(static_cast<std::int32_t>(text.size()));
    if (caretX - scroll > room)
        scroll = caretX - room;
    if (caretX < scroll)
        scroll = caretX;
    // No empty room at the right end while the text is scrolled.
    scroll = std::max(0.f, std::min(scroll, textWidth - room));

    const float left = std::round(field.left - scroll);
    const float top = position.y + textField::padding;
    shown.setPosition(left, top - 1.f);
    caret.setPosition({left + caretX, top});
    const float from = caretOffset(selectionStart);
    highlight.setPosition(left + from, top);
    highlight.setSize({caretOffset(selectionStart + selectionLength) - from, caret.getHeight()});
}

void TextBox::update()
{
    const sf::FloatRect field(position, size);
    if (Mouse::clicked(Mouse::Left) && Mouse::isInRect(field.left, field.top, field.left + field.width,
                                                       field.top + field.height))
        setFocusedId(id);
    keepInText();
    if (hasFocus()) {
        shiftHeld = keyDown(sf::Keyboard::LShift) || keyDown(sf::Keyboard::RShift);
        // Keys this box acts on are taken from the tick's list, so a Tab
        // does not hop on through every box updated after this one.
        if (KVCore::window().hasFocus()) {
            const std::vector<std::int32_t> keys = Keyboard::pressedKeys();
            for (std::int32_t code : keys) {
                bool used = editKey(code);
                if (code == sf::Keyboard::Home || code == sf::Keyboard::End) {
                    moveCaret(code == sf::Keyboard::Home ? 0 : static_cast<std::int32_t>(text.size()));
                    used = true;
                }
                if (used)
                    Keyboard::keyHit(code);
            }
        }
        // A Tab may have given the keyboard away.
        if (hasFocus()) {
            typeIn();
            clipboardShortcuts();
            mouseSelect(field, [this](sf::Vector2f p) { return indexAt(p); });
        }
    } else {
        dragging = false;
    }

    caret.update();
    if (text != laidOutText || cursor != laidOutCursor || selectionStart != laidOutStart ||
        selectionLength != laidOutLength) {
        layout();
        caret.restartBlink();
    }
}

void TextBox::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    frame.draw();
    ClippedDrawing clip(*target, inner());
    if (hasSelection())
        target->draw(highlight);
    target->draw(shown);
    if (hasFocus())
        caret.draw();
}

void TextBox::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    frame.setPosition(position);
    layout();
}

void TextBox::setSize(sf::Vector2f newSize)
{
    size = {newSize.x, boxHeight()};
    frame.setSize(size);
    layout();
}

void TextBox::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    frame.setAlpha(alpha);
    caret.setAlpha(alpha);
    shown.setFillColor(withAlpha(shown.getFillColor(), alpha));
    highlight.setFillColor(withAlpha(highlight.getFillColor(), alpha));
}

} // namespace kv
