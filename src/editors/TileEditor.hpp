#pragma once
// The Tile Editor: one tileset, one tile at a time on a magnified canvas.
// Pixels are painted with the left button and picked with the right; the
// toolbar copies, pastes, flips, mirrors and rotates tiles, cycles their
// type, edits their description, imports and exports tile pictures and
// whole tile sheets, imports Talvex tilesets and loads and saves tileset
// files.  Ctrl+Z undoes and Ctrl+Y (or Ctrl+Shift+Z) redoes a step; Ctrl+G
// shows a pixel grid.
//
// The rules are callable without the screen: open() sets the editor up as
// runTileEditor does, the commands below are the toolbar's, and
// updateMouse() is one tick of the mouse.  Tests drive them with a stand-in
// window and answer the dialogs with the modal test driver.

#include "world/Tileset.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/System/Vector2.hpp>

#include <functional>
#include <optional>
#include <string>

namespace Editors {

// Opens the tileset file at a tile and runs the editor until Exit.  An empty
// path, or one that cannot be loaded, starts a new unsaved tileset.
void runTileEditor(const std::string& path, int tileIndex);

namespace TileEditor {

inline constexpr const char* unsavedFileName = "(unsaved file)";
inline constexpr float minimumZoom = 1.f;
inline constexpr float maximumZoom = 24.f;
inline constexpr float startZoom = 14.f;
inline constexpr const char* colourBarHintKey = "tile_editor_colour_bar";

// What the screen does besides drawing, one at a time.
enum class Command {
    None,
    NewTileset,
    LoadTileset,
    SaveTileset,
    SaveTilesetAs,
    Exit,
    Undo,
    Redo,
    GotoTile,
    PreviousTile,
    NextTile,
    SelectDrawingColour,
    ZoomIn,
    ZoomOut,
    CopyTile,
    PasteTile,
    Flip,
    Mirror,
    Rotate,
    ChangeTileType,
    ChangeTileDescription,
    ImportImage,
    ExportImage,
    ImportTilesheet,
    ExportTilesheet,
    ImportTalvexTileset,
    ToggleGrid,
    // From the colour bar.
    ChooseDrawingColour,
    FillTile,
};

// Sets the editor up as runTileEditor does before its loop, and leaves it
// as runTileEditor does after it (the tileset marked not loaded).
void open(const std::string& path, int tileIndex);
void close();

Tileset& tileset();
const std::string& fileName();
int currentTile();
sf::Color drawingColour();
void setDrawingColour(sf::Color colour);
float zoom();
bool clipboardFull();
bool gridShown();
// The tileset differs from what was last loaded, saved or made new.
bool modified();
bool canUndo();
bool canRedo();

// "<file> - Tile Editor", with a leading "*" while modified.
std::string caption();
// "Tile %d of %d - %s - %s", "%d,%d,%d" and "Scale %.01fx".
std::string tileLine();
std::string colourLine();
std::string scaleLine();

// Runs a command with its dialogs.  Exit is answered by confirmExit.
void runCommand(Command command);
// The Exit question; true to leave.
bool confirmExit();
// Load without the selector, as runTileEditor does.
bool loadTileset(const std::string& path);

// Where things are in a view: the part of the canvas the view shows (whole
// tile pixels), the preview, the colour bar and the status lines.
struct Layout {
    float lineSpacing = 0.f;
    sf::FloatRect canvas;
    sf::Vector2f previewCaption;
    sf::FloatRect preview;
    sf::FloatRect colourBar;
    sf::Vector2f tileLine;
    sf::Vector2f colourLine;
    sf::Vector2f scaleLine;
};
Layout layout(sf::Vector2f view);
// The tile pixel under a view point of the current view; nothing off the
// canvas, on its right or bottom border, or where the view hides it.
std::optional<sf::Vector2i> pixelAt(sf::Vector2i point);
// One tick of the mouse: painting and picking happen at once; a click on
// the colour bar comes back as the command to run after drawing.
Command updateMouse();

// An imported picture as a tile: each tile pixel takes the nearest picture
// pixel, halves rounded away from zero, kept inside the picture.
sf::Image tileImageFrom(const sf::Image& picture);

// Test seam: runs at the start of every frame of runTileEditor.
void setFrameHook(std::function<void()> hook);

} // namespace TileEditor
} // namespace Editors
