// Runs the build tool that draws the icon sheet and the check boxes, and
// checks the pictures it writes.  Needs no display: images are read on the
// CPU only.

#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#ifndef KV_MAKE_ENGINE_TEXTURES
#error "KV_MAKE_ENGINE_TEXTURES must name the make_engine_textures executable"
#endif

namespace {

namespace fs = std::filesystem;

// Every icon the program's screens, menus, dialogs and cursors ask for.
const std::set<int> usedIcons{2, 3, 8, 10, 11, 15, 16, 17, 21, 22, 24, 34, 38, 39, 50, 53, 54, 61, 63, 72, 75,
    78, 80, 84, 88, 89, 90, 91, 95, 102, 103, 104, 106, 108, 109, 110, 120, 121, 122, 123, 126, 128, 132, 134,
    136, 137, 138, 144, 145, 146, 147, 149, 152, 154, 156, 161, 164, 166, 167, 175, 177, 178, 189, 190};
constexpr int separator = 140;

int cellLeft(int icon) { return (icon % 16) * 64 + 16; }
int cellTop(int icon) { return (icon / 16) * 64 + 16; }

int luminance(sf::Color c) { return (c.r * 299 + c.g * 587 + c.b * 114) / 1000; }
bool isLight(sf::Color c) { return c.a >= 200 && luminance(c) >= 190; }
bool isDark(sf::Color c) { return c.a >= 128 && luminance(c) <= 80; }

int runTool(const std::string& arguments)
{
    const std::string command = std::string("\"") + KV_MAKE_ENGINE_TEXTURES + "\" " + arguments;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::vector<fs::path> filesUnder(const fs::path& folder)
{
    std::vector<fs::path> files;
    if (fs::exists(folder))
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file())
                files.push_back(fs::relative(entry.path(), folder));
    std::sort(files.begin(), files.end());
    return files;
}

// The tool runs once for the whole suite; every test reads its output.
class EngineTexturesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<test::TempFolder>();
        zavi3 = folder->root() / "zavi3";
        exitCode = runTool(quoted(KV_ICON_FONT) + " " + quoted(zavi3) + " 2>/dev/null");
        sheet.loadFromFile((zavi3 / "Textures" / "Icons.png").string());
        checked.loadFromFile((zavi3 / "textures" / "CheckBox_Checked.png").string());
        unchecked.loadFromFile((zavi3 / "textures" / "CheckBox_Unchecked.png").string());
        mouseOver.loadFromFile((zavi3 / "textures" / "CheckBox_MouseOver.png").string());
    }
    static void TearDownTestSuite() { folder.reset(); }

    void SetUp() override
    {
        ASSERT_EQ(exitCode, 0);
        ASSERT_EQ(sheet.getSize(), sf::Vector2u(1024, 1024));
    }

    static sf::Color iconPixel(int icon, int x, int y)
    {
        return sheet.getPixel(unsigned(cellLeft(icon) + x), unsigned(cellTop(icon) + y));
    }

    static inline std::unique_ptr<test::TempFolder> folder;
    static inline fs::path zavi3;
    static inline int exitCode = -1;
    static inline sf::Image sheet, checked, unchecked, mouseOver;
};

TEST_F(EngineTexturesTest, WritesTheFourPicturesAndNothingElse)
{
    const std::vector<fs::path> expected{"Textures/Icons.png", "textures/CheckBox_Checked.png",
        "textures/CheckBox_MouseOver.png", "textures/CheckBox_Unchecked.png"};
    EXPECT_EQ(filesUnder(zavi3), expected);
}

TEST_F(EngineTexturesTest, NothingIsDrawnOutsideTheIconCells)
{
    int strays = 0;
    for (unsigned y = 0; y < 1024; ++y) {
        for (unsigned x = 0; x < 1024; ++x) {
            const bool inCell = x % 64 >= 16 && x % 64 < 48 && y % 64 >= 16 && y % 64 < 48;
            if (!inCell && sheet.getPixel(x, y).a != 0)
                ++strays;
        }
    }
    EXPECT_EQ(strays, 0);
}

TEST_F(EngineTexturesTest, UnusedCellsStayEmpty)
{
    for (int icon = 0; icon < 256; ++icon) {
        if (usedIcons.count(icon) || icon == separator)
            continue;
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                drawn += iconPixel(icon, x, y).a != 0;
        EXPECT_EQ(drawn, 0) << "icon " << icon;
    }
}

TEST_F(EngineTexturesTest, EveryUsedIconIsALightGlyphWithADarkOutline)
{
    const std::pair<int, int> neighbours[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    for (int icon : usedIcons) {
        int light = 0, dark = 0, bareEdges = 0;
        int left = 32, right = -1, top = 32, bottom = -1;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const sf::Color c = iconPixel(icon, x, y);
                light += isLight(c);
                dark += isDark(c);
                if (c.a != 0) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
                // The outline keeps every light pixel off the bare background.
                if (isLight(c))
                    for (const auto& [dx, dy] : neighbours)
                        if (x + dx >= 0 && x + dx < 32 && y + dy >= 0 && y + dy < 32)
                            bareEdges += iconPixel(icon, x + dx, y + dy).a == 0;
            }
        }
        EXPECT_GE(light, 25) << "icon " << icon;
        EXPECT_GE(dark, 25) << "icon " << icon;
        EXPECT_EQ(bareEdges, 0) << "icon " << icon;
        EXPECT_GE(std::max(right - left, bottom - top) + 1, 20) << "icon " << icon << " is too small to read";
    }
}

