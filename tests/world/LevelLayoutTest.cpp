// Level layouts and their legend: what the characters compile to, how
// family pieces join (at the field's edge too), blocks, every refusal with
// its line and column, and layouts written back from maps.

#include "world/LevelLayout.hpp"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace {

const char* const testLegend = "# garden things\n"
                               ".  tile  0        grass  Uncut grass\n"
                               ",  tile  1        grass  Daisies\n"
                               "\n"
                               "t  tile  512      solid  Oak tree\n"
                               "H  line  320      solid  Hedge\n"
                               "-  line  80       land   Gravel path\n"
                               "~  area  640      water  Pond\n"
                               "P  area  256      land   Patio\n"
                               "S  block 549 2x2  solid  Garden shed\n"
                               "A  block 559 2x1  solid  Picnic table\n";

TileLegend legendFrom(const std::string& text)
{
    TileLegend legend;
    TextError error;
    EXPECT_TRUE(legend.load(text, error)) << error.describe("legend");
    return legend;
}

// A layout of uncut grass with lines 1-5 the header, line 6 "map:" and the
// rows on lines 7-22.
struct Layout {
    std::string header = "title: Test Lawn\nauthor: Kelvane team\ntime: 60\nclouds: 1\nstart: 400 256\n";
    std::vector<std::string> rows = std::vector<std::string>(16, std::string(25, '.'));
    std::string tail;

    // Writes cells from cell x on; "[517]" is one cell.
    Layout& put(int x, int y, const std::string& cells)
    {
        std::string& row = rows[static_cast<std::size_t>(y)];
        const auto offsetOf = [](const std::string& text, int cell) {
            std::size_t at = 0;
            for (; cell > 0 && at < text.size(); --cell)
                at = text[at] == '[' ? text.find(']', at) + 1 : at + 1;
            return at;
        };
        int cellCount = 0;
        for (std::size_t at = 0; at < cells.size(); ++cellCount)
            at = cells[at] == '[' ? cells.find(']', at) + 1 : at + 1;
        const std::size_t from = offsetOf(row, x);
        row.replace(from, offsetOf(row, x + cellCount) - from, cells);
        return *this;
    }
    std::string text() const
    {
        std::string out = header + "map:\n";
        for (const std::string& row : rows)
            out += row + "\n";
        return out + tail;
    }
};

class LevelLayoutTest : public ::testing::Test {
protected:
    // The compiled map; fails the test with the error when refused.
    Map compiled(const std::string& text)
    {
        Map map;
        TextError error;
        EXPECT_TRUE(LevelLayout::compile(text, legend, map, error)) << error.describe("layout");
        return map;
    }
    TextError refusal(const std::string& text)
    {
        Map map;
        map.title = "untouched";
        map.cells.fill(7);
        TextError error;
        EXPECT_FALSE(LevelLayout::compile(text, legend, map, error)) << text;
        EXPECT_EQ(map.title, "untouched");
        EXPECT_EQ(map.cells[200], 7);
        return error;
    }
    static void expectSameMap(const Map& a, const Map& b, const std::string& context)
    {
        EXPECT_EQ(std::tie(a.title, a.author, a.timeLimit, a.cloudCount, a.playerStartX, a.playerStartY),
                  std::tie(b.title, b.author, b.timeLimit, b.cloudCount, b.playerStartX, b.playerStartY))
            << context;
        EXPECT_TRUE(a.cells == b.cells) << context;
    }

    TileLegend legend = legendFrom(testLegend);
};

