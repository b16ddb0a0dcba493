#include "engine/ContextHold.hpp"

#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/GlResource.hpp>

namespace KVCore {

// SFML's lock is open only to its GL resources.
struct ContextHold::Lock : sf::GlResource {
    TransientContextLock held;
};

ContextHold::ContextHold()
{
    sf::RenderWindow* win = window().renderWindow();
    // Taken with no context current, the lock would hold SFML's shared
    // context and its mutex instead.
    if (!win || !win->setActive(true))
        return;
    lock_ = std::make_unique<Lock>();
}

ContextHold::~ContextHold() = default;

} // namespace KVCore
