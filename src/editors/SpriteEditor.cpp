#include "editors/SpriteEditor.hpp"

#include "editors/EditorFiles.hpp"
#include "editors/UndoHistory.hpp"
#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Shaders.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "game/GameResources.hpp"
#include "gui/Component.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"
#include "gui/FileSelector.hpp"
#include "gui/Toolbar.hpp"
#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "world/Tileset.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Window/Keyboard.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iomanip>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <utility>

namespace Editors {
namespace SpriteEditor {
namespace {

const sf::Color backgroundColour(58, 58, 58, 255);
const sf::Color frameOutlineColour(110, 110, 110, 255);
const sf::Color textureBackColour(24, 24, 24, 255);
constexpr unsigned statusTextSize = 18;
// A small texture is magnified to fill the view, but no further than this.
constexpr float maxTextureMagnification = 8.f;
constexpr float statusMargin = 8.f;
constexpr const char* spriteFolder = "sprites\\";
constexpr const char* spriteExtension = "spr";
constexpr const char* frameImageTitle = "Select Frame Image";
constexpr const char* previewText =
    "Previewing sprite - V/Escape/click = exit | Up/Down/Wheel = zoom | Left/right = rotate | R = reset";

constexpr int undoIcon = 191;
constexpr int redoIcon = 192;

// A frame as undo keeps it: what is saved of it.
struct FrameSnapshot {
    sf::Image image;
    std::int16_t displayTime = 0;
    std::string sourcePath;
};

bool sameImage(const sf::Image& a, const sf::Image& b)
{
    const sf::Vector2u size = a.getSize();
    if (size != b.getSize())
        return false;
    const std::size_t bytes = std::size_t{size.x} * size.y * 4;
    return bytes == 0 || std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), bytes) == 0;
}

// Kept frames compare with kept frames and with the sprite's own.
template <class A, class B>
bool sameFrame(const A& a, const B& b)
{
    return a.displayTime == b.displayTime && a.sourcePath == b.sourcePath && sameImage(a.image, b.image);
}

// The whole work at one moment.  Where the editor stood comes along so an
// undo returns to the frame that was changed, but it is no part of the work.
struct Snapshot {
    std::string description;
    std::vector<FrameSnapshot> frames;
    std::int16_t frameIndex = 0;

