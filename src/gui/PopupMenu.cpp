#include "gui/PopupMenu.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Icons.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Dialog.hpp"
#include "gui/Label.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kv {
namespace {

const sf::Color frameLight(179, 179, 179, 255);
const sf::Color frameDark(79, 79, 79, 255);
const sf::Color normalFace(131, 131, 131, 255);
const sf::Color normalText(35, 35, 35, 255);
const sf::Color highlightFace(27, 27, 255, 255);
const sf::Color highlightText = sf::Color::White;
const sf::Color separatorColour = frameDark;

constexpr int keyEscape = sf::Keyboard::Escape;
constexpr int keyLeft = sf::Keyboard::Left;
constexpr int keyRight = sf::Keyboard::Right;
constexpr int keyUp = sf::Keyboard::Up;
constexpr int keyDown = sf::Keyboard::Down;
constexpr int keyReturn = sf::Keyboard::Return;
constexpr int keySpace = sf::Keyboard::Space;

// How far a menu that hangs off the view moves per tick while the mouse
// rests on the edge.
constexpr float edgeScrollStep = 2.f;

// The wheel is read as a change against the last value seen, and every menu
// shares what was last seen: a wheel delta that outlives one menu must not
// move the next one.
std::optional<float> rememberedWheel;

} // namespace

void PopupMenu::create(float x, float y)
{
    items_.clear();
    x_ = x;
    y_ = y;
    highlighted_ = -1;
    width_ = 100.f;
    height_ = 0.f;
    result_ = -1;
    const sf::Vector2i mouse = Mouse::getViewPosition();
    lastMouseX_ = mouse.x;
    lastMouseY_ = mouse.y;
    buttonWasDown_ = false;
    frame_.create({x_, y_}, {x_ + width_, y_ + height_}, frameLight, frameDark, sf::Color::Transparent);
    if (Text::loaded())
        labelText_.setFont(Text::standardFont());
    labelText_.setCharacterSize(widgetTextSize);
}

void PopupMenu::addItem(const std::string& label, int iconIndex, const std::string& hint)
{
    PopupMenuItem item;
    item.label = label;
    item.hint = hint;
    item.top = height_;
    item.itemHeight = std::max(standardLineSpacing18() + 4.f, minimumItemHeight);
    height_ += item.itemHeight;
    item.icon = Icons::getIcon(iconIndex);
    item.icon.setOrigin(0.f, 0.f);
    item.background.create({0.f, 0.f}, {width_, item.itemHeight});
    item.background.shape.setOutlineThickness(0.f);
    items_.push_back(std::move(item));

    float widest = 0.f;
    for (const PopupMenuItem& i : items_)
        widest = std::max(widest, standardTextWidth(i.label));
    width_ = widest + extraWidth;
    if (highlighted_ == -1)
        highlighted_ = 0;
}

void PopupMenu::addSeparator()
{
    PopupMenuItem item;
    item.isSeparator = true;
    item.top = height_;
    item.background.create({0.f, 0.f}, {width_, separatorHeight});
    item.background.shape.setOutlineThickness(0.f);
    item.itemHeight = separatorHeight;
    height_ += separatorHeight;
    items_.push_back(std::move(item));
}

std::int32_t PopupMenu::show(float x, float y)
{
    if (items_.empty())
        return -1;
    if (x >= 0.f && y >= 0.f) {
        x_ = x;
        y_ = y;
    }
    ModalLoop loop("PopupMenu", false);
    // The click that opened the menu is no answer to it.
    Mouse::clearClickState(Mouse::Left);
    result_ = -1;
    std::int32_t answer = -1;
    while (loop.beginPass()) {
        if (KVCore::tickFlag()) {
            update();
            if (result_ != -1) {
                answer = result_ == -2 ? -1 : result_;
                loop.finish();
            }
        }
        draw();
        loop.endPass();
    }
    return answer;
}

bool PopupMenu::isEntry(std::int32_t index) const
{
    return index >= 0 && index < static_cast<std::int32_t>(items_.size()) &&
           !items_[static_cast<std::size_t>(index)].isSeparator;
}

bool PopupMenu::entryUnderMouse(const PopupMenuItem& item) const
{
    return !item.isSeparator &&
           Mouse::isInRect(x_, y_ + item.top, x_ + width_, y_ + item.top + item.itemHeight - 1.f);
}

void PopupMenu::keepOnScreen()
{
    const sf::Vector2f view = KVCore::viewSize();
    if (y_ + height_ >= view.y && Mouse::isInRect(0.f, view.y - 2.f, view.x - 1.f, view.y - 1.f))
        y_ -= edgeScrollStep;
    if (y_ < 0.f && Mouse::isInRect(0.f, 0.f, view.x - 1.f, 1.f))
        y_ += edgeScrollStep;
    if (x_ + width_ > view.x - 1.f)
        x_ = view.x - 1.f - width_;
    if (x_ < 0.f)
        x_ = 0.f;
}

