#pragma once
// A level to play without a window: a hand-made tileset whose tiles say
// what they are, a square mower and clouds of known sizes, held keys on the
// stand-in window and a clock that moves only with the frames.

#include "game/GamePlay.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "game/WorldObjects.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace test {

constexpr std::uint16_t lawnTile = 0;    // Grass; regrown grass comes back as this
constexpr std::uint16_t pathTile = 1;    // Land
constexpr std::uint16_t wallTile = 2;    // Solid
constexpr std::uint16_t pondTile = 3;    // Water
constexpr std::uint16_t meadowTile = 4;  // Grass outside the formatted grass tiles

inline Sprite squareSprite(unsigned width, unsigned height)
{
    Sprite sprite;
    sf::Image image;
    image.create(width, height, sf::Color::White);
    sprite.addFrame(image, "", 50, true);
    return sprite;
}

// All one tile, the mower starting in the middle, 90 seconds, no clouds.
inline Map playMap(std::uint16_t fill = pathTile)
{
    Map map;
    map.tileset.reset();
    auto& tiles = map.tileset.tiles;
    tiles[lawnTile].type = tiles[meadowTile].type = TileType::Grass;
    tiles[wallTile].type = TileType::Solid;
    tiles[pondTile].type = TileType::Water;
    for (int t = 959; t <= 1006; ++t)
        tiles[static_cast<std::size_t>(t)].type = TileType::Grass;
    tiles[Map::unformattedGrassTile].type = TileType::Grass;
    map.cells.fill(fill);
    map.title = "Test Lawn";
    map.timeLimit = 90;
    map.playerStartX = 400;
    map.playerStartY = 256;
    return map;
}

inline void setCell(Map& map, int column, int row, std::uint16_t tile)
{
    map.cells[static_cast<std::size_t>(row * Map::width + column)] = tile;
}

inline bool mown(int column, int row)
{
    return Game::gameState().mownFlags[static_cast<std::size_t>(row * Map::width + column)] != 0;
}

class PlayTest : public ::testing::Test {
protected:
    PlayTest()
    {
        Game::Resources& r = Game::resources();
        r.mowerMoving = squareSprite(40, 40);  // box 20 each way
        r.cloud1 = squareSprite(100, 60);      // box 30 each way
        r.cloud2 = squareSprite(64, 64);
        Game::gameState() = Game::GameState{};
        std::srand(1);
    }
    ~PlayTest() override
    {
        Game::Resources& r = Game::resources();
        r.mowerMoving = Sprite();
        r.cloud1 = Sprite();
        r.cloud2 = Sprite();
        Game::worldObjects().clear();
    }

    void start(Map map, std::int16_t skill = 1)
    {
        Game::gameState().skillLevel = skill;
        Game::startLevel(std::move(map));
    }
    void hold(const std::vector<sf::Keyboard::Key>& keys) { fake.window.keys = {keys.begin(), keys.end()}; }
    // One frame of play with the clock moved along.
    Game::PlayOutcome frame(float seconds = 1.f / 60.f)
    {
        fake.time.advance(seconds);
        return Game::playFrame(seconds);
    }
    // Plays on whatever happens; the first outcome other than Playing.
    Game::PlayOutcome frames(int count)
    {
        Game::PlayOutcome first = Game::PlayOutcome::Playing;
        for (int i = 0; i < count; ++i)
            if (const Game::PlayOutcome outcome = frame(); first == Game::PlayOutcome::Playing)
                first = outcome;
        return first;
    }

    FakeWindowScope fake;
};

} // namespace test
