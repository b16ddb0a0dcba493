#include "storage/SafeFile.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using std::filesystem::exists;
using test::readFile;
using test::writeFile;

class SafeFileTest : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string path = folder.file("data.bin");
};

TEST_F(SafeFileTest, CommitReplacesTheTargetOnlyAtTheEnd)
{
    writeFile(path, "old");
    SafeFile out;
    ASSERT_TRUE(out.open(path));
    EXPECT_TRUE(exists(path + ".tmp"));
    EXPECT_TRUE(out.write("new "));
    EXPECT_TRUE(out.write("data", 4));
    EXPECT_EQ(readFile(path), "old");
    EXPECT_TRUE(out.commit());
    EXPECT_EQ(readFile(path), "new data");
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST_F(SafeFileTest, AbandonedFilesLeaveTheTargetAsItWas)
{
    const std::string missing = folder.file("never.dat");
    {
        SafeFile out;
        ASSERT_TRUE(out.open(missing));
        out.write("x");
        out.discard();
        EXPECT_FALSE(out.commit());

        writeFile(path, "precious");
        ASSERT_TRUE(out.open(path));
        out.write("half");
        out.markFailed();
        EXPECT_FALSE(out.write("more"));
        EXPECT_FALSE(out.commit());

        ASSERT_TRUE(out.open(missing));
        ASSERT_TRUE(out.open(path));  // reopening abandons the first file
        out.write("half-written");
    }  // destroyed without commit
    EXPECT_FALSE(exists(missing));
    EXPECT_FALSE(exists(missing + ".tmp"));
    EXPECT_EQ(readFile(path), "precious");
    EXPECT_FALSE(exists(path + ".tmp"));
}

TEST_F(SafeFileTest, FailedOpenOrRename)
{
    writeFile(path, "old");
    std::filesystem::create_directory(path + ".tmp");  // the temporary file cannot be made
    SafeFile out;
    EXPECT_FALSE(out.open(path));
    EXPECT_FALSE(out.write("x"));
    EXPECT_FALSE(out.commit());
    EXPECT_EQ(readFile(path), "old");

    const std::string blocked = folder.file("dir");  // a folder the rename cannot replace
    writeFile(blocked + "/inside", "x");
    ASSERT_TRUE(out.open(blocked));
    out.write("data");
    EXPECT_FALSE(out.commit());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
    EXPECT_FALSE(exists(blocked + ".tmp"));
}

} // namespace
