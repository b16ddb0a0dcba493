// The game screen's loop without a real window: levels one after the other,
// the pause, running out of time, the last level, leaving with Escape, and
// level lists it cannot play.  The pictures are not loaded here, so each
// picture screen is the "Press OK to continue" box.
#include "audio/Audio.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Gamepad.hpp"
#include "engine/Layers.hpp"
#include "engine/WindowBackend.hpp"
#include "engine/Log.hpp"
#include "engine/Screenshot.hpp"
#include "game/GameScreen.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "storage/AssetPaths.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

namespace {

constexpr float tick = 1.f / 30.f;

class GameScreenTest : public test::PlayTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        std::filesystem::create_directories(data.root() / "base" / "tiles");
        std::filesystem::create_directories(data.root() / "base" / "maps");
        Map map = test::playMap();
        ASSERT_TRUE(map.tileset.save(data.file("base/tiles/kelvane.til"))) << map.tileset.lastError;
        slot.path = data.file("base/savegames/000.sav");
        Game::currentSlot() = &slot;
        Game::setGameFrameHook([this] { onFrame(); });
    }
    void TearDown() override
    {
        Game::setGameFrameHook(nullptr);
        Game::currentSlot() = nullptr;
    }

    void writeLevel(const std::string& name, Map map)
    {
        ASSERT_TRUE(map.save(data.file("base/maps/" + name))) << map.lastError;
    }
    void writeLevelList(std::initializer_list<const char*> maps)
    {
        std::string ini = "[info]\nMapsCount=" + std::to_string(maps.size()) + "\n";
        int i = 0;
        for (const char* m : maps)
            ini += "[map" + std::to_string(i++) + "]\nmap=" + m + "\nmusic=\n";
        test::writeFile(data.root() / "base" / "game.ini", ini);
    }
    static Map grassLevel(std::int16_t seconds)
    {
        Map map = test::playMap(test::lawnTile);
        map.timeLimit = seconds;
        return map;
    }
    int printedCount(const std::string& prefix) const
    {
        const auto& lines = KVCore::consoleLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const auto& l) { return l.text.rfind(prefix, 0) == 0; }));
    }
    SaveGame savedGame() const
    {
        SaveGame saved;
        EXPECT_TRUE(saved.load(slot.path)) << saved.errorText;
        return saved;
    }

    // Every frame of play moves the clock one tick on, unless the script
    // for that frame says otherwise.
    void onFrame()
    {
        ++frameCount;
        const auto action = script.find(frameCount);
        if (action != script.end())
            action->second();
        else
            fake.time.advance(tick);
        if (frameCount > 2000)
            fake.window.open = false;  // a loop that never ends fails instead of hanging
    }

    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    Game::SaveSlot slot;
    test::ModalDriver driver{fake.window};
    std::map<int, std::function<void()>> script;
    int frameCount = 0;
};

TEST_F(GameScreenTest, LevelsFollowOneAnotherUntilTheLastIsDone)
{
    writeLevel("bare.map", test::playMap());
    writeLevel("bare2.map", test::playMap());
    writeLevelList({"bare.map", "bare2.map"});
    // The third box is the credits saying their picture is missing.
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    ASSERT_TRUE(Game::runGame(0, SkillHard, false, ""));

    // A lawn with nothing to mow is done at the end of its second frame,
    // the second level too.
    EXPECT_EQ(frameCount, 4);
    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Message: Press OK to continue",
                                                        "Message: Unable to load bitmap from base\\CreditsBack.png"}));
    EXPECT_EQ(printedCount("Level complete"), 2);
    EXPECT_TRUE(printedCount("Well done, you completed the game.") == 1);
    // The slot was saved at each level's start and points at the last one.
    EXPECT_EQ(printedCount("Game saved to "), 2);
    EXPECT_EQ(savedGame().levelIndex, 1);
    EXPECT_EQ(savedGame().skillLevel, SkillHard);
    EXPECT_TRUE(Game::mapsList().mapPaths.empty()) << "the level list lives only while a game runs";
    EXPECT_FALSE(Game::currentMap().loaded);
}

