// The screens the main menu shows over a data folder of their own: the
// credits (the band behind each section, the steps that slide the lines in
// and hold each section, the keys with the fortune teller hidden among
// them), the last level of a game, which ends in them, and the help text.
#include "frontend/Credits.hpp"
#include "support/BuildPaths.hpp"
#include "frontend/Help.hpp"

#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "frontend/FortuneTeller.hpp"
#include "game/GameScreen.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/ModalDriver.hpp"
#include "gui/TextBox.hpp"
#include "storage/AssetPaths.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using Frontend::creditsAnimation;
using K = sf::Keyboard;

constexpr double overAStep = 0.017;

void writePicture(const std::filesystem::path& root)
{
    sf::Image picture;
    picture.create(8, 8, sf::Color(40, 120, 40));
    std::filesystem::create_directories(root / "base");
    ASSERT_TRUE(picture.saveToFile((root / "base" / "CreditsBack.png").string()));
}

// A data folder of the test's own as the working folder.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
    }
    void TearDown() override { modFolderGiven = savedGiven; }

    test::FakeWindowScope fake;
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    bool savedGiven = modFolderGiven;
};

class CreditsTest : public DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        // Each frame presses its scripted key, then moves the clock on.
        Frontend::setCreditsFrameHook([this] {
            if (const auto key = presses.find(++frameCount); key != presses.end())
                fake.window.pressKey(key->second);
            fake.time.advance(frameSeconds);
            if (frameCount > 500)
                fake.window.open = false;  // credits that never end fail instead of hanging
        });
    }
    void TearDown() override
    {
        Frontend::setCreditsFrameHook(nullptr);
        DataFolderTest::TearDown();
    }

    bool step()
    {
        fake.time.advance(overAStep);
        return Frontend::stepCredits();
    }
    std::map<int, sf::Keyboard::Key> presses;
    double frameSeconds = overAStep;
    int frameCount = 0;
};

TEST_F(CreditsTest, EverySectionsBandHoldsItsLinesAcrossTheViewAboveTheFooter)
{
    fake.window.resize(640, 480);
    const float spacing = Text::mediumFont().getLineSpacing(24);
    const float footerTop = 480.f - Text::standardLineSpacing(18) - 2.f;
    const auto widthOf = [](const std::string& s) {
        const sf::Text t(s, Text::mediumFont(), 24);
        return t.getLocalBounds().left + t.getLocalBounds().width;
    };
    Frontend::beginCredits();
    const auto& sections = Frontend::shownCreditsSections();
    ASSERT_FALSE(sections.empty());
    for (std::size_t s = 0; s < sections.size(); ++s) {
        SCOPED_TRACE(sections[s].heading);
        Frontend::startCreditsSection(static_cast<int>(s));
        const Frontend::CreditsAnimation& a = creditsAnimation();
        EXPECT_EQ(a.section, static_cast<int>(s));
        // Edges are inclusive: the band spans the view's 640 columns and
        // starts a little above the heading at mid-height.
        EXPECT_EQ(a.bandLeft, 0.f);
        EXPECT_EQ(a.bandRight, 639.f);
        EXPECT_EQ(a.bandTop, 235.f);
        // Lines go every other line below a 20 pixel gap under the heading.
        const float lastLineBottom = 240.f + spacing + 20.f + 2.f * spacing * (sections[s].lines.size() - 1) + spacing;
        EXPECT_GE(a.bandBottom, lastLineBottom);
        EXPECT_LT(a.bandBottom, footerTop);
        EXPECT_LE(10.f + widthOf(sections[s].heading), 640.f);
        for (const std::string& line : sections[s].lines)
            EXPECT_LE(10.f + widthOf(line), 640.f) << line;
    }
}

