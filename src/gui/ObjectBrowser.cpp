#include "gui/ObjectBrowser.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Mouse.hpp"
#include "engine/TimeSource.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/PopupMenu.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace kv {
namespace {

const sf::Color screenColour(58, 58, 58, 255);
constexpr float outlineThickness = 3.f;
// Room the layout keeps free on the right for the page bar.
constexpr float scrollbarRoom = 21.f;
constexpr float scrollbarWidth = 20.f;
constexpr float hintOffset = 20.f;
constexpr double releaseWaitSeconds = 0.5;

enum ToolbarButton { CancelButton, PrevPageButton, NextPageButton, SeparatorButton, ZoomInButton, ZoomOutButton };

constexpr int selectIcon = 175;
constexpr int editIcon = 34;
constexpr int prevPageIcon = 104;
constexpr int nextPageIcon = 103;
constexpr int zoomInIcon = 177;
constexpr int zoomOutIcon = 178;

bool leftPressed() { return (Mouse::getButtons() & Mouse::leftBit) != 0 || Mouse::clicked(Mouse::Left); }
bool rightPressed() { return (Mouse::getButtons() & Mouse::rightBit) != 0 || Mouse::clicked(Mouse::Right); }

// The popup opens once the button is up, so its release is no answer to it.
void waitRightRelease()
{
    const double start = KVCore::timeSource().seconds();
    while ((Mouse::getButtons() & Mouse::rightBit) != 0 &&
           KVCore::timeSource().seconds() - start < releaseWaitSeconds)
        KVCore::pollEvents();
    Mouse::clearClickState(Mouse::Right);
}

} // namespace

void ObjectBrowser::create(const std::string& title, bool allowEdit)
{
    title_ = title;
    allowEdit_ = allowEdit;
    entries_.clear();
    start_ = -1;
    pageStarts_ = {0};
    page_ = 0;
    scale_ = 1.f;
    lastWheel_ = 0.f;
    hintKey_ = newHintKey();
}

void ObjectBrowser::addEntry(const sf::Sprite& sprite, const std::string& caption, sf::Vector2f size)
{
    Entry& e = entries_.emplace_back();
    e.sprite = sprite;
    e.caption = caption;
    e.size = size;
}

void ObjectBrowser::setStart(std::int32_t index)
{
    if (start_ >= 0 && start_ < static_cast<std::int32_t>(entries_.size()))
        entries_[static_cast<std::size_t>(start_)].mark = sf::Color::Transparent;
    start_ = index;
    if (index >= 0 && index < static_cast<std::int32_t>(entries_.size()))
        entries_[static_cast<std::size_t>(index)].mark = startMark;
    page_ = pageOf(index);
}

float ObjectBrowser::contentTop() { return standardLineSpacing18() + 58.f; }

void ObjectBrowser::layout(sf::Vector2f view)
{
    view_ = view;
    const float s = scale_;
    const float pageHeight = view.y - (standardLineSpacing18() + 32.f + 16.f + 10.f);
    pageStarts_ = {0};
    float x = 0.f, y = 0.f, rowHeight = 0.f;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        Entry& e = entries_[i];
        if (rowHeight != 0.f && x + e.size.x * s > view.x - scrollbarRoom) {
            x = 0.f;
            y += rowHeight + 1.f;
            rowHeight = 0.f;
        }
        // An entry taller than a page still gets a page of its own rather
        // than an empty page before it.
        const auto index = static_cast<std::int32_t>(i);
        if (y + e.size.y * s > pageHeight && index != pageStarts_.back()) {
            pageStarts_.push_back(index);
            x = y = rowHeight = 0.f;
        }
        e.position = {x, y};
        rowHeight = std::max(rowHeight, e.size.y * s);
        x += (e.size.x + 1.f) * s;
    }
    page_ = pageOf(start_);

    const float top = contentTop();
    const float length = std::max(view.y - top - 4.f, 1.f);
    const float thumb = std::max(32.f, length / static_cast<float>(pageCount()));
    scrollbar_.create("", {view.x - scrollbarWidth, top}, {scrollbarWidth, length}, pageCount() - 1, true, thumb,
                      &page_);
}

