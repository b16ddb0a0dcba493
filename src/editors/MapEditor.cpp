#include "editors/MapEditor.hpp"

#include "audio/AudioPanel.hpp"
#include "editors/BrushSizeDialog.hpp"
#include "editors/EditorFiles.hpp"
#include "editors/TilePicker.hpp"
#include "editors/UndoHistory.hpp"
#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "game/FieldView.hpp"
#include "game/GameResources.hpp"
#include "game/GameScreen.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/Component.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/FileSelector.hpp"
#include "gui/Label.hpp"
#include "gui/Toolbar.hpp"
#include "platform/Memory.hpp"
#include "storage/AssetPaths.hpp"
#include "world/Map.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace Editors {
namespace {

constexpr float cellSide = Tileset::tileSize;
constexpr std::uint8_t previewAlpha = 127;
constexpr float outlineThickness = 2.f;
constexpr std::uint8_t pulseStep = 2;
constexpr std::uint8_t pulseTop = 64;
constexpr std::int32_t titleLength = 32;
constexpr unsigned statusTextSize = 18;

const sf::Color screenColour(58, 58, 58, 255);
const sf::Color playerStartColour(0, 255, 0, 255);
const sf::Color gridColour(0, 0, 0, 110);
const sf::Color statusBackColour(0, 0, 0, 160);

constexpr const char* playerStartHintKey = "map_editor_player_start";
constexpr const char* mapsFolder = "maps\\";
constexpr const char* editorSlotPath = "savegames\\mapeditor.sav";

constexpr int undoIcon = 191;
constexpr int redoIcon = 192;

// What one undo step brings back: everything the editor changes in a map.
struct MapContent {
    std::array<std::uint16_t, Map::cellCount> cells{};
    std::string title;
    std::string author;
    std::int16_t timeLimit = 0;
    std::int16_t cloudCount = 0;
    std::int16_t playerStartX = 0;
    std::int16_t playerStartY = 0;

    bool operator==(const MapContent&) const = default;
};

MapContent contentOf(const Map& map)
{
    return {map.cells, map.title, map.author, map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY};
}

void applyContent(Map& map, const MapContent& content)
{
    map.cells = content.cells;
    map.title = content.title;
    map.author = content.author;
    map.timeLimit = content.timeLimit;
    map.cloudCount = content.cloudCount;
    map.playerStartX = content.playerStartX;
    map.playerStartY = content.playerStartY;
}

enum class Command {
    None,
    NewMap,
    LoadMap,
    SaveMap,
    SaveMapAs,
    Exit,
    Undo,
    Redo,
    TileMode,
    PlayerStartMode,
    BrushSize,
    PassableColours,
    Title,
    Author,
    TimeLimit,
    CloudCount,
    RunMap,
    AudioPanel,
};

struct ToolButton {
    const char* text;  // null: a separator
    int icon;
    int key;
    Command command;
};

constexpr ToolButton separator{nullptr, 0, -1, Command::None};

// Undo and Redo go with the file group: a group of their own would push the
// row past an 800-unit view.
const ToolButton toolButtons[] = {
    separator,
    {"New Map", 88, sf::Keyboard::N, Command::NewMap},
    {"Load Map", 72, sf::Keyboard::F3, Command::LoadMap},
    {"Save Map", 136, sf::Keyboard::F2, Command::SaveMap},
    {"Save Map as", 137, sf::Keyboard::A, Command::SaveMapAs},
    {"Exit", 38, sf::Keyboard::Escape, Command::Exit},
    {"Undo (Ctrl+Z)", undoIcon, -1, Command::Undo},
    {"Redo (Ctrl+Y)", redoIcon, -1, Command::Redo},
    separator,
    {"Tile Mode", 154, sf::Keyboard::T, Command::TileMode},
    {"Player Start Mode", 120, sf::Keyboard::P, Command::PlayerStartMode},
    separator,
    {"Set Tile Brush Size", 8, sf::Keyboard::B, Command::BrushSize},
    {"Toggle Passable Colours", 17, sf::Keyboard::C, Command::PassableColours},
    separator,
    {"Change Map Title", 11, sf::Keyboard::D, Command::Title},
    {"Change Map Author", 2, -1, Command::Author},
    {"Change Time Limit", 15, -1, Command::TimeLimit},
    {"Change Cloud Count", 123, -1, Command::CloudCount},
    separator,
    {"Run Map", 134, sf::Keyboard::F9, Command::RunMap},
    separator,
    {"Audio Panel", 144, sf::Keyboard::F5, Command::AudioPanel},
};

// A press that paints, moves the player start or drags a rectangle, from
// the first change it makes until the button is let go: one undo step.
struct Stroke {
    MapContent before;
    bool rectangle = false;
    sf::Vector2i rectangleStart, rectangleEnd;
    sf::Vector2i lastCell;  // where the brush was last put down
};

// The editor's state.  The map is the program's second map, beside the
// game's; startMapEditor makes the toolbar and a new map, leaveMapEditor
// leaves an empty map, not loaded, so its tiles (12 MiB with the atlas) are
// not kept through play, and drops the toolbar.
struct EditorState {
    Map map;
    std::string fileName = unsavedMapName;
    MapEditMode mode = MapEditMode::Tiles;
    std::uint16_t currentTile = 0;
    std::int16_t brushWidth = 1, brushHeight = 1;
    bool showPassableColours = false;
    bool mouseOverField = false;
    int hoverCellX = 0, hoverCellY = 0;
    std::uint8_t pulse = 0;