TEST_F(CreditsTest, StepsSlideEachLineInAndHoldTheSectionAndTheLastWrapsToTheFirst)
{
    Frontend::beginCredits();
    fake.time.advance(0.016);
    EXPECT_FALSE(Frontend::stepCredits());
    fake.time.advance(0.001);
    EXPECT_TRUE(Frontend::stepCredits());
    // The clock starts again with the step; a long frame is still one step.
    EXPECT_FALSE(Frontend::stepCredits());
    fake.time.advance(0.5);
    EXPECT_TRUE(Frontend::stepCredits());
    EXPECT_EQ(creditsAnimation().slideX, 1024.f - 2 * 64.f);

    // At 1290 wide a line lands on x 10 exactly, which counts as arrived.
    const auto last = static_cast<int>(Frontend::shownCreditsSections().size()) - 1;
    for (const auto& [width, height, section] : {std::tuple(1024u, 768u, 0), {640u, 480u, last},
                                                 {1920u, 1080u, 0}, {1290u, 720u, last}}) {
        SCOPED_TRACE(std::to_string(width) + " wide, section " + std::to_string(section));
        fake.window.resize(width, height);
        Frontend::beginCredits();
        Frontend::startCreditsSection(section);
        const auto w = static_cast<float>(width);
        const int steps = static_cast<int>(std::ceil((w - 10.f) / 64.f));
        const auto lines = static_cast<int>(Frontend::shownCreditsSections()[static_cast<std::size_t>(section)].lines.size());
        for (int line = 0; line < lines; ++line) {
            for (int i = 0; i <= steps; ++i) {
                EXPECT_EQ(creditsAnimation().linesShown, i == steps ? line + 1 : line);
                EXPECT_EQ(creditsAnimation().slideX, i == steps ? w : w - 64.f * i) << "after " << i << " steps";
                ASSERT_TRUE(i == steps || step());
            }
        }
        for (int i = 0; i < 150; ++i) {
            ASSERT_EQ(creditsAnimation().section, section) << "held for " << i << " steps";
            ASSERT_TRUE(step());
        }
        EXPECT_EQ(creditsAnimation().section, section == last ? 0 : section + 1);
        EXPECT_EQ(creditsAnimation().linesShown, 0);
        EXPECT_EQ(creditsAnimation().slideX, w);
    }
    Frontend::startCreditsSection(last + 1);
    EXPECT_EQ(creditsAnimation().section, 0);
}

TEST_F(CreditsTest, AMissingPictureIsReportedAndNoCreditsRun)
{
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    Frontend::showCredits();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens,
              std::vector<std::string>{"Message: Unable to load bitmap from " + resolvedAssetPath("CreditsBack.png")});
    EXPECT_EQ(frameCount, 0);
}

TEST_F(CreditsTest, CoolShowsASayingEscapeLeavesAndTheCreditsMoveOnEveryFrame)
{
    struct Typed {
        unsigned frameRate;
        std::vector<std::pair<int, sf::Keyboard::Key>> presses;  // frame, key; Escape last
        bool told;
        int keysAfter;  // where the fortune teller is in the word
    };
    // At sixty frames a second a tick comes every other frame, and a press
    // stays in the tick's list for both frames: one O counts twice.
    const Typed cases[] = {
        {30, {{20, K::Escape}}, false, 0},
        {30, {{1, K::C}, {2, K::O}, {3, K::O}, {4, K::L}, {7, K::Escape}}, true, 0},
        {30, {{1, K::C}, {2, K::O}, {3, K::L}, {5, K::Escape}}, false, 2},
        {60, {{1, K::C}, {5, K::O}, {9, K::L}, {13, K::Escape}}, true, 0},
    };
    writePicture(data.root());
    std::set<std::string> told;
    for (const Typed& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.presses));
        std::srand(c.frameRate);
        const std::string saying = Frontend::fortuneSayings().at(static_cast<std::size_t>(std::rand() % 25));
        std::srand(c.frameRate);
        test::ModalDriver driver(fake.window);
        // Every frame of the saying's box a tick, so that Return is seen.
        driver.then([](test::FakeWindow& w) {
            KVCore::setFrameLimitInEffect(30);
            w.pressKey(sf::Keyboard::Return);
        });
        KVCore::print("Game saved to base\\savegames\\000.sav");
        KVCore::setFrameLimitInEffect(c.frameRate);
        frameSeconds = 1.0 / c.frameRate;
        frameCount = 0;
        presses = {c.presses.begin(), c.presses.end()};
        Frontend::showCredits();
        EXPECT_EQ(driver.screens, c.told ? std::vector<std::string>{"Message: " + saying} : std::vector<std::string>{});
        if (c.told)
            told.insert(saying);
        EXPECT_EQ(frameCount, c.presses.back().first) << "back in the credits after the saying";
        EXPECT_EQ(Frontend::fortuneKeyState(), c.keysAfter);
        // The first line arrives after 16 steps and the section holds.
        EXPECT_EQ(creditsAnimation().slideX, frameCount < 16 ? 1024.f - 64.f * frameCount : 1024.f);
        EXPECT_TRUE(fake.window.open);
        EXPECT_TRUE(Keyboard::pressedKeys().empty()) << "the Escape reaches no one else";
        // Only what was printed before is checked: the saying's box may
        // report icons missing from this test's data folder.
        EXPECT_TRUE(std::none_of(KVCore::screenMessages().begin(), KVCore::screenMessages().end(),
                                 [](const auto& m) { return m.text.rfind("Game saved", 0) == 0; }))
            << "the credits start with a clear screen";
    }
    EXPECT_EQ(told.size(), 2u) << "rand() picks the saying";
}

