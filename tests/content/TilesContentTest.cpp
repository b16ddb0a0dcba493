// The shipped garden tileset as the game loads it: every tile levels use
// with its type and name, pictures with real detail, and no seam
// wherever a level or the game's own edging puts two tiles side by side.

#include "world/Map.hpp"
#include "support/BuildPaths.hpp"
#include "world/Tileset.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

const Tileset& shipped()
{
    static const Tileset tileset = [] {
        Tileset t;
        EXPECT_TRUE(t.load(test::built::runFolder() + "/base/tiles/kelvane.til")) << t.lastError;
        return t;
    }();
    return tileset;
}

const sf::Image& picture(int tile) { return shipped().tiles[static_cast<std::size_t>(tile)].image; }

// The tiles levels are laid out with, by index.
enum class Join { None, Line, Area };

struct Family {
    int first;
    Join join;
    TileType type;
    const char* name;
};

const std::vector<Family> families = {
    {64, Join::Line, TileType::Land, "soil path"},     {80, Join::Line, TileType::Land, "gravel path"},
    {96, Join::Line, TileType::Land, "paved path"},    {112, Join::Line, TileType::Land, "stepping stones"},
    {128, Join::Area, TileType::Land, "sand"},         {192, Join::Area, TileType::Land, "driveway"},
    {256, Join::Area, TileType::Land, "patio"},        {320, Join::Line, TileType::Solid, "hedge"},
    {336, Join::Line, TileType::Solid, "picket fence"}, {352, Join::Line, TileType::Solid, "stone wall"},
    {368, Join::Line, TileType::Solid, "brick wall"},  {384, Join::Area, TileType::Solid, "flower bed"},
    {448, Join::Area, TileType::Solid, "house roof"},  {640, Join::Area, TileType::Water, "pond"},
    {704, Join::Line, TileType::Water, "stream"},
};

struct Block {
    int first;
    int width, height;
    TileType type;
};

const std::vector<Block> blocks = {
    {544, 2, 2, TileType::Solid}, {546, 3, 2, TileType::Solid}, {549, 2, 2, TileType::Solid},
    {551, 2, 2, TileType::Solid}, {553, 3, 3, TileType::Solid}, {556, 3, 2, TileType::Solid},
    {559, 2, 1, TileType::Solid}, {561, 2, 2, TileType::Solid}, {563, 2, 2, TileType::Water},
};

int familySize(Join join) { return join == Join::Line ? 16 : 47; }

// The type a tile should have, nothing for an unused index.
std::optional<TileType> expectedType(int tile)
{
    if (tile <= 9)
        return TileType::Grass;
    if (tile >= 32 && tile <= 41)
        return TileType::Land;
    if (tile >= 512 && tile <= 534)
        return TileType::Solid;
    if ((tile >= 959 && tile <= 1006) || tile == 1023)
        return TileType::Land;
    for (const Family& f : families)
        if (tile >= f.first && tile < f.first + familySize(f.join))
            return f.type;
    for (const Block& b : blocks)
        for (int row = 0; row < b.height; ++row)
            if (tile >= b.first + 32 * row && tile < b.first + 32 * row + b.width)
                return b.type;
    return std::nullopt;
}