    bool operator==(const Snapshot& other) const
    {
        return description == other.description && frames.size() == other.frames.size() &&
               std::equal(frames.begin(), frames.end(), other.frames.begin(),
                          sameFrame<FrameSnapshot, FrameSnapshot>);
    }
};

// The editor's state.  begin() (runSpriteEditor, or a test) makes it fresh;
// end() empties it when the editor closes.
struct EditorState {
    Sprite sprite;
    std::string fileName = unsavedFileName;
    std::int16_t frameIndex = 0;
    float zoom = startZoom;
    UndoHistory<Snapshot> history;
    // What was last loaded or saved, for the "*" mark.
    Snapshot saved;
    bool modified = false;
    // Set by a Talvex import: the file named is the other game's, which a
    // plain Save must not overwrite without asking.
    bool fileIsForeign = false;
    bool exitRequested = false;
    float previewRotation = 0.f;
    std::function<void()> frameHook;
};
EditorState state;

// The editor's screen: the toolbar and which command each button gives
// (none for separators).  runSpriteEditor makes it and drops it on leaving;
// commands run without it draw nothing.
struct Screen {
    kv::Toolbar toolbar;
    std::vector<std::optional<Command>> buttonCommands;
};
std::unique_ptr<Screen> screen;

void redrawForModal();

// A message over the editor, not over the selector that led to it.
void tell(const std::string& text)
{
    redrawForModal();
    kv::showMessage(text);
}

std::size_t frameCount() { return state.sprite.frames.size(); }

bool validFrame() { return state.frameIndex >= 0 && static_cast<std::size_t>(state.frameIndex) < frameCount(); }

SpriteFrame& currentFrame() { return state.sprite.frames[static_cast<std::size_t>(state.frameIndex)]; }

std::int16_t lastFrameIndex()
{
    return static_cast<std::int16_t>(frameCount() == 0 ? 0 : frameCount() - 1);
}

void say(const std::string& text) { KVCore::print(text); }

std::string oneDecimal(float value)
{
    std::ostringstream out;
    out << std::fixed << std::setprecision(1) << value;
    return out.str();
}

// The selectors start in the folder of the path last used.
std::string folderOf(const std::string& path)
{
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

Snapshot takeSnapshot()
{
    Snapshot s;
    s.description = state.sprite.description;
    s.frameIndex = state.frameIndex;
    s.frames.reserve(frameCount());
    for (const SpriteFrame& frame : state.sprite.frames)
        s.frames.push_back({frame.image, frame.displayTime, frame.sourcePath});
    return s;
}

bool matchesSnapshot(const Snapshot& s)
{
    const Sprite& sprite = state.sprite;
    return sprite.description == s.description && sprite.frames.size() == s.frames.size() &&
           std::equal(s.frames.begin(), s.frames.end(), sprite.frames.begin(), sameFrame<FrameSnapshot, SpriteFrame>);
}

void restartAnimation()
{
    state.sprite.currentFrame = 0;
    state.sprite.restartFrameClock();
}

// Frames go back exactly as kept: addFrame would replace a display time of
// -1, which the user may have set on purpose.
void restoreSnapshot(const Snapshot& s)
{
    Sprite& sprite = state.sprite;
    sprite.description = s.description;
    sprite.frames.clear();
    for (const FrameSnapshot& kept : s.frames) {
        SpriteFrame frame;
        frame.image = kept.image;
        frame.displayTime = kept.displayTime;
        frame.sourcePath = kept.sourcePath;
        sprite.frames.push_back(std::move(frame));
    }
    sprite.buildTexture();
    restartAnimation();
    state.frameIndex = std::clamp<std::int16_t>(s.frameIndex, 0, lastFrameIndex());
}

void refreshCaption()
{
    state.modified = state.fileIsForeign || !matchesSnapshot(state.saved);
    if (!screen)
        return;
    screen->toolbar.frame.setTitle(caption());
    for (std::size_t i = 0; i < screen->buttonCommands.size(); ++i) {
        if (screen->buttonCommands[i] == Command::Undo)
            screen->toolbar.buttons[i].enabled = canUndo();
        else if (screen->buttonCommands[i] == Command::Redo)
            screen->toolbar.buttons[i].enabled = canRedo();
    }
}

// The work as it now stands is what the file holds.
void markSaved()
{
    state.saved = takeSnapshot();
    state.fileIsForeign = false;
}

// One change of the work, one undo step.
template <class Change>
void recordEdit(Change&& change)
{
    Snapshot before = takeSnapshot();
    change();
    state.history.record(std::move(before), takeSnapshot());
}

void stepFrame(int by)
{
    if (frameCount() == 0) {
        state.frameIndex = 0;
        return;
    }
    int index = state.frameIndex + by;
    if (index < 0)
        index = lastFrameIndex();
    else if (static_cast<std::size_t>(index) >= frameCount())
        index = 0;
    state.frameIndex = static_cast<std::int16_t>(index);
}

void zoomIn()
{
    if (state.zoom < maxZoom)
        state.zoom += zoomStep;
    else
        say("Maximum zoom");
}

void zoomOut()
{
    if (state.zoom > minZoom)
        state.zoom -= zoomStep;
    else
        say("Minimum zoom");
}

// A frame image as the editor takes it: magenta and cyan are the
// see-through colours, as in a loaded sprite.
std::optional<sf::Image> readFrameImage(const std::string& path)
{
    sf::Image image;
    if (!platform::fileExists(path) || !image.loadFromFile(platform::toNativePath(path).string()) ||
        image.getSize().x == 0 || image.getSize().y == 0) {
        redrawForModal();
        kv::errorReading(path);
        return std::nullopt;
    }
    const sf::Vector2u size = image.getSize();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            const sf::Color c = image.getPixel(x, y);
            const bool magenta = c.r == 255 && c.g == 0 && c.b == 255;
            const bool cyan = c.r == 0 && c.g == 255 && c.b == 255;
            if (magenta || cyan)
                image.setPixel(x, y, sf::Color::Transparent);
        }
    }
    return image;
}

