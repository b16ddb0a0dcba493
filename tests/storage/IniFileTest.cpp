#include "storage/IniFile.hpp"

#include "storage/StorageTestSupport.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

using storagetest::readText;
using storagetest::TempFolder;
using storagetest::writeText;

namespace {

// Loads the text into a fresh IniFile.
class IniFileTest : public ::testing::Test {
protected:
    IniFile loaded(const std::string& text)
    {
        const std::string path = folder.file("input.ini");
        writeText(path, text);
        IniFile ini;
        EXPECT_TRUE(ini.load(path));
        return ini;
    }

    TempFolder folder;
};

} // namespace

TEST_F(IniFileTest, ConstructedEmpty)
{
    IniFile ini;
    EXPECT_TRUE(ini.lastError.empty());
    EXPECT_TRUE(ini.fileName.empty());
    EXPECT_EQ(ini.currentSection, -1);
    EXPECT_TRUE(ini.sections.empty());
    EXPECT_TRUE(ini.replaceExistingKeys);
    EXPECT_TRUE(ini.mergeSections);
    EXPECT_EQ(ini.getString("x"), "");
    EXPECT_EQ(ini.getInt("x", 7), 7);
}

TEST_F(IniFileTest, LoadMissingFileFailsAndKeepsContent)
{
    IniFile ini;
    ini.selectSection("keep");
    ini.setString("a", "1");
    const std::string path = folder.file("missing.ini");
    EXPECT_FALSE(ini.load(path));
    EXPECT_EQ(ini.lastError, "IniFile::load: Unable to read from " + path);
    ASSERT_EQ(ini.sections.size(), 1u);
    EXPECT_EQ(ini.getString("a"), "1");
    EXPECT_TRUE(ini.fileName.empty());
}

TEST_F(IniFileTest, LoadFolderFails)
{
    IniFile ini;
    EXPECT_FALSE(ini.load(folder.root().string()));
    EXPECT_EQ(ini.lastError, "IniFile::load: Unable to read from " + folder.root().string());
}

TEST_F(IniFileTest, LoadSetsFileName)
{
    const std::string path = folder.file("a.ini");
    writeText(path, "[s]\nk=v\n");
    IniFile ini;
    ASSERT_TRUE(ini.load(path));
    EXPECT_EQ(ini.fileName, path);
    EXPECT_TRUE(ini.lastError.empty());
}

TEST_F(IniFileTest, KeyBeforeFirstSectionIsDropped)
{
    IniFile ini = loaded("early=1\n[s]\nlate=2\n");
    ASSERT_EQ(ini.sections.size(), 1u);
    ASSERT_EQ(ini.sections[0].entries.size(), 1u);
    EXPECT_EQ(ini.sections[0].entries[0].first, "late");
    ini.selectSection("s");
    EXPECT_EQ(ini.getString("early"), "");
}

TEST_F(IniFileTest, RepeatedHeadersMergeExactNamesOnly)
{
    IniFile ini = loaded("[a]\nx=1\n[A]\ny=2\n[a]\nz=3\n");
    ASSERT_EQ(ini.sections.size(), 2u);
    EXPECT_EQ(ini.sections[0].name, "a");
    EXPECT_EQ(ini.sections[1].name, "A");
    ASSERT_EQ(ini.sections[0].entries.size(), 2u);
    EXPECT_EQ(ini.sections[0].entries[0].first, "x");
    EXPECT_EQ(ini.sections[0].entries[1].first, "z");
    ASSERT_EQ(ini.sections[1].entries.size(), 1u);
    EXPECT_EQ(ini.sections[1].entries[0].first, "y");
    // The last header read stays current.
    EXPECT_EQ(ini.currentSection, 0);
}

TEST_F(IniFileTest, HeaderNameDropsEveryBracketAndKeepsSpaces)
{
    IniFile ini = loaded("[video]\n[ my [odd] name ]\n[]\n[x]trail]\n");
    ASSERT_EQ(ini.sections.size(), 4u);
    EXPECT_EQ(ini.sections[0].name, "video");
    EXPECT_EQ(ini.sections[1].name, " my odd name ");
    EXPECT_EQ(ini.sections[2].name, "");
    EXPECT_EQ(ini.sections[3].name, "xtrail");
}

TEST_F(IniFileTest, KeysMatchIgnoringCaseAndFirstWins)
{
    IniFile ini = loaded("[s]\nWidth=800\nwidth=1024\n");
    ini.selectSection("s");
    EXPECT_EQ(ini.getInt("width", 0), 800);
    EXPECT_EQ(ini.getInt("WIDTH", 0), 800);
    EXPECT_EQ(ini.sections[0].entries.size(), 2u);  // both kept by load
}

