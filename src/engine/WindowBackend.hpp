#pragma once
// The seam between the engine and the real window.  The engine asks this
// object for events, focus, live key and button state, the mouse position,
// the gamepads and the view; the game runs on an SFML window, tests on a stand-in that
// they feed with events and key states.

#include <SFML/Graphics/View.hpp>
#include <SFML/Window/ContextSettings.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Joystick.hpp>
#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <memory>
#include <string>
#include <vector>

namespace sf {
class RenderWindow;
}

namespace KVCore {

class WindowBackend {
public:
    virtual ~WindowBackend() = default;

    virtual bool create(sf::VideoMode mode, const std::string& title, bool windowed,
                        const sf::ContextSettings& context) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    virtual void display() = 0;
    // A frame that shows nothing new: the picture on screen stays, and the
    // call takes as long as a frame at the frame limit would.
    virtual void holdFrame() = 0;

    virtual bool pollEvent(sf::Event& event) = 0;
    virtual bool hasFocus() const = 0;
    // Live device state; the engine checks the focus itself.
    virtual bool isKeyPressed(sf::Keyboard::Key key) const = 0;
    virtual bool isButtonPressed(sf::Mouse::Button button) const = 0;
    // Mouse position in window pixels.
    virtual sf::Vector2i mousePosition() const = 0;
    // Gamepads as of the last pollEvent, which is when SFML reads them.
    virtual bool joystickConnected(unsigned pad) const = 0;
    // -100 to 100.
    virtual float joystickAxis(unsigned pad, sf::Joystick::Axis axis) const = 0;

    virtual sf::Vector2u size() const = 0;
    virtual const sf::View& view() const = 0;
    virtual void setView(const sf::View& view) = 0;
    virtual sf::View defaultView() const = 0;

    virtual void setFramerateLimit(unsigned limit) = 0;
    virtual void setVerticalSyncEnabled(bool enabled) = 0;
    virtual void setMouseCursorVisible(bool visible) = 0;
    virtual void setMouseCursorGrabbed(bool grabbed) = 0;

    virtual sf::VideoMode desktopMode() const = 0;
    virtual std::vector<sf::VideoMode> fullscreenModes() const = 0;
    // Whether the graphics driver runs shaders; without them the engine
    // cannot draw its shadows and refuses to start.
    virtual bool shadersAvailable() const = 0;

    // The window to draw into; null for stand-ins that draw nothing.
    virtual sf::RenderWindow* renderWindow() { return nullptr; }
};

// The installed back end; the SFML window unless a test swapped it.
WindowBackend& window();
void setWindowBackend(std::unique_ptr<WindowBackend> backend);
// Whether a window exists and is open, without making one: an SFML window
// object reaches for the display as soon as it is constructed, and the data
// tool runs where there is none.
bool windowIsOpen();
std::unique_ptr<WindowBackend> makeSfmlWindowBackend();

// A window pixel mapped through a view, as SFML maps it.
sf::Vector2f mapPixelToView(sf::Vector2i pixel, const sf::View& view, sf::Vector2u windowSize);

} // namespace KVCore
