#include "engine/Shaders.hpp"

#include "engine/Log.hpp"
#include "engine/WindowBackend.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "storage/AssetPaths.hpp"

#include <array>
#include <memory>

namespace Shaders {
namespace {

struct Slot {
    bool used = false;
    std::string vertexPath;
    std::string fragmentPath;
    bool compiled = false;
    std::unique_ptr<sf::Shader> program;
};

// Filled by KVCore::init; the slots live until the process ends.
struct ShaderState {
    std::array<Slot, slotCount> slots;
    int spriteShadow = -1;
    int colour = -1;
};
ShaderState state;

std::string native(const std::string& path) { return platform::toNativePath(path).string(); }

} // namespace

bool init()
{
    for (Slot& slot : state.slots)
        slot = Slot{};
    state.slots[0].used = true;
    if (!KVCore::window().shadersAvailable())
        return false;
    const std::string folder = kvDataPath("Shaders\\");
    state.spriteShadow = load(folder + "SpriteShadow.vert", folder + "SpriteShadow.frag");
    state.colour = load(folder + "SpriteShadow.vert", folder + "TeamColour.frag");
    KVCore::log("Shaders initialised.");
    return true;
}

int load(const std::string& vertexPath, const std::string& fragmentPath)
{
    if (!vertexPath.empty() && !platform::fileExists(vertexPath)) {
        KVCore::reportError("Vertex shader file not found: " + vertexPath);
        return -1;
    }
    if (!fragmentPath.empty() && !platform::fileExists(fragmentPath)) {
        KVCore::reportError("Fragment shader file not found: " + fragmentPath);
        return -1;
    }
    if (vertexPath.empty() && fragmentPath.empty())
        return -1;
    for (int handle = 1; handle < slotCount; ++handle) {
        Slot& slot = state.slots[static_cast<std::size_t>(handle)];
        if (slot.used)
            continue;
        slot.used = true;
        slot.vertexPath = vertexPath;
        slot.fragmentPath = fragmentPath;
        compile(handle);
        return handle;
    }
    return -1;
}

bool compile(int handle)
{
    if (handle < 1 || handle >= slotCount)
        return false;
    Slot& slot = state.slots[static_cast<std::size_t>(handle)];
    auto program = std::make_unique<sf::Shader>();
    bool ok = false;
    if (!slot.vertexPath.empty() && !slot.fragmentPath.empty()) {
        ok = program->loadFromFile(native(slot.vertexPath), native(slot.fragmentPath));
        if (!ok)
            KVCore::reportError("Error loading vertex and fragment shaders from " + slot.vertexPath + " and " +
                                slot.fragmentPath);
    } else if (!slot.vertexPath.empty()) {
        ok = program->loadFromFile(native(slot.vertexPath), sf::Shader::Vertex);
        if (!ok)
            KVCore::reportError("Error loading vertex shader from " + slot.vertexPath);
    } else {
        ok = program->loadFromFile(native(slot.fragmentPath), sf::Shader::Fragment);
        if (!ok)
            KVCore::reportError("Error loading fragment shader from " + slot.fragmentPath);
    }
    slot.compiled = ok;
    slot.program = ok ? std::move(program) : nullptr;
    return ok;
}

void reloadShaders()
{
    for (int handle = 1; handle < slotCount; ++handle)
        if (state.slots[static_cast<std::size_t>(handle)].used)
            compile(handle);
    KVCore::printAndLog("Reloaded shaders");
}

bool isCompiled(int handle)
{
    return handle >= 1 && handle < slotCount && state.slots[static_cast<std::size_t>(handle)].compiled;
}

sf::Shader* get(int handle)
{
    return isCompiled(handle) ? state.slots[static_cast<std::size_t>(handle)].program.get() : nullptr;
}

int spriteShadowShader() { return state.spriteShadow; }
int colourShader() { return state.colour; }

} // namespace Shaders
