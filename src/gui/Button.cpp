#include "gui/Button.hpp"

#include "engine/EngineSettings.hpp"
#include "engine/Hints.hpp"
#include "engine/Icons.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "gui/Theme.hpp"

#include <SFML/Graphics/RenderStates.hpp>

#include <algorithm>

namespace kv {
namespace {

constexpr float iconSide = 32.f;
constexpr float iconTextGap = 2.f;

// A rectangle without outline over the given box.
void solid(Rectangle& r, sf::Vector2f topLeft, sf::Vector2f size, sf::Color colour)
{
    r.create(topLeft, topLeft + size);
    r.shape.setOutlineThickness(0.f);
    r.shape.setFillColor(colour);
}

} // namespace

std::string newHintKey()
{
    // A namespace of our own, so these never meet the engine's one-off keys.
    static std::uint32_t counter = 0;
    return "auto:w" + std::to_string(++counter);
}

void Button::create(const std::string& text, std::int32_t iconId, sf::Vector2f newPosition, std::int32_t newHotKey)
{
    if (created)
        clear();
    hintKey = newHintKey();

    position = newPosition;
    size = iconId == Icons::separatorIcon ? sf::Vector2f(static_cast<float>(Icons::separatorWidth), iconSide)
                                          : sf::Vector2f(iconSide, iconSide);
    iconOffset = textOffset = {0.f, 0.f};
    noFace = false;
    enabled = visible = true;
    clicked = mouseOver = false;

    solid(face, position, size, theme::faceColour);
    solid(hover, position, size - sf::Vector2f(1.f, 1.f), theme::hoverColour);
    solid(disabledOverlay, position, size, withAlpha(theme::faceColour, 128));
    const sf::Color light = withAlpha(theme::bevelLightColour, 128);
    const sf::Color dark = withAlpha(theme::bevelDarkColour, 128);
    raisedBevel.create(position, position + size, light, dark, sf::Color::Transparent);
    sunkenBevel.create(position, position + size, dark, light, sf::Color::Transparent);

    // An unknown icon leaves the button without one.
    icon = iconId >= 0 && iconId < Icons::iconCount ? Icons::getIcon(iconId) : sf::Sprite();
    icon.setScale(1.f, 1.f);
    label.create(position, theme::textColour, text);

    hotKey = newHotKey;
    if (iconId == Icons::separatorIcon) {
        style = PlainStyle;
        keyName.clear();
    } else {
        style = IconStyle;
        keyName = hotKey != -1 ? Keyboard::getKeyName(hotKey) : std::string();
    }
    created = true;
    setPosition(position);
}

void Button::setTextButton(float width, float height)
{
    style = TextStyle;
    const float textWidth = label.textWidth();
    const float spacing = Text::standardLineSpacing(widgetTextSize);
    size.x = width > 0.f ? width : textWidth + 48.f;
    size.y = height > 0.f ? height : std::max(spacing + 2.f, 34.f);

    // Icon and text are centred together; without an icon the text alone is.
    const bool hasIcon = icon.getTexture() != nullptr;
    const float iconPart = hasIcon ? iconSide + iconTextGap : 0.f;
    iconOffset = {(size.x - (textWidth + iconPart)) * 0.5f, (size.y - iconSide) * 0.5f};
    textOffset = {iconOffset.x + iconPart, (size.y - spacing) * 0.5f};

    face.setSize(size);
    hover.setSize(size - sf::Vector2f(1.f, 1.f));
    disabledOverlay.setSize(size);
    raisedBevel.setSize(size);
    sunkenBevel.setSize(size);
    setPosition(position);
}

void Button::clear()
{
    created = false;
    clicked = false;
}

void Button::update()
{
    clicked = false;
    if (!created || !visible)
        return;

    mouseOver = enabled && Mouse::isInRect(position.x, position.y, position.x + size.x, position.y + size.y);
    if (mouseOver && Mouse::clicked(Mouse::Left)) {
        clicked = true;
        Mouse::waitRelease();
    }

    if (hotKey != -1 && Keyboard::keyHit(hotKey)) {
        Keyboard::waitKeyRelease(hotKey);
        // One key press must not act twice: the rest of the tick's keys go too.
        const std::vector<std::int32_t> rest = Keyboard::pressedKeys();
        for (std::int32_t code : rest)
            Keyboard::keyHit(code);
        clicked = true;
    }
}

void Button::draw()
{
    if (!created || !visible)
        return;
    const bool highlighted = mouseOver && style != PlainStyle;

    // The face, the icon pressed in by a pixel, the bevels and the label.
    sf::Vector2f low = position - sf::Vector2f(2.f, 2.f), high = position + size + sf::Vector2f(2.f, 2.f);
    if (style == TextStyle) {
        const sf::Vector2f text = label.getPosition();
        low = {std::min(low.x, text.x), std::min(low.y, text.y)};
        high = {std::max(high.x, text.x + label.getSize().x), std::max(high.y, text.y + label.getSize().y)};
    }
    const KVCore::LayerArea drawnOver({low, high - low});
    if (sf::RenderTarget* target = guiTarget()) {
        if (!highlighted) {
            if (!noFace)
                target->draw(face.shape);
            target->draw(icon);
        } else {
            if (!noFace)
                target->draw(hover.shape);
            sf::RenderStates pressedIn;
            pressedIn.transform.translate(1.f, 1.f);
            target->draw(icon, pressedIn);
        }
        if (style == TextStyle)
            label.draw();
        if (!enabled)
            target->draw(disabledOverlay.shape);
        if (highlighted)
            sunkenBevel.draw();
        else if (style == TextStyle && !noFace && !KVCore::settings().flatButtons)
            raisedBevel.draw();
    }

    if (highlighted && style == IconStyle) {
        std::string hint = label.getText();
        if (hotKey != -1)
            hint += " - [" + keyName + "]";
        KVCore::showHint(hintKey, position + sf::Vector2f(20.f, 52.f), 0.f, hint);
    }
}

void Button::setPosition(sf::Vector2f topLeft)
{
    position = topLeft;
    hover.setPosition(position + sf::Vector2f(1.f, 1.f));
    icon.setPosition(position + iconOffset);
    label.setPosition(position + textOffset);
    face.setPosition(position);
    disabledOverlay.setPosition(position);
    raisedBevel.setPosition(position);
    sunkenBevel.setPosition(position);
}

void Button::setAlpha(std::uint8_t alpha)
{
    const auto half = static_cast<std::uint8_t>(alpha / 2);
    face.setAlpha(alpha);
    hover.setAlpha(alpha);
    disabledOverlay.setAlpha(half);
    raisedBevel.setAlpha(half);
    sunkenBevel.setAlpha(half);
    label.setAlpha(alpha);
    icon.setColor(withAlpha(icon.getColor(), alpha));
}

} // namespace kv