float luminance(sf::Color c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

// Seams.  The colours along a tile's side are averaged over its outermost
// two columns (or rows), so that the grain of the grass partly cancels out,
// and the step across a border is compared with the steps between bands the
// same distance apart just inside the two tiles: a seamless border is just
// one more of those.  Two looks at a step: smoothed broadly along the side
// and averaged, for a change of brightness or colour all along it; and
// smoothed over three pixels and taken where it is largest, for an edge, stripe or
// strip that does not line up for a few pixels.
using Band = std::array<std::array<float, 3>, 32>;

Band band(const sf::Image& image, int first, bool columns)
{
    Band b{};
    for (std::size_t i = 0; i < 32; ++i)
        for (unsigned k = 0; k < 2; ++k) {
            const unsigned a = static_cast<unsigned>(first) + k, along = static_cast<unsigned>(i);
            const sf::Color c = columns ? image.getPixel(a, along) : image.getPixel(along, a);
            b[i][0] += c.r / 2.f;
            b[i][1] += c.g / 2.f;
            b[i][2] += c.b / 2.f;
        }
    return b;
}

// Colour differences along the side, each smoothed over 2 * reach + 1.
std::vector<float> differences(const Band& a, const Band& b, int reach)
{
    std::vector<float> d;
    for (int i = 0; i < 32; ++i) {
        std::array<float, 3> sum{};
        int n = 0;
        for (int j = std::max(0, i - reach); j <= std::min(31, i + reach); ++j, ++n)
            for (std::size_t ch = 0; ch < 3; ++ch)
                sum[ch] += a[static_cast<std::size_t>(j)][ch] - b[static_cast<std::size_t>(j)][ch];
        d.push_back((std::abs(sum[0]) + std::abs(sum[1]) + std::abs(sum[2])) / (3.f * static_cast<float>(n)));
    }
    return d;
}

struct Step {
    float broad = 0.f;  // smoothed over 9, averaged along the side
    float local = 0.f;  // smoothed over 3, the worst 4 of 32
};

Step step(const Band& a, const Band& b)
{
    std::vector<float> broad = differences(a, b, 4), local = differences(a, b, 1);
    std::sort(local.rbegin(), local.rend());
    Step s;
    for (float d : broad)
        s.broad += d / 32.f;
    for (std::size_t i = 0; i < 4; ++i)
        s.local += local[i] / 4.f;
    return s;
}

// What a seam check needs of one tile in one direction: the bands at its
// two sides and the typical steps just inside them.
struct Profile {
    Band start, end;
    Step insideStart, insideEnd;
};

Profile profile(const sf::Image& image, bool columns)
{
    Profile p{band(image, 0, columns), band(image, 30, columns), {}, {}};
    for (int x = 0; x < 3; ++x) {
        const Step s = step(band(image, x, columns), band(image, x + 2, columns));
        const Step e = step(band(image, 26 + x, columns), band(image, 28 + x, columns));
        p.insideStart.broad += s.broad / 3.f;
        p.insideStart.local += s.local / 3.f;
        p.insideEnd.broad += e.broad / 3.f;
        p.insideEnd.local += e.local / 3.f;
    }
    return p;
}

const Profile& cachedProfile(int tile, bool columns)
{
    static std::vector<std::optional<Profile>> cache(2 * Tileset::tileCount);
    std::optional<Profile>& p = cache[static_cast<std::size_t>(tile * 2 + (columns ? 1 : 0))];
    if (!p)
        p = profile(picture(tile), columns);
    return *p;
}

struct Verdict {
    bool joins;
    Step across, allowed;
};

// `first` left of (or above) `second`.  Allowed: half as much again as
// inside (a little more for the worst few pixels, which vary more), plus one
// level for the smoothest tiles.
Verdict judge(const Profile& first, const Profile& second)
{
    const Step across = step(first.end, second.start);
    const Step allowed{1.5f * (first.insideEnd.broad + second.insideStart.broad) / 2.f + 1.f,
                       1.8f * (first.insideEnd.local + second.insideStart.local) / 2.f + 1.f};
    return {across.broad <= allowed.broad && across.local <= allowed.local, across, allowed};
}

bool joins(const sf::Image& first, const sf::Image& second, bool sideBySide)
{
    return judge(profile(first, sideBySide), profile(second, sideBySide)).joins;
}

// A patch of the field: tile indices, row by row.
struct Field {
    int width = 0, height = 0;
    std::vector<int> tiles;
    int at(int x, int y) const { return tiles[static_cast<std::size_t>(y * width + x)]; }
};

// Every pair of neighbouring cells whose border shows a seam.
std::vector<std::string> seams(const Field& field)
{
    std::vector<std::string> found;
    auto check = [&](int a, int b, bool sideBySide) {
        const Verdict v = judge(cachedProfile(a, sideBySide), cachedProfile(b, sideBySide));
        if (!v.joins)
            found.push_back(std::to_string(a) + (sideBySide ? " | " : " / ") + std::to_string(b) + ": step " +
                            std::to_string(v.across.broad) + ", " + std::to_string(v.across.local) + " allowed " +
                            std::to_string(v.allowed.broad) + ", " + std::to_string(v.allowed.local));
    };
    for (int y = 0; y < field.height; ++y)
        for (int x = 0; x < field.width; ++x) {
            if (x + 1 < field.width)
                check(field.at(x, y), field.at(x + 1, y), true);
            if (y + 1 < field.height)
                check(field.at(x, y), field.at(x, y + 1), false);
        }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

// Which cells of a field hold the family: a fixed scatter, about
// `fillPercent` in a hundred.
std::vector<bool> scatter(int width, int height, std::uint32_t seed, unsigned fillPercent)
{
    std::mt19937 rng(seed);
    std::vector<bool> cells(static_cast<std::size_t>(width * height));
    for (std::size_t i = 0; i < cells.size(); ++i)
        cells[i] = rng() % 100 < fillPercent;
    return cells;
}

// A family laid over uncut grass, each cell's piece chosen from its
// neighbours as levels are laid out: a line joins its four side neighbours
// within the field; an area joins all eight, the corners only with both
// sides, and carries on past the field's edge.
Field familyField(const Family& family, const std::vector<bool>& cells, int width, int height)
{
    auto same = [&](int x, int y, bool beyond) {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return beyond;
        return static_cast<bool>(cells[static_cast<std::size_t>(y * width + x)]);
    };
    Field field{width, height, std::vector<int>(cells.size(), 0)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (!same(x, y, false))
                continue;
            int& tile = field.tiles[static_cast<std::size_t>(y * width + x)];
            if (family.join == Join::Line) {
                tile = family.first + (same(x, y - 1, false) ? 1 : 0) + (same(x + 1, y, false) ? 2 : 0) +
                       (same(x, y + 1, false) ? 4 : 0) + (same(x - 1, y, false) ? 8 : 0);
                continue;
            }
            const bool n = same(x, y - 1, true), w = same(x - 1, y, true), e = same(x + 1, y, true),
                       s = same(x, y + 1, true);
            const unsigned mask = (n && w && same(x - 1, y - 1, true) ? 1u : 0u) | (n ? 2u : 0u) |
                                  (n && e && same(x + 1, y - 1, true) ? 4u : 0u) | (w ? 8u : 0u) | (e ? 16u : 0u) |
                                  (s && w && same(x - 1, y + 1, true) ? 32u : 0u) | (s ? 64u : 0u) |
                                  (s && e && same(x + 1, y + 1, true) ? 128u : 0u);
            tile = family.first + Map::grassTileForMask(mask) - 960;
        }
    return field;
}

// Scattered fields until every piece of the family has been laid.
std::vector<Field> fieldsWithEveryPiece(const Family& family)
{
    std::vector<Field> fields;
    std::set<int> laid;
    for (std::uint32_t seed = 1; seed <= 40 && static_cast<int>(laid.size()) < familySize(family.join); ++seed) {
        Field field = familyField(family, scatter(12, 12, seed, 45 + seed % 4 * 10), 12, 12);
        for (int tile : field.tiles)
            if (tile != 0)
                laid.insert(tile);
        fields.push_back(std::move(field));
    }
    EXPECT_EQ(static_cast<int>(laid.size()), familySize(family.join)) << family.name;
    return fields;
}

// The picture moved by (dx, dy): rolled round (a repeating texture out of
// step) or slid with its edge pixels drawn out (a feature moved).
sf::Image moved(const sf::Image& image, int dx, int dy, bool roll)
{
    sf::Image out;
    out.create(32, 32);
    auto source = [roll](int v) { return static_cast<unsigned>(roll ? (v + 32) % 32 : std::clamp(v, 0, 31)); };
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            out.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), image.getPixel(source(x - dx), source(y - dy)));
    return out;
}

