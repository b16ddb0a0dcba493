#include "storage/AssetPaths.hpp"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// Runs the command-line scan over the arguments (program name added).
void scan(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "kelvane");
    scanModFolderArgument(static_cast<int>(arguments.size()), arguments.data());
}

// The scan sets process-wide values; every test starts and ends without a mod.
class AssetPaths : public ::testing::Test {
protected:
    void SetUp() override { scan({}); }
    void TearDown() override { scan({}); }
};

TEST_F(AssetPaths, ModFolderScan)
{
    // The arguments, and the mod folder they name (nullptr: none).
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{}, nullptr},
        {{"-base", "MyMod"}, "MyMod"},
        {{"-BASE", "MyMod"}, "MyMod"},
        {{"-Base", "MyMod"}, "MyMod"},
        {{"-windowed", "-base", "Mods\\My Mod\\", "extra"}, "Mods\\My Mod\\"},
        {{"-base", "a", "-base", "b"}, "b"},
        {{"-base", "-base", "x"}, "x"},
        {{"-base", "-Base"}, "-Base"},
        {{"base", "a", "--base", "b", "-basement", "c", "-bas", "d"}, nullptr},
        {{"-base"}, nullptr},
        {{"-base", ""}, nullptr},
        {{"-base", "a", "-base"}, "a"},
    };
    for (const auto& [arguments, folder] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        modFolderGiven = true;  // whatever an earlier scan left is reset
        modFolder = "leftover";
        scan(arguments);
        EXPECT_EQ(modFolderGiven, folder != nullptr);
        EXPECT_EQ(modFolder, folder ? folder : "");
    }
    modFolderGiven = true;
    scanModFolderArgument(0, nullptr);
    EXPECT_FALSE(modFolderGiven);
}

TEST_F(AssetPaths, Resolve)
{
    // The mod folder (nullptr: none), a data path and its resolved form.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {nullptr, "maps\\level1", "base\\maps\\level1"},
        {nullptr, "x", "base\\x"},
        {nullptr, "\\x", "base\\\\x"},
        {"mymod", "maps\\level1", "mymod\\maps\\level1"},
        {"mymod\\", "maps\\level1", "mymod\\maps\\level1"},
        {"mods/mymod/", "maps\\level1", "mods/mymod/maps\\level1"},
    };
    for (const auto& [mod, path, expected] : cases) {
        SCOPED_TRACE(std::string(mod ? mod : "(base)") + " " + path);
        mod ? scan({"-base", mod}) : scan({});
        std::string resolved = path;
        resolveAssetPath(resolved);
        EXPECT_EQ(resolved, expected);
        EXPECT_EQ(resolvedAssetPath(path), expected);
        for (const char* absolute : {"C:\\games\\x.map", "d:x.map", "\\\\server\\share\\x.map", "/home/p/x.map"})
            EXPECT_EQ(resolvedAssetPath(absolute), absolute);
    }
    EXPECT_EQ(resolveMusicPath("song.ogg"), "mods/mymod/music\\song.ogg");
    EXPECT_EQ(resolveMusicPath("C:\\music\\song.ogg"), "C:\\music\\song.ogg");
    EXPECT_EQ(kvDataPath("fonts\\Roboto.ttf"), "zavi3\\fonts\\Roboto.ttf");  // never redirected
    modFolder.clear();  // a mod flag without a folder falls back to base
    EXPECT_EQ(resolvedAssetPath("maps\\a"), "base\\maps\\a");
    EXPECT_EQ(resolveMusicPath("song.ogg"), "base\\music\\song.ogg");
}

TEST(PathText, JoinSeparatorAndFileName)
{
    EXPECT_EQ(joinPath("", "name"), "name");
    EXPECT_EQ(joinPath("zavi3", "x.png"), "zavi3\\x.png");
    EXPECT_EQ(joinPath("zavi3\\", "x.png"), "zavi3\\x.png");
    EXPECT_EQ(joinPath("a/", "x.png"), "a/x.png");
    EXPECT_EQ(joinPath("a", ""), "a\\");
    EXPECT_EQ(withTrailingSeparator("maps"), "maps\\");
    EXPECT_EQ(withTrailingSeparator("maps\\"), "maps\\");
    EXPECT_EQ(withTrailingSeparator("maps/"), "maps/");
    EXPECT_EQ(withTrailingSeparator(""), "\\");
    EXPECT_EQ(getFileName("level1.map"), "level1.map");
    EXPECT_EQ(getFileName("base/maps\\x/level1.map"), "level1.map");
    EXPECT_EQ(getFileName("base\\maps\\"), "");
    EXPECT_EQ(getFileName(""), "");
}

} // namespace
