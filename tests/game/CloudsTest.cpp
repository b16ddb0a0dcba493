// Clouds: where they start, how they drift and turn, and the grass that
// grows back in their shade.
#include "game/GameState.hpp"
#include "game/GrassRespawn.hpp"
#include "game/PlayFixture.hpp"
#include "game/WorldObjects.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

class CloudsTest : public test::PlayTest {
protected:
    // A seed whose first draw makes a cloud's 1-in-120 regrowth roll succeed.
    static unsigned regrowingSeed()
    {
        for (unsigned seed = 1;; ++seed) {
            std::srand(seed);
            if (std::rand() % Game::regrowChancePerFrame == 0)
                return seed;
        }
    }
    static std::vector<int> draws(unsigned seed, int count)
    {
        std::srand(seed);
        std::vector<int> out;
        for (int i = 0; i < count; ++i)
            out.push_back(std::rand());
        return out;
    }
    Game::WorldObject cloudAt(float x, float y)
    {
        Game::WorldObject cloud;
        cloud.x = x;
        cloud.y = y;
        cloud.altitude = Game::cloudAltitude;
        cloud.speed = Game::cloudSpeed;
        cloud.sprite = &Game::resources().cloud1;  // box 30 each way
        return cloud;
    }
};

TEST_F(CloudsTest, CloudsStartFromFourDrawsEachInTheFieldDriftingUp)
{
    Map map = test::playMap();
    map.cloudCount = 6;
    const std::vector<int> r = draws(7, 25);
    std::srand(7);
    start(std::move(map));
    const auto& clouds = Game::worldObjects();
    ASSERT_EQ(clouds.size(), 6u);
    for (std::size_t i = 0; i < clouds.size(); ++i) {
        const int* d = &r[4 * i];
        // An odd draw takes the first cloud (100 by 60), an even one the second (64 by 64).
        const bool first = d[0] % 2 != 0;
        const int w = first ? 100 : 64, h = first ? 60 : 64;
        EXPECT_EQ(clouds[i].sprite, first ? &Game::resources().cloud1 : &Game::resources().cloud2);
        EXPECT_EQ(clouds[i].x, static_cast<float>(unsigned(d[1]) % unsigned(2 * (400 - w)) + unsigned(w)));
        EXPECT_EQ(clouds[i].y, static_cast<float>(unsigned(d[2]) % unsigned(2 * (256 - h)) + unsigned(h)));
        EXPECT_EQ(clouds[i].heading, 0.f);
        EXPECT_EQ(clouds[i].altitude, 32);
        EXPECT_EQ(clouds[i].speed, 40.f);
        EXPECT_EQ(clouds[i].noRegrow, 0);
    }
    EXPECT_EQ(std::rand(), r[24]) << "the fourth draw of each cloud is spent unused";
}

TEST_F(CloudsTest, ALevelWithoutCloudsHasNone)
{
    Game::worldObjects().push_back(cloudAt(100.f, 100.f));
    start(test::playMap());
    EXPECT_TRUE(Game::worldObjects().empty());
}

TEST_F(CloudsTest, CloudsTooLargeForTheFieldStartInsideIt)
{
    Game::resources().cloud1 = test::squareSprite(400, 300);
    Game::resources().cloud2 = test::squareSprite(900, 20);
    Map map = test::playMap();
    map.cloudCount = 20;
    start(std::move(map));
    for (const Game::WorldObject& cloud : Game::worldObjects()) {
        EXPECT_GE(cloud.x, 0.f);
        EXPECT_LT(cloud.x, 800.f);
        EXPECT_GE(cloud.y, 0.f);
        EXPECT_LT(cloud.y, 512.f);
    }

    // A cloud with no picture at all starts anywhere in the field.
    Game::resources().cloud1 = Sprite();
    Game::resources().cloud2 = Sprite();
    start(test::playMap());
    Game::createClouds(50);
    for (const Game::WorldObject& cloud : Game::worldObjects()) {
        EXPECT_LT(cloud.x, 800.f);
        EXPECT_LT(cloud.y, 512.f);
    }
}

