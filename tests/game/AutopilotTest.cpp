// Every shipped level can be mown in time: the autopilot plays each one
// through the game's own rules (held arrow keys, 60 frames a second, the
// level's clouds) with several seeds, and must finish every time at Normal.
// Hard is played too and only reported.  The autopilot itself is checked
// first on small lawns of known shape.

#include "game/Autopilot.hpp"
#include "support/BuildPaths.hpp"

#include "game/GamePlay.hpp"
#include "game/GameResources.hpp"
#include "game/GameState.hpp"
#include "game/GrassRespawn.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "game/WorldObjects.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace {

using Game::PlayOutcome;

constexpr float frameTime = 1.f / 60.f;
constexpr int framesPerSecond = 60;
constexpr std::array<unsigned, 5> seeds = {1, 2, 3, 4, 5};

struct Play {
    PlayOutcome outcome = PlayOutcome::Playing;
    int frames = 0;
    double seconds() const { return static_cast<double>(frames) / framesPerSecond; }
    bool complete() const { return outcome == PlayOutcome::LevelComplete; }
};

// One frame: the autopilot's keys held on the window, the clock stepped.
PlayOutcome playFrame(test::FakeWindowScope& fake, test::Autopilot& pilot)
{
    fake.window.keys = pilot.keysForNextFrame();
    fake.time.advance(frameTime);
    return Game::playFrame(frameTime);
}

// The level already started, played to its outcome by the autopilot.
Play playToTheEnd(test::FakeWindowScope& fake, const test::MowingGraph& graph)
{
    test::Autopilot pilot(graph);
    Play play;
    while (play.outcome == PlayOutcome::Playing) {
        play.outcome = playFrame(fake, pilot);
        ++play.frames;
    }
    return play;
}

int uncutCount() { return Game::gameState().grassCount - Game::gameState().mownCount; }

// The mower the size of the real one: a box 12 pixels each way.
class AutopilotTest : public test::PlayTest {
protected:
    AutopilotTest() { Game::resources().mowerMoving = test::squareSprite(24, 34); }

    Play playMap(Map map)
    {
        start(std::move(map));
        const test::MowingGraph graph;
        return playToTheEnd(fake, graph);
    }
};

TEST_F(AutopilotTest, SweepsAnOpenLawnNearlyAsFastAsStraightRows)
{
    const Play play = playMap(test::playMap(test::lawnTile));
    ASSERT_TRUE(play.complete());
    // Eight runs along the lines between rows, each cutting two rows, from
    // the second column's edge to the last but one, and a drop of two rows
    // between runs: 8 x 736 + 7 x 64 pixels, plus the way from the middle to
    // a corner.
    const double rowsAcross = (8 * 736 + 7 * 64 + 368 + 224) / Game::drivingSpeed;
    EXPECT_LT(play.seconds(), 1.05 * rowsAcross);
}

TEST_F(AutopilotTest, ReachesTheEndsOfNarrowWays)
{
    // Hedges one tile apart with gaps at alternate ends, side passages that
    // end blind, and a pond to go round.
    Map map = test::playMap(test::lawnTile);
    for (int column = 2; column < Map::width; column += 2)
        for (int row = 0; row < Map::height; ++row)
            if (row != (column % 4 == 0 ? 0 : Map::height - 1))
                test::setCell(map, column, row, test::wallTile);
    for (int row = 3; row < Map::height - 1; row += 4)
        test::setCell(map, 6, row, test::lawnTile);
    for (int row = 5; row < 8; ++row)
        test::setCell(map, 0, row, test::pondTile);
    map.playerStartX = 16;
    map.playerStartY = 16;
    map.timeLimit = 300;
    const Play play = playMap(std::move(map));
    EXPECT_TRUE(play.complete()) << uncutCount() << " cells left";
}

TEST_F(AutopilotTest, GoesBackForGrassThatGrewAgain)
{
    start(test::playMap(test::lawnTile));
    const test::MowingGraph graph;
    test::Autopilot pilot(graph);
    while (uncutCount() > 100)
        ASSERT_EQ(playFrame(fake, pilot), PlayOutcome::Playing);

    // Grass grows back on the cut cell farthest from the mower, as under a
    // cloud.
    int farthest = -1;
    float distance = 0.f;
    for (int cell = 0; cell < Map::cellCount; ++cell) {
        const float dx = static_cast<float>(cell % Map::width * 32 + 16) - Game::player().x;
        const float dy = static_cast<float>(cell / Map::width * 32 + 16) - Game::player().y;
        if (test::mown(cell % Map::width, cell / Map::width) && std::hypot(dx, dy) > distance) {
            farthest = cell;
            distance = std::hypot(dx, dy);
        }
    }
    ASSERT_GE(farthest, 0);
    Game::gameState().mownFlags[static_cast<std::size_t>(farthest)] = 0;
    --Game::gameState().mownCount;
    Game::currentMap().setTile(static_cast<std::int16_t>(farthest % Map::width),
                               static_cast<std::int16_t>(farthest / Map::width), Game::regrownTile, true);

    PlayOutcome outcome = PlayOutcome::Playing;
    for (int frame = 0; frame < 90 * framesPerSecond && outcome == PlayOutcome::Playing; ++frame)
        outcome = playFrame(fake, pilot);
    EXPECT_EQ(outcome, PlayOutcome::LevelComplete);
    EXPECT_TRUE(test::mown(farthest % Map::width, farthest / Map::width));
}

