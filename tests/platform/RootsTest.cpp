// The two roots: where they are decided to be, and how relative paths are
// read, listed and written across a user folder (the working directory) and
// a data folder.

#include "platform/FileSystem.hpp"
#include "platform/Paths.hpp"
#include "platform/Roots.hpp"

#include "support/TempFolder.hpp"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

namespace fs = std::filesystem;
using platform::RootLayout;

class RootsPlan : public ::testing::Test {
protected:
    fs::path folder(const std::string& relative) const
    {
        fs::create_directories(tree.root() / relative);
        return tree.root() / relative;
    }
    platform::RootPlan plan(const fs::path& working, const fs::path& executable,
                            std::optional<std::string> xdg = std::nullopt,
                            std::optional<std::string> home = "/home/player") const
    {
        return platform::planRoots({working, executable, std::move(xdg), std::move(home)});
    }

    test::TempFolder tree;
};

TEST_F(RootsPlan, ARunFolderIsTheWorkingFolderOrElseTheExecutables)
{
    const fs::path run = folder("run");
    folder("run/zavi3");
    const fs::path elsewhere = folder("elsewhere");

    platform::RootPlan p = plan(run, run / "kelvane");
    EXPECT_EQ(p.layout, RootLayout::RunFolder);
    EXPECT_EQ(p.dataFolder, run);
    EXPECT_EQ(p.userFolder, run);

    p = plan(elsewhere, run / "kelvane");
    EXPECT_EQ(p.layout, RootLayout::RunFolder);
    EXPECT_EQ(p.dataFolder, run);
    EXPECT_EQ(p.userFolder, run);

    // The working folder's data comes first, even beside an installed tree.
    folder("usr/share/kelvane/zavi3");
    p = plan(run, tree.root() / "usr/bin/kelvane");
    EXPECT_EQ(p.dataFolder, run);
    EXPECT_EQ(p.layout, RootLayout::RunFolder);

    // No data anywhere: today's working folder, for the program to say what
    // it misses.
    p = plan(elsewhere, elsewhere / "kelvane");
    EXPECT_EQ(p.layout, RootLayout::RunFolder);
    EXPECT_EQ(p.dataFolder, elsewhere);
    EXPECT_EQ(p.userFolder, elsewhere);
}

TEST_F(RootsPlan, InstalledDataIsFoundBesideTheExecutableAndTheUserFolderByTheBaseDirectoryRules)
{
    folder("opt/moved/share/kelvane/zavi3");
    const fs::path exe = folder("opt/moved/bin") / "kelvane";
    const fs::path working = folder("anywhere");

    platform::RootPlan p = plan(working, exe, "/xdg/data");
    EXPECT_EQ(p.layout, RootLayout::Installed);
    EXPECT_EQ(p.dataFolder, tree.root() / "opt/moved/share/kelvane");
    EXPECT_EQ(p.userFolder, fs::path("/xdg/data/kelvane"));
    EXPECT_EQ(p.problem, "");

    // Unset, empty and relative values are all passed over for the home
    // folder's default.
    for (const std::optional<std::string>& xdg : {std::optional<std::string>(), std::optional<std::string>(""),
                                                  std::optional<std::string>("relative/data")})
        EXPECT_EQ(plan(working, exe, xdg).userFolder, fs::path("/home/player/.local/share/kelvane"))
            << xdg.value_or("(unset)");
    EXPECT_EQ(plan(working, exe, std::nullopt, "/home/player/").userFolder,
              fs::path("/home/player/.local/share/kelvane"));

    p = plan(working, exe, "data", std::nullopt);
    EXPECT_EQ(p.layout, RootLayout::Installed);
    EXPECT_NE(p.problem, "");
    EXPECT_NE(plan(working, exe, std::nullopt, "home").problem, "");
}

// The data folder is a tree of its own; the user folder is the working
// directory, as the game runs in it.
class TwoRoots : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(user.root().empty());
        ASSERT_FALSE(dataParent.root().empty());
        test::writeFile(data / "base/maps/level01.map", "shipped");
        test::writeFile(data / "base/maps/level02.map", "shipped 2");
        test::writeFile(data / "base/tiles/kelvane.til", "tiles");
        test::writeFile(data / "zavi3/textures/Icons.png", "png");
        cwd.emplace(user.root());
        platform::useFallbackDataFolder(data);
    }
    void TearDown() override { platform::useFallbackDataFolder({}); }

    std::string inData(const std::string& relative) const { return test::readFile(data / relative); }
    std::string inUser(const std::string& relative) const { return test::readFile(user.root() / relative); }

    static std::string read(const std::string& path)
    {
        platform::FileHandle file = platform::openFile(path, "rb");
        if (!file)
            return "(none)";
        std::string text(64, '\0');
        text.resize(std::fread(text.data(), 1, text.size(), file.get()));
        return text;
    }
    static bool write(const std::string& path, const std::string& text, const char* mode = "wb")
    {
        platform::FileHandle file = platform::openFile(path, mode);
        return file && std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    }

    test::TempFolder user, dataParent;
    // One level down, so that its parent is not the user folder's.
    const fs::path data = dataParent.root() / "share";
    std::optional<test::ScopedWorkingDirectory> cwd;
};

