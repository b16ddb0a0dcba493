// Popup menus driven through show() with input fed per pass; the geometry
// rules through update() alone.
#include "engine/Display.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "gui/ModalDriver.hpp"
#include "gui/PopupMenu.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(test::loadEngineFonts()); }

    // "Copy", separator, "Paste", separator: entries at 0 and 2.
    kv::PopupMenu twoGroups()
    {
        kv::PopupMenu menu;
        menu.create(100.f, 100.f);
        menu.addItem("Copy", 1);
        menu.addSeparator();
        menu.addItem("Paste", 2);
        menu.addSeparator();
        return menu;
    }
    // The middle of an item, in view units.
    sf::Vector2f centreOf(const kv::PopupMenu& menu, std::size_t index)
    {
        const kv::PopupMenuItem& item = menu.items()[index];
        return menu.position() + sf::Vector2f(menu.width() / 2.f, item.top + item.itemHeight / 2.f);
    }

    test::FakeWindowScope fake;
};

TEST_F(PopupMenuTest, ArrowKeysWrapRoundAndStepOverSeparators)
{
    {
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Up).press(sf::Keyboard::Return);
        // Up from the first entry skips the trailing separator.
        EXPECT_EQ(menu.show(), 2);
    }
    {
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Down).press(sf::Keyboard::Down).press(sf::Keyboard::Space);
        // 0 -> 2 -> past the end and the separator back to 0.
        EXPECT_EQ(menu.show(), 0);
    }
    {
        // Shown at a place with one coordinate unset: it stays where made.
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Down).press(sf::Keyboard::Right);
        EXPECT_EQ(menu.show(300.f, -1.f), 2);
        EXPECT_EQ(menu.position(), sf::Vector2f(100.f, 100.f));
    }
}

TEST_F(PopupMenuTest, EscapeDismissesOnlyAsTheFirstKeyOfATick)
{
    {
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Escape);
        EXPECT_EQ(menu.show(), -1);
        EXPECT_FALSE(driver.gaveUp);
    }
    {
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
                  w.pressKey(sf::Keyboard::Down);
                  w.pressKey(sf::Keyboard::Escape);
              })
            .press(sf::Keyboard::Return);
        EXPECT_EQ(menu.show(), 2);
    }
    {
        // Keys pressed while the window is in the background choose nothing.
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
                  w.focus = false;
                  w.pressKey(sf::Keyboard::Return);
              })
            .then([](test::FakeWindow& w) { w.focus = true; })
            .press(sf::Keyboard::Escape);
        EXPECT_EQ(menu.show(), -1);
        EXPECT_FALSE(driver.gaveUp);
    }
    {
        // Left arrow backs out like Escape, before the Return behind it.
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.press(sf::Keyboard::Left).press(sf::Keyboard::Return);
        EXPECT_EQ(menu.show(), -1);
    }
}

TEST_F(PopupMenuTest, ReleasingTheButtonChoosesTheEntryUnderItOrDismisses)
{
    {
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
                  w.mouse = {10, 10};
                  w.buttons = {sf::Mouse::Left};
              })
            .then([](test::FakeWindow& w) { w.buttons.clear(); });
        EXPECT_EQ(menu.show(), -1);
        EXPECT_EQ(menu.highlighted(), -1);
    }
    {
        // Pressed outside, released on "Paste".
        kv::PopupMenu menu = twoGroups();
        const sf::Vector2f paste = centreOf(menu, 2);
        test::ModalDriver driver(fake.window);
        driver.then([](test::FakeWindow& w) {
                  w.mouse = {10, 10};
                  w.buttons = {sf::Mouse::Left};
              })
            .then([paste](test::FakeWindow& w) { w.mouse = {int(paste.x), int(paste.y)}; })
            .then([](test::FakeWindow& w) { w.buttons.clear(); });
        EXPECT_EQ(menu.show(), 2);
    }
    {
        // A click quicker than a tick is seen only through the events.
        kv::PopupMenu menu = twoGroups();
        test::ModalDriver driver(fake.window);
        driver.click(centreOf(menu, 2));
        EXPECT_EQ(menu.show(), 2);
    }
    {
        // A release on a separator is a release outside every entry.
        kv::PopupMenu menu = twoGroups();
        const sf::Vector2f separator = centreOf(menu, 1);
        test::ModalDriver driver(fake.window);
        driver.then([separator](test::FakeWindow& w) {
                  w.mouse = {int(separator.x), int(separator.y)};
                  w.buttons = {sf::Mouse::Left};
              })
            .then([](test::FakeWindow& w) { w.buttons.clear(); });
        EXPECT_EQ(menu.show(), -1);
    }
}

TEST_F(PopupMenuTest, HighlightedEntryIsBlueAndSeparatorsAreDarkLines)
{
    kv::PopupMenu menu = twoGroups();
    const sf::Image image = test::drawnPicture({400, 300}, sf::Color::Black, [&] { menu.draw(); });
    const auto at = [&](float x, float y) { return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)); };
    // Pixels of an entry's label row that pass the test.
    const auto label = [&](std::size_t index, auto test) {
        const sf::Vector2f centre = centreOf(menu, index);
        int found = 0;
        for (float y = centre.y - 8.f; y <= centre.y + 8.f; ++y)
            for (float x = 100.f + kv::PopupMenu::labelLeft; x < centre.x + 30.f; ++x)
                found += test(at(x, y));
        return found;
    };
    const float right = 100.f + menu.width() - 10.f;
    EXPECT_EQ(at(right, centreOf(menu, 0).y), sf::Color(27, 27, 255));
    EXPECT_EQ(at(right, centreOf(menu, 2).y), sf::Color(131, 131, 131));
    EXPECT_GT(label(0, [](sf::Color c) { return c == sf::Color::White; }), 20);
    EXPECT_GT(label(2, [](sf::Color c) { return c.r < 60; }), 20);
    const kv::PopupMenuItem& separator = menu.items()[1];
    const float lineY = std::floor(100.f + separator.top + separator.itemHeight / 2.f);
    EXPECT_EQ(at(150.f, lineY), sf::Color(79, 79, 79));
    EXPECT_EQ(at(150.f, lineY - 3.f), sf::Color(131, 131, 131));
    // No rim round a separator over the entry above it.
    EXPECT_EQ(at(right, 100.f + separator.top - 1.f), sf::Color(27, 27, 255));
    // The frame: light along the top, dark along the bottom.
    EXPECT_EQ(at(150.f, 100.f), sf::Color(179, 179, 179));
    EXPECT_EQ(at(150.f, 100.f + menu.height()), sf::Color(79, 79, 79));
}

