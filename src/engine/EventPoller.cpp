#include "engine/EventPoller.hpp"

#include "audio/Audio.hpp"
#include "engine/AppInfo.hpp"
#include "engine/Display.hpp"
#include "engine/Gamepad.hpp"
#include "engine/Hints.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Screenshot.hpp"
#include "engine/Shaders.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "platform/MessageBox.hpp"

#include <cstdlib>

namespace KVCore {
namespace {

// The poller's clocks and flags.  Started by KVCore::init, stopped by
// KVCore::shutdown; the frame and tick flags live for one frame each.
struct PollerState {
    bool started = false;
    float tickStep = 1.0f / static_cast<float>(ticksPerSecond);
    float tickDelta = 0.f;
    double tickClockStart = 0.0;
    double frameClockStart = 0.0;
    bool frameClockRunning = false;
    float frameTime = 0.f;
    bool tickFlag = false;
    std::uint64_t eventsRead = 0;
    std::uint32_t tickCounter = 0;
    unsigned frameLimitInEffect = 0;
    bool confirmClose = true;
    bool focusLost = false;
    std::function<void(int)> exitHandler = [](int code) { std::exit(code); };
};
PollerState state;

constexpr int keyF12 = sf::Keyboard::F12;
constexpr int keyTilde = sf::Keyboard::Tilde;

void handleClose()
{
    if (state.confirmClose) {
        const auto answer = platform::showMessageBox("Are you sure you want to close " + appInfo().appName + " ?",
                                                     "Confirm", platform::MessageBoxButtons::YesNo,
                                                     platform::MessageBoxIcon::Question);
        if (answer != platform::MessageBoxResult::Yes)
            return;
    }
    setLoggingEnabled(false);
    window().close();
    shutdown();
    state.exitHandler(0);
}

void handleKey(const sf::Event::KeyEvent& key)
{
    // The switch is the window's, not the screen's: the key goes no further.
    if (key.code == sf::Keyboard::F11 || (key.code == sf::Keyboard::Return && key.alt)) {
        toggleFullscreen();
        return;
    }
    const int code = key.code;
    if (code == keyF12) {
        if (window().hasFocus() && window().isKeyPressed(sf::Keyboard::LControl))
            Shaders::reloadShaders();
        else
            requestScreenshot("");
    }
    Keyboard::addPressedKey(code);
}

void handleText(sf::Uint32 unicode)
{
    if (unicode == '`') {
        Keyboard::addPressedKey(keyTilde);
        return;
    }
    if (unicode >= 128 || unicode == 8 || unicode == 13 || unicode == 9)
        return;
    Keyboard::appendTypedText(static_cast<char>(unicode));
}

Mouse::Button toButton(sf::Mouse::Button b)
{
    switch (b) {
    case sf::Mouse::Right: return Mouse::Right;
    case sf::Mouse::Middle: return Mouse::Middle;
    default: return Mouse::Left;
    }
}

bool isTrackedButton(sf::Mouse::Button b)
{
    return b == sf::Mouse::Left || b == sf::Mouse::Right || b == sf::Mouse::Middle;
}

void handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed: handleClose(); break;
    // A new window (at start-up, or switching to or from full screen) loses
    // and gains the focus in one go: only a loss not won back counts.
    case sf::Event::GainedFocus:
        window().setMouseCursorGrabbed(false);
        state.focusLost = false;
        break;
    case sf::Event::LostFocus: state.focusLost = true; break;
    case sf::Event::KeyPressed: handleKey(event.key); break;
    case sf::Event::TextEntered: handleText(event.text.unicode); break;
    case sf::Event::MouseWheelScrolled: Mouse::setWheelDelta(event.mouseWheelScroll.delta); break;
    case sf::Event::MouseButtonPressed:
        if (isTrackedButton(event.mouseButton.button))
            Mouse::pressButton(toButton(event.mouseButton.button), {event.mouseButton.x, event.mouseButton.y});
        break;
    case sf::Event::MouseButtonReleased:
        if (isTrackedButton(event.mouseButton.button))
            Mouse::releaseButton(toButton(event.mouseButton.button), {event.mouseButton.x, event.mouseButton.y});
        break;
    case sf::Event::JoystickButtonPressed:
        Keyboard::addPressedKey(Gamepad::keyForButton(event.joystickButton.button));
        break;
    case sf::Event::JoystickConnected:
        log("Gamepad " + std::to_string(event.joystickConnect.joystickId + 1) + " connected");
        break;
    case sf::Event::JoystickDisconnected:
        log("Gamepad " + std::to_string(event.joystickConnect.joystickId + 1) + " removed");
        break;
    default: break;
    }
}

} // namespace

void pollEvents()
{
    state.tickFlag = false;
    const double now = timeSource().seconds();
    state.frameTime = state.frameClockRunning ? static_cast<float>(now - state.frameClockStart) : 0.f;
    state.frameClockStart = now;
    state.frameClockRunning = true;

    const bool due = (state.frameLimitInEffect != 0 && state.frameLimitInEffect <= ticksPerSecond) ||
                     now - state.tickClockStart >= static_cast<double>(state.tickStep);
    if (due) {
        // Time beyond the step is dropped: a slow frame is never made up
        // with a burst of extra ticks.
        state.tickClockStart = now;
        state.tickDelta = state.tickStep;
        state.tickFlag = true;
    }
    Mouse::clearClicks();
    if (due)
        processEvents();
}

void processEvents()
{
    if (!state.started || !state.tickFlag)
        return;
    ++state.tickCounter;
    Audio::pollSound();
    ageHints(state.tickDelta);
    Keyboard::clearTickInput();
    Mouse::clearTickInput();
    state.focusLost = false;

    sf::Event event;
    while (window().pollEvent(event)) {
        ++state.eventsRead;
        handleEvent(event);
        if (!state.started)
            return;
    }
    Gamepad::pressDirections(timeSource().seconds());
}

void startPoller()
{
    if (state.started)
        return;
    state.tickStep = 1.0f / static_cast<float>(ticksPerSecond);
    state.tickClockStart = timeSource().seconds();
    state.frameClockStart = state.tickClockStart;
    state.frameClockRunning = true;
    state.started = true;
    Gamepad::reset();
    log("Events poller started at " + std::to_string(ticksPerSecond) + " ticks per second");
}

void stopPoller()
{
    state.started = false;
    log("Events poller stopped");
}

bool pollerStarted() { return state.started; }
bool tickFlag() { return state.tickFlag; }
float tickDelta() { return state.tickDelta; }
float frameTime() { return state.frameTime; }
std::uint64_t eventsRead() { return state.eventsRead; }

void restartFrameClock()
{
    state.frameClockStart = timeSource().seconds();
    state.frameClockRunning = true;
}
std::uint32_t tickCounter() { return state.tickCounter; }
void setFrameLimitInEffect(unsigned limit) { state.frameLimitInEffect = limit; }
unsigned frameLimitInEffect() { return state.frameLimitInEffect; }
void setExitHandler(std::function<void(int)> handler) { state.exitHandler = std::move(handler); }
void setCloseConfirmation(bool ask) { state.confirmClose = ask; }

bool takeFocusLoss()
{
    const bool lost = state.focusLost;
    state.focusLost = false;
    return lost;
}

} // namespace KVCore
