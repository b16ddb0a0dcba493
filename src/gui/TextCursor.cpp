#include "gui/TextCursor.hpp"

#include "engine/TimeSource.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace kv {

void TextCursor::create(sf::Vector2f position, float lineHeight)
{
    shape.setSize({1.25f, lineHeight});
    shape.setPosition(position);
    shape.setFillColor(sf::Color::Black);
    restartBlink();
}

void TextCursor::restartBlink()
{
    visible = true;
    lastToggle = KVCore::timeSource().seconds();
}

void TextCursor::update()
{
    const double now = KVCore::timeSource().seconds();
    if (now - lastToggle > static_cast<double>(blinkPeriod)) {
        visible = !visible;
        lastToggle = now;
    }
}

void TextCursor::draw()
{
    sf::RenderTarget* target = guiTarget();
    if (target && visible)
        target->draw(shape);
}

void TextCursor::setAlpha(std::uint8_t alpha)
{
    sf::Color c = shape.getFillColor();
    c.a = alpha;
    shape.setFillColor(c);
}

ClippedDrawing::ClippedDrawing(sf::RenderTarget& clipped, sf::FloatRect area)
    : target(clipped), saved(clipped.getView())
{
    // Whole units, so the clip's pixels map one to one and text stays sharp.
    area.left = std::round(area.left);
    area.top = std::round(area.top);
    area.width = std::max(1.f, std::round(area.width));
    area.height = std::max(1.f, std::round(area.height));

    const sf::Vector2f size = saved.getSize();
    const sf::Vector2f corner = saved.getCenter() - size / 2.f;
    const sf::FloatRect port = saved.getViewport();
    sf::View clip(area);
    clip.setViewport({port.left + (area.left - corner.x) / size.x * port.width,
                      port.top + (area.top - corner.y) / size.y * port.height, area.width / size.x * port.width,
                      area.height / size.y * port.height});
    target.setView(clip);
}

ClippedDrawing::~ClippedDrawing() { target.setView(saved); }

} // namespace kv
