#pragma once
// "Set Tile Brush Size": a grid of blue squares under a toolbar with only
// "Cancel"; clicking a square makes the brush that many columns and rows.

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <optional>

namespace Editors {

// Columns and rows of the grid in a view of this size: as many 33-pixel
// squares as fit under the toolbar, at most the map's 25 by 16.
sf::Vector2i brushGridSize(sf::Vector2f viewSize);
// Where the grid starts in the view: under the toolbar, at the left edge.
sf::Vector2f brushGridOrigin();
// The brush a point of the grid stands for (grid coordinates); nothing
// outside the grid.
std::optional<sf::Vector2i> brushSizeAt(sf::Vector2i gridPoint, sf::Vector2i gridSize);

// True with width and height set after a click on the grid; false, and
// nothing changed, after "Cancel" or Escape.
bool chooseBrushSize(std::int16_t& width, std::int16_t& height);

} // namespace Editors
