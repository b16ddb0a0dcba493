#include "engine/Shaders.hpp"

#include "engine/Log.hpp"

#include <SFML/Graphics/Shader.hpp>

namespace Shaders {

bool init()
{
    if (!sf::Shader::isAvailable())
        return false;
    KVCore::log("Shaders initialised.");
    return true;
}

void reloadShaders() { KVCore::printAndLog("Reloaded shaders"); }

} // namespace Shaders