std::vector<sf::Vector2u> currentFrameSizes()
{
    std::vector<sf::Vector2u> sizes;
    for (const SpriteFrame& frame : state.sprite.frames)
        sizes.push_back(frame.image.getSize());
    return sizes;
}

void newSprite()
{
    if (!kv::confirm("New Sprite - Unsaved changes will be lost!  Continue?"))
        return;
    state.sprite.reset();
    state.frameIndex = 0;
    state.fileName = unsavedFileName;
    state.history.clear();
    markSaved();
}

void loadSprite()
{
    if (const auto path = kv::selectFileToOpen("Load Sprite", editorFolder(spriteFolder), spriteExtension))
        loadSpriteFrom(*path);
}

void saveSpriteAs()
{
    if (const auto path = choosePathToSave("Save Sprite As", editorFolder(spriteFolder), spriteExtension))
        saveSpriteTo(*path);
}

void saveSprite()
{
    if (state.fileName == unsavedFileName) {
        saveSpriteAs();
    } else if (state.fileIsForeign) {
        // An imported file stays as it is unless the user names it again.
        if (const auto path = choosePathToSave("Save Sprite As", folderOf(state.fileName), spriteExtension))
            saveSpriteTo(*path);
    } else {
        saveSpriteTo(state.fileName);
    }
}

void exitEditor()
{
    state.exitRequested =
        kv::confirm("Any unsaved changes will be lost.  Are you sure that you want to exit the Sprite Editor?");
}

void undo()
{
    if (auto restored = state.history.undo(takeSnapshot()))
        restoreSnapshot(*restored);
}

void redo()
{
    if (auto restored = state.history.redo(takeSnapshot()))
        restoreSnapshot(*restored);
}

void addFrame()
{
    if (const auto path =
            kv::selectFileToOpen(frameImageTitle, folderOf(Game::otherPaths().imageImportPath), imageExtensions))
        addFrameFrom(*path);
}

void deleteFrame()
{
    if (!validFrame()) {
        say("No frame to delete");
        return;
    }
    if (!kv::confirm("Delete frame " + std::to_string(state.frameIndex + 1) + "?"))
        return;
    recordEdit([] {
        Sprite& sprite = state.sprite;
        sprite.frames.erase(sprite.frames.begin() + state.frameIndex);
        sprite.buildTexture();
        restartAnimation();
        if (static_cast<std::size_t>(state.frameIndex) >= frameCount())
            state.frameIndex = lastFrameIndex();
    });
}

void setFrameDisplayTime()
{
    if (!validFrame()) {
        say("No frame to edit");
        return;
    }
    std::int32_t time = currentFrame().displayTime;
    if (!kv::inputInt(time, minDisplayTime, maxDisplayTime, "Enter new display time (100/sec) (-1 = constant)"))
        return;
    recordEdit([time] {
        currentFrame().displayTime = static_cast<std::int16_t>(time);
    });
}

void setAllFramesDisplayTime()
{
    if (frameCount() == 0) {
        say("No frames to edit");
        return;
    }
    std::int32_t time = state.sprite.frames.front().displayTime;
    if (!kv::inputInt(time, minDisplayTime, maxDisplayTime,
                      "Enter new display time for all frames (100/sec) (-1 = constant)"))
        return;
    recordEdit([time] {
        for (SpriteFrame& frame : state.sprite.frames)
            frame.displayTime = static_cast<std::int16_t>(time);
    });
}

void importFrameImage()
{
    if (!validFrame()) {
        say("No frame to import image to");
        return;
    }
    if (const auto path =
            kv::selectFileToOpen(frameImageTitle, folderOf(Game::otherPaths().imageImportPath), imageExtensions))
        importFrameImageFrom(*path);
}

void exportFrameImage()
{
    if (!validFrame()) {
        say("No frame to export image from");
        return;
    }
    const auto path =
        kv::selectFileToSave("Export Image", folderOf(Game::otherPaths().imageExportPath), imageExtensions);
    if (!path)
        return;
    if (platform::fileExists(*path)) {
        redrawForModal();
        if (!kv::confirm("Overwrite existing file " + *path + "?"))
            return;
    }
    exportFrameImageTo(*path);
}

