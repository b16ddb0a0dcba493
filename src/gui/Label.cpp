#include "gui/Label.hpp"

#include "engine/Text.hpp"

#include <locale>

namespace kv {

void Label::create(sf::Vector2f position, sf::Color newColour, const std::string& newText, const sf::Font* font,
                   unsigned characterSize)
{
    text.setFont(font ? *font : Text::standardFont());
    text.setCharacterSize(characterSize);
    text.setPosition(position);
    colour = newColour;
    text.setFillColor(colour);
    created = true;
    setText(newText);
}

void Label::setText(const std::string& newText)
{
    content = newText;
    // 8-bit text in the system code page, widened through the locale.
    text.setString(sf::String(content, std::locale()));
}

void Label::setColour(sf::Color newColour)
{
    colour = newColour;
    text.setFillColor(colour);
}

float Label::textWidth() const
{
    if (content.empty() || !text.getFont())
        return 0.f;
    return text.findCharacterPos(content.size()).x - text.findCharacterPos(0).x;
}

float Label::lineSpacing() const
{
    return text.getFont() ? text.getFont()->getLineSpacing(text.getCharacterSize()) : 0.f;
}

void Label::clear()
{
    setText({});
    created = false;
}

void Label::draw()
{
    if (!created || content.empty())
        return;
    if (sf::RenderTarget* target = guiTarget())
        target->draw(text);
}

void Label::setPosition(sf::Vector2f topLeft) { text.setPosition(topLeft); }
sf::Vector2f Label::getPosition() const { return text.getPosition(); }
sf::Vector2f Label::getSize() const { return {textWidth(), lineSpacing()}; }
float Label::getWidth() const { return textWidth(); }
float Label::getHeight() const { return lineSpacing(); }
std::uint8_t Label::getAlpha() const { return colour.a; }

void Label::setAlpha(std::uint8_t alpha)
{
    colour.a = alpha;
    text.setFillColor(colour);
}

} // namespace kv
