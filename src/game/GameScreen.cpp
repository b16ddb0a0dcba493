#include "game/GameScreen.hpp"

#include "audio/Audio.hpp"
#include "audio/AudioPanel.hpp"
#include "engine/ContextHold.hpp"
#include "engine/StillPicture.hpp"
#include "platform/Memory.hpp"
#include "engine/Display.hpp"
#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Layers.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "engine/WindowBackend.hpp"
#include "frontend/Credits.hpp"
#include "game/DebugMenu.hpp"
#include "game/FieldView.hpp"
#include "game/GamePlay.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "game/SaveSlots.hpp"
#include "game/WorldObjects.hpp"
#include "gui/Button.hpp"
#include "gui/Component.hpp"
#include "gui/Dialog.hpp"
#include "gui/Dialogs.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <utility>

namespace Game {
namespace {

constexpr int audioPanelIcon = 144;
constexpr int audioPanelKey = sf::Keyboard::F5;
constexpr float pictureShadowOffset = 16.f;

// A text of the heads-up bar; the text lays itself out again only when its
// string reads differently.
struct BarText {
    sf::Text text;
    std::string wanted;
    sf::String converted;
};

// What the game screen draws with; made by runGame when a game starts and
// released when it returns.
struct Screen {
    std::unique_ptr<sf::RenderTexture> field;
    std::unique_ptr<sf::RenderTexture> bar;
    BarText timeLeft;
    BarText levelLine;
    sf::FloatRect fieldRect;
    // The view the field, the bar and the button were placed for.
    sf::Vector2f placedFor;
    std::unique_ptr<kv::Button> audioPanelButton;
    bool fromEditor = false;
    // A level was loaded and has not had a frame yet.
    bool levelFresh = false;
    std::function<void()> frameHook;
};
Screen screen;

void say(const std::string& text) { KVCore::print(text, KVCore::consoleTextColour); }

// The window as the next modal screen will read it: its own framebuffer
// bound, whatever the field, the bar or a layer left bound.
void activateWindow()
{
    if (sf::RenderWindow* win = KVCore::window().renderWindow())
        win->setActive(true);
}

void createBar(sf::Vector2f view)
{
    screen.bar = std::make_unique<sf::RenderTexture>();
    if (!screen.bar->create(static_cast<unsigned>(view.x), static_cast<unsigned>(headsUpBarHeight)))
        screen.bar.reset();
}

void createBarTexts()
{
    screen.timeLeft.text.setFont(Text::mediumFont());
    screen.timeLeft.text.setCharacterSize(24);
    screen.levelLine.text.setFont(Text::standardFont());
    screen.levelLine.text.setCharacterSize(18);
    for (BarText* t : {&screen.timeLeft, &screen.levelLine}) {
        t->text.setFillColor(sf::Color::White);
        // The font renders a character the first time it is shown; the
        // figures that change during play are rendered now.
        t->text.setString("-0123456789.%");
        t->text.getLocalBounds();
    }
}

// The off-screen surfaces exist only with a real window to show them in.
void createSurfaces()
{
    if (!KVCore::window().renderWindow())
        return;
    screen.field = std::make_unique<sf::RenderTexture>();
    if (!screen.field->create(Map::fieldWidth, Map::fieldHeight))
        screen.field.reset();
    else
        screen.field->setSmooth(true);
    createBar(KVCore::viewSize());
    createBarTexts();
}

void releaseScreen()
{
    screen.audioPanelButton.reset();
    screen.bar.reset();
    screen.field.reset();
}

// Again whenever the view changes size, as it does when the window goes to
// full screen and back, so the field stays in the middle and the bar's
// texts are not stretched.
void placeOnView()
{
    const sf::Vector2f view = KVCore::viewSize();
    if (view == screen.placedFor)
        return;
    if (screen.bar && screen.bar->getSize().x != static_cast<unsigned>(view.x))
        createBar(view);
    screen.placedFor = view;
    kv::Button& b = *screen.audioPanelButton;
    screen.fieldRect = fieldDestination(view, b.getHeight());
    b.setPosition({(view.x - b.getWidth()) / 2.f, screen.fieldRect.height + 4.f});
}

void createAudioPanelButton()
{
    screen.audioPanelButton = std::make_unique<kv::Button>();
    kv::Button& b = *screen.audioPanelButton;
    b.create("Audio Panel", audioPanelIcon, {0.f, 0.f}, audioPanelKey);
    b.setTextButton();
    screen.placedFor = {};
    placeOnView();
}

void drawLoadingFrame()
{
    KVCore::beginFrame();
    if (sf::RenderWindow* win = KVCore::window().renderWindow()) {
        win->clear(sf::Color::Black);
        const unsigned size = 50;
        sf::Text text("Loading map...", Text::largeFont(), size);
        text.setFillColor(sf::Color::White);
        const sf::Vector2f view = KVCore::viewSize();
        text.setPosition((view.x - text.getLocalBounds().width) / 2.f,
                         (view.y - Text::largeFont().getLineSpacing(size)) / 2.f);
        win->draw(text);
    }
    KVCore::endFrame(1);
}

// Covers the whole view, so the frame need not clear the window first: on
// a multisampled window a clear writes every sample of every pixel, and the
// field already covers most of them.
void drawField(sf::RenderWindow& win)
{
    if (!screen.field) {
        win.clear(sf::Color::Black);
        return;
    }
    clearAroundField(win, KVCore::viewSize(), screen.fieldRect);
    sf::RenderTexture& field = *screen.field;
    field.clear(sf::Color::Black);
    KVCore::setCurrentTarget(&field);
    drawFieldTiles(field, currentMap());
    drawPlayer();
    for (WorldObject& object : worldObjects())
        drawWorldObject(object, 0.f, 0.f);
    KVCore::setCurrentTarget(nullptr);
    field.display();

    sf::Sprite shown(field.getTexture());
    shown.setPosition(screen.fieldRect.left, screen.fieldRect.top);
    shown.setScale(screen.fieldRect.width / Map::fieldWidth, screen.fieldRect.height / Map::fieldHeight);
    // The field is opaque (cleared black, then drawn over): blending it would
    // read the window under it for nothing.
    win.draw(shown, sf::BlendNone);
}

// Character by character, as sf::String reads a std::string, into room
// kept from earlier frames.
void show(BarText& t)
{
    t.converted.clear();
    for (const char c : t.wanted)
        t.converted += sf::String(c);
    t.text.setString(t.converted);
}

void drawHeadsUpBar(sf::RenderWindow& win)
{
    if (!screen.bar)
        return;
    sf::RenderTexture& bar = *screen.bar;
    bar.clear(sf::Color::Black);
    writeTimeLeft(screen.timeLeft.wanted);
    show(screen.timeLeft);
    sf::Text& time = screen.timeLeft.text;
    time.setPosition(0.f, 2.f);
    bar.draw(time);
    writeLevelLine(screen.levelLine.wanted);
    show(screen.levelLine);
    sf::Text& line = screen.levelLine.text;
    const sf::FloatRect bounds = line.getLocalBounds();
    line.setPosition(static_cast<float>(bar.getSize().x) - 2.f - (bounds.left + bounds.width), 2.f);
    bar.draw(line);
    bar.display();

    const sf::Vector2f view = KVCore::viewSize();
    sf::Sprite shown(bar.getTexture());
    shown.setPosition(0.f, headsUpBarTop(view));
    shown.setScale(view.x / static_cast<float>(bar.getSize().x), 1.f);
    win.draw(shown);
}

// A screen opened over the game freezes what the window shows, but once a
// frame has been shown the window's contents are no longer reliable: the
// frame is drawn again, without the on-screen messages, which the screen
// above draws itself.
void redrawForModal()
{
    sf::RenderWindow* win = KVCore::window().renderWindow();
    if (!win)
        return;
    drawField(*win);
    drawHeadsUpBar(*win);
    // Straight onto the window: a used GUI layer is cleared by the freezing
    // itself and would leave its own framebuffer to be read instead.
    kv::setGuiTarget(win);
    if (screen.audioPanelButton)
        screen.audioPanelButton->draw();
    kv::setGuiTarget(nullptr);
    activateWindow();
}

void pause()
{
    redrawForModal();
    showPictureScreen(resources().paused);
    // The part of the second before the pause is not counted.
    restartSecondClock();
}

// P and Escape act only as the first key of the tick.  A player who turns
// to another window has the game paused for them, as P would.
void handlePressedKey()
{
    if (KVCore::takeFocusLoss()) {
        pause();
        return;
    }
    if (!KVCore::window().hasFocus() || Keyboard::pressedKeys().empty())
        return;
    const std::int32_t key = Keyboard::pressedKeys().front();
    if (key == sf::Keyboard::P) {
        pause();
    } else if (key == sf::Keyboard::Escape) {
        redrawForModal();
        gameState().quit = kv::confirm("Return to main menu?");
    }
}

bool debugChordHeld()
{
    return KVCore::window().hasFocus() && Keyboard::isKeyDown(sf::Keyboard::M) &&
           Keyboard::isKeyDown(sf::Keyboard::O) && Keyboard::isKeyDown(sf::Keyboard::W);
}

void onOutOfTime()
{
    say("Out of Time");
    showPictureScreen(resources().outOfTime);
    if (!loadLevel(gameState().levelIndex)) {
        kv::showMessage(gameError());
        gameState().quit = true;
    }
}

void onLevelComplete()
{
    GameState& game = gameState();
    say("Level complete");
    showPictureScreen(resources().levelComplete);
    if (screen.fromEditor) {
        game.quit = true;
        return;
    }
    const auto levels = static_cast<int>(mapsList().mapPaths.size());
    if (game.levelIndex < levels - 1) {
        ++game.levelIndex;
        if (!loadLevel(game.levelIndex)) {
            kv::showMessage(gameError());
            game.quit = true;
        }
        return;
    }
    Frontend::showCredits();
    say("Well done, you completed the game.");
    game.quit = true;
}

void playOneFrame()
{
    if (screen.frameHook)
        screen.frameHook();
    const FrameStart start = frameStart();
    if (debugChordHeld()) {
        redrawForModal();
        showDebugMenu();
    }
    handlePressedKey();
    placeOnView();
    moveEverything(KVCore::frameTime(), start);

    sf::RenderWindow* win = KVCore::window().renderWindow();
    KVCore::beginFrame();
    if (win)
        drawField(*win);
    runCountdown();
    playEngineNote(start.position);
    if (win)
        drawHeadsUpBar(*win);
    kv::Button& panel = *screen.audioPanelButton;
    panel.update();
    panel.draw();
    if (panel.clicked) {
        activateWindow();
        Audio::runAudioPanel();
    }
    KVCore::endFrame(0);
    // The level's atlas is on the GPU now, and play only draws it.  The
    // last level, the loading and the drawing of this first frame leave
    // megabytes freed; play goes on without them.
    if (std::exchange(screen.levelFresh, false)) {
        if (win)
            currentMap().tileset.releaseTileImages();
        platform::releaseFreedMemory();
    }

    const PlayOutcome outcome = takeOutcome();
    if (outcome != PlayOutcome::Playing)
        redrawForModal();
    switch (outcome) {
    case PlayOutcome::OutOfTime: onOutOfTime(); break;
    case PlayOutcome::LevelComplete: onLevelComplete(); break;
    // A level loaded just now has not had a frame yet, so only the level
    // that was played can be found complete.
    case PlayOutcome::Playing: noteCompletion(); break;
    }
}

void endGame()
{
    Map& map = currentMap();
    map.loaded = false;
    map.tileset.loaded = false;
    mapsList().mapPaths.clear();
    mapsList().musicNames.clear();
    releaseScreen();
}

} // namespace

bool loadLevel(std::int16_t levelIndex)
{
    drawLoadingFrame();
    gameState().levelIndex = levelIndex;
    if (!saveGame() && currentSlot())
        kv::showMessage(currentSlot()->errorText);
    if (!loadLevelMap(levelIndex))
        return false;
    const std::vector<std::string>& music = mapsList().musicNames;
    if (static_cast<std::size_t>(levelIndex) < music.size())
        Audio::playMusicByName(music[static_cast<std::size_t>(levelIndex)]);
    setUpLevel();
    // The load took far longer than a frame; the mower and the clouds must
    // not move as if it were one.
    KVCore::restartFrameClock();
    screen.levelFresh = true;
    return true;
}

bool runGame(std::int16_t levelIndex, std::int16_t skillLevel, bool fromEditor, const std::string& mapPath)
{
    GameState& game = gameState();
    game.levelIndex = levelIndex;
    game.skillLevel = skillLevel;
    game.quit = false;
    game.levelComplete = false;
    MapsList& list = mapsList();
    if (!loadMapsList() || list.mapPaths.empty()) {
        gameError() = "No entries in maps list";
        endGame();
        return false;
    }
    screen.fromEditor = fromEditor;
    createSurfaces();
    if (fromEditor)
        list.mapPaths.front() = mapPath;

    // A slot saved before the level list changed may name a level it no
    // longer has.
    if (levelIndex < 0 || static_cast<std::size_t>(levelIndex) >= list.mapPaths.size()) {
        kv::showMessage("Level " + std::to_string(levelIndex + 1) +
                        " is not in the level list, so the game starts at level 1.");
        game.levelIndex = 0;
    }
    if (!loadLevel(game.levelIndex)) {
        endGame();
        return false;
    }
    createAudioPanelButton();
    {
        const KVCore::ContextHold held;
        while (!game.quit && KVCore::window().isOpen())
            playOneFrame();
    }
    endGame();
    return true;
}

namespace {

// Space or Escape held or tapped, or a click.
bool closedByPlayer()
{
    const bool keyHeld = KVCore::window().hasFocus() &&
                         (Keyboard::isKeyDown(sf::Keyboard::Space) || Keyboard::isKeyDown(sf::Keyboard::Escape));
    // A tap shorter than a frame is never seen held, but it is pressed.
    const bool keyTapped = Keyboard::keyHit(sf::Keyboard::Space) || Keyboard::keyHit(sf::Keyboard::Escape);
    return keyHeld || keyTapped || Mouse::clicked(Mouse::Left);
}

} // namespace

void showPictureScreen(const GameTexture& picture)
{
    if (!picture.loaded || !picture.texture) {
        kv::showMessage("Press OK to continue");
        return;
    }
    KVCore::WindowBackend& w = KVCore::window();
    activateWindow();
    const kv::FrozenBackground background(false);
    const sf::Vector2f size(static_cast<float>(picture.width), static_cast<float>(picture.height));
    bool drawn = false;
    while (w.isOpen()) {
        // Only the drawn pointer moves over a still picture.
        if (drawn && KVCore::lastPictureStands()) {
            KVCore::holdFrame();
            if (closedByPlayer())
                break;
            continue;
        }
        drawn = true;
        if (sf::RenderWindow* win = w.renderWindow())
            win->clear(sf::Color::Black);
        background.beginFrame();
        if (sf::RenderWindow* win = w.renderWindow()) {
            const sf::Vector2f view = KVCore::viewSize();
            const sf::Vector2f at((view.x - size.x) / 2.f, (view.y - size.y) / 2.f);
            sf::RectangleShape shadow(size);
            shadow.setPosition(at.x + pictureShadowOffset, at.y + pictureShadowOffset);
            shadow.setFillColor(sf::Color(0, 0, 0, 128));
            win->draw(shadow);
            sf::Sprite shown(*picture.texture);
            shown.setPosition(at);
            win->draw(shown);
        }
        KVCore::endFrame(1);
        if (closedByPlayer())
            break;
    }
    // The key that closed the picture must not reach the game too, even
    // when the keyboard repeats it while it is still held.
    kv::waitOutKey(sf::Keyboard::Space);
    kv::waitOutKey(sf::Keyboard::Escape);
}

void setGameFrameHook(std::function<void()> hook) { screen.frameHook = std::move(hook); }

} // namespace Game
