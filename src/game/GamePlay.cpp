#include "game/GamePlay.hpp"

#include "audio/Audio.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "game/WorldObjects.hpp"
#include "storage/AssetPaths.hpp"

#include <array>
#include <charconv>
#include <cstdlib>

namespace Game {
namespace {

struct AmbientSound {
    const char* sample;
    int chance;  // 1 in this many seconds
};
constexpr std::array<AmbientSound, 5> ambientSounds = {{
    {"world\\birds", 15},
    {"world\\crickets", 80},
    {"world\\wind", 90},
    {"world\\battle", 25},
    {"world\\teleport", 25},
}};
// Ambient sounds come from anywhere within this many pixels of the centre.
constexpr int ambientSpread = 350;

constexpr std::size_t levelLineLimit = 511;

// n with at least `width` digits, zeros in front.
void appendPadded(std::string& out, int n, int width)
{
    std::array<char, 16> digits;
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), n).ptr;
    const auto length = static_cast<int>(end - digits.data());
    if (length < width)
        out.append(static_cast<std::size_t>(width - length), '0');
    out.append(digits.data(), static_cast<std::size_t>(length));
}

} // namespace

bool loadLevelMap(std::int16_t levelIndex)
{
    const MapsList& list = mapsList();
    if (levelIndex < 0 || static_cast<std::size_t>(levelIndex) >= list.mapPaths.size()) {
        gameError() = "Level " + std::to_string(levelIndex + 1) + " is not in the level list";
        return false;
    }
    Map& map = currentMap();
    if (!map.load(resolvedAssetPath(list.mapPaths[static_cast<std::size_t>(levelIndex)]))) {
        gameError() = map.lastError;
        return false;
    }
    return true;
}

void setUpLevel()
{
    GameState& game = gameState();
    const Map& map = currentMap();
    game.mownCount = 0;
    game.grassCount = 0;
    game.mownFlags.fill(0);
    for (int row = 0; row < Map::height; ++row)
        for (int column = 0; column < Map::width; ++column)
            if (cellType(column, row) == TileType::Grass)
                ++game.grassCount;

    placePlayer(static_cast<float>(map.playerStartX), static_cast<float>(map.playerStartY));
    worldObjects().clear();
    createClouds(map.cloudCount);
    game.timeLeft = timeLimitForSkill(game.skillLevel, map.timeLimit, game.timeLeft);
    restartSecondClock();
    game.mowingTimer = 0;
    game.levelComplete = false;
}

void startLevel(Map map)
{
    currentMap() = std::move(map);
    setUpLevel();
}

bool startLevel(std::int16_t levelIndex)
{
    gameState().levelIndex = levelIndex;
    if (!loadLevelMap(levelIndex))
        return false;
    setUpLevel();
    return true;
}

FrameStart frameStart()
{
    const Player& p = player();
    return {{p.x, p.y}, p.targetHeading};
}

void moveEverything(float frameTime, const FrameStart& start)
{
    steerPlayer();
    updatePlayer(frameTime);
    for (WorldObject& object : worldObjects())
        updateWorldObject(object, frameTime);
    mowUnderPlayer();
    playSkid(start.targetHeading);
}

void runCountdown()
{
    if (secondClockSeconds() < 1.0)
        return;
    --gameState().timeLeft;
    restartSecondClock();
    rollAmbientSounds();
}

void rollAmbientSounds()
{
    for (const AmbientSound& sound : ambientSounds) {
        if (std::rand() % sound.chance >= 1)
            continue;
        const int id = Audio::getSampleId(sound.sample);
        const int x = std::rand() % (2 * ambientSpread) - ambientSpread;
        const int y = std::rand() % (2 * ambientSpread) - ambientSpread;
        Audio::playSound(id, {static_cast<float>(x), static_cast<float>(y)}, false, "", -1.f);
    }
}

PlayOutcome takeOutcome()
{
    GameState& game = gameState();
    if (game.timeLeft < 1) {
        game.levelComplete = false;
        return PlayOutcome::OutOfTime;
    }
    if (game.levelComplete) {
        game.levelComplete = false;
        return PlayOutcome::LevelComplete;
    }
    return PlayOutcome::Playing;
}

void noteCompletion()
{
    GameState& game = gameState();
    if (game.timeLeft >= 1 && game.mownCount == game.grassCount)
        game.levelComplete = true;
}

PlayOutcome playFrame(float frameTime)
{
    const FrameStart start = frameStart();
    moveEverything(frameTime, start);
    runCountdown();
    playEngineNote(start.position);
    const PlayOutcome outcome = takeOutcome();
    if (outcome == PlayOutcome::Playing)
        noteCompletion();
    return outcome;
}

void writeTimeLeft(std::string& out)
{
    const int seconds = gameState().timeLeft;
    out.clear();
    if (seconds < 0) {
        out += '-';
        appendPadded(out, -seconds, 2);
    } else {
        appendPadded(out, seconds, 3);
    }
}

std::string timeLeftText()
{
    std::string text;
    writeTimeLeft(text);
    return text;
}

float percentMown()
{
    const GameState& game = gameState();
    if (game.grassCount == 0)
        return 0.f;
    return 100.f * static_cast<float>(game.mownCount) / static_cast<float>(game.grassCount);
}

void writeLevelLine(std::string& out)
{
    out.clear();
    out += "Level ";
    appendPadded(out, gameState().levelIndex + 1, 1);
    out += ": ";
    out += currentMap().title;
    out += " (";
    std::array<char, 32> percent;
    const char* end =
        std::to_chars(percent.data(), percent.data() + percent.size(), percentMown(), std::chars_format::fixed, 1).ptr;
    out.append(percent.data(), static_cast<std::size_t>(end - percent.data()));
    out += "% complete)";
    if (out.size() > levelLineLimit)
        out.resize(levelLineLimit);
}

std::string levelLine()
{
    std::string line;
    writeLevelLine(line);
    return line;
}

} // namespace Game
