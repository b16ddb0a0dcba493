#include "storage/SafeFile.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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
    EXPECT_TRUE(exists(folder.file(".data.bin.tmp")));
    EXPECT_TRUE(out.write("new "));
    EXPECT_TRUE(out.write("data", 4));
    EXPECT_EQ(readFile(path), "old");
    EXPECT_TRUE(out.commit());
    EXPECT_EQ(readFile(path), "new data");
    EXPECT_FALSE(exists(SafeFile::tempPathFor(path)));
}

// Beside the target and hidden, so that file lists pass by one a killed
// program left; a picture's keeps its extension, by which it is written.
TEST_F(SafeFileTest, TemporaryFilesAreHiddenBesideTheirTarget)
{
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"zavi3.ini", false, ".zavi3.ini.tmp"},
        {"base\\savegames\\000.sav", false, "base\\savegames\\.000.sav.tmp"},
        {"/home/ann/maps/lawn.map", false, "/home/ann/maps/.lawn.map.tmp"},
        {"shots/tiles.png", true, "shots/.tiles.tmp.png"},
        {"shots.d/sheet", true, "shots.d/.sheet.tmp"},
        {"shots/.png", true, "shots/..png.tmp"},
    };
    for (const auto& [target, keepExtension, temp] : cases)
        EXPECT_EQ(SafeFile::tempPathFor(target, keepExtension), temp) << target;
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
    EXPECT_FALSE(exists(SafeFile::tempPathFor(missing)));
    EXPECT_EQ(readFile(path), "precious");
    EXPECT_FALSE(exists(SafeFile::tempPathFor(path)));
}

TEST_F(SafeFileTest, FailedOpenOrRename)
{
    writeFile(path, "old");
    std::filesystem::create_directory(SafeFile::tempPathFor(path));  // the temporary file cannot be made
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
    EXPECT_FALSE(exists(SafeFile::tempPathFor(blocked)));
}

} // namespace
