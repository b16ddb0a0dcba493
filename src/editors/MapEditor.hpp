#pragma once
// The Map Editor: one map of 25 by 16 cells painted with a rectangular
// brush of tiles, the mower's start, the title, author, time limit and
// cloud count, saved to "maps\" and run in the game at once.
//
// runMapEditor is the screen.  The operations below are its rules, what
// its toolbar buttons, keys and mouse do; they need no window, so tests
// drive them with a stand-in one.  Between startMapEditor and
// leaveMapEditor the editor's state is valid.

#include <SFML/System/Vector2.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

class Map;

namespace Editors {

enum class MapEditMode : std::int16_t { Tiles = 1, PlayerStart = 2 };

constexpr const char* unsavedMapName = "(unsaved file)";

// From the tools menu: a new map, then the editor until Exit is confirmed.
void runMapEditor();

// The toolbar and a new map, without asking.
void startMapEditor();
// The map and its tileset marked not loaded, the toolbar gone.
void leaveMapEditor();
// One tick of input, in the editor's order: toolbar and keys, the brush's
// pulse, the mouse over the field, painting or the player start.  True
// when the user confirmed Exit.
bool mapEditorTick();
// Draws the editor's frame, once the frame has begun (the field and texts
// only with a real window).
void drawMapEditor();

// Toolbar commands.  The ones that ask do so with the standard dialogs.
void askNewMap();      // "New Map" with its confirmation
void newMap();         // the same without asking
void loadMap();        // selector, then load; never asks about changes
bool saveMap();        // to the file it came from, or the selector for a new map
bool saveMapAs();      // always the selector
void runMap();         // saved first, then played through the editor's own slot
void pickTileMode();   // the tile picker, then painting tiles
void playerStartMode();
void chooseBrushSize();
void togglePassableColours();
void changeTitle();
void changeAuthor();
void changeTimeLimit();
void changeCloudCount();
bool askExit();        // true when the user confirmed leaving

void undo();
void redo();
void toggleGrid();

// What the editor shows and works with.
Map& editorMap();
const std::string& editorFileName();
MapEditMode editMode();
std::uint16_t currentTile();
void setCurrentTile(std::uint16_t tile);
sf::Vector2i brushSize();
void setBrushSize(int width, int height);
bool passableColoursShown();
bool gridShown();
// "<file> - Map Editor (Editing tiles)", with a leading "*" while the map
// differs from what was last loaded or saved.
std::string mapEditorCaption();
bool mapModified();
bool canUndo();
bool canRedo();
std::size_t undoSteps();

// Top-left corner of the field in the view.
sf::Vector2f mapEditorFieldOrigin();
bool mouseOverField();
sf::Vector2i hoverCell();
// The cells of a Shift+drag rectangle while it is being dragged.
bool rectangleDragged();

} // namespace Editors