    bool showGrid = false;
    UndoHistory<MapContent> history;
    // The map as last loaded, saved or made new; the caption's "*" compares
    // with it.
    MapContent savedContent;
    std::optional<Stroke> stroke;
    std::unique_ptr<kv::Toolbar> toolbar;
};
EditorState editor;

void say(const std::string& text) { KVCore::print(text, KVCore::consoleTextColour); }

bool insideGrid(int x, int y) { return x >= 0 && x < Map::width && y >= 0 && y < Map::height; }

sf::Vector2f cellCorner(int x, int y)
{
    return mapEditorFieldOrigin() + sf::Vector2f(float(x) * cellSide, float(y) * cellSide);
}

// The caption, and Undo and Redo greyed while there is no step for them.
void updateCaption()
{
    if (!editor.toolbar)
        return;
    kv::Toolbar& toolbar = *editor.toolbar;
    toolbar.frame.setTitle(mapEditorCaption());
    for (std::size_t i = 0; i < toolbar.buttons.size() && i < std::size(toolButtons); ++i) {
        if (toolButtons[i].command == Command::Undo)
            toolbar.buttons[i].enabled = editor.history.canUndo();
        else if (toolButtons[i].command == Command::Redo)
            toolbar.buttons[i].enabled = editor.history.canRedo();
    }
}

void markSaved()
{
    editor.savedContent = contentOf(editor.map);
    updateCaption();
}

// A property change from a dialog: one undo step when it changed anything.
template <class Change>
void changeProperty(Change change)
{
    const MapContent before = contentOf(editor.map);
    change(editor.map);
    editor.history.record(before, contentOf(editor.map));
}

// The rectangle between two cells, corners in either order, kept on the grid.
sf::IntRect cellRectangle(sf::Vector2i a, sf::Vector2i b)
{
    const int left = std::clamp(std::min(a.x, b.x), 0, Map::width - 1);
    const int top = std::clamp(std::min(a.y, b.y), 0, Map::height - 1);
    const int right = std::clamp(std::max(a.x, b.x), 0, Map::width - 1);
    const int bottom = std::clamp(std::max(a.y, b.y), 0, Map::height - 1);
    return {left, top, right - left + 1, bottom - top + 1};
}

void fillCells(const sf::IntRect& cells, std::uint16_t tile)
{
    for (int y = cells.top; y < cells.top + cells.height; ++y)
        for (int x = cells.left; x < cells.left + cells.width; ++x)
            editor.map.setTile(static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), tile, false);
}

// The cell under a view point, the field's borders included.
std::optional<sf::Vector2i> fieldCellAt(sf::Vector2i point)
{
    const sf::Vector2f origin = mapEditorFieldOrigin();
    const float x = float(point.x), y = float(point.y);
    if (x < origin.x || x > origin.x + float(Map::fieldWidth) || y < origin.y ||
        y > origin.y + float(Map::fieldHeight))
        return std::nullopt;
    return sf::Vector2i(static_cast<int>((x - origin.x) / cellSide), static_cast<int>((y - origin.y) / cellSide));
}

