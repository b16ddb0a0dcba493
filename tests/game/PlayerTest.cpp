// The mower through the frames of play: keys, turning, driving, walls and
// mowing.
#include "game/GamePlay.hpp"
#include "game/GameState.hpp"
#include "game/Player.hpp"
#include "game/PlayFixture.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using sf::Keyboard;
using test::frame60;

class PlayerTest : public test::PlayTest {
protected:
    const Game::Player& mower() const { return Game::player(); }
};

TEST_F(PlayerTest, KeysPickOneOfEightHeadings)
{
    start(test::playMap());
    struct Case {
        std::initializer_list<Keyboard::Key> keys;
        float heading;
    };
    const Case cases[] = {
        {{Keyboard::Down, Keyboard::Right}, 135.f}, {{Keyboard::Up, Keyboard::Down}, 0.f},
        {{Keyboard::Up, Keyboard::A}, 315.f},       {{Keyboard::W, Keyboard::D}, 45.f},
        {{Keyboard::S, Keyboard::Left}, 225.f},     {{Keyboard::Left, Keyboard::Right}, 270.f},
        {{Keyboard::D}, 90.f},                      {{Keyboard::S}, 180.f},
    };
    for (const Case& c : cases) {
        hold(c.keys);
        Game::steerPlayer();
        EXPECT_EQ(mower().targetHeading, c.heading) << c.heading;
        EXPECT_EQ(mower().speed, Game::drivingSpeed);
    }
    // Letting go stops the mower but keeps its heading; so does losing focus.
    releaseKeys();
    Game::steerPlayer();
    EXPECT_EQ(mower().targetHeading, 180.f);
    EXPECT_EQ(mower().speed, 0.f);
    hold({Keyboard::Right});
    fake.window.focus = false;
    Game::steerPlayer();
    EXPECT_EQ(mower().targetHeading, 180.f);
    EXPECT_EQ(mower().speed, 0.f);
}

TEST_F(PlayerTest, PictureTurnsEightDegreesAFrameTheWayTheQuirksSay)
{
    start(test::playMap());
    // A half turn from 0 to 180 goes round by 270.
    hold({Keyboard::Down});
    frame();
    EXPECT_NEAR(mower().currentHeading, 352.f, 1e-3f);
    for (int i = 0; i < 10; ++i)
        frame();
    EXPECT_NEAR(mower().currentHeading, 272.f, 1e-3f);
    frames(12);
    EXPECT_EQ(mower().currentHeading, 180.f);

    // From 90 to 270 it goes round by 0.
    hold({Keyboard::Right});
    frames(12);
    ASSERT_EQ(mower().currentHeading, 90.f);
    hold({Keyboard::Left});
    frame();
    EXPECT_NEAR(mower().currentHeading, 82.f, 1e-3f);

    // The long way is limited only by the short distance: 355 towards 0
    // swings to 3, then comes back.
    Game::player().currentHeading = 355.f;
    hold({Keyboard::Up});
    frame();
    EXPECT_NEAR(mower().currentHeading, 3.f, 1e-3f);
    frame();
    EXPECT_EQ(mower().currentHeading, 0.f);

    // Standing still, nothing turns.
    Game::player().currentHeading = 10.f;
    releaseKeys();
    frame();
    EXPECT_EQ(mower().currentHeading, 10.f);
}

TEST_F(PlayerTest, DrivesAlongTheKeysHeadingFromTheFirstFrame)
{
    start(test::playMap());
    Game::player().x = 400.3f;
    hold({Keyboard::Down});
    frame();
    // Already moving down while the picture has barely begun to turn, and
    // straight down leaves x exactly as it was.
    EXPECT_EQ(mower().x, 400.3f);
    EXPECT_NEAR(mower().y, 259.f, 1e-3f);

    hold({Keyboard::Up, Keyboard::Right});
    const float x = mower().x, y = mower().y;
    frame();
    EXPECT_NEAR(mower().x - x, 3.f * std::sqrt(0.5f), 1e-4f);
    EXPECT_NEAR(y - mower().y, 3.f * std::sqrt(0.5f), 1e-4f);
}

