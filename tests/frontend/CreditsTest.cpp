// The credits: their sections and how they fit a small view, the step rules
// that slide the lines in and hold each section, and the screen's loop with
// its keys, the fortune teller and the way out; and the last level of a
// game, which ends in them.
#include "frontend/Credits.hpp"

#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Text.hpp"
#include "frontend/FortuneTeller.hpp"
#include "game/GameScreen.hpp"
#include "game/PlayFixture.hpp"
#include "game/SaveGame.hpp"
#include "game/SaveSlots.hpp"
#include "gui/ModalDriver.hpp"
#include "storage/AssetPaths.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

using Frontend::creditsAnimation;

constexpr double overAStep = 0.017;

float textWidth(const std::string& text, const sf::Font& font, unsigned size)
{
    const sf::Text t(text, font, size);
    return t.getLocalBounds().left + t.getLocalBounds().width;
}

std::size_t lineCount(int section)
{
    return Frontend::shownCreditsSections().at(static_cast<std::size_t>(section)).lines.size();
}

class CreditsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
        Frontend::setCreditsFrameHook([this] { onFrame(); });
    }
    void TearDown() override
    {
        Frontend::setCreditsFrameHook(nullptr);
        modFolderGiven = savedGiven;
    }

    void writeBackground()
    {
        sf::Image picture;
        picture.create(8, 8, sf::Color(40, 120, 40));
        std::filesystem::create_directories(data.root() / "base");
        ASSERT_TRUE(picture.saveToFile(data.file("base/CreditsBack.png")));
    }

    // One step over the clock, then the step.
    bool step()
    {
        fake.time.advance(overAStep);
        return Frontend::stepCredits();
    }
    void stepUntilAllLinesShown()
    {
        const int section = creditsAnimation().section;
        for (int i = 0; i < 1000 && creditsAnimation().linesShown < static_cast<int>(lineCount(section)); ++i)
            ASSERT_TRUE(step());
    }

    // Each frame of the credits moves the clock past a step, after the
    // frame's scripted action.
    void onFrame()
    {
        ++frameCount;
        if (const auto action = script.find(frameCount); action != script.end())
            action->second();
        fake.time.advance(frameSeconds);
        if (frameCount > 500)
            fake.window.open = false;  // credits that never end fail instead of hanging
    }
    void pressOn(int frame, sf::Keyboard::Key key)
    {
        script[frame] = [this, key] { fake.window.pressKey(key); };
    }

    test::FakeWindowScope fake;
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    bool savedGiven = modFolderGiven;
    std::map<int, std::function<void()>> script;
    double frameSeconds = overAStep;
    int frameCount = 0;
};

TEST_F(CreditsTest, TheSectionsNameTheTeamAndEveryLibraryWithItsLicence)
{
    const std::vector<Frontend::CreditsSection> sections = Frontend::creditsSections();
    ASSERT_GE(sections.size(), 5u);
    std::vector<std::string> headings;
    for (const auto& s : sections)
        headings.push_back(s.heading);
    EXPECT_EQ(std::vector<std::string>(headings.begin(), headings.begin() + 5),
              (std::vector<std::string>{"Kelvane", "Coding", "Simple and Fast Multimedia Library (SFML)", "Maps",
                                        "Thanks to"}));
    EXPECT_EQ(sections[0].lines, std::vector<std::string>{"The cutting edge of the Talvex universe"});
    EXPECT_EQ(sections[2].lines, std::vector<std::string>{"https://www.sfml-dev.org/"});
    ASSERT_EQ(sections[1].lines.size(), 1u);
    ASSERT_EQ(sections[3].lines.size(), 3u);
    ASSERT_EQ(sections[4].lines.size(), 3u);
    EXPECT_EQ(sections[4].lines[2], "- The testers");
    for (int s : {1, 3, 4})
        for (const std::string& line : sections[static_cast<std::size_t>(s)].lines)
            EXPECT_EQ(line.rfind("- ", 0), 0u) << line;

    // Each library, font and icon set on one line with its licence.
    const std::vector<std::pair<std::string, std::string>> licences = {
        {"SFML", "zlib/png licence"},       {"DUMB", "DUMB licence"},
        {"OpenAL Soft", "GNU LGPL 2"},      {"Roboto", "Apache License 2.0"},
        {"DejaVu", "Bitstream Vera licence"}, {"Material Design icons", "Apache License 2.0"},
    };
    for (const auto& [what, licence] : licences) {
        const bool credited = std::any_of(sections.begin() + 5, sections.end(), [&](const auto& s) {
            return std::any_of(s.lines.begin(), s.lines.end(), [&](const std::string& line) {
                return line.find(what) != std::string::npos && line.find(licence) != std::string::npos;
            });
        });
        EXPECT_TRUE(credited) << what << " with " << licence;
    }
}

