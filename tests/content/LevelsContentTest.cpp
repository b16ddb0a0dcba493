// The shipped levels as the game loads them: listed in order in game.ini,
// drawn only with real tiles, every blade of grass within the mower's reach
// from its start, and time enough to cut it all at Normal skill.  Their
// layouts come back from the maps byte for byte.

#include "world/LevelLayout.hpp"
#include "support/BuildPaths.hpp"

#include "storage/IniFile.hpp"
#include "support/TempFolder.hpp"
#include "world/Sprite.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace {

const std::string base = test::built::runFolder() + "/base/";
constexpr double mowerSpeed = 180.0;  // pixels a second
constexpr double timeMargin = 1.5;

std::string levelName(int number)
{
    return std::string("level") + (number < 10 ? "0" : "") + std::to_string(number) + ".map";
}

TileLegend shippedLegend()
{
    TileLegend legend;
    TextError error;
    EXPECT_TRUE(legend.load(test::readFile(base + "maps/legend.txt"), error)) << error.describe("legend.txt");
    return legend;
}

// How the mower can move about one level.
//
// The mower is its sprite's square box around its centre.  For bumping
// into things the box covers the pixels from centre + boxLeft to centre +
// boxRight inclusive, one pixel wider than the game's box, so a way found
// here is never tighter in the game; for cutting it covers one pixel less
// on the right and bottom, so it never cuts more than the game's does.
// The box may not touch a Solid or Water tile nor reach x 800 or y 512.
//
// Centres are taken on a 2-pixel grid through the start and joined by
// 2-pixel steps along one axis: less than the mower moves in one frame, and
// without cutting corners diagonally.  Route lengths count these steps, so
// diagonal stretches come out longer than the mower drives them.
class MowerReach {
public:
    MowerReach(const Map& map, const Sprite& mower)
        : map_(map), left_(static_cast<int>(mower.boxLeft)), top_(static_cast<int>(mower.boxTop)),
          right_(static_cast<int>(mower.boxRight)), bottom_(static_cast<int>(mower.boxBottom)),
          x0_(map.playerStartX % step), y0_(map.playerStartY % step), columns_((Map::fieldWidth - x0_ + 1) / step),
          rows_((Map::fieldHeight - y0_ + 1) / step), start_((map.playerStartY / step) * columns_ + map.playerStartX / step)
    {
        for (int p = 0; p < columns_ * rows_; ++p)
            free_.push_back(isFree(x(p), y(p)));
        if (!startIsFree())
            return;
        // Each grass cell is aimed at from the reachable spot nearest its
        // centre that still cuts it.
        const std::vector<int> reached = stepsFrom(start_, [](int) { return false; }).first;
        std::vector<double> nearest(Map::cellCount, 1e9);
        target_.assign(Map::cellCount, -1);
        for (int p = 0; p < columns_ * rows_; ++p)
            for (const int cell : reached[static_cast<std::size_t>(p)] < 0 ? std::vector<int>() : cellsCutAt(p)) {
                const double distance = std::hypot(x(p) - centre(cell % Map::width), y(p) - centre(cell / Map::width));
                if (isGrass(cell) && distance < nearest[static_cast<std::size_t>(cell)]) {
                    nearest[static_cast<std::size_t>(cell)] = distance;
                    target_[static_cast<std::size_t>(cell)] = p;
                }
            }
    }

    bool startIsFree() const { return free_[static_cast<std::size_t>(start_)]; }
    bool canCut(int cell) const { return target_[static_cast<std::size_t>(cell)] >= 0; }
    bool grassOutOfReach(int cell) const { return isGrass(cell) && !canCut(cell); }

    // A plain way to cut it all: drive to the nearest spot some uncut cell
    // is aimed at, cut what the box covers there, and again.  Pixels driven.
    long sweepLength() const
    {
        std::vector<bool> uncut(Map::cellCount), aimedAt(free_.size());
        for (int cell = 0; cell < Map::cellCount; ++cell)
            if (canCut(cell))
                uncut[static_cast<std::size_t>(cell)] = aimedAt[static_cast<std::size_t>(target_[static_cast<std::size_t>(cell)])] = true;
        const auto cutsSome = [&](int p) {
            const std::vector<int> cells = cellsCutAt(p);
            return aimedAt[static_cast<std::size_t>(p)] &&
                   std::any_of(cells.begin(), cells.end(), [&](int c) { return uncut[static_cast<std::size_t>(c)]; });
        };
        long length = 0;
        for (int at = start_;;) {
            const auto [steps, found] = stepsFrom(at, cutsSome);
            if (found < 0)
                return length;
            length += steps[static_cast<std::size_t>(found)] * step;
            for (const int cell : cellsCutAt(at = found))
                uncut[static_cast<std::size_t>(cell)] = false;
        }
    }

private:
    static constexpr int step = 2;
    static int centre(int cell) { return cell * Tileset::tileSize + Tileset::tileSize / 2; }
    int x(int p) const { return x0_ + p % columns_ * step; }
    int y(int p) const { return y0_ + p / columns_ * step; }
    TileType typeAt(int cell) const
    {
        return map_.tileset.tiles[map_.cells[static_cast<std::size_t>(cell)] % Tileset::tileCount].type;
    }
    bool isGrass(int cell) const { return typeAt(cell) == TileType::Grass; }