TEST(FortuneTellerTest, OnlyCoolTellsOneOfTwentyFiveSayingsWhateverComesBetween)
{
    const std::vector<std::string> sayings = Frontend::fortuneSayings();
    EXPECT_EQ(std::set<std::string>(sayings.begin(), sayings.end()).size(), 25u) << "25 sayings, none twice";

    struct Typed {
        std::vector<sf::Keyboard::Key> keys;
        int stateAfter;
        int told;
    };
    const Typed cases[] = {
        {{K::C, K::O, K::O, K::L}, 0, 1},
        {{K::C, K::O, K::O, K::L, K::C, K::O, K::O, K::L}, 0, 2},
        {{K::C, K::O, K::L}, 2, 0},
        {{K::O, K::O, K::L}, 0, 0},              // O counts only after C
        {{K::C, K::O, K::O, K::O, K::L}, 0, 1},  // a third O is one too many, and ignored
        {{K::C, K::O, K::C, K::O, K::L}, 0, 1},  // C does not start the word again
        {{K::C, K::X, K::O, K::Space, K::O, K::Return, K::L}, 0, 1},
        {{K::C, K::O, K::O, K::Escape}, 3, 0},
    };
    for (const Typed& c : cases) {
        int state = 0, told = 0;
        for (sf::Keyboard::Key key : c.keys) {
            const Frontend::FortuneKeyResult r = Frontend::fortuneKey(state, key);
            state = r.state;
            told += r.tellFortune ? 1 : 0;
        }
        EXPECT_EQ(state, c.stateAfter) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(told, c.told) << ::testing::PrintToString(c.keys);
    }
}

class LastLevelTest : public test::PlayTest {
protected:
    void TearDown() override
    {
        Game::setGameFrameHook(nullptr);
        Frontend::setCreditsFrameHook(nullptr);
        Game::currentSlot() = nullptr;
        modFolderGiven = savedGiven;
    }
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    bool savedGiven = modFolderGiven;
};

TEST_F(LastLevelTest, TheCreditsComeBeforeTheWellDoneAndTheGameEndsAfterThem)
{
    ASSERT_TRUE(test::loadEngineFonts());
    modFolderGiven = false;
    for (const char* folder : {"base/tiles", "base/maps", "base/savegames"})
        std::filesystem::create_directories(data.root() / folder);
    Map map = test::playMap();
    ASSERT_TRUE(map.tileset.save(data.file("base/tiles/kelvane.til"))) << map.tileset.lastError;
    ASSERT_TRUE(map.save(data.file("base/maps/bare.map"))) << map.lastError;
    test::writeFile(data.root() / "base" / "game.ini", "[info]\nMapsCount=1\n[map0]\nmap=bare.map\nmusic=\n");
    writePicture(data.root());
    Game::SaveSlot slot{"", data.file("base/savegames/000.sav")};
    Game::currentSlot() = &slot;
    const auto wellDonePrinted = [] {
        const auto& lines = KVCore::consoleLines();
        return std::count_if(lines.begin(), lines.end(),
                             [](const auto& l) { return l.text == "Well done, you completed the game."; });
    };

    int gameFrames = 0, creditsFrames = 0;
    long wellDoneDuringCredits = -1;
    Game::setGameFrameHook([&] {
        fake.time.advance(1.0 / 30.0);
        if (++gameFrames > 200)
            fake.window.open = false;
    });
    Frontend::setCreditsFrameHook([&] {
        fake.time.advance(overAStep);
        if (++creditsFrames == 1)
            wellDoneDuringCredits = wellDonePrinted();
        if (creditsFrames == 3)
            fake.window.pressKey(sf::Keyboard::Escape);
    });
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);  // the level complete picture
    ASSERT_TRUE(Game::runGame(0, SkillNormal, false, ""));
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_TRUE(fake.window.open);
    EXPECT_EQ(creditsFrames, 3);
    EXPECT_EQ(wellDoneDuringCredits, 0);
    EXPECT_EQ(wellDonePrinted(), 1);
    EXPECT_LT(gameFrames, 10) << "the game ends once the credits are left";
}