TEST_F(IniFileTest, ValueSkipsSpacesAndFurtherEquals)
{
    IniFile ini = loaded("[s]\na= = 5\nb=\nc=letters\nd==\t=x y \n");
    ini.selectSection("s");
    EXPECT_EQ(ini.getString("a"), "5");
    EXPECT_EQ(ini.getInt("a", 9), 5);
    EXPECT_EQ(ini.getString("b"), "");
    EXPECT_EQ(ini.getInt("b", 9), 9);
    EXPECT_EQ(ini.getInt("c", 9), 0);
    EXPECT_EQ(ini.getString("d"), "x y ");
}

TEST_F(IniFileTest, KeyTrimming)
{
    IniFile ini = loaded("[s]\n \t key one   =value  \nkey\t=tab\n");
    ASSERT_EQ(ini.sections[0].entries.size(), 2u);
    EXPECT_EQ(ini.sections[0].entries[0].first, "key one");
    EXPECT_EQ(ini.sections[0].entries[0].second, "value  ");
    // Only spaces are trimmed from the key's end, not tabs.
    EXPECT_EQ(ini.sections[0].entries[1].first, "key\t");
}

TEST_F(IniFileTest, CommentsOnlyAtFirstCharacter)
{
    IniFile ini = loaded("[s]\n#hash=1\n;semi=2\n ;indented=3\n");
    ASSERT_EQ(ini.sections[0].entries.size(), 1u);
    EXPECT_EQ(ini.sections[0].entries[0].first, ";indented");
    EXPECT_EQ(ini.sections[0].entries[0].second, "3");
}

TEST_F(IniFileTest, LinesWithoutEqualsOrKeyAreIgnored)
{
    IniFile ini = loaded("[s]\njust words\n   \n=5\n  = 6\n [notaheader]\nk=v\n");
    ASSERT_EQ(ini.sections.size(), 1u);
    ASSERT_EQ(ini.sections[0].entries.size(), 1u);
    EXPECT_EQ(ini.sections[0].entries[0].first, "k");
}

TEST_F(IniFileTest, CarriageReturnsAndMissingFinalNewline)
{
    IniFile ini = loaded("[s]\r\na=1\r\n\r\nb=2 \r\nc=3");
    ini.selectSection("s");
    EXPECT_EQ(ini.getString("a"), "1");
    EXPECT_EQ(ini.getString("b"), "2 ");
    EXPECT_EQ(ini.getString("c"), "3");
    EXPECT_EQ(ini.sections.size(), 1u);
}

TEST_F(IniFileTest, LoadMergesIntoExistingContentAndKeepsCurrentSection)
{
    IniFile ini;
    ini.selectSection("first");
    ini.setString("old", "1");
    ini.selectSection("second");
    const std::string path = folder.file("merge.ini");
    writeText(path, "loose=2\n[first]\nnew=3\n[third]\n");
    ASSERT_TRUE(ini.load(path));
    ASSERT_EQ(ini.sections.size(), 3u);
    // The key line before any header went to the section current at the start.
    ASSERT_EQ(ini.sections[1].entries.size(), 1u);
    EXPECT_EQ(ini.sections[1].entries[0].first, "loose");
    ASSERT_EQ(ini.sections[0].entries.size(), 2u);
    EXPECT_EQ(ini.sections[0].entries[1].first, "new");
    EXPECT_EQ(ini.sections[2].name, "third");
    EXPECT_EQ(ini.currentSection, 2);
}

TEST_F(IniFileTest, GetStringWithDefault)
{
    IniFile ini = loaded("[s]\nempty=\nfull=x\n");
    ini.selectSection("s");
    EXPECT_EQ(ini.getString("empty", "def"), "def");
    EXPECT_EQ(ini.getString("missing", "def"), "def");
    EXPECT_EQ(ini.getString("full", "def"), "x");
}

TEST_F(IniFileTest, GetBoolReadings)
{
    IniFile ini = loaded("[s]\na=TRUE\nb=Yes\nc=1\nd=0\ne=no\nf=on\ng=\nh=tRuE\ni=yES\nj=true \n");
    ini.selectSection("s");
    EXPECT_TRUE(ini.getBool("a", false));
    EXPECT_TRUE(ini.getBool("b", false));
    EXPECT_TRUE(ini.getBool("c", false));
    EXPECT_FALSE(ini.getBool("d", true));
    EXPECT_FALSE(ini.getBool("e", true));
    EXPECT_FALSE(ini.getBool("f", true));
    EXPECT_TRUE(ini.getBool("g", true));
    EXPECT_FALSE(ini.getBool("g", false));
    EXPECT_TRUE(ini.getBool("h", false));
    EXPECT_TRUE(ini.getBool("i", false));
    EXPECT_FALSE(ini.getBool("j", true));
    EXPECT_TRUE(ini.getBool("missing", true));
}

