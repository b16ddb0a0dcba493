// kelvane-tool on sprites and saved games: info's JSON, check,
// import-talvex-sprite and the exit codes.

#include "tools/RunTool.hpp"
#include "world/Sprite.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class KelvaneToolSpriteTest : public ::testing::Test {
protected:
    test::ToolResult run(const std::string& arguments) const { return test::runTool(folder, arguments); }
    // Writes the file and returns its name, ready for a command line.
    std::string fileWith(const std::string& name, const std::string& bytes) const
    {
        test::writeFile(folder.file(name), bytes);
        return name;
    }

    test::TempFolder folder;
};

TEST_F(KelvaneToolSpriteTest, InfoAndCheckOfASprite)
{
    fileWith("mower.sav", test::spriteHeader(1, "mower \"idle\"", 2)  // named like a saved game: the tag decides
                              .str("art\\mower.png").i16(10).image(40, 20, sf::Color::Red)
                              .str("").i16(15).image(32, 32, sf::Color::Green).data);
    const test::ToolResult r = run("info mower.sav");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"kind\":\"sprite\",\"description\":\"mower \\\"idle\\\"\",\"frames\":["
                     "{\"width\":40,\"height\":20,\"displayTime\":10,\"sourcePath\":\"art\\\\mower.png\"},"
                     "{\"width\":32,\"height\":32,\"displayTime\":15,\"sourcePath\":\"\"}],"
                     "\"textureWidth\":128,\"textureHeight\":64,\"box\":[-10,-10,10,10]}\n");
    EXPECT_EQ(run("check mower.sav").out, "mower.sav: sprite loads\n");

    const std::string advanced = test::spriteHeader(2, "", 0).data;
    for (const char* command : {"info ", "check "}) {
        const test::ToolResult refused = run(command + fileWith("new.spr", advanced));
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "File format too advanced\n");
    }
    EXPECT_EQ(run("check " + fileWith("cut.spr", advanced.substr(0, 17))).err, "Not a valid sprite file\n");
    EXPECT_EQ(run("check").status, 2);
    EXPECT_EQ(run("import-talvex-sprite new.spr").status, 2);
}

TEST_F(KelvaneToolSpriteTest, ImportTalvexSprite)
{
    const std::string in = fileWith("mower.tsp", test::talvexSprite("ZOL SPRITE FILE", 4));
    const test::ToolResult r = run("import-talvex-sprite " + in + " mower.spr");
    ASSERT_EQ(r.status, 0) << r.err;
    Sprite sprite;
    ASSERT_TRUE(sprite.load(folder.file("mower.spr"))) << sprite.lastError;
    ASSERT_EQ(sprite.frames.size(), 2u);
    EXPECT_EQ(sprite.frames[1].displayTime, 30);
    EXPECT_EQ(run("info " + in).out.rfind("{\"kind\":\"talvex-sprite\",\"description\":\"talvex mower\",", 0), 0u);

    const test::ToolResult empty =
        run("import-talvex-sprite " + fileWith("in.tsp", test::talvexSprite("Zol Sprite File", 4, 0)) + " refused.spr");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "Cannot save sprite because no frames exist\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("refused.spr")));
}

TEST_F(KelvaneToolSpriteTest, SavedGames)
{
    const test::ToolResult r = run("info " + fileWith("003.sav", test::saveFile(1, 2, 1)));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"kind\":\"savegame\",\"levelIndex\":2,\"skillLevel\":1,\"label\":\"Normal - Level 3\"}\n");
    const test::ToolResult cut = run("check " + fileWith("004.sav", test::saveFile(1, 2, 1).substr(0, 25)));
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, "Not a valid save game file\n");
}

} // namespace
