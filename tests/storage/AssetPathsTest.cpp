#include "storage/AssetPaths.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Runs the command-line scan over the given arguments (program name added).
void scan(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "kelvane");
    scanModFolderArgument(static_cast<int>(arguments.size()), arguments.data());
}

// Puts the process-wide values back after each test.
class AssetPathsTest : public ::testing::Test {
protected:
    void SetUp() override { scan({}); }
    void TearDown() override { scan({}); }
};

} // namespace

TEST_F(AssetPathsTest, NoArguments)
{
    modFolderGiven = true;
    modFolder = "leftover";
    scan({});
    EXPECT_FALSE(modFolderGiven);
    EXPECT_EQ(modFolder, "");
    scanModFolderArgument(0, nullptr);
    EXPECT_FALSE(modFolderGiven);
}

TEST_F(AssetPathsTest, SwitchInAnyCase)
{
    for (const char* spelling : {"-base", "-BASE", "-Base", "-bAsE"}) {
        scan({spelling, "MyMod"});
        EXPECT_TRUE(modFolderGiven) << spelling;
        EXPECT_EQ(modFolder, "MyMod") << spelling;
    }
}

TEST_F(AssetPathsTest, LastSwitchWins)
{
    scan({"-base", "a", "-base", "b"});
    EXPECT_TRUE(modFolderGiven);
    EXPECT_EQ(modFolder, "b");
}

TEST_F(AssetPathsTest, FolderArgumentIsLookedAtToo)
{
    scan({"-base", "-base", "x"});
    EXPECT_EQ(modFolder, "x");
    scan({"-base", "-Base"});
    EXPECT_TRUE(modFolderGiven);
    EXPECT_EQ(modFolder, "-Base");
}

TEST_F(AssetPathsTest, OtherSpellingsAreIgnored)
{
    scan({"base", "a", "--base", "b", "-basement", "c", "-bas", "d", "/base", "e"});
    EXPECT_FALSE(modFolderGiven);
    EXPECT_EQ(modFolder, "");
}

TEST_F(AssetPathsTest, FolderKeptExactlyAsGiven)
{
    scan({"-windowed", "-base", "Mods\\My Mod\\", "extra"});
    EXPECT_TRUE(modFolderGiven);
    EXPECT_EQ(modFolder, "Mods\\My Mod\\");
}

TEST_F(AssetPathsTest, TrailingSwitchIsTreatedAsAbsent)
{
    scan({"-base"});
    EXPECT_FALSE(modFolderGiven);
    EXPECT_EQ(modFolder, "");
    scan({"-base", "a", "-base"});
    EXPECT_TRUE(modFolderGiven);
    EXPECT_EQ(modFolder, "a");
}

TEST_F(AssetPathsTest, EmptyFolderArgumentIsTreatedAsAbsent)
{
    scan({"-base", ""});
    EXPECT_FALSE(modFolderGiven);
    scan({"-base", "a", "-base", ""});
    EXPECT_EQ(modFolder, "a");
}

TEST_F(AssetPathsTest, ResolveWithoutModFolder)
{
    std::string path = "maps\\level1";
    resolveAssetPath(path);
    EXPECT_EQ(path, "base\\maps\\level1");
    EXPECT_EQ(resolvedAssetPath("game.ini"), "base\\game.ini");
}

TEST_F(AssetPathsTest, ResolveWithModFolder)
{
    scan({"-base", "mymod"});
    EXPECT_EQ(resolvedAssetPath("maps\\level1"), "mymod\\maps\\level1");
    scan({"-base", "mymod\\"});
    EXPECT_EQ(resolvedAssetPath("maps\\level1"), "mymod\\maps\\level1");
    scan({"-base", "mods/mymod/"});
    EXPECT_EQ(resolvedAssetPath("maps\\level1"), "mods/mymod/maps\\level1");
}

TEST_F(AssetPathsTest, AbsolutePathsAreUnchanged)
{
    for (bool withMod : {false, true}) {
        if (withMod)
            scan({"-base", "mymod"});
        EXPECT_EQ(resolvedAssetPath("C:\\games\\x.map"), "C:\\games\\x.map");
        EXPECT_EQ(resolvedAssetPath("d:x.map"), "d:x.map");
        EXPECT_EQ(resolvedAssetPath("\\\\server\\share\\x.map"), "\\\\server\\share\\x.map");
        EXPECT_EQ(resolvedAssetPath("/home/player/x.map"), "/home/player/x.map");
    }
}

TEST_F(AssetPathsTest, ShortPathsAreRelative)
{
    EXPECT_EQ(resolvedAssetPath("x"), "base\\x");
    EXPECT_EQ(resolvedAssetPath(""), "base\\");
    EXPECT_EQ(resolvedAssetPath("\\x"), "base\\\\x");
}

TEST_F(AssetPathsTest, EmptyModFolderFallsBackToBase)
{
    modFolderGiven = true;
    modFolder.clear();
    EXPECT_EQ(resolvedAssetPath("maps\\a"), "base\\maps\\a");
}

TEST_F(AssetPathsTest, MusicPath)
{
    EXPECT_EQ(resolveMusicPath("song.ogg"), "base\\music\\song.ogg");
    EXPECT_EQ(resolveMusicPath("C:\\music\\song.ogg"), "C:\\music\\song.ogg");
    EXPECT_EQ(resolveMusicPath("/srv/song.ogg"), "/srv/song.ogg");
    scan({"-base", "mymod"});
    EXPECT_EQ(resolveMusicPath("song.ogg"), "mymod\\music\\song.ogg");
}

TEST_F(AssetPathsTest, JoinPath)
{
    EXPECT_EQ(joinPath("", "name"), "name");
    EXPECT_EQ(joinPath("zavi3\\", "x.png"), "zavi3\\x.png");
    EXPECT_EQ(joinPath("zavi3", "x.png"), "zavi3\\x.png");
    EXPECT_EQ(joinPath("a/", "x.png"), "a/x.png");
    EXPECT_EQ(joinPath("a", ""), "a\\");
}

TEST_F(AssetPathsTest, WithTrailingSeparator)
{
    EXPECT_EQ(withTrailingSeparator("maps"), "maps\\");
    EXPECT_EQ(withTrailingSeparator("maps\\"), "maps\\");
    EXPECT_EQ(withTrailingSeparator("maps/"), "maps/");
    EXPECT_EQ(withTrailingSeparator(""), "\\");
}

TEST_F(AssetPathsTest, KvDataPathIsNeverRedirected)
{
    EXPECT_EQ(kvDataPath("fonts\\Roboto-Regular.ttf"), "zavi3\\fonts\\Roboto-Regular.ttf");
    scan({"-base", "mymod"});
    EXPECT_EQ(kvDataPath("Textures\\Icons.png"), "zavi3\\Textures\\Icons.png");
}

TEST_F(AssetPathsTest, GetFileName)
{
    EXPECT_EQ(getFileName("level1.map"), "level1.map");
    EXPECT_EQ(getFileName("base\\maps\\level1.map"), "level1.map");
    EXPECT_EQ(getFileName("base/maps\\x/level1.map"), "level1.map");
    EXPECT_EQ(getFileName("base\\maps\\"), "");
    EXPECT_EQ(getFileName(""), "");
}
