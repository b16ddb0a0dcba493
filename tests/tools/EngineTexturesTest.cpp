// Runs the build tool that draws the icon sheet and the check boxes, and
// checks the icon sheet on the CPU, without a display.

#include "support/TempFolder.hpp"
#include "support/BuildPaths.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Every icon the program's screens, menus, dialogs and cursors ask for.
const std::set<int> usedIcons{2, 3, 8, 10, 11, 15, 16, 17, 21, 22, 24, 34, 38, 39, 50, 53, 54, 61, 63, 72, 75,
    78, 80, 84, 88, 89, 90, 91, 95, 102, 103, 104, 106, 108, 109, 110, 120, 121, 122, 123, 126, 128, 132, 134,
    136, 137, 138, 144, 145, 146, 147, 149, 152, 154, 156, 161, 164, 166, 167, 175, 177, 178, 189, 190, 191, 192};
constexpr int separator = 140;

int luminance(sf::Color c) { return (c.r * 299 + c.g * 587 + c.b * 114) / 1000; }
bool isLight(sf::Color c) { return c.a >= 200 && luminance(c) >= 190; }
bool isDark(sf::Color c) { return c.a >= 128 && luminance(c) <= 80; }

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

int runTool(const std::string& arguments)
{
    const int status = std::system((quoted(fs::path(test::built::makeEngineTextures())) + " " + arguments).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<fs::path> filesUnder(const fs::path& folder)
{
    std::set<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.insert(fs::relative(entry.path(), folder));
    return files;
}

TEST(EngineTextures, UsedIconsAreDistinctLightGlyphsWithADarkOutlineInsideTheirCells)
{
    test::TempFolder folder;
    const fs::path zavi3 = folder.root() / "zavi3";
    // Earlier builds drew the sheet into a folder of its own; one textures
    // folder is left.
    test::writeFile(zavi3 / "Textures/Icons.png", "an old sheet");
    ASSERT_EQ(runTool(quoted(fs::path(test::built::iconFont())) + " " + quoted(zavi3) + " 2>/dev/null"), 0);
    EXPECT_EQ(filesUnder(zavi3), std::set<fs::path>({"textures/Icons.png", "textures/CheckBox_Checked.png",
                                                     "textures/CheckBox_MouseOver.png", "textures/CheckBox_Unchecked.png"}));
    EXPECT_FALSE(fs::exists(zavi3 / "Textures"));
    sf::Image sheet;
    ASSERT_TRUE(sheet.loadFromFile((zavi3 / "textures/Icons.png").string()));
    ASSERT_EQ(sheet.getSize(), sf::Vector2u(1024, 1024));
    // Icons sit in the middle 32 by 32 pixels of 64-pixel cells.
    const auto iconPixel = [&](int icon, int x, int y) {
        return sheet.getPixel(unsigned(icon % 16 * 64 + 16 + x), unsigned(icon / 16 * 64 + 16 + y));
    };
    std::set<std::vector<sf::Uint8>> pictures;
    for (int icon = 0; icon < 256; ++icon) {
        // Pixels -16 to 47 of the cell; the icon is 0 to 31, the separator's
        // strip 10 to 21.
        int light = 0, dark = 0, bareEdges = 0, strays = 0, left = 32, right = -1, top = 32, bottom = -1;
        std::vector<sf::Uint8> alpha;
        for (int y = -16; y < 48; ++y)
            for (int x = -16; x < 48; ++x) {
                const sf::Color c = iconPixel(icon, x, y);
                const bool inside = x >= 0 && x < 32 && y >= 0 && y < 32;
                if (inside)
                    alpha.push_back(c.a);
                if (c.a == 0)
                    continue;
                strays += !inside || (icon == separator && (x < 10 || x >= 22));
                light += isLight(c);
                dark += isDark(c);
                left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
                // The outline keeps every light pixel off the bare background.
                for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                    bareEdges += inside && isLight(c) && iconPixel(icon, x + dx, y + dy).a == 0;
            }
        SCOPED_TRACE("icon " + std::to_string(icon));
        EXPECT_EQ(strays, 0);
        if (!usedIcons.count(icon) && icon != separator) {
            EXPECT_EQ(right, -1) << "unused cells stay empty";
            continue;
        }
        EXPECT_GE(light, 25);
        EXPECT_GE(dark, 25);
        EXPECT_EQ(bareEdges, 0);
        EXPECT_GE(std::max(right - left, bottom - top) + 1, icon == separator ? 24 : 20) << "too small to read";
        EXPECT_TRUE(pictures.insert(alpha).second) << "repeats another icon";
    }
}

TEST(EngineTexturesTool, BadArgumentsFailWithoutWritingAnything)
{
    test::TempFolder folder;
    test::writeFile(folder.root() / "font.ttf", "this is not a font");
    const fs::path log = folder.root() / "log.txt";
    EXPECT_NE(runTool(quoted(folder.root() / "nowhere.ttf") + " " + quoted(folder.root() / "a") + " 2>" + quoted(log)), 0);
    EXPECT_NE(test::readFile(log).find("nowhere.ttf"), std::string::npos) << "the message names the font";
    EXPECT_NE(runTool(quoted(folder.root() / "font.ttf") + " " + quoted(folder.root() / "b") + " 2>/dev/null"), 0);
    EXPECT_NE(runTool(quoted(fs::path(test::built::iconFont())) + " 2>/dev/null"), 0);
    EXPECT_EQ(filesUnder(folder.root()), std::set<fs::path>({"font.ttf", "log.txt"}));
}

} // namespace
