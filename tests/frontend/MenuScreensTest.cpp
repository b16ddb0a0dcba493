// The menu screens driven by scripted keys: the main menu and where its rows
// lead, the play menu's slot and skill lists and starting a game from a slot
// with a stand-in game screen, deleting saved games, the menu music, and a
// missing background picture.

#include "frontend/MainMenu.hpp"
#include "frontend/MenuDriver.hpp"
#include "frontend/PlayGame.hpp"
#include "frontend/PlayMenu.hpp"

#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Log.hpp"
#include "game/GameResources.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "storage/AssetPaths.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"
#include "world/WorldFiles.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace {

using Key = sf::Keyboard::Key;
using Screens = std::vector<std::string>;

struct GameStarted {
    std::int16_t levelIndex;
    std::int16_t skillLevel;
    bool fromEditor;
    std::string mapPath;
    Game::SaveSlot* savingTo;
    bool operator==(const GameStarted&) const = default;
};

class MenuScreensTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
        Game::buildSaveSlots();
        Game::currentSlot() = nullptr;
        sf::Image picture;
        picture.create(8, 6, sf::Color::Green);
        std::filesystem::create_directories(dir.root() / "base");
        ASSERT_TRUE(picture.saveToFile(dir.file("base/menuback.png")));
    }
    void TearDown() override
    {
        Game::clearSaveSlots();
        Game::currentSlot() = nullptr;
        Game::gameError().clear();
        modFolderGiven = savedGiven;
    }

    Game::SaveSlot* slot(int i) { return &Game::saveSlots().at(static_cast<std::size_t>(i)); }
    std::filesystem::path slotFile(int i) const { return dir.root() / ("base/savegames/00" + std::to_string(i) + ".sav"); }
    void writeSlot(int i, int level, int skill) { test::writeFile(slotFile(i), test::saveFile(1, level, skill)); }

    // A stand-in game screen that records what it was asked to play.
    Frontend::GameRunner runner()
    {
        return [this](std::int16_t level, std::int16_t skill, bool fromEditor, const std::string& mapPath) {
            games.push_back({level, skill, fromEditor, mapPath, Game::currentSlot()});
            if (afterGame)
                afterGame();
            return gameStarts;
        };
    }
    // The main menu whose Play row leads to the real play menu with the
    // recording game screen; the other rows lead to the real screens
    // unless a test replaces them.
    Frontend::MainMenuScreens screens()
    {
        Frontend::MainMenuScreens s = Frontend::mainMenuScreens();
        s.play = [this](const sf::Texture& background) { return Frontend::runPlayMenu(background, runner()); };
        return s;
    }
    // A step that notes the current row's label at that moment.
    void note() { driver.then([this](test::FakeWindow&) { labels.push_back(driver.current); }); }

    test::FakeWindowScope fake;
    test::TempFolder dir;
    test::ScopedWorkingDirectory inDir{dir.root()};
    bool savedGiven = modFolderGiven;
    test::MenuDriver driver{fake.window};
    std::vector<GameStarted> games;
    std::vector<std::string> labels;
    bool gameStarts = true;
    std::function<void()> afterGame;
};

TEST_F(MenuScreensTest, WithoutItsBackgroundTheMainMenuSaysSoAndReturns)
{
    std::filesystem::remove(dir.root() / "base/menuback.png");
    driver.press(Key::Return);
    Frontend::runMainMenu();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, Screens({"Message: Unable to load menu background from base\\menuback.png"}));
}

TEST_F(MenuScreensTest, ThePlayMenuNamesEachSlotsGameContinuesItOrAsksTheSkillForANewOne)
{
    writeSlot(1, 1, SkillEasy);
    test::writeFile(slotFile(2), "not a saved game");
    driver.press({Key::Escape, Key::Return});  // Escape on the main menu: nothing
    note();
    for (Key key : {Key::Down, Key::Down, Key::Down, Key::Up}) {
        driver.press(key);
        note();
    }
    driver.press({Key::Return, Key::Return});  // slot 3 cannot be read: its error, then the main menu
    driver.press({Key::Return, Key::Down, Key::Return});  // slot 2 continues without asking
    driver.press({Key::Return, Key::Return, Key::Escape});  // slot 1 asks; Escape leads back
    driver.press({Key::Return, Key::Return, Key::Down, Key::Down, Key::Return});  // Hard in slot 1
    driver.press({Key::Return, Key::Down, Key::Down, Key::Down, Key::Return, Key::Return});  // Easy in slot 4
    driver.press({Key::Return, Key::Up, Key::Return, Key::Return, Key::Escape});  // Back, and Escape
    driver.press({Key::Up, Key::Return});
    Frontend::runMainMenu(screens());

    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(labels, Screens({"1: (empty slot)", "2: Easy - Level 2", "3: (empty slot)", "4: (empty slot)",
                               "3: (empty slot)"}));
    const std::string menu = "Main Menu", slots = "Select Game Slot", skill = "Skill Level";
    EXPECT_EQ(driver.screens, Screens({menu, slots, "Message: Not a valid save game file", menu, slots, menu, slots,
                                       skill, menu, slots, skill, menu, slots, skill, menu, slots, menu, slots,
                                       menu}));
    EXPECT_EQ(games, std::vector<GameStarted>({{1, SkillEasy, false, "", slot(1)},
                                               {0, SkillHard, false, "", slot(0)},
                                               {0, SkillEasy, false, "", slot(3)}}));
}

