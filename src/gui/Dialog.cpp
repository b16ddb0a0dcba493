#include "gui/Dialog.hpp"

#include "engine/Display.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/Component.hpp"
#include "gui/Label.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>

namespace kv {
namespace {

// How deep modal screens are nested right now, and the test hook.
struct ModalState {
    int depth = 0;
    std::function<void(const ModalPass&)> hook;
};
ModalState state;

} // namespace

FrozenBackground::FrozenBackground(bool dimmed)
{
    sf::RenderWindow* window = KVCore::window().renderWindow();
    if (!window || !window->isOpen())
        return;
    // Whatever the caller already drew into the GUI layer this frame belongs
    // to the picture too.
    KVCore::composeGuiLayer(false);
    if (dimmed) {
        const sf::View& view = window->getView();
        sf::RectangleShape dim(view.getSize());
        dim.setPosition(view.getCenter() - view.getSize() / 2.f);
        dim.setFillColor(sf::Color(dimGrey, dimGrey, dimGrey, dimAlpha));
        window->draw(dim);
    }
    auto picture = std::make_unique<sf::Texture>();
    const sf::Vector2u size = window->getSize();
    if (!picture->create(size.x, size.y))
        return;
    // The window's own activation puts its back buffer in place of whatever
    // layer or surface was drawn into last; the copy alone reads that one.
    window->setActive(true);
    picture->update(*window);
    picture_ = std::move(picture);
}

void FrozenBackground::beginFrame() const
{
    if (picture_)
        KVCore::beginFrame(*picture_);
    else
        KVCore::beginFrame();
}

ModalLoop::ModalLoop(std::string name, bool dimmed) : ModalLoop(std::move(name), std::optional<bool>(dimmed)) {}

ModalLoop::ModalLoop(std::string name, WholeScreen) : ModalLoop(std::move(name), std::optional<bool>()) {}

ModalLoop::ModalLoop(std::string name, std::optional<bool> dimmed)
    : background_(dimmed ? FrozenBackground(*dimmed) : FrozenBackground()), name_(std::move(name)),
      previousFocus_(focusedId())
{
    sf::RenderTarget* window = KVCore::window().renderWindow();
    if (!window)
        return;
    sf::RenderTarget* current = KVCore::currentTarget();
    previousTarget_ = current == window ? nullptr : current;
    previousDirectDraw_ = KVCore::directDraw();
    sf::RenderTarget* gui = guiTarget();
    previousGuiTarget_ = gui == KVCore::layerTarget(KVCore::GuiLayer) ? nullptr : gui;
    KVCore::setCurrentTarget(nullptr);
    KVCore::setDirectDraw(false);
    setGuiTarget(nullptr);
    targetsSwitched_ = true;
}

ModalLoop::~ModalLoop()
{
    setFocusedId(previousFocus_);
    if (!targetsSwitched_)
        return;
    KVCore::setCurrentTarget(previousTarget_);
    KVCore::setDirectDraw(previousDirectDraw_);
    setGuiTarget(previousGuiTarget_);
}

bool ModalLoop::beginPass()
{
    if (!finished_ && state.hook) {
        ++state.depth;
        state.hook(ModalPass{name_, text_, state.depth});
        --state.depth;
    }
    if (finished_ || !KVCore::window().isOpen())
        return false;
    ++state.depth;
    background_.beginFrame();
    return true;
}

void ModalLoop::endPass()
{
    KVCore::endFrame(0);
    --state.depth;
}

void waitOutKey(int key)
{
    Keyboard::clearTickInput();
    Keyboard::waitKeyRelease(key);
}

void waitOutOpeningKeys()
{
    Keyboard::clearTickInput();
    Keyboard::waitKeyRelease(sf::Keyboard::Return);
    Keyboard::waitKeyRelease(sf::Keyboard::Escape);
}

void setModalPassHook(std::function<void(const ModalPass&)> hook) { state.hook = std::move(hook); }

sf::Vector2f centredInView(sf::Vector2f size)
{
    const sf::Vector2f view = KVCore::viewSize();
    // Whole pixels keep text and bevels crisp.
    return {std::floor((view.x - size.x) * 0.5f), std::floor((view.y - size.y) * 0.5f)};
}

float standardTextWidth(const std::string& text)
{
    if (!Text::loaded())
        return 0.f;
    const sf::Text measured(text, Text::standardFont(), widgetTextSize);
    return measured.getLocalBounds().width;
}

float standardLineSpacing18() { return Text::standardLineSpacing(widgetTextSize); }

} // namespace kv
