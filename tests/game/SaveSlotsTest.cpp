// The eight saved-game slots: where their files are, saving to the current
// slot, reading a slot back and the label the slot lists show.

#include "game/SaveSlots.hpp"

#include "engine/Log.hpp"
#include "game/GameState.hpp"
#include "game/SaveGame.hpp"
#include "storage/AssetPaths.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;
using test::saveFile;

class SaveSlotsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        modFolderGiven = false;
        modFolder.clear();
        Game::buildSaveSlots();
    }
    void TearDown() override
    {
        Game::clearSaveSlots();
        Game::currentSlot() = nullptr;
        Game::gameState() = Game::GameState{};
        modFolderGiven = savedGiven;
        modFolder = savedFolder;
    }
    Game::SaveSlot& slot(int i) { return Game::saveSlots().at(static_cast<std::size_t>(i)); }
    void writeSlot(int i, const std::string& bytes) { test::writeFile(dir.root() / slotFile(i), bytes); }
    static std::string slotFile(int i) { return "base/savegames/00" + std::to_string(i) + ".sav"; }
    bool printed(const std::string& text) const
    {
        for (const KVCore::ConsoleLine& line : KVCore::consoleLines())
            if (line.text == text)
                return line.colour == KVCore::consoleTextColour;
        return false;
    }

    test::FakeWindowScope fake;
    test::TempFolder dir;
    test::ScopedWorkingDirectory inDir{dir.root()};
    bool savedGiven = modFolderGiven;
    std::string savedFolder = modFolder;
};

TEST_F(SaveSlotsTest, EightSlotsInTheDataFolder)
{
    ASSERT_EQ(Game::saveSlots().size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(slot(i).path, "base\\savegames\\00" + std::to_string(i) + ".sav");
        EXPECT_EQ(slot(i).errorText, "");
    }
    modFolderGiven = true;
    modFolder = "mods/green";
    Game::buildSaveSlots();
    ASSERT_EQ(Game::saveSlots().size(), 8u);  // built afresh, not added to
    EXPECT_EQ(slot(7).path, "mods/green\\savegames\\007.sav");
}

TEST_F(SaveSlotsTest, EmptyingTheSlotsLeavesNoGameSavingIntoThem)
{
    Game::currentSlot() = &slot(3);
    Game::clearSaveSlots();
    EXPECT_TRUE(Game::saveSlots().empty());
    EXPECT_EQ(Game::currentSlot(), nullptr);

    // A slot of the caller's own (the Map Editor's test run) is not theirs
    // to forget.
    Game::SaveSlot editorSlot{"", "base\\savegames\\mapeditor.sav"};
    Game::currentSlot() = &editorSlot;
    Game::buildSaveSlots();
    Game::clearSaveSlots();
    EXPECT_EQ(Game::currentSlot(), &editorSlot);
}

TEST_F(SaveSlotsTest, SavingWritesTheTwentySixBytesMakingTheFolderAndSaysWhere)
{
    ASSERT_FALSE(fs::exists(dir.root() / "base"));
    Game::currentSlot() = &slot(2);
    ASSERT_TRUE(Game::saveGame(5, SkillHard)) << slot(2).errorText;
    EXPECT_EQ(test::readFile(dir.root() / slotFile(2)),
              std::string("\x12\x00" "Kelvane Saved Game" "\x01\x00" "\x05\x00" "\x02\x00", 26));
    EXPECT_TRUE(printed("Game saved to base\\savegames\\002.sav"));
    EXPECT_EQ(Game::slotLabel(slot(2)), "Hard - Level 6");

    // The next level's save, from the level being played, replaces the file.
    Game::gameState().levelIndex = 6;
    Game::gameState().skillLevel = SkillEasy;
    ASSERT_TRUE(Game::saveGame());
    EXPECT_EQ(Game::slotLabel(slot(2)), "Easy - Level 7");
    EXPECT_EQ(fs::file_size(dir.root() / slotFile(2)), 26u);
    EXPECT_FALSE(fs::exists(dir.root() / slotFile(1)));
}

TEST_F(SaveSlotsTest, AnUnwritableSlotKeepsItsReasonAndNothingIsPrinted)
{
    test::writeFile(dir.root() / "base/savegames", "a file where the folder should be");
    Game::currentSlot() = &slot(0);
    EXPECT_FALSE(Game::saveGame(0, SkillNormal));
    EXPECT_EQ(slot(0).errorText, "Unable to create base\\savegames\\000.sav");
    EXPECT_TRUE(KVCore::consoleLines().empty());

    // No slot: a game nobody saves (nothing is written, nothing fails).
    fs::remove(dir.root() / "base/savegames");
    Game::currentSlot() = nullptr;
    EXPECT_TRUE(Game::saveGame(3, SkillEasy));
    EXPECT_FALSE(fs::exists(dir.root() / "base/savegames"));
}

TEST_F(SaveSlotsTest, ReadingAcceptsVersionsZeroAndOneOnly)
{
    std::int16_t level = -1, skill = -1;
    writeSlot(0, saveFile(0, 2, SkillEasy));
    ASSERT_TRUE(Game::readSaveGame(slot(0), level, skill)) << slot(0).errorText;
    EXPECT_EQ(level, 2);
    EXPECT_EQ(skill, SkillEasy);
    writeSlot(1, saveFile(1, 11, SkillNormal));
    ASSERT_TRUE(Game::readSaveGame(slot(1), level, skill));
    EXPECT_EQ(level, 11);
    EXPECT_EQ(skill, SkillNormal);

    const struct {
        std::string bytes;
        const char* error;
    } refused[] = {
        {saveFile(2, 0, SkillHard), "Saved game file is too advanced"},
        {saveFile(1, 0, SkillHard, "Kelvane Sprite"), "Not a valid save game file"},
        {saveFile(1, 0, SkillHard).substr(0, 23), "Not a valid save game file"},  // level cut in half
        {"", "Not a valid save game file"},
    };
    for (const auto& r : refused) {
        writeSlot(4, r.bytes);
        slot(4).errorText.clear();
        EXPECT_FALSE(Game::readSaveGame(slot(4), level, skill)) << r.error;
        EXPECT_EQ(slot(4).errorText, r.error);
        EXPECT_EQ(level, 11);  // untouched
        EXPECT_EQ(skill, SkillNormal);
    }
    EXPECT_FALSE(Game::readSaveGame(slot(6), level, skill));
    EXPECT_EQ(slot(6).errorText, "Unable to open base\\savegames\\006.sav");
}

TEST_F(SaveSlotsTest, LabelsNameSkillAndLevelOrShowAnEmptySlot)
{
    writeSlot(0, saveFile(1, 2, SkillNormal));
    writeSlot(1, saveFile(1, 0, SkillEasy));
    writeSlot(2, saveFile(2, 2, SkillNormal));
    writeSlot(3, "garbage");
    EXPECT_EQ(Game::slotLabel(slot(0)), "Normal - Level 3");
    EXPECT_EQ(Game::slotLabel(slot(1)), "Easy - Level 1");
    EXPECT_EQ(Game::slotLabel(slot(2)), "(empty slot)");
    EXPECT_EQ(slot(2).errorText, "Saved game file is too advanced");
    EXPECT_EQ(Game::slotLabel(slot(3)), "(empty slot)");
    EXPECT_EQ(slot(3).errorText, "Not a valid save game file");
    EXPECT_EQ(Game::slotLabel(slot(4)), "(empty slot)");
}

} // namespace
