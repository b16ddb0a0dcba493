#pragma once
// The toolkit's colours, shared by every widget and by the engine's hints.

#include <SFML/Graphics/Color.hpp>

#include <cstdint>

namespace kv::theme {

inline const sf::Color faceColour(200, 200, 200, 255);
inline const sf::Color hoverColour(127, 127, 228, 255);
inline const sf::Color bevelLightColour(255, 255, 255, 255);
inline const sf::Color bevelDarkColour(128, 128, 128, 255);
inline const sf::Color titleBarColour(52, 81, 142, 255);
inline const sf::Color titleBarLightColour(179, 179, 179, 255);
inline const sf::Color titleBarDarkColour(79, 79, 79, 255);
inline const sf::Color textColour(0, 0, 0, 255);
inline const sf::Color titleTextColour(255, 255, 255, 255);
inline const sf::Color hintTextColour(0, 0, 0, 255);
inline const sf::Color hintBackColour(255, 255, 255, 255);
inline const sf::Color hintShadowColour(0, 0, 0, 128);

// Where the hint's shadow falls, in view units.
inline const float shadowOffset = 8.f;

} // namespace kv::theme

namespace kv {

// A colour as it shows when its widget fades to the given alpha.
inline sf::Color withAlpha(sf::Color c, std::uint8_t alpha)
{
    c.a = alpha;
    return c;
}

} // namespace kv
