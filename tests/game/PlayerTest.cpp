// The mower through frames of play: keys, turning, walls and mowing.
#include "engine/Gamepad.hpp"
#include "game/PlayFixture.hpp"

#include <cmath>

namespace {

using sf::Keyboard;

class PlayerTest : public test::PlayTest {
protected:
    const Game::Player& mower() const { return Game::player(); }
};

TEST_F(PlayerTest, KeysPickOneOfEightHeadings)
{
    start(test::playMap());
    const std::pair<std::vector<Keyboard::Key>, float> cases[] = {
        {{Keyboard::Down, Keyboard::Right}, 135.f}, {{Keyboard::Up, Keyboard::Down}, 0.f},
        {{Keyboard::W, Keyboard::A}, 315.f},        {{Keyboard::Left, Keyboard::Right}, 270.f},
        {{Keyboard::S, Keyboard::D}, 135.f},        {{Keyboard::Down}, 180.f},
    };
    for (const auto& [keys, heading] : cases) {
        hold(keys);
        Game::steerPlayer();
        EXPECT_EQ(mower().targetHeading, heading) << heading;
        EXPECT_EQ(mower().speed, Game::drivingSpeed);
    }
    // Letting go, or losing the focus, stops the mower but keeps its heading.
    hold({});
    Game::steerPlayer();
    EXPECT_EQ(std::make_pair(mower().targetHeading, mower().speed), std::make_pair(180.f, 0.f));
    hold({Keyboard::Right});
    fake.window.focus = false;
    Game::steerPlayer();
    EXPECT_EQ(std::make_pair(mower().targetHeading, mower().speed), std::make_pair(180.f, 0.f));
}

// The stick and the d-pad steer as the arrow keys do, on any pad.
TEST_F(PlayerTest, APadPicksTheSameEightHeadingsOnlyPastItsDeadZone)
{
    start(test::playMap());
    using Axis = sf::Joystick::Axis;
    struct Case {
        unsigned pad;
        Axis x, y;
        float dx, dy;
        float heading;  // negative: standing still
    };
    const float edge = Gamepad::deadZone;
    const Case cases[] = {
        {0, Axis::X, Axis::Y, 0.f, -100.f, 0.f},     {0, Axis::X, Axis::Y, 70.f, -70.f, 45.f},
        {0, Axis::X, Axis::Y, 100.f, 0.f, 90.f},     {0, Axis::X, Axis::Y, 70.f, 70.f, 135.f},
        {0, Axis::X, Axis::Y, 0.f, 100.f, 180.f},    {0, Axis::X, Axis::Y, -70.f, 70.f, 225.f},
        {0, Axis::X, Axis::Y, -100.f, 0.f, 270.f},   {0, Axis::X, Axis::Y, -70.f, -70.f, 315.f},
        {2, Axis::PovX, Axis::PovY, 0.f, -100.f, 0.f}, {2, Axis::PovX, Axis::PovY, 100.f, -100.f, 45.f},
        {2, Axis::PovX, Axis::PovY, 100.f, 100.f, 135.f}, {2, Axis::PovX, Axis::PovY, -100.f, 0.f, 270.f},
        // A stick resting a little off centre drives nowhere; just past the
        // dead zone it does, and a diagonal short of it on one axis is straight.
        {0, Axis::X, Axis::Y, edge, -edge, -1.f},    {0, Axis::X, Axis::Y, -20.f, 25.f, -1.f},
        {0, Axis::X, Axis::Y, edge + 1.f, -edge, 90.f}, {0, Axis::X, Axis::Y, edge - 1.f, edge + 1.f, 180.f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + ", " + std::to_string(c.dy) + " on pad " + std::to_string(c.pad));
        fake.window.pads.clear();
        Game::player().targetHeading = -1.f;
        fake.window.pads[c.pad][c.x] = c.dx;
        fake.window.pads[c.pad][c.y] = c.dy;
        Game::steerPlayer();
        EXPECT_EQ(mower().targetHeading, c.heading);
        EXPECT_EQ(mower().speed, c.heading < 0.f ? 0.f : Game::drivingSpeed);
    }
    // A pad pulled out mid-turn stops the mower.
    fake.window.pads.clear();
    Game::steerPlayer();
    EXPECT_EQ(mower().speed, 0.f);
}

TEST_F(PlayerTest, ThePictureTurnsEightDegreesAFrameWhileTheMowerAlreadyGoes)
{
    start(test::playMap());
    // A half turn from 0 to 180 goes round by 270, and the mower moves down
    // from the first frame, x untouched.
    Game::player().x = 400.3f;
    hold({Keyboard::Down});
    frame();
    EXPECT_NEAR(mower().currentHeading, 352.f, 1e-3f);
    EXPECT_EQ(mower().x, 400.3f);
    EXPECT_NEAR(mower().y, 259.f, 1e-3f);
    frames(10);
    EXPECT_NEAR(mower().currentHeading, 272.f, 1e-3f);
    frames(12);
    EXPECT_EQ(mower().currentHeading, 180.f);

    // The long way round is limited only by the short distance: from 355
    // towards 0 it swings on to 3, then comes back.
    Game::player().currentHeading = 355.f;
    hold({Keyboard::Up});
    frame();
    EXPECT_NEAR(mower().currentHeading, 3.f, 1e-3f);
    frame();
    EXPECT_EQ(mower().currentHeading, 0.f);

    Game::player().currentHeading = 10.f;
    hold({});
    frame();
    EXPECT_EQ(mower().currentHeading, 10.f) << "standing still, nothing turns";
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
    EXPECT_LT(mower().x + 20.f, 480.f) << "the box never reaches the wall";
    EXPECT_GE(mower().x + 20.f, 477.f);
    const float y = mower().y;
    hold({Keyboard::Down, Keyboard::Right});
    frames(2);
    const float x = mower().x;
    frames(8);
    EXPECT_EQ(mower().x, x);
    EXPECT_NEAR(mower().y, y + 30.f * std::sqrt(0.5f), 1e-3f) << "y goes on at the diagonal's pace";

    Game::player().x = 400.f;
    hold({Keyboard::Up});
    frames(60);
    EXPECT_GE(mower().y - 20.f, 160.f) << "water stops it too";
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

    hold({Keyboard::Right, Keyboard::Down});
    frames(300);
    EXPECT_LT(mower().x + 20.f, 800.f);
    EXPECT_GT(mower().x + 20.f, 796.f);
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
    for (int pass = 0; pass < 2; ++pass) {
        Game::mowUnderPlayer();
        EXPECT_EQ(game.mownCount, 2) << "a cut tile counts once";
    }
    EXPECT_TRUE(test::mown(12, 8) && test::mown(13, 8) && !test::mown(14, 8));
    EXPECT_EQ(game.mowingTimer, Game::mowingNoteFrames);
    // Cut cells get the grass tiles that give the patch its edges.
    for (int column : {12, 13}) {
        const std::uint16_t cut = Game::currentMap().cell(column, 8);
        EXPECT_TRUE(cut >= 960 && cut <= 1006) << "column " << column << " left unedged as " << cut;
    }
    EXPECT_EQ(Game::currentMap().cell(14, 8), test::lawnTile);
}

} // namespace