void changeDescription()
{
    std::string text = state.sprite.description;
    if (!kv::inputText(text, descriptionLimit, "Sprite Description"))
        return;
    recordEdit([&text] {
        state.sprite.description = text;
    });
}

void importTalvexSprite()
{
    if (const auto path = kv::selectFileToOpen("Import Talvex Sprite",
                                               folderOf(Game::otherPaths().importTalvexSpritePath), spriteExtension))
        importTalvexSpriteFrom(*path);
}

sf::Vector2f viewCentre()
{
    const sf::Vector2f view = KVCore::viewSize();
    return {std::floor(view.x / 2.f), std::floor(view.y / 2.f)};
}

void drawLines(sf::RenderTarget& target, const std::vector<std::string>& lines, sf::Vector2f at)
{
    if (!Text::loaded())
        return;
    const float spacing = Text::standardLineSpacing(statusTextSize);
    for (const std::string& line : lines) {
        sf::Text text(line, Text::standardFont(), statusTextSize);
        text.setFillColor(sf::Color::White);
        text.setPosition(at);
        target.draw(text);
        at.y += spacing;
    }
}

// The current frame, still, at the zoom, with a thin outline so a frame
// with see-through edges shows its size.
void drawCurrentFrame(sf::RenderTarget& target)
{
    if (!validFrame())
        return;
    SpriteFrame& frame = currentFrame();
    const sf::Texture* texture = state.sprite.texture();
    if (!texture || frame.textureRect.width <= 0)
        return;
    const sf::Vector2f centre = viewCentre();
    const sf::Vector2f size(static_cast<float>(frame.image.getSize().x) * state.zoom,
                            static_cast<float>(frame.image.getSize().y) * state.zoom);
    const sf::Vector2f origin = frame.sprite.getOrigin() * state.zoom;
    sf::RectangleShape outline(size);
    outline.setPosition(centre - origin);
    outline.setFillColor(sf::Color::Transparent);
    outline.setOutlineColor(frameOutlineColour);
    outline.setOutlineThickness(1.f);
    target.draw(outline);

    frame.sprite.setTexture(*texture, false);
    frame.sprite.setRotation(0.f);
    frame.sprite.setScale(state.zoom, state.zoom);
    frame.sprite.setColor(sf::Color::White);
    frame.sprite.setPosition(centre);
    target.draw(frame.sprite);
}

void drawEditor(sf::RenderTarget& target)
{
    target.clear(backgroundColour);
    drawCurrentFrame(target);
    const kv::Toolbar& bar = screen->toolbar;
    drawLines(target, statusLines(), {statusMargin, bar.getPosition().y + bar.getHeight() + statusMargin});
}

void activateWindow()
{
    if (sf::RenderWindow* win = KVCore::window().renderWindow())
        win->setActive(true);
}

// A dialog freezes what the window shows, but a frame already shown is no
// longer reliably in the window: it is drawn again first, toolbar included.
void redrawForModal()
{
    sf::RenderWindow* win = KVCore::window().renderWindow();
    if (!win || !screen)
        return;
    drawEditor(*win);
    kv::setGuiTarget(win);
    screen->toolbar.draw();
    kv::setGuiTarget(nullptr);
    activateWindow();
}

struct ButtonEntry {
    const char* text;
    int icon;
    int key;
    std::optional<Command> command;  // none: a separator
};