TEST_F(PopupMenuTest, MenusWithoutEntriesNeverChoose)
{
    kv::PopupMenu empty;
    empty.create(0.f, 0.f);
    EXPECT_EQ(empty.show(), -1);

    kv::PopupMenu separators;
    separators.create(100.f, 100.f);
    separators.addSeparator();
    separators.addSeparator();
    const sf::Vector2f first = centreOf(separators, 0);
    test::ModalDriver driver(fake.window, 40);
    driver.press(sf::Keyboard::Down).press(sf::Keyboard::Return).then([first](test::FakeWindow& w) {
        w.mouse = {int(first.x), int(first.y)};
        w.buttons = {sf::Mouse::Left};
    });
    driver.then([](test::FakeWindow& w) { w.buttons.clear(); });
    EXPECT_EQ(separators.show(), -1);
    EXPECT_EQ(separators.highlighted(), -1);
    EXPECT_FALSE(driver.gaveUp);
}

TEST_F(PopupMenuTest, StaysInsideTheViewAndScrollsWhenTallerThanIt)
{
    const sf::Vector2f view = KVCore::viewSize();
    kv::PopupMenu narrow;
    narrow.create(view.x - 10.f, 100.f);
    narrow.addItem("Restart level", 3);
    EXPECT_FLOAT_EQ(narrow.width(), kv::standardTextWidth("Restart level") + 106.f);
    narrow.update();
    EXPECT_FLOAT_EQ(narrow.position().x + narrow.width(), view.x - 1.f);

    kv::PopupMenu tall;
    tall.create(50.f, 0.f);
    for (int i = 0; i < 30; ++i)
        tall.addItem("Entry", 4);
    ASSERT_GT(tall.height(), view.y);
    fake.window.mouse = {300, static_cast<int>(view.y) - 1};
    for (int tick = 0; tick < 5; ++tick)
        tall.update();
    EXPECT_FLOAT_EQ(tall.position().y, -10.f);
    // Back at the top edge it scrolls down again.
    fake.window.mouse = {300, 0};
    tall.update();
    EXPECT_FLOAT_EQ(tall.position().y, -8.f);
    // Resting anywhere else leaves it where it is.
    fake.window.mouse = {300, 300};
    tall.update();
    EXPECT_FLOAT_EQ(tall.position().y, -8.f);

    // Ending exactly at the view's foot, its bottom frame line is just out
    // of view: the bottom edge brings it in.
    kv::PopupMenu flush;
    flush.create(50.f, 0.f);
    flush.addItem("Entry", 4);
    flush.create(50.f, view.y - flush.height());
    flush.addItem("Entry", 4);
    ASSERT_EQ(flush.items().size(), 1u) << "made again, a menu starts empty";
    fake.window.mouse = {300, static_cast<int>(view.y) - 1};
    flush.update();
    EXPECT_FLOAT_EQ(flush.position().y + flush.height(), view.y - 2.f);
}

TEST_F(PopupMenuTest, WheelMovesOncePerChangeAndHoverHighlights)
{
    kv::PopupMenu menu = twoGroups();
    Mouse::setWheelDelta(0.f);
    menu.update();
    ASSERT_EQ(menu.highlighted(), 0);
    Mouse::setWheelDelta(-1.f);
    menu.update();
    EXPECT_EQ(menu.highlighted(), 2);
    menu.update();  // the same delta on the next tick is no new movement
    EXPECT_EQ(menu.highlighted(), 2);
    Mouse::setWheelDelta(1.f);
    menu.update();
    EXPECT_EQ(menu.highlighted(), 0);

    const sf::Vector2f paste = centreOf(menu, 2);
    fake.window.mouse = {int(paste.x), int(paste.y)};
    menu.update();
    EXPECT_EQ(menu.highlighted(), 2);
    EXPECT_EQ(menu.result(), -1);
    // Straight up the column: the pointer's row alone decides.
    const sf::Vector2f first = centreOf(menu, 0);
    fake.window.mouse = {int(paste.x), int(first.y)};
    menu.update();
    EXPECT_EQ(menu.highlighted(), 0);
    fake.window.mouse = {int(paste.x), int(paste.y)};
    menu.update();
    EXPECT_EQ(menu.highlighted(), 2);

    // Escape leaves nothing highlighted; then up starts from the bottom and
    // down from the top.
    for (const auto& [delta, expected] : {std::pair{1.f, 2}, {-1.f, 0}}) {
        Mouse::setWheelDelta(0.f);
        menu.update();
        Keyboard::addPressedKey(sf::Keyboard::Escape);
        menu.update();
        ASSERT_EQ(menu.highlighted(), -1);
        Mouse::setWheelDelta(delta);
        menu.update();
        EXPECT_EQ(menu.highlighted(), expected) << delta;
    }
    Mouse::setWheelDelta(0.f);
}

} // namespace
