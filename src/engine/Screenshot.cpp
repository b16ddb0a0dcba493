#include "engine/Screenshot.hpp"

#include "engine/Log.hpp"
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <cstdio>

namespace KVCore {
namespace {

// Set by F12 during a tick, taken by the end of the next frame.
struct ScreenshotState {
    bool pending = false;
    std::string fileName;
};
ScreenshotState state;

constexpr int lastCounter = 9999;

} // namespace

std::string nextScreenshotName()
{
    const platform::UtcTime t = timeSource().utcNow();
    std::array<char, 64> name{};
    std::snprintf(name.data(), name.size(), "%04d%02d%02d_%02d%02d%02d.png", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    if (!platform::fileExists(name.data()))
        return name.data();
    for (int counter = 1; counter <= lastCounter; ++counter) {
        std::snprintf(name.data(), name.size(), "%04d%02d%02d_%02d%02d%02d_%02d.png", t.year, t.month, t.day, t.hour,
                      t.minute, t.second, counter);
        if (!platform::fileExists(name.data()))
            return name.data();
    }
    reportError("Run out of screenshot filenames!");
    return {};
}

void requestScreenshot(const std::string& fileName)
{
    state.pending = true;
    state.fileName = fileName;
}

bool screenshotPending() { return state.pending; }

void takePendingScreenshot()
{
    if (!state.pending)
        return;
    state.pending = false;
    sf::RenderWindow* target = window().renderWindow();
    if (!target)
        return;
    const std::string name = state.fileName.empty() ? nextScreenshotName() : state.fileName;
    if (name.empty())
        return;
    const sf::Vector2u size = target->getSize();
    sf::Texture texture;
    if (!texture.create(size.x, size.y)) {
        reportError("Unable to create " + std::to_string(size.x) + " by " + std::to_string(size.y) +
                    " screenshot texture");
        return;
    }
    // The window's own activation puts its back buffer in place of whatever
    // layer or surface was drawn into last; the copy alone reads that one.
    target->setActive(true);
    texture.update(*target);
    const sf::Image image = texture.copyToImage();
    if (image.getSize().x == 0 || image.getSize().y == 0) {
        reportError("Unable to create " + std::to_string(size.x) + " by " + std::to_string(size.y) +
                    " screenshot image");
        return;
    }
    if (image.saveToFile(platform::toWritablePath(name).string()))
        printAndLog("Saved screenshot to " + name);
}

} // namespace KVCore