// A slot that cannot be written says why at each level's start, and the
// game is played on just the same.
TEST_F(GameScreenTest, AnUnwritableSlotSaysWhyAndPlayGoesOn)
{
    test::writeFile(data.root() / "base" / "savegames", "a file where the folder should be");
    writeLevel("bare.map", test::playMap());
    writeLevel("bare2.map", test::playMap());
    writeLevelList({"bare.map", "bare2.map"});
    driver.press({sf::Keyboard::Return, sf::Keyboard::Return, sf::Keyboard::Return, sf::Keyboard::Return,
                  sf::Keyboard::Return});
    ASSERT_TRUE(Game::runGame(0, SkillHard, false, ""));

    const std::string refused = "Message: Unable to create " + slot.path;
    EXPECT_EQ(driver.screens,
              (std::vector<std::string>{refused, "Message: Press OK to continue", refused,
                                        "Message: Press OK to continue",
                                        "Message: Unable to load bitmap from base\\CreditsBack.png"}));
    EXPECT_EQ(slot.errorText, "Unable to create " + slot.path);
    EXPECT_EQ(printedCount("Level complete"), 2);
    EXPECT_EQ(printedCount("Game saved to "), 0);
}

TEST_F(GameScreenTest, OutOfTimeStartsTheLevelAgainAndEscapeLeaves)
{
    writeLevel("lawn.map", grassLevel(1));
    writeLevelList({"lawn.map"});
    script[40] = [this] { fake.window.pressKey(sf::Keyboard::Escape); };
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    ASSERT_TRUE(Game::runGame(0, SkillNormal, false, ""));

    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Message: Press OK to continue",
                                                        "Confirm: Return to main menu?"}));
    EXPECT_EQ(printedCount("Out of Time"), 1);
    EXPECT_EQ(printedCount("Game saved to "), 2) << "starting again saves again";
    EXPECT_EQ(printedCount("Level complete"), 0);
    EXPECT_EQ(Game::gameState().timeLeft, 1) << "a full second again, and Escape came before it ran out";
}

// P, a pad's Start and turning to another window all pause the same way.
struct PauseWay {
    const char* name;
    std::function<void(test::FakeWindow&)> pause;
    // What ends the pause; the window has its focus back first.
    std::function<void(test::FakeWindow&)> goOn;
};

void PrintTo(const PauseWay& way, std::ostream* out) { *out << way.name; }

class GameScreenPauseTest : public GameScreenTest, public ::testing::WithParamInterface<PauseWay> {};

TEST_P(GameScreenPauseTest, ThePauseRestartsTheCurrentSecond)
{
    writeLevel("lawn.map", grassLevel(90));
    writeLevelList({"lawn.map"});
    fake.window.connectPad(0);
    int timeAfterPause = -1, timeASecondLater = -1;
    script[1] = [this] { fake.time.advance(0.7f); };
    script[2] = [this] { GetParam().pause(fake.window); };
    // Frame 3 shows the pause; then half a second, and another.
    script[4] = [this] { fake.time.advance(0.5f); };
    script[5] = [&] { timeAfterPause = Game::gameState().timeLeft; fake.time.advance(0.5f); };
    script[6] = [&] {
        timeASecondLater = Game::gameState().timeLeft;
        fake.window.pressKey(sf::Keyboard::Escape);
    };
    driver.then([](test::FakeWindow& w) {
        w.focus = true;
        GetParam().goOn(w);
    });
    driver.press(sf::Keyboard::Return);
    ASSERT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_EQ(driver.screens,
              (std::vector<std::string>{"Message: Press OK to continue", "Confirm: Return to main menu?"}));
    EXPECT_EQ(timeAfterPause, 90) << "the 0.7 s before the pause is not counted";
    EXPECT_EQ(timeASecondLater, 89);
}

void press(test::FakeWindow& w, unsigned button)
{
    w.padButton(0, button, true);
    w.padButton(0, button, false);
}

INSTANTIATE_TEST_SUITE_P(
    EveryWay, GameScreenPauseTest,
    ::testing::Values(PauseWay{"P", [](test::FakeWindow& w) { w.pressKey(sf::Keyboard::P); },
                               [](test::FakeWindow& w) { w.pressKey(sf::Keyboard::Return); }},
                      PauseWay{"Start", [](test::FakeWindow& w) { press(w, Gamepad::buttonStart); },
                               [](test::FakeWindow& w) { press(w, Gamepad::buttonA); }},
                      PauseWay{"FocusLost", [](test::FakeWindow& w) { w.loseFocus(); },
                               [](test::FakeWindow& w) { w.pressKey(sf::Keyboard::Return); }}),
    [](const ::testing::TestParamInfo<PauseWay>& info) { return std::string(info.param.name); });

