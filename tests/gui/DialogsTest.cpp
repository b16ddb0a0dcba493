// The standard dialogs, run to their end with input fed pass by pass.
#include "engine/EngineSettings.hpp"
#include "engine/Display.hpp"
#include "engine/Keyboard.hpp"
#include "engine/WindowBackend.hpp"
#include "gui/ColourPicker.hpp"
#include "gui/Component.hpp"
#include "gui/Dialogs.hpp"
#include "gui/DisplayModeDialog.hpp"
#include "gui/ModalDriver.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class DialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::loadEngineFonts()); }

    bool sawScreen(const test::ModalDriver& driver, const std::string& screen)
    {
        return std::find(driver.screens.begin(), driver.screens.end(), screen) != driver.screens.end();
    }

    test::FakeWindowScope fake;
};

TEST_F(DialogsTest, ConfirmAnswersYesExactlyOnceOnReturn)
{
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        EXPECT_TRUE(kv::confirm("Overwrite existing file?"));
        EXPECT_FALSE(driver.gaveUp);
        EXPECT_EQ(driver.screens.front(), "Confirm: Overwrite existing file?");
        // The screen below gets nothing of that press.
        EXPECT_TRUE(Keyboard::pressedKeys().empty());
    }
    {
        // Nothing left over answers a second box: it runs until stopped.
        test::ModalDriver driver(fake.window, 30);
        EXPECT_FALSE(kv::confirm("Again?"));
        EXPECT_TRUE(driver.gaveUp);
    }
}

TEST_F(DialogsTest, ConfirmWaitsOutTheEscapeThatOpenedIt)
{
    {
        test::ModalDriver driver(fake.window);
        driver.idle(2).press(sf::Keyboard::Return);
        // The press that asked the question is still in this tick's keys.
        Keyboard::addPressedKey(sf::Keyboard::Escape);
        EXPECT_TRUE(kv::confirm("Quit the editor?"));
        EXPECT_FALSE(driver.gaveUp);
    }
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Escape);
        EXPECT_FALSE(kv::confirm("Quit the editor?"));
        EXPECT_FALSE(driver.gaveUp);
    }
}

TEST_F(DialogsTest, MessageClosesOnReturnAndErrorReportsQuoteThePath)
{
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return);
    testing::internal::CaptureStderr();
    kv::errorReading("maps/level1.map");
    kv::errorWriting("tiles/grass.til");
    // Each message also goes to standard error, among whatever else is said there.
    const std::string said = testing::internal::GetCapturedStderr();
    const std::size_t reading = said.find("Message: Error reading \"maps/level1.map\"\n");
    const std::size_t writing = said.find("Message: Error writing \"tiles/grass.til\"\n");
    EXPECT_TRUE(reading != std::string::npos && writing != std::string::npos && reading < writing) << said;
    EXPECT_FALSE(driver.gaveUp);
    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Message: Error reading \"maps/level1.map\"",
                                                        "Message: Error writing \"tiles/grass.til\""}));
    EXPECT_TRUE(Keyboard::pressedKeys().empty());
}

// A message longer than its box scrolls with the arrow keys straight away.
TEST_F(DialogsTest, ALongMessageScrollsWithTheArrowKeys)
{
    std::string text;
    for (int line = 1; line <= 40; ++line)
        text += "Line " + std::to_string(line) + "\n";
    const auto shown = [&](int downs) {
        return test::drawnPicture({1024, 768}, sf::Color::Blue, [&] {
            test::ModalDriver driver(fake.window);
            for (int i = 0; i < downs; ++i)
                driver.press(sf::Keyboard::Down);
            driver.press(sf::Keyboard::Return);
            kv::showMessage(text);
        });
    };
    const sf::Image still = shown(0), scrolled = shown(3);
    EXPECT_FALSE(std::equal(still.getPixelsPtr(), still.getPixelsPtr() + 1024 * 768 * 4, scrolled.getPixelsPtr()));
}