TEST_F(EngineTexturesTest, UsedIconsAreAllDifferentPictures)
{
    std::set<std::vector<sf::Uint8>> pictures;
    for (int icon : usedIcons) {
        std::vector<sf::Uint8> alpha;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                alpha.push_back(iconPixel(icon, x, y).a);
        EXPECT_TRUE(pictures.insert(alpha).second) << "icon " << icon << " repeats another icon";
    }
}

TEST_F(EngineTexturesTest, SeparatorStaysInsideItsNarrowStrip)
{
    int light = 0, dark = 0, outside = 0;
    std::set<int> rows;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const sf::Color c = iconPixel(separator, x, y);
            if (c.a == 0)
                continue;
            // The strip is columns 26 to 37 of the 64-pixel cell.
            if (x < 10 || x >= 22)
                ++outside;
            light += isLight(c);
            dark += isDark(c);
            rows.insert(y);
        }
    }
    EXPECT_EQ(outside, 0);
    EXPECT_GT(light, 0);
    EXPECT_GT(dark, 0);
    EXPECT_GE(rows.size(), 24u);
}

TEST_F(EngineTexturesTest, CheckBoxesShareOneSquareSize)
{
    const sf::Vector2u size = unchecked.getSize();
    EXPECT_GE(size.x, 16u);
    EXPECT_EQ(size.x, size.y);
    EXPECT_EQ(checked.getSize(), size);
    EXPECT_EQ(mouseOver.getSize(), size);
}

TEST_F(EngineTexturesTest, CheckedBoxAddsATickInsideTheSameFrame)
{
    const unsigned size = unchecked.getSize().x;
    ASSERT_EQ(checked.getSize().x, size);
    const unsigned middle = size / 2;
    const sf::Color face = unchecked.getPixel(middle, middle);
    EXPECT_TRUE(face.a >= 200 && luminance(face) >= 200) << "the empty box has a light face";
    bool frame = false;
    for (unsigned y = 0; y < middle; ++y) {
        const sf::Color c = unchecked.getPixel(middle, y);
        frame = frame || (c.a >= 200 && luminance(c) <= 120);
    }
    EXPECT_TRUE(frame) << "the box has a dark frame";

    // The tick stays in the middle two thirds; around it both pictures are
    // the same box.
    int tick = 0, frameChanges = 0;
    for (unsigned y = 0; y < size; ++y) {
        for (unsigned x = 0; x < size; ++x) {
            const bool inside = x >= size / 6 && x < size * 5 / 6 && y >= size / 6 && y < size * 5 / 6;
            const sf::Color a = checked.getPixel(x, y);
            const sf::Color b = unchecked.getPixel(x, y);
            if (inside)
                tick += a.a >= 200 && luminance(a) < 140 && luminance(b) >= 200;
            else
                frameChanges += a != b;
        }
    }
    EXPECT_GE(tick, int(size));
    EXPECT_EQ(frameChanges, 0);
}

TEST_F(EngineTexturesTest, MouseOverHighlightShowsAroundTheBox)
{
    // The highlight is drawn under the box, so it must reach where the box
    // leaves the picture transparent.
    const unsigned size = mouseOver.getSize().x;
    int aroundTheBox = 0;
    for (unsigned i = 0; i < size; ++i) {
        const std::pair<unsigned, unsigned> edges[] = {{i, 0}, {0, i}, {i, size - 1}, {size - 1, i}};
        for (const auto& [x, y] : edges)
            aroundTheBox += unchecked.getPixel(x, y).a == 0 && mouseOver.getPixel(x, y).a >= 128;
    }
    EXPECT_GE(aroundTheBox, int(size));
}

TEST(EngineTexturesTool, AnUnreadableFontFailsWithoutWritingAnything)
{
    test::TempFolder folder;
    const fs::path notAFont = folder.root() / "font.ttf";
    test::writeFile(notAFont, "this is not a font");
    const fs::path log = folder.root() / "log.txt";

    const fs::path out1 = folder.root() / "missing";
    EXPECT_NE(runTool(quoted(folder.root() / "nowhere.ttf") + " " + quoted(out1) + " 2>" + quoted(log)), 0);
    EXPECT_NE(test::readFile(log).find("nowhere.ttf"), std::string::npos) << "the message names the font";
    EXPECT_TRUE(filesUnder(out1).empty());

    const fs::path out2 = folder.root() / "broken";
    EXPECT_NE(runTool(quoted(notAFont) + " " + quoted(out2) + " 2>" + quoted(log)), 0);
    EXPECT_TRUE(filesUnder(out2).empty());
}

TEST(EngineTexturesTool, WrongArgumentsFail)
{
    EXPECT_NE(runTool(quoted(KV_ICON_FONT) + " 2>/dev/null"), 0);
}

TEST(EngineTexturesTool, RerunReplacesOldPicturesWithIdenticalOnes)
{
    test::TempFolder folder;
    const fs::path zavi3 = folder.root() / "zavi3";
    const std::string arguments = quoted(KV_ICON_FONT) + " " + quoted(zavi3) + " 2>/dev/null";
    ASSERT_EQ(runTool(arguments), 0);
    const std::string first = test::readFile(zavi3 / "Textures" / "Icons.png");

    test::writeFile(zavi3 / "Textures" / "Icons.png", "stale");
    ASSERT_EQ(runTool(arguments), 0);
    EXPECT_EQ(test::readFile(zavi3 / "Textures" / "Icons.png"), first);
    EXPECT_EQ(filesUnder(zavi3).size(), 4u) << "no temporary files are left behind";
}

} // namespace