TEST_F(CreditsTest, EverySectionFitsASmallViewAboveTheFooter)
{
    fake.window.resize(640, 480);
    const float spacing = Text::mediumFont().getLineSpacing(24);
    const float footerTop = 480.f - Text::standardLineSpacing(18) - 2.f;
    Frontend::beginCredits();
    const auto& sections = Frontend::shownCreditsSections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        SCOPED_TRACE(sections[s].heading);
        Frontend::startCreditsSection(static_cast<int>(s));
        const Frontend::CreditsAnimation& a = creditsAnimation();
        EXPECT_EQ(a.bandLeft, 0.f);
        EXPECT_EQ(a.bandRight, 639.f);
        EXPECT_EQ(a.bandTop, 235.f);
        // The band holds the heading and every line and stops short of the
        // footer.
        const float lastLineBottom = 240.f + spacing + 20.f + 2.f * spacing * (sections[s].lines.size() - 1) + spacing;
        EXPECT_GE(a.bandBottom, lastLineBottom);
        EXPECT_LT(a.bandBottom, footerTop);
        EXPECT_LE(10.f + textWidth(sections[s].heading, Text::mediumFont(), 24), 640.f);
        for (const std::string& line : sections[s].lines)
            EXPECT_LE(10.f + textWidth(line, Text::mediumFont(), 24), 640.f) << line;
    }
}

TEST_F(CreditsTest, AStepComesPast16MillisecondsAndSlidesALineIn64Pixels)
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

    // At 1290 wide the line lands on x 10 exactly, which counts as arrived.
    for (const sf::Vector2u size : {sf::Vector2u(1024, 768), sf::Vector2u(640, 480), sf::Vector2u(1920, 1080),
                                    sf::Vector2u(1290, 720)}) {
        SCOPED_TRACE(size.x);
        fake.window.resize(size.x, size.y);
        Frontend::beginCredits();
        const auto w = static_cast<float>(size.x);
        const int steps = static_cast<int>(std::ceil((w - 10.f) / 64.f));
        for (int i = 0; i <= steps; ++i) {
            EXPECT_EQ(creditsAnimation().linesShown, i == steps ? 1 : 0);
            EXPECT_EQ(creditsAnimation().slideX, i == steps ? w : w - 64.f * i) << "after " << i << " steps";
            ASSERT_TRUE(i == steps || step());
        }
    }
}