// The cell the button went down on, when that was on the field: the tick
// that sees the press may come after the mouse has moved on.
sf::Vector2i strokeStartCell()
{
    if (Mouse::buttonDown(Mouse::Left) || Mouse::clicked(Mouse::Left))
        if (const std::optional<sf::Vector2i> cell = fieldCellAt(Mouse::pressPosition(Mouse::Left)))
            return *cell;
    return {editor.hoverCellX, editor.hoverCellY};
}

void beginStroke(bool rectangle)
{
    if (editor.stroke)
        return;
    Stroke& s = editor.stroke.emplace();
    s.before = contentOf(editor.map);
    s.rectangle = rectangle;
    s.rectangleStart = s.rectangleEnd = s.lastCell = strokeStartCell();
}

// The button is up (or a command comes first): a dragged rectangle is
// filled now, and the whole stroke becomes one undo step.
void finishStroke()
{
    if (!editor.stroke)
        return;
    const Stroke s = std::move(*editor.stroke);
    editor.stroke.reset();
    if (s.rectangle)
        fillCells(cellRectangle(s.rectangleStart, s.rectangleEnd), editor.currentTile);
    editor.history.record(s.before, contentOf(editor.map));
}

void paintBrushAt(sf::Vector2i cell)
{
    for (int j = 0; j < editor.brushHeight; ++j)
        for (int i = 0; i < editor.brushWidth; ++i)
            // Cells beyond the grid are refused by the map itself.  No grass
            // formatting: the tile painted is the one chosen.
            editor.map.setTile(static_cast<std::int16_t>(cell.x + i), static_cast<std::int16_t>(cell.y + j),
                               editor.currentTile, false);
}

// The brush goes down on every cell between the last one and the one under
// the mouse, so a quick drag paints a line rather than a trail of dots.
void paintStroke()
{
    Stroke& s = *editor.stroke;
    const sf::Vector2i to(editor.hoverCellX, editor.hoverCellY);
    const sf::Vector2i from = s.lastCell;
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    for (int k = 0; k <= steps; ++k) {
        const float t = steps == 0 ? 0.f : float(k) / float(steps);
        paintBrushAt({from.x + static_cast<int>(std::lround(float(to.x - from.x) * t)),
                      from.y + static_cast<int>(std::lround(float(to.y - from.y) * t))});
    }
    s.lastCell = to;
}

sf::Color passableColour(TileType type)
{
    switch (type) {
    case TileType::Land: return {255, 255, 0};
    case TileType::Grass: return {0, 255, 0};
    case TileType::Solid: return {255, 0, 0};
    case TileType::Water: return {0, 0, 240};
    }
    return {0, 0, 0};
}

void appendSquare(sf::VertexArray& quads, sf::Vector2f corner, sf::Vector2f size, sf::Color colour)
{
    quads.append(sf::Vertex(corner, colour));
    quads.append(sf::Vertex(corner + sf::Vector2f(size.x, 0.f), colour));
    quads.append(sf::Vertex(corner + size, colour));
    quads.append(sf::Vertex(corner + sf::Vector2f(0.f, size.y), colour));
}

void drawPassableColours(sf::RenderTarget& target)
{
    const Map& map = editor.map;
    sf::VertexArray quads(sf::Quads);
    for (int y = 0; y < Map::height; ++y)
        for (int x = 0; x < Map::width; ++x) {
            const std::uint16_t tile = map.cell(x, y);
            const sf::Color colour = tile < map.tileset.tiles.size()
                                         ? passableColour(map.tileset.tiles[tile].type)
                                         : sf::Color::Black;
            appendSquare(quads, cellCorner(x, y), {cellSide, cellSide}, colour);
        }
    target.draw(quads);
}

void drawGrid(sf::RenderTarget& target)
{
    const sf::Vector2f origin = mapEditorFieldOrigin();
    sf::VertexArray lines(sf::Lines);
    for (int x = 1; x < Map::width; ++x) {
        const float at = origin.x + float(x) * cellSide;
        lines.append(sf::Vertex({at, origin.y}, gridColour));
        lines.append(sf::Vertex({at, origin.y + float(Map::fieldHeight)}, gridColour));
    }
    for (int y = 1; y < Map::height; ++y) {
        const float at = origin.y + float(y) * cellSide;
        lines.append(sf::Vertex({origin.x, at}, gridColour));
        lines.append(sf::Vertex({origin.x + float(Map::fieldWidth), at}, gridColour));
    }
    target.draw(lines);
}