std::int32_t ObjectBrowser::pageOf(std::int32_t index) const
{
    if (index < 0 || index >= static_cast<std::int32_t>(entries_.size()))
        return 0;
    const auto after = std::upper_bound(pageStarts_.begin(), pageStarts_.end(), index);
    return static_cast<std::int32_t>(after - pageStarts_.begin()) - 1;
}

void ObjectBrowser::previousPage() { page_ = page_ > 0 ? page_ - 1 : pageCount() - 1; }

void ObjectBrowser::nextPage() { page_ = page_ + 1 < pageCount() ? page_ + 1 : 0; }

void ObjectBrowser::changeScale(float scale)
{
    scale = std::clamp(scale, minimumScale, maximumScale);
    if (scale == scale_)
        return;
    scale_ = scale;
    layout(view_);
    page_ = 0;
}

void ObjectBrowser::zoomIn() { changeScale(scale_ + scaleStep); }

void ObjectBrowser::zoomOut() { changeScale(scale_ - scaleStep); }

void ObjectBrowser::wheel(float delta, bool control)
{
    // Compared with the tick before, which is 0 unless the wheel turned then
    // too.
    if (delta != lastWheel_ && delta != 0.f) {
        if (delta > lastWheel_)
            control ? zoomIn() : previousPage();
        else
            control ? zoomOut() : nextPage();
    }
    lastWheel_ = delta;
}

sf::FloatRect ObjectBrowser::screenRect(std::int32_t index) const
{
    const Entry& e = entries_[static_cast<std::size_t>(index)];
    return {e.position.x + 1.f, e.position.y + contentTop(), e.size.x * scale_, e.size.y * scale_};
}

std::int32_t ObjectBrowser::entryAt(sf::Vector2i point) const
{
    if (entries_.empty() || page_ < 0 || page_ >= pageCount())
        return -1;
    const std::int32_t first = pageStarts_[static_cast<std::size_t>(page_)];
    const std::int32_t end =
        page_ + 1 < pageCount() ? pageStarts_[static_cast<std::size_t>(page_ + 1)] : static_cast<std::int32_t>(entries_.size());
    const sf::Vector2f p(static_cast<float>(point.x), static_cast<float>(point.y));
    for (std::int32_t i = first; i < end; ++i) {
        const sf::FloatRect r = screenRect(i);
        if (p.x >= r.left && p.x <= r.left + r.width && p.y >= r.top && p.y <= r.top + r.height)
            return i;
    }
    return -1;
}

std::string ObjectBrowser::heading() const
{
    std::ostringstream text;
    text << title_ << " (" << entries_.size() << " objects) - Page " << page_ + 1 << " of " << pageCount()
         << " - Scale " << std::fixed << std::setprecision(2) << scale_;
    return text.str();
}

std::string ObjectBrowser::hintText(std::int32_t index) const
{
    const std::string& caption = entries_[static_cast<std::size_t>(index)].caption;
    if (!numberedHints)
        return caption;
    return caption + " (" + std::to_string(index + 1) + " of " + std::to_string(entries_.size()) + ")";
}

void ObjectBrowser::buildToolbar(sf::Vector2f view)
{
    toolbar_.create({0.f, 0.f});
    toolbar_.docked = true;
    toolbar_.addButton("Cancel", cancelIcon, sf::Keyboard::Escape);
    toolbar_.addButton("Prev Page", prevPageIcon, sf::Keyboard::PageUp);
    toolbar_.addButton("Next Page", nextPageIcon, sf::Keyboard::PageDown);
    toolbar_.addSeparator();
    toolbar_.addButton("Zoom In", zoomInIcon, sf::Keyboard::Add);
    toolbar_.addButton("Zoom Out", zoomOutIcon, sf::Keyboard::Subtract);
    toolbar_.setSize({view.x, toolbar_.getHeight()});
}

