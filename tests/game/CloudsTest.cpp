// Clouds: where they start, how they drift and turn, and the grass that
// grows back in their shade.
#include "game/GrassRespawn.hpp"
#include "game/PlayFixture.hpp"

#include <cmath>

namespace {

class CloudsTest : public test::PlayTest {
protected:
    static Game::WorldObject cloudAt(float x, float y)
    {
        Game::WorldObject cloud;
        cloud.x = x;
        cloud.y = y;
        cloud.altitude = Game::cloudAltitude;
        cloud.speed = Game::cloudSpeed;
        cloud.sprite = &Game::resources().cloud1;  // box 30 each way
        return cloud;
    }
    static int drawAfter(unsigned seed, int draws)
    {
        std::srand(seed);
        for (int i = 0; i < draws; ++i)
            std::rand();
        return std::rand();
    }
    static void expectInsideField(const Game::WorldObject& cloud)
    {
        EXPECT_TRUE(cloud.x >= 0.f && cloud.x < 800.f && cloud.y >= 0.f && cloud.y < 512.f)
            << cloud.x << ", " << cloud.y;
    }
};

TEST_F(CloudsTest, CloudsStartInsideTheFieldFromFourDrawsEach)
{
    Map map = test::playMap();
    map.cloudCount = 6;
    std::srand(7);
    start(std::move(map));
    const int next = std::rand();
    EXPECT_EQ(next, drawAfter(7, 24));
    // Each cloud draws its picture, x, y and one more; frame 0 keeps the
    // whole cloud one picture width (or height) off each edge.
    std::srand(7);
    for (const Game::WorldObject& cloud : Game::worldObjects()) {
        const bool first = std::rand() % 2 != 0;
        const int w = first ? 100 : 64;
        const int h = first ? 60 : 64;
        const int x = std::rand() % (800 - 2 * w) + w;
        const int y = std::rand() % (512 - 2 * h) + h;
        std::rand();
        EXPECT_EQ(cloud.sprite, first ? &Game::resources().cloud1 : &Game::resources().cloud2);
        EXPECT_EQ(cloud.x, static_cast<float>(x));
        EXPECT_EQ(cloud.y, static_cast<float>(y));
        EXPECT_EQ(cloud.heading, 0.f);
    }

    start(test::playMap());
    EXPECT_TRUE(Game::worldObjects().empty()) << "a level without clouds has none";

    // Pictures too large for the field, or none at all, still start inside it.
    Game::resources().cloud1 = test::squareSprite(400, 300);
    Game::resources().cloud2 = Sprite();
    Game::createClouds(30);
    for (const Game::WorldObject& cloud : Game::worldObjects())
        expectInsideField(cloud);
}

TEST_F(CloudsTest, CloudsDriftFortyPixelsASecondAndTurnAtTheEdges)
{
    start(test::playMap());
    Game::WorldObject cloud = cloudAt(400.f, 200.f);
    for (int i = 0; i < 60; ++i)
        Game::updateWorldObject(cloud, 1.f / 60.f);
    EXPECT_EQ(cloud.x, 400.f);
    EXPECT_NEAR(cloud.y, 160.f, 1e-2f);

    // The step over the top edge is taken back and a whole-degree heading
    // from 0 to 255 drawn; the cloud never leaves the field.
    cloud.y = 30.5f;
    Game::updateWorldObject(cloud, 1.f);
    EXPECT_EQ(cloud.y, 30.5f);
    for (int i = 0; i < 20000; ++i) {
        ASSERT_EQ(cloud.heading, std::floor(cloud.heading));
        ASSERT_LT(cloud.heading, 256.f);
        ASSERT_TRUE(cloud.x >= 30.f && cloud.x + 30.f < 800.f && cloud.y >= 30.f && cloud.y + 30.f < 512.f);
        Game::updateWorldObject(cloud, 0.1f);
    }
}

TEST_F(CloudsTest, OnlyMownGrassGrowsBackAsLawnAndCountsAgainWhenCut)
{
    Map map = test::playMap(test::meadowTile);
    map.playerStartY = 272;  // cuts columns 11 to 13 of rows 7 to 9
    start(std::move(map));
    Game::mowUnderPlayer();
    Game::GameState& game = Game::gameState();
    ASSERT_EQ(game.mownCount, 9);

    const Game::WorldObject cloud = cloudAt(400.f, 272.f);  // over the same cells
    for (int pass = 0; pass < 100000 && game.mownCount == 9; ++pass)
        Game::regrowUnder(cloud);
    ASSERT_LT(game.mownCount, 9);
    int regrown = 0;
    for (int row = 0; row < Map::height; ++row)
        for (int column = 0; column < Map::width; ++column) {
            const std::uint16_t tile = Game::currentMap().cell(column, row);
            const bool underMower = column >= 11 && column <= 13 && row >= 7 && row <= 9;
            if (underMower && !test::mown(column, row)) {
                EXPECT_EQ(tile, test::lawnTile);
                ++regrown;
            } else if (!underMower) {
                EXPECT_EQ(tile, test::meadowTile) << "never mown, never touched";
            }
        }
    EXPECT_EQ(game.mownCount, 9 - regrown);
    Game::mowUnderPlayer();
    EXPECT_EQ(game.mownCount, 9);
}

TEST_F(CloudsTest, EveryCellUnderTheCloudRollsMownOrNot)
{
    start(test::playMap());
    unsigned seed = 1;
    while (drawAfter(seed, 0) % Game::regrowChancePerFrame != 0)
        ++seed;
    // Box x 370 to 430, y 212 to 272: three columns by three rows.
    Game::WorldObject cloud = cloudAt(400.f, 242.f);
    std::srand(seed);
    Game::regrowUnder(cloud);
    int next = std::rand();
    EXPECT_EQ(next, drawAfter(seed, 10)) << "one roll for the cloud, one for each of nine cells";

    cloud = cloudAt(10.f, 10.f);  // hangs over the corner: two by two cells inside
    std::srand(seed);
    Game::regrowUnder(cloud);
    next = std::rand();
    EXPECT_EQ(next, drawAfter(seed, 5));

    cloud.noRegrow = 1;
    std::srand(seed);
    Game::regrowUnder(cloud);
    next = std::rand();
    EXPECT_EQ(next, drawAfter(seed, 0)) << "a cloud that lets nothing grow draws nothing";
}

} // namespace
