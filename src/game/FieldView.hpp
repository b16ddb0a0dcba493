#pragma once
// Drawing the play field: the map's tiles, the mower and the clouds, in
// field pixels, onto whatever render target is current (the game screen's
// 800 by 512 field surface).  Drawing only; the rules live elsewhere.

#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf {
class RenderTarget;
}
class Map;

namespace Game {

struct WorldObject;

// The heads-up bar along the bottom of the view, under the field.
constexpr float headsUpBarHeight = 64.f;

// Where the field appears in a view: as large as fits above the bar,
// centred across, at the top, leaving room under it for a button of that
// height between the field and the bar.
sf::FloatRect fieldDestination(sf::Vector2f viewSize, float buttonHeight);
// The top of the bar in the view.
float headsUpBarTop(sf::Vector2f viewSize);

// Black over every part of the view the field does not cover, in one draw:
// with it, a frame that then draws the field need not clear the window.
void clearAroundField(sf::RenderTarget& target, sf::Vector2f viewSize, sf::FloatRect field);

// All 400 tiles in one draw from the tileset's atlas; indices beyond the
// tileset leave their square empty.  The field's top-left corner goes to
// origin (the Map Editor's field sits under its toolbar).
void drawFieldTiles(sf::RenderTarget& target, Map& map, sf::Vector2f origin = {0.f, 0.f});
// The idle or the moving mower at its drawn heading, with a small shadow.
void drawPlayer();
// Half transparent when it regrows grass, its shadow cast by its altitude.
void drawWorldObject(WorldObject& object, float offsetX, float offsetY);

} // namespace Game
