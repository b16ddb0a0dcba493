// The saved-game file of a slot: 26 bytes, written and read byte for byte.

#include "game/SaveGame.hpp"

#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }

std::string saveFile(int version, int levelIndex, int skillLevel, const std::string& magic = "Kelvane Saved Game")
{
    return le16(static_cast<int>(magic.size())) + magic + le16(version) + le16(levelIndex) + le16(skillLevel);
}

class SaveGameTest : public ::testing::Test {
protected:
    std::string fileWith(const std::string& bytes)
    {
        test::writeFile(path, bytes);
        return path;
    }

    test::TempFolder folder;
    std::string path = folder.file("000.sav");
    SaveGame game;
};

TEST_F(SaveGameTest, SaveWritesTheTwentySixBytes)
{
    game.levelIndex = 2;
    game.skillLevel = SkillNormal;
    ASSERT_TRUE(game.save(path)) << game.errorText;
    EXPECT_EQ(test::readFile(path), std::string("\x12\x00" "Kelvane Saved Game" "\x01\x00" "\x02\x00" "\x01\x00", 26));
    game.levelIndex = 300;
    ASSERT_TRUE(game.save(path));
    EXPECT_EQ(test::readFile(path), saveFile(1, 300, 1));

    const std::string nowhere = folder.file("savegames/001.sav");
    EXPECT_FALSE(game.save(nowhere));
    EXPECT_EQ(game.errorText, "Unable to create " + nowhere);
    const std::string blocked = folder.file("002.sav");  // a folder the new file cannot replace
    test::writeFile(blocked + "/inside", "x");
    EXPECT_FALSE(game.save(blocked));
    EXPECT_EQ(game.errorText, "Unable to write to " + blocked);
}

TEST_F(SaveGameTest, HandBuiltFilesLoadAndLabel)
{
    ASSERT_TRUE(game.load(fileWith(saveFile(1, 4, 0)))) << game.errorText;
    EXPECT_EQ(game.levelIndex, 4);
    EXPECT_EQ(game.skillLevel, SkillEasy);
    EXPECT_EQ(game.label(), "Easy - Level 5");
    ASSERT_TRUE(game.load(fileWith(saveFile(0, 513, 2))));  // version 0 is read too
    EXPECT_EQ(game.label(), "Hard - Level 514");
    game.skillLevel = 7;  // no name for an unknown skill
    EXPECT_EQ(game.label(), " - Level 514");
}

TEST_F(SaveGameTest, RefusedFilesKeepTheValues)
{
    game.levelIndex = 6;
    game.skillLevel = SkillHard;
    EXPECT_FALSE(game.load(fileWith(saveFile(2, 0, 0))));
    EXPECT_EQ(game.errorText, "Saved game file is too advanced");
    EXPECT_FALSE(game.load(folder.file("007.sav")));
    EXPECT_EQ(game.errorText, "Unable to open " + folder.file("007.sav"));

    std::vector<std::string> invalid{saveFile(1, 0, 0, "Kelvane Saved Gam"), saveFile(1, 0, 0, "kelvane saved game"),
                                     std::string("\xff\xff", 2)};
    const std::string whole = saveFile(1, 0, 0);
    for (std::size_t length = 0; length < whole.size(); ++length)  // ends early: no level to continue
        invalid.push_back(whole.substr(0, length));
    for (const std::string& bytes : invalid) {
        game.errorText.clear();
        EXPECT_FALSE(game.load(fileWith(bytes)));
        EXPECT_EQ(game.errorText, "Not a valid save game file") << bytes.size() << " bytes";
    }
    EXPECT_EQ(game.levelIndex, 6);
    EXPECT_EQ(game.skillLevel, SkillHard);
}

} // namespace