void drawOutline(sf::RenderTarget& target, sf::Vector2f corner, sf::Vector2f size, sf::Color colour)
{
    sf::RectangleShape outline(size);
    outline.setPosition(corner);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(colour);
    outline.setOutlineThickness(outlineThickness);
    target.draw(outline);
}

void drawPlayerStart(sf::RenderTarget& target)
{
    Sprite& mower = Game::resources().mowerIdle;
    if (mower.frames.empty())
        return;
    const sf::Vector2f at =
        mapEditorFieldOrigin() + sf::Vector2f(float(editor.map.playerStartX), float(editor.map.playerStartY));
    mower.draw(KVCore::CurrentTargetLayer, at.x, at.y, 0.f, 1.f, 1.f, previewAlpha, true, 0.f);
    const sf::Vector2f half(mower.halfWidth, mower.halfHeight);
    drawOutline(target, at - half, half * 2.f, playerStartColour);
}

std::string statusLine()
{
    const Map& map = editor.map;
    return "Title: " + map.title + " (by " + map.author + ") - Time Limit: " + std::to_string(map.timeLimit) +
           " - Cloud Count: " + std::to_string(map.cloudCount);
}

// Under the field; a view too low for that (800 by 600) shows it over the
// field's last row on a dark band.
void drawStatusLine(sf::RenderTarget& target)
{
    const sf::Vector2f origin = mapEditorFieldOrigin();
    const float spacing = Text::standardLineSpacing(statusTextSize);
    const float below = origin.y + float(Map::fieldHeight) + 2.f;
    const float top = std::min(below, KVCore::viewSize().y - spacing - 2.f);
    sf::Text text(statusLine(), Text::standardFont(), statusTextSize);
    text.setFillColor(sf::Color::White);
    text.setPosition(std::round(origin.x + 4.f), std::round(top));
    if (top < below) {
        sf::RectangleShape band({float(Map::fieldWidth), spacing + 4.f});
        band.setPosition(origin.x, std::round(top) - 1.f);
        band.setFillColor(statusBackColour);
        target.draw(band);
    }
    target.draw(text);
}

sf::Color pulseColour()
{
    const auto level = static_cast<std::uint8_t>(128 + editor.pulse);
    return {level, level, 0};
}

// The cells a press would change now, translucent, with the pulsing outline.
void drawCellsPreview(sf::RenderTarget& target, const sf::IntRect& cells)
{
    if (cells.width <= 0 || cells.height <= 0)
        return;
    for (int y = cells.top; y < cells.top + cells.height; ++y)
        for (int x = cells.left; x < cells.left + cells.width; ++x)
            editor.map.tileset.drawTile(KVCore::CurrentTargetLayer, editor.currentTile, cellCorner(x, y), previewAlpha);
    drawOutline(target, cellCorner(cells.left, cells.top),
                {float(cells.width) * cellSide, float(cells.height) * cellSide}, pulseColour());
}

void drawBrushPreview(sf::RenderTarget& target)
{
    if (editor.mode != MapEditMode::Tiles)
        return;
    if (editor.stroke && editor.stroke->rectangle) {
        drawCellsPreview(target, cellRectangle(editor.stroke->rectangleStart, editor.stroke->rectangleEnd));
        return;
    }
    if (!editor.mouseOverField)
        return;
    // Only the part of the brush that would paint: cells past the grid's
    // edge are never changed.
    const int left = editor.hoverCellX, top = editor.hoverCellY;
    const int right = std::min(left + editor.brushWidth, int(Map::width));
    const int bottom = std::min(top + editor.brushHeight, int(Map::height));
    drawCellsPreview(target, {left, top, right - left, bottom - top});
}

void drawScene(sf::RenderTarget& target)
{
    if (editor.showPassableColours)
        drawPassableColours(target);
    else
        Game::drawFieldTiles(target, editor.map, mapEditorFieldOrigin());
    if (editor.showGrid)
        drawGrid(target);
    drawPlayerStart(target);
    drawStatusLine(target);
    drawBrushPreview(target);
}

// The window's contents are not kept once a frame has been shown; a
// dialog about to freeze them as its background gets the editor drawn
// again first, toolbar included.
void redrawForModal()
{
    sf::RenderWindow* win = KVCore::window().renderWindow();
    if (!win)
        return;
    win->clear(screenColour);
    drawScene(*win);
    if (editor.toolbar) {
        kv::setGuiTarget(win);
        editor.toolbar->draw();
        kv::setGuiTarget(nullptr);
    }
    win->setActive(true);
}