TEST_F(IniFileTest, GetIntReadings)
{
    IniFile ini;
    ini.selectSection("s");
    const std::pair<const char*, int> cases[] = {
        {"12", 12},
        {"12abc", 12},
        {"  -7", -7},
        {"\t+5", 5},
        {"007", 7},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"99999999999999999999999", 0},
        {"abc", 0},
        {"-", 0},
        {"0x10", 0},
        {"3.9", 3},
    };
    for (const auto& [text, expected] : cases) {
        ini.setString("v", text);
        EXPECT_EQ(ini.getInt("v", 42), expected) << text;
    }
    ini.setString("v", "");
    EXPECT_EQ(ini.getInt("v", 42), 42);
    EXPECT_EQ(ini.getInt("missing", 42), 42);
}

TEST_F(IniFileTest, GetFloatReadings)
{
    IniFile ini;
    ini.selectSection("s");
    const std::pair<const char*, float> cases[] = {
        {"0.5", 0.5f},
        {"-3.25", -3.25f},
        {"1e3", 1000.0f},
        {"2.5xyz", 2.5f},
        {"  .75", 0.75f},
        {"+4", 4.0f},
        {"abc", 0.0f},
        {"1e39", 0.0f},
        {"-1e39", 0.0f},
        {"1.000000", 1.0f},
    };
    for (const auto& [text, expected] : cases) {
        ini.setString("v", text);
        EXPECT_FLOAT_EQ(ini.getFloat("v", 42.0f), expected) << text;
    }
    ini.setString("v", "");
    EXPECT_FLOAT_EQ(ini.getFloat("v", 42.0f), 42.0f);
    EXPECT_FLOAT_EQ(ini.getFloat("missing", 42.0f), 42.0f);
}

TEST_F(IniFileTest, SettersStoreExactTexts)
{
    IniFile ini;
    ini.selectSection("s");
    ini.setBool("t", true);
    ini.setBool("f", false);
    ini.setFloat("half", 0.5f);
    ini.setFloat("one", 1.0f);
    ini.setFloat("neg", -2.25f);
    ini.setInt("minus", -12);
    ini.setInt("zero", 0);
    ini.setInt("min", INT_MIN);
    EXPECT_EQ(ini.getString("t"), "True");
    EXPECT_EQ(ini.getString("f"), "False");
    EXPECT_EQ(ini.getString("half"), "0.500000");
    EXPECT_EQ(ini.getString("one"), "1.000000");
    EXPECT_EQ(ini.getString("neg"), "-2.250000");
    EXPECT_EQ(ini.getString("minus"), "-12");
    EXPECT_EQ(ini.getString("zero"), "0");
    EXPECT_EQ(ini.getString("min"), "-2147483648");
    EXPECT_TRUE(ini.getBool("t", false));
    EXPECT_FALSE(ini.getBool("f", true));
}

TEST_F(IniFileTest, SetStringReplacesAndKeepsStoredKeyCase)
{
    IniFile ini;
    ini.selectSection("s");
    ini.setString("MusicVolume", "10");
    ini.setString("musicvolume", "20");
    ASSERT_EQ(ini.sections[0].entries.size(), 1u);
    EXPECT_EQ(ini.sections[0].entries[0].first, "MusicVolume");
    EXPECT_EQ(ini.sections[0].entries[0].second, "20");
    ini.setString("other", "x");
    EXPECT_EQ(ini.sections[0].entries.size(), 2u);
}

TEST_F(IniFileTest, NoCurrentSectionIgnoresSetters)
{
    IniFile ini;
    ini.setString("a", "1");
    ini.setInt("b", 1);
    ini.setComment("c");
    EXPECT_TRUE(ini.sections.empty());
    EXPECT_EQ(ini.getString("a", "d"), "d");
}

TEST_F(IniFileTest, SelectSectionFormatsAndMerges)
{
    IniFile ini;
    ini.selectSection("map%d", 3);
    ini.selectSection("%s-%02d", "level", 7);
    ini.selectSection("map3");
    ASSERT_EQ(ini.sections.size(), 2u);
    EXPECT_EQ(ini.sections[0].name, "map3");
    EXPECT_EQ(ini.sections[1].name, "level-07");
    EXPECT_EQ(ini.currentSection, 0);
    // A plain name is never taken as a format.
    ini.selectSection("100%");
    EXPECT_EQ(ini.sections[2].name, "100%");
}