const ButtonEntry toolbarEntries[] = {
    {"New Sprite", 88, sf::Keyboard::N, Command::NewSprite},
    {"Load Sprite", 72, sf::Keyboard::F3, Command::LoadSprite},
    {"Save Sprite", 136, sf::Keyboard::F2, Command::SaveSprite},
    {"Save Sprite as", 137, sf::Keyboard::A, Command::SaveSpriteAs},
    {"Exit", 38, sf::Keyboard::Escape, Command::Exit},
    {"", 0, -1, std::nullopt},
    // Their keys take Control, which a button's hot key cannot ask for.
    {"Undo (Ctrl+Z)", undoIcon, -1, Command::Undo},
    {"Redo (Ctrl+Y)", redoIcon, -1, Command::Redo},
    {"", 0, -1, std::nullopt},
    {"Previous Frame", 109, sf::Keyboard::Left, Command::PreviousFrame},
    {"Next Frame", 90, sf::Keyboard::Right, Command::NextFrame},
    {"", 0, -1, std::nullopt},
    {"Add Frame", 88, sf::Keyboard::F, Command::AddFrame},
    {"Delete Frame", 24, sf::Keyboard::Delete, Command::DeleteFrame},
    {"Set Frame Display Time", 15, sf::Keyboard::T, Command::SetFrameDisplayTime},
    {"Import Frame Image", 63, sf::Keyboard::I, Command::ImportFrameImage},
    {"Export Frame Image", 39, sf::Keyboard::E, Command::ExportFrameImage},
    {"", 0, -1, std::nullopt},
    {"Change Sprite Description", 11, sf::Keyboard::D, Command::ChangeDescription},
    {"Set All Frames Display Time", 16, -1, Command::SetAllFramesDisplayTime},
    {"", 0, -1, std::nullopt},
    {"Zoom In", 177, sf::Keyboard::Add, Command::ZoomIn},
    {"Zoom Out", 178, sf::Keyboard::Subtract, Command::ZoomOut},
    {"", 0, -1, std::nullopt},
    {"Import Talvex Sprite", 78, -1, Command::ImportTalvexSprite},
    {"", 0, -1, std::nullopt},
    {"Preview Sprite", 166, sf::Keyboard::V, Command::PreviewSprite},
    {"View Texture", 152, sf::Keyboard::X, Command::ViewTexture},
    {"Reload Shaders", 126, sf::Keyboard::F5, Command::ReloadShaders},
};

void buildToolbar()
{
    screen = std::make_unique<Screen>();
    kv::Toolbar& bar = screen->toolbar;
    bar.create({0.f, 0.f});
    bar.docked = true;
    for (const ButtonEntry& e : toolbarEntries) {
        if (e.command)
            bar.addButton(e.text, e.icon, e.key);
        else
            bar.addSeparator();
        screen->buttonCommands.push_back(e.command);
    }
}

// What this tick's input asks for: a button (or its key), an undo key, the
// wheel.
std::optional<Command> commandFromInput()
{
    if (!KVCore::tickFlag())
        return std::nullopt;
    for (std::size_t i = 0; i < screen->buttonCommands.size(); ++i)
        if (screen->toolbar.buttons[i].clicked && screen->buttonCommands[i])
            return screen->buttonCommands[i];
    if (Keyboard::controlDown()) {
        if (Keyboard::keyHit(sf::Keyboard::Z))
            return Keyboard::shiftDown() ? Command::Redo : Command::Undo;
        if (Keyboard::keyHit(sf::Keyboard::Y))
            return Command::Redo;
    }
    const float wheel = Mouse::wheelDelta();
    if (wheel > 0.f)
        return Command::ZoomIn;
    if (wheel < 0.f)
        return Command::ZoomOut;
    return std::nullopt;
}

void turnPreview(float degrees)
{
    float r = std::fmod(state.previewRotation + degrees, 360.f);
    if (r < 0.f)
        r += 360.f;
    state.previewRotation = r;
}

