#include "engine/Text.hpp"

#include "engine/KVCore.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"

#include <array>

namespace Text {
namespace {

enum FontSlot { Standard, Medium, Large, Mono, Osd, FontCount };

struct FontFile {
    const char* path;
    const char* failure;
};

const std::array<FontFile, FontCount> fontFiles = {{
    {"fonts\\Roboto-Regular.ttf", "Text::init: Unable to read standard font from "},
    {"fonts\\Roboto-Regular.ttf", "Text::init: Unable to read medium font from "},
    {"fonts\\Roboto-Regular.ttf", "Text::init: Unable to read large font from "},
    {"fonts\\RobotoMono-Regular.ttf", "Text::init: Unable to read mono font from "},
    {"fonts\\UAV-OSD-Sans-Mono.ttf", "Text::init: Unable to read font from "},
}};

// Loaded once by KVCore::init and kept until the process ends.
struct TextState {
    std::array<sf::Font, FontCount> fonts;
    bool loaded = false;
};
TextState state;

} // namespace

bool init()
{
    for (int i = 0; i < FontCount; ++i) {
        const std::string path = kvDataPath(fontFiles[i].path);
        if (!state.fonts[i].loadFromFile(platform::toNativePath(path).string())) {
            KVCore::showErrorBox(fontFiles[i].failure + path);
            return false;
        }
    }
    state.loaded = true;
    return true;
}

bool loaded() { return state.loaded; }
const sf::Font& standardFont() { return state.fonts[Standard]; }
const sf::Font& mediumFont() { return state.fonts[Medium]; }
const sf::Font& largeFont() { return state.fonts[Large]; }
const sf::Font& monoFont() { return state.fonts[Mono]; }
const sf::Font& osdFont() { return state.fonts[Osd]; }

float standardLineSpacing(unsigned characterSize)
{
    return state.loaded ? state.fonts[Standard].getLineSpacing(characterSize) : 0.f;
}

} // namespace Text