TEST_F(DialogsTest, InputTextStoresOnOkAndKeepsTheTextOnCancel)
{
    const std::int32_t focusBefore = kv::focusedId();
    std::string name = "map";
    {
        test::ModalDriver driver(fake.window);
        driver.type("01").press(sf::Keyboard::Return);
        EXPECT_TRUE(kv::inputText(name, 8, "Map name"));
        EXPECT_EQ(driver.screens.front(), "Map name");
    }
    EXPECT_EQ(name, "map01");
    {
        test::ModalDriver driver(fake.window);
        driver.type("xyz").press(sf::Keyboard::Escape);
        EXPECT_FALSE(kv::inputText(name, 8, "Map name"));
    }
    EXPECT_EQ(name, "map01");
    EXPECT_EQ(kv::focusedId(), focusBefore);
}

// Clears the pre-filled number, types the text and presses Return; a
// refusal needs one more Return for its message box.
struct IntCase {
    std::string typed;
    bool accepted;
    std::int32_t expected;
};

TEST_F(DialogsTest, InputIntTakesOnlyWholeNumbersInRange)
{
    const IntCase cases[] = {
        {"100", true, 100}, {"1", true, 1},   {"0", false, 50},   {"101", false, 50}, {"-", false, 50},
        {".", false, 50},   {"", false, 50},  {"--5", false, 50}, {"5-", false, 50},  {"1.5", false, 50},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE("typed '" + c.typed + "'");
        std::int32_t value = 50;
        fake.window.open = true;
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
            for (int i = 0; i < 6; ++i)
                w.pressKey(sf::Keyboard::BackSpace);
        });
        driver.type(c.typed).press(sf::Keyboard::Return).press(sf::Keyboard::Return);
        EXPECT_EQ(kv::inputInt(value, 1, 100, "Level "), c.accepted);
        EXPECT_EQ(value, c.expected);
        EXPECT_FALSE(driver.gaveUp);
        EXPECT_EQ(driver.screens.front(), "Level (1 to 100)");
        EXPECT_EQ(sawScreen(driver, "Message: Input out of range!"), !c.accepted);
    }
}

TEST_F(DialogsTest, InputIntTakesAtMostSixDigits)
{
    std::int32_t value = 0;
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::BackSpace).type("1234567").press(sf::Keyboard::Return);
    EXPECT_TRUE(kv::inputInt(value, 0, 9999999, "Score "));
    EXPECT_EQ(value, 123456);
}