TEST_F(MenuScreensTest, ADeletedSlotReadsNoDataAndEmptyAfterwards)
{
    writeSlot(0, 4, SkillHard);
    writeSlot(2, 0, SkillNormal);
    driver.press({Key::Down, Key::Return, Key::Down, Key::Down, Key::Return});  // Options, Delete Saved Game
    note();
    driver.press(Key::Down);
    note();
    driver.press(Key::Return);  // no file: nothing happens
    driver.press({Key::Up, Key::Return, Key::Escape});  // "No" keeps the screen
    driver.press({Key::Return, Key::Return});           // "Yes" deletes and leaves
    driver.press(Key::Return);                          // Delete Saved Game again
    note();
    driver.press({Key::Escape, Key::Escape, Key::Up, Key::Return});  // to the play menu
    note();
    driver.press({Key::Escape, Key::Up, Key::Return});
    Frontend::runMainMenu(screens());

    const std::string sure = "Confirm: Are you sure that you want to delete this saved game?";
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, Screens({"Main Menu", "Options", "Delete Save Game", sure, "Delete Save Game", sure,
                                       "Options", "Delete Save Game", "Options", "Main Menu", "Select Game Slot",
                                       "Main Menu"}));
    EXPECT_EQ(labels, Screens({"1: Delete Hard - Level 5", "2: (no data)", "1: (no data)", "1: (empty slot)"}));
    EXPECT_FALSE(std::filesystem::exists(slotFile(0)));
    EXPECT_TRUE(std::filesystem::exists(slotFile(2))) << "only the chosen slot goes";
    EXPECT_TRUE(games.empty());
}

TEST_F(MenuScreensTest, AGameThatCannotStartShowsTheGameErrorAndTheSlotStaysAsTheGameLeftIt)
{
    writeSlot(2, 6, SkillHard);
    Game::SaveSlot editorSlot{"", "base\\savegames\\mapeditor.sav"};
    gameStarts = false;
    afterGame = [&] {
        Game::gameError() = "No entries in maps list";
        Game::currentSlot() = &editorSlot;
    };
    int skillAsked = 0;
    const Frontend::SkillQuestion askSkill = [&] {
        ++skillAsked;
        return std::optional<std::int16_t>(SkillEasy);
    };
    driver.press(Key::Return);
    Frontend::playFromSlot(2, askSkill, runner());
    // No such slot: nothing happens.
    Frontend::playFromSlot(8, askSkill, runner());
    Frontend::playFromSlot(-1, askSkill, runner());

    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, Screens({"Message: No entries in maps list"}));
    EXPECT_EQ(games, std::vector<GameStarted>({{6, SkillHard, false, "", slot(2)}}));
    EXPECT_EQ(skillAsked, 0);
    EXPECT_EQ(Game::currentSlot(), &editorSlot);
}

TEST_F(MenuScreensTest, EachRowLeadsToItsScreenAndTheMusicStartsAgainAfterAGameAndTheCreditsOnly)
{
    const KVCore::EngineSettings savedSettings = KVCore::settings();
    KVCore::settings() = KVCore::EngineSettings{};
    ASSERT_TRUE(Audio::init());
    ASSERT_TRUE(Audio::soundEnabled()) << "needs an audio device; run with ALSOFT_DRIVERS=null";
    test::writeFile(dir.root() / "base/music/menu.mod", test::audio::modFile(64, 2000));
    Game::resources().menuMusic = "menu.mod";

    // Every screen stops the music, as a game or the credits would change
    // it, and notes whether the music played when the row was chosen.
    std::vector<std::string> opened;
    const auto open = [&](const char* name) {
        opened.push_back(name + std::string(Audio::musicStatus() == sf::SoundSource::Playing ? "" : " (silent)"));
        Audio::stopMusic();
    };
    bool gamePlayed = true;
    std::size_t messagesAtHelp = 99;
    Frontend::MainMenuScreens s;
    s.play = [&](const sf::Texture&) {
        open("play");
        return std::exchange(gamePlayed, false);
    };
    s.options = [&](const sf::Texture&) { open("options"); };
    s.tools = [&](const sf::Texture&) { open("tools"); };
    s.help = [&] {
        messagesAtHelp = KVCore::screenMessages().size();
        open("help");
    };
    s.credits = [&] { open("credits"); };

    driver.press({Key::Return, Key::Return});  // a game, then Play and Back
    driver.then([](test::FakeWindow&) { KVCore::print("Game saved to somewhere"); });
    for (int row = 1; row <= 4; ++row)  // Options, Tools, Help, Credits
        driver.press({Key::Down, Key::Return});
    driver.press({Key::Escape, Key::Return});  // Escape leads nowhere
    driver.press({Key::Down, Key::Return});
    Frontend::runMainMenu(s);

    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(opened, Screens({"play", "play", "options (silent)", "tools (silent)", "help (silent)",
                               "credits (silent)", "credits"}));
    EXPECT_EQ(messagesAtHelp, 0u) << "help opens on a screen without messages";
    EXPECT_EQ(Audio::menuSounds().select, "interface\\MenuSelect");
    Audio::shutdown();
    Game::resources().menuMusic.clear();
    KVCore::settings() = savedSettings;
}

} // namespace