sf::Image dimmed(const sf::Image& image, float factor)
{
    sf::Image out = image;
    for (unsigned y = 0; y < 32; ++y)
        for (unsigned x = 0; x < 32; ++x) {
            const sf::Color c = image.getPixel(x, y);
            auto scaled = [&](sf::Uint8 v) { return static_cast<sf::Uint8>(static_cast<float>(v) * factor); };
            out.setPixel(x, y, sf::Color(scaled(c.r), scaled(c.g), scaled(c.b)));
        }
    return out;
}

// How far a patch of a tile is from uncut grass at the same pixels: the
// mean colour difference from tile 0 over the rectangle, in levels.
float offGrass(int tile, int left, int top, int width, int height)
{
    float sum = 0.f;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const sf::Color a = picture(tile).getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            const sf::Color b = picture(0).getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
            sum += static_cast<float>(std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)) / 3.f;
        }
    return sum / static_cast<float>(width * height);
}

// Uncut grass there, or something else: grass is within a few levels of
// tile 0 (a faint end of a shadow at most), anything on it far more.
constexpr float grassLike = 4.f;
bool grassAt(int tile, int left, int top, int width, int height)
{
    return offGrass(tile, left, top, width, height) < grassLike;
}

// The middle of each side (N, E, S, W), two pixels deep and six long, and
// each corner (NW, NE, SW, SE), two by two.
struct Patch {
    int left, top, width, height;
};
constexpr std::array<Patch, 4> sideMiddles{{{13, 0, 6, 2}, {30, 13, 2, 6}, {13, 30, 6, 2}, {0, 13, 2, 6}}};
constexpr std::array<Patch, 4> corners{{{0, 0, 2, 2}, {30, 0, 2, 2}, {0, 30, 2, 2}, {30, 30, 2, 2}}};

