#include "platform/Paths.hpp"

#include "platform/PlatformTestSupport.hpp"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::isAbsolutePath;
using platform::toNativePath;
using platform_test::TempFolder;
using platform_test::WorkingDirectoryGuard;

namespace {

class PlatformPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.path().empty());
        tree.write("zavi3/textures/icons.png", "png");
        tree.write("Base/Maps/Level1.MAP", "map");
        tree.mkdir("twins/Data");
        tree.mkdir("twins/data");
        tree.mkdir("twins/DATA");
    }

    // A data path below the tree, written with backslashes.
    std::string inTree(const std::string& tail) const { return tree.str() + "\\" + tail; }

    TempFolder tree;
};

TEST_F(PlatformPaths, FindsEveryComponentWhateverItsCase)
{
    EXPECT_EQ(toNativePath(inTree("zavi3\\Textures\\Icons.png")), tree.path() / "zavi3/textures/icons.png");
    EXPECT_EQ(toNativePath(inTree("ZAVI3/TEXTURES/ICONS.PNG")), tree.path() / "zavi3/textures/icons.png");
    EXPECT_EQ(toNativePath(inTree("base\\maps\\level1.map")), tree.path() / "Base/Maps/Level1.MAP");
    EXPECT_EQ(toNativePath(inTree("Base\\Maps\\Level1.MAP")), tree.path() / "Base/Maps/Level1.MAP");
}

TEST_F(PlatformPaths, RelativePathsStayRelative)
{
    WorkingDirectoryGuard cwd(tree.path());
    EXPECT_EQ(toNativePath("zavi3\\Textures\\Icons.png"), fs::path("zavi3/textures/icons.png"));
    EXPECT_EQ(toNativePath("ZAVI3/textures\\ICONS.png"), fs::path("zavi3/textures/icons.png"));
    EXPECT_EQ(toNativePath("BASE\\maps\\"), fs::path("Base/Maps/"));
    EXPECT_EQ(toNativePath("zavi3\\\\Textures//icons.png"), fs::path("zavi3/textures/icons.png"));
    EXPECT_EQ(toNativePath(".\\ZAVI3\\..\\base\\MAPS"), fs::path("./zavi3/../Base/Maps"));
}

TEST_F(PlatformPaths, MissingTailIsKeptAsWritten)
{
    WorkingDirectoryGuard cwd(tree.path());
    EXPECT_EQ(toNativePath("ZAVI3\\Textures\\NewIcons.png"), fs::path("zavi3/textures/NewIcons.png"));
    // Once a folder is missing, later names are not looked up either.
    tree.mkdir("zavi3/textures/Sub");
    EXPECT_EQ(toNativePath("zavi3\\Missing\\TEXTURES\\sub"), fs::path("zavi3/Missing/TEXTURES/sub"));
    EXPECT_EQ(toNativePath("Nothing\\Here.txt"), fs::path("Nothing/Here.txt"));
    // A file where a folder is expected ends the lookup too.
    EXPECT_EQ(toNativePath("zavi3\\textures\\ICONS.PNG\\x"), fs::path("zavi3/textures/icons.png/x"));
}

TEST_F(PlatformPaths, ExactCaseWinsAndTiesGoToByteOrder)
{
    WorkingDirectoryGuard cwd(tree.path());
    EXPECT_EQ(toNativePath("twins\\data"), fs::path("twins/data"));
    EXPECT_EQ(toNativePath("twins\\DATA"), fs::path("twins/DATA"));
    EXPECT_EQ(toNativePath("twins\\Data"), fs::path("twins/Data"));
    // No exact match among Data, data and DATA: the first in byte order.
    EXPECT_EQ(toNativePath("twins\\dATA"), fs::path("twins/DATA"));
}

TEST(PlatformPathsPrefixes, DriveAndNetworkPrefixesLandOnTheRoot)
{
    EXPECT_EQ(toNativePath(""), fs::path());
    EXPECT_EQ(toNativePath("C:\\"), fs::path("/"));
    EXPECT_EQ(toNativePath("c:"), fs::path("/"));
    EXPECT_EQ(toNativePath("D:/no-such-folder/x.txt"), fs::path("/no-such-folder/x.txt"));
    EXPECT_EQ(toNativePath("\\\\server\\share\\x"), fs::path("/server/share/x"));
    EXPECT_EQ(toNativePath("\\no-such-folder"), fs::path("/no-such-folder"));
    EXPECT_EQ(toNativePath("/no-such-folder/A"), fs::path("/no-such-folder/A"));
}

TEST(PlatformPathsAbsolute, DrivesNetworkPathsAndSlashes)
{
    EXPECT_TRUE(isAbsolutePath("C:\\x"));
    EXPECT_TRUE(isAbsolutePath("c:"));
    EXPECT_TRUE(isAbsolutePath("z:relative-on-drive"));
    EXPECT_TRUE(isAbsolutePath("\\\\server\\share"));
    EXPECT_TRUE(isAbsolutePath("/home/player"));
    EXPECT_TRUE(isAbsolutePath("/"));

    EXPECT_FALSE(isAbsolutePath(""));
    EXPECT_FALSE(isAbsolutePath("C"));
    EXPECT_FALSE(isAbsolutePath("\\"));
    EXPECT_FALSE(isAbsolutePath("\\x"));
    EXPECT_FALSE(isAbsolutePath("maps\\level1"));
    EXPECT_FALSE(isAbsolutePath("base/maps"));
    EXPECT_FALSE(isAbsolutePath("ab:c"));
}

TEST_F(PlatformPaths, FullPathIsAbsoluteAndNormal)
{
    WorkingDirectoryGuard cwd(tree.path());
    EXPECT_EQ(platform::fullPath("ZAVI3\\.\\textures\\..\\Textures\\ICONS.png"),
              (tree.path() / "zavi3/textures/icons.png").string());
    EXPECT_EQ(platform::fullPath("base\\maps\\"), (tree.path() / "Base/Maps").string());
    EXPECT_EQ(platform::fullPath("."), tree.str());
    EXPECT_EQ(platform::fullPath("C:\\"), "/");
    EXPECT_EQ(platform::fullPath("/a/b/../c/"), "/a/c");
}

} // namespace
