#include "engine/Icons.hpp"

#include "engine/InternalTextures.hpp"
#include "engine/Log.hpp"
#include "gui/Theme.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <array>
#include <memory>

namespace Icons {
namespace {

constexpr unsigned fallbackSheetSize = 512;

// Loaded by the first icon request and kept until the process ends.  The
// sheet is made only then: a texture needs the display, and programs that
// never draw (the data tool, logic tests) must not ask for one.
struct IconState {
    std::unique_ptr<sf::Texture> sheet;
    std::array<sf::Sprite, iconCount> sprites;
    sf::Sprite outOfRange;
    bool loaded = false;
};
IconState state;

} // namespace

void loadIcons()
{
    const std::string path = kvDataPath(sheetFile);
    // Loading again keeps the same texture, so icons handed out before see
    // the new sheet.
    if (!state.sheet)
        state.sheet = std::make_unique<sf::Texture>();
    if (!state.sheet->loadFromFile(platform::toNativePath(path).string())) {
        KVCore::reportError("Icons::loadIcons(): Unable to load icons texture from " + path);
        sf::Image filled;
        filled.create(fallbackSheetSize, fallbackSheetSize, kv::theme::faceColour);
        state.sheet->loadFromImage(filled);
    }
    for (int i = 0; i < iconCount; ++i)
        state.sprites[static_cast<std::size_t>(i)] = sf::Sprite(*state.sheet, iconRect(i));
    state.loaded = true;
}

const sf::Sprite& getIcon(int index)
{
    if (index < 0 || index >= iconCount) {
        state.outOfRange.setTexture(InternalTextures::defaultTexture(), true);
        return state.outOfRange;
    }
    if (!state.loaded)
        loadIcons();
    return state.sprites[static_cast<std::size_t>(index)];
}

} // namespace Icons
