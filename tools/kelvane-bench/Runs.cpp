#include "Runs.hpp"

#include "AllocationCount.hpp"
#include "FrameStats.hpp"
#include "Route.hpp"

#include "editors/MapEditor.hpp"
#include "engine/EventPoller.hpp"
#include "engine/KVCore.hpp"
#include "engine/Log.hpp"
#include "engine/Screenshot.hpp"
#include "frontend/MainMenu.hpp"
#include "frontend/MenuScreen.hpp"
#include "game/GamePlay.hpp"
#include "game/GameResources.hpp"
#include "game/GameScreen.hpp"
#include "game/GameState.hpp"
#include "game/SaveGame.hpp"
#include "game/WorldObjects.hpp"
#include "gui/Dialog.hpp"
#include "platform/DrawCount.hpp"
#include "platform/ProcessStats.hpp"
#include "storage/AssetPaths.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <chrono>
#include <cstdlib>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

// The same clouds and ambient sounds on every run.
constexpr unsigned randomSeed = 1;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double median(std::vector<double> values)
{
    const std::optional<FrameSummary> s = summarise(std::move(values));
    return s ? s->medianMs : 0.0;
}

void fail(Bench& b, const std::string& what)
{
    if (b.error.empty())
        b.error = what;
}

// Whatever a screen did to the window is undone for the next one.
void endScreen(Bench& b)
{
    b.window.afterDisplay = nullptr;
    b.window.stopTiming();
    b.window.gone = false;
    b.window.keys.reset();
    b.window.buttons.reset();
}

// A screen that has not ended after this many more frames is stopped: a
// dialog nobody answers would otherwise wait for ever.
bool overrun(Bench& b, std::size_t until, const char* what)
{
    if (b.window.framesShown() <= until)
        return false;
    fail(b, std::string(what) + " did not end when it should have");
    b.window.gone = true;
    return true;
}

// Warm-up frames, then the frames timed; the window is gone for the screen
// after the last.
std::vector<double> timeFrames(Bench& b, const char* what, const std::function<void()>& runScreen)
{
    const std::size_t warm = b.window.framesShown() + b.warmUpFrames;
    const std::size_t last = warm + b.frames;
    const std::size_t held = b.window.framesHeld();
    b.window.afterDisplay = [&b, warm, last, what] {
        const std::size_t shown = b.window.framesShown();
        if (shown == warm)
            b.window.startTiming(b.frames);
        if (shown >= last)
            b.window.gone = true;
        overrun(b, last + 10, what);
    };
    runScreen();
    std::vector<double> times = b.window.frameTimesMs();
    endScreen(b);
    if (b.window.framesHeld() != held) {
        fail(b, std::string(what) + " held frames instead of drawing them");
        return {};
    }
    if (times.size() != b.frames) {
        fail(b, std::string(what) + ": " + std::to_string(times.size()) + " frames timed of " +
                    std::to_string(b.frames));
        return {};
    }
    return times;
}

Frontend::MainMenuScreens noScreens()
{
    return {
        [](const sf::Texture&) { return false; },
        [](const sf::Texture&) {},
        [](const sf::Texture&) {},
        [] {},
        [] {},
    };
}

// The level as shipped, with 20 clouds.
Map cloudyLevel(Bench& b)
{
    Map map;
    if (!map.load(resolvedAssetPath(b.level.path)))
        fail(b, "the level no longer loads: " + map.lastError);
    map.cloudCount = benchClouds;
    return map;
}

// Written where the game reads it first.
bool writeCloudyLevel(Bench& b)
{
    Map map = cloudyLevel(b);
    if (!map.loaded || !map.save(resolvedAssetPath(b.level.path))) {
        fail(b, "cannot write the level with clouds: " + map.lastError);
        return false;
    }
    return true;
}

// Percent of one core over `seconds` of a screen, after a second to settle;
// the window is gone for the screen afterwards.
struct IdleMeter {
    IdleMeter(Bench& bench, double secondsToMeasure) : b(bench), seconds(secondsToMeasure) {}

    Bench& b;
    double seconds;
    Clock::time_point begun = Clock::now();
    bool measuring = false, done = false;
    Clock::time_point from;
    std::optional<double> cpuFrom, percent;

