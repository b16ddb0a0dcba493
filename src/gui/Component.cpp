#include "gui/Component.hpp"

#include "engine/Layers.hpp"

#include <array>

namespace kv {
namespace {

// The id table and focus, cleared by KVCore::init; the GUI target is
// redirected by the screens that draw off-screen and put back by them.
struct ToolkitState {
    std::array<bool, idTableSize> taken{};
    std::int32_t focused = -1;
    sf::RenderTarget* redirected = nullptr;
};
ToolkitState state;

} // namespace

Component::Component(const Component& other) : id(-1)
{
    // A copy is a widget of its own and needs its own keyboard identity.
    if (other.id >= 0)
        takeId();
}

Component& Component::operator=(const Component& other)
{
    if (this != &other && id < 0 && other.id >= 0)
        takeId();
    return *this;
}

Component::~Component() { freeId(id); }

void Component::takeId() { id = takeFreeId(); }
bool Component::hasFocus() const { return id >= 0 && id == state.focused; }

void clearIdTable()
{
    state.taken = {};
    state.focused = -1;
}

std::int32_t takeFreeId()
{
    for (std::int32_t i = 0; i < idTableSize; ++i) {
        if (!state.taken[static_cast<std::size_t>(i)]) {
            state.taken[static_cast<std::size_t>(i)] = true;
            return i;
        }
    }
    // A full table hands out id 0 without marking it.
    return 0;
}

void freeId(std::int32_t id)
{
    if (id >= 0 && id < idTableSize)
        state.taken[static_cast<std::size_t>(id)] = false;
    // The keyboard goes with a widget that goes; the next widget to take
    // its id must not find itself focused.
    if (id == state.focused)
        state.focused = -1;
}

bool idTaken(std::int32_t id)
{
    return id >= 0 && id < idTableSize && state.taken[static_cast<std::size_t>(id)];
}

std::int32_t nextTakenId(std::int32_t after)
{
    for (std::int32_t step = 1; step <= idTableSize; ++step) {
        const std::int32_t i = ((after < 0 ? -1 : after) + step) % idTableSize;
        if (state.taken[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

std::int32_t focusedId() { return state.focused; }
void setFocusedId(std::int32_t id) { state.focused = id; }

sf::RenderTarget* guiTarget()
{
    return state.redirected ? state.redirected : KVCore::layerTarget(KVCore::GuiLayer);
}

void setGuiTarget(sf::RenderTarget* target) { state.redirected = target; }

} // namespace kv
