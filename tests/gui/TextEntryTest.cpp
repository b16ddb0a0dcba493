// Text boxes, the caret and the memo, driven with keys, typed text and the
// mouse through the stand-in window.
#include "engine/EventPoller.hpp"
#include "gui/Button.hpp"
#include "gui/TextMemo.hpp"
#include "support/DrawnPicture.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <SFML/Window/Clipboard.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using Key = sf::Keyboard::Key;

class TextEntryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        kv::clearIdTable();
        KVCore::startPoller();
    }

    // One tick, then one pass over the widgets in their screen's order.
    template <class... Widgets> void pass(Widgets&... widgets)
    {
        fake.time.advance(0.04);
        KVCore::pollEvents();
        (widgets.update(), ...);
    }
    template <class... Widgets> void keys(std::initializer_list<Key> codes, Widgets&... widgets)
    {
        for (Key k : codes)
            fake.window.pressKey(k);
        pass(widgets...);
    }
    template <class... Widgets> void type(const std::string& text, Widgets&... widgets)
    {
        for (char c : text)
            fake.window.typeChar(static_cast<unsigned char>(c));
        pass(widgets...);
    }
    template <class... Widgets> void click(sf::Vector2f at, Widgets&... widgets)
    {
        fake.window.mouse = {static_cast<int>(at.x), static_cast<int>(at.y)};
        fake.window.mouseButton(sf::Mouse::Left, true);
        fake.window.mouseButton(sf::Mouse::Left, false);
        pass(widgets...);
    }
    // Press at the first point, move through the others with the button
    // held, one pass each, and let go.
    template <class Widget> void drag(std::initializer_list<sf::Vector2f> path, Widget& widget)
    {
        for (const sf::Vector2f& p : path) {
            fake.window.mouse = {static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))};
            if (&p == path.begin()) {
                fake.window.mouseButton(sf::Mouse::Left, true);
                fake.window.buttons.insert(sf::Mouse::Left);
            }
            pass(widget);
        }
        fake.window.buttons.clear();
        fake.window.mouseButton(sf::Mouse::Left, false);
        pass(widget);
    }
    static void createFocused(kv::TextBox& box, const std::string& text, std::int32_t maxLength = 256)
    {
        box.create(text, {100.f, 100.f}, 200.f, maxLength);
        kv::setFocusedId(box.id);
    }

    test::FakeWindowScope fake;
};

TEST_F(TextEntryTest, MaxLengthAndNumericFilterDecideWhatTypingKeeps)
{
    kv::TextBox box;
    createFocused(box, "", 6);
    type("abcdefg", box);
    EXPECT_EQ(box.text, "abcdef");
    // A full box still takes a character in place of its selection.
    fake.window.keys.insert(Key::LShift);
    keys({Key::Left}, box);
    fake.window.keys.clear();
    type("X", box);
    EXPECT_EQ(box.text, "abcdeX");

    kv::TextBox numbers;
    createFocused(numbers, "", 10);
    numbers.numericOnly = true;
    type("1a-2.b\x1b", numbers);
    EXPECT_EQ(numbers.text, "1-2.");
    // Text put in another way than typing (a paste) drops control characters too.
    kv::TextBox pasted;
    createFocused(pasted, "");
    pasted.insertText("a\x01" "b\x7f" "c\x1f");
    EXPECT_EQ(pasted.text, "abc");
}

// Text the owner puts in the box shows on the next pass, even where the
// caret stays where it was.
TEST_F(TextEntryTest, TextSetByTheOwnerShowsOnTheNextPass)
{
    kv::TextBox box;
    createFocused(box, "abc");
    pass(box);
    box.text = "xyz";
    pass(box);
    EXPECT_EQ(box.shown.getString().toAnsiString(), "xyz");

    // A memo given new text draws just as one made with it.
    kv::TextMemo given, made;
    given.create({10.f, 10.f}, {200.f, 60.f}, "abc");
    made.create({10.f, 10.f}, {200.f, 60.f}, "xyz");
    made.cursor = given.cursor;
    pass(given, made);
    given.text = "xyz";
    pass(given, made);
    const sf::Image a = test::drawnPicture({220, 80}, sf::Color::Blue, [&] { given.draw(); });
    const sf::Image b = test::drawnPicture({220, 80}, sf::Color::Blue, [&] { made.draw(); });
    EXPECT_TRUE(std::equal(a.getPixelsPtr(), a.getPixelsPtr() + 220 * 80 * 4, b.getPixelsPtr()));
}

