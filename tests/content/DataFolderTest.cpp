// The data folder the build makes: the same bytes from every run of the
// generator, within its size budget, and every game file in it accepted by
// the game's own loaders through kelvane-tool.

#include "support/TempFolder.hpp"
#include "tools/RunTool.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#ifndef KV_MAKE_GAME_CONTENT
#error "KV_MAKE_GAME_CONTENT must name the content generator"
#endif

namespace fs = std::filesystem;

namespace {

// Every file below the folder, as paths relative to it, in name order.
std::vector<fs::path> filesBelow(const fs::path& root)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            files.push_back(fs::relative(entry.path(), root));
    std::sort(files.begin(), files.end());
    return files;
}

class DataFolderTest : public ::testing::Test {
protected:
    // One fresh run of the generator for the whole suite.
    static void SetUpTestSuite()
    {
        fresh = std::make_unique<test::TempFolder>();
        const std::string command = "'" KV_MAKE_GAME_CONTENT "' '" KV_CONTENT_DIR "' '" KV_FONTS_DIR "' '" +
                                    fresh->file("base") + "' >'" + fresh->file("generator.log") + "' 2>&1";
        generatorStatus = std::system(command.c_str());
    }
    static void TearDownTestSuite() { fresh.reset(); }

    static fs::path freshBase() { return fresh->root() / "base"; }

    static inline std::unique_ptr<test::TempFolder> fresh;
    static inline int generatorStatus = -1;
};

TEST_F(DataFolderTest, EveryRunOfTheGeneratorMakesTheSameBytes)
{
    ASSERT_EQ(generatorStatus, 0) << test::readFile(fresh->root() / "generator.log");
    const fs::path built = fs::path(KV_RUN_FOLDER) / "base";
    const std::vector<fs::path> files = filesBelow(freshBase());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        ASSERT_TRUE(fs::exists(built / file)) << file << " was not made by the build";
        EXPECT_TRUE(test::readFile(freshBase() / file) == test::readFile(built / file))
            << file << " differs between two runs of the generator";
    }
}

TEST_F(DataFolderTest, StaysWithinItsSizeBudget)
{
    ASSERT_EQ(generatorStatus, 0);
    std::uintmax_t total = 0;
    for (const fs::path& file : filesBelow(freshBase()))
        total += fs::file_size(freshBase() / file);
    EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST_F(DataFolderTest, TheGameAcceptsEveryTilesetMapAndSprite)
{
    ASSERT_EQ(generatorStatus, 0);
    const std::set<std::string> gameFiles{".til", ".map", ".spr"};
    int checked = 0;
    for (const fs::path& file : filesBelow(freshBase())) {
        if (!gameFiles.count(file.extension().string()))
            continue;
        const test::ToolResult result = test::runTool(*fresh, "check 'base/" + file.string() + "'");
        EXPECT_EQ(result.status, 0) << file << ": " << result.err;
        ++checked;
    }
    // The tileset, twelve levels and four sprites at the very least.
    EXPECT_GE(checked, 17);
}

} // namespace