class HelpTest : public DataFolderTest {};

TEST_F(HelpTest, ShowsTheFileReadOnlyUntilReturnOrDone)
{
    test::writeFile(data.root() / "base" / "help.txt", "KELVANE\r\n\r\nMow every patch of grass.\r\n");
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        Frontend::showHelp();
        EXPECT_FALSE(driver.gaveUp);
        EXPECT_EQ(driver.screens, std::vector<std::string>{"Kelvane Help: KELVANE\n\nMow every patch of grass.\n"});
        EXPECT_TRUE(Keyboard::pressedKeys().empty()) << "the Return that closed it reaches no one else";
    }

    const std::string help = "Arrow keys steer.\nP pauses.\n";
    test::writeFile(data.root() / "base" / "help.txt", help);
    const sf::FloatRect text = Frontend::helpTextFrame({1024.f, 768.f});
    const sf::Vector2i inText(static_cast<int>(text.left) + 40, static_cast<int>(text.top) + 10);
    test::ModalDriver driver(fake.window);
    // A click gives the text the keyboard for the rest of its tick; what
    // comes with the click must not change the text either.
    driver
        .then([inText](test::FakeWindow& w) {
            w.mouse = inText;
            w.mouseButton(sf::Mouse::Left, true);
            w.mouseButton(sf::Mouse::Left, false);
            for (char c : std::string("mow"))
                w.typeChar(static_cast<unsigned char>(c));
            w.pressKey(sf::Keyboard::Delete);
            w.pressKey(sf::Keyboard::BackSpace);
        })
        .type("grass")
        .press(sf::Keyboard::Delete)
        .press(sf::Keyboard::Down)
        .press(sf::Keyboard::PageDown)
        // Done sits centred in the gap under the text.
        .click({512.f, (text.top + text.height + 768.f - 10.f) / 2.f});
    Frontend::showHelp();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Kelvane Help: " + help});
}

TEST_F(HelpTest, NothingIsShownWithoutAReadableFile)
{
    for (bool folderInstead : {false, true}) {
        if (folderInstead)
            std::filesystem::create_directories(data.root() / "base" / "help.txt");
        test::ModalDriver driver(fake.window, 20);
        Frontend::showHelp();
        EXPECT_TRUE(driver.screens.empty()) << (folderInstead ? "a folder is no help text" : "no file");
    }
}

TEST_F(HelpTest, TheShippedHelpFitsTheViewAtEverySize)
{
    const std::string shipped = test::readFile(std::filesystem::path(test::built::contentFolder()) / "base" / "help.txt");
    ASSERT_FALSE(shipped.empty());
    EXPECT_EQ(shipped.find('\t'), std::string::npos) << "tabs line up differently in every font";
    for (const sf::Vector2f view : {sf::Vector2f(640.f, 480.f), sf::Vector2f(1024.f, 768.f),
                                    sf::Vector2f(1920.f, 1080.f)}) {
        SCOPED_TRACE(view.x);
        fake.window.resize(static_cast<unsigned>(view.x), static_cast<unsigned>(view.y));
        const sf::FloatRect frame = Frontend::helpTextFrame(view);
        EXPECT_GE(frame.left, 0.f);
        EXPECT_GE(frame.top, 0.f);
        EXPECT_LE(frame.left + frame.width, view.x);
        EXPECT_LT(frame.top + frame.height, view.y - 30.f) << "room for Done below";
        EXPECT_GT(frame.height, view.y / 2.f);
        std::istringstream lines(shipped);
        for (std::string line; std::getline(lines, line);) {
            const sf::Text shown = kv::textField::makeText(line);
            EXPECT_LE(shown.getLocalBounds().left + shown.getLocalBounds().width,
                      frame.width - 2.f * kv::textField::padding - 2.f)
                << line;
        }
    }
}

} // namespace
