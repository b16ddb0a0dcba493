// The script console's toolbar, clicked through the stand-in window.
#include "engine/EventPoller.hpp"
#include "gui/ScriptConsole.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <SFML/Window/Clipboard.hpp>
#include <gtest/gtest.h>

namespace {

class ScriptConsoleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        KVCore::startPoller();
        console.build({"print(1)", "mow()", "grow()"});
    }

    void pass()
    {
        fake.time.advance(0.04);
        KVCore::pollEvents();
        console.update();
    }
    void click(const std::string& button)
    {
        const sf::Vector2f at = console.button(button)->getPosition() + sf::Vector2f(5.f, 5.f);
        fake.window.mouse = {static_cast<int>(at.x), static_cast<int>(at.y)};
        fake.window.mouseButton(sf::Mouse::Left, true);
        fake.window.mouseButton(sf::Mouse::Left, false);
        pass();
    }
    bool enabled(const std::string& button) { return console.button(button)->enabled; }

    test::FakeWindowScope fake;
    kv::ScriptConsole console;
};

TEST_F(ScriptConsoleTest, HistoryButtonsStepThroughTheEntriesAndStopAtTheEnds)
{
    EXPECT_EQ(console.memo.text, "grow()");
    EXPECT_TRUE(enabled("History Back"));
    EXPECT_FALSE(enabled("History Forward"));
    click("History Back");
    click("History Back");
    EXPECT_EQ(console.memo.text, "print(1)");
    EXPECT_FALSE(enabled("History Back"));
    EXPECT_TRUE(enabled("History Forward"));
    click("History Forward");
    EXPECT_EQ(console.memo.text, "mow()");
    EXPECT_TRUE(enabled("History Back"));
    EXPECT_TRUE(enabled("History Forward"));

    // The memo shows the entry on the console's face.
    const sf::Image image = test::drawnPicture({1024, 768}, sf::Color::Blue, [&] { console.draw(); });
    const sf::Vector2f memo = console.memo.getPosition();
    int dark = 0;
    for (unsigned y = 0; y < 20; ++y)
        for (unsigned x = 0; x < 60; ++x)
            dark += image.getPixel(static_cast<unsigned>(memo.x) + 3 + x, static_cast<unsigned>(memo.y) + 3 + y).r < 80;
    EXPECT_GT(dark, 20) << "mow()";

    click("Clear History");
    EXPECT_TRUE(console.history.empty());
    EXPECT_FALSE(enabled("History Back"));
    EXPECT_FALSE(enabled("History Forward"));
    EXPECT_FALSE(enabled("Execute Script")) << "there is nothing to run scripts with";
    // The toolbar's groups stand apart: run, history, editing, forgetting,
    // leaving.
    const char* const order[] = {"Execute Script", "History Back", "History Forward", "Select All", "Copy All",
                                 "Clear and Paste", "Clear", "Clear History", "Exit"};
    std::string groups;
    for (std::size_t i = 1; i < std::size(order); ++i) {
        const kv::Button& before = *console.button(order[i - 1]);
        const float gap = console.button(order[i])->getPosition().x - before.getPosition().x - before.getWidth();
        groups += gap > 10.f ? "|" : "-";
    }
    EXPECT_EQ(groups, "|-|---||");
}

TEST_F(ScriptConsoleTest, MemoToolsCopyPasteSelectAndClearAndEscapeLeaves)
{
    click("Copy All");
    EXPECT_EQ(sf::Clipboard::getString().toAnsiString(), "grow()");
    sf::Clipboard::setString("mow(2)");
    click("Clear and Paste");
    EXPECT_EQ(console.memo.text, "mow(2)");
    EXPECT_EQ(kv::focusedId(), console.memo.id);
    click("Select All");
    EXPECT_EQ(console.memo.selectedText(), "mow(2)");
    click("Clear");
    EXPECT_EQ(console.memo.text, "");
    EXPECT_FALSE(console.exitRequested);
    fake.window.pressKey(sf::Keyboard::Escape);
    pass();
    EXPECT_TRUE(console.exitRequested);
}

} // namespace
