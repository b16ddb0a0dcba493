#pragma once
// The runs the benchmark times, each on the real screens of the game in
// the one window: the empty frame, the main menu, the map editor, a level
// being played, the level load, the rules of play alone, and the idle
// screens at the player's settings.

#include "ScriptedWindow.hpp"
#include "world/Map.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// The level the game runs on: of the shipped list, the one with the most
// grass to mow, played with 20 clouds.
struct Level {
    std::int16_t index = -1;
    std::string path;  // as the level list names it
    std::string title;
    int grassCells = 0;
};
constexpr std::int16_t benchClouds = 20;

// False with the reason when the level list has no level that loads.
bool chooseLargestLevel(Level& level, std::string& error);

struct Bench {
    ScriptedWindow& window;
    SteppedTime& time;
    const Level& level;
    std::size_t warmUpFrames;
    std::size_t frames;      // timed frames of the floor, menu and editor runs
    std::size_t gameFrames;  // timed frames of play
    std::string error;       // the first thing that went wrong
    std::string lastGameFrame;  // a picture of the game run's last frame goes here (empty: none)
};

struct GameRunFigures {
    std::vector<double> frameTimesMs;
    std::optional<double> drawCallsPerFrame;
    std::optional<double> allocationsPerFrame;
    std::optional<double> peakRssMiB;
};

// Frame times in milliseconds; empty when the run could not be made.
std::vector<double> runFloor(Bench& bench);
std::vector<double> runMainMenu(Bench& bench);
std::vector<double> runMapEditor(Bench& bench);
GameRunFigures runGame(Bench& bench);

// Median milliseconds of `runs` loads of the level with its tileset's atlas.
std::optional<double> timeLevelLoad(Bench& bench, int runs);
// Microseconds a frame of play takes without drawing.
std::optional<double> timeRulesOfPlay(Bench& bench, std::size_t frames);

// Percent of one core the process uses over `seconds` at the player's
// settings, after a second for the screen to settle.
std::optional<double> idleMainMenu(Bench& bench, double seconds);
std::optional<double> idlePausedGame(Bench& bench, double seconds);

} // namespace bench