TEST_F(PlayerTest, WallsStopStraightDrivingAndLetDiagonalsSlide)
{
    Map map = test::playMap();
    for (int row = 0; row < Map::height; ++row)
        test::setCell(map, 15, row, test::wallTile);  // x 480 to 511
    test::setCell(map, 12, 4, test::pondTile);         // x 384 to 415, y 128 to 159
    start(std::move(map));

    hold({Keyboard::Right});
    frames(60);
    // The box's right side (x + 20) never reaches the wall's first pixel.
    EXPECT_LT(mower().x + 20.f, 480.f);
    EXPECT_GE(mower().x + 20.f, 477.f);

    // Down and right: the wall holds x while y goes on at the diagonal's pace.
    const float y = mower().y;
    hold({Keyboard::Down, Keyboard::Right});
    frames(2);
    const float x = mower().x;
    frames(8);
    EXPECT_EQ(mower().x, x);
    EXPECT_LT(mower().x + 20.f, 480.f);
    EXPECT_NEAR(mower().y, y + 30.f * std::sqrt(0.5f), 1e-3f);

    // Water stops the mower too.
    Game::player().x = 400.f;
    Game::player().y = 250.f;
    hold({Keyboard::Up});
    frames(60);
    EXPECT_GE(mower().y - 20.f, 160.f);
    EXPECT_LT(mower().y - 20.f, 163.f);
}

TEST_F(PlayerTest, TheFieldEndsBeforeItsLastPixel)
{
    EXPECT_FALSE(Game::isAreaFree(Game::boxInsideField, 700.f, 10.f, 800.f, 20.f));
    EXPECT_TRUE(Game::isAreaFree(Game::boxInsideField, 700.f, 10.f, 799.9f, 20.f));
    EXPECT_FALSE(Game::isAreaFree(Game::boxInsideField, 10.f, 400.f, 20.f, 512.f));
    EXPECT_FALSE(Game::isAreaFree(Game::boxInsideField, -0.1f, 10.f, 20.f, 20.f));

    Map map = test::playMap();
    test::setCell(map, 0, 0, test::wallTile);
    start(std::move(map));
    EXPECT_FALSE(Game::isAreaFree(Game::boxBlockedByTiles, 5.f, 5.f, 10.f, 10.f));
    EXPECT_TRUE(Game::isAreaFree(Game::boxInsideField, 5.f, 5.f, 10.f, 10.f)) << "kind 2 ignores tiles";

    hold({Keyboard::Right});
    frames(200);
    EXPECT_LT(mower().x + 20.f, 800.f);
    EXPECT_GT(mower().x + 20.f, 796.f);
    hold({Keyboard::Down});
    frames(200);
    EXPECT_LT(mower().y + 20.f, 512.f);
    EXPECT_GT(mower().y + 20.f, 508.f);
}

TEST_F(PlayerTest, MowingCutsGrassUnderTheBoxOnce)
{
    Map map = test::playMap();
    // Row 8 is y 256 to 287; the box at (400, 272) covers columns 11 to 13.
    test::setCell(map, 12, 8, test::lawnTile);
    test::setCell(map, 13, 8, test::meadowTile);
    test::setCell(map, 14, 8, test::lawnTile);
    map.playerStartY = 272;
    start(std::move(map));
    const Game::GameState& game = Game::gameState();
    ASSERT_EQ(game.grassCount, 3);

    Game::mowUnderPlayer();
    EXPECT_EQ(game.mownCount, 2);
    EXPECT_TRUE(test::mown(12, 8));
    EXPECT_TRUE(test::mown(13, 8));
    EXPECT_FALSE(test::mown(14, 8));
    EXPECT_EQ(game.mowingTimer, Game::mowingNoteFrames);
    // The cut cells get the grass tiles that give the patch its edges.
    EXPECT_TRUE(Map::isGrassFamily(Game::currentMap().cell(12, 8)));
    EXPECT_TRUE(Map::isGrassFamily(Game::currentMap().cell(13, 8)));
    EXPECT_EQ(Game::currentMap().cell(14, 8), test::lawnTile);

    Game::mowUnderPlayer();
    EXPECT_EQ(game.mownCount, 2) << "a cut tile counts once";
}

} // namespace