void ObjectBrowser::drawPage(std::int32_t hovered)
{
    sf::RenderTarget* target = KVCore::currentTarget();
    if (!target || entries_.empty())
        return;
    const std::int32_t first = pageStarts_[static_cast<std::size_t>(page_)];
    const std::int32_t end =
        page_ + 1 < pageCount() ? pageStarts_[static_cast<std::size_t>(page_ + 1)] : static_cast<std::int32_t>(entries_.size());
    sf::RectangleShape outline;
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineThickness(outlineThickness);
    for (std::int32_t i = first; i < end; ++i) {
        const Entry& e = entries_[static_cast<std::size_t>(i)];
        const sf::FloatRect r = screenRect(i);
        if (e.sprite.getTexture()) {
            sf::Sprite picture = e.sprite;
            picture.setPosition(r.left, r.top);
            picture.setScale(scale_, scale_);
            target->draw(picture);
        }
        const sf::Color colour = i == hovered ? hoverOutline : e.mark;
        if (colour.a == 0)
            continue;
        outline.setPosition(r.left, r.top);
        outline.setSize({r.width, r.height});
        outline.setOutlineColor(colour);
        target->draw(outline);
    }
}

std::optional<ObjectBrowser::Choice> ObjectBrowser::offerMenu(std::int32_t index)
{
    const sf::Vector2i mouse = Mouse::getViewPosition();
    PopupMenu menu;
    menu.create(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    menu.addItem("Select", selectIcon);
    if (allowEdit_)
        menu.addItem("Edit", editIcon);
    menu.addItem("Cancel", cancelIcon);
    const std::int32_t chosen = menu.show();
    if (chosen < 0)
        return std::nullopt;
    const std::string& label = menu.items()[static_cast<std::size_t>(chosen)].label;
    if (label == "Select")
        return Choice{index, false};
    if (label == "Edit")
        return Choice{index, true};
    return std::nullopt;
}

ObjectBrowser::Choice ObjectBrowser::run()
{
    ModalLoop loop(title_, false);
    waitOutOpeningKeys();
    Choice answer;
    bool laidOut = false;
    while (loop.beginPass()) {
        // A display change gives the view a new size: lay out again.
        if (!laidOut || KVCore::viewSize() != view_) {
            const std::int32_t shown = page_;
            layout(KVCore::viewSize());
            if (laidOut)
                page_ = std::min(shown, pageCount() - 1);
            buildToolbar(view_);
            laidOut = true;
        }
        if (sf::RenderTarget* target = KVCore::currentTarget())
            target->clear(screenColour);

        std::int32_t hovered = entryAt(Mouse::getViewPosition());
        std::optional<std::int32_t> menuFor;
        if (KVCore::tickFlag()) {
            toolbar_.update();
            const auto clicked = [this](ToolbarButton b) { return toolbar_.buttons[b].clicked; };
            if (clicked(CancelButton))
                loop.finish();
            else if (clicked(PrevPageButton))
                previousPage();
            else if (clicked(NextPageButton))
                nextPage();
            else if (clicked(ZoomInButton))
                zoomIn();
            else if (clicked(ZoomOutButton))
                zoomOut();
            if (hasScrollbar())
                scrollbar_.update();
            wheel(Mouse::wheelDelta(), Keyboard::isKeyDown(sf::Keyboard::LControl));

            hovered = entryAt(Mouse::getViewPosition());
            if (!loop.finished() && hovered >= 0) {
                if (leftPressed()) {
                    Mouse::waitRelease();
                    answer = {hovered, false};
                    loop.finish();
                } else if (rightPressed()) {
                    waitRightRelease();
                    menuFor = hovered;
                }
            }
        }

        toolbar_.frame.setTitle(heading());
        drawPage(hovered);
        if (hovered >= 0) {
            const sf::FloatRect r = screenRect(hovered);
            KVCore::showHint(hintKey_, {r.left + hintOffset, r.top + r.height + hintOffset}, 0.f, hintText(hovered));
        }
        toolbar_.draw();
        if (hasScrollbar())
            scrollbar_.draw();
        // After drawing, so the menu opens over the whole page.
        if (menuFor)
            if (const std::optional<Choice> choice = offerMenu(*menuFor)) {
                answer = *choice;
                loop.finish();
            }
        loop.endPass();
    }
    return answer;
}

} // namespace kv
