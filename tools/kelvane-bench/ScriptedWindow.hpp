#pragma once
// The real window with the player taken out: it draws and shows every frame
// as the game's own does, but the keys held, the mouse and the key presses
// are plain data the benchmark sets, the window always has the focus, and
// each frame shown is timed.  A screen can be told the window is gone, which
// ends any loop of the engine's without closing the real window.
//
// Time can be stepped too: each frame shown then moves the engine's clock on
// by one 60th of a second, so play goes the same way however fast the
// machine draws.

#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"

#include <bitset>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

class SteppedTime final : public KVCore::TimeSource {
public:
    double seconds() const override { return now; }
    platform::UtcTime utcNow() const override;

    double now = 1000.0;
};

// A 60th of a second and a hair: the engine's tick step is 1/30 rounded up
// to a float, and two frames of exactly 1/60 would fall short of it, so the
// game would tick every third frame instead of every second as at 60 Hz.
constexpr double steppedFrameSeconds = 1.0 / 60.0 + 1e-8;

class ScriptedWindow final : public KVCore::WindowBackend {
public:
    explicit ScriptedWindow(std::unique_ptr<KVCore::WindowBackend> real);

    bool create(sf::VideoMode mode, const std::string& title, bool windowed,
                const sf::ContextSettings& context) override;
    bool isOpen() const override { return !gone && real_->isOpen(); }
    void close() override { real_->close(); }
    void display() override;
    void holdFrame() override;

    bool pollEvent(sf::Event& event) override;
    bool hasFocus() const override { return real_->isOpen(); }
    bool isKeyPressed(sf::Keyboard::Key key) const override { return key >= 0 && keys[key]; }
    bool isButtonPressed(sf::Mouse::Button button) const override { return buttons[button]; }
    sf::Vector2i mousePosition() const override { return mouse; }
    bool joystickConnected(unsigned) const override { return false; }
    float joystickAxis(unsigned, sf::Joystick::Axis) const override { return 0.f; }

    sf::Vector2u size() const override { return real_->size(); }
    const sf::View& view() const override { return real_->view(); }
    void setView(const sf::View& view) override { real_->setView(view); }
    sf::View defaultView() const override { return real_->defaultView(); }

    void setFramerateLimit(unsigned limit) override { real_->setFramerateLimit(limit); }
    void setVerticalSyncEnabled(bool enabled) override { real_->setVerticalSyncEnabled(enabled); }
    void setMouseCursorVisible(bool visible) override { real_->setMouseCursorVisible(visible); }
    void setMouseCursorGrabbed(bool) override {}

    sf::VideoMode desktopMode() const override { return real_->desktopMode(); }
    std::vector<sf::VideoMode> fullscreenModes() const override { return real_->fullscreenModes(); }
    bool shadersAvailable() const override { return real_->shadersAvailable(); }
    sf::RenderWindow* renderWindow() override { return real_->renderWindow(); }

    void pressKey(sf::Keyboard::Key key);

    // Frame times in milliseconds, display to display, from the first frame
    // shown after this call; room for `frames` is made now, so timing
    // allocates nothing while it runs.
    void startTiming(std::size_t frames);
    void stopTiming();
    const std::vector<double>& frameTimesMs() const { return frameTimesMs_; }
    // Every frame shown or held since the window was made.
    std::size_t framesShown() const { return shown_; }
    // The frames of those that showed nothing new.
    std::size_t framesHeld() const { return held_; }
    // Each frame shown moves this clock on by a 60th of a second (null: none).
    void stepTime(SteppedTime* time) { steppedTime_ = time; }

    // Bit sets, so that changing what is held allocates nothing.
    std::bitset<sf::Keyboard::KeyCount> keys;
    std::bitset<sf::Mouse::ButtonCount> buttons;
    sf::Vector2i mouse;
    // The screens see no window while set.
    bool gone = false;
    // After each frame shown or held (null: nothing).
    std::function<void()> afterDisplay;
    // The antialiasing level asked of the driver instead of the player's
    // setting (none: the setting's).
    std::optional<unsigned> antialiasing;

private:
    using Clock = std::chrono::steady_clock;

    void frameEnded();

    std::unique_ptr<KVCore::WindowBackend> real_;
    std::deque<sf::Event> events_;
    std::vector<double> frameTimesMs_;
    std::size_t shown_ = 0;
    std::size_t held_ = 0;
    bool timing_ = false;
    bool everShown_ = false;
    Clock::time_point lastShown_;
    SteppedTime* steppedTime_ = nullptr;
};

} // namespace bench