// True when the command was a confirmed Exit.
bool runCommand(Command command)
{
    switch (command) {
    case Command::None: break;
    case Command::NewMap: askNewMap(); break;
    case Command::LoadMap: loadMap(); break;
    case Command::SaveMap: saveMap(); break;
    case Command::SaveMapAs: saveMapAs(); break;
    case Command::Exit: return askExit();
    case Command::Undo: undo(); break;
    case Command::Redo: redo(); break;
    case Command::TileMode: pickTileMode(); break;
    case Command::PlayerStartMode: playerStartMode(); break;
    case Command::BrushSize: chooseBrushSize(); break;
    case Command::PassableColours: togglePassableColours(); break;
    case Command::Title: changeTitle(); break;
    case Command::Author: changeAuthor(); break;
    case Command::TimeLimit: changeTimeLimit(); break;
    case Command::CloudCount: changeCloudCount(); break;
    case Command::RunMap: runMap(); break;
    case Command::AudioPanel: Audio::runAudioPanel(); break;
    }
    return false;
}

Command clickedCommand()
{
    kv::Toolbar& toolbar = *editor.toolbar;
    // The bar spans the view, which a switch to or from full screen changes.
    if (const float width = KVCore::viewSize().x; toolbar.getSize().x != width)
        toolbar.setSize({width, 0.f});
    toolbar.update();
    for (std::size_t i = 0; i < toolbar.buttons.size() && i < std::size(toolButtons); ++i)
        if (toolbar.buttons[i].clicked)
            return toolButtons[i].command;
    return Command::None;
}

void shortcutKeys()
{
    if (Keyboard::controlDown()) {
        if (Keyboard::keyHit(sf::Keyboard::Z))
            Keyboard::shiftDown() ? redo() : undo();
        if (Keyboard::keyHit(sf::Keyboard::Y))
            redo();
    }
    if (Keyboard::keyHit(sf::Keyboard::G))
        toggleGrid();
}

// The cell under the mouse, borders of the field included.
void mapMouseToField()
{
    const std::optional<sf::Vector2i> cell = fieldCellAt(Mouse::getViewPosition());
    editor.mouseOverField = cell.has_value();
    if (!cell)
        return;
    editor.hoverCellX = cell->x;
    editor.hoverCellY = cell->y;
}

// A rectangle follows the mouse beyond the field too, stopping at the
// grid's edge.
void dragRectangle()
{
    const sf::Vector2i mouse = Mouse::getViewPosition();
    const sf::Vector2f origin = mapEditorFieldOrigin();
    const auto column = static_cast<int>(std::floor((float(mouse.x) - origin.x) / cellSide));
    const auto row = static_cast<int>(std::floor((float(mouse.y) - origin.y) / cellSide));
    editor.stroke->rectangleEnd = {std::clamp(column, 0, Map::width - 1), std::clamp(row, 0, Map::height - 1)};
}

void editTiles(bool leftHeld, bool rightHeld)
{
    if (leftHeld) {
        beginStroke(Keyboard::shiftDown());
        if (!editor.stroke->rectangle)
            paintStroke();
    } else if (rightHeld && insideGrid(editor.hoverCellX, editor.hoverCellY)) {
        // The field's right and bottom borders count as over it, but they
        // hold no cell to pick from.
        editor.currentTile = editor.map.cell(editor.hoverCellX, editor.hoverCellY);
    }
}

void movePlayerStart(bool leftHeld)
{
    const sf::Vector2i mouse = Mouse::getViewPosition();
    KVCore::showHint(playerStartHintKey, sf::Vector2f(mouse) + sf::Vector2f(16.f, 16.f), 0.f,
                     "Click to move player start point");
    if (!leftHeld)
        return;
    beginStroke(false);
    const sf::Vector2f origin = mapEditorFieldOrigin();
    editor.map.playerStartX = static_cast<std::int16_t>(float(mouse.x) - origin.x);
    editor.map.playerStartY = static_cast<std::int16_t>(float(mouse.y) - origin.y);
}

} // namespace

