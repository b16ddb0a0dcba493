#pragma once
// Lights: sprites drawn into the light layers and composed over the frame,
// multiplied (shade) or added (glow).

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace KVCore {

void queueLight(const sf::Sprite& light, bool additive);
void setLightTint(sf::Color tint);
// End of frame: with no lights queued the picture is left as it is.
void lightingPass();

} // namespace KVCore
