#pragma once
// Drawing targets.  A drawing call names a layer; the end of the frame
// composes the layers onto the window.  With direct-draw on (clipped drawing,
// off-screen editors) every layer is the current render target.

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <optional>

namespace KVCore {

enum Layer {
    CurrentTargetLayer = 0,
    GuiLayer = 3,
    LightMultiplyLayer = 4,
    LightAddLayer = 5,
    ExtraLayer1 = 6,
    ExtraLayer2 = 7,
};

// The window unless a screen redirected drawing; null before the window
// exists (tests with a stand-in window draw nothing).
sf::RenderTarget* currentTarget();
void setCurrentTarget(sf::RenderTarget* target);
bool directDraw();
void setDirectDraw(bool on);

// The target for a layer number.  Asking for a layer marks it used: only
// used layers are composed at the end of the frame, since composing one
// costs a pass over the whole window.
sf::RenderTarget* layerTarget(int layer);

// While one lives, a layer asked for is marked drawn into over this area
// alone (in the layer's view of that moment) instead of all over, and the
// end of the frame composes only the parts so marked.  For widgets that know
// where they draw: the in-game button would otherwise cost a pass over the
// whole window for a few hundred pixels.
class LayerArea {
public:
    explicit LayerArea(sf::FloatRect area);
    ~LayerArea();
    LayerArea(const LayerArea&) = delete;
    LayerArea& operator=(const LayerArea&) = delete;

private:
    std::optional<sf::FloatRect> outer_;
};
// Whether a layer was asked for since the last call; clears the mark.
bool takeLayerUse(int layer);
sf::RenderTexture* layerTexture(int layer);

// Gives layers 3 to 7 the whole-pixel size of the current view, recreating
// only those whose size differs.  A layer is made the first time it is asked
// for: each is as large as the window.
void ensureLayers();
// Drops the layers' drawing surfaces; the window is about to be made anew
// and surfaces made for the old one would no longer reach it.
void releaseLayers();
// End of frame: extra layers over the view, then cleared.
void composeExtraLayers();
// End of frame: the GUI layer over the view; kept until a pending screenshot
// has been taken.
void composeGuiLayer(bool keepForScreenshot);
void clearGuiLayer();

// A texture stretched over the whole view of a target.
void drawOverView(sf::RenderTarget& target, const sf::Texture& texture, const sf::RenderStates& states,
                  sf::Color tint = sf::Color::White);

// Offset and scale that the game and the editors apply to their own drawing.
sf::Vector2f& drawOffset();
sf::Vector2f& drawScale();

// Clipped drawing: the given rectangle of the view becomes the whole target
// until popClip.  With viewAtPosition the clip shows the view's own
// coordinates there; otherwise (0, 0) is the clip's corner.
void pushClip(sf::Vector2f position, sf::Vector2f size, bool viewAtPosition);
void popClip();

} // namespace KVCore