TEST_F(TextEntryTest, ShiftLeftTwiceThenPTurnsHelloIntoHelp)
{
    kv::TextBox box;
    createFocused(box, "hello");
    fake.window.keys.insert(Key::RShift);
    keys({Key::Left, Key::Left}, box);
    EXPECT_EQ(box.selectionStart, 3);
    EXPECT_EQ(box.selectionLength, 2);
    EXPECT_EQ(box.selectedText(), "lo");
    fake.window.keys.clear();
    type("p", box);
    EXPECT_EQ(box.text, "help");
    EXPECT_EQ(box.cursor, 4);
    EXPECT_FALSE(box.hasSelection());
}

TEST_F(TextEntryTest, CaretKeysSelectionAndDeletion)
{
    kv::TextBox box;
    createFocused(box, "abc");
    keys({Key::Home, Key::Backspace, Key::Left}, box);
    EXPECT_EQ(box.text, "abc");
    EXPECT_EQ(box.cursor, 0);
    keys({Key::Delete}, box);
    EXPECT_EQ(box.text, "bc");

    fake.window.keys.insert(Key::LShift);
    keys({Key::End}, box);
    EXPECT_EQ(box.selectedText(), "bc");
    fake.window.keys.clear();
    // Without Shift a move drops the selection; Right stops at the end.
    keys({Key::Right, Key::Right}, box);
    EXPECT_FALSE(box.hasSelection());
    EXPECT_EQ(box.cursor, 2);
    keys({Key::Backspace, Key::Backspace, Key::Backspace}, box);
    EXPECT_EQ(box.text, "");

    // An owner that shortens the text under the caret does not break it.
    box.text = "xyz";
    box.cursor = 40;
    keys({Key::Backspace}, box);
    EXPECT_EQ(box.text, "xy");
}

TEST_F(TextEntryTest, KeysTheFieldUsesAreNotLeftForButtonsUpdatedAfterIt)
{
    kv::TextBox box;
    createFocused(box, "text");
    for (const Key key : {Key::Backspace, Key::Delete, Key::Left, Key::Right, Key::Home, Key::End}) {
        kv::Button button;
        button.create("Key", -1, {0.f, 0.f}, key);
        keys({key}, box, button);
        EXPECT_FALSE(button.clicked) << key;
    }
    // The memo's own keys too: Return breaks a line rather than pressing OK.
    kv::TextMemo memo;
    memo.create({50.f, 300.f}, {300.f, 100.f}, "one\ntwo\nthree");
    kv::setFocusedId(memo.id);
    for (const Key key : {Key::Return, Key::Up, Key::Down, Key::PageUp, Key::PageDown, Key::Home, Key::End}) {
        kv::Button button;
        button.create("Key", -1, {0.f, 0.f}, key);
        keys({key}, memo, button);
        EXPECT_FALSE(button.clicked) << key;
    }
    EXPECT_EQ(memo.lineCount(), 4);
}

TEST_F(TextEntryTest, TypedTextIsReadOnceAlthoughItStaysForTheWholeTick)
{
    kv::TextBox box;
    createFocused(box, "");
    type("a", box);
    fake.time.advance(0.001);  // a frame without a tick
    KVCore::pollEvents();
    ASSERT_FALSE(KVCore::tickFlag());
    box.update();
    EXPECT_EQ(box.text, "a");
}