void startMapEditor()
{
    editor.toolbar = std::make_unique<kv::Toolbar>();
    kv::Toolbar& toolbar = *editor.toolbar;
    toolbar.create({0.f, 0.f});
    toolbar.setSize({KVCore::viewSize().x, 0.f});
    toolbar.docked = true;
    for (const ToolButton& b : toolButtons) {
        if (b.text)
            toolbar.addButton(b.text, b.icon, b.key);
        else
            toolbar.addSeparator();
    }
    editor.stroke.reset();
    editor.showGrid = false;
    newMap();
}

void leaveMapEditor()
{
    editor.stroke.reset();
    editor.history.clear();
    editor.map = Map();
    editor.toolbar.reset();
    platform::releaseFreedMemory();
}

bool mapEditorTick()
{
    const Command command = clickedCommand();
    if (command != Command::None) {
        finishStroke();
        redrawForModal();
        const bool leave = runCommand(command);
        updateCaption();
        if (leave)
            return true;
    }
    shortcutKeys();

    editor.pulse = static_cast<std::uint8_t>(editor.pulse + pulseStep);
    if (editor.pulse > pulseTop)
        editor.pulse = 0;

    const unsigned buttons = Mouse::getButtons();
    const bool leftHeld = (buttons & Mouse::leftBit) != 0;
    // A click quicker than a tick is never seen held, but it still stamps
    // the brush or picks.
    const bool leftDown = leftHeld || Mouse::clicked(Mouse::Left);
    const bool rightDown = (buttons & Mouse::rightBit) != 0 || Mouse::clicked(Mouse::Right);

    mapMouseToField();
    if (leftHeld && editor.stroke && editor.stroke->rectangle)
        dragRectangle();
    if (editor.mouseOverField) {
        if (editor.mode == MapEditMode::Tiles)
            editTiles(leftDown, rightDown);
        else
            movePlayerStart(leftDown);
    }
    if (!leftHeld)
        finishStroke();
    updateCaption();
    return false;
}

void drawMapEditor()
{
    if (sf::RenderWindow* win = KVCore::window().renderWindow()) {
        win->clear(screenColour);
        drawScene(*win);
    }
    if (editor.toolbar)
        editor.toolbar->draw();
}

void runMapEditor()
{
    startMapEditor();
    {
        // The editor's frames are passes like a dialog's: what it opens over
        // returns here, and scripted input reaches it the same way.
        kv::ModalLoop loop("Map Editor", kv::ModalLoop::WholeScreen());
        while (loop.beginPass()) {
            if (KVCore::tickFlag() && mapEditorTick())
                loop.finish();
            drawMapEditor();
            loop.endPass();
        }
    }
    leaveMapEditor();
}

void askNewMap()
{
    if (kv::confirm("New Map - Unsaved tiles will be lost!  Continue?"))
        newMap();
}

void newMap()
{
    editor.stroke.reset();
    editor.map.newMap();
    editor.currentTile = 0;
    editor.mode = MapEditMode::Tiles;
    editor.showPassableColours = false;
    editor.brushWidth = editor.brushHeight = 1;
    editor.fileName = unsavedMapName;
    editor.history.clear();
    markSaved();
}

void loadMap()
{
    const std::optional<std::string> path = kv::selectFileToOpen("Load Map", editorFolder(mapsFolder), "map");
    if (!path)
        return;
    if (!editor.map.load(*path)) {
        kv::showMessage(editor.map.lastError);
        return;
    }
    editor.stroke.reset();
    editor.fileName = *path;
    editor.history.clear();
    markSaved();
    say("Loaded map from " + *path);
}

namespace {

bool saveTo(std::optional<std::string> path)
{
    if (!path)
        return false;
    if (!editor.map.save(*path)) {
        kv::showMessage(editor.map.lastError);
        return false;
    }
    say("Map saved to " + *path);
    editor.fileName = *path;
    markSaved();
    return true;
}

std::optional<std::string> askSavePath() { return choosePathToSave("Save Map As", editorFolder(mapsFolder), "map"); }

} // namespace

bool saveMap()
{
    finishStroke();
    if (editor.fileName == unsavedMapName)
        return saveTo(askSavePath());
    return saveTo(editor.fileName);
}

bool saveMapAs()
{
    finishStroke();
    return saveTo(askSavePath());
}

