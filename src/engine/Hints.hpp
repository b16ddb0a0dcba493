#pragma once
// Tooltips.  Widgets show their hint on every draw while the mouse is over
// them; the poller ages the list once per tick.

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

#include <string>
#include <vector>

namespace KVCore {

struct Hint {
    std::string text;
    sf::Vector2f position;
    sf::Color textColour;
    sf::Color backColour;
    std::string id;
    float timeToLive = 0.f;
    unsigned age = 0;
};

void showHint(const std::string& hintKey, sf::Vector2f position, float seconds, const std::string& text);
void showHint(const std::string& hintKey, sf::Vector2f position, float seconds, const std::string& text,
              sf::Color textColour, sf::Color backColour);
void ageHints(float tickDelta);
const std::vector<Hint>& hints();
void clearHints();

} // namespace KVCore