void preview()
{
    if (frameCount() == 0) {
        say("Sprite has no frames");
        return;
    }
    state.previewRotation = 0.f;
    restartAnimation();
    kv::ModalLoop loop("Preview Sprite", false);
    loop.setText(previewText);
    KVCore::WindowBackend& w = KVCore::window();
    while (loop.beginPass()) {
        const float turn = previewTurnRate * KVCore::frameTime();
        if (Keyboard::isKeyDown(sf::Keyboard::Left))
            turnPreview(-turn);
        if (Keyboard::isKeyDown(sf::Keyboard::Right))
            turnPreview(turn);

        sf::RenderWindow* win = w.renderWindow();
        if (win)
            win->clear(backgroundColour);
        const sf::Vector2f centre = viewCentre();
        state.sprite.draw(KVCore::CurrentTargetLayer, centre.x, centre.y, state.previewRotation, state.zoom,
                          state.zoom, 255, false, previewShadowOffset * state.zoom);
        if (win)
            drawLines(*win, {previewText, "Scale " + oneDecimal(state.zoom) + "x"}, {statusMargin, statusMargin});

        if (KVCore::tickFlag() && w.hasFocus()) {
            const float wheel = Mouse::wheelDelta();
            if (Keyboard::keyHit(sf::Keyboard::Up) || wheel > 0.f)
                zoomIn();
            if (Keyboard::keyHit(sf::Keyboard::Down) || wheel < 0.f)
                zoomOut();
            if (Keyboard::keyHit(sf::Keyboard::R))
                state.previewRotation = 0.f;
            if (Keyboard::keyHit(sf::Keyboard::F5))
                Shaders::reloadShaders();
            if (Keyboard::keyHit(sf::Keyboard::V) || Keyboard::keyHit(sf::Keyboard::Escape))
                loop.finish();
        }
        if (Mouse::clicked(Mouse::Left))
            loop.finish();
        loop.endPass();
    }
    // The key that closed the preview must not reach the toolbar too.
    kv::waitOutKey(sf::Keyboard::V);
    kv::waitOutKey(sf::Keyboard::Escape);
}

// How large the packed texture is shown: magnified by whole steps while it
// fits, so its pixels stay square, and shrunk only when it does not fit.
float textureScale(sf::Vector2u textureSize, sf::Vector2f room)
{
    const float fit = std::min(room.x / static_cast<float>(textureSize.x), room.y / static_cast<float>(textureSize.y));
    return fit >= 1.f ? std::min(std::floor(fit), maxTextureMagnification) : fit;
}

std::string scaleText(float scale)
{
    if (scale == std::floor(scale))
        return std::to_string(static_cast<int>(scale)) + "x";
    std::ostringstream out;
    out << std::fixed << std::setprecision(2) << scale << "x";
    return out.str();
}

void drawTexture(sf::RenderWindow& win, const sf::Texture& texture, float top, float scale)
{
    const sf::Vector2f view = KVCore::viewSize();
    const sf::Vector2f size(static_cast<float>(texture.getSize().x), static_cast<float>(texture.getSize().y));
    const float room = std::max(1.f, view.y - top - statusMargin);
    const sf::Vector2f shown = size * scale;
    const sf::Vector2f at(std::floor((view.x - shown.x) / 2.f), std::floor(top + (room - shown.y) / 2.f));
    sf::RectangleShape back(shown);
    back.setPosition(at);
    back.setFillColor(textureBackColour);
    back.setOutlineColor(frameOutlineColour);
    back.setOutlineThickness(1.f);
    win.draw(back);
    sf::Sprite picture(texture);
    picture.setPosition(at);
    picture.setScale(scale, scale);
    win.draw(picture);
}

void viewTexture()
{
    if (frameCount() == 0) {
        say("Sprite has no frames");
        return;
    }
    KVCore::WindowBackend& w = KVCore::window();
    const sf::Vector2u size = state.sprite.textureSize();
    // Without a window nothing is drawn, so only the packing can fail.
    const sf::Texture* texture = w.renderWindow() ? state.sprite.texture() : nullptr;
    if (size.x == 0 || size.y == 0 || (w.renderWindow() && !texture)) {
        say("Invalid texture");
        return;
    }
    const std::string heading = "Sprite texture (" + std::to_string(size.x) + " by " + std::to_string(size.y) +
                                ") - X/Escape/Click = exit";
    kv::ModalLoop loop("View Texture", false);
    loop.setText(heading);
    while (loop.beginPass()) {
        if (sf::RenderWindow* win = w.renderWindow()) {
            win->clear(backgroundColour);
            const sf::Vector2f view = KVCore::viewSize();
            const float top = statusMargin * 2.f + 2.f * Text::standardLineSpacing(statusTextSize);
            const float scale = textureScale(size, {view.x - 2.f * statusMargin, view.y - top - statusMargin});
            drawLines(*win, {heading, "Shown at " + scaleText(scale)}, {statusMargin, statusMargin});
            drawTexture(*win, *texture, top, scale);
        }
        if (KVCore::tickFlag() && w.hasFocus() &&
            (Keyboard::keyHit(sf::Keyboard::X) || Keyboard::keyHit(sf::Keyboard::Escape)))
            loop.finish();
        if (Mouse::clicked(Mouse::Left))
            loop.finish();
        loop.endPass();
    }
    kv::waitOutKey(sf::Keyboard::X);
    kv::waitOutKey(sf::Keyboard::Escape);
}

} // namespace

