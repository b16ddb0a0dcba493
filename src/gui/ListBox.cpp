#include "gui/ListBox.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Icons.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/TimeSource.hpp"
#include "gui/Label.hpp"
#include "gui/TextCursor.hpp"
#include "gui/Theme.hpp"
#include "platform/FileSystem.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <locale>

namespace kv {
namespace {

const sf::Color frameFill(219, 219, 219, 255);
const sf::Color frameShadow(111, 111, 111, 255);
const sf::Color frameLight(255, 255, 255, 255);
const sf::Color selectedTextColour(255, 255, 255, 255);
// Room above the first line and below the last.
constexpr float margin = 2.f;
// Item text starts this far into the box.  Wrapped lines may then reach a
// pixel or two past the text area, but only with the blank advance of
// their last glyph.
constexpr float textInset = 3.f;

sf::Text itemText(const std::string& text)
{
    // Its colour is set where it is laid out, selected or not.
    return sf::Text(sf::String(text, std::locale()), Text::standardFont(), widgetTextSize);
}

float textWidth(const std::string& text)
{
    const sf::Text t = itemText(text);
    return t.findCharacterPos(text.size()).x - t.findCharacterPos(0).x;
}

} // namespace

ListBox::Slider::Slider(const Slider& other) : bar(other.bar), value(other.value) { bar.bind(&value); }

ListBox::Slider& ListBox::Slider::operator=(const Slider& other)
{
    bar = other.bar;
    value = other.value;
    bar.bind(&value);
    return *this;
}

float ListBox::lineHeight() { return Text::standardLineSpacing(widgetTextSize) + 1.f; }

float ListBox::innerWidth() const { return size.x - sliderWidth - 1.f; }

void ListBox::create(sf::Vector2f newPosition, std::int32_t newRows, float width)
{
    if (id < 0)
        takeId();
    position = newPosition;
    rows = std::max(newRows, 1);
    size = {width, static_cast<float>(rows) * lineHeight() + 2.f * margin};
    frame.create(position, position + size, frameShadow, frameLight, frameFill);
    highlight.shape.setOutlineThickness(0.f);
    highlight.shape.setFillColor(sf::Color::Black);
    slider.bar.create("", position, {sliderWidth, size.y}, 0, true, 0.f, &slider.value);
    clear();
    setAlpha(255);
}

void ListBox::clear()
{
    items.clear();
    selection = -1;
    activated = -1;
    lastClickRow = -1;
    top = 0;
    layoutSlider();
    linesDirty = true;
}

void ListBox::addItem(const std::string& text, std::int32_t iconId)
{
    if (iconId >= 0) {
        addItem(text, Icons::getIcon(iconId));
        return;
    }
    items.push_back({text, false, {}, itemText(text)});
    placeNewItem();
}

void ListBox::addItem(const std::string& text, const sf::Sprite& icon)
{
    items.push_back({text, true, icon, itemText(text)});
    placeNewItem();
}

void ListBox::placeNewItem()
{
    layoutSlider();
    // Only an item that lands in view needs placing before the next draw.
    if (count() <= top + rows)
        layoutLines();
}

void ListBox::setText(const std::string& text)
{
    clear();
    const float limit = innerWidth();
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            addItem(line);
            line.clear();
            continue;
        }
        line += c;
        if (textWidth(line) < limit)
            continue;
        // Break at the last space, which goes to neither line; a line
        // without one breaks before the character that did not fit.
        const auto space = line.find_last_of(' ');
        if (space != std::string::npos && space > 0) {
            addItem(line.substr(0, space));
            line.erase(0, space + 1);
        } else if (line.size() > 1) {
            addItem(line.substr(0, line.size() - 1));
            line.erase(0, line.size() - 1);
        }
    }
    if (!line.empty())
        addItem(line);
}