TEST_F(LevelLayoutTest, LegendTextDefinesEveryKind)
{
    ASSERT_EQ(legend.entries().size(), 9u);
    const LegendEntry* shed = legend.find('S');
    ASSERT_NE(shed, nullptr);
    EXPECT_EQ(std::tie(shed->kind, shed->first, shed->width, shed->height, shed->type, shed->description),
              std::make_tuple(LegendKind::Block, 549, 2, 2, TileType::Solid, std::string("Garden shed")));
    EXPECT_EQ(legend.find('~')->kind, LegendKind::Area);
    EXPECT_EQ(legend.find('-')->type, TileType::Land);
    EXPECT_EQ(legend.find('Q'), nullptr);

    // Which symbol writes which tile: a family's 16 or 47 pieces, a block's
    // rectangle of the tile sheet, a single tile exactly.
    EXPECT_EQ(legend.familyHolding(335)->symbol, 'H');
    EXPECT_EQ(legend.familyHolding(336), nullptr);
    EXPECT_EQ(legend.familyHolding(686)->symbol, '~');
    EXPECT_EQ(legend.familyHolding(687), nullptr);
    EXPECT_EQ(legend.blockHolding(582)->symbol, 'S');
    EXPECT_EQ(legend.blockHolding(551), nullptr);
    EXPECT_EQ(legend.blockHolding(581 + 32), nullptr);
    EXPECT_EQ(legend.singleTile(512)->symbol, 't');
    EXPECT_EQ(legend.singleTile(513), nullptr);

    // Windows line ends, blank lines and indented comments are fine.
    const TileLegend crlf = legendFrom("  # c\r\n\r\nx tile 9 grass  Wild flowers  \r\n");
    ASSERT_EQ(crlf.entries().size(), 1u);
    EXPECT_EQ(crlf.find('x')->description, "Wild flowers");

    // The narrowest blocks: one tile wide or one tile high, two pieces.
    const TileLegend narrow = legendFrom("L block 544 1x2 solid Lamp post\nB block 548 2x1 solid Bench\n");
    ASSERT_EQ(narrow.entries().size(), 2u);
    EXPECT_EQ(std::tie(narrow.find('L')->width, narrow.find('L')->height), std::make_tuple(1, 2));
    EXPECT_EQ(std::tie(narrow.find('B')->width, narrow.find('B')->height), std::make_tuple(2, 1));
}

TEST_F(LevelLayoutTest, LegendRefusalsNameLineAndColumn)
{
    const struct {
        const char* text;
        int line, column;
        const char* message;
    } cases[] = {
        {"H line 320 solid Hedge\nH tile 1 grass Daisies", 2, 1, "'H' is already defined on line 1"},
        {"# c\n\n  Q hedge 1 solid x", 3, 5, "unknown kind 'hedge' (tile, line, area or block)"},
        {"[ tile 1 grass x", 1, 1, "'[' cannot stand for a tile"},
        {"ab tile 1 grass", 1, 2, "expected a space after the symbol"},
        {"Q tile", 1, 7, "missing tile index"},
        {"Q tile 65536 grass", 1, 8, "bad tile index '65536' (0 to 65535)"},
        {"Q tile -1 grass", 1, 8, "bad tile index '-1'"},
        {"Q line 65530 solid x", 1, 8, "the tiles run past 65535"},
        {"Q area 65490 solid x", 1, 8, "the tiles run past 65535"},
        {"Q block 30 3x1 solid x", 1, 9, "the block's pieces run past the end of its tile row"},
        {"Q block 544 1x1 solid x", 1, 13, "bad block size '1x1'"},
        {"Q block 544 2x solid x", 1, 13, "bad block size '2x'"},
        {"Q block 544 9x1 solid x", 1, 13, "bad block size '9x1'"},
        {"Q tile 5 lawn x", 1, 10, "unknown type 'lawn' (land, grass, solid or water)"},
        {"Q tile 5", 1, 9, "missing type"},
    };
    for (const auto& c : cases) {
        TileLegend loaded = legend;
        TextError error;
        EXPECT_FALSE(loaded.load(c.text, error)) << c.text;
        EXPECT_EQ(std::tie(error.line, error.column), std::tie(c.line, c.column)) << c.text;
        EXPECT_EQ(error.message.rfind(c.message, 0), 0u) << c.text << " -> " << error.message;
        EXPECT_EQ(loaded.entries().size(), legend.entries().size()) << "a refused text changes nothing";
    }
    EXPECT_EQ(TextError({3, 7, "unknown kind"}).describe("maps\\legend.txt"), "maps\\legend.txt:3:7: unknown kind");
}