TEST_F(CloudsTest, CloudsDriftFortyPixelsASecondAndTurnAtTheEdges)
{
    start(test::playMap());
    Game::WorldObject cloud = cloudAt(400.f, 200.f);
    for (int i = 0; i < 60; ++i)
        Game::updateWorldObject(cloud, test::frame60);
    EXPECT_EQ(cloud.x, 400.f);
    EXPECT_NEAR(cloud.y, 160.f, 1e-2f);

    // Up to the top edge: the step that would leave the field is taken back
    // and a whole-degree heading from 0 to 255 drawn.
    cloud.y = 30.5f;
    Game::updateWorldObject(cloud, 1.f);
    EXPECT_EQ(cloud.y, 30.5f);
    EXPECT_EQ(cloud.heading, std::floor(cloud.heading));
    EXPECT_LT(cloud.heading, 256.f);

    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::srand(seed);
        Game::WorldObject c = cloudAt(400.f, 256.f);
        for (int i = 0; i < 3000; ++i) {
            Game::updateWorldObject(c, 0.1f);
            ASSERT_GE(c.y - 30.f, 0.f);
            ASSERT_LT(c.y + 30.f, 512.f);
            ASSERT_GE(c.x - 30.f, 0.f);
            ASSERT_LT(c.x + 30.f, 800.f);
            ASSERT_LT(c.heading, 256.f);
        }
    }
}

TEST_F(CloudsTest, OnlyLowObjectsAreTurnedByWalls)
{
    Map map = test::playMap();
    for (int column = 0; column < Map::width; ++column)
        test::setCell(map, column, 4, test::wallTile);  // y 128 to 159
    start(std::move(map));
    Game::WorldObject high = cloudAt(400.f, 200.f);
    Game::WorldObject low = high;
    low.altitude = Game::tileClearance;
    for (int i = 0; i < 60; ++i) {
        Game::updateWorldObject(high, 0.05f);
        Game::updateWorldObject(low, 0.05f);
    }
    EXPECT_LT(high.y, 150.f) << "a cloud sails over the wall";
    EXPECT_GE(low.y - 30.f, 160.f) << "anything at 16 or below is turned back";
}

TEST_F(CloudsTest, OnlyMownGrassGrowsBackAsLawnAndCanBeMownAgain)
{
    Map map = test::playMap(test::meadowTile);
    map.playerStartX = 400;
    map.playerStartY = 272;  // cuts columns 11 to 13 of rows 7 to 9
    start(std::move(map));
    Game::mowUnderPlayer();
    Game::GameState& game = Game::gameState();
    ASSERT_EQ(game.mownCount, 9);

    // The cloud's box (x 370 to 430, y 242 to 302) covers the same cells.
    const Game::WorldObject cloud = cloudAt(400.f, 272.f);
    std::srand(3);
    int passes = 0;
    while (game.mownCount == 9 && passes < 100000) {
        Game::regrowUnder(cloud);
        ++passes;
    }
    ASSERT_LT(game.mownCount, 9);
    int regrown = 0;
    for (int row = 0; row < Map::height; ++row)
        for (int column = 0; column < Map::width; ++column) {
            const std::uint16_t tile = Game::currentMap().cell(column, row);
            if (column >= 11 && column <= 13 && row >= 7 && row <= 9) {
                if (!test::mown(column, row)) {
                    EXPECT_EQ(tile, test::lawnTile);
                    ++regrown;
                }
            } else {
                EXPECT_EQ(tile, test::meadowTile) << "never mown, never touched";
            }
        }
    EXPECT_EQ(game.mownCount, 9 - regrown);

    Game::mowUnderPlayer();
    EXPECT_EQ(game.mownCount, 9) << "regrown tiles count again";
}

TEST_F(CloudsTest, EveryCellUnderTheCloudRollsMownOrNot)
{
    start(test::playMap());
    const unsigned seed = regrowingSeed();
    // Box x 370 to 430, y 212 to 272: columns 11 to 13, rows 6 to 8.
    const Game::WorldObject cloud = cloudAt(400.f, 242.f);
    const std::vector<int> r = draws(seed, 11);
    std::srand(seed);
    Game::regrowUnder(cloud);
    EXPECT_EQ(std::rand(), r[10]) << "one roll for the cloud and one for each of nine cells";

    // A cloud that lets nothing grow draws nothing; a box hanging over the
    // field's corner rolls only for the cells inside.
    Game::WorldObject still = cloud;
    still.noRegrow = 1;
    std::srand(seed);
    Game::regrowUnder(still);
    EXPECT_EQ(std::rand(), r[0]);

    const Game::WorldObject corner = cloudAt(10.f, 10.f);  // columns 0 to 1, rows 0 to 1
    std::srand(seed);
    Game::regrowUnder(corner);
    EXPECT_EQ(std::rand(), r[5]);
}

} // namespace
