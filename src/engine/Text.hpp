#pragma once
// The engine's five fonts, loaded once at start-up from the engine data
// folder.

#include <SFML/Graphics/Font.hpp>

namespace Text {

bool init();
bool loaded();

const sf::Font& standardFont();
const sf::Font& mediumFont();
const sf::Font& largeFont();
const sf::Font& monoFont();
const sf::Font& osdFont();

// Line spacing of the standard font at a character size; 0 before init.
float standardLineSpacing(unsigned characterSize);

} // namespace Text