TEST_F(LevelLayoutTest, HeaderTilesAndNumbersCompile)
{
    Layout layout;
    layout.header = "# The lawn behind the shop\n"
                    "title:   Back of the Shop  \n"
                    "author: \"  Kelvane \\\"team\\\"\\t\\x41\\x09\\x6a\\x6F\"\n"
                    "time: 75\n"
                    "clouds: 0\n"
                    "\n"
                    "start: 0 511\n";
    layout.put(0, 0, ",t[517][0][65535]").put(24, 15, "[1024]");
    layout.tail = "\n# done\n\n";
    const Map map = compiled(layout.text());
    EXPECT_EQ(std::tie(map.title, map.author), std::make_tuple("Back of the Shop", "  Kelvane \"team\"\tA\tjo"));
    EXPECT_EQ(std::tie(map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY),
              std::make_tuple(75, 0, 0, 511));
    EXPECT_EQ(std::vector<int>(map.cells.begin(), map.cells.begin() + 6), std::vector<int>({1, 512, 517, 0, 65535, 0}));
    EXPECT_EQ(map.cell(24, 15), 1024);
    EXPECT_EQ(map.cell(12, 7), 0);

    // Windows line ends and trailing blanks on rows are fine too.
    std::string crlf = layout.text();
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 3))
        crlf.insert(at, " \r");
    expectSameMap(compiled(crlf), map, "CRLF");
}

TEST_F(LevelLayoutTest, LinePiecesJoinTheirSideNeighboursButNotTheEdge)
{
    Layout layout;
    layout.put(5, 5, "H").put(8, 5, "HHH").put(0, 0, "HH").put(24, 10, "H").put(24, 11, "H");
    // A crossing of hedge with a gravel path beside it: different families
    // never join.
    layout.put(15, 2, "H").put(14, 3, "HHH-").put(15, 4, "H");
    const Map map = compiled(layout.text());
    EXPECT_EQ(map.cell(5, 5), 320) << "alone";
    EXPECT_EQ(std::make_tuple(map.cell(8, 5), map.cell(9, 5), map.cell(10, 5)), std::make_tuple(322, 330, 328));
    EXPECT_EQ(std::make_tuple(map.cell(0, 0), map.cell(1, 0)), std::make_tuple(322, 328)) << "the edge is no hedge";
    EXPECT_EQ(std::make_tuple(map.cell(24, 10), map.cell(24, 11)), std::make_tuple(324, 321));
    EXPECT_EQ(map.cell(15, 3), 335) << "crossing";
    EXPECT_EQ(std::make_tuple(map.cell(15, 2), map.cell(14, 3), map.cell(16, 3), map.cell(15, 4)),
              std::make_tuple(324, 322, 328, 321));
    EXPECT_EQ(map.cell(17, 3), 80) << "a lone bit of path";
}

TEST_F(LevelLayoutTest, AreaPiecesEdgeLikeTheMownLawnAndRunOnPastTheEdge)
{
    Layout layout;
    layout.put(5, 5, "~");
    layout.put(10, 5, "~~").put(10, 6, "~~");
    layout.put(0, 0, "~");
    // A 3 by 3 patio missing its top right corner: the middle has an inner
    // corner there.
    layout.put(15, 8, "PP").put(15, 9, "PPP").put(15, 10, "PPP");
    const Map map = compiled(layout.text());
    EXPECT_EQ(map.cell(5, 5), 640 + 46) << "alone";
    // Top left of a 2x2 pond: E, S and SE are pond, mask 208, the 34th edge.
    EXPECT_EQ(map.cell(10, 5), 640 + 33);
    EXPECT_EQ(map.cell(11, 6), 640 + 3) << "bottom right: N, W and NW, mask 11";
    // In the field's corner the pond runs on north, west and north-west.
    EXPECT_EQ(map.cell(0, 0), 640 + 3);
    EXPECT_EQ(map.cell(16, 9), 256 + 43) << "all round but NE, mask 251";

    Layout full;
    full.rows.assign(16, std::string(25, '~'));
    const Map pond = compiled(full.text());
    for (const std::uint16_t tile : pond.cells)
        ASSERT_EQ(tile, 640 + 45) << "a pond over the whole field has no shore";
}

