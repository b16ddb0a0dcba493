// List boxes: selection moves, double clicks, the wheel, the slider bar and
// the wrapped text display.
#include "engine/EventPoller.hpp"
#include "engine/Log.hpp"
#include "gui/ListBox.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <gtest/gtest.h>

namespace {

using Key = sf::Keyboard::Key;

class ListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        kv::clearIdTable();
        KVCore::startPoller();
        list.create({100.f, 100.f}, 5, 300.f);
        for (int i = 0; i < 10; ++i)
            list.addItem("item " + std::to_string(i));
        kv::setFocusedId(list.id);
    }

    void pass(double seconds = 0.04)
    {
        fake.time.advance(seconds);
        KVCore::pollEvents();
        list.update();
    }
    void keys(std::initializer_list<Key> codes)
    {
        for (Key k : codes)
            fake.window.pressKey(k);
        pass();
    }
    // The middle of the n-th line in view.
    sf::Vector2i lineInView(int n) const
    {
        const float y = list.getPosition().y + 2.f + (static_cast<float>(n) + 0.5f) * kv::ListBox::lineHeight();
        return {static_cast<int>(list.getPosition().x) + 40, static_cast<int>(y)};
    }
    void clickAt(sf::Vector2i at, double afterSeconds = 0.04)
    {
        fake.window.mouse = at;
        fake.window.mouseButton(sf::Mouse::Left, true);
        fake.window.mouseButton(sf::Mouse::Left, false);
        pass(afterSeconds);
    }
    void wheel(float delta)
    {
        sf::Event e;
        e.type = sf::Event::MouseWheelScrolled;
        e.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, 0, 0};
        fake.window.events.push_back(e);
        pass();
    }

    test::FakeWindowScope fake;
    kv::ListBox list;
};

TEST_F(ListBoxTest, KeysMoveTheSelectionAndStopAtTheEnds)
{
    EXPECT_TRUE(list.scrollable);
    keys({Key::Down});  // nothing selected: the first key picks the top line
    EXPECT_EQ(list.selection, 0);
    keys({Key::Down, Key::Down, Key::Down, Key::Down, Key::Down});
    EXPECT_EQ(list.selection, 5);
    EXPECT_EQ(list.top, 1);  // the view followed

    keys({Key::PageDown});
    EXPECT_EQ(list.selection, 9);  // near the end: stops at the last item
    EXPECT_EQ(list.top, 5);
    keys({Key::Down});
    EXPECT_EQ(list.selection, 9);
    EXPECT_EQ(list.top, 5);
    keys({Key::PageUp, Key::Up});
    EXPECT_EQ(list.selection, 3);
    EXPECT_EQ(list.top, 0);

    // Without the focus the keys are left for others.
    kv::setFocusedId(-1);
    keys({Key::Down});
    EXPECT_EQ(list.selection, 3);
}

TEST_F(ListBoxTest, PageKeysWithNothingSelectedCountFromTheTopLineInView)
{
    for (int i = 10; i < 30; ++i)
        list.addItem("item " + std::to_string(i));
    fake.window.mouse = lineInView(0);
    for (const Key key : {Key::PageUp, Key::PageDown}) {
        list.selection = -1;
        list.top = 0;
        pass();
        wheel(-12.f);
        wheel(-12.f);
        ASSERT_EQ(list.top, 8);
        // The owner drops the selection, say after a refill; the view stays.
        list.selection = -1;
        pass();
        keys({key});
        const std::int32_t expected = key == Key::PageUp ? 8 - 5 : 8 + 5;
        EXPECT_EQ(list.selection, expected);
        EXPECT_GE(list.selection, list.top);
        EXPECT_LT(list.selection, list.top + list.rows);
    }
}

TEST_F(ListBoxTest, SecondClickWithinHalfASecondActivates)
{
    clickAt(lineInView(2));
    EXPECT_EQ(list.selection, 2);
    EXPECT_EQ(list.activated, -1);
    clickAt(lineInView(2), 0.6);
    EXPECT_EQ(list.activated, -1);
    clickAt(lineInView(2), 0.3);
    EXPECT_EQ(list.activated, 2);

    list.activated = -1;
    clickAt(lineInView(3), 0.3);  // another line: only a selection
    EXPECT_EQ(list.selection, 3);
    EXPECT_EQ(list.activated, -1);
}

TEST_F(ListBoxTest, WheelMovesTheSelectionOverTheBox)
{
    fake.window.mouse = lineInView(0);
    list.selection = 4;
    wheel(2.f);
    EXPECT_EQ(list.selection, 2);
    wheel(-3.f);
    EXPECT_EQ(list.selection, 5);
    EXPECT_EQ(list.top, 1);

    // Away from the box and without the focus the wheel belongs to others.
    kv::setFocusedId(-1);
    fake.window.mouse = {10, 10};
    wheel(2.f);
    EXPECT_EQ(list.selection, 5);
}

