#include "engine/Layers.hpp"

#include "engine/Display.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <algorithm>
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
    // Where it was drawn into since it was last cleared: all over, or the
    // pixels of `drawn` (empty when nothing was marked).
    bool whole = false;
    sf::IntRect drawn;
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
    // Set while a LayerArea lives.
    std::optional<sf::FloatRect> area;
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
    l.whole = false;
    l.drawn = {};
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

sf::IntRect unite(const sf::IntRect& a, const sf::IntRect& b)
{
    if (a.width <= 0 || a.height <= 0)
        return b;
    const int left = std::min(a.left, b.left), top = std::min(a.top, b.top);
    return {left, top, std::max(a.left + a.width, b.left + b.width) - left,
            std::max(a.top + a.height, b.top + b.height) - top};
}

// The pixels of a target under an area of its current view, a pixel more all
// round for smoothed edges.
sf::IntRect pixelsUnder(const sf::RenderTarget& target, const sf::FloatRect& area)
{
    const sf::Vector2i corners[] = {
        target.mapCoordsToPixel({area.left, area.top}),
        target.mapCoordsToPixel({area.left + area.width, area.top}),
        target.mapCoordsToPixel({area.left, area.top + area.height}),
        target.mapCoordsToPixel({area.left + area.width, area.top + area.height}),
    };
    sf::Vector2i low = corners[0], high = corners[0];
    for (const sf::Vector2i& c : corners) {
        low = {std::min(low.x, c.x), std::min(low.y, c.y)};
        high = {std::max(high.x, c.x), std::max(high.y, c.y)};
    }
    return {low.x - 1, low.y - 1, high.x - low.x + 3, high.y - low.y + 3};
}

// Part of a texture (in its pixels) where drawOverView would put it.
void drawPartOverView(sf::RenderTarget& target, const sf::Texture& texture, const sf::FloatRect& part,
                      const sf::RenderStates& states, sf::Color tint)
{
    const sf::Vector2f size = target.getView().getSize();
    const sf::Vector2f origin = target.getView().getCenter() - size / 2.f;
    const sf::Vector2f t(static_cast<float>(texture.getSize().x), static_cast<float>(texture.getSize().y));
    // Far edges half a unit beyond the view so the last row and column are
    // covered whatever the rounding.
    const sf::Vector2f span = size + sf::Vector2f(0.5f, 0.5f);
    const auto at = [&](float x, float y) {
        return sf::Vertex({origin.x + span.x * (x / t.x), origin.y + span.y * (y / t.y)}, tint, {x, y});
    };
    const float right = part.left + part.width, bottom = part.top + part.height;
    const sf::Vertex quad[] = {at(part.left, part.top), at(right, part.top), at(right, bottom), at(part.left, bottom)};
    sf::RenderStates s = states;
    s.texture = &texture;
    target.draw(quad, 4, sf::Quads, s);
}

// Draws a used layer over the window's view, only where it was drawn into
// when that is known, then clears it unless told to keep it.
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
    const sf::Texture& texture = l.texture->getTexture();
    const sf::IntRect all({0, 0}, sf::Vector2i(texture.getSize()));
    sf::IntRect part;
    if (l.whole || !all.intersects(l.drawn, part))
        part = all;
    drawPartOverView(*win, texture, sf::FloatRect(part), sf::RenderStates(premultiplied), sf::Color::White);
    l.used = false;
    if (clearTo) {
        l.texture->clear(*clearTo);
        l.whole = false;
        l.drawn = {};
    }
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
    if (state.area)
        l.drawn = unite(l.drawn, pixelsUnder(*l.texture, *state.area));
    else
        l.whole = true;
    return l.texture.get();
}

LayerArea::LayerArea(sf::FloatRect area) : outer_(std::exchange(state.area, area)) {}

LayerArea::~LayerArea() { state.area = outer_; }

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
    LayerTexture& l = state.layers[GuiLayer];
    if (!l.exists)
        return;
    l.texture->clear(sf::Color::Transparent);
    l.whole = false;
    l.drawn = {};
}

void drawOverView(sf::RenderTarget& target, const sf::Texture& texture, const sf::RenderStates& states,
                  sf::Color tint)
{
    const sf::Vector2f t(static_cast<float>(texture.getSize().x), static_cast<float>(texture.getSize().y));
    drawPartOverView(target, texture, {{0.f, 0.f}, t}, states, tint);
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
