#include "engine/Lighting.hpp"

#include "engine/Layers.hpp"
#include "engine/WindowBackend.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <algorithm>
#include <vector>

namespace KVCore {
namespace {

struct QueuedLight {
    sf::Sprite sprite;
    bool additive;
};

// Lights queued during a frame; emptied by every lighting pass.
struct LightState {
    std::vector<QueuedLight> queue;
    sf::Color tint = sf::Color::White;
};
LightState state;

void composeLight(int layer, bool additive, const sf::BlendMode& onto, sf::Color tint, sf::Color clearTo)
{
    sf::RenderTexture* texture = layerTexture(layer);
    sf::RenderWindow* win = window().renderWindow();
    if (!texture || !win)
        return;
    sf::RenderTarget* into = directDraw() ? currentTarget() : texture;
    for (const QueuedLight& light : state.queue)
        if (light.additive == additive)
            into->draw(light.sprite, sf::BlendAdd);
    texture->display();
    drawOverView(*win, texture->getTexture(), sf::RenderStates(onto), tint);
    texture->clear(clearTo);
}

} // namespace

void queueLight(const sf::Sprite& light, bool additive) { state.queue.push_back({light, additive}); }
void setLightTint(sf::Color tint) { state.tint = tint; }

void lightingPass()
{
    // A light layer left white (shade) or black (glow) changes nothing, and
    // each one composed costs a pass over the whole window.
    auto queued = [](bool additive) {
        return std::any_of(state.queue.begin(), state.queue.end(),
                           [additive](const QueuedLight& light) { return light.additive == additive; });
    };
    const bool shadeUsed = takeLayerUse(LightMultiplyLayer);
    if (shadeUsed || queued(false) || state.tint != sf::Color::White)
        composeLight(LightMultiplyLayer, false, sf::BlendMultiply, state.tint, sf::Color::White);
    if (takeLayerUse(LightAddLayer) || queued(true))
        composeLight(LightAddLayer, true, sf::BlendAdd, sf::Color::White, sf::Color::Black);
    state.queue.clear();
}

} // namespace KVCore