    void afterDisplay()
    {
        if (done)
            return;
        if (!measuring && secondsSince(begun) >= 1.0) {
            measuring = true;
            from = Clock::now();
            cpuFrom = platform::processCpuSeconds();
        } else if (measuring && secondsSince(from) >= seconds) {
            const std::optional<double> cpuTo = platform::processCpuSeconds();
            if (cpuFrom && cpuTo)
                percent = cpuPercentOfOneCore(*cpuFrom, *cpuTo, secondsSince(from));
            done = true;
            b.window.gone = true;
        }
        if (secondsSince(begun) > seconds + 30.0) {
            fail(b, "an idle screen did not end");
            b.window.gone = true;
        }
    }
};

} // namespace

bool chooseLargestLevel(Level& level, std::string& error)
{
    if (!Game::loadMapsList()) {
        error = Game::gameError();
        return false;
    }
    const std::vector<std::string> paths = Game::mapsList().mapPaths;
    Game::mapsList() = {};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        Map map;
        if (!map.load(resolvedAssetPath(paths[i])))
            continue;
        int grass = 0;
        for (const std::uint16_t cell : map.cells)
            grass += cell < map.tileset.tiles.size() && map.tileset.tiles[cell].type == TileType::Grass;
        if (level.index < 0 || grass > level.grassCells) {
            level.index = static_cast<std::int16_t>(i);
            level.path = paths[i];
            level.grassCells = grass;
            level.title = map.title;
        }
    }
    if (level.index < 0)
        error = "no level of the level list loads";
    return level.index >= 0;
}

std::vector<double> runFloor(Bench& b)
{
    return timeFrames(b, "the empty frame", [&b] {
        while (b.window.isOpen()) {
            b.window.renderWindow()->clear(sf::Color::Black);
            KVCore::beginFrame();
            KVCore::endFrame(0);
        }
    });
}

std::vector<double> runMainMenu(Bench& b)
{
    // The pointer moves a pixel every frame, as under a player's hand: a
    // menu left alone would hold its picture and cost next to nothing.
    Frontend::setMenuFrameHook([&b](const Frontend::MenuList&) {
        b.window.mouse = {300 + static_cast<int>(b.window.framesShown() % 2), 300};
    });
    std::vector<double> times = timeFrames(b, "the main menu", [] { Frontend::runMainMenu(noScreens()); });
    Frontend::setMenuFrameHook(nullptr);
    return times;
}

std::vector<double> runMapEditor(Bench& b)
{
    // The editor starts on a new map with a 1 by 1 brush; at its first pass
    // it gets the level and the 3 by 3 brush, and on every pass the mouse
    // is over the cell of the tick.
    bool prepared = false;
    kv::setModalPassHook([&b, &prepared](const kv::ModalPass& pass) {
        if (pass.depth != 1)
            return;
        if (!prepared) {
            Editors::editorMap() = cloudyLevel(b);
            Editors::setBrushSize(3, 3);
            prepared = true;
        }
        const sf::Vector2i cell = brushCellAt(KVCore::tickCounter());
        const sf::Vector2f origin = Editors::mapEditorFieldOrigin();
        b.window.mouse = {static_cast<int>(origin.x) + 32 * cell.x + 16, static_cast<int>(origin.y) + 32 * cell.y + 16};
    });
    std::vector<double> times = timeFrames(b, "the map editor", [] { Editors::runMapEditor(); });
    kv::setModalPassHook(nullptr);
    return times;
}