TEST_F(TextEntryTest, TabCyclesThroughThreeBoxesInIdOrder)
{
    kv::TextBox a, b, c;
    a.create("", {10.f, 10.f}, 100.f, 10);
    b.create("", {10.f, 50.f}, 100.f, 10);
    c.create("", {10.f, 90.f}, 100.f, 10);
    kv::setFocusedId(a.id);
    // Every pass updates all three: one Tab moves the focus by one box.
    for (const kv::TextBox* next : {&b, &c, &a}) {
        keys({Key::Tab}, a, b, c);
        EXPECT_EQ(kv::focusedId(), next->id);
    }
    type("q", a, b, c);
    EXPECT_EQ(a.text + b.text + c.text, "q");
    EXPECT_EQ(a.text, "q");
}

TEST_F(TextEntryTest, ClickMovesTheKeyboardAndPlacesTheCaret)
{
    kv::TextBox first;
    createFocused(first, "one");
    kv::TextBox second;
    second.create("two", {100.f, 200.f}, 200.f, 20);
    click({second.getPosition().x + 2.f, second.getPosition().y + 5.f}, first, second);
    EXPECT_EQ(kv::focusedId(), second.id);
    EXPECT_EQ(second.cursor, 0);
    type("x", first, second);
    EXPECT_EQ(first.text, "one");
    EXPECT_EQ(second.text, "xtwo");

    // Dragging from the start to past the end selects everything.
    fake.window.mouse = {static_cast<int>(second.getPosition().x) + 2, static_cast<int>(second.getPosition().y) + 5};
    fake.window.mouseButton(sf::Mouse::Left, true);
    fake.window.buttons.insert(sf::Mouse::Left);
    pass(second);
    fake.window.mouse.x += 190;
    pass(second);
    EXPECT_EQ(second.selectedText(), "xtwo");
    fake.window.buttons.clear();
    fake.window.mouseButton(sf::Mouse::Left, false);
    pass(second);

    // A memo takes the keyboard from a click inside it, not from one beside it.
    kv::TextMemo memo;
    memo.create({50.f, 300.f}, {300.f, 100.f}, "notes");
    click({360.f, 350.f}, second, memo);
    EXPECT_EQ(kv::focusedId(), second.id);
    click({340.f, 350.f}, second, memo);
    EXPECT_EQ(kv::focusedId(), memo.id);
}

TEST_F(TextEntryTest, DraggingLeftSelectsBackToThePointerInBoxAndMemo)
{
    kv::TextBox box;
    createFocused(box, "hello world");
    const auto gap = [&](int i) { return sf::Vector2f(box.shown.findCharacterPos(i).x, 105.f); };
    drag({gap(9), gap(3)}, box);
    EXPECT_EQ(box.selectedText(), "lo wor");
    EXPECT_EQ(box.cursor, 3);
    EXPECT_NEAR(box.caret.getPosition().x, gap(3).x, 1.f);
    // Back where it started: nothing selected, the caret at the press.
    drag({gap(9), gap(3), gap(9)}, box);
    EXPECT_FALSE(box.hasSelection());
    EXPECT_EQ(box.cursor, 9);
    // A drag over one letter is shorter than a click may wander, and still
    // keeps what it selected when let go.
    drag({gap(5), gap(4)}, box);
    EXPECT_EQ(box.selectedText(), "o");

    kv::TextMemo memo;
    memo.create({50.f, 300.f}, {300.f, 100.f}, "first line\nsecond line");
    kv::setFocusedId(memo.id);
    const auto at = [&](int row, const std::string& line, int column) {
        const float x = kv::textField::makeText(line).findCharacterPos(static_cast<std::size_t>(column)).x;
        return sf::Vector2f(53.f + x, 303.f + (static_cast<float>(row) + 0.5f) * memo.lineHeight());
    };
    const sf::Vector2f second = at(1, "second line", 6), first = at(0, "first line", 6);
    drag({second, first}, memo);
    EXPECT_EQ(memo.selectedText(), "line\nsecond");
    EXPECT_EQ(memo.cursor, 6);
    EXPECT_NEAR(memo.caret.getPosition().x, first.x, 1.f);
    EXPECT_NEAR(memo.caret.getPosition().y, 303.f, 1.f);
    drag({second, first, second}, memo);
    EXPECT_FALSE(memo.hasSelection());
    EXPECT_EQ(memo.cursor, 17);
}

