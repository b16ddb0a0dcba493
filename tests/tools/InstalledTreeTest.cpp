// The game and the tool copied into an installed tree (bin/ beside
// share/kelvane/) and run as real programs without a display: their command
// lines, where the game puts its user folder, and the tool on installed data.

#include "tools/RunTool.hpp"
#include "support/BuildPaths.hpp"
#include "world/WorldFiles.hpp"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

namespace fs = std::filesystem;

// Every file below a folder with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files[entry.path().lexically_relative(folder).string()] = entry.is_regular_file() ? test::readFile(entry) : "/";
    return files;
}

class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(tree.root().empty());
        fs::create_directories(prefix / "bin");
        fs::copy_file(test::built::runFolder() + "/kelvane", prefix / "bin/kelvane");
        fs::copy_file(test::built::kelvaneTool(), prefix / "bin/kelvane-tool");
        fs::create_directories(data / "zavi3");
        test::writeFile(data / "base/maps/level01.map", test::mapFile(3, "Shipped"));
        test::writeFile(data / "base/tiles/kelvane.til", test::tilesetFile("Shipped tiles"));
        fs::create_directories(home);
        fs::create_directories(work);
        shipped = contents(data);
    }

    // Runs an installed program in the work folder with HOME set to the
    // test's and XDG_DATA_HOME as given (unset when empty).
    test::ToolResult run(const std::string& program, const std::string& arguments, const std::string& xdg = "") const
    {
        const std::string environment = (xdg.empty() ? "-u XDG_DATA_HOME " : "XDG_DATA_HOME='" + xdg + "' ") +
                                        "HOME='" + home.string() + "' KELVANE_MESSAGEBOX=ok ";
        return test::runCommand(work, environment + "'" + (prefix / "bin" / program).string() + "' " + arguments,
                                tree.root());
    }

    static unsigned mode(const fs::path& folder)
    {
        struct stat info {};
        return ::stat(folder.c_str(), &info) == 0 ? info.st_mode & 07777u : 0u;
    }

    test::TempFolder tree;
    const fs::path prefix = tree.root() / "opt/kelvane";
    const fs::path data = prefix / "share/kelvane";
    const fs::path home = tree.root() / "home";
    const fs::path work = tree.root() / "work";
    std::map<std::string, std::string> shipped;
};

TEST_F(InstalledTree, HelpAndVersionPrintAndTouchNothing)
{
    test::ToolResult r = run("kelvane", "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Kelvane " KELVANE_VERSION "\n");
    EXPECT_EQ(r.err, "");

    r = run("kelvane", "-base mymod --help");
    EXPECT_EQ(r.status, 0);
    for (const char* part : {"Usage: kelvane [-base FOLDER]", "--help", "--version", "zavi3.ini", "kelvane.ini",
                             "$XDG_DATA_HOME/kelvane", "~/.local/share/kelvane"})
        EXPECT_NE(r.out.find(part), std::string::npos) << part;
    EXPECT_EQ(r.err, "");

    r = run("kelvane-tool", "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "kelvane-tool " KELVANE_VERSION "\n");
    EXPECT_NE(run("kelvane-tool", "--help").out.find("kelvane-tool --help | --version"), std::string::npos);

    EXPECT_TRUE(fs::is_empty(home));
    EXPECT_TRUE(fs::is_empty(work));
    EXPECT_EQ(contents(data), shipped);
}

TEST_F(InstalledTree, TheGameMakesItsPrivateUserFolderAndWorksThere)
{
    // Without a display the game ends soon after it has set up its folders.
    test::ToolResult r = run("kelvane", "");
    EXPECT_NE(r.status, 0);
    const fs::path user = home / ".local/share/kelvane";
    ASSERT_TRUE(fs::is_directory(user)) << r.err;
    for (const fs::path& made : {home / ".local", home / ".local/share", user})
        EXPECT_EQ(mode(made), 0700u) << made;
    EXPECT_TRUE(fs::is_empty(work)) << "the working folder it was started in";

    const fs::path xdg = tree.root() / "xdg";
    r = run("kelvane", "", xdg.string());
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(fs::is_directory(xdg / "kelvane"));
    EXPECT_EQ(contents(data), shipped);

    // A run folder beside the executable wins over the installed data.
    fs::create_directories(prefix / "bin/zavi3");
    fs::remove_all(xdg);
    run("kelvane", "", xdg.string());
    EXPECT_FALSE(fs::exists(xdg));
}

TEST_F(InstalledTree, TheToolReadsInstalledDataAndWritesWhereItWasStarted)
{
    test::ToolResult r = run("kelvane-tool", "info base\\\\maps\\\\LEVEL01.map");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind(R"({"kind":"map","version":3,"title":"Shipped",)", 0), 0u) << r.out;

    // The map's tileset comes from the installed data too: no black tiles.
    r = run("kelvane-tool", "render-map base/maps/level01.map field.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(fs::exists(work / "field.png"));

    // A copy in the working folder stands in for the installed file.
    test::writeFile(work / "base/maps/level01.map", test::mapFile(2, "Mine"));
    r = run("kelvane-tool", "info base/maps/level01.map");
    EXPECT_EQ(r.out.rfind(R"({"kind":"map","version":2,"title":"Mine",)", 0), 0u) << r.out;

    EXPECT_TRUE(fs::is_empty(home));
    EXPECT_EQ(contents(data), shipped);
}

} // namespace