void PopupMenu::followButton()
{
    if (Mouse::getButtons() & Mouse::leftBit) {
        buttonWasDown_ = true;
        return;
    }
    // A press and release between two ticks never shows as a held button,
    // only as the tick's click.
    if (!buttonWasDown_ && !Mouse::clicked(Mouse::Left))
        return;
    // A release chooses the entry under the mouse, wherever the press began;
    // a release outside every entry dismisses the menu.
    highlighted_ = -1;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (entryUnderMouse(items_[i]))
            highlighted_ = static_cast<std::int32_t>(i);
    result_ = highlighted_ >= 0 ? highlighted_ : -2;
    buttonWasDown_ = false;
}

// Steps over separators so the highlight always rests on an entry; a menu
// of separators only keeps its highlight where it was.
void PopupMenu::step(int direction)
{
    result_ = -1;
    const auto count = static_cast<std::int32_t>(items_.size());
    if (std::none_of(items_.begin(), items_.end(), [](const PopupMenuItem& i) { return !i.isSeparator; }))
        return;
    // Without a highlight, Down starts at the top and Up wraps round to the
    // bottom as from the top entry.
    std::int32_t h = highlighted_ < 0 && direction < 0 ? 0 : highlighted_;
    do {
        h = (h + direction + count) % count;
    } while (!isEntry(h));
    highlighted_ = h;
}

void PopupMenu::moveUp() { step(-1); }
void PopupMenu::moveDown() { step(+1); }

void PopupMenu::update()
{
    keepOnScreen();
    followButton();

    const bool focused = KVCore::window().hasFocus();
    const auto& pressed = Keyboard::pressedKeys();
    // Escape counts only as the tick's first key, so it cannot cancel a
    // choice made by an earlier key of the same tick.
    if (focused && !pressed.empty() && (pressed.front() == keyEscape || pressed.front() == keyLeft)) {
        highlighted_ = -1;
        result_ = -2;
        Keyboard::clearTickInput();
    }
    if (Keyboard::keyHit(keyUp))
        moveUp();
    if (Keyboard::keyHit(keyDown))
        moveDown();

    const float wheel = Mouse::wheelDelta();
    if (!rememberedWheel)
        rememberedWheel = wheel;
    if (wheel != *rememberedWheel) {
        if (wheel < 0.f)
            moveDown();
        else if (wheel > 0.f)
            moveUp();
        rememberedWheel = wheel;
    }

    const sf::Vector2i mouse = Mouse::getViewPosition();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if ((mouse.x != lastMouseX_ || mouse.y != lastMouseY_) && entryUnderMouse(items_[i])) {
            const auto index = static_cast<std::int32_t>(i);
            if (index != highlighted_)
                result_ = -1;
            highlighted_ = index;
            lastMouseX_ = mouse.x;
            lastMouseY_ = mouse.y;
        }
    }
    // Choosing keys go through keyHit, which sees nothing while the window
    // is in the background.
    if (!isEntry(highlighted_))
        return;
    const auto choice = std::find_if(pressed.begin(), pressed.end(),
                                     [](std::int32_t k) { return k == keyReturn || k == keySpace; });
    const bool chosen = choice != pressed.end() && Keyboard::keyHit(*choice);
    if (chosen || Keyboard::keyHit(keyRight))
        result_ = highlighted_;
}

void PopupMenu::draw()
{
    // Whole pixels, so labels and bevels stay crisp wherever the menu sits.
    const float x = std::floor(x_), y = std::floor(y_);
    sf::RenderTarget* target = guiTarget();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        PopupMenuItem& item = items_[i];
        // Separators get the plain face too: the frame has no fill, and the
        // screen behind must not show through the gaps between groups.
        const bool lit = static_cast<std::int32_t>(i) == highlighted_ && !item.isSeparator;
        item.background.shape.setFillColor(lit ? highlightFace : normalFace);
        item.background.setPosition({x + 1.f, y + item.top});
        item.background.setSize({width_, item.itemHeight});
        item.background.draw();
        if (item.isSeparator) {
            const float lineY = std::floor(y + item.top + item.itemHeight * 0.5f);
            item.line.set({x + 5.f, lineY}, {x + width_ - 5.f, lineY}, separatorColour);
            item.line.draw();
            continue;
        }
        item.icon.setPosition(x + 32.f, y + item.top + 2.f);
        if (target)
            target->draw(item.icon);
        if (target && labelText_.getFont()) {
            labelText_.setString(item.label);
            labelText_.setFillColor(lit ? highlightText : normalText);
            labelText_.setPosition(x + labelLeft, y + item.top + 2.f);
            target->draw(labelText_);
        }
    }
    frame_.setPosition({x, y});
    frame_.setSize({width_, height_});
    frame_.draw();
}

} // namespace kv
