// The help screen: the data folder's help text in a view that cannot change
// it, closed with Done or Return, and nothing at all without the file.
#include "frontend/Help.hpp"

#include "engine/Keyboard.hpp"
#include "gui/ModalDriver.hpp"
#include "gui/TextBox.hpp"
#include "storage/AssetPaths.hpp"
#include "support/EngineFonts.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        modFolderGiven = false;
    }
    void TearDown() override { modFolderGiven = savedGiven; }

    void writeHelp(const std::string& text) { test::writeFile(data.root() / "base" / "help.txt", text); }

    test::FakeWindowScope fake;
    test::TempFolder data;
    test::ScopedWorkingDirectory cwd{data.root()};
    bool savedGiven = modFolderGiven;
};

TEST_F(HelpTest, ShowsTheFileUnderItsCaptionUntilReturn)
{
    writeHelp("KELVANE\r\n\r\nMow every patch of grass.\r\n");
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return);
    Frontend::showHelp();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Kelvane Help: KELVANE\n\nMow every patch of grass.\n"});
    EXPECT_TRUE(Keyboard::pressedKeys().empty()) << "the Return that closed it reaches no one else";
}

TEST_F(HelpTest, TypingIntoTheTextChangesNothingAndDoneCloses)
{
    const std::string help = "Arrow keys steer.\nP pauses.\n";
    writeHelp(help);
    const sf::FloatRect text = Frontend::helpTextFrame({1024.f, 768.f});
    const sf::Vector2f inText(text.left + 40.f, text.top + 10.f);
    // The Done button is centred in the gap under the text.
    const sf::Vector2f onDone(512.f, (text.top + text.height + 768.f - 10.f) / 2.f);
    // A click gives the text the keyboard for the rest of its tick; what
    // comes with the click must not change the text either.
    const auto clickAnd = [inText](std::function<void(test::FakeWindow&)> more) {
        return [inText, more](test::FakeWindow& w) {
            w.mouse = {static_cast<int>(inText.x), static_cast<int>(inText.y)};
            w.mouseButton(sf::Mouse::Left, true);
            w.mouseButton(sf::Mouse::Left, false);
            more(w);
        };
    };
    test::ModalDriver driver(fake.window);
    driver.then(clickAnd([](test::FakeWindow& w) {
              for (char c : std::string("mow"))
                  w.typeChar(static_cast<unsigned char>(c));
          }))
        .then(clickAnd([](test::FakeWindow& w) {
            w.pressKey(sf::Keyboard::Delete);
            w.pressKey(sf::Keyboard::BackSpace);
        }))
        .type("grass")
        .press(sf::Keyboard::Delete)
        .press(sf::Keyboard::Down)
        .press(sf::Keyboard::PageDown)
        .click(onDone);
    Frontend::showHelp();
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Kelvane Help: " + help});
}

TEST_F(HelpTest, NothingIsShownWithoutAReadableFile)
{
    {
        test::ModalDriver driver(fake.window, 20);
        Frontend::showHelp();
        EXPECT_TRUE(driver.screens.empty());
    }
    std::filesystem::create_directories(data.root() / "base" / "help.txt");
    {
        test::ModalDriver driver(fake.window, 20);
        Frontend::showHelp();
        EXPECT_TRUE(driver.screens.empty()) << "a folder is no help text";
    }
}

TEST_F(HelpTest, TheShippedHelpFitsTheViewAtEverySize)
{
    const std::string shipped = test::readFile(std::filesystem::path(KV_CONTENT_DIR) / "base" / "help.txt");
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