bool ListBox::loadFromTextFile(const std::string& path)
{
    const platform::FileHandle file = platform::openFile(path, "rb");
    if (!file) {
        KVCore::reportError("ListBox::loadFromTextFile: Unable to open " + path);
        return false;
    }
    std::string content;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        content.append(buffer, got);
    setText(content);
    return true;
}

void ListBox::moveUp(std::int32_t lines)
{
    if (items.empty())
        return;
    if (selectable) {
        // With nothing selected, the first move picks the top line in view.
        if (selection == -1 && top < count())
            selection = top;
        else
            selection = std::max(selection - lines, 0);
        top = std::min(top, selection);
    } else if (scrollable) {
        top = std::max(top - lines, 0);
    }
}

void ListBox::moveDown(std::int32_t lines)
{
    if (items.empty())
        return;
    if (selectable) {
        if (selection == -1 && top < count()) {
            selection = top;
        } else if (selection < count() - lines) {
            // Too few lines left: the selection stays rather than jump to
            // the last item.
            selection += lines;
            if (selection >= top + rows)
                top = selection - rows + 1;
        }
    } else if (scrollable) {
        top = std::max(top, std::min(top + lines, count() - rows));
    }
}

std::int32_t ListBox::visibleEnd() const { return std::min(count(), top + rows); }

sf::FloatRect ListBox::textArea() const
{
    const float right = scrollable ? position.x + size.x - sliderWidth : position.x + size.x - 1.f;
    return {position.x + 1.f, position.y + margin, right - position.x - 1.f,
            static_cast<float>(rows) * lineHeight()};
}

sf::FloatRect ListBox::lineArea(std::int32_t index) const
{
    const sf::FloatRect area = textArea();
    return {area.left, area.top + static_cast<float>(index - top) * lineHeight(), area.width, lineHeight()};
}

void ListBox::pullSelectionIntoView()
{
    // Scrolling by the slider bar (or by the owner) drags the selection
    // along; a selection the owner placed out of view stays where it is
    // until the list scrolls.
    const bool scrolled = top != pulledTop;
    pulledTop = top;
    if (!selectable || selection < 0 || !scrolled)
        return;
    selection = std::clamp(selection, top, top + rows - 1);
}

void ListBox::clickLines()
{
    if (!selectable || !Mouse::clicked(Mouse::Left))
        return;
    for (std::int32_t i = top; i < visibleEnd(); ++i) {
        const sf::FloatRect a = lineArea(i);
        if (!Mouse::isInRect(a.left, a.top, a.left + a.width, a.top + a.height))
            continue;
        const double now = KVCore::timeSource().seconds();
        if (i == lastClickRow && now - clickTime < doubleClickSeconds) {
            selection = activated = i;
            // A third click starts a new pair instead of activating again.
            lastClickRow = -1;
        } else {
            selection = i;
            lastClickRow = i;
            clickTime = now;
        }
        return;
    }
}

void ListBox::keys()
{
    // Every press of the tick counts, key repeat included.
    while (Keyboard::keyHit(sf::Keyboard::Up))
        moveUp(1);
    while (Keyboard::keyHit(sf::Keyboard::Down))
        moveDown(1);
    const std::int32_t last = count() - 1;
    while (Keyboard::keyHit(sf::Keyboard::PageUp) && !items.empty()) {
        if (selectable)
            selection = std::max((selection < 0 ? top : selection) - rows, 0);
        top = std::max(top - rows, 0);
    }
    while (Keyboard::keyHit(sf::Keyboard::PageDown) && !items.empty()) {
        if (selectable)
            selection = std::min((selection < 0 ? top : selection) + rows, last);
        top = std::clamp(top + rows, 0, std::max(count() - rows, 0));
    }
}

