// kelvane-tool on sprites and saved games, run as the real program with no
// display: info's JSON, check, import-talvex-sprite and the exit codes.

#include "game/SaveGame.hpp"
#include "support/TempFolder.hpp"
#include "world/Sprite.hpp"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#ifndef KV_KELVANE_TOOL
#error "KV_KELVANE_TOOL must name the kelvane-tool executable"
#endif

namespace {

struct Result {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// A version 4 Talvex sprite (16-bit images, no extra images) with blue 3 by 2
// frames of the given display times.
std::string talvexSprite(const std::string& tag, int version, std::initializer_list<int> times)
{
    std::string b;
    const auto u8 = [&](int v) { b += static_cast<char>(v & 0xFF); };
    const auto i32 = [&](int v) {
        for (int i = 0; i < 4; ++i)
            u8(v >> (8 * i));
    };
    const auto fixed = [&](std::string text, std::size_t size) { b += text.append(size - text.size(), '\0'); };
    fixed(tag, 32);
    i32(version);
    fixed("from talvex", 32);
    u8(static_cast<int>(times.size()));
    u8(0);
    i32(0);
    for (int time : times) {
        i32(time);
        fixed("", 256);
        i32(3);
        i32(2);
        for (int p = 0; p < 6; ++p) {
            u8(0x1F);
            u8(0x00);
        }
    }
    u8(0);
    u8(0);
    return b;
}

class KelvaneToolSpriteTest : public ::testing::Test {
protected:
    // Runs the tool without a display; stderr goes to a file of its own.
    Result run(const std::string& arguments)
    {
        const std::string errPath = folder.file("stderr.txt");
        const std::string command =
            std::string("env -u DISPLAY \"") + KV_KELVANE_TOOL + "\" " + arguments + " 2>\"" + errPath + "\"";
        Result result;
        std::FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer{};
        for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
            result.out.append(buffer.data(), got);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = test::readFile(errPath);
        return result;
    }
    // Writes the file and returns its path in quotes, ready for a command line.
    std::string fileWith(const std::string& name, const std::string& bytes)
    {
        test::writeFile(folder.file(name), bytes);
        return quoted(name);
    }
    std::string quoted(const std::string& name) { return "\"" + folder.file(name) + "\""; }

    test::TempFolder folder;
};

TEST_F(KelvaneToolSpriteTest, InfoAndCheckOfASprite)
{
    Sprite sprite;
    sprite.description = "mower \"idle\"";
    sf::Image image;
    image.create(40, 20, sf::Color::Red);
    sprite.addFrame(image, "art\\mower.png", 10, false);
    image.create(32, 32, sf::Color::Green);
    sprite.addFrame(image, "", 15, true);
    // Named like a saved game: the kind comes from the tag.
    ASSERT_TRUE(sprite.save(folder.file("mower.sav")));

    const Result r = run("info " + quoted("mower.sav"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"kind\":\"sprite\",\"description\":\"mower \\\"idle\\\"\",\"frames\":["
              "{\"width\":40,\"height\":20,\"displayTime\":10,\"sourcePath\":\"art\\\\mower.png\"},"
              "{\"width\":32,\"height\":32,\"displayTime\":15,\"sourcePath\":\"\"}],"
              "\"textureWidth\":128,\"textureHeight\":64,\"box\":[-10,-10,10,10]}\n");
    EXPECT_EQ(run("check " + quoted("mower.sav")).out, folder.file("mower.sav") + ": sprite loads\n");

    const std::string advanced = std::string("\x0e\x00", 2) + "Kelvane Sprite" + std::string("\x02\x00", 2);
    for (const char* command : {"info ", "check "}) {
        const Result refused = run(command + fileWith("new.spr", advanced));
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "File format too advanced\n");
    }
    EXPECT_EQ(run("check " + fileWith("cut.spr", advanced.substr(0, 17))).err, "Not a valid sprite file\n");
    EXPECT_EQ(run("check").exitCode, 2);
    EXPECT_EQ(run("import-talvex-sprite " + quoted("new.spr")).exitCode, 2);
}

TEST_F(KelvaneToolSpriteTest, ImportTalvexSprite)
{
    const std::string in = fileWith("mower.tsp", talvexSprite("ZOL SPRITE FILE", 4, {20, -1}));
    const Result r = run("import-talvex-sprite " + in + " " + quoted("mower.spr"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Sprite sprite;
    ASSERT_TRUE(sprite.load(folder.file("mower.spr"))) << sprite.lastError;
    EXPECT_EQ(sprite.description, "from talvex");
    ASSERT_EQ(sprite.frames.size(), 2u);
    EXPECT_EQ(sprite.frames[1].displayTime, 20);
    EXPECT_EQ(sprite.frames[0].image.getPixel(2, 1), sf::Color::Blue);

    const Result info = run("info " + in);
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out.rfind("{\"kind\":\"talvex-sprite\",\"description\":\"from talvex\",", 0), 0u) << info.out;

    const Result tooNew = run("import-talvex-sprite " + fileWith("new.tsp", talvexSprite("Zol Sprite File", 7, {10})) +
                              " " + quoted("refused.spr"));
    EXPECT_EQ(tooNew.exitCode, 1);
    EXPECT_EQ(tooNew.err, "Sprite file format too advanced\n");
    const Result empty = run("import-talvex-sprite " + fileWith("empty.tsp", talvexSprite("Zol Sprite File", 4, {})) +
                             " " + quoted("refused.spr"));
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "Cannot save sprite because no frames exist\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("refused.spr")));
}

TEST_F(KelvaneToolSpriteTest, SavedGames)
{
    SaveGame game;
    game.levelIndex = 2;
    game.skillLevel = SkillNormal;
    ASSERT_TRUE(game.save(folder.file("003.sav")));
    const Result r = run("info " + quoted("003.sav"));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "{\"kind\":\"savegame\",\"levelIndex\":2,\"skillLevel\":1,\"label\":\"Normal - Level 3\"}\n");

    std::string bytes = test::readFile(folder.file("003.sav"));
    const Result cut = run("check " + fileWith("004.sav", bytes.substr(0, 25)));
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_EQ(cut.err, "Not a valid save game file\n");
    bytes[20] = 2;  // version 2
    EXPECT_EQ(run("info " + fileWith("005.sav", bytes)).err, "Saved game file is too advanced\n");
}

} // namespace