TEST_F(LevelLayoutTest, BlocksFillTheirRectangleFromTheTopLeft)
{
    Layout layout;
    layout.put(2, 2, "SSSS").put(2, 3, "SSSS").put(2, 4, "SS").put(2, 5, "SS");
    layout.put(20, 15, "AAAA");
    const Map map = compiled(layout.text());
    for (const int x : {2, 4}) {
        EXPECT_EQ(std::make_tuple(map.cell(x, 2), map.cell(x + 1, 2), map.cell(x, 3), map.cell(x + 1, 3)),
                  std::make_tuple(549, 550, 581, 582)) << x;
    }
    EXPECT_EQ(std::make_tuple(map.cell(2, 4), map.cell(3, 5)), std::make_tuple(549, 582));
    EXPECT_EQ(std::make_tuple(map.cell(20, 15), map.cell(21, 15), map.cell(22, 15), map.cell(23, 15)),
              std::make_tuple(559, 560, 559, 560));
}

TEST_F(LevelLayoutTest, LayoutLegendLinesAddAndRedefineSymbols)
{
    Layout layout;
    layout.header += "legend: Q tile 517 solid Flowering bush\nlegend: H line 352 solid Stone wall\n";
    layout.put(0, 0, "QHH");
    const Map map = compiled(layout.text());
    EXPECT_EQ(std::make_tuple(map.cell(0, 0), map.cell(1, 0), map.cell(2, 0)), std::make_tuple(517, 354, 360));
    EXPECT_EQ(legend.find('Q'), nullptr) << "the shipped legend stays as it is";
}

