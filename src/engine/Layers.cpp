#include "engine/Layers.hpp"

#include "engine/Display.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace KVCore {
namespace {

// A full-screen texture each, so only layers something draws into are made.
struct LayerTexture {
    std::unique_ptr<sf::RenderTexture> texture;
    bool exists = false;
    bool used = false;
};

struct SavedTarget {
    sf::RenderTarget* target;
    sf::View view;
    bool directDraw;
    sf::RenderTarget* pushed;
};

// Layer textures and the drawing redirection.  beginFrame sets the size;
// a layer is made the first time it is asked for and lives until the
// window is made anew.  KVCore::init clears direct-draw once the window
// exists.
struct LayerState {
    sf::RenderTarget* current = nullptr;
    bool directDraw = true;
    std::array<LayerTexture, 8> layers;
    // The size of the view at the last beginFrame; zero before the first.
    sf::Vector2u size;
    sf::Vector2f offset{0.f, 0.f};
    sf::Vector2f scale{1.f, 1.f};
    std::vector<SavedTarget> clipStack;
};
LayerState state;

bool isLayer(int layer) { return layer >= GuiLayer && layer <= ExtraLayer2; }

sf::Vector2u wholePixelViewSize()
{
    // Rounded to the nearest pixel: an emulated view of 1066.67 units gets
    // 1067 columns, so the last partial column is still covered.
    const sf::Vector2f size = viewSize();
    return {static_cast<unsigned>(std::lround(size.x)), static_cast<unsigned>(std::lround(size.y))};
}

// A layer of the size the last beginFrame found, cleared to its resting
// colour.
void makeLayer(int layer)
{
    LayerTexture& l = state.layers[layer];
    if (!l.texture)
        l.texture = std::make_unique<sf::RenderTexture>();
    l.exists = l.texture->create(state.size.x, state.size.y);
    if (!l.exists)
        return;
    const sf::Color clear = layer == LightMultiplyLayer ? sf::Color::White
                          : layer == ExtraLayer2 || layer == LightAddLayer ? sf::Color::Black
                                                                            : sf::Color::Transparent;
    l.texture->clear(clear);
}

// Made when first asked for, once beginFrame has given the size.
bool layerReady(int layer)
{
    LayerTexture& l = state.layers[layer];
    if (!l.exists && state.size.x > 0 && state.size.y > 0 && window().renderWindow())
        makeLayer(layer);
    return l.exists;
}

// Draws a used layer over the window's view, then clears it unless told to
// keep it.
void composeLayer(int layer, std::optional<sf::Color> clearTo)
{
    LayerTexture& l = state.layers[layer];
    sf::RenderTarget* win = window().renderWindow();
    if (!l.used || !l.exists || !win)
        return;
    l.texture->display();
    // Alpha blending into the layer already weighted its colours by their
    // alpha; blending them by it again would darken everything translucent.
    const sf::BlendMode premultiplied(sf::BlendMode::One, sf::BlendMode::OneMinusSrcAlpha);
    drawOverView(*win, l.texture->getTexture(), sf::RenderStates(premultiplied));
    l.used = false;
    if (clearTo)
        l.texture->clear(*clearTo);
}

} // namespace

sf::RenderTarget* currentTarget()
{
    if (state.current)
        return state.current;
    return window().renderWindow();
}

void setCurrentTarget(sf::RenderTarget* target) { state.current = target; }
bool directDraw() { return state.directDraw; }
void setDirectDraw(bool on) { state.directDraw = on; }

sf::RenderTarget* layerTarget(int layer)
{
    if (state.directDraw || layer == CurrentTargetLayer)
        return currentTarget();
    if (!isLayer(layer))
        return window().renderWindow();
    if (!layerReady(layer))
        return currentTarget();
    LayerTexture& l = state.layers[layer];
    l.used = true;
    return l.texture.get();
}

sf::RenderTexture* layerTexture(int layer)
{
    if (!isLayer(layer) || !layerReady(layer))
        return nullptr;
    return state.layers[layer].texture.get();
}

bool takeLayerUse(int layer)
{
    if (!isLayer(layer))
        return false;
    return std::exchange(state.layers[layer].used, false);
}

void ensureLayers()
{
    if (!window().renderWindow())
        return;
    state.size = wholePixelViewSize();
    for (int layer = GuiLayer; layer <= ExtraLayer2; ++layer)
        if (state.layers[layer].exists && state.layers[layer].texture->getSize() != state.size)
            makeLayer(layer);
}

void releaseLayers()
{
    for (LayerTexture& l : state.layers) {
        l.texture.reset();
        l.exists = false;
    }
    state.size = {};
}

void composeExtraLayers()
{
    composeLayer(ExtraLayer1, sf::Color::Transparent);
    composeLayer(ExtraLayer2, sf::Color::Black);
}

void composeGuiLayer(bool keepForScreenshot)
{
    composeLayer(GuiLayer, keepForScreenshot ? std::nullopt : std::optional<sf::Color>(sf::Color::Transparent));
}

void clearGuiLayer()
{
    if (state.layers[GuiLayer].exists)
        state.layers[GuiLayer].texture->clear(sf::Color::Transparent);
}

void drawOverView(sf::RenderTarget& target, const sf::Texture& texture, const sf::RenderStates& states,
                  sf::Color tint)
{
    const sf::Vector2f size = target.getView().getSize();
    const sf::Vector2f origin = target.getView().getCenter() - size / 2.f;
    const sf::Vector2f t(static_cast<float>(texture.getSize().x), static_cast<float>(texture.getSize().y));
    // Far edges half a unit beyond the view so the last row and column are
    // covered whatever the rounding.
    const sf::Vertex quad[] = {
        {origin, tint, {0.f, 0.f}},
        {{origin.x + size.x + 0.5f, origin.y}, tint, {t.x, 0.f}},
        {{origin.x + size.x + 0.5f, origin.y + size.y + 0.5f}, tint, t},
        {{origin.x, origin.y + size.y + 0.5f}, tint, {0.f, t.y}},
    };
    sf::RenderStates s = states;
    s.texture = &texture;
    target.draw(quad, 4, sf::Quads, s);
}

sf::Vector2f& drawOffset() { return state.offset; }
sf::Vector2f& drawScale() { return state.scale; }

void pushClip(sf::Vector2f position, sf::Vector2f size, bool viewAtPosition)
{
    sf::RenderTarget* pushed = state.directDraw ? currentTarget() : layerTarget(GuiLayer);
    sf::RenderTarget* saved = currentTarget();
    if (!pushed || !saved)
        return;
    state.clipStack.push_back({saved, saved->getView(), state.directDraw, pushed});
    state.current = pushed;
    state.directDraw = true;

    const sf::Vector2f whole = window().view().getSize();
    sf::View clip(sf::FloatRect(viewAtPosition ? position.x : 0.f, viewAtPosition ? position.y : 0.f, size.x, size.y));
    clip.setViewport(sf::FloatRect(position.x / whole.x, position.y / whole.y, size.x / whole.x, size.y / whole.y));
    pushed->setView(clip);
}

void popClip()
{
    if (state.clipStack.empty())
        return;
    const SavedTarget saved = state.clipStack.back();
    state.clipStack.pop_back();
    // A clip drawn straight onto the target gets its view back; the GUI
    // layer's own view is its default one.
    saved.pushed->setView(saved.pushed == saved.target ? saved.view : saved.pushed->getDefaultView());
    state.current = saved.target == window().renderWindow() ? nullptr : saved.target;
    state.directDraw = saved.directDraw;
}

} // namespace KVCore
