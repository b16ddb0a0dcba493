#include "gui/Scrollbar.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Mouse.hpp"
#include "gui/Button.hpp"
#include "gui/Theme.hpp"

#include <algorithm>

namespace kv {
namespace {

const sf::Color trackFill(131, 131, 131, 255);
const sf::Color thumbLight(64, 93, 152, 255);
const sf::Color thumbDark(10, 36, 106, 255);
constexpr float fallbackThumb = 32.f;
constexpr float labelInset = 4.f;

} // namespace

void Scrollbar::create(const std::string& captionText, sf::Vector2f newPosition, sf::Vector2f newSize,
                       std::int32_t newMaximum, bool isVertical, float newThumbLength, std::int32_t* newValuePointer)
{
    position = newPosition;
    size = newSize;
    maximum = newMaximum;
    minimum = 0;
    vertical = isVertical;
    valuePointer = newValuePointer;
    showLabels = !captionText.empty();
    colourByValue = false;
    dragging = false;
    hintKey = newHintKey();
    alpha = 255;

    const float length = vertical ? size.y : size.x;
    thumbLength = newThumbLength;
    if (thumbLength != -1.f && thumbLength >= length)
        thumbLength = fallbackThumb;
    // No thumb at all: the bar fills with the value.
    if (thumbLength < 0.f)
        thumbLength = 0.f;

    caption.create(position, theme::hintTextColour, captionText);
    valueLabel.create(position, theme::hintTextColour, "");
    track.create(position, position + size, theme::titleBarLightColour, theme::titleBarDarkColour, trackFill);
    thumb.create(position, position + size, thumbLight, thumbDark, theme::titleBarColour);
    layout();
}

void Scrollbar::setMaximum(std::int32_t newMaximum)
{
    maximum = newMaximum;
    layout();
}

void Scrollbar::bind(std::int32_t* newValuePointer)
{
    valuePointer = newValuePointer;
    layout();
}

sf::Color Scrollbar::colourFor(std::int32_t value, std::int32_t maximum)
{
    const double part = maximum > 0 ? static_cast<double>(value) / maximum : 0.0;
    if (part < 0.25)
        return {0, 255, 0, 255};
    if (part < 0.5)
        return {255, 255, 0, 255};
    if (part < 0.75)
        return {243, 115, 23, 255};
    return {255, 0, 0, 255};
}

std::int32_t Scrollbar::value() const { return valuePointer ? *valuePointer : 0; }

void Scrollbar::layout()
{
    const std::int32_t v = value();
    shownValue = v;
    const float fraction =
        maximum > 0 ? std::clamp(static_cast<float>(v) / static_cast<float>(maximum), 0.f, 1.f) : 0.f;
    const float length = vertical ? size.y : size.x;
    const float across = vertical ? size.x : size.y;
    const float travel = std::max(length - thumbLength, 0.f);
    const float thumbStart = travel * fraction;
    // The bar runs to the thumb's middle, or to the value's point without one.
    const float barLength = std::max(thumbStart + thumbLength * 0.5f - 1.f, 0.f);

    track.setPosition(position);
    track.setSize(size);
    if (vertical) {
        thumb.setPosition({position.x, position.y + thumbStart});
        thumb.setSize({across, thumbLength});
        bar.setPosition(position + sf::Vector2f(1.f, 1.f));
        bar.setSize({across - 1.f, barLength});
    } else {
        thumb.setPosition({position.x + thumbStart, position.y});
        thumb.setSize({thumbLength, across});
        bar.setPosition(position + sf::Vector2f(1.f, 1.f));
        bar.setSize({barLength, across - 1.f});
    }
    colouredByValue = colourByValue;
    sf::Color barColour = colourByValue ? colourFor(v, maximum) : theme::titleBarColour;
    barColour.a = alpha;
    bar.shape.setFillColor(barColour);

    valueLabel.setText(std::to_string(v));
    // Horizontal bars carry their labels inside, vertical ones above and below.
    if (vertical) {
        caption.setPosition({position.x, position.y - caption.lineSpacing()});
        valueLabel.setPosition({position.x, position.y + size.y + 2.f});
    } else {
        const float y = position.y + (size.y - caption.lineSpacing()) * 0.5f - 1.f;
        caption.setPosition({position.x + labelInset, y});
        valueLabel.setPosition({position.x + size.x - labelInset - valueLabel.textWidth(), y});
    }
}

void Scrollbar::update()
{
    if (!KVCore::tickFlag() || maximum < 1 || !valuePointer)
        return;
    if (*valuePointer != shownValue || colourByValue != colouredByValue)
        layout();

    const bool inside = Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y);
    if (Mouse::getButtons() & Mouse::leftBit) {
        if (!dragging && !Mouse::isCaptured() && inside) {
            dragging = true;
            Mouse::beginCapture();
        }
        if (dragging) {
            const sf::Vector2i mouse = Mouse::getViewPosition();
            const float along = static_cast<float>(vertical ? mouse.y : mouse.x);
            const float start = vertical ? position.y : position.x;
            const float length = vertical ? size.y : size.x;
            // A thumb as long as a tiny bar would leave nothing to travel.
            const float travel = length - thumbLength > 0.f ? length - thumbLength : length;
            const float f = (along - start - thumbLength / 2.f) * 100.f / travel;
            const auto v = static_cast<std::int32_t>(static_cast<float>(maximum) * f / 100.f);
            *valuePointer = v <= maximum ? std::max(v, minimum) : maximum;
            layout();
        }
    } else {
        if (dragging)
            Mouse::endCapture();
        dragging = false;
        if (showLabels && inside) {
            const float x = static_cast<float>(Mouse::getViewPosition().x) + 10.f;
            KVCore::showHint(hintKey, {x, position.y + size.y + 10.f}, 0.f, "Click to adjust " + caption.getText());
        }
    }
}

void Scrollbar::draw()
{
    track.draw();
    if (thumbLength <= 0.f || colourByValue)
        bar.draw();
    if (thumbLength > 0.f)
        thumb.draw();
    if (showLabels) {
        caption.draw();
        valueLabel.draw();
    }
}

void Scrollbar::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    layout();
}

void Scrollbar::setSize(sf::Vector2f newSize)
{
    size = newSize;
    layout();
}

void Scrollbar::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    track.setAlpha(alpha);
    thumb.setAlpha(alpha);
    bar.setAlpha(alpha);
    caption.setAlpha(alpha);
    valueLabel.setAlpha(alpha);
}

} // namespace kv