TEST_F(AutopilotTest, LeavesGrassUnderACloudUntilItHasDriftedOn)
{
    Map map = test::playMap(test::lawnTile);
    map.playerStartY = 352;  // just below the cloud
    start(std::move(map));
    Game::WorldObject cloud;
    cloud.x = 400.f;
    cloud.y = 256.f;
    cloud.heading = 90.f;  // drifting right, to the edge in about nine seconds
    cloud.altitude = Game::cloudAltitude;
    cloud.speed = Game::cloudSpeed;
    cloud.sprite = &Game::resources().cloud2;
    Game::worldObjects().push_back(cloud);

    const test::MowingGraph graph;
    test::Autopilot pilot(graph);
    int cutInShade = 0;
    const int before = uncutCount();
    for (int frame = 0; frame < 8 * framesPerSecond; ++frame) {
        const auto mownBefore = Game::gameState().mownFlags;
        ASSERT_EQ(playFrame(fake, pilot), PlayOutcome::Playing);
        const Game::WorldObject& c = Game::worldObjects().front();
        const Game::CellRange shade = Game::cellsUnder(c.x + c.sprite->boxLeft, c.y + c.sprite->boxTop,
                                                       c.x + c.sprite->boxRight, c.y + c.sprite->boxBottom);
        for (int row = shade.firstRow; row <= shade.lastRow; ++row)
            for (int column = shade.firstColumn; column <= shade.lastColumn; ++column)
                if (test::mown(column, row) && mownBefore[static_cast<std::size_t>(row * Map::width + column)] == 0)
                    ++cutInShade;
    }
    EXPECT_GT(before - uncutCount(), 60) << "the rest of the lawn is mown meanwhile";
    EXPECT_EQ(cutInShade, 0);
}

// The shipped levels from the game's own data folder.
class ShippedLevelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_.emplace(test::built::runFolder());
        Game::Resources& r = Game::resources();
        ASSERT_TRUE(Game::loadGameSprite(r.mowerMoving, "sprites\\mowerMoving.spr")) << Game::resourceError();
        ASSERT_TRUE(Game::loadGameSprite(r.cloud1, "sprites\\cloud01.spr")) << Game::resourceError();
        ASSERT_TRUE(Game::loadGameSprite(r.cloud2, "sprites\\cloud02.spr")) << Game::resourceError();
        ASSERT_TRUE(Game::loadMapsList()) << Game::gameError();
    }
    static void TearDownTestSuite()
    {
        Game::Resources& r = Game::resources();
        r.mowerMoving = Sprite();
        r.cloud1 = Sprite();
        r.cloud2 = Sprite();
        Game::mapsList() = {};
        Game::worldObjects().clear();
        graphs_.clear();
        folder_.reset();
    }

    Play playLevel(std::int16_t level, std::int16_t skill, unsigned seed)
    {
        Game::gameState() = Game::GameState{};
        Game::gameState().skillLevel = skill;
        std::srand(seed);
        if (!Game::startLevel(level)) {
            ADD_FAILURE() << "level " << level + 1 << ": " << Game::gameError();
            return {};
        }
        auto& graph = graphs_[static_cast<std::size_t>(level)];
        if (!graph)
            graph = std::make_unique<test::MowingGraph>();
        return playToTheEnd(fake_, *graph);
    }

    struct Row {
        int limit = 0;
        int completed = 0;
        double worst = 0.0;
    };
    Row playAllSeeds(std::int16_t level, std::int16_t skill)
    {
        Row row;
        for (const unsigned seed : seeds) {
            const Play play = playLevel(level, skill, seed);
            if (play.complete())
                ++row.completed;
            row.worst = std::max(row.worst, play.seconds());
            if (skill == SkillNormal) {
                EXPECT_TRUE(play.complete()) << "level " << level + 1 << ", seed " << seed << ": "
                                             << Game::gameState().mownCount << " of "
                                             << Game::gameState().grassCount << " cut when time ran out";
            }
        }
        row.limit = Game::timeLimitForSkill(skill, Game::currentMap().timeLimit, 0);
        return row;
    }

    static std::string table(const std::string& skill, const std::vector<std::pair<std::string, Row>>& rows)
    {
        std::ostringstream out;
        out << std::fixed << std::setprecision(1);
        out << skill << ", worst of " << seeds.size() << " seeds:\n";
        out << "  level  title                 limit  worst   margin\n";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const Row& row = rows[i].second;
            out << "  " << std::setw(5) << i + 1 << "  " << std::left << std::setw(20) << rows[i].first << std::right
                << std::setw(6) << row.limit << "s";
            if (row.completed == static_cast<int>(seeds.size())) {
                const double margin = row.limit - row.worst;
                out << std::setw(6) << row.worst << "s" << std::setw(7) << margin << "s " << std::setw(5)
                    << 100.0 * margin / row.limit << "%";
            } else {
                out << "  out of time in " << seeds.size() - static_cast<std::size_t>(row.completed) << " of "
                    << seeds.size();
            }
            out << '\n';
        }
        return out.str();
    }

    test::FakeWindowScope fake_;
    static inline std::optional<test::ScopedWorkingDirectory> folder_;
    static inline std::vector<std::unique_ptr<test::MowingGraph>> graphs_;
};

TEST_F(ShippedLevelsTest, EveryLevelIsMownInTimeAtNormal)
{
    const auto levels = static_cast<std::int16_t>(Game::mapsList().mapPaths.size());
    ASSERT_GE(levels, 12);
    graphs_.resize(static_cast<std::size_t>(levels));
    std::vector<std::pair<std::string, Row>> normal, hard;
    for (std::int16_t level = 0; level < levels; ++level) {
        const Row row = playAllSeeds(level, SkillNormal);
        normal.emplace_back(Game::currentMap().title, row);
        hard.emplace_back(Game::currentMap().title, playAllSeeds(level, SkillHard));
    }
    std::cout << table("Normal", normal) << table("Hard", hard);
}

} // namespace

