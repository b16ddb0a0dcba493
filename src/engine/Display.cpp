#include "engine/Display.hpp"

#include "engine/AppInfo.hpp"
#include "engine/Console.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/WindowBackend.hpp"

#include <algorithm>
#include <cmath>

namespace KVCore {
namespace {

// Window state besides the settings; created by the first createWindow and
// kept for the whole process.
struct DisplayState {
    bool windowed = true;
    bool emulating = false;
    sf::View emulatedView;
    sf::Vector2f emulatedSize;
    // What emulation was asked for, before the view took the window's aspect.
    sf::Vector2u emulationAsked;
    bool created = false;
    // The last size of each kind of window, zero until there was one.
    sf::Vector2u windowedSize;
    sf::Vector2u fullscreenSize;
};
DisplayState state;

} // namespace

bool createWindow(unsigned width, unsigned height, unsigned bitsPerPixel, bool windowed)
{
    width = std::max(width, minimumWidth);
    height = std::max(height, minimumHeight);
    EngineSettings& s = settings();

    sf::ContextSettings context;
    context.depthBits = 0;
    context.stencilBits = 0;
    context.antialiasingLevel = static_cast<unsigned>(std::max(s.antialiasingLevel, 0));
    context.majorVersion = 1;
    context.minorVersion = 1;
    context.sRgbCapable = false;

    WindowBackend& w = window();
    releaseLayers();
    w.create(sf::VideoMode(width, height, bitsPerPixel), appInfo().appName, windowed, context);

    const sf::VideoMode desktop = w.desktopMode();
    const bool desktopSize = width == desktop.width && height == desktop.height;
    s.width = desktopSize ? 0 : static_cast<int>(width);
    s.height = desktopSize ? 0 : static_cast<int>(height);
    s.bpp = static_cast<int>(bitsPerPixel);
    s.window = windowed;

    const unsigned limit = static_cast<unsigned>(std::max(s.fpsLimit, 0));
    w.setFramerateLimit(limit);
    setFrameLimitInEffect(limit);
    w.setVerticalSyncEnabled(s.vsyncEnabled);

    state.windowed = windowed;
    (windowed ? state.windowedSize : state.fullscreenSize) = {width, height};
    setCloseConfirmation(windowed);

    const sf::Vector2f view = w.view().getSize();
    const bool firstWindow = !state.created;
    state.created = true;
    log(std::string(windowed ? "Switched to windowed" : "Switched to fullscreen") + " display resolution " +
        std::to_string(static_cast<int>(view.x)) + " by " + std::to_string(static_cast<int>(view.y)));
    if (!firstWindow)
        buildScriptConsole();
    return true;
}

void emulateResolution(unsigned width, unsigned height, bool store)
{
    const unsigned ew = std::max(width, minimumWidth);
    const unsigned eh = std::max(height, minimumHeight);
    if (store) {
        settings().emulatedWidth = static_cast<int>(ew);
        settings().emulatedHeight = static_cast<int>(eh);
    }
    WindowBackend& w = window();
    const float W = static_cast<float>(w.size().x);
    const float H = static_cast<float>(w.size().y);

    // The view takes the window's aspect and keeps the shorter emulated side.
    float viewWidth, viewHeight;
    if (W > H) {
        viewWidth = W / H * static_cast<float>(eh);
        viewHeight = static_cast<float>(eh);
    } else {
        viewWidth = static_cast<float>(ew);
        viewHeight = H / W * static_cast<float>(ew);
    }
    const float scale = std::min(H / viewHeight, W / viewWidth);
    const sf::FloatRect viewport((W - scale * viewWidth) * 0.5f / W, (H - scale * viewHeight) * 0.5f / H,
                                 scale * viewWidth / W, scale * viewHeight / H);

    state.emulating = true;
    state.emulationAsked = {ew, eh};
    state.emulatedView.reset(sf::FloatRect(0.f, 0.f, viewWidth, viewHeight));
    state.emulatedView.setViewport(viewport);
    w.setView(state.emulatedView);

    state.emulatedSize = {std::floor(viewWidth), std::floor(viewHeight)};
    log("Emulating display resolution " + std::to_string(static_cast<int>(state.emulatedSize.x)) + " by " +
        std::to_string(static_cast<int>(state.emulatedSize.y)) + " (adjusted for aspect)");
}

void stopEmulation()
{
    if (!state.emulating)
        return;
    window().setView(window().defaultView());
    state.emulating = false;
}

void toggleFullscreen()
{
    WindowBackend& w = window();
    const sf::Vector2f view = w.view().getSize();
    const sf::Vector2u emulation = state.emulating ? state.emulationAsked
                                                   : sf::Vector2u(static_cast<unsigned>(view.x),
                                                                  static_cast<unsigned>(view.y));
    const bool toWindow = !state.windowed;
    sf::Vector2u size = toWindow ? state.windowedSize : state.fullscreenSize;
    if (size.x == 0 || size.y == 0) {
        const sf::VideoMode desktop = w.desktopMode();
        size = toWindow ? sf::Vector2u(std::min(firstRunWidth, desktop.width), std::min(firstRunHeight, desktop.height))
                        : sf::Vector2u(desktop.width, desktop.height);
    }
    const unsigned bpp = static_cast<unsigned>(std::max(settings().bpp, 0));
    createWindow(size.x, size.y, bpp, toWindow);
    emulateResolution(emulation.x, emulation.y, true);
    placeMessageAnchor();
    saveSettings();
}

bool emulationActive() { return state.emulating; }
sf::Vector2f emulatedSize() { return state.emulatedSize; }
bool isWindowed() { return state.windowed; }
sf::Vector2f viewSize() { return window().view().getSize(); }

void setFrameRateLimit(unsigned limit)
{
    window().setFramerateLimit(limit);
    settings().fpsLimit = static_cast<int>(limit);
    setFrameLimitInEffect(limit);
}

void setVerticalSync(bool enabled)
{
    window().setVerticalSyncEnabled(enabled);
    settings().vsyncEnabled = enabled;
}

} // namespace KVCore