TEST_F(IniFileTest, SaveWritesExactText)
{
    IniFile ini;
    ini.selectSection("video");
    ini.setComment("Display settings\nSecond line");
    ini.setInt("width", 1024);
    ini.setBool("windowed", true);
    ini.selectSection("empty");
    ini.selectSection("audio");
    ini.setString("device", "  spaced ");
    const std::string path = folder.file("out.ini");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(ini.fileName, path);
    EXPECT_EQ(readText(path),
              "\n[video]\n; Display settings\n; Second line\nwidth=1024\nwindowed=True\n"
              "\n[empty]\n"
              "\n[audio]\ndevice=  spaced \n");
    EXPECT_FALSE(storagetest::exists(path + ".tmp"));
}

TEST_F(IniFileTest, SaveWithNoSectionsWritesEmptyFile)
{
    IniFile ini;
    const std::string path = folder.file("empty.ini");
    ASSERT_TRUE(ini.save(path));
    EXPECT_TRUE(storagetest::exists(path));
    EXPECT_EQ(readText(path), "");
}

TEST_F(IniFileTest, RoundTripKeepsTextExceptComments)
{
    IniFile ini;
    ini.selectSection("a");
    ini.setComment("note");
    ini.setString("k", "v = w");
    ini.setFloat("f", 0.25f);
    ini.selectSection("b");
    ini.setString("Key", "Value ");
    const std::string first = folder.file("first.ini");
    ASSERT_TRUE(ini.save(first));

    IniFile again;
    ASSERT_TRUE(again.load(first));
    const std::string second = folder.file("second.ini");
    ASSERT_TRUE(again.save(second));
    EXPECT_EQ(readText(second), "\n[a]\nk=v = w\nf=0.250000\n\n[b]\nKey=Value \n");
    again.selectSection("a");
    EXPECT_FLOAT_EQ(again.getFloat("f", 0.0f), 0.25f);
}

TEST_F(IniFileTest, RepeatedKeysSurviveRoundTrip)
{
    IniFile ini = loaded("[s]\nk=1\nK=2\n");
    const std::string path = folder.file("rep.ini");
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readText(path), "\n[s]\nk=1\nK=2\n");
}

TEST_F(IniFileTest, SaveReplacesExistingFile)
{
    const std::string path = folder.file("settings.ini");
    writeText(path, "old contents that are longer than the new ones\n");
    IniFile ini;
    ini.selectSection("s");
    ini.setInt("a", 1);
    ASSERT_TRUE(ini.save(path));
    EXPECT_EQ(readText(path), "\n[s]\na=1\n");
}

TEST_F(IniFileTest, FailedSaveLeavesOldFileIntact)
{
    const std::string path = folder.file("settings.ini");
    writeText(path, "old\n");
    // Nothing can be created where the temporary file must go.
    std::filesystem::create_directory(path + ".tmp");
    IniFile ini;
    ini.selectSection("s");
    ini.setInt("a", 1);
    EXPECT_FALSE(ini.save(path));
    EXPECT_EQ(ini.lastError, "Unable to write to " + path);
    EXPECT_TRUE(ini.fileName.empty());
    EXPECT_EQ(readText(path), "old\n");
}

TEST_F(IniFileTest, FailedRenameLeavesTargetAndNoTemporaryFile)
{
    // The target is a folder holding a file: the rename over it fails.
    const std::string path = folder.file("blocked.ini");
    std::filesystem::create_directory(path);
    writeText(path + "/inside", "x");
    IniFile ini;
    ini.selectSection("s");
    EXPECT_FALSE(ini.save(path));
    EXPECT_EQ(ini.lastError, "Unable to write to " + path);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_FALSE(storagetest::exists(path + ".tmp"));
}

TEST_F(IniFileTest, SaveIntoMissingFolderFails)
{
    const std::string path = folder.file("nowhere/settings.ini");
    IniFile ini;
    ini.selectSection("s");
    EXPECT_FALSE(ini.save(path));
    EXPECT_EQ(ini.lastError, "Unable to write to " + path);
}

TEST_F(IniFileTest, BackslashPathsAndLetterCaseAreMapped)
{
    std::filesystem::create_directory(folder.root() / "Sub");
    IniFile ini;
    ini.selectSection("s");
    ini.setInt("a", 5);
    const std::string dataPath = folder.root().string() + "\\sub\\Game.INI";
    ASSERT_TRUE(ini.save(dataPath));
    EXPECT_EQ(readText((folder.root() / "Sub" / "Game.INI").string()), "\n[s]\na=5\n");
    IniFile back;
    ASSERT_TRUE(back.load(folder.root().string() + "\\SUB\\game.ini"));
    back.selectSection("s");
    EXPECT_EQ(back.getInt("a", 0), 5);
}
