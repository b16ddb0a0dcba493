// The saved-game file of a slot: 26 bytes, written and read byte for byte.

#include "game/SaveGame.hpp"

#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

using test::saveFile;

TEST(SaveGame, SaveWritesTheTwentySixBytes)
{
    test::TempFolder folder;
    SaveGame game;
    game.levelIndex = 300;
    game.skillLevel = SkillNormal;
    ASSERT_TRUE(game.save(folder.file("000.sav"))) << game.errorText;
    EXPECT_EQ(test::readFile(folder.file("000.sav")),
              std::string("\x12\x00" "Kelvane Saved Game" "\x01\x00" "\x2c\x01" "\x01\x00", 26));
    EXPECT_FALSE(game.save(folder.file("savegames/001.sav")));
    EXPECT_EQ(game.errorText, "Unable to create " + folder.file("savegames/001.sav"));
}

TEST(SaveGame, HandBuiltFilesLoadAndRefusedOnesKeepTheValues)
{
    test::TempFolder folder;
    const std::string path = folder.file("000.sav");
    SaveGame game;
    const auto load = [&](const std::string& bytes) {
        test::writeFile(path, bytes);
        game.errorText.clear();
        return game.load(path);
    };
    ASSERT_TRUE(load(saveFile(0, 513, 2))) << game.errorText;  // version 0 is read too
    EXPECT_EQ(game.label(), "Hard - Level 514");
    ASSERT_TRUE(load(saveFile(1, 4, 0))) << game.errorText;
    EXPECT_EQ(game.levelIndex, 4);
    EXPECT_EQ(game.skillLevel, SkillEasy);
    EXPECT_EQ(game.label(), "Easy - Level 5");

    EXPECT_FALSE(load(saveFile(2, 0, 0)));
    EXPECT_EQ(game.errorText, "Saved game file is too advanced");
    EXPECT_FALSE(game.load(folder.file("007.sav")));
    EXPECT_EQ(game.errorText, "Unable to open " + folder.file("007.sav"));
    std::vector<std::string> invalid{saveFile(1, 0, 0, "Kelvane Saved Gam"), saveFile(1, 0, 0, "kelvane saved game"),
                                     std::string("\xff\xff", 2)};
    for (std::size_t length = 0; length < 26; ++length)  // ends early: no level to continue
        invalid.push_back(saveFile(1, 0, 0).substr(0, length));
    for (const std::string& bytes : invalid) {
        EXPECT_FALSE(load(bytes));
        EXPECT_EQ(game.errorText, "Not a valid save game file") << bytes.size() << " bytes";
    }
    EXPECT_EQ(game.label(), "Easy - Level 5");
    game.skillLevel = 7;  // no name for an unknown skill
    EXPECT_EQ(game.label(), " - Level 5");
}

} // namespace
