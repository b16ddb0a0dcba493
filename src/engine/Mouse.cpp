#include "engine/Mouse.hpp"

#include "engine/EventPoller.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace Mouse {
namespace {

// Mouse stores filled by the events poller; they live for the whole process
// and are reset only by the poller itself.
struct MouseState {
    sf::Vector2i lastPixel;
    std::array<bool, 3> down{};
    std::array<bool, 3> click{};
    std::array<sf::Vector2i, 3> pressAt{};
    float wheel = 0.f;
    bool captured = false;
    sf::Vector2i captureStart, captureEnd;
};
MouseState state;

constexpr double releaseWaitSeconds = 0.5;

sf::Vector2i toView(sf::Vector2i pixel)
{
    const KVCore::WindowBackend& w = KVCore::window();
    const sf::Vector2f p = KVCore::mapPixelToView(pixel, w.view(), w.size());
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

} // namespace

sf::Vector2i getViewPosition()
{
    KVCore::WindowBackend& w = KVCore::window();
    if (w.hasFocus())
        state.lastPixel = w.mousePosition();
    return toView(state.lastPixel);
}

unsigned getButtons()
{
    KVCore::WindowBackend& w = KVCore::window();
    if (!w.hasFocus())
        return 0;
    unsigned bits = 0;
    if (w.isButtonPressed(sf::Mouse::Left)) bits |= leftBit;
    if (w.isButtonPressed(sf::Mouse::Right)) bits |= rightBit;
    if (w.isButtonPressed(sf::Mouse::Middle)) bits |= middleBit;
    return bits;
}

bool isInRect(float left, float top, float right, float bottom)
{
    const sf::Vector2i p = getViewPosition();
    const float x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    return x >= left && x <= right && y >= top && y <= bottom;
}

void waitRelease()
{
    clearClickState(Left);
    const double start = KVCore::timeSource().seconds();
    while (getButtons() & leftBit) {
        KVCore::pollEvents();
        if (KVCore::timeSource().seconds() - start >= releaseWaitSeconds)
            break;
    }
}

void beginCapture()
{
    state.captureStart = getViewPosition();
    state.captured = true;
}

void endCapture()
{
    state.captureEnd = getViewPosition();
    state.captured = false;
}

bool isCaptured() { return state.captured; }
sf::Vector2i captureStart() { return state.captureStart; }
sf::Vector2i captureEnd() { return state.captureEnd; }

bool clicked(Button button) { return state.click[button]; }
bool buttonDown(Button button) { return state.down[button]; }
sf::Vector2i pressPosition(Button button) { return state.pressAt[button]; }
float wheelDelta() { return state.wheel; }

// The event's own position is used rather than the device's: a press and a
// release that arrive in the same tick must not read the same spot.
void pressButton(Button button, sf::Vector2i pixel)
{
    state.lastPixel = pixel;
    state.down[button] = true;
    state.pressAt[button] = toView(pixel);
}

void releaseButton(Button button, sf::Vector2i pixel)
{
    if (!state.down[button])
        return;
    state.lastPixel = pixel;
    const sf::Vector2i at = toView(pixel);
    const sf::Vector2i d = at - state.pressAt[button];
    const int distance = static_cast<int>(std::sqrt(static_cast<double>(d.x * d.x + d.y * d.y)));
    const sf::Vector2f viewSize = KVCore::window().view().getSize();
    const float threshold = std::max(viewSize.x, viewSize.y) / clickThresholdDivisor;
    if (threshold > static_cast<float>(distance))
        state.click[button] = true;
    state.down[button] = false;
}

void setWheelDelta(float delta) { state.wheel = delta; }

void clearClicks() { state.click = {}; }

void clearTickInput()
{
    state.wheel = 0.f;
    KVCore::WindowBackend& w = KVCore::window();
    if (state.captured && (!w.hasFocus() || getButtons() == 0))
        endCapture();
}

void clearClickState(Button button)
{
    state.down[button] = false;
    state.click[button] = false;
}

} // namespace Mouse