TEST(WholeNumbers, AnythingButAnOptionalMinusAndDigitsIsNoNumber)
{
    EXPECT_EQ(kv::parseWholeNumber("-42"), -42);
    EXPECT_EQ(kv::parseWholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(kv::parseWholeNumber("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", ".", "--5", "+5", " 5", "5 ", "2147483648", "-2147483649", "1e3"})
        EXPECT_FALSE(kv::parseWholeNumber(bad).has_value()) << "'" << bad << "'";
}

TEST_F(DialogsTest, ColourPickerFieldSetsHueAndSaturationAndOkReturnsIt)
{
    kv::ColourPicker picker;
    picker.create({100.f, 100.f}, {400.f, 300.f});
    // Just made, it holds white: white previews and a strip from white to black.
    const sf::Image made = test::drawnPicture({600, 450}, sf::Color::Blue, [&] { picker.draw(); });
    EXPECT_EQ(made.getPixel(200, 370), sf::Color::White);
    EXPECT_EQ(made.getPixel(400, 370), sf::Color::White);
    const sf::Color middle = made.getPixel(484, 210);
    EXPECT_NEAR(middle.r, 128, 8);
    EXPECT_TRUE(middle.r == middle.g && middle.g == middle.b);
    picker.setColour(sf::Color(0, 0, 255, 128));
    EXPECT_EQ(picker.getColour(), sf::Color(0, 0, 255, 128));
    // A press that began outside the field and the strip picks nothing.
    fake.window.mouse = {50, 50};
    fake.window.buttons = {sf::Mouse::Left};
    picker.update();
    EXPECT_EQ(picker.getColour(), sf::Color(0, 0, 255, 128));
    fake.window.buttons.clear();
    picker.update();

    // Halfway across the top row: hue 180 at full saturation, cyan.
    const sf::FloatRect field = picker.fieldArea();
    fake.window.mouse = {static_cast<int>(field.left + field.width / 2.f), static_cast<int>(field.top)};
    fake.window.buttons = {sf::Mouse::Left};
    picker.update();
    EXPECT_TRUE(picker.fieldDrag);
    EXPECT_EQ(picker.getColour(), sf::Color(0, 255, 255, 128));
    {
        // The previews below: the colour it started with left, the picked
        // one right; a dark ring around the picked point of the field.
        const sf::Image image = test::drawnPicture({600, 450}, sf::Color::Black, [&] { picker.draw(); });
        EXPECT_EQ(image.getPixel(200, 370), sf::Color(0, 0, 255));
        EXPECT_EQ(image.getPixel(400, 370), sf::Color(0, 255, 255));
        const auto ring = image.getPixel(static_cast<unsigned>(fake.window.mouse.x), 109);
        EXPECT_LT(ring.g, 100);
        EXPECT_GT(image.getPixel(static_cast<unsigned>(fake.window.mouse.x), 130).g, 200);
        // The value strip beside it, full width, brightest at the top.
        EXPECT_EQ(image.getPixel(495, 100), sf::Color(0, 255, 255));
        EXPECT_NEAR(image.getPixel(495, 210).g, 128, 8);
        EXPECT_LT(image.getPixel(495, 310).g, 20);

        // Widened, the field is painted again across its new width: red
        // again at the far right.
        picker.setSize({460.f, 300.f});
        const sf::FloatRect wide = picker.fieldArea();
        const sf::Color end = test::drawnPicture({600, 450}, sf::Color::Black, [&] { picker.draw(); })
                                  .getPixel(static_cast<unsigned>(wide.left + wide.width - 2.f), 105);
        EXPECT_GT(end.r, 200);
        EXPECT_LT(end.g, 40);
    }
    // Dragged out below the field, the pointer is held to its bottom row.
    fake.window.mouse.y += 1000;
    picker.update();
    EXPECT_NEAR(picker.saturation, 100.0 / field.height, 1e-9);
    fake.window.buttons.clear();
    picker.update();
    EXPECT_FALSE(picker.fieldDrag);

    {
        sf::Color colour(10, 200, 30, 255);
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        EXPECT_TRUE(kv::pickColour(colour));
        EXPECT_EQ(colour, sf::Color(10, 200, 30, 255));
    }
    // In the dialog, a press in the field picks there: the far left of the
    // top row is red, at the brightness the colour had.
    kv::ColourPickerDialog placed;
    placed.create("Colour", sf::Color::Black);
    const sf::FloatRect inDialog = placed.picker.fieldArea();
    const sf::Vector2i redCorner(static_cast<int>(inDialog.left) + 1, static_cast<int>(inDialog.top));
    sf::Color colour(10, 200, 30, 255);
    test::ModalDriver driver(fake.window);
    driver
        .then([&](test::FakeWindow& w) {
            w.mouse = redCorner;
            w.buttons = {sf::Mouse::Left};
        })
        .then([](test::FakeWindow& w) { w.buttons.clear(); })
        .press(sf::Keyboard::Return);
    EXPECT_TRUE(kv::pickColour(colour, "Colour"));
    EXPECT_NEAR(colour.r, 200, 2);
    EXPECT_LT(colour.g, 5);
    EXPECT_LT(colour.b, 5);
    EXPECT_EQ(colour.a, 255);

    // Cleared for use again, the dialog keeps neither its answer, its drag nor its colour.
    placed.picker.fieldDrag = placed.picker.stripDrag = true;
    placed.ok.clicked = placed.cancel.clicked = true;
    placed.clear();
    EXPECT_FALSE(placed.picker.fieldDrag || placed.picker.stripDrag);
    EXPECT_FALSE(placed.ok.clicked || placed.cancel.clicked);
    EXPECT_EQ(placed.picker.getColour(), sf::Color::White);
}

TEST(DisplayModes, OneLinePerSizeWithTheDesktopMarked)
{
    const std::vector<sf::VideoMode> modes = {{800, 600, 32}, {1024, 768, 32}, {1024, 768, 16}, {1920, 1080, 32}};
    kv::DisplayModeList list = kv::listDisplayModes(modes, {1920, 1080, 24}, {1024, 768});
    EXPECT_EQ(list.lines, (std::vector<std::string>{"800 x 600", "1024 x 768",
                                                    "1920 x 1080 (current desktop resolution)"}));
    EXPECT_EQ(list.selected, 1);
    // No mode of the window's size: the desktop's line.
    EXPECT_EQ(kv::listDisplayModes(modes, {1920, 1080, 24}, {640, 480}).selected, 2);
}

TEST(DisplayModes, TheXScreensOwnModeIsListed)
{
    const auto backend = KVCore::makeSfmlWindowBackend();
    const sf::VideoMode desktop = backend->desktopMode();
    ASSERT_GT(desktop.width, 0u);
    const kv::DisplayModeList list = kv::listDisplayModes(backend->fullscreenModes(), desktop, {1, 1});
    const std::string line =
        std::to_string(desktop.width) + " x " + std::to_string(desktop.height) + " (current desktop resolution)";
    EXPECT_EQ(std::count(list.lines.begin(), list.lines.end(), line), 1);
    ASSERT_GE(list.selected, 0);
    EXPECT_EQ(list.lines[static_cast<std::size_t>(list.selected)], line);
}

// The list has the keyboard from the start, and the smallest mode the game
// runs in is taken.
TEST_F(DialogsTest, DisplayModeListTakesTheArrowKeysAtOnce)
{
    fake.window.modes = {{1920, 1080, 32}, {1280, 1024, 32}, {1024, 768, 32}, {800, 600, 32}, {640, 480, 32}};
    ASSERT_EQ(fake.window.windowSize, sf::Vector2u(1024, 768));
    kv::DisplayModeChoice choice;
    test::ModalDriver driver(fake.window);
    driver.press(sf::Keyboard::Down).press(sf::Keyboard::Down).press(sf::Keyboard::Return);
    EXPECT_TRUE(kv::selectDisplayMode(choice));
    EXPECT_EQ(sf::Vector2u(choice.width, choice.height), sf::Vector2u(640, 480));
    EXPECT_EQ(driver.screens, std::vector<std::string>{"Select Display Mode"});
}

TEST_F(DialogsTest, DisplayModeRefusesSmallModesAndVideoOptionsKeepEmulation)
{
    {
        // The modes are listed with the current one highlighted.
        const sf::Image image = test::drawnPicture({1024, 768}, sf::Color::Blue, [&] {
            kv::DisplayModeChoice choice;
            test::ModalDriver driver(fake.window);
            driver.idle(1).press(sf::Keyboard::Escape);
            // The Return that opened it is still in this tick's keys.
            Keyboard::addPressedKey(sf::Keyboard::Return);
            EXPECT_FALSE(kv::selectDisplayMode(choice));
        });
        int longest = 0;
        for (unsigned y = 0; y < 768; ++y)
            for (unsigned x = 0, run = 0; x < 1024; ++x) {
                run = image.getPixel(x, y) == sf::Color::Black ? run + 1 : 0;
                longest = std::max(longest, static_cast<int>(run));
            }
        EXPECT_GT(longest, 150) << "the highlight across the current mode's line";
    }
    {
        fake.window.desktop = {600, 400, 32};
        kv::DisplayModeChoice choice;
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return).press(sf::Keyboard::Return).press(sf::Keyboard::Escape);
        EXPECT_FALSE(kv::selectDisplayMode(choice));
        EXPECT_EQ(driver.screens,
                  (std::vector<std::string>{"Select Display Mode",
                                            "Message: Unsupported resolution.  Resolution must be at least 640 x 480.",
                                            "Select Display Mode"}));
        EXPECT_EQ(choice.width, 1024u);
    }
    fake.window.desktop = {1920, 1080, 32};
    KVCore::createWindow(1024, 768, 32, true);
    KVCore::emulateResolution(800, 600, false);
    KVCore::settings().emulatedWidth = KVCore::settings().emulatedHeight = 0;
    {
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Return);
        EXPECT_TRUE(kv::showVideoOptions());
    }
    EXPECT_EQ(fake.window.windowSize, sf::Vector2u(1920, 1080));
    EXPECT_TRUE(fake.window.windowed);
    EXPECT_TRUE(KVCore::emulationActive());
    EXPECT_FLOAT_EQ(KVCore::viewSize().y, 600.f);
    EXPECT_NEAR(KVCore::viewSize().x, 1920.f / 1080.f * 600.f, 0.01);
    // An emulation the player did not choose to keep is not written to the settings.
    EXPECT_EQ(KVCore::settings().emulatedWidth, 0);
    EXPECT_EQ(KVCore::settings().emulatedHeight, 0);
    KVCore::stopEmulation();
}

} // namespace