TEST_F(TextEntryTest, MemoDrawsItsLinesSelectionAndCaretInPlace)
{
    kv::TextMemo memo;
    memo.create({50.f, 50.f}, {300.f, 100.f}, "first line\nsecond line");
    kv::setFocusedId(memo.id);
    const float h = memo.lineHeight();
    const auto column = [](const std::string& line, int c) {
        return 53.f + kv::textField::makeText(line).findCharacterPos(static_cast<std::size_t>(c)).x;
    };
    fake.window.keys = {Key::LShift};
    keys({Key::Down, Key::Right, Key::Right}, memo);
    fake.window.keys.clear();
    ASSERT_EQ(memo.selectedText(), "first line\nse");

    const sf::Image image = test::drawnPicture({400, 200}, sf::Color::Blue, [&] { memo.draw(); });
    const auto at = [&](float x, float y) { return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)); };
    int dark = 0;
    for (float y = 53.f; y < 53.f + 2.f * h; ++y)
        for (float x = 53.f; x < column("second line", 11); ++x)
            dark += at(x, y).r < 100 && at(x, y).b < 100;
    EXPECT_GT(dark, 60) << "both lines' text";
    // The selected line break shows past the end of the first line.
    const sf::Color selection = kv::textField::selectionColour;
    EXPECT_EQ(at(column("first line", 10) + 2.f, 54.f), selection);
    EXPECT_EQ(at(column("second line", 1), 54.f + h), selection);
    EXPECT_EQ(at(column("second line", 5), 54.f + h), sf::Color::White);
    // The caret stands after "se" on the second line.
    EXPECT_EQ(at(column("second line", 2), 53.f + 1.5f * h), sf::Color::Black);

    // Faded out, the lines go with the frame.
    memo.setAlpha(0);
    const sf::Image faded = test::drawnPicture({400, 200}, sf::Color::Blue, [&] { memo.draw(); });
    for (float x = 53.f; x < column("second line", 11); ++x)
        for (float y = 53.f; y < 53.f + 2.f * h; ++y)
            ASSERT_EQ(faded.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)), sf::Color::Blue);
}

TEST_F(TextEntryTest, ClipboardCutCopyAndPasteGoThroughTheFilters)
{
    kv::TextBox box;
    createFocused(box, "hello world");
    fake.window.keys = {Key::LControl};
    keys({Key::A}, box);
    keys({Key::C}, box);
    EXPECT_EQ(sf::Clipboard::getString().toAnsiString(), "hello world");
    keys({Key::End, Key::V}, box);
    EXPECT_EQ(box.text, "hello worldhello world");
    keys({Key::A}, box);
    keys({Key::X}, box);
    EXPECT_EQ(box.text, "");

    fake.window.keys = {Key::LShift};
    keys({Key::Insert}, box);
    EXPECT_EQ(box.text, "hello worldhello world");
    // Shift+Delete cuts as Control+X does.
    fake.window.keys = {Key::LControl};
    keys({Key::A}, box);
    sf::Clipboard::setString("");
    fake.window.keys = {Key::LShift};
    keys({Key::Delete}, box);
    EXPECT_EQ(box.text, "");
    EXPECT_EQ(sf::Clipboard::getString().toAnsiString(), "hello worldhello world");

    sf::Clipboard::setString("12\n3x4567");
    kv::TextBox numbers;
    createFocused(numbers, "", 5);
    numbers.numericOnly = true;
    keys({Key::Insert}, numbers);
    EXPECT_EQ(numbers.text, "12345");
}

// Every reading of it is 10 ms on.  It holds V down for a while: the key
// repeats 50 ms in and comes up 100 ms in, as a real hand's would.
struct HeldVClock final : KVCore::TimeSource {
    double seconds() const override
    {
        now += 0.01;
        if (!repeated && now >= start + 0.05) {
            window->pressKey(Key::V);
            repeated = true;
        }
        if (now >= start + 0.1)
            window->keys.erase(Key::V);
        return now;
    }
    platform::UtcTime utcNow() const override { return {}; }
    double start = 5000.0;
    mutable double now = 5000.0;
    mutable bool repeated = false;
    test::FakeWindow* window = nullptr;
};

