#include "storage/SafeFile.hpp"

#include "storage/StorageTestSupport.hpp"

#include <gtest/gtest.h>

#include <filesystem>

using storagetest::exists;
using storagetest::readText;
using storagetest::TempFolder;
using storagetest::writeText;

TEST(SafeFileTest, TempPathIsBesideTarget)
{
    EXPECT_EQ(SafeFile::tempPathFor("base\\game.ini"), "base\\game.ini.tmp");
}

TEST(SafeFileTest, CommitReplacesTarget)
{
    TempFolder folder;
    const std::string path = folder.file("data.bin");
    writeText(path, "old");
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    EXPECT_TRUE(out.isOpen());
    EXPECT_EQ(out.targetPath(), path);
    EXPECT_EQ(out.tempPath(), path + ".tmp");
    EXPECT_TRUE(exists(path + ".tmp"));
    EXPECT_TRUE(out.write("new "));
    EXPECT_TRUE(out.write("data", 4));
    // Until the commit the old file is untouched.
    EXPECT_EQ(readText(path), "old");
    EXPECT_TRUE(out.commit());
    EXPECT_FALSE(out.isOpen());
    EXPECT_EQ(readText(path), "new data");
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(SafeFileTest, CommitCreatesMissingTarget)
{
    TempFolder folder;
    const std::string path = folder.file("fresh.txt");
    SafeFile out;
    ASSERT_TRUE(out.open(path, SafeFile::Mode::Text));
    out.write("line\n");
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(readText(path), "line\n");
}

TEST(SafeFileTest, DestructionWithoutCommitLeavesOldFile)
{
    TempFolder folder;
    const std::string path = folder.file("keep.dat");
    writeText(path, "precious");
    {
        SafeFile out;
        ASSERT_TRUE(out.open(path));
        out.write("half-written");
    }
    EXPECT_EQ(readText(path), "precious");
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(SafeFileTest, DiscardLeavesMissingTargetMissing)
{
    TempFolder folder;
    const std::string path = folder.file("never.dat");
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    out.write("x");
    out.discard();
    EXPECT_FALSE(out.isOpen());
    EXPECT_FALSE(exists(path));
    EXPECT_FALSE(exists(path + ".tmp"));
    EXPECT_FALSE(out.commit());
}

TEST(SafeFileTest, FailedContentIsNotCommitted)
{
    TempFolder folder;
    const std::string path = folder.file("keep.dat");
    writeText(path, "old");
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    out.write("partial");
    out.markFailed();
    EXPECT_TRUE(out.failed());
    EXPECT_FALSE(out.write("more"));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readText(path), "old");
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(SafeFileTest, UncreatableTemporaryFileFailsOpen)
{
    TempFolder folder;
    const std::string path = folder.file("x.dat");
    writeText(path, "old");
    std::filesystem::create_directory(path + ".tmp");
    SafeFile out;
    EXPECT_FALSE(out.open(path));
    EXPECT_FALSE(out.isOpen());
    EXPECT_FALSE(out.write("x"));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readText(path), "old");
    EXPECT_TRUE(std::filesystem::is_directory(path + ".tmp"));
}

TEST(SafeFileTest, FailedRenameRemovesTemporaryFile)
{
    TempFolder folder;
    const std::string path = folder.file("dir");
    std::filesystem::create_directory(path);
    writeText(path + "/inside", "x");
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    out.write("data");
    EXPECT_FALSE(out.commit());
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST(SafeFileTest, ReopeningAbandonsThePreviousFile)
{
    TempFolder folder;
    const std::string first = folder.file("first.dat");
    const std::string second = folder.file("second.dat");
    SafeFile out;
    ASSERT_TRUE(out.open(first));
    out.write("1");
    ASSERT_TRUE(out.open(second));
    EXPECT_FALSE(exists(first + ".tmp"));
    out.write("2");
    ASSERT_TRUE(out.commit());
    EXPECT_FALSE(exists(first));
    EXPECT_EQ(readText(second), "2");
}

TEST(SafeFileTest, DataPathsAreMapped)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.root() / "SaveGames");
    const std::string path = folder.root().string() + "\\savegames\\001.sav";
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    out.write("s");
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(readText((folder.root() / "SaveGames" / "001.sav").string()), "s");
}
