// The debug menu: its entries by the current state, and what each choice
// does to the level and to the engine's display settings.
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Log.hpp"
#include "game/DebugMenu.hpp"
#include "game/PlayFixture.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "world/Sprite.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Game::PlayOutcome;

class DebugMenuTest : public test::PlayTest {
protected:
    void SetUp() override { ASSERT_TRUE(test::loadEngineFonts()); }
    void TearDown() override
    {
        KVCore::settings() = savedSettings;
        showObjectsBounds = false;
    }
    std::vector<std::string> labels() const
    {
        std::vector<std::string> out;
        for (const Game::DebugMenuEntry& e : Game::debugMenuEntries())
            out.push_back(e.label);
        return out;
    }
    std::string lastPrinted() const
    {
        const auto& lines = KVCore::consoleLines();
        return lines.empty() ? std::string() : lines.back().text;
    }

    KVCore::EngineSettings savedSettings = KVCore::settings();
};

TEST_F(DebugMenuTest, EachToggleOffersWhatChoosingItWillDo)
{
    KVCore::settings().displayFPS = false;
    KVCore::settings().vsyncEnabled = false;
    KVCore::setFrameLimitInEffect(0);
    showObjectsBounds = false;
    EXPECT_EQ(labels(), (std::vector<std::string>{"Extra time", "Mow all tiles (skip level)", "Show objects bounds", "",
                                                  "Show FPS", "Enable FPS limiter", "Enable svsync", "", "Cancel"}));
    const std::vector<Game::DebugMenuEntry> entries = Game::debugMenuEntries();
    EXPECT_TRUE(entries[3].separator && entries[7].separator);
    EXPECT_EQ(entries[1].icon, 147);

    Game::runDebugMenuChoice(2);
    EXPECT_TRUE(showObjectsBounds);
    EXPECT_EQ(lastPrinted(), "Showing obects bounds");
    Game::runDebugMenuChoice(4);
    EXPECT_TRUE(KVCore::settings().displayFPS);
    EXPECT_EQ(lastPrinted(), "Enabed FPS display");
    Game::runDebugMenuChoice(5);
    EXPECT_EQ(KVCore::frameLimitInEffect(), 60u);
    EXPECT_EQ(KVCore::settings().fpsLimit, 60);
    EXPECT_EQ(fake.window.frameLimit, 60u);
    EXPECT_EQ(lastPrinted(), "Enabled FPS limiter");
    Game::runDebugMenuChoice(6);
    EXPECT_TRUE(fake.window.vsync);
    EXPECT_EQ(lastPrinted(), "Enabled vsync");
    EXPECT_EQ(labels(), (std::vector<std::string>{"Extra time", "Mow all tiles (skip level)", "Hide objects bounds", "",
                                                  "Hide FPS", "Disable FPS limiter", "Disable vsync", "", "Cancel"}));

    Game::runDebugMenuChoice(2);
    EXPECT_EQ(lastPrinted(), "Hiding obects bounds");
    Game::runDebugMenuChoice(4);
    EXPECT_EQ(lastPrinted(), "Disabled FPS display");
    Game::runDebugMenuChoice(5);
    EXPECT_EQ(fake.window.frameLimit, 0u);
    EXPECT_EQ(lastPrinted(), "Disabled FPS limiter");
    Game::runDebugMenuChoice(6);
    EXPECT_FALSE(KVCore::settings().vsyncEnabled);
    EXPECT_EQ(lastPrinted(), "Disabled vsync");

    // Separators, "Cancel" and a dismissed menu change nothing.
    const std::size_t lines = KVCore::consoleLines().size();
    const Game::GameState before = Game::gameState();
    for (int index : {-1, 3, 7, 8})
        Game::runDebugMenuChoice(index);
    EXPECT_EQ(KVCore::consoleLines().size(), lines);
    EXPECT_EQ(Game::gameState().timeLeft, before.timeLeft);
}

TEST_F(DebugMenuTest, ExtraTimeAddsAMinuteEachTime)
{
    start(test::playMap(test::lawnTile));
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        Game::showDebugMenu();
    }
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        Game::showDebugMenu();
    }
    EXPECT_EQ(Game::gameState().timeLeft, 210);
    Game::gameState().timeLeft = 32750;
    Game::runDebugMenuChoice(0);
    EXPECT_EQ(Game::gameState().timeLeft, 32767) << "no wrapping round to a negative time";
}

TEST_F(DebugMenuTest, MowAllCutsTheLawnTilesAndFinishesALevelOfThem)
{
    Map map = test::playMap(test::lawnTile);
    map.playerStartY = 100;
    start(std::move(map));
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Down).press(sf::Keyboard::Return);
        Game::showDebugMenu();
        EXPECT_EQ(driver.screens, std::vector<std::string>{"PopupMenu"});
    }
    const Game::GameState& game = Game::gameState();
    EXPECT_EQ(game.mownCount, Map::cellCount);
    EXPECT_TRUE(test::mown(0, 0) && test::mown(24, 15));
    EXPECT_EQ(Game::currentMap().cell(7, 7), Map::unformattedGrassTile);
    EXPECT_EQ(frame(), PlayOutcome::Playing);
    EXPECT_EQ(frame(), PlayOutcome::LevelComplete);
}

TEST_F(DebugMenuTest, MowAllLeavesOtherGrassTilesAndTheLevelGoesOn)
{
    Map map = test::playMap(test::lawnTile);
    for (int column = 0; column < Map::width; ++column)
        test::setCell(map, column, 2, test::meadowTile);
    test::setCell(map, 3, 3, test::pathTile);
    test::setCell(map, 4, 3, 980);  // already cut grass counts as cut again
    start(std::move(map));
    const Game::GameState& game = Game::gameState();
    ASSERT_EQ(game.grassCount, Map::cellCount - 1);

    Game::runDebugMenuChoice(1);
    EXPECT_EQ(game.mownCount, Map::cellCount - 1 - Map::width);
    EXPECT_FALSE(test::mown(0, 2));
    EXPECT_FALSE(test::mown(3, 3));
    EXPECT_EQ(Game::currentMap().cell(0, 2), test::meadowTile);
    EXPECT_EQ(Game::currentMap().cell(3, 3), test::pathTile);
    EXPECT_EQ(frames(3), PlayOutcome::Playing);
}

} // namespace