    bool isFree(int cx, int cy) const
    {
        const int l = cx + left_, t = cy + top_, r = cx + right_, b = cy + bottom_;
        if (l < 0 || t < 0 || r >= Map::fieldWidth || b >= Map::fieldHeight)
            return false;
        for (int row = t / Tileset::tileSize; row <= b / Tileset::tileSize; ++row)
            for (int column = l / Tileset::tileSize; column <= r / Tileset::tileSize; ++column) {
                const TileType type = typeAt(row * Map::width + column);
                if (type == TileType::Solid || type == TileType::Water)
                    return false;
            }
        return true;
    }

    std::vector<int> cellsCutAt(int p) const
    {
        std::vector<int> cells;
        for (int row = (y(p) + top_) / Tileset::tileSize; row <= (y(p) + bottom_ - 1) / Tileset::tileSize; ++row)
            for (int column = (x(p) + left_) / Tileset::tileSize; column <= (x(p) + right_ - 1) / Tileset::tileSize;
                 ++column)
                cells.push_back(row * Map::width + column);
        return cells;
    }

    // Steps from `from` to each spot (-1 where the mower cannot go), up to
    // the first spot `stop` accepts, which comes second (-1 for none).
    template <typename Stop>
    std::pair<std::vector<int>, int> stepsFrom(int from, Stop stop) const
    {
        std::vector<int> steps(free_.size(), -1);
        std::vector<int> queue{from};
        steps[static_cast<std::size_t>(from)] = 0;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int p = queue[i];
            if (stop(p))
                return {steps, p};
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int column = p % columns_ + dx, row = p / columns_ + dy, next = row * columns_ + column;
                if (column < 0 || column >= columns_ || row < 0 || row >= rows_ ||
                    !free_[static_cast<std::size_t>(next)] || steps[static_cast<std::size_t>(next)] >= 0)
                    continue;
                steps[static_cast<std::size_t>(next)] = steps[static_cast<std::size_t>(p)] + 1;
                queue.push_back(next);
            }
        }
        return {steps, -1};
    }

    const Map& map_;
    int left_, top_, right_, bottom_;
    int x0_, y0_, columns_, rows_, start_;
    std::vector<bool> free_;
    std::vector<int> target_ = std::vector<int>(Map::cellCount, -1);
};

class LevelsContentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        IniFile ini;
        ASSERT_TRUE(ini.load(base + "game.ini")) << ini.lastError;
        ini.selectSection("info");
        const int count = ini.getInt("MapsCount", 0);
        for (int i = 0; i < count; ++i) {
            ini.selectSection("map" + std::to_string(i));
            listed_.push_back({ini.getString("map"), ini.getString("music")});
        }
        ini.selectSection("music");
        menuMusic_ = {ini.getString("MenuMusic"), ini.getString("CreditsMusic")};

        // Maps find the tileset from the game's own folder.
        test::ScopedWorkingDirectory cwd(test::built::runFolder());
        for (const auto& level : listed_) {
            auto map = std::make_unique<Map>();
            if (!map->load(base + "maps/" + level.first))
                map->title = map->lastError;
            maps_.push_back(std::move(map));
        }
    }
    static void TearDownTestSuite() { maps_.clear(); }

    static inline std::vector<std::pair<std::string, std::string>> listed_;
    static inline std::pair<std::string, std::string> menuMusic_;
    static inline std::vector<std::unique_ptr<Map>> maps_;
};

TEST_F(LevelsContentTest, GameIniListsEveryLevelInOrder)
{
    ASSERT_GE(listed_.size(), 12u);
    std::set<std::string> shipped;
    for (const auto& entry : std::filesystem::directory_iterator(base + "maps"))
        if (entry.path().extension() == ".map")
            shipped.insert(entry.path().filename().string());
    std::set<std::string> tunes;
    for (std::size_t i = 0; i < listed_.size(); ++i) {
        EXPECT_EQ(listed_[i].first, levelName(static_cast<int>(i) + 1));
        EXPECT_TRUE(shipped.erase(listed_[i].first)) << listed_[i].first;
        tunes.insert(listed_[i].second);
    }
    EXPECT_TRUE(shipped.empty()) << *shipped.begin() << " is shipped but never played";
    EXPECT_EQ(tunes, std::set<std::string>({"level1.xm", "level2.xm", "level3.xm", "level4.xm"}));
    EXPECT_EQ(menuMusic_, std::make_pair(std::string("menu.xm"), std::string("credits.ogg")));
}