// The neighbour mask of each piece of an area family, in the game's order.
std::vector<unsigned> areaMasks()
{
    std::vector<unsigned> masks(47, 0);
    for (unsigned mask = 0; mask < 256; ++mask) {
        const int tile = Map::grassTileForMask(mask);
        if (tile >= 0)
            masks[static_cast<std::size_t>(tile - 960)] = mask;
    }
    return masks;
}

// Which sides (N, E, S, W) and corners (NW, NE, SW, SE) of an area piece
// lie outside the area.
std::array<bool, 4> areaSidesOpen(unsigned mask)
{
    return {(mask & 2) != 0, (mask & 16) != 0, (mask & 64) != 0, (mask & 8) != 0};
}
std::array<bool, 4> areaCornersFilled(unsigned mask)
{
    return {(mask & (1 | 2 | 8)) == (1 | 2 | 8), (mask & (2 | 4 | 16)) == (2 | 4 | 16),
            (mask & (8 | 32 | 64)) == (8 | 32 | 64), (mask & (16 | 64 | 128)) == (16 | 64 | 128)};
}

TEST(TilesContentTest, EveryTileHasItsTypeAndAName)
{
    ASSERT_TRUE(shipped().loaded);
    for (int tile = 0; tile < Tileset::tileCount; ++tile) {
        const Tile& t = shipped().tiles[static_cast<std::size_t>(tile)];
        const std::optional<TileType> type = expectedType(tile);
        if (!type) {
            EXPECT_EQ(t.description, "(none)") << tile;
            EXPECT_EQ(t.type, TileType::Land) << tile;
            bool black = true;
            for (unsigned y = 0; y < 32; ++y)
                for (unsigned x = 0; x < 32; ++x)
                    black = black && t.image.getPixel(x, y) == sf::Color::Black;
            EXPECT_TRUE(black) << "unused tile " << tile << " is not black";
            continue;
        }
        EXPECT_EQ(t.type, *type) << tile << " " << t.description;
        EXPECT_FALSE(t.description.empty() || t.description == "(none)") << tile;
    }
    EXPECT_EQ(shipped().tiles[0].description, "Uncut grass");
}

