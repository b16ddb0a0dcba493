#include "engine/KVCore.hpp"

#include "audio/Audio.hpp"
#include "engine/Console.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/InternalTextures.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Lighting.hpp"
#include "engine/Log.hpp"
#include "engine/Overlay.hpp"
#include "engine/Screenshot.hpp"
#include "engine/StillPicture.hpp"
#include "engine/Shaders.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Component.hpp"
#include "platform/MessageBox.hpp"

#include <algorithm>

namespace KVCore {
namespace {

// Set at the end of a successful init, cleared by shutdown.
struct CoreState {
    bool initialised = false;
};
CoreState state;

constexpr unsigned firstRunBpp = 32;

} // namespace

bool init()
{
    loadSettings();
    const EngineSettings& s = settings();

    unsigned width = firstRunWidth, height = firstRunHeight, bpp = firstRunBpp;
    bool windowed = true;
    if (settingsFileExisted()) {
        width = static_cast<unsigned>(std::max(s.width, 0));
        height = static_cast<unsigned>(std::max(s.height, 0));
        bpp = static_cast<unsigned>(std::max(s.bpp, 0));
        windowed = s.window;
        // A window larger than the screen could not be seen whole.
        const sf::VideoMode desktop = window().desktopMode();
        if (width == 0 || height == 0 || width > desktop.width || height > desktop.height) {
            width = desktop.width;
            height = desktop.height;
        }
    }
    if (!createWindow(width, height, bpp, windowed))
        return false;

    if (!Shaders::init()) {
        reportError("KVCore::init: ");
        return false;
    }
    setCurrentTarget(nullptr);
    drawOffset() = {0.f, 0.f};
    drawScale() = {1.f, 1.f};
    setDirectDraw(false);

    if (!Text::init()) {
        showErrorBox("KVCore::init: loadFonts failed.");
        return false;
    }
    placeMessageAnchor();
    Keyboard::buildKeyNameTable();
    InternalTextures::loadTextures();
    setUpOverlay();

    Audio::init();
    startPoller();

    // Before anything takes an id: the script console's memo is the first.
    kv::clearIdTable();
    if (!createConsole()) {
        showErrorBox("KVCore::Init: createConsole failed.");
        return false;
    }
    buildScriptConsole();

    state.initialised = true;
    log("ZAVI3 initialised using SFML v2.5.1");

    if (settingsFileExisted() && s.emulatedWidth != 0 && s.emulatedHeight != 0)
        emulateResolution(static_cast<unsigned>(std::max(s.emulatedWidth, 0)),
                          static_cast<unsigned>(std::max(s.emulatedHeight, 0)), true);
    if (emulationActive())
        placeMessageAnchor();
    return true;
}

void shutdown()
{
    if (!state.initialised)
        return;
    saveSettings();
    stopEmulation();
    if (InternalTextures::loaded())
        InternalTextures::releaseTextures();
    clearConsoleLines();
    Keyboard::clearKeyNameTable();
    stopPoller();
    Audio::shutdown();
    state.initialised = false;
}

bool initialised() { return state.initialised; }

void showErrorBox(const std::string& text)
{
    platform::showMessageBox(text, "Error", platform::MessageBoxButtons::Ok, platform::MessageBoxIcon::Error);
}

void beginFrame() { ensureLayers(); }

void beginFrame(const sf::Texture& background)
{
    // The picture covers the view and is opaque: blending it over the last
    // frame would only read every pixel for nothing.
    if (sf::RenderTarget* target = currentTarget())
        drawOverView(*target, background, sf::RenderStates(sf::BlendNone));
    ensureLayers();
}

void endFrame(int cursorMode)
{
    WindowBackend& w = window();
    if (cursorMode == 0)
        w.setMouseCursorVisible(true);
    else if (cursorMode >= 1 && cursorMode <= 4)
        w.setMouseCursorVisible(false);
    drawCursor(cursorMode);

    composeExtraLayers();
    lightingPass();

    if (!loadingFlag()) {
        if (tickFlag())
            ageScreenMessages();
        if (!consoleDrawnThisFrame())
            drawScreenMessages();
    }
    drawHints();
    clearConsoleDrawn();
    composeGuiLayer(screenshotPending());
    drawFpsCounter();
    if (screenshotPending()) {
        takePendingScreenshot();
        clearGuiLayer();
    }
    w.display();
    notePictureShown();
    pollEvents();
}

} // namespace KVCore