TEST_F(LevelLayoutTest, RefusalsNameLineAndColumn)
{
    const auto with = [](auto change) {
        Layout layout;
        change(layout);
        return layout.text();
    };
    const auto header = [&](const std::string& from, const std::string& to) {
        return with([&](Layout& l) { l.header.replace(l.header.find(from), from.size(), to); });
    };
    const struct {
        std::string text;
        int line, column;
        const char* message;
    } cases[] = {
        {with([](Layout& l) { l.put(3, 2, "Q"); }), 9, 4, "unknown character 'Q'"},
        {with([](Layout& l) { l.put(0, 0, "\t"); }), 7, 1, "unknown character '\\x09'"},
        {with([](Layout& l) { l.put(0, 0, "#"); }), 7, 1, "unknown character '#'"},
        {with([](Layout& l) { l.rows[4].pop_back(); }), 11, 25, "row 5 has 24 cells, expected 25"},
        {with([](Layout& l) { l.rows[4] = "[1][2]" + std::string(22, '.'); }), 11, 29, "row 5 has 24 cells"},
        {with([](Layout& l) { l.rows[4] += ","; }), 11, 26, "row 5 has more than 25 cells"},
        {with([](Layout& l) { l.rows[3] = ""; }), 10, 1, "row 4 has 0 cells, expected 25"},
        {with([](Layout& l) { l.put(6, 0, "[65536]"); }), 7, 7, "a tile number is written [0] to [65535]"},
        {with([](Layout& l) { l.rows[0] = std::string(24, '.') + "[12"; }), 7, 25, "a tile number is written"},
        {with([](Layout& l) { l.put(1, 0, "[]"); }), 7, 2, "a tile number is written"},
        {with([](Layout& l) { l.put(1, 0, "[-5]"); }), 7, 2, "a tile number is written"},
        {with([](Layout& l) { l.rows.pop_back(); }), 22, 1, "the map has 15 rows, expected 16"},
        {with([](Layout& l) { l.tail = "\n.........................\n"; }), 24, 1, "the map has more than 16 rows"},
        {with([](Layout& l) { l.put(5, 5, "SS"); }), 12, 6, "incomplete block: 'S' (Garden shed) needs 2x2 cells"},
        {with([](Layout& l) { l.put(24, 3, "S").put(24, 4, "S"); }), 10, 25, "incomplete block"},
        {with([](Layout& l) { l.put(0, 15, "SS"); }), 22, 1, "incomplete block"},
        // Over the right edge, even when the next rows start with the block's symbol.
        {with([](Layout& l) { l.put(24, 3, "S").put(0, 4, "S").put(24, 4, "S").put(0, 5, "S"); }), 10, 25,
         "incomplete block"},
        {with([](Layout& l) { l.put(3, 3, "SSS").put(3, 4, "SSS"); }), 10, 6, "incomplete block"},
        {with([](Layout& l) { l.put(3, 3, "SS").put(2, 4, "SSS"); }), 11, 3, "incomplete block"},
        {with([](Layout& l) { l.put(7, 9, "AAA"); }), 16, 10, "incomplete block: 'A' (Picnic table) needs 2x1"},
        {header("start: 400 256", "start: 800 100"), 5, 8, "start 800 100 is outside the field"},
        {header("start: 400 256", "start: 10 512"), 5, 11, "start 10 512 is outside the field"},
        {header("start: 400 256", "start: -1 0"), 5, 8, "start -1 0 is outside the field"},
        {header("start: 400 256", "start: 10"), 5, 8, "start needs two numbers: x y in field pixels"},
        {header("start: 400 256", "start: 1 2 3"), 5, 12, "start needs two numbers"},
        {header("start: 400 256", "start: 1 y"), 5, 10, "bad start y 'y'"},
        {header("time: 60", "time: 0"), 3, 7, "bad time '0' (a whole number, 1 to 32767)"},
        {header("time: 60", "time: 40000"), 3, 7, "bad time '40000'"},
        {header("time: 60", "time: 60s"), 3, 7, "bad time '60s'"},
        {header("time: 60", "time: 99999999999"), 3, 7, "bad time"},
        {header("time: 60", "time:"), 3, 6, "bad time ''"},
        {header("clouds: 1", "clouds: 100"), 4, 9, "bad clouds '100' (a whole number, 0 to 99)"},
        {header("clouds: 1", "clouds: -1"), 4, 9, "bad clouds '-1'"},
        {header("clouds: 1", "clouds:"), 4, 8, "bad clouds ''"},
        {header("clouds: 1", "clouds: -"), 4, 9, "bad clouds '-'"},
        {header("clouds: 1", "clouds: 0000001"), 4, 9, "bad clouds '0000001'"},
        {header("author: Kelvane team\n", ""), 5, 1, "missing 'author:' before the map"},
        {header("start: 400 256\n", "start: 400 256\ntime: 60\n"), 6, 1, "'time:' is given twice (first on line 3)"},
        {header("clouds: 1", "colour: red"), 4, 1, "unknown header 'colour'"},
        {header("clouds: 1", "just grass"), 4, 1, "expected 'key: value' or 'map:'"},
        {header("title: Test Lawn", "title: \"Test"), 1, 8, "the title has no closing quote"},
        {header("title: Test Lawn", "title: \"a\\qb\""), 1, 10, "unknown escape"},
        {header("title: Test Lawn", "title: \"\\x4\""), 1, 9, "\\x needs two hex digits"},
        // Just past each range of hex digits.
        {header("title: Test Lawn", "title: \"\\x4/\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"\\x:0\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"\\x@0\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"\\x4G\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"\\x`0\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"\\x4g\""), 1, 9, "\\x needs two hex digits"},
        {header("title: Test Lawn", "title: \"ab\" x"), 1, 13, "text after the title's closing quote"},
        {header("author: Kelvane team", "author: \"a\\x00b\""), 2, 9, "the author holds a NUL character"},
        {header("title: Test Lawn", "title: " + std::string(32768, 'x')), 1, 8, "the title is longer than 32767"},
        {header("clouds: 1", "legend: Q tile 70000 solid x"), 4, 16, "bad tile index '70000'"},
        {header("clouds: 1", "legend:"), 4, 8, "expected a definition"},
        {header("clouds: 1", "legend: Q tile 1 grass\nlegend: Q tile 2 grass"), 5, 9,
         "'Q' is already defined on line 4"},
        {"title: x\n# no map here\n", 3, 1, "missing 'map:' and the rows of the map"},
        {header("start: 400 256\n", "start: 400 256\nmap: ....\n"), 6, 6, "the rows of the map start on the line after"},
        {std::string(LevelLayout::maxTextSize + 1, '\n'), 1, 1, "the layout is larger than 1 MiB"},
    };
    for (const auto& c : cases) {
        const TextError error = refusal(c.text);
        EXPECT_EQ(std::tie(error.line, error.column), std::tie(c.line, c.column)) << c.text.substr(0, 300);
        EXPECT_EQ(error.message.rfind(c.message, 0), 0u) << c.text.substr(0, 300) << " -> " << error.message;
    }
}

