#include "editors/TileEditor.hpp"

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
#include "engine/TimeSource.hpp"
#include "engine/WindowBackend.hpp"
#include "game/GameResources.hpp"
#include "gui/BevelPanel.hpp"
#include "gui/ColourPicker.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/FileSelector.hpp"
#include "gui/Label.hpp"
#include "gui/Theme.hpp"
#include "gui/Toolbar.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/System/Err.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <memory>
#include <sstream>
#include <vector>

namespace Editors {
namespace TileEditor {
namespace {

const sf::Color screenColour(58, 58, 58, 255);
const sf::Color canvasOutline(255, 255, 0, 255);
const sf::Color gridColour(128, 128, 128, 160);
const sf::Color textColour = sf::Color::White;
constexpr float canvasLeft = 2.f;
constexpr float outlineThickness = 2.f;
constexpr float columnFromRight = 140.f;
constexpr float previewSide = 96.f;
constexpr float colourBarHeight = 32.f;
constexpr float gap = 8.f;
// Below this the grid lines would cover the pixels.
constexpr float smallestGridZoom = 4.f;
constexpr double releaseWaitSeconds = 0.5;
constexpr int tileSide = Tileset::tileSize;
constexpr std::size_t tileBytes = tileSide * tileSide * 4;

const char* const tilesFolder = "tiles\\";
const char* const tilesetExtension = "til";
const char* const colourBarHint = "Left click to change colour, right click to fill tile.";

bool sameTile(const Tile& a, const Tile& b)
{
    if (a.type != b.type || a.description != b.description || a.image.getSize() != b.image.getSize())
        return false;
    const sf::Vector2u size = a.image.getSize();
    return size.x == 0 || size.y == 0 ||
           std::memcmp(a.image.getPixelsPtr(), b.image.getPixelsPtr(), std::size_t{size.x} * size.y * 4) == 0;
}

// The editor's record of the tileset for undo and the "*" mark: a shared,
// never changed copy of every tile.  A step replaces only the tiles it
// changed, so a hundred steps cost little more than the tiles they touched.
struct Snapshot {
    std::vector<std::shared_ptr<const Tile>> tiles;

    bool operator==(const Snapshot& other) const
    {
        if (tiles.size() != other.tiles.size())
            return false;
        for (std::size_t i = 0; i < tiles.size(); ++i)
            if (tiles[i] != other.tiles[i] && !sameTile(*tiles[i], *other.tiles[i]))
                return false;
        return true;
    }
};

enum ToolbarGroup { FileGroup = 1, UndoGroup, TileGroup, PaintGroup, PropertyGroup, ImageGroup, SheetGroup, TalvexGroup };

struct ToolbarEntry {
    ToolbarGroup group;
    const char* text;
    int icon;
    int key;
    Command command;
};

const ToolbarEntry toolbarEntries[] = {
    {FileGroup, "New Tileset", 88, sf::Keyboard::N, Command::NewTileset},
    {FileGroup, "Load Tileset", 72, sf::Keyboard::F3, Command::LoadTileset},
    {FileGroup, "Save Tileset", 136, sf::Keyboard::F2, Command::SaveTileset},
    {FileGroup, "Save Tileset as", 137, sf::Keyboard::A, Command::SaveTilesetAs},
    {FileGroup, "Exit", 38, sf::Keyboard::Escape, Command::Exit},
    {UndoGroup, "Undo (Ctrl+Z)", 191, -1, Command::Undo},
    {UndoGroup, "Redo (Ctrl+Y)", 192, -1, Command::Redo},
    {TileGroup, "Goto Tile", 54, sf::Keyboard::G, Command::GotoTile},
    {TileGroup, "Previous Tile", 3, sf::Keyboard::Left, Command::PreviousTile},
    {TileGroup, "Next Tile", 53, sf::Keyboard::Right, Command::NextTile},
    {PaintGroup, "Select Drawing Colour", 17, sf::Keyboard::C, Command::SelectDrawingColour},
    {PaintGroup, "Zoom In", 177, sf::Keyboard::Add, Command::ZoomIn},
    {PaintGroup, "Zoom Out", 178, sf::Keyboard::Subtract, Command::ZoomOut},
    {PaintGroup, "Copy Tile", 21, sf::Keyboard::F5, Command::CopyTile},
    {PaintGroup, "Paste Tile", 106, sf::Keyboard::F6, Command::PasteTile},
    {PaintGroup, "Flip", 50, sf::Keyboard::F, Command::Flip},
    {PaintGroup, "Mirror", 80, sf::Keyboard::M, Command::Mirror},
    {PaintGroup, "Rotate", 132, sf::Keyboard::R, Command::Rotate},
    {PropertyGroup, "Change Tile Type", 156, sf::Keyboard::Y, Command::ChangeTileType},
    {PropertyGroup, "Change Tile Description", 11, sf::Keyboard::D, Command::ChangeTileDescription},
    {ImageGroup, "Import Image", 63, sf::Keyboard::I, Command::ImportImage},
    {ImageGroup, "Export Image", 39, sf::Keyboard::E, Command::ExportImage},
    {SheetGroup, "Import Tilesheet", 189, sf::Keyboard::F7, Command::ImportTilesheet},
    {SheetGroup, "Export Tilesheet", 190, sf::Keyboard::F8, Command::ExportTilesheet},
    {TalvexGroup, "Import Talvex Tileset", 78, -1, Command::ImportTalvexTileset},
};

// The editor's state: the one editor tileset and everything around it.
// runTileEditor (or a test through open) sets it up, close() ends the
// session: the tileset is left empty and not loaded, and the undo record,
// the toolbar and the canvas texture are let go.  It lives for the process.
struct EditorState {
    Tileset tileset;
    std::string fileName = unsavedFileName;
    // Save may write to fileName without asking: not for a new tileset, and
    // not for an imported Talvex file, which a save must never overwrite.
    bool fileIsOurs = false;
    int currentTile = 0;
    sf::Color drawingColour = sf::Color::White;
    float zoom = startZoom;
    sf::Image clipboardImage;
    bool clipboardFull = false;
    bool showGrid = false;

