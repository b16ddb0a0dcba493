#include "storage/IniFile.hpp"

#include "storage/SafeFile.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <tuple>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    IniFile loaded(const std::string& text)
    {
        const std::string path = folder.file("input.ini");
        test::writeFile(path, text);
        IniFile ini;
        EXPECT_TRUE(ini.load(path));
        return ini;
    }

    test::TempFolder folder;
};

// The parsed sections, one per line, with keys and values bracketed so that
// white space shows: "[name] <key>=<value> ...".
std::string layout(const IniFile& ini)
{
    std::string text;
    for (const IniFile::Section& section : ini.sections) {
        text += "[" + section.name + "]";
        for (const auto& [key, value] : section.entries)
            text += " <" + key + ">=<" + value + ">";
        text += "\n";
    }
    return text;
}

TEST_F(IniFileTest, Parsing)
{
    const IniFile ini = loaded("early=1\n[a]\nx=1\n[A]\ny=2\n[ my [odd] name ]\n[]\n[a]\n"
                               "#hash=1\n;semi=2\n ;indented=3\n"      // comments only at the first character
                               "just words\n   \n=5\n  = 6\n [nohead]\n"  // ignored
                               " \t key one   =value  \nkey\t=tab\n"   // only spaces trimmed from a key
                               "a= = 5\nd==\t=x y \ne=\r\ncr=1\r\nlast=3");
    EXPECT_EQ(layout(ini), "[a] <x>=<1> <;indented>=<3> <key one>=<value  > <key\t>=<tab> <a>=<5> <d>=<x y >"
                           " <e>=<> <cr>=<1> <last>=<3>\n[A] <y>=<2>\n[ my odd name ]\n[]\n");
    EXPECT_EQ(ini.currentSection, 0);  // the last header read
}

TEST_F(IniFileTest, Lookups)
{
    EXPECT_EQ(IniFile().getInt("width", 7), 7);  // no section current
    const IniFile ini = loaded("[s]\nWidth=800\nwidth=1024\nempty=\n");
    EXPECT_EQ(ini.getInt("WIDTH", 0), 800);  // keys ignore case, the first wins
    EXPECT_EQ(ini.getInt("missing", 9), 9);
    EXPECT_EQ(ini.getString("missing", "def"), "def");
    EXPECT_EQ(ini.getString("empty", "def"), "def");
    EXPECT_EQ(ini.getString("empty"), "");
}

TEST_F(IniFileTest, Readings)
{
    // A value and what getBool, getInt and getFloat make of it (defaults true,
    // 42, 4.5): anything but a plain decimal number, as a player may type it,
    // counts as absent.
    const std::tuple<const char*, bool, std::int32_t, float> cases[] = {
        {"", true, 42, 4.5f},          {"TRUE", true, 42, 4.5f},      {"tRuE", true, 42, 4.5f},
        {"Yes", true, 42, 4.5f},       {"1", true, 1, 1.0f},          {"0", false, 0, 0.0f},
        {"no", false, 42, 4.5f},       {"on", false, 42, 4.5f},       {"true ", false, 42, 4.5f},
        {"abc", false, 42, 4.5f},      {"12abc", false, 42, 4.5f},    {"  -7", false, -7, -7.0f},
        {"\t+5", false, 5, 5.0f},      {"2.5xyz", false, 42, 4.5f},   {"  .75", false, 42, 0.75f},
        {"2.5", false, 42, 2.5f},      {"3 ", false, 3, 3.0f},        {"-0", false, 0, 0.0f},
        {"1e39", false, 42, 4.5f},     {"1e-3", false, 42, 0.001f},   {"2E2", false, 42, 200.0f},
        {"1e-60", false, 42, 4.5f},    {"1e", false, 42, 4.5f},       {"5.", false, 42, 5.0f},
        {"nan", false, 42, 4.5f},      {"-NaN", false, 42, 4.5f},     {"inf", false, 42, 4.5f},
        {"-infinity", false, 42, 4.5f}, {"0x10", false, 42, 4.5f},    {"0x1p3", false, 42, 4.5f},
        {"1 000", false, 42, 4.5f},    {"+-1", false, 42, 4.5f},      {"-", false, 42, 4.5f},
        {".", false, 42, 4.5f},        {"\xd9\xa3", false, 42, 4.5f}, {"007", false, 7, 7.0f},
        {"2147483647", false, INT_MAX, 2147483647.0f},
        {"-2147483648", false, INT_MIN, -2147483648.0f},
        {"2147483648", false, 42, 2147483648.0f},
        {"-2147483649", false, 42, -2147483649.0f},
        {"99999999999999999999", false, 42, 1e20f},
    };
    IniFile ini;
    ini.selectSection("s");
    for (const auto& [text, flag, number, real] : cases) {
        ini.setString("v", text);
        EXPECT_EQ(ini.getBool("v", true), flag) << text;
        EXPECT_EQ(ini.getInt("v", 42), number) << text;
        EXPECT_FLOAT_EQ(ini.getFloat("v", 4.5f), real) << text;
    }
}