TEST_F(LevelLayoutTest, DecompileWritesTheSymbolsCompilingWouldTurnBackIntoTheMap)
{
    Layout layout;
    layout.header = "title: Test Lawn\nauthor: Kelvane team\ntime: 60\nclouds: 1\nstart: 400 256\n";
    layout.put(0, 0, "HHH-[9]").put(2, 1, "H").put(2, 2, "H");
    layout.put(20, 0, "~~~~~").put(21, 1, "~~~~").put(5, 5, "SSSS").put(5, 6, "SSSS");
    layout.put(0, 15, "AA,t[1024][65535]");
    // A block in the far corner still fits the field.
    layout.put(23, 14, "SS").put(23, 15, "SS");
    EXPECT_EQ(LevelLayout::decompile(compiled(layout.text()), legend), layout.text());

    // Tiles of a family where compiling would pick another piece, and blocks
    // not all there, are written by number.
    Map odd = compiled(Layout().text());
    odd.cells[0] = 330;      // a run of hedge with no hedge either side
    odd.cells[1] = 640 + 45; // open water with grass round it
    odd.cells[3] = 320;      // a lone bit of hedge: written as one
    odd.cells[5] = 549;      // the top left of a shed alone
    odd.cells[6] = 559;      // a whole picnic table
    odd.cells[7] = 560;
    odd.author.clear();
    const std::string text = LevelLayout::decompile(odd, legend);
    const std::string row = "[330][685].H.[549]AA" + std::string(17, '.') + "\n";
    EXPECT_EQ(text.substr(text.find("map:\n") + 5, row.size()), row);
    EXPECT_NE(text.find("\nauthor: \n"), std::string::npos) << "an empty author is written bare";
}

TEST_F(LevelLayoutTest, DecompiledMapsCompileBackToTheSameMap)
{
    // Random mixtures weighted to family and block tiles, so pieces land
    // beside pieces of their own family in every way.
    std::mt19937 random(20240611);
    const std::vector<std::uint16_t> common{0, 1, 512, 320, 321, 325, 330, 335, 80, 82, 88, 640, 685, 686,
                                            256, 300, 549, 550, 581, 582, 559, 560, 700, 1023, 4000};
    for (int round = 0; round < 60; ++round) {
        Map map;
        for (std::uint16_t& tile : map.cells)
            tile = random() % 4 == 0 ? static_cast<std::uint16_t>(random() % 1100)
                                     : common[random() % common.size()];
        if (round % 3 == 0)  // a field of whole sheds and picnic tables too
            for (int y = 0; y + 1 < Map::height; y += 2)
                for (int x = 0; x + 1 < Map::width; x += 2)
                    for (int i = 0; i < 4; ++i)
                        map.cells[static_cast<std::size_t>((y + i / 2) * Map::width + x + i % 2)] =
                            static_cast<std::uint16_t>((round + x + y) % 4 ? 549 + 32 * (i / 2) + i % 2
                                                                           : 559 + i % 2);
        map.title = "Round " + std::to_string(round);
        map.timeLimit = static_cast<std::int16_t>(1 + round);
        map.cloudCount = static_cast<std::int16_t>(round % 10);
        map.playerStartX = static_cast<std::int16_t>(round * 13);
        map.playerStartY = static_cast<std::int16_t>(511 - round);
        expectSameMap(compiled(LevelLayout::decompile(map, legend)), map, "round " + std::to_string(round));
    }

    // Texts with ends of blank, quotes, control characters and bytes
    // beyond ASCII keep every byte.
    for (const std::string title : {"", "  spaced  ", "\"quoted\"", "tail\"", "tab\there", "two\nlines\r\n",
                                    "back\\slash", "del\x7f", "\xc3\xbcmlaut", "# not a comment", "x\x01y"}) {
        Map map = compiled(Layout().text());
        map.title = title;
        map.author = title + "!";
        expectSameMap(compiled(LevelLayout::decompile(map, legend)), map, title);
    }
    // Control characters are written as escapes, so the text stays readable.
    Map control = compiled(Layout().text());
    control.title = "x\x01y\x7f";
    EXPECT_NE(LevelLayout::decompile(control, legend).find("title: \"x\\x01y\\x7F\""), std::string::npos);
}

} // namespace
