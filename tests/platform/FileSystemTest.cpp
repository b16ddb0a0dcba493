#include "platform/FileSystem.hpp"

#include "platform/PlatformTestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>

namespace fs = std::filesystem;
using platform_test::EnvironmentGuard;
using platform_test::TempFolder;
using platform_test::WorkingDirectoryGuard;

namespace {

std::string readWhole(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> namesOf(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class PlatformFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.path().empty());
        cwd.emplace(tree.path());
        tree.write("Base/SaveGames/001.sav", "12345");
        tree.write("zavi3/textures/icons.png", "png!");
    }

    TempFolder tree;
    std::optional<WorkingDirectoryGuard> cwd;
};

TEST_F(PlatformFileSystem, StatusThroughTheCaseMapping)
{
    const platform::FileStatus file = platform::fileStatus("BASE\\savegames\\001.SAV");
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isDirectory);
    EXPECT_EQ(file.size, 5u);

    const platform::FileStatus folder = platform::fileStatus("base\\SAVEGAMES\\");
    EXPECT_TRUE(folder.exists);
    EXPECT_TRUE(folder.isDirectory);

    EXPECT_FALSE(platform::fileStatus("base\\savegames\\002.sav").exists);
    EXPECT_FALSE(platform::fileStatus("").exists);
    EXPECT_TRUE(platform::fileExists("Zavi3/Textures/Icons.PNG"));
    EXPECT_FALSE(platform::fileExists("zavi3\\textures\\missing.png"));
}

TEST_F(PlatformFileSystem, ListDirectoryIsSortedWithoutDotEntries)
{
    tree.write("list/b.txt", "bb");
    tree.write("list/A.txt", "a");
    tree.write("list/c", "");
    tree.write("list/a.TXT", "aaa");
    tree.mkdir("list/Sub");

    const auto entries = platform::listDirectory("LIST");
    std::vector<std::string> names;
    for (const auto& e : entries)
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"A.txt", "a.TXT", "b.txt", "c", "Sub"}));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].size, 3u);
    EXPECT_FALSE(entries[1].isDirectory);
    EXPECT_TRUE(entries[4].isDirectory);

    EXPECT_TRUE(platform::listDirectory("no-such-folder").empty());
    // An empty folder name lists the working directory.
    std::vector<std::string> top;
    for (const auto& e : platform::listDirectory(""))
        top.push_back(e.name);
    EXPECT_EQ(top, (std::vector<std::string>{"Base", "list", "zavi3"}));
}

TEST_F(PlatformFileSystem, ListFilesRecursiveUsesBackslashesAndSkipsFolders)
{
    tree.write("sound/Zap.wav");
    tree.write("sound/amb/Wind.ogg");
    tree.write("sound/amb/birds.ogg");
    tree.write("sound/Mower/idle.wav");
    tree.mkdir("sound/empty");

    EXPECT_EQ(platform::listFilesRecursive("SOUND"),
              (std::vector<std::string>{"amb\\birds.ogg", "amb\\Wind.ogg", "Mower\\idle.wav", "Zap.wav"}));
    EXPECT_TRUE(platform::listFilesRecursive("no-such-folder").empty());
}

TEST_F(PlatformFileSystem, RemoveFileDeletesFilesOnly)
{
    EXPECT_TRUE(platform::removeFile("base\\savegames\\001.SAV"));
    EXPECT_FALSE(fs::exists(tree.path() / "Base/SaveGames/001.sav"));
    EXPECT_FALSE(platform::removeFile("base\\savegames\\001.sav"));
    EXPECT_FALSE(platform::removeFile("base\\savegames"));
    EXPECT_TRUE(fs::is_directory(tree.path() / "Base/SaveGames"));
}