TEST_F(TwoRoots, ReadsTakeThePlayersCopyFirstThenTheShippedOne)
{
    EXPECT_EQ(read("BASE\\Maps\\LEVEL01.MAP"), "shipped");
    EXPECT_EQ(platform::toNativePath("base\\maps\\Level01.map"), data / "base/maps/level01.map");
    EXPECT_EQ(platform::toNativePath("zavi3\\Textures\\icons.png"), data / "zavi3/textures/Icons.png");
    EXPECT_EQ(platform::fileStatus("base\\maps\\level02.map").size, 9u);
    EXPECT_TRUE(platform::fileStatus("base\\tiles\\").isDirectory);

    test::writeFile(user.root() / "Base/Maps/Level01.map", "mine");
    EXPECT_EQ(read("base\\maps\\level01.map"), "mine");
    EXPECT_EQ(platform::toNativePath("base\\maps\\level01.map"), fs::path("Base/Maps/Level01.map"));
    EXPECT_EQ(read("base\\maps\\level02.map"), "shipped 2") << "the rest still comes from the data folder";
    EXPECT_EQ(platform::fileStatus("base\\maps\\level01.map").size, 4u);

    // Nowhere: the user folder's place, for a new file.
    EXPECT_EQ(platform::toNativePath("base\\maps\\level09.map"), fs::path("Base/Maps/level09.map"));
    EXPECT_FALSE(platform::fileExists("base\\maps\\level09.map"));
    EXPECT_EQ(platform::toNativePath(""), fs::path());
    // Absolute paths and paths leaving the folder are taken as they are.
    EXPECT_EQ(platform::toNativePath(data.string() + "/base/MAPS"), data / "base/maps");
    test::writeFile(data / "../beside.txt", "beside");
    EXPECT_EQ(read("..\\beside.txt"), "(none)");
    EXPECT_EQ(platform::toNativePath("..\\beside.txt"), fs::path("../beside.txt"));
    EXPECT_EQ(read(".\\base\\tiles\\kelvane.til"), "tiles");

    // The file selector's folders: the player's copy once there is one.
    EXPECT_EQ(platform::fullPath("base\\tiles"), (data / "base/tiles").string());
    EXPECT_EQ(platform::fullPath("BASE\\MAPS\\"), (user.root() / "Base/Maps").string());
}

TEST_F(TwoRoots, ListingsMergeBothRootsWithThePlayersEntriesWinning)
{
    test::writeFile(user.root() / "base/maps/LEVEL01.MAP", "mine!");
    test::writeFile(user.root() / "base/maps/mine.map", "m");
    test::writeFile(user.root() / "base/maps/sub/deep.map", "d");
    test::writeFile(data / "base/maps/sub/shipped.map", "s");

    std::vector<std::pair<std::string, std::uint64_t>> listed;
    for (const platform::DirectoryEntry& e : platform::listDirectory("Base\\Maps"))
        listed.emplace_back(e.name + (e.isDirectory ? "/" : ""), e.size);
    const std::vector<std::pair<std::string, std::uint64_t>> expected = {
        {"LEVEL01.MAP", 5}, {"level02.map", 9}, {"mine.map", 1}, {"sub/", 0}};
    EXPECT_EQ(listed, expected);

    EXPECT_EQ(platform::listFilesRecursive("base"),
              std::vector<std::string>({"maps\\LEVEL01.MAP", "maps\\level02.map", "maps\\mine.map",
                                        "maps\\sub\\deep.map", "maps\\sub\\shipped.map", "tiles\\kelvane.til"}));
    // Only the data folder holds it, or only the player's.
    EXPECT_EQ(platform::listDirectory("zavi3\\textures").size(), 1u);
    EXPECT_EQ(platform::listDirectory("base\\maps\\sub").size(), 2u);
    // The working folder itself, empty path or ".", is the user folder
    // merged with the data folder's top.
    std::vector<std::string> top;
    for (const platform::DirectoryEntry& e : platform::listDirectory(""))
        top.push_back(e.name);
    EXPECT_EQ(top, std::vector<std::string>({"base", "zavi3"}));
    EXPECT_EQ(platform::listDirectory(".").size(), 2u);

    // The file selector names the player's folders by absolute paths: they
    // show and open the shipped files as well.
    const std::string selectorMaps = platform::fullPath("base\\maps");
    ASSERT_EQ(selectorMaps, (user.root() / "base/maps").string());
    EXPECT_EQ(platform::listDirectory(selectorMaps).size(), 4u);
    EXPECT_EQ(read(selectorMaps + "/level02.map"), "shipped 2");
    EXPECT_EQ(read(selectorMaps + "/level01.map"), "mine!");
    EXPECT_EQ(platform::toNativePath(user.root().string() + "/zavi3/textures/icons.png"),
              data / "zavi3/textures/Icons.png");
    EXPECT_EQ(platform::listDirectory(user.root().string()).size(), 2u);
}