TEST_F(TextEntryTest, HoldingControlVPastesOnceThoughTheKeyRepeats)
{
    kv::TextBox box;
    createFocused(box, "");
    sf::Clipboard::setString("ab");
    auto clock = std::make_unique<HeldVClock>();
    clock->window = &fake.window;
    KVCore::setTimeSource(std::move(clock));
    fake.window.keys = {Key::LControl, Key::V};
    fake.window.pressKey(Key::V);
    for (int i = 0; i < 10; ++i) {
        KVCore::pollEvents();
        box.update();
    }
    EXPECT_EQ(box.text, "ab");
}

TEST_F(TextEntryTest, LongTextScrollsSoTheCaretStaysInTheField)
{
    kv::TextBox box;
    createFocused(box, "");
    box.setSize({60.f, 0.f});
    type("a rather long line of text", box);
    const float right = box.getPosition().x + box.getWidth();
    EXPECT_LT(box.caret.getPosition().x, right);
    EXPECT_GT(box.caret.getPosition().x, box.getPosition().x + 30.f);
    keys({Key::Home}, box);
    EXPECT_NEAR(box.caret.getPosition().x, box.getPosition().x + 3.f, 1.f);

    // The white field ends with the narrowed box.
    const sf::Image image = test::drawnPicture({400, 200}, sf::Color::Blue, [&] { box.draw(); });
    EXPECT_EQ(image.getPixel(155, 102), sf::Color::White);
    EXPECT_EQ(image.getPixel(170, 110), sf::Color::Blue);
}

TEST_F(TextEntryTest, CaretBlinksAQuarterSecondEachWay)
{
    kv::TextCursor caret;
    caret.create({0.f, 0.f}, 20.f);
    const auto at = [&](double seconds) {
        fake.time.advance(seconds);
        caret.update();
        return caret.visible;
    };
    EXPECT_TRUE(at(0.2));
    EXPECT_FALSE(at(0.1));
    EXPECT_FALSE(at(0.2));
    EXPECT_TRUE(at(0.06));
}

TEST_F(TextEntryTest, MemoLinesKeepTheColumnAndTheSameEditingRules)
{
    kv::TextMemo memo;
    memo.create({50.f, 50.f}, {300.f, 100.f}, "first line\nab\nthird line");
    kv::setFocusedId(memo.id);
    memo.cursor = 8;
    keys({Key::Up}, memo);
    EXPECT_EQ(memo.cursor, 8);  // first line: Up does nothing
    keys({Key::Down}, memo);
    EXPECT_EQ(memo.cursor, 13);  // "ab" is shorter: its end
    keys({Key::Down}, memo);
    EXPECT_EQ(memo.cursor, 16);  // column 2 of the third line
    keys({Key::Home}, memo);
    EXPECT_EQ(memo.cursor, 14);
    fake.window.keys = {Key::LShift};
    keys({Key::Up}, memo);
    EXPECT_EQ(memo.selectedText(), "ab\n");
    fake.window.keys.clear();
    type("x", memo);
    keys({Key::Return}, memo);
    EXPECT_EQ(memo.text, "first line\nx\nthird line");
    EXPECT_EQ(memo.lineCount(), 3);

    // Page Down goes as many lines as the height holds; the view follows.
    memo.clear();
    for (int i = 0; i < 20; ++i)
        keys({Key::Return}, memo);
    const std::int32_t page = static_cast<std::int32_t>(std::lround(100.f / memo.lineHeight()));
    keys({Key::PageUp}, memo);
    EXPECT_EQ(memo.lineOf(memo.cursor), 20 - page);
    EXPECT_LE(memo.topLine(), 20 - page);
    EXPECT_GT(memo.topLine() + memo.visibleLines(), 20 - page);
}

} // namespace
