#include "platform/FileSystem.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// The names in a folder as they are on disk, in byte order.
Names onDisk(const fs::path& folder)
{
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every test runs in a fresh tree that is the working directory.
class PlatformFileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.root().empty());
        cwd.emplace(tree.root());
        test::writeFile("Base/SaveGames/001.sav", "12345");
        test::writeFile("zavi3/textures/icons.png", "png!");
    }

    test::TempFolder tree;
    std::optional<test::ScopedWorkingDirectory> cwd;
};

TEST_F(PlatformFileSystem, Status)
{
    const platform::FileStatus file = platform::fileStatus("BASE\\savegames\\001.SAV");
    EXPECT_TRUE(file.exists);
    EXPECT_FALSE(file.isDirectory);
    EXPECT_EQ(file.size, 5u);
    const platform::FileStatus folder = platform::fileStatus("base\\SAVEGAMES\\");
    EXPECT_TRUE(folder.exists && folder.isDirectory);
    EXPECT_EQ(folder.size, 0u);
    EXPECT_FALSE(platform::fileExists("base\\savegames\\002.sav"));
    EXPECT_FALSE(platform::fileExists(""));
    EXPECT_EQ(platform::currentDirectory(), tree.root().string());
}

TEST_F(PlatformFileSystem, Listings)
{
    const std::pair<const char*, const char*> files[] = {
        {"list/b.txt", "bb"}, {"list/A.txt", "a"}, {"list/c", ""}, {"list/a.TXT", "aaa"}};
    for (const auto& [name, content] : files)
        test::writeFile(name, content);
    fs::create_directories("list/Sub/deep");
    test::writeFile("list/Sub/deep/Z.wav", "");
    test::writeFile("list/Sub/y.wav", "");

    const auto entries = platform::listDirectory("LIST");
    Names names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    // Letter case ignored, ties in byte order.
    EXPECT_EQ(names, (Names{"A.txt", "a.TXT", "b.txt", "c", "Sub"}));
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[1].size, 3u);
    EXPECT_FALSE(entries[1].isDirectory);
    EXPECT_TRUE(entries[4].isDirectory);
    EXPECT_TRUE(platform::listDirectory("no-such-folder").empty());

    EXPECT_EQ(platform::listFilesRecursive("list"),
              (Names{"A.txt", "a.TXT", "b.txt", "c", "Sub\\deep\\Z.wav", "Sub\\y.wav"}));
    EXPECT_TRUE(platform::listFilesRecursive("no-such-folder").empty());
}

TEST_F(PlatformFileSystem, RemoveAndRename)
{
    test::writeFile("Base/SaveGames/001.tmp", "new");
    // An existing target is replaced whatever its letter case.
    ASSERT_TRUE(platform::renameFile("base\\savegames\\001.tmp", "BASE\\SAVEGAMES\\001.SAV"));
    EXPECT_EQ(onDisk("Base/SaveGames"), Names{"001.sav"});
    EXPECT_EQ(test::readFile("Base/SaveGames/001.sav"), "new");
    ASSERT_TRUE(platform::renameFile("base\\savegames\\001.sav", "base\\savegames\\Slot1.sav"));
    EXPECT_EQ(onDisk("Base/SaveGames"), Names{"Slot1.sav"});
    ASSERT_TRUE(platform::renameFile("base\\savegames\\slot1.sav", "base\\savegames\\SLOT1.SAV"));
    EXPECT_EQ(onDisk("Base/SaveGames"), Names{"SLOT1.SAV"});
    EXPECT_FALSE(platform::renameFile("base\\savegames\\missing.sav", "base\\savegames\\x.sav"));

    EXPECT_FALSE(platform::removeFile("base\\savegames"));  // not a folder
    EXPECT_TRUE(platform::removeFile("base\\savegames\\slot1.sav"));
    EXPECT_TRUE(onDisk("Base/SaveGames").empty());
    EXPECT_FALSE(platform::removeFile("base\\savegames\\slot1.sav"));
}

TEST_F(PlatformFileSystem, WritingThroughDifferentlyCasedFolders)
{
    EXPECT_TRUE(platform::makeDirectories("ZAVI3\\Screenshots\\2024"));
    EXPECT_EQ(onDisk("zavi3"), (Names{"Screenshots", "textures"}));
    EXPECT_FALSE(platform::makeDirectories("zavi3\\textures\\icons.png\\sub"));

    auto out = platform::openFile("ZAVI3\\TEXTURES\\Notes.txt", "wt");
    ASSERT_TRUE(out);
    std::fputs("hello", out.get());
    out = platform::openFile("zavi3\\textures\\ICONS.PNG", "wb");  // the existing file is the one written
    ASSERT_TRUE(out);
    std::fputs("PNG", out.get());
    out.reset();
    EXPECT_EQ(onDisk("zavi3/textures"), (Names{"Notes.txt", "icons.png"}));
    EXPECT_EQ(test::readFile("zavi3/textures/Notes.txt"), "hello");
    EXPECT_EQ(test::readFile("zavi3/textures/icons.png"), "PNG");
    EXPECT_TRUE(platform::openFile("Zavi3/Textures/notes.TXT", "rb"));
    EXPECT_FALSE(platform::openFile("zavi3\\missing\\x.txt", "wb"));
}

TEST_F(PlatformFileSystem, DriveList)
{
    test::ScopedEnv home("HOME", (tree.root().string() + "/").c_str());
    EXPECT_EQ(platform::driveList(), (Names{"/", tree.root().string()}));
    for (const char* value : {"/", "relative", "/no-such-folder", static_cast<const char*>(nullptr)}) {
        home.set(value);
        EXPECT_EQ(platform::driveList(), Names{"/"}) << (value ? value : "(unset)");
    }
}

} // namespace