TEST_F(TwoRoots, WritesLandInTheUserFolderWithTheFoldersOnTheWay)
{
    ASSERT_TRUE(write("BASE\\MAPS\\level01.map", "edited"));
    EXPECT_EQ(inUser("base/maps/level01.map"), "edited") << "made in the data folder's letter case";
    EXPECT_EQ(inData("base/maps/level01.map"), "shipped");
    EXPECT_EQ(read("base\\maps\\level01.map"), "edited");

    // Appending starts the player's own file rather than touching the shipped one.
    ASSERT_TRUE(write("base\\tiles\\kelvane.til", "+", "ab"));
    EXPECT_EQ(inUser("base/tiles/kelvane.til"), "+");
    EXPECT_EQ(inData("base/tiles/kelvane.til"), "tiles");

    // Folders of the path the data folder lacks are not made.
    EXPECT_FALSE(write("base\\maps\\new\\x.map", "x"));
    EXPECT_FALSE(write("nothing\\x.txt", "x"));
    EXPECT_FALSE(fs::exists(user.root() / "nothing"));
    EXPECT_EQ(platform::toWritablePath("zavi3\\textures\\"), fs::path("zavi3/textures/"));
    EXPECT_TRUE(fs::is_directory(user.root() / "zavi3/textures"));

    EXPECT_TRUE(platform::makeDirectories("base\\maps\\new\\deeper"));
    EXPECT_TRUE(fs::is_directory(user.root() / "base/maps/new/deeper"));
    EXPECT_FALSE(fs::exists(data / "base/maps/new"));

    // Renaming and removing see the player's files only.
    ASSERT_TRUE(write("base\\maps\\level02.tmp", "saved"));
    EXPECT_TRUE(platform::renameFile("base\\maps\\level02.tmp", "base\\maps\\level02.map"));
    EXPECT_EQ(inUser("base/maps/level02.map"), "saved");
    EXPECT_TRUE(platform::removeFile("base\\maps\\level02.map"));
    EXPECT_EQ(read("base\\maps\\level02.map"), "shipped 2") << "the shipped file shows again";
    EXPECT_FALSE(platform::removeFile("base\\maps\\level02.map"));
    EXPECT_FALSE(platform::renameFile("base\\maps\\level02.map", "base\\maps\\gone.map"));
    EXPECT_EQ(inData("base/maps/level02.map"), "shipped 2");

    // Settings and screenshots go to the working folder as they always have.
    ASSERT_TRUE(write("zavi3.ini", "[video]\n", "w"));
    EXPECT_EQ(inUser("zavi3.ini"), "[video]\n");
    EXPECT_FALSE(fs::exists(data / "zavi3.ini"));
}

TEST_F(TwoRoots, ARunFolderReadsAndWritesItsOwnFilesAlone)
{
    platform::useFallbackDataFolder({});
    EXPECT_EQ(read("base\\maps\\level01.map"), "(none)");
    EXPECT_EQ(platform::toNativePath("base\\maps\\level01.map"), fs::path("base/maps/level01.map"));
    EXPECT_EQ(platform::toWritablePath("base\\maps\\level01.map"), fs::path("base/maps/level01.map"));
    EXPECT_TRUE(platform::listDirectory("").empty());
    EXPECT_FALSE(write("base\\maps\\level01.map", "x"));
    EXPECT_TRUE(fs::is_empty(user.root()));
}

} // namespace