    Snapshot current;
    Snapshot saved;
    UndoHistory<Snapshot> history;
    bool modified = false;
    // The tileset as it was when the left button went down on the canvas:
    // a whole stroke is one step.
    std::optional<Snapshot> strokeBefore;
    std::optional<sf::Vector2i> lastPainted;
    // A button still held when a dialog or the tile picker closes belongs to
    // them: no painting until it has been let go.
    bool waitForRelease = false;

    kv::Toolbar toolbar;
    std::vector<Command> toolbarCommands;
    sf::Vector2f toolbarView;
    std::unique_ptr<sf::Texture> canvasTexture;
    std::function<void()> frameHook;
};
EditorState state;

Tile& tile() { return state.tileset.tiles[static_cast<std::size_t>(state.currentTile)]; }

void refreshModified() { state.modified = !(state.current == state.saved); }

// After the whole tileset changed (new, load, imports): a fresh record.
void recordWholeTileset()
{
    state.current.tiles.clear();
    for (const Tile& t : state.tileset.tiles)
        state.current.tiles.push_back(std::make_shared<const Tile>(t));
    state.history.clear();
    state.strokeBefore.reset();
}

void markSaved()
{
    state.saved = state.current;
    refreshModified();
}

// One finished edit of the current tile: it becomes one undo step.
void finishEdit(Snapshot before)
{
    state.tileset.buildAtlas();
    state.current.tiles[static_cast<std::size_t>(state.currentTile)] = std::make_shared<const Tile>(tile());
    state.history.record(std::move(before), state.current);
    refreshModified();
}

void endStroke()
{
    state.lastPainted.reset();
    if (!state.strokeBefore)
        return;
    Snapshot before = std::move(*state.strokeBefore);
    state.strokeBefore.reset();
    finishEdit(std::move(before));
}

// Undo and redo bring back another record and show the tile it changed.
void restore(const Snapshot& restored)
{
    bool shown = false;
    for (std::size_t i = 0; i < restored.tiles.size(); ++i) {
        if (restored.tiles[i] == state.current.tiles[i])
            continue;
        state.tileset.tiles[i] = *restored.tiles[i];
        if (!shown)
            state.currentTile = static_cast<int>(i);
        shown = true;
    }
    state.current = restored;
    state.tileset.buildAtlas();
    refreshModified();
}

void undo()
{
    if (std::optional<Snapshot> restored = state.history.undo(state.current))
        restore(*restored);
    else
        KVCore::print("Nothing to undo");
}

void redo()
{
    if (std::optional<Snapshot> restored = state.history.redo(state.current))
        restore(*restored);
    else
        KVCore::print("Nothing to redo");
}

std::string folderOf(const std::string& path)
{
    const std::size_t end = path.find_last_of("\\/");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

void newTilesetNow()
{
    state.tileset.reset();
    state.currentTile = 0;
    state.fileName = unsavedFileName;
    state.fileIsOurs = false;
    recordWholeTileset();
    markSaved();
}

bool saveTileset(bool askForPath)
{
    std::string path = state.fileName;
    if (askForPath || !state.fileIsOurs) {
        const std::optional<std::string> chosen =
            choosePathToSave("Save Tileset As", editorFolder(tilesFolder), tilesetExtension);
        if (!chosen)
            return false;
        path = *chosen;
    }
    if (!state.tileset.save(path)) {
        kv::showMessage(state.tileset.lastError);
        return false;
    }
    KVCore::print("Saved tileset to " + path);
    state.fileName = path;
    state.fileIsOurs = true;
    markSaved();
    return true;
}

void chooseAndLoad()
{
    const std::optional<std::string> path =
        kv::selectFileToOpen("Load Tileset", editorFolder(tilesFolder), tilesetExtension);
    if (path)
        loadTileset(*path);
}

void chooseColour(const std::string& title)
{
    sf::Color colour = state.drawingColour;
    if (kv::pickColour(colour, title))
        state.drawingColour = colour;
}

void zoomIn()
{
    if (state.zoom < maximumZoom)
        state.zoom += 1.f;
    else
        KVCore::print("Maximum zoom");
}

void zoomOut()
{
    if (state.zoom > minimumZoom)
        state.zoom -= 1.f;
    else
        KVCore::print("Minimum zoom");
}

void copyTile()
{
    state.clipboardImage = tile().image;
    state.clipboardFull = true;
    KVCore::print("Copied tile image to clipboard");
}

void pasteTile()
{
    if (!state.clipboardFull) {
        KVCore::print("No tile image in clipboard");
        return;
    }
    Snapshot before = state.current;
    tile().image = state.clipboardImage;
    finishEdit(std::move(before));
    KVCore::print("Pasted tile image from clipboard");
}

// A quarter turn clockwise: the new pixel (x, y) is the old (y, 31 - x).
sf::Image rotated(const sf::Image& image)
{
    sf::Image turned;
    turned.create(tileSide, tileSide);
    for (unsigned y = 0; y < tileSide; ++y)
        for (unsigned x = 0; x < tileSide; ++x)
            turned.setPixel(x, y, image.getPixel(y, tileSide - 1 - x));
    return turned;
}

template <class Change>
void editImage(Change change)
{
    Snapshot before = state.current;
    change(tile().image);
    finishEdit(std::move(before));
}

TileType nextType(TileType type)
{
    switch (type) {
    case TileType::Land: return TileType::Grass;
    case TileType::Grass: return TileType::Solid;
    case TileType::Solid: return TileType::Water;
    default: return TileType::Land;
    }
}

void changeTileType()
{
    Snapshot before = state.current;
    tile().type = nextType(tile().type);
    finishEdit(std::move(before));
}

void changeTileDescription()
{
    std::string text = tile().description;
    if (!kv::inputText(text, 32, "Tile Description"))
        return;
    Snapshot before = state.current;
    tile().description = text;
    finishEdit(std::move(before));
}

void gotoTile()
{
    int index = state.currentTile;
    if (pickTile(state.tileset, index, false))
        state.currentTile = index;
}

void fillTile()
{
    if (!kv::confirm("Fill tile with current colour?"))
        return;
    editImage([](sf::Image& image) { image.create(tileSide, tileSide, state.drawingColour); });
}

// SFML tells its own error stream why a picture did not load; the editor
// says it in a message box instead.
bool loadPicture(sf::Image& picture, const std::string& path)
{
    std::streambuf* previous = sf::err().rdbuf(nullptr);
    const bool loaded = picture.loadFromFile(platform::toNativePath(path).string());
    sf::err().rdbuf(previous);
    sf::err().clear();
    return loaded && picture.getSize().x > 0 && picture.getSize().y > 0;
}

void importImage()
{
    Game::OtherPaths& folders = Game::otherPaths();
    const std::optional<std::string> path = kv::selectFileToOpen("Import Image", folders.imageImportPath, imageExtensions);
    if (!path)
        return;
    sf::Image picture;
    if (!loadPicture(picture, *path)) {
        kv::errorReading(*path);
        return;
    }
    editImage([&picture](sf::Image& image) { image = tileImageFrom(picture); });
    folders.imageImportPath = folderOf(*path);
    KVCore::print("Imported tile from " + *path);
}

void exportImage()
{
    Game::OtherPaths& folders = Game::otherPaths();
    const std::optional<std::string> path = kv::selectFileToSave("Export Image", folders.imageExportPath, imageExtensions);
    if (!path)
        return;
    if (platform::fileExists(*path) && !kv::confirm("Overwrite existing file " + *path + "?"))
        return;
    if (!saveImageFile(tile().image, *path)) {
        kv::errorWriting(*path);
        return;
    }
    folders.imageExportPath = folderOf(*path);
    KVCore::print("Exported tile to " + *path);
}

void importTilesheet()
{
    Game::OtherPaths& folders = Game::otherPaths();
    const std::optional<std::string> path =
        kv::selectFileToOpen("Import Tilesheet", folders.imageExportPath, imageExtensions);
    if (!path)
        return;
    if (!state.tileset.importTilesheet(*path)) {
        kv::showMessage(state.tileset.lastError);
        return;
    }
    recordWholeTileset();
    refreshModified();
    folders.imageExportPath = folderOf(*path);
    KVCore::print("Imported tilesheet from " + *path);
}

// A sheet is a picture, and a picture already there is only replaced
// after the overwrite question.
void exportTilesheet()
{
    Game::OtherPaths& folders = Game::otherPaths();
    const std::optional<std::string> path = choosePathToSave("Export Tilesheet", folders.imageExportPath, imageExtensions);
    if (!path)
        return;
    if (!state.tileset.exportTilesheet(*path)) {
        kv::showMessage(state.tileset.lastError);
        return;
    }
    folders.imageExportPath = folderOf(*path);
    KVCore::print("Exported tilesheet to " + *path);
}

void importTalvexTileset()
{
    Game::OtherPaths& folders = Game::otherPaths();
    const std::optional<std::string> path =
        kv::selectFileToOpen("Import Talvex Tileset", folders.importTalvexTilesPath, tilesetExtension);
    if (!path)
        return;
    if (!state.tileset.importTalvexTileset(*path)) {
        kv::showMessage(state.tileset.lastError);
        return;
    }
    state.fileName = *path;
    state.fileIsOurs = false;
    state.currentTile = 0;
    recordWholeTileset();
    refreshModified();
    folders.importTalvexTilesPath = folderOf(*path);
    KVCore::print("Imported tileset from " + *path);
}

// Every pixel of the line from a to b, both on the tile, in the drawing
// colour.
void paintLine(sf::Vector2i a, sf::Vector2i b)
{
    sf::Image& image = tile().image;
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int stepX = a.x < b.x ? 1 : -1, stepY = a.y < b.y ? 1 : -1;
    int error = dx + dy;
    bool changed = false;
    for (;;) {
        const auto x = static_cast<unsigned>(a.x), y = static_cast<unsigned>(a.y);
        if (image.getPixel(x, y) != state.drawingColour) {
            image.setPixel(x, y, state.drawingColour);
            changed = true;
        }
        if (a == b)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            a.x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            a.y += stepY;
        }
    }
    if (changed)
        state.tileset.buildAtlas();
}

bool leftHeld() { return (Mouse::getButtons() & Mouse::leftBit) != 0; }
bool rightHeld() { return (Mouse::getButtons() & Mouse::rightBit) != 0; }

void waitRightRelease()
{
    const double start = KVCore::timeSource().seconds();
    while (rightHeld() && KVCore::timeSource().seconds() - start < releaseWaitSeconds)
        KVCore::pollEvents();
    Mouse::clearClickState(Mouse::Right);
}

bool inside(const sf::FloatRect& r, sf::Vector2i p)
{
    const auto x = static_cast<float>(p.x), y = static_cast<float>(p.y);
    return x >= r.left && x <= r.left + r.width && y >= r.top && y <= r.top + r.height;
}

// Control shortcuts come before the toolbar, whose G and Y they share.
Command controlShortcut()
{
    if (!Keyboard::controlDown())
        return Command::None;
    const bool shift = Keyboard::shiftDown();
    if (Keyboard::keyHit(sf::Keyboard::Z))
        return shift ? Command::Redo : Command::Undo;
    if (Keyboard::keyHit(sf::Keyboard::Y))
        return Command::Redo;
    if (Keyboard::keyHit(sf::Keyboard::G))
        return Command::ToggleGrid;
    return Command::None;
}

void buildToolbar(sf::Vector2f view)
{
    kv::Toolbar& bar = state.toolbar;
    bar.create({0.f, 0.f});
    bar.docked = true;
    state.toolbarCommands.clear();
    ToolbarGroup group = FileGroup;
    for (const ToolbarEntry& e : toolbarEntries) {
        if (e.group != group) {
            bar.addSeparator();
            state.toolbarCommands.push_back(Command::None);
            group = e.group;
        }
        bar.addButton(e.text, e.icon, e.key);
        state.toolbarCommands.push_back(e.command);
    }
    bar.setSize({view.x, bar.getHeight()});
    state.toolbarView = view;
}

// Undo and Redo are greyed while there is no step for them.
void greyEmptyHistory()
{
    std::vector<kv::Button>& buttons = state.toolbar.buttons;
    for (std::size_t i = 0; i < buttons.size() && i < state.toolbarCommands.size(); ++i) {
        if (state.toolbarCommands[i] == Command::Undo)
            buttons[i].enabled = state.history.canUndo();
        else if (state.toolbarCommands[i] == Command::Redo)
            buttons[i].enabled = state.history.canRedo();
    }
}

Command clickedToolbarCommand()
{
    const std::vector<kv::Button>& buttons = state.toolbar.buttons;
    for (std::size_t i = 0; i < buttons.size() && i < state.toolbarCommands.size(); ++i)
        if (buttons[i].clicked)
            return state.toolbarCommands[i];
    return Command::None;
}

void drawText(const std::string& text, sf::Vector2f at)
{
    kv::Label label;
    label.create(at, textColour, text);
    label.draw();
}

void drawCanvas(sf::RenderTarget& target, const Layout& l)
{
    if (!state.canvasTexture) {
        state.canvasTexture = std::make_unique<sf::Texture>();
        state.canvasTexture->create(tileSide, tileSide);
    }
    const sf::Image& image = tile().image;
    if (image.getSize() == sf::Vector2u(tileSide, tileSide))
        state.canvasTexture->update(image);
    const sf::Texture& texture = *state.canvasTexture;

    const int columns = static_cast<int>(std::lround(l.canvas.width / state.zoom));
    const int rows = static_cast<int>(std::lround(l.canvas.height / state.zoom));
    sf::Sprite canvas(texture, {0, 0, columns, rows});
    canvas.setPosition(l.canvas.left, l.canvas.top);
    canvas.setScale(state.zoom, state.zoom);
    target.draw(canvas);

    if (state.showGrid && state.zoom >= smallestGridZoom) {
        sf::VertexArray lines(sf::Lines);
        for (int i = 1; i < columns; ++i) {
            const float x = l.canvas.left + static_cast<float>(i) * state.zoom;
            lines.append({{x, l.canvas.top}, gridColour});
            lines.append({{x, l.canvas.top + l.canvas.height}, gridColour});
        }
        for (int j = 1; j < rows; ++j) {
            const float y = l.canvas.top + static_cast<float>(j) * state.zoom;
            lines.append({{l.canvas.left, y}, gridColour});
            lines.append({{l.canvas.left + l.canvas.width, y}, gridColour});
        }
        target.draw(lines);
    }

    sf::RectangleShape outline({l.canvas.width, l.canvas.height});
    outline.setPosition(l.canvas.left, l.canvas.top);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(canvasOutline);
    outline.setOutlineThickness(outlineThickness);
    target.draw(outline);

    // The preview shows the tile as maps do: over black, three by three.
    sf::RectangleShape ground({l.preview.width, l.preview.height});
    ground.setPosition(l.preview.left, l.preview.top);
    ground.setFillColor(sf::Color::Black);
    target.draw(ground);
    sf::Sprite copy(texture);
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            copy.setPosition(l.preview.left + static_cast<float>(i * tileSide),
                             l.preview.top + static_cast<float>(j * tileSide));
            target.draw(copy);
        }
}

void drawScreen()
{
    const Layout l = layout(KVCore::viewSize());
    if (sf::RenderTarget* target = KVCore::currentTarget()) {
        target->clear(screenColour);
        drawCanvas(*target, l);
    }
    state.toolbar.frame.setTitle(caption());
    state.toolbar.draw();

    drawText("Preview", l.previewCaption);
    kv::BevelPanel bar;
    bar.create({l.colourBar.left, l.colourBar.top},
               {l.colourBar.left + l.colourBar.width, l.colourBar.top + l.colourBar.height},
               kv::theme::bevelDarkColour, kv::theme::bevelLightColour, state.drawingColour);
    bar.draw();
    // The hint goes under the colour and scale lines, and as far left as it
    // needs to stay inside the view.
    const sf::Vector2i mouse = Mouse::getViewPosition();
    if (inside(l.colourBar, mouse)) {
        const float room = KVCore::viewSize().x - kv::standardTextWidth(colourBarHint) - 3.f * gap;
        const sf::Vector2f at(std::min(static_cast<float>(mouse.x) + 16.f, room), l.scaleLine.y + l.lineSpacing + gap);
        KVCore::showHint(colourBarHintKey, at, 0.f, colourBarHint);
    }
    drawText(colourLine(), l.colourLine);
    drawText(scaleLine(), l.scaleLine);
    drawText(tileLine(), l.tileLine);
}

} // namespace

void open(const std::string& path, int tileIndex)
{
    state.drawingColour = sf::Color::White;
    state.zoom = startZoom;
    state.clipboardImage = sf::Image();
    state.clipboardFull = false;
    state.showGrid = false;
    state.strokeBefore.reset();
    state.lastPainted.reset();
    state.waitForRelease = false;
    if (!path.empty() && loadTileset(path))
        state.currentTile = std::clamp(tileIndex, 0, Tileset::tileCount - 1);
    else
        newTilesetNow();
}

void close()
{
    endStroke();
    // A fresh, unloaded tileset: the tiles and the atlas texture go while
    // the window that made the texture is still there.
    state.tileset = Tileset();
    state.history.clear();
    state.current = {};
    state.saved = {};
    state.toolbar.clear();
    state.toolbarCommands.clear();
    state.toolbarView = {};
    state.canvasTexture.reset();
}

Tileset& tileset() { return state.tileset; }
const std::string& fileName() { return state.fileName; }
int currentTile() { return state.currentTile; }
sf::Color drawingColour() { return state.drawingColour; }
void setDrawingColour(sf::Color colour) { state.drawingColour = colour; }
float zoom() { return state.zoom; }
bool clipboardFull() { return state.clipboardFull; }
bool gridShown() { return state.showGrid; }
bool modified() { return state.modified; }
bool canUndo() { return state.history.canUndo(); }
bool canRedo() { return state.history.canRedo(); }

std::string caption() { return (state.modified ? "*" : "") + state.fileName + " - Tile Editor"; }

std::string tileLine()
{
    return "Tile " + std::to_string(state.currentTile + 1) + " of " + std::to_string(Tileset::tileCount) + " - " +
           tile().description + " - " + Tileset::getTypeName(tile().type);
}

std::string colourLine()
{
    const sf::Color c = state.drawingColour;
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

std::string scaleLine()
{
    std::ostringstream text;
    text << "Scale " << std::fixed << std::setprecision(1) << state.zoom << "x";
    return text.str();
}

bool loadTileset(const std::string& path)
{
    if (!state.tileset.load(path)) {
        kv::showMessage(state.tileset.lastError);
        return false;
    }
    state.fileName = path;
    state.fileIsOurs = true;
    state.currentTile = 0;
    recordWholeTileset();
    markSaved();
    KVCore::print("Loaded tileset from " + path);
    return true;
}

bool confirmExit()
{
    endStroke();
    return kv::confirm("Any unsaved changes will be lost.  Are you sure that you want to exit the Tile Editor?");
}

void runCommand(Command command)
{
    if (command == Command::None)
        return;
    endStroke();
    switch (command) {
    case Command::None: break;
    case Command::NewTileset:
        if (kv::confirm("New Tileset - Unsaved tiles will be lost!  Continue?"))
            newTilesetNow();
        break;
    case Command::LoadTileset: chooseAndLoad(); break;
    case Command::SaveTileset: saveTileset(false); break;
    case Command::SaveTilesetAs: saveTileset(true); break;
    case Command::Exit: confirmExit(); break;
    case Command::Undo: undo(); break;
    case Command::Redo: redo(); break;
    case Command::GotoTile: gotoTile(); break;
    case Command::PreviousTile: state.currentTile = state.currentTile > 0 ? state.currentTile - 1 : Tileset::tileCount - 1; break;
    case Command::NextTile: state.currentTile = state.currentTile + 1 < Tileset::tileCount ? state.currentTile + 1 : 0; break;
    case Command::SelectDrawingColour: chooseColour("Tile Colour"); break;
    case Command::ZoomIn: zoomIn(); break;
    case Command::ZoomOut: zoomOut(); break;
    case Command::CopyTile: copyTile(); break;
    case Command::PasteTile: pasteTile(); break;
    case Command::Flip: editImage([](sf::Image& image) { image.flipVertically(); }); break;
    case Command::Mirror: editImage([](sf::Image& image) { image.flipHorizontally(); }); break;
    case Command::Rotate: editImage([](sf::Image& image) { image = rotated(image); }); break;
    case Command::ChangeTileType: changeTileType(); break;
    case Command::ChangeTileDescription: changeTileDescription(); break;
    case Command::ImportImage: importImage(); break;
    case Command::ExportImage: exportImage(); break;
    case Command::ImportTilesheet: importTilesheet(); break;
    case Command::ExportTilesheet: exportTilesheet(); break;
    case Command::ImportTalvexTileset: importTalvexTileset(); break;
    case Command::ToggleGrid: state.showGrid = !state.showGrid; break;
    case Command::ChooseDrawingColour: chooseColour("Drawing Colour"); break;
    case Command::FillTile: fillTile(); break;
    }
}

Layout layout(sf::Vector2f view)
{
    Layout l;
    const float spacing = kv::standardLineSpacing18();
    l.lineSpacing = spacing;
    const float top = spacing + 50.f;
    const float column = view.x - columnFromRight;

    // The tile line goes under the canvas, or at the foot of the view when
    // the canvas is taller; the canvas shows what the view leaves it, in
    // whole tile pixels, so nothing is drawn over anything else.
    const float side = static_cast<float>(tileSide) * state.zoom;
    const float lineTop = std::min(top + side + outlineThickness + gap, view.y - spacing - gap);
    const auto wholePixels = [](float room) {
        return std::clamp(std::floor(room / state.zoom), 0.f, static_cast<float>(tileSide)) * state.zoom;
    };
    l.canvas = {canvasLeft, top, wholePixels(column - gap - outlineThickness - canvasLeft),
                wholePixels(lineTop - gap - outlineThickness - top)};
    l.tileLine = {canvasLeft + 2.f, lineTop};

    l.previewCaption = {column, top};
    l.preview = {column, top + spacing + 4.f, previewSide, previewSide};
    l.colourBar = {column, l.preview.top + previewSide + 2.f * gap, previewSide, colourBarHeight};
    l.colourLine = {column, l.colourBar.top + colourBarHeight + gap};
    l.scaleLine = {column, l.colourLine.y + spacing + 2.f};
    return l;
}

std::optional<sf::Vector2i> pixelAt(sf::Vector2i point)
{
    const Layout l = layout(KVCore::viewSize());
    const float top = l.canvas.top;
    const float side = static_cast<float>(tileSide) * state.zoom;
    const int left = static_cast<int>(canvasLeft), right = static_cast<int>(canvasLeft + side);
    const int upper = static_cast<int>(top), lower = static_cast<int>(top + side);
    if (point.x < left || point.x > right || point.y < upper || point.y > lower)
        return std::nullopt;
    const auto x = static_cast<float>(point.x), y = static_cast<float>(point.y);
    const sf::Vector2i pixel(static_cast<int>((x - canvasLeft) / state.zoom), static_cast<int>((y - top) / state.zoom));
    // The right and bottom borders belong to no pixel, and a pixel the view
    // hides cannot be aimed at.
    if (pixel.x >= tileSide || pixel.y >= tileSide || x >= l.canvas.left + l.canvas.width ||
        y >= l.canvas.top + l.canvas.height)
        return std::nullopt;
    return pixel;
}

Command updateMouse()
{
    if (state.waitForRelease) {
        if (leftHeld() || rightHeld())
            return Command::None;
        state.waitForRelease = false;
    }
    const sf::Vector2i mouse = Mouse::getViewPosition();
    const std::optional<sf::Vector2i> pixel = pixelAt(mouse);
    const bool held = leftHeld();
    Command command = Command::None;
    if (held || Mouse::clicked(Mouse::Left)) {
        // A stroke starts where the button went down, which a quick drag
        // may have left before the tick; then it runs on from the last
        // pixel painted, so a fast hand leaves no gaps.
        std::optional<sf::Vector2i> from = state.lastPainted;
        if (!state.strokeBefore && (Mouse::buttonDown(Mouse::Left) || Mouse::clicked(Mouse::Left)))
            from = pixelAt(Mouse::pressPosition(Mouse::Left));
        if (pixel) {
            if (!state.strokeBefore)
                state.strokeBefore = state.current;
            paintLine(from.value_or(*pixel), *pixel);
            state.lastPainted = pixel;
        } else {
            state.lastPainted.reset();
        }
        if (!pixel && !state.strokeBefore && inside(layout(KVCore::viewSize()).colourBar, mouse)) {
            Mouse::waitRelease();
            command = Command::ChooseDrawingColour;
        }
    } else if (rightHeld() || Mouse::clicked(Mouse::Right)) {
        if (pixel) {
            state.drawingColour = tile().image.getPixel(static_cast<unsigned>(pixel->x), static_cast<unsigned>(pixel->y));
            KVCore::print("Picked colour from tile");
            waitRightRelease();
        } else if (inside(layout(KVCore::viewSize()).colourBar, mouse)) {
            waitRightRelease();
            command = Command::FillTile;
        }
    }
    if (!held)
        endStroke();
    return command;
}

sf::Image tileImageFrom(const sf::Image& picture)
{
    const sf::Vector2u size = picture.getSize();
    sf::Image image;
    image.create(tileSide, tileSide, sf::Color::Black);
    if (size.x == 0 || size.y == 0)
        return image;
    // round(x * width / 32) in whole numbers: halves go up, away from zero.
    const auto source = [](unsigned x, unsigned length) {
        return std::min((2u * x * length + tileSide) / (2u * tileSide), length - 1);
    };
    for (unsigned y = 0; y < tileSide; ++y)
        for (unsigned x = 0; x < tileSide; ++x)
            image.setPixel(x, y, picture.getPixel(source(x, size.x), source(y, size.y)));
    return image;
}

void setFrameHook(std::function<void()> hook) { state.frameHook = std::move(hook); }

} // namespace TileEditor

void runTileEditor(const std::string& path, int tileIndex)
{
    using namespace TileEditor;
    open(path, tileIndex);
    KVCore::WindowBackend& window = KVCore::window();
    bool leave = false;
    while (window.isOpen() && !leave) {
        if (state.frameHook)
            state.frameHook();
        KVCore::beginFrame();
        // A display change gives the view a new size: the toolbar follows.
        if (KVCore::viewSize() != state.toolbarView)
            buildToolbar(KVCore::viewSize());

        greyEmptyHistory();
        Command command = Command::None;
        if (KVCore::tickFlag()) {
            command = controlShortcut();
            state.toolbar.update();
            if (command == Command::None)
                command = clickedToolbarCommand();
            const float wheel = Mouse::wheelDelta();
            if (command == Command::None && wheel != 0.f)
                command = wheel > 0.f ? Command::ZoomIn : Command::ZoomOut;
            const Command fromMouse = updateMouse();
            if (command == Command::None)
                command = fromMouse;
        }

        // Dialogs open after drawing, so they open over the whole screen.
        drawScreen();
        if (command == Command::Exit)
            leave = confirmExit();
        else
            runCommand(command);
        if (command != Command::None)
            state.waitForRelease = leftHeld() || rightHeld();
        KVCore::endFrame(0);
    }
    close();
}

} // namespace Editors
