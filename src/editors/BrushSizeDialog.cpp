#include "editors/BrushSizeDialog.hpp"

#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Layers.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "gui/Button.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/Toolbar.hpp"
#include "world/Map.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>

namespace Editors {
namespace {

constexpr const char* title = "Set Tile Brush Size";
constexpr int pitch = 33;
constexpr float squareSide = 32.f;
constexpr float outlineThickness = 4.f;
const sf::Color screenColour(58, 58, 58, 255);
const sf::Color squareColour(0, 0, 240, 255);
const sf::Color outlineColour(255, 255, 0, 255);

void drawGrid(sf::RenderTarget& target, sf::Vector2f origin, sf::Vector2i gridSize)
{
    sf::VertexArray squares(sf::Quads);
    for (int row = 0; row < gridSize.y; ++row)
        for (int column = 0; column < gridSize.x; ++column) {
            const sf::Vector2f corner = origin + sf::Vector2f(float(column * pitch), float(row * pitch));
            squares.append(sf::Vertex(corner, squareColour));
            squares.append(sf::Vertex(corner + sf::Vector2f(squareSide, 0.f), squareColour));
            squares.append(sf::Vertex(corner + sf::Vector2f(squareSide, squareSide), squareColour));
            squares.append(sf::Vertex(corner + sf::Vector2f(0.f, squareSide), squareColour));
        }
    target.draw(squares);
}

// Inside the block, so the outline of a brush at the view's left edge
// shows whole.
void drawBlockOutline(sf::RenderTarget& target, sf::Vector2f origin, sf::Vector2i size)
{
    sf::RectangleShape block(sf::Vector2f(float(size.x * pitch - 1), float(size.y * pitch - 1)));
    block.setPosition(origin);
    block.setFillColor(sf::Color::Transparent);
    block.setOutlineColor(outlineColour);
    block.setOutlineThickness(-outlineThickness);
    target.draw(block);
}

} // namespace

sf::Vector2i brushGridSize(sf::Vector2f viewSize)
{
    const float top = brushGridOrigin().y;
    const int columns = std::min(Map::width, static_cast<int>(viewSize.x) / pitch);
    const int rows = std::min(Map::height, static_cast<int>(viewSize.y - top) / pitch);
    return {std::max(0, columns), std::max(0, rows)};
}

sf::Vector2f brushGridOrigin() { return {0.f, Text::standardLineSpacing(kv::widgetTextSize) + 48.f}; }

std::optional<sf::Vector2i> brushSizeAt(sf::Vector2i gridPoint, sf::Vector2i gridSize)
{
    if (gridPoint.x < 0 || gridPoint.y < 0)
        return std::nullopt;
    const sf::Vector2i size(gridPoint.x / pitch + 1, gridPoint.y / pitch + 1);
    if (size.x > gridSize.x || size.y > gridSize.y)
        return std::nullopt;
    return size;
}

bool chooseBrushSize(std::int16_t& width, std::int16_t& height)
{
    const sf::Vector2f view = KVCore::viewSize();
    kv::Toolbar toolbar;
    toolbar.create({0.f, 0.f});
    toolbar.setSize({view.x, 0.f});
    toolbar.docked = true;
    toolbar.addButton("Cancel", kv::cancelIcon, sf::Keyboard::Escape);
    toolbar.frame.setTitle(title);
    const std::string hintKey = kv::newHintKey();

    bool chosen = false;
    kv::ModalLoop loop(title, false);
    while (loop.beginPass()) {
        const sf::Vector2i gridSize = brushGridSize(view);
        const sf::Vector2f origin = brushGridOrigin();
        const sf::Vector2i mouse = Mouse::getViewPosition();
        const sf::Vector2i gridPoint(static_cast<int>(float(mouse.x) - origin.x),
                                     static_cast<int>(float(mouse.y) - origin.y));
        // A point above or left of the grid truncates towards it, not into it.
        const std::optional<sf::Vector2i> hovered =
            float(mouse.x) < origin.x || float(mouse.y) < origin.y ? std::nullopt : brushSizeAt(gridPoint, gridSize);

        toolbar.update();
        if (toolbar.buttons.front().clicked) {
            loop.finish();
        } else if (hovered && Mouse::clicked(Mouse::Left)) {
            width = static_cast<std::int16_t>(hovered->x);
            height = static_cast<std::int16_t>(hovered->y);
            // A click has been let go already; the editor below must not
            // take it for painting.
            Mouse::waitRelease();
            chosen = true;
            loop.finish();
        }

        if (sf::RenderTarget* target = KVCore::currentTarget()) {
            sf::RectangleShape backdrop(view);
            backdrop.setFillColor(screenColour);
            target->draw(backdrop);
            drawGrid(*target, origin, gridSize);
            if (hovered)
                drawBlockOutline(*target, origin, *hovered);
        }
        if (hovered)
            KVCore::showHint(hintKey, sf::Vector2f(mouse) + sf::Vector2f(16.f, 16.f), 0.f,
                             std::to_string(hovered->x) + " by " + std::to_string(hovered->y));
        toolbar.draw();
        loop.endPass();
    }
    return chosen;
}

} // namespace Editors
