#pragma once
// The Sprite Editor: animated sprites built from frame images, timed,
// previewed with their shadow and saved in "sprites\".
//
// The editor works on one sprite that lives while the editor runs.  Its
// commands are plain functions, so they run without the editor's screen:
// tests call them with a stand-in window and answer their dialogs.

#include "world/Sprite.hpp"

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Editors {

// From the Tools menu: runs until Exit is confirmed; leaving removes the
// sprite's frames.
void runSpriteEditor();

namespace SpriteEditor {

inline constexpr const char* unsavedFileName = "(unsaved file)";
inline constexpr float startZoom = 5.f;
inline constexpr float minZoom = 0.5f;
inline constexpr float maxZoom = 16.f;
inline constexpr float zoomStep = 0.5f;
// The preview turns this many degrees a second while Left or Right is held.
inline constexpr float previewTurnRate = 150.f;
// The preview's shadow falls this far (times the zoom) right of and below.
inline constexpr float previewShadowOffset = 16.f;
inline constexpr int minDisplayTime = -1;
inline constexpr int maxDisplayTime = 1000;
inline constexpr int descriptionLimit = 32;

// The toolbar's buttons, in their order.
enum class Command {
    NewSprite,
    LoadSprite,
    SaveSprite,
    SaveSpriteAs,
    Exit,
    Undo,
    Redo,
    PreviousFrame,
    NextFrame,
    AddFrame,
    DeleteFrame,
    SetFrameDisplayTime,
    ImportFrameImage,
    ExportFrameImage,
    ChangeDescription,
    SetAllFramesDisplayTime,
    ZoomIn,
    ZoomOut,
    ImportTalvexSprite,
    PreviewSprite,
    ViewTexture,
    ReloadShaders,
};

// A fresh editor: an empty sprite, "(unsaved file)", frame 0, zoom 5, no
// undo history.  runSpriteEditor starts with it.
void begin();
// What leaving does: the frames go and the history with them.
void end();

// One command as its button runs it, questions and file selectors
// included.  Exit only asks; exitRequested() tells whether it was answered
// yes.
void run(Command command);
bool exitRequested();

// The file steps behind the commands, for a path already chosen.  Each
// reports a failure itself (message box) and returns false.
bool loadSpriteFrom(const std::string& path);
bool saveSpriteTo(const std::string& path);
bool addFrameFrom(const std::string& path);
bool importFrameImageFrom(const std::string& path);
bool exportFrameImageTo(const std::string& path);
bool importTalvexSpriteFrom(const std::string& path);

// Why a sprite with frames of these sizes, once saved, would be refused by
// the sprite loader; empty when it would load again.
std::string frameSizeProblem(const std::vector<sf::Vector2u>& frameSizes);

Sprite& sprite();
const std::string& fileName();
std::int16_t currentFrameIndex();
float zoom();
// The work differs from what was last loaded or saved.
bool modified();
bool canUndo();
bool canRedo();
// The toolbar's caption: "*" while modified, the file, " - Sprite Editor".
std::string caption();
// The lines under the toolbar.
std::vector<std::string> statusLines();
// The turn of the sprite in the preview, 0 to 360 degrees.
float previewRotation();

// Test seam: runs at the start of every frame of the editor's own loop.
void setFrameHook(std::function<void()> hook);

} // namespace SpriteEditor
} // namespace Editors