TEST_F(LevelsContentTest, LevelsAreDrawnWithRealTilesAndGetHarder)
{
    ASSERT_FALSE(maps_.empty());
    int mostClouds = 0;
    for (std::size_t i = 0; i < maps_.size(); ++i) {
        const Map& map = *maps_[i];
        ASSERT_TRUE(map.loaded) << listed_[i].first << ": " << map.title;
        ASSERT_FALSE(map.tilesetPath.empty()) << map.tileset.lastError;
        EXPECT_FALSE(map.title.empty());
        EXPECT_EQ(map.author, "Kelvane team");
        for (int cell = 0; cell < Map::cellCount; ++cell) {
            const std::uint16_t tile = map.cells[static_cast<std::size_t>(cell)];
            ASSERT_LT(tile, Tileset::tileCount) << listed_[i].first << " cell " << cell;
            const std::string& description = map.tileset.tiles[tile].description;
            EXPECT_TRUE(!description.empty() && description != "(none)")
                << listed_[i].first << " cell " << cell << " holds unused tile " << tile;
        }
        mostClouds = std::max<int>(mostClouds, map.cloudCount);
    }
    // A level may be a breather (the maze is hard enough in sunshine), but
    // the game starts in sunshine and ends under its cloudiest sky.
    EXPECT_EQ(maps_.front()->cloudCount, 0) << "the first lawn is mown in sunshine";
    EXPECT_EQ(maps_.back()->cloudCount, mostClouds);
    EXPECT_GE(maps_.back()->cloudCount, 2);
}

TEST_F(LevelsContentTest, LegendAgreesWithTheTileset)
{
    ASSERT_FALSE(maps_.empty());
    const TileLegend legend = shippedLegend();
    const Tileset& tileset = maps_.front()->tileset;
    for (const LegendEntry& entry : legend.entries())
        for (int tile = entry.first; tile < Tileset::tileCount; ++tile)
            if (entry.holds(static_cast<std::uint16_t>(tile))) {
                EXPECT_EQ(tileset.tiles[static_cast<std::size_t>(tile)].type, entry.type)
                    << "'" << entry.symbol << "' " << entry.description << ": tile " << tile;
                EXPECT_NE(tileset.tiles[static_cast<std::size_t>(tile)].description, "(none)") << tile;
            }
}

TEST_F(LevelsContentTest, EveryLevelCanBeMownInTimeAtNormalSkill)
{
    Sprite mower;
    ASSERT_TRUE(mower.load(base + "sprites/mowerMoving.spr")) << mower.lastError;
    ASSERT_GT(mower.boxRight, 0.f);
    for (std::size_t i = 0; i < maps_.size(); ++i) {
        const Map& map = *maps_[i];
        const MowerReach reach(map, mower);
        ASSERT_TRUE(reach.startIsFree()) << listed_[i].first << ": the mower starts stuck";
        for (int cell = 0; cell < Map::cellCount; ++cell)
            EXPECT_FALSE(reach.grassOutOfReach(cell))
                << listed_[i].first << ": grass at " << cell % Map::width << ", " << cell / Map::width
                << " cannot be reached";
        const double sweepSeconds = static_cast<double>(reach.sweepLength()) / mowerSpeed;
        EXPECT_GE(map.timeLimit, timeMargin * sweepSeconds)
            << listed_[i].first << ": a plain sweep takes " << sweepSeconds << " s";
    }
}

TEST_F(LevelsContentTest, LayoutsWrittenFromMapsCompileToTheSameBytes)
{
    const TileLegend legend = shippedLegend();
    test::TempFolder folder;
    const auto roundTrip = [&](Map& map, const std::string& name) {
        Map again;
        TextError error;
        ASSERT_TRUE(LevelLayout::compile(LevelLayout::decompile(map, legend), legend, again, error))
            << name << ": " << error.describe("decompiled");
        ASSERT_TRUE(map.save(folder.file("before.map")) && again.save(folder.file("after.map")));
        EXPECT_TRUE(test::readFile(folder.file("before.map")) == test::readFile(folder.file("after.map"))) << name;
    };
    for (std::size_t i = 0; i < maps_.size(); ++i)
        roundTrip(*maps_[i], listed_[i].first);

    // Every tile of the sheet, in three maps, and some indices beyond it.
    for (int first = 0; first < 1200; first += Map::cellCount) {
        Map map;
        map.title = "Tiles from " + std::to_string(first);
        map.timeLimit = 60;
        for (int cell = 0; cell < Map::cellCount; ++cell)
            map.cells[static_cast<std::size_t>(cell)] =
                static_cast<std::uint16_t>(first + cell < 1100 ? first + cell : 64000 + cell * 3);
        roundTrip(map, map.title);
    }
}

} // namespace
