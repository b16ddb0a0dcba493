#include "gui/CheckBox.hpp"

#include "engine/InternalTextures.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "gui/Component.hpp"
#include "gui/Label.hpp"
#include "gui/Theme.hpp"

#include <algorithm>
#include <locale>

namespace kv {
namespace {

// A missing texture leaves the sprite empty rather than showing the white
// default.
sf::Sprite spriteOf(const char* name)
{
    if (InternalTextures::indexOf(name) < 0)
        return {};
    return sf::Sprite(InternalTextures::find(name));
}

} // namespace

void CheckBox::create(const std::string& newCaption, float x, float y)
{
    checkedSprite = spriteOf("CheckBox_Checked");
    uncheckedSprite = spriteOf("CheckBox_Unchecked");
    mouseOverSprite = spriteOf("CheckBox_MouseOver");
    caption = newCaption;

    captionText.setFont(Text::standardFont());
    captionText.setCharacterSize(widgetTextSize);
    captionText.setString(sf::String(caption, std::locale()));
    captionText.setFillColor(sf::Color(0, 0, 0, alpha));

    const sf::FloatRect sprite = checkedSprite.getLocalBounds();
    const float captionWidth =
        caption.empty() ? 0.f : captionText.findCharacterPos(caption.size()).x - captionText.findCharacterPos(0).x;
    box = {x, y, sprite.width + 2.f + captionWidth,
           std::max(Text::standardLineSpacing(widgetTextSize), sprite.height)};
    checked = false;
    mouseOver = false;
    for (sf::Sprite* s : {&checkedSprite, &uncheckedSprite, &mouseOverSprite})
        s->setPosition(x, y);
    captionText.setPosition(x + sprite.width + 2.f, y);
    setAlpha(alpha);
    created = true;
}

void CheckBox::clear()
{
    caption.clear();
    box = {};
    checked = false;
    mouseOver = false;
    created = false;
}

void CheckBox::update()
{
    if (!created)
        return;
    mouseOver = Mouse::isInRect(box.left, box.top, box.left + box.width, box.top + box.height);
    // A press and release inside one tick is never seen held; its click
    // flag still counts.
    if (mouseOver && ((Mouse::getButtons() & Mouse::leftBit) || Mouse::clicked(Mouse::Left))) {
        // The wait gives up after half a second, so a held button flips the
        // box again on a later pass.
        Mouse::waitRelease();
        checked = !checked;
    }
    draw();
}

void CheckBox::draw() const
{
    sf::RenderTarget* target = guiTarget();
    if (!target)
        return;
    if (mouseOver)
        target->draw(mouseOverSprite);
    target->draw(checked ? checkedSprite : uncheckedSprite);
    target->draw(captionText);
}

void CheckBox::setAlpha(std::uint8_t newAlpha)
{
    alpha = newAlpha;
    const sf::Color tint(255, 255, 255, alpha);
    checkedSprite.setColor(tint);
    uncheckedSprite.setColor(tint);
    mouseOverSprite.setColor(tint);
    captionText.setFillColor(sf::Color(0, 0, 0, alpha));
}

} // namespace kv