TEST_F(IniFileTest, SettersAndSavedText)
{
    IniFile ini;
    ini.setString("a", "1");  // no section current: ignored
    ini.setComment("c");
    EXPECT_TRUE(ini.sections.empty());

    ini.selectSection("video%d", 3);
    ini.setComment("Display settings\nSecond line");
    ini.setBool("t", true);
    ini.setBool("f", false);
    ini.setFloat("half", 0.5f);
    ini.setFloat("neg", -2.25f);
    ini.setInt("minus", -12);
    ini.setInt("min", INT_MIN);
    ini.setString("MusicVolume", "10");
    ini.setString("musicvolume", "20");  // replaces; the stored key keeps its case
    ini.selectSection("empty");
    ini.selectSection("audio");
    ini.setString("device", "  spaced ");
    ini.selectSection("video3");
    ini.setInt("extra", 1);
    const std::string path = folder.file("out.ini");
    test::writeFile(path, "old contents that are longer than the new ones\n");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(ini.fileName, path);
    EXPECT_EQ(test::readFile(path), "\n[video3]\n; Display settings\n; Second line\nt=True\nf=False\nhalf=0.500000\n"
                                    "neg=-2.250000\nminus=-12\nmin=-2147483648\nMusicVolume=20\nextra=1\n"
                                    "\n[empty]\n"
                                    "\n[audio]\ndevice=  spaced \n");
    EXPECT_FALSE(std::filesystem::exists(SafeFile::tempPathFor(path)));
}

TEST_F(IniFileTest, LoadMergesIntoExistingContent)
{
    IniFile ini;
    ini.selectSection("first");
    ini.setString("old", "1");
    ini.selectSection("second");
    for (const std::string& path : {folder.file("missing.ini"), folder.root().string()}) {
        EXPECT_FALSE(ini.load(path));  // changes nothing
        EXPECT_EQ(ini.lastError, "IniFile::load: Unable to read from " + path);
    }
    EXPECT_EQ(ini.fileName, "");
    test::writeFile(folder.file("merge.ini"), "loose=2\n[first]\nnew=3\n[third]\n");
    ASSERT_TRUE(ini.load(folder.file("merge.ini")));
    // A key line before any header goes to the section current at the start.
    EXPECT_EQ(layout(ini), "[first] <old>=<1> <new>=<3>\n[second] <loose>=<2>\n[third]\n");
    EXPECT_EQ(ini.fileName, folder.file("merge.ini"));
}

TEST_F(IniFileTest, RoundTripThroughDataPath)
{
    IniFile ini = loaded("[a]\nk=v = w\nK=2\n[b]\nKey=Value \n");
    ini.selectSection("a");
    ini.setComment("dropped on reading");
    ini.setFloat("f", 0.25f);
    std::filesystem::create_directory(folder.root() / "Sub");
    ASSERT_TRUE(ini.save(folder.root().string() + "\\sub\\Game.INI"));

    IniFile again;
    ASSERT_TRUE(again.load(folder.root().string() + "\\SUB\\game.ini"));
    ASSERT_TRUE(again.save(folder.file("second.ini")));
    EXPECT_EQ(test::readFile(folder.file("second.ini")), "\n[a]\nk=v = w\nK=2\nf=0.250000\n\n[b]\nKey=Value \n");
    again.selectSection("a");
    EXPECT_FLOAT_EQ(again.getFloat("F", 0.0f), 0.25f);
}

TEST_F(IniFileTest, FailedSaveLeavesTheOldFile)
{
    IniFile ini;
    ini.selectSection("s");
    ini.setInt("a", 1);

    const std::string path = folder.file("settings.ini");
    test::writeFile(path, "old\n");
    std::filesystem::create_directory(SafeFile::tempPathFor(path));  // the temporary file cannot be made
    EXPECT_FALSE(ini.save(path));
    EXPECT_EQ(ini.lastError, "Unable to write to " + path);
    EXPECT_EQ(test::readFile(path), "old\n");
    EXPECT_EQ(ini.fileName, "");
}

} // namespace
