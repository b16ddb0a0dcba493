// kelvane-tool compile-level and decompile-level: the legend they read from
// the data folder, their exit codes and messages, and that a refused layout
// writes nothing.

#include "tools/RunTool.hpp"
#include "world/Map.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <vector>

namespace {

const char* const legend = ".  tile  0        grass  Uncut grass\n"
                           "H  line  320      solid  Hedge\n"
                           "~  area  640      water  Pond\n"
                           "S  block 549 2x2  solid  Garden shed\n";

// Uncut grass but for the first rows given.
std::string layout(const std::vector<std::string>& firstRows)
{
    std::string text = "title: Tool Lawn\nauthor: Kelvane team\ntime: 80\nclouds: 2\nstart: 48 48\nmap:\n";
    for (std::size_t row = 0; row < 16; ++row)
        text += (row < firstRows.size() ? firstRows[row] : std::string(25, '.')) + "\n";
    return text;
}

std::string firstRowOf(const std::string& layoutText)
{
    const std::size_t start = layoutText.find("map:\n") + 5;
    return layoutText.substr(start, layoutText.find('\n', start) - start);
}

class KelvaneToolLevelTest : public ::testing::Test {
protected:
    KelvaneToolLevelTest() { test::writeFile(file("base/maps/legend.txt"), legend); }

    test::ToolResult run(const std::string& arguments) const { return test::runTool(folder, arguments); }
    std::string file(const std::string& name) const { return folder.file(name); }

    test::TempFolder folder;
};

TEST_F(KelvaneToolLevelTest, CompileAndDecompileThroughTheDataFolderLegend)
{
    test::writeFile(file("lawn.txt"), layout({"HHH~~SS" + std::string(18, '.'), ".....SS" + std::string(18, '.')}));
    test::ToolResult r = run("compile-level lawn.txt lawn.map");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    Map map;
    ASSERT_TRUE(map.load(file("lawn.map"))) << map.lastError;
    EXPECT_EQ(std::tie(map.title, map.author, map.timeLimit, map.cloudCount, map.playerStartX, map.playerStartY),
              std::make_tuple("Tool Lawn", "Kelvane team", 80, 2, 48, 48));
    EXPECT_EQ(std::make_tuple(map.cell(0, 0), map.cell(1, 0), map.cell(2, 0), map.cell(6, 1)),
              std::make_tuple(322, 330, 328, 582));

    r = run("decompile-level lawn.map");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, test::readFile(file("lawn.txt")));

    // A map made elsewhere comes back byte for byte through its layout.
    map.cells[100] = 7777;
    map.cells[101] = 330;
    map.title = " odd \"title\"\n";
    ASSERT_TRUE(map.save(file("odd.map")));
    r = run("decompile-level odd.map");
    ASSERT_EQ(r.status, 0) << r.err;
    test::writeFile(file("odd.txt"), r.out);
    ASSERT_EQ(run("compile-level odd.txt again.map").status, 0);
    EXPECT_TRUE(test::readFile(file("again.map")) == test::readFile(file("odd.map")));
}

TEST_F(KelvaneToolLevelTest, RefusalsSayWhereAndWriteNothing)
{
    test::writeFile(file("bad.txt"), layout({std::string(24, '.') + "Q"}));
    test::writeFile(file("kept.map"), "old bytes");
    const struct {
        const char* arguments;
        int status;
        std::string err;
    } runs[] = {
        {"compile-level bad.txt kept.map", 1, "bad.txt:7:25: unknown character 'Q'\n"},
        {"compile-level bad.txt new.map", 1, "bad.txt:7:25: unknown character 'Q'\n"},
        {"compile-level none.txt new.map", 1, "Unable to open none.txt\n"},
        {"decompile-level bad.txt", 1, "bad.txt is not a valid map file.\n"},
        {"compile-level bad.txt", 2, "usage: kelvane-tool compile-level LAYOUT.txt OUT.map\n"},
        {"decompile-level", 2, "usage: kelvane-tool decompile-level IN.map\n"},
    };
    for (const auto& [arguments, status, err] : runs) {
        const test::ToolResult r = run(arguments);
        EXPECT_EQ(std::tie(r.status, r.out, r.err), std::make_tuple(status, std::string(), err)) << arguments;
    }
    EXPECT_EQ(test::readFile(file("kept.map")), "old bytes");
    EXPECT_FALSE(std::filesystem::exists(file("new.map")));

    test::writeFile(file("good.txt"), layout({}));
    test::writeFile(file("base/maps/legend.txt"), ". tile 0 grass Uncut grass\n. tile 1 grass Daisies\n");
    EXPECT_EQ(run("compile-level good.txt new.map").err,
              "base\\maps\\legend.txt:2:1: '.' is already defined on line 1\n");
    std::filesystem::remove(file("base/maps/legend.txt"));
    const test::ToolResult r = run("compile-level good.txt new.map");
    EXPECT_EQ(std::tie(r.status, r.err), std::make_tuple(1, "Unable to open base\\maps\\legend.txt\n"));
    EXPECT_FALSE(std::filesystem::exists(file("new.map")));
}

TEST_F(KelvaneToolLevelTest, ModFolderLegendReplacesTheGamesOwn)
{
    test::writeFile(file("mymod/maps/legend.txt"), ". tile 0 grass Uncut grass\nQ tile 517 solid Flowering bush\n");
    test::writeFile(file("lawn.txt"), layout({"Q" + std::string(24, '.')}));
    EXPECT_EQ(run("compile-level lawn.txt lawn.map").status, 1) << "Q is not in the game's legend";
    const test::ToolResult r = run("-base mymod compile-level lawn.txt lawn.map");
    ASSERT_EQ(r.status, 0) << r.err;
    Map map;
    ASSERT_TRUE(map.load(file("lawn.map")));
    EXPECT_EQ(map.cell(0, 0), 517);
    EXPECT_EQ(run("-base mymod decompile-level lawn.map").out, test::readFile(file("lawn.txt")));
    EXPECT_EQ(firstRowOf(run("decompile-level lawn.map").out), "[517]" + std::string(24, '.'));
}

} // namespace
