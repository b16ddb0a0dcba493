#include "platform/Paths.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform::toNativePath;

TEST(PlatformPaths, CaseInsensitiveLookup)
{
    test::TempFolder tree;
    ASSERT_FALSE(tree.root().empty());
    test::writeFile(tree.root() / "zavi3/textures/icons.png", "png");
    test::writeFile(tree.root() / "Base/Maps/Level1.MAP", "map");
    for (const char* twin : {"Data", "data", "DATA"})
        fs::create_directories(tree.root() / "twins" / twin);

    const std::pair<const char*, const char*> cases[] = {
        {"zavi3\\Textures\\Icons.png", "zavi3/textures/icons.png"},
        {"ZAVI3/textures\\ICONS.PNG", "zavi3/textures/icons.png"},
        {"zavi3\\\\Textures//icons.png", "zavi3/textures/icons.png"},
        {"base\\maps\\level1.map", "Base/Maps/Level1.MAP"},
        {"BASE\\maps\\", "Base/Maps/"},
        {".\\ZAVI3\\..\\base\\MAPS", "./zavi3/../Base/Maps"},
        // Names that do not exist are kept as written, and so is all after them.
        {"ZAVI3\\Textures\\NewIcons.png", "zavi3/textures/NewIcons.png"},
        {"Nothing\\Here.txt", "Nothing/Here.txt"},
        {"zavi3\\textures\\ICONS.PNG\\x", "zavi3/textures/icons.png/x"},
        // The exact letter case wins; otherwise the first match in byte order.
        {"twins\\data", "twins/data"},
        {"twins\\Data", "twins/Data"},
        {"twins\\dATA", "twins/DATA"},
    };
    for (const auto& [written, expected] : cases) {
        EXPECT_EQ(toNativePath(tree.root().string() + "\\" + written), tree.root() / expected) << written;
        test::ScopedWorkingDirectory cwd(tree.root());
        EXPECT_EQ(toNativePath(written), fs::path(expected)) << written << " (relative)";
    }

    test::ScopedWorkingDirectory cwd(tree.root());
    EXPECT_EQ(platform::fullPath("ZAVI3\\.\\textures\\..\\Textures\\ICONS.png"),
              (tree.root() / "zavi3/textures/icons.png").string());
    EXPECT_EQ(platform::fullPath("base\\maps\\"), (tree.root() / "Base/Maps").string());
    EXPECT_EQ(platform::fullPath("."), tree.root().string());
}

TEST(PlatformPaths, SameNameEntriesInOtherCasesResolveWhateverTheListingOrder)
{
    // A folder hands out its entries in an order of its own (hash order on
    // most disks, newest first on others); the smallest name in byte order
    // must win every time.  Several folders, each made in another order, so
    // that the winner is first, last and in between in some listing.
    test::TempFolder tree;
    const std::vector<std::string> names = {"maps", "tiles", "sounds", "music", "sprites", "pictures", "levels"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        std::string upper = names[i], capital = names[i];
        for (char& c : upper)
            c = static_cast<char>(c - 'a' + 'A');
        capital[0] = upper[0];
        std::vector<std::string> spellings = {capital, upper, names[i]};
        std::rotate(spellings.begin(), spellings.begin() + static_cast<std::ptrdiff_t>(i % 3), spellings.end());
        for (const std::string& spelling : spellings)
            fs::create_directories(tree.root() / names[i] / spelling);

        std::string asked = names[i];
        asked.back() = static_cast<char>(asked.back() - 'a' + 'A');
        EXPECT_EQ(toNativePath(tree.root().string() + "\\" + names[i] + "\\" + asked), tree.root() / names[i] / upper)
            << asked;
    }
}

TEST(PlatformPaths, PrefixesLandOnTheRoot)
{
    EXPECT_EQ(toNativePath(""), fs::path());
    EXPECT_EQ(toNativePath("C:\\"), fs::path("/"));
    EXPECT_EQ(toNativePath("c:"), fs::path("/"));
    EXPECT_EQ(toNativePath("D:/no-such-folder/x.txt"), fs::path("/no-such-folder/x.txt"));
    EXPECT_EQ(toNativePath("\\\\server\\share\\x"), fs::path("/server/share/x"));
    EXPECT_EQ(toNativePath("\\no-such-folder"), fs::path("/no-such-folder"));
    EXPECT_EQ(platform::fullPath("C:\\"), "/");
    EXPECT_EQ(platform::fullPath("/a/b/../c/"), "/a/c");
}

TEST(PlatformPaths, IsAbsolutePath)
{
    for (const char* path : {"C:\\x", "c:", "z:relative-on-drive", "\\\\server\\share", "/home/player", "/"})
        EXPECT_TRUE(platform::isAbsolutePath(path)) << path;
    for (const char* path : {"", "C", "\\", "\\x", "maps\\level1", "base/maps", "ab:c", "x"})
        EXPECT_FALSE(platform::isAbsolutePath(path)) << path;
}

} // namespace
