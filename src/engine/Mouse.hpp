#pragma once
// Mouse position, buttons, clicks, the wheel and the capture that dragging
// widgets use.  Positions are integers in view units.

#include <SFML/System/Vector2.hpp>

namespace Mouse {

enum Button { Left = 0, Right = 1, Middle = 2 };

constexpr unsigned leftBit = 1, rightBit = 2, middleBit = 4;
// A press and release closer than the larger view side over this are a click:
// a fiftieth of the view forgives a hand that shakes, at any resolution.
constexpr float clickThresholdDivisor = 50.0f;

sf::Vector2i getViewPosition();
unsigned getButtons();
bool isInRect(float left, float top, float right, float bottom);
void waitRelease();
void beginCapture();
void endCapture();
bool isCaptured();
sf::Vector2i captureStart();
sf::Vector2i captureEnd();

// Per-frame and per-tick state the events poller fills.
bool clicked(Button button);
bool buttonDown(Button button);
sf::Vector2i pressPosition(Button button);
float wheelDelta();

// Press and release at the window pixel the event reported.
void pressButton(Button button, sf::Vector2i pixel);
void releaseButton(Button button, sf::Vector2i pixel);
void setWheelDelta(float delta);
void clearClicks();
void clearTickInput();
void clearClickState(Button button);

} // namespace Mouse