TEST(TilesContentTest, EveryUsedPictureHasDetailAndNoSeeThroughPixels)
{
    for (int tile = 0; tile < Tileset::tileCount; ++tile) {
        if (!expectedType(tile))
            continue;
        const sf::Image& image = picture(tile);
        float sum = 0.f, squares = 0.f;
        std::set<std::uint32_t> colours;
        bool opaque = true;
        for (unsigned y = 0; y < 32; ++y)
            for (unsigned x = 0; x < 32; ++x) {
                const sf::Color c = image.getPixel(x, y);
                const float l = luminance(c);
                sum += l;
                squares += l * l;
                colours.insert(c.toInteger());
                opaque = opaque && c.a == 255;
            }
        const float mean = sum / 1024.f;
        const float spread = std::sqrt(std::max(0.f, squares / 1024.f - mean * mean));
        EXPECT_GT(spread, 4.f) << "tile " << tile << " is nearly flat";
        EXPECT_GT(colours.size(), 100u) << "tile " << tile << " has few colours";
        EXPECT_TRUE(opaque) << "tile " << tile << " has magenta (see-through) pixels";
    }
}

TEST(TilesContentTest, SeamMeasureCatchesBrokenJoins)
{
    const sf::Image& grass = picture(0);
    const sf::Image& lawn = picture(1005);
    EXPECT_TRUE(joins(grass, grass, true));
    EXPECT_TRUE(joins(grass, grass, false));
    EXPECT_TRUE(joins(lawn, lawn, true));
    EXPECT_TRUE(joins(lawn, lawn, false));
    // A patch a shade darker than the grass around it.
    EXPECT_FALSE(joins(grass, dimmed(grass, 0.85f), true));
    EXPECT_FALSE(joins(dimmed(grass, 0.85f), grass, false));
    // Mowing stripes that do not line up, and lawn cut off against long grass.
    EXPECT_FALSE(joins(lawn, moved(lawn, 16, 0, true), true));
    EXPECT_FALSE(joins(lawn, grass, true));
    EXPECT_FALSE(joins(grass, lawn, false));
    // A strip of uncut grass along the north side that is a few pixels
    // narrower, or wider, than its neighbour's.
    const sf::Image& strip = picture(Map::grassTileForMask(8 | 16 | 32 | 64 | 128));
    EXPECT_TRUE(joins(strip, strip, true));
    EXPECT_FALSE(joins(strip, moved(strip, 0, -4, false), true));
    EXPECT_FALSE(joins(strip, moved(strip, 0, 5, false), true));
}

TEST(TilesContentTest, GrassVariantsSitInUncutGrassWithoutSeams)
{
    for (int tile = 0; tile <= 9; ++tile) {
        const Field around{3, 3, {0, 0, 0, 0, tile, 0, 0, 0, 0}};
        EXPECT_EQ(seams(around), std::vector<std::string>{}) << shipped().tiles[static_cast<std::size_t>(tile)].description;
    }
}

