// The debug menu: its entries by the current state, and what each choice
// does to the level and to the engine's display settings.
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Log.hpp"
#include "game/DebugMenu.hpp"
#include "game/PlayFixture.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"

namespace {

class DebugMenuTest : public test::PlayTest {
protected:
    void SetUp() override { ASSERT_TRUE(test::loadEngineFonts()); }
    void TearDown() override
    {
        KVCore::settings() = savedSettings;
        showObjectsBounds = false;
    }
    std::string choose(int index)
    {
        Game::runDebugMenuChoice(index);
        const auto& lines = KVCore::consoleLines();
        return lines.empty() ? std::string() : lines.back().text;
    }
    std::string labels() const
    {
        std::string out;
        for (const Game::DebugMenuEntry& e : Game::debugMenuEntries())
            out += (e.separator ? "-" : e.label) + "|";
        return out;
    }
    // Opens the menu as the game does and picks the entry so many steps down.
    void pick(int stepsDown)
    {
        test::ModalDriver driver(fake.window);
        for (int i = 0; i < stepsDown; ++i)
            driver.press(sf::Keyboard::Down);
        driver.press(sf::Keyboard::Return);
        Game::showDebugMenu();
    }

    KVCore::EngineSettings savedSettings = KVCore::settings();
};

TEST_F(DebugMenuTest, EachToggleOffersWhatChoosingItWillDo)
{
    KVCore::settings().displayFPS = false;
    KVCore::settings().vsyncEnabled = false;
    KVCore::setFrameLimitInEffect(0);
    EXPECT_EQ(labels(), "Extra time|Mow all tiles (skip level)|Show objects bounds|-|Show FPS|Enable FPS limiter|"
                        "Enable svsync|-|Cancel|");
    EXPECT_EQ(choose(2), "Showing obects bounds");
    EXPECT_EQ(choose(4), "Enabed FPS display");
    EXPECT_EQ(choose(5), "Enabled FPS limiter");
    EXPECT_EQ(fake.window.frameLimit, 60u);
    EXPECT_EQ(choose(6), "Enabled vsync");
    EXPECT_TRUE(fake.window.vsync && KVCore::settings().vsyncEnabled && KVCore::settings().displayFPS);
    EXPECT_EQ(labels(), "Extra time|Mow all tiles (skip level)|Hide objects bounds|-|Hide FPS|Disable FPS limiter|"
                        "Disable vsync|-|Cancel|");
    EXPECT_EQ(choose(2), "Hiding obects bounds");
    EXPECT_EQ(choose(4), "Disabled FPS display");
    EXPECT_EQ(choose(5), "Disabled FPS limiter");
    EXPECT_EQ(KVCore::settings().fpsLimit, 0);
    EXPECT_EQ(choose(6), "Disabled vsync");
    EXPECT_FALSE(showObjectsBounds || fake.window.vsync);
}

TEST_F(DebugMenuTest, ExtraTimeAddsAMinuteEachTime)
{
    start(test::playMap(test::lawnTile));
    pick(0);
    pick(0);
    EXPECT_EQ(Game::gameState().timeLeft, 210);
    Game::gameState().timeLeft = 32750;
    Game::runDebugMenuChoice(0);
    EXPECT_EQ(Game::gameState().timeLeft, 32767) << "no wrapping round to a negative time";
}

TEST_F(DebugMenuTest, MowAllCutsOnlyTheLawnTilesAndFinishesALevelOfThem)
{
    start(test::playMap(test::lawnTile));
    pick(1);
    EXPECT_EQ(Game::gameState().mownCount, Map::cellCount);
    EXPECT_EQ(Game::currentMap().cell(7, 7), Map::unformattedGrassTile);
    EXPECT_EQ(frame(), Game::PlayOutcome::Playing);
    EXPECT_EQ(frame(), Game::PlayOutcome::LevelComplete);

    // Other grass stays uncut and the level goes on; cut grass counts again.
    Map map = test::playMap(test::lawnTile);
    for (int column = 0; column < Map::width; ++column)
        test::setCell(map, column, 2, test::meadowTile);
    test::setCell(map, 4, 3, 980);
    start(std::move(map));
    Game::runDebugMenuChoice(1);
    EXPECT_EQ(Game::gameState().mownCount, Map::cellCount - Map::width);
    EXPECT_EQ(Game::currentMap().cell(0, 2), test::meadowTile);
    EXPECT_FALSE(test::mown(0, 2));
    EXPECT_EQ(frames(3), Game::PlayOutcome::Playing);
}

} // namespace