// A pad plugged in, used and pulled out in the middle of a level: the mower
// drives and stops, and nothing else happens until B asks to leave and A
// says yes.
TEST_F(GameScreenTest, APadComesAndGoesDuringPlayAndItsButtonsLeave)
{
    writeLevel("lawn.map", grassLevel(90));
    writeLevelList({"lawn.map"});
    const float startX = 400.f;
    float xWhileHeld = 0.f, xAfterRemoval = 0.f;
    script[3] = [this] { fake.window.connectPad(1); fake.time.advance(tick); };
    script[5] = [this] { fake.window.moveAxis(1, sf::Joystick::X, 100.f); fake.time.advance(tick); };
    script[20] = [&] { xWhileHeld = Game::player().x; fake.window.removePad(1); fake.time.advance(tick); };
    script[30] = [&] { xAfterRemoval = Game::player().x; fake.time.advance(tick); };
    script[40] = [this] {
        EXPECT_EQ(Game::player().speed, 0.f) << "no direction stuck";
        fake.window.connectPad(1);
        press(fake.window, Gamepad::buttonB);
    };
    driver.then([](test::FakeWindow& w) { press(w, Gamepad::buttonA); });
    ASSERT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Confirm: Return to main menu?"});
    EXPECT_GT(xWhileHeld, startX + 10.f);
    EXPECT_LT(xAfterRemoval - xWhileHeld, 10.f) << "stopped within a frame or two of the removal";
    EXPECT_EQ(Game::gameState().timeLeft, 89);
}

// Switching to full screen in play widens the view; the field and the Audio
// Panel button move to its middle, where a click finds the button.
TEST_F(GameScreenTest, AfterTheSwitchToFullScreenTheButtonIsInTheMiddleOfTheWiderView)
{
    writeLevel("lawn.map", grassLevel(90));
    writeLevelList({"lawn.map"});
    ASSERT_TRUE(Audio::init()) << "the panel opens only with sound";
    KVCore::settings().fpsLimit = 30;  // new windows keep every frame a tick
    KVCore::stopEmulation();
    KVCore::settings().emulatedWidth = KVCore::settings().emulatedHeight = 0;
    // Full screen goes back to the size it had last in this program: the desktop's.
    KVCore::createWindow(fake.window.desktop.width, fake.window.desktop.height, 32, false);
    KVCore::createWindow(1024, 768, 32, true);
    const float oldMiddle = KVCore::viewSize().x / 2.f;
    script[3] = [this] { fake.window.pressKey(sf::Keyboard::F11); fake.time.advance(tick); };
    // Down the middle of the new view, from the field's lower part to the
    // bar, one click a frame until the panel opens.
    float newMiddle = 0.f;
    for (int i = 0; i < 20; ++i)
        script[5 + i] = [this, i, &newMiddle] {
            fake.time.advance(tick);
            if (!driver.screens.empty())
                return;
            const sf::Vector2f view = KVCore::viewSize();
            newMiddle = view.x / 2.f;
            const float scale = static_cast<float>(fake.window.size().x) / view.x;
            fake.window.mouse = {static_cast<int>(newMiddle * scale),
                                 static_cast<int>((600.f + 5.f * static_cast<float>(i)) * scale)};
            fake.window.mouseButton(sf::Mouse::Left, true);
            fake.window.mouseButton(sf::Mouse::Left, false);
        };
    script[30] = [this] { fake.window.pressKey(sf::Keyboard::Escape); };
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    ASSERT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_FALSE(fake.window.windowed);
    EXPECT_GT(newMiddle, oldMiddle + 100.f) << "the view is wider than the old button reaches";
    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Audio Panel", "Confirm: Return to main menu?"}));
    Audio::shutdown();
    KVCore::stopEmulation();
    KVCore::settings() = KVCore::EngineSettings{};
}