TEST(TilesContentTest, MownLawnEdgedByTheGameJoinsWithoutSeams)
{
    std::set<int> laid;
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        Map map;
        const std::vector<bool> mown = scatter(Map::width, Map::height, seed, 50 + seed % 3 * 10);
        for (int i = 0; i < Map::cellCount; ++i)
            map.cells[static_cast<std::size_t>(i)] = mown[static_cast<std::size_t>(i)] ? Map::unformattedGrassTile : 0;
        for (std::int16_t y = 0; y < Map::height; ++y)
            for (std::int16_t x = 0; x < Map::width; ++x)
                map.autoFormatGrassTile(x, y);
        Field field{Map::width, Map::height, {}};
        for (std::uint16_t tile : map.cells) {
            field.tiles.push_back(tile);
            laid.insert(tile);
        }
        EXPECT_EQ(seams(field), std::vector<std::string>{}) << "pattern " << seed;
    }
    for (int tile = 960; tile <= 1006; ++tile)
        EXPECT_TRUE(laid.count(tile)) << "lawn piece " << tile << " never laid";
}

TEST(TilesContentTest, FullyMownLawnMatchesTheEdgedLawnInside)
{
    // 959 and 1023 stand for lawn with mown neighbours all round.
    for (int tile : {959, 1023}) {
        EXPECT_EQ(seams({3, 1, {1005, tile, 1005}}), std::vector<std::string>{});
        EXPECT_EQ(seams({1, 3, {1005, tile, 1005}}), std::vector<std::string>{});
    }
}

TEST(TilesContentTest, JoinedFamiliesJoinThemselvesAndTheGrassWithoutSeams)
{
    for (const Family& family : families)
        for (const Field& field : fieldsWithEveryPiece(family))
            EXPECT_EQ(seams(field), std::vector<std::string>{}) << family.name;
}

TEST(TilesContentTest, BlocksSitInTheGrassAndTheirPiecesFit)
{
    // Inside a block the picture is one: a crown's shading may change across
    // a piece's side, but its edges and lines must run on from piece to
    // piece.  Round the block, the pieces meet uncut grass without a seam.
    for (const Block& block : blocks) {
        const int width = block.width + 2, height = block.height + 2;
        auto tileAt = [&](int x, int y) {
            const bool inside = x > 0 && y > 0 && x <= block.width && y <= block.height;
            return inside ? block.first + 32 * (y - 1) + x - 1 : 0;
        };
        auto isPiece = [&](int tile) { return tile != 0; };
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{0, 1}}) {
                    if (x + dx >= width || y + dy >= height)
                        continue;
                    const int a = tileAt(x, y), b = tileAt(x + dx, y + dy);
                    const bool sideBySide = dx == 1;
                    const Verdict v = judge(cachedProfile(a, sideBySide), cachedProfile(b, sideBySide));
                    const bool fits = isPiece(a) && isPiece(b) ? v.across.local <= v.allowed.local : v.joins;
                    EXPECT_TRUE(fits) << a << (sideBySide ? " | " : " / ") << b << ": step " << v.across.broad << ", "
                                      << v.across.local << " allowed " << v.allowed.broad << ", " << v.allowed.local;
                }
    }
}

TEST(TilesContentTest, LinePiecesReachExactlyTheSidesTheyJoin)
{
    // Bits N 1, E 2, S 4, W 8: a joined side carries the line to the tile's
    // edge; any other side is uncut grass there.
    for (const Family& family : families) {
        if (family.join != Join::Line)
            continue;
        for (unsigned mask = 0; mask < 16; ++mask) {
            const int tile = family.first + static_cast<int>(mask);
            for (std::size_t side = 0; side < 4; ++side) {
                const Patch& p = sideMiddles[side];
                const bool joined = (mask >> side) & 1u;
                EXPECT_EQ(grassAt(tile, p.left, p.top, p.width, p.height), !joined)
                    << family.name << " piece " << mask << " side " << "NESW"[side];
            }
        }
    }
}

