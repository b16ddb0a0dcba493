#include "engine/InternalTextures.hpp"

#include "engine/Icons.hpp"
#include "engine/Log.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"
#include "platform/TextCase.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace InternalTextures {
namespace {

struct Entry {
    std::unique_ptr<sf::Texture> texture;  // textures stay put while the list grows
    std::string name;
};

// Built by KVCore::init, released by KVCore::shutdown.
struct TextureState {
    std::vector<Entry> entries;
    bool loaded = false;
};
TextureState state;

bool hasExtension(const std::string& name)
{
    const std::string file = getFileName(name);
    return file.find('.') != std::string::npos;
}

} // namespace

void loadTextures()
{
    if (state.loaded)
        return;
    state.entries.clear();

    auto white = std::make_unique<sf::Texture>();
    sf::Image image;
    image.create(defaultSize, defaultSize, sf::Color::White);
    if (!white->loadFromImage(image))
        KVCore::reportError("InternalTextures::loadTextures: Unable to create default internal texture.");
    state.entries.push_back({std::move(white), defaultName});

    const std::string folder = kvDataPath("textures\\");
    for (const platform::DirectoryEntry& file : platform::listDirectory(folder)) {
        // The icon sheet shares the folder but is the icons' own texture.
        if (file.isDirectory || platform::equalIgnoringCase(file.name, getFileName(Icons::sheetFile)))
            continue;
        const std::string path = folder + file.name;
        auto texture = std::make_unique<sf::Texture>();
        if (!texture->loadFromFile(platform::toNativePath(path).string())) {
            KVCore::reportError("InternalTextures::loadTextures: Unable to load texture from " + path);
            continue;
        }
        state.entries.push_back({std::move(texture), getFileName(file.name)});
    }
    state.loaded = true;
}

void releaseTextures()
{
    state.entries.clear();
    state.loaded = false;
}

bool loaded() { return state.loaded; }
std::size_t count() { return state.entries.size(); }
const std::string& name(std::size_t index) { return state.entries.at(index).name; }

int indexOf(const std::string& wanted)
{
    const std::string key = hasExtension(wanted) ? wanted : wanted + ".png";
    for (std::size_t i = 0; i < state.entries.size(); ++i)
        if (state.entries[i].name == key || state.entries[i].name == wanted)
            return static_cast<int>(i);
    return -1;
}

const sf::Texture& find(const std::string& wanted)
{
    const int index = indexOf(wanted);
    return index >= 0 ? *state.entries[static_cast<std::size_t>(index)].texture : defaultTexture();
}

const sf::Texture& defaultTexture()
{
    static const sf::Texture none;
    return state.entries.empty() ? none : *state.entries.front().texture;
}

} // namespace InternalTextures