TEST_F(ListBoxTest, DraggingTheSliderScrollsAndDragsTheSelectionAlong)
{
    list.selection = 0;
    pass();
    const sf::Vector2f p = list.getPosition();
    fake.window.mouse = {static_cast<int>(p.x + list.getWidth() - 8.f), static_cast<int>(p.y + list.getHeight() - 3.f)};
    fake.window.buttons.insert(sf::Mouse::Left);
    pass();
    EXPECT_EQ(list.top, 5);
    fake.window.buttons.clear();
    pass();
    EXPECT_EQ(list.selection, 5);
    // Back up to the top: the selection comes along to the last line in view.
    fake.window.mouse.y = static_cast<int>(p.y) + 3;
    fake.window.buttons.insert(sf::Mouse::Left);
    pass();
    fake.window.buttons.clear();
    pass();
    EXPECT_EQ(list.top, 0);
    EXPECT_EQ(list.selection, 4);
    list.top = 5;
    fake.window.mouse.y = static_cast<int>(p.y + list.getHeight() - 3.f);

    // A copy drives a slider of its own.
    kv::ListBox copy = list;
    copy.top = 0;
    copy.selection = 0;
    fake.window.buttons.insert(sf::Mouse::Left);
    fake.time.advance(0.04);
    KVCore::pollEvents();
    copy.update();
    EXPECT_EQ(copy.top, 5);
    EXPECT_EQ(list.top, 5);
    EXPECT_NE(copy.id, list.id);
}

TEST_F(ListBoxTest, SelectedLineShowsWhiteOnBlackAndTheOthersDarkOnGrey)
{
    // Made again after it was faded out, the list shows in full.
    list.setAlpha(0);
    list.create({100.f, 100.f}, 5, 300.f);
    for (int i = 0; i < 10; ++i)
        list.addItem("item " + std::to_string(i));
    const sf::Image image = test::drawnPicture({500, 300}, sf::Color::Blue, [&] {
        list.selection = 2;
        pass();
        list.draw();
    });
    // Counts pixels of the n-th line in view for which the test holds.
    const auto count = [&](int n, auto test) {
        const sf::Vector2i mid = lineInView(n);
        int found = 0;
        for (int y = mid.y - 6; y <= mid.y + 6; ++y)
            for (int x = 104; x < 200; ++x)
                found += test(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
        return found;
    };
    const auto white = [](sf::Color c) { return c == sf::Color::White; };
    const auto dark = [](sf::Color c) { return c.r < 100; };
    EXPECT_GT(count(2, white), 20);
    EXPECT_GT(count(1, dark), 20);
    EXPECT_EQ(count(1, white), 0);
    // Past the text the selected line is black from edge to edge, and the
    // lines around it keep the list's grey right up to it.
    const sf::Vector2i selected = lineInView(2);
    const int rowAbove = selected.y - static_cast<int>(kv::ListBox::lineHeight() / 2.f) - 1;
    EXPECT_EQ(image.getPixel(350, static_cast<unsigned>(selected.y)), sf::Color::Black);
    EXPECT_EQ(image.getPixel(350, static_cast<unsigned>(rowAbove)), sf::Color(219, 219, 219));
}

TEST_F(ListBoxTest, TextDisplayWrapsScrollsAndNeverSelects)
{
    list.selectable = false;
    const std::string paragraph = "The quick brown fox jumps over the lazy dog and keeps on running far away";
    list.setText("short\n\n" + paragraph + "\r\n" + std::string(80, 'w'));
    ASSERT_GE(list.count(), 6);
    EXPECT_EQ(list.items[0].text, "short");
    EXPECT_EQ(list.items[1].text, "");
    std::string rejoined, unspaced;
    for (std::size_t i = 2; i < list.items.size(); ++i) {
        const std::string& line = list.items[i].text;
        EXPECT_LT(list.items[i].label.getLocalBounds().width, list.innerWidth()) << line;
        if (line.front() == 'w')
            unspaced += line;
        else
            rejoined += (rejoined.empty() ? "" : " ") + line;
    }
    // Breaks fall on spaces, which go to neither line; a word without any
    // is split where it no longer fits.
    EXPECT_EQ(rejoined, paragraph);
    EXPECT_EQ(unspaced, std::string(80, 'w'));
    EXPECT_GT(list.count(), 5);

    clickAt(lineInView(1));
    EXPECT_EQ(list.selection, -1);
    keys({Key::Down, Key::Down});
    EXPECT_EQ(list.top, 2);
    keys({Key::PageDown, Key::PageDown, Key::PageDown});
    EXPECT_EQ(list.top, list.count() - list.rows);
    EXPECT_EQ(list.selection, -1);
    // Moved on by its owner, it stops at the last page just the same.
    list.top = 0;
    list.moveDown(1000);
    EXPECT_EQ(list.top, list.count() - list.rows);

    // Even a selection the owner set is never shown.
    list.selection = list.top + 1;
    keys({});
    ASSERT_EQ(list.selection, list.top + 1);
    const sf::Image image = test::drawnPicture({500, 300}, sf::Color::Blue, [&] { list.draw(); });
    EXPECT_EQ(image.getPixel(350, static_cast<unsigned>(lineInView(1).y)), sf::Color(219, 219, 219));
}

TEST_F(ListBoxTest, TextFileLoadsOrReportsAndLeavesTheList)
{
    test::TempFolder temp;
    test::writeFile(temp.root() / "help.txt", "one\r\ntwo\r\n");
    ASSERT_TRUE(list.loadFromTextFile(temp.file("help.txt")));
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.items[1].text, "two");

    const std::string missing = temp.file("gone.txt");
    EXPECT_FALSE(list.loadFromTextFile(missing));
    EXPECT_EQ(list.count(), 2);
    ASSERT_FALSE(KVCore::consoleLines().empty());
    EXPECT_EQ(KVCore::consoleLines().back().text, "ListBox::loadFromTextFile: Unable to open " + missing);
}

} // namespace
