#pragma once
// Stand-in window and clocks for engine tests: events, focus, held keys, the
// mouse and the gamepads are plain data the test sets; time moves only when
// told.

#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>

namespace test {

class FakeWindow final : public KVCore::WindowBackend {
public:
    FakeWindow() { resize(1024, 768); }

    bool create(sf::VideoMode mode, const std::string&, bool windowedFlag, const sf::ContextSettings&) override
    {
        open = true;
        windowed = windowedFlag;
        resize(mode.width, mode.height);
        ++createCount;
        return true;
    }
    bool isOpen() const override { return open; }
    void close() override { open = false; }
    void display() override { ++frames; }
    void holdFrame() override
    {
        ++heldFrames;
        if (afterHold)
            afterHold();
    }

    bool pollEvent(sf::Event& event) override
    {
        if (events.empty())
            return false;
        event = events.front();
        events.pop_front();
        return true;
    }
    bool hasFocus() const override { return open && focus; }
    bool isKeyPressed(sf::Keyboard::Key key) const override { return keys.count(key) != 0; }
    bool isButtonPressed(sf::Mouse::Button button) const override { return buttons.count(button) != 0; }
    sf::Vector2i mousePosition() const override { return mouse; }
    bool joystickConnected(unsigned pad) const override { return pads.count(pad) != 0; }
    float joystickAxis(unsigned pad, sf::Joystick::Axis axis) const override
    {
        const auto it = pads.find(pad);
        return it == pads.end() ? 0.f : it->second[axis];
    }

    sf::Vector2u size() const override { return windowSize; }
    const sf::View& view() const override { return currentView; }
    void setView(const sf::View& v) override { currentView = v; }
    sf::View defaultView() const override
    {
        return sf::View(sf::FloatRect(0.f, 0.f, static_cast<float>(windowSize.x), static_cast<float>(windowSize.y)));
    }

    void setFramerateLimit(unsigned limit) override { frameLimit = limit; }
    void setVerticalSyncEnabled(bool enabled) override { vsync = enabled; }
    void setMouseCursorVisible(bool visible) override { cursorVisible = visible; }
    void setMouseCursorGrabbed(bool grabbed) override { cursorGrabbed = grabbed; }

    sf::VideoMode desktopMode() const override { return desktop; }
    std::vector<sf::VideoMode> fullscreenModes() const override
    {
        return modes.empty() ? std::vector<sf::VideoMode>{desktop} : modes;
    }
    bool shadersAvailable() const override { return shaders; }

    void resize(unsigned w, unsigned h)
    {
        windowSize = {w, h};
        currentView = defaultView();
    }

    // Helpers that queue the events a real window would send.
    void pressKey(sf::Keyboard::Key key)
    {
        sf::Event e;
        e.type = sf::Event::KeyPressed;
        e.key = {key, false, false, false, false};
        events.push_back(e);
    }
    void typeChar(sf::Uint32 unicode)
    {
        sf::Event e;
        e.type = sf::Event::TextEntered;
        e.text.unicode = unicode;
        events.push_back(e);
    }
    void mouseButton(sf::Mouse::Button button, bool pressed)
    {
        sf::Event e;
        e.type = pressed ? sf::Event::MouseButtonPressed : sf::Event::MouseButtonReleased;
        e.mouseButton = {button, mouse.x, mouse.y};
        events.push_back(e);
    }
    // Connecting or removing a pad changes what it reports at once and
    // queues the event SFML sends.
    void connectPad(unsigned pad)
    {
        pads[pad] = {};
        events.push_back(joystickEvent(sf::Event::JoystickConnected, pad));
    }
    void removePad(unsigned pad)
    {
        pads.erase(pad);
        events.push_back(joystickEvent(sf::Event::JoystickDisconnected, pad));
    }
    void padButton(unsigned pad, unsigned button, bool pressed)
    {
        sf::Event e;
        e.type = pressed ? sf::Event::JoystickButtonPressed : sf::Event::JoystickButtonReleased;
        e.joystickButton = {pad, button};
        events.push_back(e);
    }
    void moveAxis(unsigned pad, sf::Joystick::Axis axis, float position)
    {
        pads[pad][axis] = position;
        sf::Event e;
        e.type = sf::Event::JoystickMoved;
        e.joystickMove = {pad, axis, position};
        events.push_back(e);
    }
    void loseFocus() { setFocus(false); }
    void gainFocus() { setFocus(true); }
    void closeRequest()
    {
        sf::Event e;
        e.type = sf::Event::Closed;
        events.push_back(e);
    }

    bool open = true;
    bool focus = true;
    bool windowed = true;
    std::deque<sf::Event> events;
    std::set<sf::Keyboard::Key> keys;
    std::set<sf::Mouse::Button> buttons;
    sf::Vector2i mouse;
    // Connected pads and their axis positions.
    std::map<unsigned, std::array<float, sf::Joystick::AxisCount>> pads;
    sf::Vector2u windowSize;
    sf::View currentView;
    sf::VideoMode desktop{1920, 1080, 32};
    // The full-screen modes offered; none means only the desktop's.
    std::vector<sf::VideoMode> modes;
    bool shaders = true;
    unsigned frameLimit = 0;
    bool vsync = false;
    bool cursorVisible = true;
    bool cursorGrabbed = false;
    int frames = 0;
    int heldFrames = 0;
    // After each held frame (null: nothing).
    std::function<void()> afterHold;
    int createCount = 0;

private:
    void setFocus(bool gained)
    {
        focus = gained;
        sf::Event e;
        e.type = gained ? sf::Event::GainedFocus : sf::Event::LostFocus;
        events.push_back(e);
    }
    static sf::Event joystickEvent(sf::Event::EventType type, unsigned pad)
    {
        sf::Event e;
        e.type = type;
        e.joystickConnect = {pad};
        return e;
    }
};

class FakeTime final : public KVCore::TimeSource {
public:
    double seconds() const override { return now; }
    platform::UtcTime utcNow() const override { return utc; }

    void advance(double s) { now += s; }

    double now = 1000.0;
    platform::UtcTime utc{2026, 12, 6, 12, 30, 15, 0};
};

// Installs a fresh stand-in window and clock for one test and puts the real
// ones back afterwards.
class FakeWindowScope {
public:
    FakeWindowScope();
    ~FakeWindowScope();
    FakeWindowScope(const FakeWindowScope&) = delete;
    FakeWindowScope& operator=(const FakeWindowScope&) = delete;

    FakeWindow& window;
    FakeTime& time;

private:
    static FakeWindow& install();
    static FakeTime& installTime();
};

} // namespace test