TEST_F(PlatformFileSystem, RenameReplacesTheTargetWhateverItsCase)
{
    tree.write("Base/SaveGames/001.tmp", "new");
    ASSERT_TRUE(platform::renameFile("base\\savegames\\001.tmp", "BASE\\SAVEGAMES\\001.SAV"));
    EXPECT_EQ(namesOf(tree.path() / "Base/SaveGames"), std::vector<std::string>{"001.sav"});
    EXPECT_EQ(readWhole(tree.path() / "Base/SaveGames/001.sav"), "new");

    ASSERT_TRUE(platform::renameFile("base\\savegames\\001.sav", "base\\savegames\\Slot1.sav"));
    EXPECT_EQ(namesOf(tree.path() / "Base/SaveGames"), std::vector<std::string>{"Slot1.sav"});

    // Only the letter case changes.
    ASSERT_TRUE(platform::renameFile("base\\savegames\\slot1.sav", "base\\savegames\\SLOT1.SAV"));
    EXPECT_EQ(namesOf(tree.path() / "Base/SaveGames"), std::vector<std::string>{"SLOT1.SAV"});

    EXPECT_FALSE(platform::renameFile("base\\savegames\\missing.sav", "base\\savegames\\x.sav"));
}

TEST_F(PlatformFileSystem, MakeDirectoriesReusesExistingFolders)
{
    EXPECT_TRUE(platform::makeDirectories("ZAVI3\\Screenshots\\2024"));
    EXPECT_TRUE(fs::is_directory(tree.path() / "zavi3/Screenshots/2024"));
    EXPECT_TRUE(platform::makeDirectories("zavi3\\screenshots"));
    EXPECT_EQ(namesOf(tree.path() / "zavi3"), (std::vector<std::string>{"Screenshots", "textures"}));
    EXPECT_FALSE(platform::makeDirectories("zavi3\\textures\\icons.png\\sub"));
}

TEST_F(PlatformFileSystem, OpenFileWritesIntoDifferentlyCasedFolders)
{
    {
        auto out = platform::openFile("ZAVI3\\TEXTURES\\Notes.txt", "wt");
        ASSERT_TRUE(out);
        std::fputs("hello", out.get());
    }
    EXPECT_EQ(readWhole(tree.path() / "zavi3/textures/Notes.txt"), "hello");

    {
        // An existing file in another case is the one written.
        auto out = platform::openFile("zavi3\\textures\\ICONS.PNG", "wb");
        ASSERT_TRUE(out);
        std::fputs("PNG", out.get());
    }
    EXPECT_EQ(namesOf(tree.path() / "zavi3/textures"), (std::vector<std::string>{"Notes.txt", "icons.png"}));
    EXPECT_EQ(readWhole(tree.path() / "zavi3/textures/icons.png"), "PNG");

    {
        auto in = platform::openFile("Zavi3/Textures/notes.TXT", "rb");
        ASSERT_TRUE(in);
        std::array<char, 16> buffer{};
        EXPECT_EQ(std::fread(buffer.data(), 1, buffer.size(), in.get()), 5u);
    }

    EXPECT_FALSE(platform::openFile("zavi3\\missing\\x.txt", "wb"));
    EXPECT_FALSE(platform::openFile("zavi3\\textures\\missing.txt", "rb"));
}

TEST_F(PlatformFileSystem, DriveListHoldsTheRootAndHome)
{
    EnvironmentGuard home("HOME", (tree.str() + "/").c_str());
    EXPECT_EQ(platform::driveList(), (std::vector<std::string>{"/", tree.str()}));
    home.set((tree.str() + "/missing").c_str());
    EXPECT_EQ(platform::driveList(), std::vector<std::string>{"/"});
    home.set("/");
    EXPECT_EQ(platform::driveList(), std::vector<std::string>{"/"});
    home.set(nullptr);
    EXPECT_EQ(platform::driveList(), std::vector<std::string>{"/"});
}

TEST_F(PlatformFileSystem, CurrentDirectoryIsTheWorkingDirectory)
{
    EXPECT_EQ(platform::currentDirectory(), tree.str());
}

} // namespace
