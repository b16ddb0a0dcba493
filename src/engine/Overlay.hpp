#pragma once
// What the end of every frame draws over the screen: printed messages,
// hints, the FPS counter and the drawn mouse cursors.  The layout rules are
// plain functions so they can be checked without a window.

#include <SFML/Graphics/Rect.hpp>

#include <vector>

namespace KVCore {

struct MessageLayout {
    std::vector<sf::Vector2f> linePositions;  // oldest first
    sf::FloatRect box;
};

// n lines of the given widths stacked so the newest ends at the anchor.
MessageLayout layoutMessages(sf::Vector2f anchor, float lineSpacing, const std::vector<float>& widths);

// A hint box of the given size placed at the position but moved back
// inside the view, never left of or above 0.
sf::FloatRect placeHintBox(sf::Vector2f position, sf::Vector2f boxSize, sf::Vector2f viewSize);

// Frames counted per wall-clock second; the shown value changes once a
// second.
class FpsCounter {
public:
    // One frame at this wall-clock second; returns the value to show.
    int frame(int wallSecond);

private:
    int counter_ = 0;
    int shown_ = 0;
    int lastSecond_ = -1;
};

void drawScreenMessages();
void drawHints();
void drawFpsCounter();
// Modes 2, 3 and 4 draw the cursor sprites of icons 164, 61 and 84.
void drawCursor(int cursorMode);
void setUpOverlay();

} // namespace KVCore