TEST_F(CreditsTest, ASectionHolds150StepsAndTheLastWrapsToTheFirst)
{
    Frontend::beginCredits();
    stepUntilAllLinesShown();
    for (int i = 0; i < 149; ++i)
        ASSERT_TRUE(step());
    EXPECT_EQ(creditsAnimation().section, 0);
    EXPECT_EQ(creditsAnimation().holdCounter, 1);
    ASSERT_TRUE(step());
    EXPECT_EQ(creditsAnimation().section, 1);
    EXPECT_EQ(creditsAnimation().linesShown, 0);
    EXPECT_EQ(creditsAnimation().holdCounter, 150);

    const auto last = static_cast<int>(Frontend::shownCreditsSections().size()) - 1;
    Frontend::startCreditsSection(last);
    stepUntilAllLinesShown();
    EXPECT_EQ(creditsAnimation().linesShown, static_cast<int>(lineCount(last)));
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(step());
    EXPECT_EQ(creditsAnimation().section, 0);

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

TEST_F(CreditsTest, EscapeLeavesWithTheTicksKeysAndTheCreditsMovedOnEveryFrame)
{
    writeBackground();
    test::ModalDriver driver(fake.window, 30);
    KVCore::print("Game saved to base\\savegames\\000.sav");
    pressOn(3, sf::Keyboard::Escape);
    Frontend::showCredits();
    EXPECT_EQ(frameCount, 3);
    EXPECT_TRUE(fake.window.open);
    EXPECT_TRUE(driver.screens.empty());
    EXPECT_TRUE(Keyboard::pressedKeys().empty());
    EXPECT_TRUE(KVCore::screenMessages().empty()) << "the credits start with a clear screen";
    EXPECT_EQ(creditsAnimation().slideX, 1024.f - 3 * 64.f);
}

TEST_F(CreditsTest, CoolShowsASayingAndTheCreditsGoOn)
{
    writeBackground();
    std::srand(7);
    const std::string saying = Frontend::fortuneSayings().at(static_cast<std::size_t>(std::rand() % 25));
    std::srand(7);
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    pressOn(1, sf::Keyboard::C);
    pressOn(2, sf::Keyboard::O);
    pressOn(3, sf::Keyboard::O);
    pressOn(4, sf::Keyboard::L);
    pressOn(7, sf::Keyboard::Escape);
    Frontend::showCredits();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Message: " + saying});
    EXPECT_EQ(frameCount, 7) << "back in the credits after the saying";
    EXPECT_EQ(Frontend::fortuneKeyState(), 0);
}

TEST_F(CreditsTest, AboveTheTickRateAPressIsSeenUntilTheNextTick)
{
    // Sixty frames a second: a tick every other frame, and a press stays in
    // the tick's list for both frames, so one O counts twice.
    writeBackground();
    std::srand(3);
    const std::string saying = Frontend::fortuneSayings().at(static_cast<std::size_t>(std::rand() % 25));
    std::srand(3);
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    KVCore::setFrameLimitInEffect(60);
    frameSeconds = 1.0 / 60.0;
    pressOn(1, sf::Keyboard::C);
    pressOn(5, sf::Keyboard::O);
    pressOn(9, sf::Keyboard::L);
    pressOn(13, sf::Keyboard::Escape);
    Frontend::showCredits();
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Message: " + saying});
}

class LastLevelTest : public test::PlayTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
        for (const char* folder : {"base/tiles", "base/maps", "base/savegames"})
            std::filesystem::create_directories(data.root() / folder);
        Map map = test::playMap();
        ASSERT_TRUE(map.tileset.save(data.file("base/tiles/kelvane.til"))) << map.tileset.lastError;
        ASSERT_TRUE(map.save(data.file("base/maps/bare.map"))) << map.lastError;
        test::writeFile(data.root() / "base" / "game.ini", "[info]\nMapsCount=1\n[map0]\nmap=bare.map\nmusic=\n");
        sf::Image picture;
        picture.create(8, 8, sf::Color::Black);
        ASSERT_TRUE(picture.saveToFile(data.file("base/CreditsBack.png")));
        slot.path = data.file("base/savegames/000.sav");
        Game::currentSlot() = &slot;
    }
    void TearDown() override
    {
        Game::setGameFrameHook(nullptr);
        Frontend::setCreditsFrameHook(nullptr);
        Game::currentSlot() = nullptr;
        modFolderGiven = savedGiven;
    }
    int wellDonePrinted() const
    {
        const auto& lines = KVCore::consoleLines();
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const auto& l) {
            return l.text == "Well done, you completed the game.";
        }));
    }

    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    bool savedGiven = modFolderGiven;
    Game::SaveSlot slot;
};

TEST_F(LastLevelTest, TheCreditsComeBeforeTheWellDoneAndTheGameEndsAfterThem)
{
    int gameFrames = 0, creditsFrames = 0, wellDoneDuringCredits = -1;
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

} // namespace
