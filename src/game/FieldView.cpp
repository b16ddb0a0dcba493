#include "game/FieldView.hpp"

#include "engine/Layers.hpp"
#include "game/GameResources.hpp"
#include "game/Player.hpp"
#include "game/WorldObjects.hpp"
#include "world/Map.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <array>

namespace Game {
namespace {

constexpr float mowerShadowOffset = 1.f;
constexpr std::uint8_t cloudAlpha = 128;
constexpr float buttonGap = 4.f;

// The tiles' quads, refilled by every drawFieldTiles and kept so that a
// frame reuses their room; lives for the whole program.
struct FieldViewState {
    sf::VertexArray quads{sf::Quads};
};
FieldViewState state;

} // namespace

float headsUpBarTop(sf::Vector2f viewSize) { return viewSize.y - headsUpBarHeight - 1.f; }

sf::FloatRect fieldDestination(sf::Vector2f viewSize, float buttonHeight)
{
    float scale = std::min((viewSize.y - headsUpBarHeight) / Map::fieldHeight, viewSize.x / Map::fieldWidth);
    // On a low view (640 by 480) the field would leave the button no room
    // and push it over the bar's texts; the field gives way instead.
    const float highestFieldBottom = headsUpBarTop(viewSize) - 1.f - buttonHeight - buttonGap;
    scale = std::max(0.f, std::min(scale, highestFieldBottom / Map::fieldHeight));
    const float width = Map::fieldWidth * scale;
    return {(viewSize.x - width) / 2.f, 0.f, width, Map::fieldHeight * scale};
}

void clearAroundField(sf::RenderTarget& target, sf::Vector2f viewSize, sf::FloatRect field)
{
    // Each strip reaches one unit under the field, which is drawn over it:
    // the field's edges, reached through its sprite's scale, need not meet
    // the strips' to the last bit, and a sample left between the two would
    // keep the last frame's colour.  A field against an edge of the view
    // leaves a strip one unit wide there, which the field covers again.
    const float right = field.left + field.width, bottom = field.top + field.height;
    const std::array<sf::FloatRect, 4> strips{{
        {0.f, 0.f, viewSize.x, field.top + 1.f},
        {0.f, bottom - 1.f, viewSize.x, viewSize.y - bottom + 1.f},
        {0.f, 0.f, field.left + 1.f, viewSize.y},
        {right - 1.f, 0.f, viewSize.x - right + 1.f, viewSize.y},
    }};
    std::array<sf::Vertex, 4 * strips.size()> corners;
    std::size_t corner = 0;
    for (const sf::FloatRect& r : strips)
        for (const sf::Vector2f at : {sf::Vector2f{r.left, r.top}, sf::Vector2f{r.left + r.width, r.top},
                                      sf::Vector2f{r.left + r.width, r.top + r.height},
                                      sf::Vector2f{r.left, r.top + r.height}})
            corners[corner++] = sf::Vertex(at, sf::Color::Black);
    target.draw(corners.data(), corners.size(), sf::Quads, sf::BlendNone);
}

void drawFieldTiles(sf::RenderTarget& target, Map& map, sf::Vector2f origin)
{
    sf::VertexArray& quads = state.quads;
    quads.clear();
    constexpr float side = Tileset::tileSize;
    for (int row = 0; row < Map::height; ++row)
        for (int column = 0; column < Map::width; ++column) {
            const std::uint16_t tile = map.cell(column, row);
            if (tile >= Tileset::tileCount)
                continue;
            const sf::IntRect r = Tileset::tileRect(tile);
            const float x = origin.x + column * side, y = origin.y + row * side;
            const float u = static_cast<float>(r.left), v = static_cast<float>(r.top);
            const float uw = static_cast<float>(r.width), vh = static_cast<float>(r.height);
            // Whole squares: a quad a half pixel short leaves seams when the
            // field is scaled up.
            quads.append(sf::Vertex({x, y}, {u, v}));
            quads.append(sf::Vertex({x + side, y}, {u + uw, v}));
            quads.append(sf::Vertex({x + side, y + side}, {u + uw, v + vh}));
            quads.append(sf::Vertex({x, y + side}, {u, v + vh}));
        }
    // The atlas is opaque: blending it would read the target for nothing.
    sf::RenderStates states(sf::BlendNone);
    states.texture = &map.tileset.atlasTexture();
    target.draw(quads, states);
}

void drawPlayer()
{
    const Player& p = player();
    Resources& r = resources();
    Sprite& picture = p.speed == 0.f ? r.mowerIdle : r.mowerMoving;
    picture.draw(KVCore::CurrentTargetLayer, p.x, p.y, p.currentHeading, 1.f, 1.f, 255, false, mowerShadowOffset);
}

void drawWorldObject(WorldObject& object, float offsetX, float offsetY)
{
    if (!object.sprite)
        return;
    const std::uint8_t alpha = object.noRegrow == 0 ? cloudAlpha : 255;
    object.sprite->draw(KVCore::CurrentTargetLayer, object.x + offsetX, object.y + offsetY, 0.f, 1.f, 1.f, alpha,
                        false, static_cast<float>(object.altitude));
}

} // namespace Game
