#include "gui/Toolbar.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Icons.hpp"
#include "engine/Layers.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"

#include <algorithm>

namespace kv {
namespace {

const sf::Color labelColour(35, 35, 35, 255);
constexpr float buttonGap = 4.f;
constexpr float separatorGap = 16.f;
constexpr float edgeMargin = 2.f;
constexpr float scrollStep = 30.f;
constexpr float labelGap = 8.f;

float rowHeight() { return Text::standardLineSpacing(widgetTextSize) + 32.f + 16.f; }

// Keeps a span inside the view when it fits, and covering it when it does not.
float keepInside(float start, float length, float viewLength)
{
    const float slack = viewLength - length;
    return std::clamp(start, std::min(0.f, slack), std::max(0.f, slack));
}

} // namespace

void Toolbar::create(sf::Vector2f newPosition)
{
    buttons.clear();
    position = newPosition;
    requestedWidth = rowHeight() * 3.f;
    size = {requestedWidth, rowHeight()};
    docked = false;
    dragging = false;
    hintKey = newHintKey();
    frame.create("Toolbar", position, size);
    label.create(position, labelColour, "");
}

void Toolbar::addButton(const std::string& text, std::int32_t iconId, std::int32_t hotKey,
                        const std::string& buttonHintKey)
{
    Button& b = buttons.emplace_back();
    b.create(text, iconId, position, hotKey);
    if (!buttonHintKey.empty())
        b.hintKey = buttonHintKey;
    layout();
}

void Toolbar::setLabelText(const std::string& text)
{
    label.setText(text);
    layout();
}

void Toolbar::addSeparator() { addButton("", Icons::separatorIcon, -1); }

void Toolbar::clear()
{
    buttons.clear();
    layout();
}

void Toolbar::layout()
{
    const float spacing = Text::standardLineSpacing(widgetTextSize);
    float x = position.x + edgeMargin;
    const float y = position.y + spacing + 8.f;
    float rowEnd = x;
    for (Button& b : buttons) {
        b.setPosition({x, y});
        rowEnd = x + b.getWidth();
        x = rowEnd + (b.style == Button::PlainStyle ? separatorGap : buttonGap);
    }
    label.setPosition({rowEnd + labelGap, y + (32.f - spacing) * 0.5f});
    const float contentEnd =
        label.getText().empty() ? rowEnd + edgeMargin : rowEnd + 2.f * labelGap + label.textWidth();
    size.x = std::max(requestedWidth, contentEnd - position.x);
    frame.setPosition(position);
    frame.setSize(size);
}

void Toolbar::update()
{
    if (!KVCore::tickFlag())
        return;
    if (docked)
        scrollDocked();
    else
        dragFree();
    for (Button& b : buttons)
        b.update();
}

void Toolbar::scrollDocked()
{
    const sf::Vector2f view = KVCore::viewSize();
    const sf::Vector2i mouse = Mouse::getViewPosition();
    sf::Vector2f p = position;
    if (mouse.x <= 0 && p.x < 0.f)
        p.x = std::min(p.x + scrollStep, 0.f);
    if (static_cast<float>(mouse.x) >= view.x - 1.f && p.x + size.x > view.x)
        p.x = std::max(p.x - scrollStep, view.x - size.x);
    if (mouse.y <= 0 && p.y < 0.f)
        p.y = std::min(p.y + scrollStep, 0.f);
    if (static_cast<float>(mouse.y) >= view.y - 1.f && p.y + size.y > view.y)
        p.y = std::max(p.y - scrollStep, view.y - size.y);
    if (p != position)
        setPosition(p);

    if (Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + Form::titleBarHeight()))
        KVCore::showHint(hintKey, sf::Vector2f(mouse) + sf::Vector2f(10.f, 20.f), 0.f,
                         "This toolbar is docked and cannot be dragged");
}

void Toolbar::dragFree()
{
    const sf::Vector2i mouse = Mouse::getViewPosition();
    const bool held = (Mouse::getButtons() & Mouse::leftBit) != 0;
    const bool overTitle =
        Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + Form::titleBarHeight());
    const sf::Vector2f hintAt = sf::Vector2f(mouse) + sf::Vector2f(10.f, 20.f);

    if (!dragging) {
        if (held && overTitle && !Mouse::isCaptured()) {
            dragging = true;
            dragStart = mouse;
            positionAtDragStart = position;
            Mouse::beginCapture();
        } else if (overTitle) {
            KVCore::showHint(hintKey, hintAt, 0.f, "Drag");
        }
    }
    if (!dragging)
        return;
    if (!held) {
        dragging = false;
        Mouse::endCapture();
        return;
    }
    const sf::Vector2f view = KVCore::viewSize();
    sf::Vector2f p = positionAtDragStart + sf::Vector2f(mouse - dragStart);
    p.x = keepInside(p.x, size.x, view.x);
    p.y = keepInside(p.y, size.y, view.y);
    if (p != position)
        setPosition(p);
    KVCore::showHint(hintKey, hintAt, 0.f,
                     std::to_string(static_cast<int>(p.x)) + ", " + std::to_string(static_cast<int>(p.y)));
}

void Toolbar::draw()
{
    // The frame, its title and the buttons stay inside the bar; only that
    // strip of the GUI layer need be composed.
    const sf::Vector2f margin(2.f, 2.f);
    const KVCore::LayerArea drawnOver({position - margin, size + margin * 2.f});
    frame.draw();
    label.draw();
    for (Button& b : buttons)
        b.draw();
}

void Toolbar::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    layout();
}

void Toolbar::setSize(sf::Vector2f newSize)
{
    // The height follows the font; only the width is the owner's to choose.
    requestedWidth = newSize.x;
    layout();
}

void Toolbar::setAlpha(std::uint8_t alpha)
{
    frame.setAlpha(alpha);
    label.setAlpha(alpha);
    for (Button& b : buttons)
        b.setAlpha(alpha);
}

} // namespace kv