TEST_F(GameScreenTest, ASavedLevelBeyondTheListStartsTheFirstLevel)
{
    writeLevel("bare.map", test::playMap());
    writeLevelList({"bare.map"});
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    ASSERT_TRUE(Game::runGame(6, SkillNormal, false, ""));
    EXPECT_EQ(driver.screens,
              (std::vector<std::string>{"Message: Level 7 is not in the level list, so the game starts at level 1.",
                                        "Message: Press OK to continue",
                                        "Message: Unable to load bitmap from base\\CreditsBack.png"}));
    EXPECT_EQ(savedGame().levelIndex, 0);
    EXPECT_TRUE(printedCount("Well done, you completed the game.") == 1);
}

TEST_F(GameScreenTest, AGameThatCannotStartSaysWhy)
{
    test::writeFile(data.root() / "base" / "game.ini", "[info]\nMapsCount=0\n");
    EXPECT_FALSE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_EQ(Game::gameError(), "No entries in maps list");

    writeLevelList({"missing.map"});
    EXPECT_FALSE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_EQ(Game::gameError(), "Unable to open " + resolvedAssetPath("maps\\missing.map"));
    EXPECT_TRUE(Game::mapsList().mapPaths.empty());
    EXPECT_EQ(frameCount, 0);
    EXPECT_TRUE(driver.screens.empty());
}

} // namespace

namespace {

// In a real window the level's tile images go after its first frame: the
// atlas on the GPU is all that play draws.
TEST_F(GameScreenTest, AfterItsFirstFrameALevelKeepsOnlyItsAtlas)
{
    writeLevel("lawn.map", grassLevel(90));
    writeLevelList({"lawn.map"});
    KVCore::setWindowBackend(KVCore::makeSfmlWindowBackend());
    ASSERT_TRUE(KVCore::createWindow(640, 480, 32, true));
    KVCore::setDirectDraw(false);
    std::vector<unsigned> tileWidths;
    Game::setGameFrameHook([&] {
        tileWidths.push_back(Game::currentMap().tileset.tiles[test::lawnTile].image.getSize().x);
        if (tileWidths.size() == 3)
            KVCore::window().close();
    });
    EXPECT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_EQ(tileWidths, (std::vector<unsigned>{32, 0, 0}));
    KVCore::setDirectDraw(true);
}

// A game frame does not clear the window first: all the last frame left
// there is covered, under the field's lower edge and around the button too.
TEST_F(GameScreenTest, AGameFrameCoversAllTheLastFrameLeft)
{
    Map green = test::playMap();
    green.tileset.tiles[test::lawnTile].image.create(Tileset::tileSize, Tileset::tileSize, sf::Color(40, 160, 40));
    ASSERT_TRUE(green.tileset.save(data.file("base/tiles/kelvane.til"))) << green.tileset.lastError;
    writeLevel("lawn.map", grassLevel(90));
    writeLevelList({"lawn.map"});
    KVCore::setWindowBackend(KVCore::makeSfmlWindowBackend());
    ASSERT_TRUE(KVCore::createWindow(1024, 768, 32, true));
    KVCore::setDirectDraw(false);
    int frames = 0;
    Game::setGameFrameHook([&] {
        ++frames;
        if (frames == 3) {
            sf::RectangleShape last(KVCore::viewSize());
            last.setFillColor(sf::Color::Magenta);
            KVCore::window().renderWindow()->draw(last);
            KVCore::requestScreenshot("frame.png");
        } else if ((frames > 3 && !KVCore::screenshotPending()) || frames > 300) {
            KVCore::window().close();
        }
    });
    EXPECT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    KVCore::setDirectDraw(true);

    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile("frame.png"));
    ASSERT_EQ(shot.getSize(), sf::Vector2u(1024, 768));
    int lastFrame = 0, lawn = 0;
    for (unsigned y = 0; y < 768; ++y)
        for (unsigned x = 0; x < 1024; ++x) {
            const sf::Color c = shot.getPixel(x, y);
            lastFrame += c.r > 100 && c.b > 100 && c.g < 60;
            lawn += y < 600 && c == sf::Color(40, 160, 40);
        }
    EXPECT_EQ(lastFrame, 0);
    EXPECT_GT(lawn, 1024 * 550) << "the field is drawn: the lawn under the mower";
}

} // namespace