TEST(TilesContentTest, AreaPiecesEndWhereTheGamesEdgingSaysAndNowhereElse)
{
    // Open sides run on to the tile's edge; closed sides and the corners of
    // inner notches show uncut grass; the lone piece is ringed by grass.
    const std::vector<unsigned> masks = areaMasks();
    std::vector<std::pair<std::string, int>> areas{{"mown lawn", 960}};
    for (const Family& family : families)
        if (family.join == Join::Area)
            areas.emplace_back(family.name, family.first);
    for (const auto& [name, first] : areas)
        for (std::size_t piece = 0; piece < 47; ++piece) {
            const unsigned mask = piece == 46 ? 0u : masks[piece];
            const int tile = first + static_cast<int>(piece);
            const std::array<bool, 4> open = areaSidesOpen(mask), filled = areaCornersFilled(mask);
            for (std::size_t i = 0; i < 4; ++i) {
                const Patch& side = sideMiddles[i];
                EXPECT_EQ(grassAt(tile, side.left, side.top, side.width, side.height), !open[i])
                    << name << " mask " << mask << " side " << "NESW"[i];
                const Patch& corner = corners[i];
                EXPECT_EQ(grassAt(tile, corner.left, corner.top, corner.width, corner.height), !filled[i])
                    << name << " mask " << mask << " corner " << i;
            }
        }
    for (int tile : {959, 1023})
        for (const Patch& p : corners)
            EXPECT_FALSE(grassAt(tile, p.left, p.top, p.width, p.height)) << tile;
}

TEST(TilesContentTest, ThingsStandInUncutGrassThatRunsToTheTilesEdges)
{
    // The grass variants, trees and garden objects, and the outer ring of
    // every block, show tile 0's own grass all round their edges.
    std::vector<std::pair<int, std::array<bool, 4>>> checked;  // tile, sides (N E S W) to check
    for (int tile = 1; tile <= 9; ++tile)
        checked.push_back({tile, {true, true, true, true}});
    for (int tile : {34, 35, 37, 38, 39})
        checked.push_back({tile, {true, true, true, true}});
    for (int tile = 512; tile <= 534; ++tile)
        checked.push_back({tile, {true, true, true, true}});
    for (const Block& b : blocks)
        for (int row = 0; row < b.height; ++row)
            for (int column = 0; column < b.width; ++column)
                checked.push_back({b.first + 32 * row + column,
                                   {row == 0, column == b.width - 1, row == b.height - 1, column == 0}});
    const std::array<Patch, 4> edges{{{0, 0, 32, 1}, {31, 0, 1, 32}, {0, 31, 32, 1}, {0, 0, 1, 32}}};
    for (const auto& [tile, sides] : checked)
        for (std::size_t i = 0; i < 4; ++i)
            if (sides[i]) {
                const Patch& e = edges[i];
                EXPECT_LT(offGrass(tile, e.left, e.top, e.width, e.height), 1.f)
                    << shipped().tiles[static_cast<std::size_t>(tile)].description << " side " << "NESW"[i];
            }
}

// Whether a pixel shows something standing on the lawn rather than the lawn
// itself: tile 0's grass there, darkened at most by a shadow, cannot
// explain it.  Shade on the lawn is cool: it takes red most, blue least.
bool somethingAt(int tile, unsigned x, unsigned y)
{
    const sf::Color p = picture(tile).getPixel(x, y), g = picture(0).getPixel(x, y);
    const float shade = std::clamp((1.f - static_cast<float>(p.g) / std::max(1.f, static_cast<float>(g.g))) / 0.52f, 0.f, 1.f);
    const float r = static_cast<float>(g.r) * (1.f - 0.62f * shade), gr = static_cast<float>(g.g) * (1.f - 0.52f * shade),
                b = static_cast<float>(g.b) * (1.f - 0.38f * shade);
    return std::max({std::abs(p.r - r), std::abs(p.g - gr), std::abs(p.b - b)}) > 10.f;
}

// The box round everything standing in a tile, shadows aside.
struct Extent {
    int left = 32, top = 32, right = -1, bottom = -1;
    int width() const { return std::max(0, right - left + 1); }
    int height() const { return std::max(0, bottom - top + 1); }
};