void ListBox::layoutSlider()
{
    scrollable = count() > rows;
    slider.value = top;
    slider.bar.setPosition({position.x + size.x - sliderWidth, position.y + 1.f});
    slider.bar.setSize({sliderWidth, size.y - 2.f});
    // The thumb shows how much of the list is in view.
    const float track = size.y - 2.f;
    slider.bar.thumbLength = scrollable ? std::max(track * static_cast<float>(rows) / static_cast<float>(count()), 20.f)
                                        : track;
    slider.bar.setMaximum(std::max(count() - rows, 0));
}

void ListBox::layoutLines()
{
    laidOutTop = top;
    laidOutSelection = selection;
    linesDirty = false;
    const float h = lineHeight();
    const float iconScale = std::max(h - 2.f, 1.f) / static_cast<float>(Icons::iconSize);
    for (std::int32_t i = top; i < visibleEnd(); ++i) {
        Item& item = items[static_cast<std::size_t>(i)];
        const sf::FloatRect a = lineArea(i);
        float x = position.x + textInset;
        if (item.hasIcon) {
            item.icon.setScale(iconScale, iconScale);
            item.icon.setPosition(x, a.top + 1.f);
            item.icon.setColor(withAlpha(sf::Color::White, alpha));
            x += h;
        }
        item.label.setPosition(x, a.top - 1.f);
        const bool selected = selectable && i == selection;
        item.label.setFillColor(withAlpha(selected ? selectedTextColour : theme::textColour, alpha));
    }
    // A selected line out of view falls outside the clip when drawn.
    highlightShown = selectable && selection >= 0;
    if (highlightShown) {
        const sf::FloatRect a = lineArea(selection);
        highlight.setPosition({a.left, a.top});
        highlight.setSize({a.width, a.height});
    }
    // The bar lays itself out only on ticks; binding again makes it show
    // the new top at once.
    slider.value = top;
    slider.bar.bind(&slider.value);
}

void ListBox::update()
{
    const bool inside = Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y);
    if (Mouse::clicked(Mouse::Left) && inside)
        setFocusedId(id);

    selection = std::min(selection, count() - 1);
    pullSelectionIntoView();
    clickLines();
    if (keyboardEnabled && hasFocus())
        keys();
    // The wheel delta stays for every frame until the next tick.
    if (KVCore::tickFlag() && (inside || hasFocus())) {
        const auto wheel = static_cast<std::int32_t>(Mouse::wheelDelta());
        if (wheel > 0)
            moveUp(wheel);
        else if (wheel < 0)
            moveDown(-wheel);
    }
    if (scrollable) {
        slider.value = top;
        slider.bar.update();
        top = std::clamp(slider.value, 0, std::max(count() - rows, 0));
    }
    if (linesDirty || top != laidOutTop || selection != laidOutSelection)
        layoutLines();
}

void ListBox::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    frame.draw();
    {
        ClippedDrawing clip(*target, textArea());
        if (highlightShown)
            highlight.draw();
        for (std::int32_t i = top; i < visibleEnd(); ++i) {
            const Item& item = items[static_cast<std::size_t>(i)];
            if (item.hasIcon)
                target->draw(item.icon);
            target->draw(item.label);
        }
    }
    // Track and thumb only: the bar that fills a value slider up to its
    // thumb means nothing for a list.
    if (scrollable) {
        slider.bar.track.draw();
        slider.bar.thumb.draw();
    }
}

void ListBox::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    frame.setPosition(position);
    layoutSlider();
    layoutLines();
}

void ListBox::setSize(sf::Vector2f newSize)
{
    rows = std::max(static_cast<std::int32_t>((newSize.y - 2.f * margin) / std::max(lineHeight(), 1.f)), 1);
    size = {newSize.x, static_cast<float>(rows) * lineHeight() + 2.f * margin};
    frame.setSize(size);
    top = std::clamp(top, 0, std::max(count() - rows, 0));
    layoutSlider();
    layoutLines();
}

void ListBox::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    frame.setAlpha(alpha);
    highlight.setAlpha(alpha);
    slider.bar.setAlpha(alpha);
    layoutLines();
}

} // namespace kv
