// Starting a game from a slot: what is asked, what game is started, and what
// the player is told, with a stand-in for the game screen.

#include "frontend/PlayGame.hpp"

#include "game/GameResources.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/ModalDriver.hpp"
#include "storage/AssetPaths.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <gtest/gtest.h>

namespace {

struct GameStarted {
    std::int16_t levelIndex;
    std::int16_t skillLevel;
    bool fromEditor;
    std::string mapPath;
    Game::SaveSlot* savingTo;
    bool operator==(const GameStarted&) const = default;
};

class PlayGameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
        Game::buildSaveSlots();
        Game::currentSlot() = nullptr;
    }
    void TearDown() override
    {
        Game::clearSaveSlots();
        Game::currentSlot() = nullptr;
        Game::gameError().clear();
        modFolderGiven = savedGiven;
    }

    Game::SaveSlot* slot(int i) { return &Game::saveSlots().at(static_cast<std::size_t>(i)); }
    void writeSlot(int i, const std::string& bytes)
    {
        test::writeFile(dir.root() / ("base/savegames/00" + std::to_string(i) + ".sav"), bytes);
    }

    // Plays the slot with a recording game screen and skill question; a
    // ModalDriver answers the message boxes that come up.
    void play(int slotIndex, std::optional<std::int16_t> skillAnswer = SkillNormal)
    {
        Frontend::playFromSlot(
            slotIndex,
            [&] {
                ++skillAsked;
                return skillAnswer;
            },
            [&](std::int16_t level, std::int16_t skill, bool fromEditor, const std::string& mapPath) {
                games.push_back({level, skill, fromEditor, mapPath, Game::currentSlot()});
                if (afterGame)
                    afterGame();
                return gameStarts;
            });
    }

    test::FakeWindowScope fake;
    test::TempFolder dir;
    test::ScopedWorkingDirectory inDir{dir.root()};
    bool savedGiven = modFolderGiven;
    std::vector<GameStarted> games;
    int skillAsked = 0;
    bool gameStarts = true;
    std::function<void()> afterGame;
};

TEST_F(PlayGameTest, ASavedSlotContinuesItsLevelAtItsSkill)
{
    writeSlot(3, test::saveFile(1, 6, SkillHard));
    test::ModalDriver driver(fake.window, 30);
    play(3);
    EXPECT_EQ(games, std::vector<GameStarted>({{6, SkillHard, false, "", slot(3)}}));
    EXPECT_EQ(skillAsked, 0);
    EXPECT_TRUE(driver.screens.empty());  // nothing to tell the player
    EXPECT_EQ(Game::currentSlot(), slot(3));
}

TEST_F(PlayGameTest, AnUnreadableSlotShowsItsErrorAndStartsNothing)
{
    const std::pair<std::string, std::string> unreadable[] = {
        {test::saveFile(2, 6, SkillHard), "Message: Saved game file is too advanced"},
        {"junk", "Message: Not a valid save game file"},
    };
    for (const auto& [bytes, shown] : unreadable) {
        writeSlot(1, bytes);
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        play(1);
        EXPECT_FALSE(driver.gaveUp);
        EXPECT_EQ(driver.screens, std::vector<std::string>({shown}));
        // Not taken for an empty slot: starting afresh would replace it.
        EXPECT_EQ(skillAsked, 0);
        EXPECT_TRUE(games.empty());
        EXPECT_EQ(Game::currentSlot(), slot(1));
    }
}

TEST_F(PlayGameTest, AnEmptySlotAsksTheSkillAndStartsAtTheFirstLevel)
{
    test::ModalDriver driver(fake.window, 30);
    play(7, SkillEasy);
    EXPECT_EQ(skillAsked, 1);
    EXPECT_EQ(games, std::vector<GameStarted>({{0, SkillEasy, false, "", slot(7)}}));

    // Backing out of the skill question starts nothing.
    games.clear();
    play(5, std::nullopt);
    EXPECT_EQ(skillAsked, 2);
    EXPECT_TRUE(games.empty());
    EXPECT_TRUE(driver.screens.empty());
}

TEST_F(PlayGameTest, AGameThatCannotStartShowsTheGameError)
{
    gameStarts = false;
    afterGame = [] { Game::gameError() = "No entries in maps list"; };
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    play(0);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, std::vector<std::string>({"Message: No entries in maps list"}));
}

TEST_F(PlayGameTest, TheCurrentSlotStaysAsTheGameLeftIt)
{
    Game::SaveSlot editorSlot{"", "base\\savegames\\mapeditor.sav"};
    afterGame = [&] { Game::currentSlot() = &editorSlot; };
    test::ModalDriver driver(fake.window, 30);
    play(2);
    ASSERT_EQ(games.size(), 1u);
    EXPECT_EQ(games[0].savingTo, slot(2));
    EXPECT_EQ(Game::currentSlot(), &editorSlot);

    // No such slot: nothing changes.
    games.clear();
    play(8);
    play(-1);
    EXPECT_TRUE(games.empty());
    EXPECT_EQ(skillAsked, 1);
    EXPECT_EQ(Game::currentSlot(), &editorSlot);
}

} // namespace
