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
using Values = std::pair<std::int16_t, std::int16_t>;  // level, skill

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

TEST_F(SaveSlotsTest, EightSlotsInTheDataFolderThatGoAwayWithTheGamesSavingIntoThem)
{
    ASSERT_EQ(Game::saveSlots().size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(slot(i).path, "base\\savegames\\00" + std::to_string(i) + ".sav");
    modFolderGiven = true;
    modFolder = "mods/green";
    Game::buildSaveSlots();
    ASSERT_EQ(Game::saveSlots().size(), 8u);  // built afresh, not added to
    EXPECT_EQ(slot(7).path, "mods/green\\savegames\\007.sav");

    Game::currentSlot() = &slot(3);
    Game::clearSaveSlots();
    EXPECT_TRUE(Game::saveSlots().empty());
    EXPECT_EQ(Game::currentSlot(), nullptr);
    // The Map Editor's test run brings a slot of its own, which stays.
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

    // The next level's save, from the level being played, replaces the file.
    Game::gameState().levelIndex = 6;
    Game::gameState().skillLevel = SkillEasy;
    ASSERT_TRUE(Game::saveGame());
    EXPECT_EQ(Game::slotLabel(slot(2)), "Easy - Level 7");
    EXPECT_EQ(fs::file_size(dir.root() / slotFile(2)), 26u);

    // No slot: a game nobody saves.
    Game::currentSlot() = nullptr;
    EXPECT_TRUE(Game::saveGame(3, SkillEasy));
    EXPECT_EQ(fs::file_size(dir.root() / slotFile(2)), 26u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.root() / "base/savegames"), fs::directory_iterator()), 1);
}

TEST_F(SaveSlotsTest, AnUnwritableSlotKeepsItsReasonAndNothingIsPrinted)
{
    test::writeFile(dir.root() / "base/savegames", "a file where the folder should be");
    Game::currentSlot() = &slot(0);
    EXPECT_FALSE(Game::saveGame(0, SkillNormal));
    EXPECT_EQ(slot(0).errorText, "Unable to create base\\savegames\\000.sav");
    EXPECT_TRUE(KVCore::consoleLines().empty());
}

TEST_F(SaveSlotsTest, ReadingAndLabelsTakeVersionsZeroAndOneOnly)
{
    std::int16_t level = -1, skill = -1;
    writeSlot(0, saveFile(0, 2, SkillEasy));
    ASSERT_TRUE(Game::readSaveGame(slot(0), level, skill)) << slot(0).errorText;
    EXPECT_EQ(Values(level, skill), Values(2, SkillEasy));
    writeSlot(1, saveFile(1, 2, SkillNormal));
    EXPECT_EQ(Game::slotLabel(slot(1)), "Normal - Level 3");

    const std::pair<std::string, const char*> refused[] = {
        {saveFile(2, 0, SkillHard), "Saved game file is too advanced"},
        {saveFile(1, 0, SkillHard, "Kelvane Sprite"), "Not a valid save game file"},
        {saveFile(1, 0, SkillHard).substr(0, 23), "Not a valid save game file"},  // level cut in half
    };
    for (const auto& [bytes, error] : refused) {
        writeSlot(4, bytes);
        slot(4).errorText.clear();
        EXPECT_FALSE(Game::readSaveGame(slot(4), level, skill)) << error;
        EXPECT_EQ(slot(4).errorText, error);
        EXPECT_EQ(Values(level, skill), Values(2, SkillEasy));
        EXPECT_EQ(Game::slotLabel(slot(4)), "(empty slot)");
    }
    EXPECT_EQ(Game::slotLabel(slot(6)), "(empty slot)");
    EXPECT_EQ(slot(6).errorText, "Unable to open base\\savegames\\006.sav");
}

} // namespace