void begin()
{
    state.sprite.reset();
    state.fileName = unsavedFileName;
    state.frameIndex = 0;
    state.zoom = startZoom;
    state.history.clear();
    state.exitRequested = false;
    state.previewRotation = 0.f;
    markSaved();
    refreshCaption();
}

void end()
{
    // A fresh sprite: the frames go, and the texture with them while the
    // window that made it is still there.
    state.sprite = Sprite();
    state.history.clear();
    state.saved = Snapshot();
    state.exitRequested = false;
}

void run(Command command)
{
    switch (command) {
    case Command::NewSprite: newSprite(); break;
    case Command::LoadSprite: loadSprite(); break;
    case Command::SaveSprite: saveSprite(); break;
    case Command::SaveSpriteAs: saveSpriteAs(); break;
    case Command::Exit: exitEditor(); break;
    case Command::Undo: undo(); break;
    case Command::Redo: redo(); break;
    case Command::PreviousFrame: stepFrame(-1); break;
    case Command::NextFrame: stepFrame(1); break;
    case Command::AddFrame: addFrame(); break;
    case Command::DeleteFrame: deleteFrame(); break;
    case Command::SetFrameDisplayTime: setFrameDisplayTime(); break;
    case Command::ImportFrameImage: importFrameImage(); break;
    case Command::ExportFrameImage: exportFrameImage(); break;
    case Command::ChangeDescription: changeDescription(); break;
    case Command::SetAllFramesDisplayTime: setAllFramesDisplayTime(); break;
    case Command::ZoomIn: zoomIn(); break;
    case Command::ZoomOut: zoomOut(); break;
    case Command::ImportTalvexSprite: importTalvexSprite(); break;
    case Command::PreviewSprite: preview(); break;
    case Command::ViewTexture: viewTexture(); break;
    case Command::ReloadShaders: Shaders::reloadShaders(); break;
    }
    refreshCaption();
}

bool exitRequested() { return state.exitRequested; }

bool loadSpriteFrom(const std::string& path)
{
    if (!state.sprite.load(path)) {
        tell(state.sprite.lastError);
        return false;
    }
    state.fileName = path;
    state.frameIndex = 0;
    state.history.clear();
    markSaved();
    refreshCaption();
    say("Loaded sprite from " + path);
    return true;
}

bool saveSpriteTo(const std::string& path)
{
    // The loader refuses some frames; a file it would refuse is not written.
    if (const std::string problem = frameSizeProblem(currentFrameSizes()); !problem.empty()) {
        tell("Cannot save sprite because it would not load again. " + problem);
        return false;
    }
    if (!state.sprite.save(path)) {
        tell(state.sprite.lastError);
        return false;
    }
    state.fileName = path;
    markSaved();
    refreshCaption();
    say("Saved sprite to " + path);
    return true;
}

bool addFrameFrom(const std::string& path)
{
    const std::optional<sf::Image> image = readFrameImage(path);
    if (!image)
        return false;
    std::vector<sf::Vector2u> sizes = currentFrameSizes();
    sizes.push_back(image->getSize());
    if (const std::string problem = frameSizeProblem(sizes); !problem.empty()) {
        tell(problem);
        return false;
    }
    recordEdit([&] {
        state.sprite.addFrame(*image, path, -1, true);
        state.frameIndex = lastFrameIndex();
    });
    Game::otherPaths().imageImportPath = folderOf(path);
    refreshCaption();
    say("Added frame from " + path);
    return true;
}

bool importFrameImageFrom(const std::string& path)
{
    if (!validFrame()) {
        say("No frame to import image to");
        return false;
    }
    const std::optional<sf::Image> image = readFrameImage(path);
    if (!image)
        return false;
    std::vector<sf::Vector2u> sizes = currentFrameSizes();
    sizes[static_cast<std::size_t>(state.frameIndex)] = image->getSize();
    if (const std::string problem = frameSizeProblem(sizes); !problem.empty()) {
        tell(problem);
        return false;
    }
    recordEdit([&] {
        currentFrame().image = *image;
        state.sprite.buildTexture();
        restartAnimation();
    });
    Game::otherPaths().imageImportPath = folderOf(path);
    refreshCaption();
    say("Imported frame image from " + path);
    return true;
}