void runMap()
{
    if (!saveMap()) {
        kv::showMessage("Cannot run map without saving first");
        return;
    }
    // The test run saves to a slot of its own and never to the player's.
    Game::SaveSlot slot;
    slot.path = resolvedAssetPath(editorSlotPath);
    Game::SaveSlot* const previous = Game::currentSlot();
    Game::currentSlot() = &slot;
    const bool ran = Game::runGame(0, SkillNormal, true, editor.fileName);
    Game::currentSlot() = previous;
    if (!ran)
        kv::showMessage(Game::gameError());
}

void pickTileMode()
{
    int tile = editor.currentTile;
    if (pickTile(editor.map.tileset, tile, true)) {
        editor.currentTile = static_cast<std::uint16_t>(tile);
        // Edit may have changed the tileset on disk; the field shows it.
        editor.map.loadTileset();
    }
    editor.mode = MapEditMode::Tiles;
    updateCaption();
}

void playerStartMode()
{
    editor.mode = MapEditMode::PlayerStart;
    updateCaption();
}

void chooseBrushSize() { Editors::chooseBrushSize(editor.brushWidth, editor.brushHeight); }

void togglePassableColours() { editor.showPassableColours = !editor.showPassableColours; }

void changeTitle()
{
    std::string title = editor.map.title;
    if (kv::inputText(title, titleLength, "Map Title"))
        changeProperty([&](Map& map) { map.title = title; });
}

void changeAuthor()
{
    std::string author = editor.map.author;
    if (kv::inputText(author, titleLength, "Map Author"))
        changeProperty([&](Map& map) { map.author = author; });
}

void changeTimeLimit()
{
    std::int32_t seconds = editor.map.timeLimit;
    if (kv::inputInt(seconds, 1, 9999, "Time Limit"))
        changeProperty([&](Map& map) { map.timeLimit = static_cast<std::int16_t>(seconds); });
}

void changeCloudCount()
{
    std::int32_t clouds = editor.map.cloudCount;
    if (kv::inputInt(clouds, 0, 99, "Cloud Count"))
        changeProperty([&](Map& map) { map.cloudCount = static_cast<std::int16_t>(clouds); });
}

bool askExit()
{
    return kv::confirm("Any unsaved changes will be lost.  Are you sure that you want to exit the Map Editor?");
}

void undo()
{
    finishStroke();
    if (std::optional<MapContent> earlier = editor.history.undo(contentOf(editor.map)))
        applyContent(editor.map, *earlier);
    updateCaption();
}

void redo()
{
    finishStroke();
    if (std::optional<MapContent> later = editor.history.redo(contentOf(editor.map)))
        applyContent(editor.map, *later);
    updateCaption();
}

void toggleGrid() { editor.showGrid = !editor.showGrid; }

Map& editorMap() { return editor.map; }
const std::string& editorFileName() { return editor.fileName; }
MapEditMode editMode() { return editor.mode; }
std::uint16_t currentTile() { return editor.currentTile; }
void setCurrentTile(std::uint16_t tile) { editor.currentTile = tile; }
sf::Vector2i brushSize() { return {editor.brushWidth, editor.brushHeight}; }

void setBrushSize(int width, int height)
{
    editor.brushWidth = static_cast<std::int16_t>(std::clamp(width, 1, int(Map::width)));
    editor.brushHeight = static_cast<std::int16_t>(std::clamp(height, 1, int(Map::height)));
}

bool passableColoursShown() { return editor.showPassableColours; }
bool gridShown() { return editor.showGrid; }

std::string mapEditorCaption()
{
    const char* modeText =
        editor.mode == MapEditMode::PlayerStart ? "Editing player start position" : "Editing tiles";
    return (mapModified() ? "*" : "") + editor.fileName + " - Map Editor (" + modeText + ")";
}

bool mapModified() { return contentOf(editor.map) != editor.savedContent; }
bool canUndo() { return editor.history.canUndo(); }
bool canRedo() { return editor.history.canRedo(); }
std::size_t undoSteps() { return editor.history.undoCount(); }

sf::Vector2f mapEditorFieldOrigin()
{
    const float x = (KVCore::viewSize().x - float(Map::fieldWidth)) / 2.f;
    const float y = Text::standardLineSpacing(kv::widgetTextSize) + 32.f + 16.f + 2.f;
    return {x, y};
}

bool mouseOverField() { return editor.mouseOverField; }
sf::Vector2i hoverCell() { return {editor.hoverCellX, editor.hoverCellY}; }
bool rectangleDragged() { return editor.stroke && editor.stroke->rectangle; }

} // namespace Editors
