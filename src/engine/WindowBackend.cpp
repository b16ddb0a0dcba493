#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/System/Sleep.hpp>

#include <cmath>

namespace KVCore {
namespace {

class SfmlWindowBackend final : public WindowBackend {
public:
    bool create(sf::VideoMode mode, const std::string& title, bool windowed,
                const sf::ContextSettings& context) override
    {
        const sf::Uint32 style = windowed ? (sf::Style::Titlebar | sf::Style::Close) : sf::Style::Fullscreen;
        window_.create(mode, title, style, context);
        return window_.isOpen();
    }
    bool isOpen() const override { return window_.isOpen(); }
    void close() override { window_.close(); }
    void display() override { window_.display(); }
    void holdFrame() override
    {
        // Without a limit a held frame still need not come sooner than a
        // display would show it.
        sf::sleep(sf::seconds(1.f / static_cast<float>(limit_ != 0 ? limit_ : 60)));
    }

    bool pollEvent(sf::Event& event) override { return window_.pollEvent(event); }
    bool hasFocus() const override { return window_.hasFocus(); }
    bool isKeyPressed(sf::Keyboard::Key key) const override { return sf::Keyboard::isKeyPressed(key); }
    bool isButtonPressed(sf::Mouse::Button button) const override { return sf::Mouse::isButtonPressed(button); }
    sf::Vector2i mousePosition() const override { return sf::Mouse::getPosition(window_); }
    bool joystickConnected(unsigned pad) const override { return sf::Joystick::isConnected(pad); }
    float joystickAxis(unsigned pad, sf::Joystick::Axis axis) const override
    {
        return sf::Joystick::getAxisPosition(pad, axis);
    }

    sf::Vector2u size() const override { return window_.getSize(); }
    const sf::View& view() const override { return window_.getView(); }
    void setView(const sf::View& view) override { window_.setView(view); }
    sf::View defaultView() const override { return window_.getDefaultView(); }

    void setFramerateLimit(unsigned limit) override
    {
        limit_ = limit;
        window_.setFramerateLimit(limit);
    }
    void setVerticalSyncEnabled(bool enabled) override { window_.setVerticalSyncEnabled(enabled); }
    void setMouseCursorVisible(bool visible) override { window_.setMouseCursorVisible(visible); }
    void setMouseCursorGrabbed(bool grabbed) override { window_.setMouseCursorGrabbed(grabbed); }

    sf::VideoMode desktopMode() const override { return sf::VideoMode::getDesktopMode(); }
    std::vector<sf::VideoMode> fullscreenModes() const override { return sf::VideoMode::getFullscreenModes(); }
    bool shadersAvailable() const override { return sf::Shader::isAvailable(); }

    sf::RenderWindow* renderWindow() override { return &window_; }

private:
    sf::RenderWindow window_;
    unsigned limit_ = 0;
};

// The engine's one window.  Created lazily on first use so that tests which
// install a stand-in never touch the X display; replaced by tests.
struct BackendState {
    std::unique_ptr<WindowBackend> backend;
};
BackendState state;

} // namespace

WindowBackend& window()
{
    if (!state.backend)
        state.backend = makeSfmlWindowBackend();
    return *state.backend;
}

void setWindowBackend(std::unique_ptr<WindowBackend> backend) { state.backend = std::move(backend); }

bool windowIsOpen() { return state.backend && state.backend->isOpen(); }

std::unique_ptr<WindowBackend> makeSfmlWindowBackend() { return std::make_unique<SfmlWindowBackend>(); }

sf::Vector2f mapPixelToView(sf::Vector2i pixel, const sf::View& view, sf::Vector2u windowSize)
{
    const float width = static_cast<float>(windowSize.x);
    const float height = static_cast<float>(windowSize.y);
    const sf::FloatRect& vp = view.getViewport();
    const sf::IntRect viewport(static_cast<int>(0.5f + width * vp.left), static_cast<int>(0.5f + height * vp.top),
                               static_cast<int>(0.5f + width * vp.width), static_cast<int>(0.5f + height * vp.height));
    if (viewport.width == 0 || viewport.height == 0)
        return {0.f, 0.f};
    const sf::Vector2f normalized(-1.f + 2.f * static_cast<float>(pixel.x - viewport.left) / static_cast<float>(viewport.width),
                                  1.f - 2.f * static_cast<float>(pixel.y - viewport.top) / static_cast<float>(viewport.height));
    return view.getInverseTransform().transformPoint(normalized);
}

} // namespace KVCore