bool exportFrameImageTo(const std::string& path)
{
    if (!validFrame()) {
        say("No frame to export image from");
        return false;
    }
    if (!saveImageFile(currentFrame().image, path)) {
        redrawForModal();
        kv::errorWriting(path);
        return false;
    }
    Game::otherPaths().imageExportPath = folderOf(path);
    say("Exported frame image to " + path);
    return true;
}

bool importTalvexSpriteFrom(const std::string& path)
{
    if (!state.sprite.importTalvexSprite(path)) {
        tell(state.sprite.lastError);
        return false;
    }
    state.fileName = path;
    state.frameIndex = 0;
    state.history.clear();
    markSaved();
    state.fileIsForeign = true;
    Game::otherPaths().importTalvexSpritePath = folderOf(path);
    refreshCaption();
    say("Imported sprite from " + path);
    return true;
}

std::string frameSizeProblem(const std::vector<sf::Vector2u>& frameSizes)
{
    const std::string side = std::to_string(Sprite::maxFrameSide);
    for (const sf::Vector2u& size : frameSizes)
        if (size.x > Sprite::maxFrameSide || size.y > Sprite::maxFrameSide)
            return "Frame image is too large: at most " + side + " by " + side + " pixels";
    if (frameSizes.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        return "A sprite holds at most " + std::to_string(std::numeric_limits<std::int16_t>::max()) + " frames";
    const SpriteLayout layout = layoutSpriteFrames(frameSizes);
    if (layout.textureWidth > Sprite::maxTextureSide || layout.textureHeight > Sprite::maxTextureSide) {
        const std::string texture = std::to_string(Sprite::maxTextureSide);
        return "Frame image does not fit: the frames of a sprite must pack into " + texture + " by " + texture +
               " pixels";
    }
    return {};
}

Sprite& sprite() { return state.sprite; }
const std::string& fileName() { return state.fileName; }
std::int16_t currentFrameIndex() { return state.frameIndex; }
float zoom() { return state.zoom; }
bool modified() { return state.modified; }
bool canUndo() { return state.history.canUndo(); }
bool canRedo() { return state.history.canRedo(); }
float previewRotation() { return state.previewRotation; }

std::string caption() { return (state.modified ? "*" : "") + state.fileName + " - Sprite Editor"; }

std::vector<std::string> statusLines()
{
    if (!validFrame())
        return {"No frames have been created - use Add Frame to add frames to this sprite."};
    const SpriteFrame& frame = currentFrame();
    const sf::Vector2u size = frame.image.getSize();
    return {
        "Frame " + std::to_string(state.frameIndex + 1) + " of " + std::to_string(frameCount()) + " (" +
            std::to_string(size.x) + " by " + std::to_string(size.y) + ") - Display time " +
            std::to_string(frame.displayTime) + "/100 sec",
        "Original source path: " + frame.sourcePath,
        "Scale " + oneDecimal(state.zoom) + "x",
    };
}

void setFrameHook(std::function<void()> hook) { state.frameHook = std::move(hook); }

} // namespace SpriteEditor

void runSpriteEditor()
{
    using namespace SpriteEditor;
    begin();
    buildToolbar();
    refreshCaption();
    KVCore::WindowBackend& w = KVCore::window();
    std::optional<Command> pending;
    while (!state.exitRequested && w.isOpen()) {
        if (state.frameHook)
            state.frameHook();
        if (pending) {
            redrawForModal();
            run(*std::exchange(pending, std::nullopt));
            continue;
        }
        KVCore::beginFrame();
        if (sf::RenderTarget* target = KVCore::currentTarget())
            drawEditor(*target);
        screen->toolbar.update();
        screen->toolbar.draw();
        if (w.hasFocus())
            pending = commandFromInput();
        KVCore::endFrame(0);
    }
    end();
    screen.reset();
}

} // namespace Editors
