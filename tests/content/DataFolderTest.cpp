// The data folder the build makes: the same bytes from every run of the
// generator, within its size budget, and every game file in it accepted by
// the game's own loaders through kelvane-tool.

#include "support/TempFolder.hpp"
#include "support/BuildPaths.hpp"
#include "tools/RunTool.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

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

fs::path builtBase() { return fs::path(test::built::runFolder()) / "base"; }

TEST(DataFolderTest, EveryRunOfTheGeneratorMakesTheSameBytes)
{
    test::TempFolder fresh;
    const std::string command = "'" + test::built::makeGameContent() + "' '" + test::built::contentFolder() + "' '" +
                                test::built::fontsFolder() + "' '" +
                                fresh.file("base") + "' >'" + fresh.file("generator.log") + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << test::readFile(fresh.root() / "generator.log");
    const std::vector<fs::path> files = filesBelow(fresh.root() / "base");
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        ASSERT_TRUE(fs::exists(builtBase() / file)) << file << " was not made by the build";
        EXPECT_TRUE(test::readFile(fresh.root() / "base" / file) == test::readFile(builtBase() / file))
            << file << " differs between two runs of the generator";
    }
}

// The build's data folder is the generator's output (see above), so the
// remaining checks look at it rather than making it again.
TEST(DataFolderTest, StaysWithinItsSizeBudget)
{
    std::uintmax_t total = 0;
    for (const fs::path& file : filesBelow(builtBase()))
        total += fs::file_size(builtBase() / file);
    EXPECT_GT(total, 0u);
    EXPECT_LT(total, 40u * 1024 * 1024);
}

TEST(DataFolderTest, TheGameAcceptsEveryTilesetMapAndSprite)
{
    test::TempFolder folder;
    fs::create_directory_symlink(builtBase(), folder.root() / "base");
    const std::set<std::string> gameFiles{".til", ".map", ".spr"};
    int checked = 0;
    for (const fs::path& file : filesBelow(builtBase())) {
        if (!gameFiles.count(file.extension().string()))
            continue;
        const test::ToolResult result = test::runTool(folder, "check 'base/" + file.string() + "'");
        EXPECT_EQ(result.status, 0) << file << ": " << result.err;
        ++checked;
    }
    // The tileset, twelve levels and four sprites at the very least.
    EXPECT_GE(checked, 17);
}

} // namespace