Extent standing(int tile, const Patch& within = {0, 0, 32, 32})
{
    Extent e;
    for (int y = within.top; y < within.top + within.height; ++y)
        for (int x = within.left; x < within.left + within.width; ++x)
            if (somethingAt(tile, static_cast<unsigned>(x), static_cast<unsigned>(y))) {
                e.left = std::min(e.left, x);
                e.top = std::min(e.top, y);
                e.right = std::max(e.right, x);
                e.bottom = std::max(e.bottom, y);
            }
    return e;
}

TEST(TilesContentTest, SolidThingsFillTheSquareTheMowerCannotEnter)
{
    // The mower is kept off a Solid tile's whole square, so what stands
    // there must look that big: trees and bushes spread nearly to the
    // sides, garden things fill most of it (a bench or a lamp post is long
    // rather than wide), and all leave a little grass at the corners.
    EXPECT_EQ(standing(0).width(), 0);
    for (int tile = 512; tile <= 534; ++tile) {
        const std::string& name = shipped().tiles[static_cast<std::size_t>(tile)].description;
        const Extent e = standing(tile);
        if (tile <= 518) {
            EXPECT_GE(e.width(), 25) << name;
            EXPECT_GE(e.height(), 25) << name;
        } else {
            EXPECT_GE(std::max(e.width(), e.height()), 23) << name;
            EXPECT_GE(std::min(e.width(), e.height()), 12) << name;
        }
        for (const Patch& corner : {Patch{0, 0, 3, 3}, Patch{29, 0, 3, 3}, Patch{0, 29, 3, 3}, Patch{29, 29, 3, 3}})
            EXPECT_EQ(standing(tile, corner).width(), 0) << name << " corner " << corner.left << ", " << corner.top;
    }
}

TEST(TilesContentTest, WaterLooksLikeWaterAndMownLawnLikeFreshlyMownLawn)
{
    auto mean = [](int tile, int left, int top, int size) {
        std::array<float, 3> sum{};
        for (int y = top; y < top + size; ++y)
            for (int x = left; x < left + size; ++x) {
                const sf::Color c = picture(tile).getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
                sum[0] += c.r;
                sum[1] += c.g;
                sum[2] += c.b;
            }
        for (float& v : sum)
            v /= static_cast<float>(size * size);
        return sum;
    };
    // The middle of every pond and stream piece is mostly open water: blue
    // above all, where grass and everything the mower drives on is not.
    // (A lily pad may float there.)
    auto watery = [](int tile) {
        int blue = 0;
        for (unsigned y = 10; y < 22; ++y)
            for (unsigned x = 10; x < 22; ++x) {
                const sf::Color c = picture(tile).getPixel(x, y);
                blue += c.b > c.r && c.b > c.g * 0.9f ? 1 : 0;
            }
        return blue >= 72;
    };
    for (int tile = 640; tile <= 686; ++tile)
        EXPECT_TRUE(watery(tile)) << "pond " << tile;
    for (int tile = 704; tile <= 719; ++tile)
        EXPECT_TRUE(watery(tile)) << "stream " << tile;
    const auto grass = mean(0, 0, 0, 32);
    EXPECT_LT(grass[2], grass[1] * 0.6f);
    // The mown lawn is lighter than the grass it was cut from, and striped:
    // the columns' brightness rises and falls across the tile.
    const auto lawn = mean(1005, 0, 0, 32);
    EXPECT_GT(lawn[1], grass[1] + 20.f);
    std::vector<float> columns;
    for (unsigned x = 0; x < 32; ++x) {
        float sum = 0.f;
        for (unsigned y = 0; y < 32; ++y)
            sum += luminance(picture(1005).getPixel(x, y));
        columns.push_back(sum / 32.f);
    }
    EXPECT_GT(*std::max_element(columns.begin(), columns.end()) - *std::min_element(columns.begin(), columns.end()), 8.f);
}

} // namespace