GameRunFigures runGame(Bench& b)
{
    GameRunFigures figures;
    if (!writeCloudyLevel(b))
        return figures;
    std::srand(randomSeed);
    std::size_t frame = 0;
    const std::size_t first = b.warmUpFrames, last = b.warmUpFrames + b.gameFrames;
    bool peakReset = false;
    Game::setGameFrameHook([&] {
        b.window.keys = mowerKeysAt(frame);
        if (frame + 1 == first) {
            // A level starts with its save's message standing for ten
            // seconds; the frames timed begin with one on screen too.
            KVCore::clearScreenMessages();
            KVCore::print("Game saved to base\\savegames\\000.sav");
        } else if (frame == first) {
            b.window.startTiming(b.gameFrames);
            platform::resetDrawCount();
            peakReset = platform::resetPeakResident();
            startCountingAllocations();
        } else if (frame == last) {
            stopCountingAllocations();
            const auto frames = static_cast<double>(b.gameFrames);
            figures.drawCallsPerFrame = static_cast<double>(platform::drawCount()) / frames;
            figures.allocationsPerFrame = static_cast<double>(allocationsCounted()) / frames;
            if (const std::optional<std::uint64_t> peak = platform::peakResidentBytes(); peak && peakReset)
                figures.peakRssMiB = static_cast<double>(*peak) / (1024.0 * 1024.0);
            figures.frameTimesMs = b.window.frameTimesMs();
            // This frame is still drawn, and shown with the screenshot.
            if (!b.lastGameFrame.empty())
                KVCore::requestScreenshot(b.lastGameFrame);
        }
        ++frame;
    });
    // Closed only once the last frame is shown: a window gone in the middle
    // of a frame draws no sprites for the rest of it.
    const std::size_t until = b.window.framesShown() + last + 60;
    // Ticks fall on the same frames of the game whatever ran before it.
    KVCore::stopPoller();
    KVCore::startPoller();
    b.window.afterDisplay = [&b, &frame, last, until] {
        if (frame > last)
            b.window.gone = true;
        overrun(b, until, "the game");
    };
    if (!Game::runGame(b.level.index, SkillNormal, false, ""))
        fail(b, "the game did not start: " + Game::gameError());
    stopCountingAllocations();
    Game::setGameFrameHook(nullptr);
    endScreen(b);
    if (figures.frameTimesMs.size() != b.gameFrames) {
        fail(b, "the game: " + std::to_string(figures.frameTimesMs.size()) + " frames timed of " +
                    std::to_string(b.gameFrames));
        return {};
    }
    if (!peakReset)
        fail(b, "the peak resident size could not be reset for the game run");
    return figures;
}

std::optional<double> timeLevelLoad(Bench& b, int runs)
{
    if (!writeCloudyLevel(b) || !Game::loadMapsList())
        return std::nullopt;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point start = Clock::now();
        const bool loaded = Game::loadLevel(b.level.index);
        Game::currentMap().tileset.atlasTexture();
        times.push_back(secondsSince(start) * 1000.0);
        if (!loaded) {
            fail(b, "the level did not load: " + Game::gameError());
            return std::nullopt;
        }
    }
    Game::mapsList() = {};
    return median(times);
}

std::optional<double> timeRulesOfPlay(Bench& b, std::size_t frames)
{
    std::srand(randomSeed);
    Game::gameState().skillLevel = SkillNormal;
    Game::startLevel(cloudyLevel(b));
    constexpr float frameTime = 1.f / 60.f;
    // A level started again is loaded from its file, which is not play.
    double restarting = 0.0;
    const Clock::time_point start = Clock::now();
    for (std::size_t frame = 0; frame < frames; ++frame) {
        b.window.keys = mowerKeysAt(frame);
        b.time.now += frameTime;
        if (Game::playFrame(frameTime) != Game::PlayOutcome::Playing) {
            const Clock::time_point restart = Clock::now();
            Game::startLevel(cloudyLevel(b));
            restarting += secondsSince(restart);
        }
    }
    const double seconds = secondsSince(start) - restarting;
    b.window.keys.reset();
    if (Game::worldObjects().size() != static_cast<std::size_t>(benchClouds)) {
        fail(b, "the rules of play ran without their 20 clouds");
        return std::nullopt;
    }
    return seconds * 1e6 / static_cast<double>(frames);
}

std::optional<double> idleMainMenu(Bench& b, double seconds)
{
    IdleMeter meter{b, seconds};
    b.window.afterDisplay = [&meter] { meter.afterDisplay(); };
    Frontend::runMainMenu(noScreens());
    endScreen(b);
    return meter.percent;
}

std::optional<double> idlePausedGame(Bench& b, double seconds)
{
    if (!writeCloudyLevel(b))
        return std::nullopt;
    std::srand(randomSeed);
    IdleMeter meter{b, seconds};
    bool paused = false;
    Game::setGameFrameHook([&] {
        if (!paused) {
            b.window.pressKey(sf::Keyboard::P);
            paused = true;
            meter.begun = Clock::now();
        } else if (meter.measuring && !meter.done) {
            fail(b, "the game went on during the pause");
        }
    });
    b.window.afterDisplay = [&] {
        if (paused)
            meter.afterDisplay();
    };
    if (!Game::runGame(b.level.index, SkillNormal, false, ""))
        fail(b, "the game did not start: " + Game::gameError());
    Game::setGameFrameHook(nullptr);
    endScreen(b);
    return meter.percent;
}

} // namespace bench
