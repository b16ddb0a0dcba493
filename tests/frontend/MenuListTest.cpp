// The menu list's rules through the engine's input: keys that move and wrap,
// the mouse that selects only when it moves, clicks, Escape, Return and
// Space waiting for their release, the three sounds, and where the parts go
// in views from 640 by 480 to 1920 by 1080.

#include "frontend/MenuList.hpp"

#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/Display.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Gamepad.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using Key = sf::Keyboard::Key;

float textWidth(const std::string& s)
{
    const sf::Text t(s, Text::standardFont(), 18);
    return t.getLocalBounds().left + t.getLocalBounds().width;
}

bool inside(const sf::FloatRect& in, const sf::FloatRect& outer)
{
    return in.left >= outer.left && in.top >= outer.top && in.left + in.width <= outer.left + outer.width &&
           in.top + in.height <= outer.top + outer.height;
}

class MenuListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        KVCore::setFrameLimitInEffect(30);  // every frame a tick
        KVCore::startPoller();
        Frontend::forgetMenuMousePosition();
        list = makeList(5);
    }

    static Frontend::MenuList makeList(int rows, const std::string& label = "Row", const std::string& hint = "Hint")
    {
        Frontend::MenuList l;
        l.setTitle("Test Menu", "", "");
        for (int i = 0; i < rows; ++i)
            l.addRow(label, 89, hint);
        return l;
    }

    // One tick with these key presses, then the list's update.
    void tick(std::initializer_list<Key> keys = {})
    {
        for (Key k : keys)
            fake.window.pressKey(k);
        KVCore::pollEvents();
        list.update();
    }
    sf::FloatRect row(int i) const { return list.layout(KVCore::viewSize()).rows.at(static_cast<std::size_t>(i)); }
    void mouseTo(float x, float y) { fake.window.mouse = {static_cast<int>(x), static_cast<int>(y)}; }
    void mouseOver(int i) { mouseTo(row(i).left + 40.f, row(i).top + row(i).height / 2.f); }
    void click()
    {
        fake.window.mouseButton(sf::Mouse::Left, true);
        fake.window.mouseButton(sf::Mouse::Left, false);
    }

    test::FakeWindowScope fake;
    Frontend::MenuList list;
};

TEST_F(MenuListTest, KeysMoveWrapChooseAndCancelForOneTick)
{
    struct Step {
        std::vector<Key> keys;
        int current, result;
        bool cancelled;
        const char* why;
    };
    const Step steps[] = {
        {{Key::Up}, 4, -1, false, "before the first row comes the last"},
        {{Key::Down}, 0, -1, false, "after the last row comes the first"},
        {{Key::Down}, 1, -1, false, ""},
        {{Key::Down}, 2, -1, false, ""},
        {{Key::Up, Key::Down}, 1, -1, false, "one row a tick, Up first"},
        {{Key::Left, Key::A, Key::Tab}, 1, -1, false, "other keys do nothing"},
        {{Key::Down, Key::Return}, 2, 2, false, "the move comes before the choice"},
        {{}, 2, -1, false, "a choice lasts one tick"},
        {{Key::Space}, 2, 2, false, ""},
        {{Key::Escape, Key::Return}, 2, -1, true, "Escape wins over Return"},
        {{}, 2, -1, false, ""},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        for (Key k : steps[i].keys)
            fake.window.pressKey(k);
        tick();
        SCOPED_TRACE("step " + std::to_string(i) + ": " + steps[i].why);
        EXPECT_EQ(list.current(), steps[i].current);
        EXPECT_EQ(list.result(), steps[i].result);
        EXPECT_EQ(list.cancelled(), steps[i].cancelled);
    }
    fake.window.focus = false;
    tick({Key::Return});
    EXPECT_EQ(list.result(), -1) << "without the focus no key reaches the list";
}

TEST_F(MenuListTest, APadMovesChoosesAndCancelsAsTheKeysDo)
{
    using Axis = sf::Joystick::Axis;
    fake.window.connectPad(0);
    struct Step {
        std::function<void(test::FakeWindow&)> act;
        int current, result;
        bool cancelled;
        const char* why;
    };
    const auto axis = [](Axis a, float at) { return [=](test::FakeWindow& w) { w.moveAxis(0, a, at); }; };
    const auto button = [](unsigned b) {
        return [=](test::FakeWindow& w) {
            w.padButton(0, b, true);
            w.padButton(0, b, false);
        };
    };
    const Step steps[] = {
        {axis(Axis::PovY, 100.f), 1, -1, false, "the d-pad steps down"},
        {[](test::FakeWindow&) {}, 1, -1, false, "held, one step until it repeats"},
        {axis(Axis::PovY, 0.f), 1, -1, false, ""},
        {axis(Axis::Y, 90.f), 2, -1, false, "so does the stick"},
        {axis(Axis::Y, -90.f), 1, -1, false, "and up"},
        {axis(Axis::Y, 0.f), 1, -1, false, ""},
        {axis(Axis::PovY, -100.f), 0, -1, false, ""},
        {axis(Axis::PovY, 0.f), 0, -1, false, ""},
        {axis(Axis::PovY, -100.f), 4, -1, false, "and wraps"},
        {axis(Axis::PovY, 0.f), 4, -1, false, ""},
        {button(Gamepad::buttonStart), 4, -1, false, "Start is P, which a menu does not use"},
        {button(Gamepad::buttonA), 4, 4, false, "A chooses"},
        {button(Gamepad::buttonB), 4, -1, true, "B goes back"},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].act(fake.window);
        fake.time.advance(1.0 / 30.0);
        tick();
        SCOPED_TRACE("step " + std::to_string(i) + ": " + steps[i].why);
        EXPECT_EQ(list.current(), steps[i].current);
        EXPECT_EQ(list.result(), steps[i].result);
        EXPECT_EQ(list.cancelled(), steps[i].cancelled);
    }

    // Held on, it runs down the list as a held key does.
    fake.window.moveAxis(0, Axis::PovY, 100.f);
    int moves = 0;
    for (int t = 0; t < 45; ++t) {
        const int before = list.current();
        fake.time.advance(1.0 / 30.0);
        tick();
        moves += list.current() != before ? 1 : 0;
    }
    EXPECT_GT(moves, 10);
}

TEST_F(MenuListTest, TheMouseSelectsOnlyWhenItMovesAndAClickChoosesTheRowUnderIt)
{
    mouseOver(2);
    tick();
    EXPECT_EQ(list.current(), 2);
    // The mouse resting over row 2 does not take the keys' row back.
    tick({Key::Down});
    tick({Key::Down});
    tick();
    EXPECT_EQ(list.current(), 4);
    tick({Key::Return});
    EXPECT_EQ(list.result(), 4);
    // A click chooses the row under the mouse, not the keys' row.
    click();
    tick();
    EXPECT_EQ(list.result(), 2);
    EXPECT_EQ(list.current(), 2);
    EXPECT_FALSE(Mouse::clicked(Mouse::Left)) << "the click is used up";
    // A move within the row is a move.
    tick({Key::Up});
    fake.window.mouse.x += 3;
    tick();
    EXPECT_EQ(list.current(), 2);

    // Edges belong to the row; the gap below it and the space beside it to
    // none.
    const sf::FloatRect r1 = row(1);
    for (const auto& [at, chosen] : {std::pair(sf::Vector2f(r1.left, r1.top), 1),
                                     std::pair(sf::Vector2f(r1.left + 20.f, r1.top + r1.height + 1.f), -1),
                                     std::pair(sf::Vector2f(r1.left + r1.width + 5.f, r1.top + 5.f), -1)}) {
        tick({Key::Down});
        const int before = list.current();
        mouseTo(at.x, at.y);
        click();
        tick();
        EXPECT_EQ(list.result(), chosen) << at.x << "," << at.y;
        EXPECT_EQ(list.current(), chosen < 0 ? before : chosen);
    }

    // The next menu sees the mouse where the last one left it.
    mouseOver(3);
    tick();
    list = makeList(5);
    tick();
    EXPECT_EQ(list.current(), 0);
}

// A clock that moves on by itself each time it is read, and lets a test act
// at a moment of it (a key coming up).
class SteppingClock final : public KVCore::TimeSource {
public:
    double seconds() const override
    {
        now += 0.01;
        if (atEachRead)
            atEachRead(now);
        return now;
    }
    platform::UtcTime utcNow() const override { return {2026, 12, 6, 12, 30, 15, 0}; }
    mutable double now = 500.0;
    std::function<void(double)> atEachRead;
};

TEST_F(MenuListTest, ReturnWaitsForTheKeysToComeUpButNotForever)
{
    auto owned = std::make_unique<SteppingClock>();
    SteppingClock& clock = *owned;
    KVCore::setTimeSource(std::move(owned));

    // Return comes up after 0.2 s and Space, held as well, 0.3 s later.
    fake.window.keys = {Key::Return, Key::Space};
    const double start = clock.now;
    clock.atEachRead = [&](double now) {
        if (now - start > 0.2)
            fake.window.keys.erase(Key::Return);
        if (now - start > 0.5)
            fake.window.keys.erase(Key::Space);
    };
    tick({Key::Return});
    EXPECT_EQ(list.result(), 0);
    EXPECT_TRUE(fake.window.keys.empty());
    EXPECT_GT(clock.now - start, 0.5);

    // A key that stays down is waited for half a second, then the choice
    // goes ahead.
    clock.atEachRead = nullptr;
    fake.window.keys = {Key::Space};
    const double held = clock.now;
    tick({Key::Space});
    EXPECT_EQ(list.result(), 0);
    EXPECT_NEAR(clock.now - held, 0.5, 0.1);
}

TEST_F(MenuListTest, EachActionPlaysItsOwnSoundOnlyWhenTheSampleExists)
{
    const KVCore::EngineSettings saved = KVCore::settings();
    test::TempFolder dir;
    test::writeFile(dir.root() / "tone.wav", test::audio::wavFile(test::audio::sine(440, 1.0)));
    const char* const names[] = {"interface\\MenuMove", "interface\\MenuSelect", "interface\\MenuCancel"};
    for (int which = 0; which < 3; ++which) {
        SCOPED_TRACE(names[which]);
        ASSERT_TRUE(Audio::init());
        ASSERT_TRUE(Audio::soundEnabled()) << "needs an audio device; run with ALSOFT_DRIVERS=null";
        ASSERT_TRUE(Audio::loadSample(dir.file("tone.wav"), names[which])) << Audio::lastError();
        Audio::menuSounds() = {names[0], names[1], names[2]};
        list = makeList(3);

        // Only the one sample exists; the other two actions stay silent.
        tick({Key::Down});
        EXPECT_EQ(Audio::playingSoundCount(), which == 0 ? 1 : 0);
        tick({Key::Return});
        EXPECT_EQ(Audio::playingSoundCount(), which <= 1 ? 1 : 0);
        tick({Key::Escape});
        EXPECT_EQ(Audio::playingSoundCount(), 1);
        // Hovering over another row sounds like a key move.
        mouseOver(2);
        tick();
        EXPECT_EQ(Audio::playingSoundCount(), which == 0 ? 2 : 1);
        Audio::shutdown();
    }
    KVCore::settings() = saved;
}

TEST_F(MenuListTest, EverythingFitsTheViewWithoutOverlapping)
{
    // The longest lists the game builds: nine slot rows with file paths
    // for hints, and the main menu's four title lines.
    Frontend::MenuList slots = makeList(9, "8: Delete Normal - Level 12", "mymod\\savegames\\008.sav");
    Frontend::MenuList main = makeList(6, "Credits", "Set options or delete saved games");
    main.setTitle("Main Menu", "Kelvane v1.3", "https://kelvane.invalid/");
    main.setExtraLine("Copyright (c) 2026 the Kelvane developers");

    const float line = Text::standardLineSpacing(18);
    for (sf::Vector2f view : {sf::Vector2f(640, 480), sf::Vector2f(853, 480), sf::Vector2f(1024, 768),
                              sf::Vector2f(1920, 1080)}) {
        for (Frontend::MenuList* l : {&slots, &main}) {
            SCOPED_TRACE(l->title() + " at " + std::to_string(int(view.x)) + "x" + std::to_string(int(view.y)));
            const Frontend::MenuLayout lay = l->layout(view);
            const sf::FloatRect whole(0, 0, view.x, view.y);
            ASSERT_EQ(lay.rows.size(), l->rows().size());
            EXPECT_TRUE(inside(lay.titlePanel, whole));
            EXPECT_TRUE(inside(lay.hintBox, whole));
            EXPECT_TRUE(inside(lay.hintIcon, lay.hintBox));
            // The hint box leaves the bottom line free for the mod folder.
            EXPECT_LE(lay.hintBox.top + lay.hintBox.height, view.y - line - 2.f);
            EXPECT_FALSE(lay.hintBox.intersects(lay.titlePanel));
            float above = lay.titlePanel.top + lay.titlePanel.height;
            for (const sf::FloatRect& r : lay.rows) {
                EXPECT_TRUE(inside(r, whole));
                EXPECT_GE(r.top, above) << "rows overlap";
                EXPECT_FALSE(r.intersects(lay.hintBox));
                above = r.top + r.height;
            }
        }
    }
}

TEST_F(MenuListTest, TheMenuWidensForALongLabelAndTheHintWrapsInsideItsBox)
{
    const std::string longLabel = "A row whose label is far wider than the narrowest menu";
    const std::string path = "C:\\Users\\somebody\\Documents\\Kelvane\\mymod\\savegames\\000.sav";
    list.addRow(longLabel, 89, "a hint far longer than any box at 640 by 480 could show on one line, saved in " + path);
    tick({Key::Up});
    ASSERT_EQ(list.current(), 5);
    const Frontend::MenuLayout lay = list.layout({640, 480});
    // The label starts right of the row's icon, a row height in.
    for (const sf::FloatRect& r : lay.rows)
        EXPECT_LE(lay.rowHeight + 17.f + textWidth(longLabel), r.left + r.width) << "all rows are widened";

    const float textRoom = lay.hintBox.left + lay.hintBox.width - (lay.hintIcon.left + lay.hintIcon.width);
    ASSERT_GT(lay.hintLines.size(), lay.labelLineCount + 1);
    std::string joined;
    for (std::size_t i = lay.labelLineCount; i < lay.hintLines.size(); ++i) {
        const std::string& l = lay.hintLines[i];
        EXPECT_LE(textWidth(l), textRoom) << l;
        // A path too wide for the box breaks after a separator where it
        // can, and into pieces, not letters.
        const std::size_t separator = l.find_last_of('\\');
        if (separator != std::string::npos && separator > 0 && i + 1 < lay.hintLines.size()) {
            EXPECT_EQ(separator, l.size() - 1) << l;
        }
        EXPECT_GT(l.size(), 1u);
        joined += l;
    }
    std::string hint = list.rows().back().hint;
    std::erase(hint, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, hint) << "wrapping loses nothing";
    EXPECT_LE(static_cast<float>(lay.hintLines.size()) * Text::standardLineSpacing(18), lay.hintBox.height);
}

} // namespace

namespace {

// A frame of the menu shows what the menu is now: each row and its icon
// once, over what is behind them, and nothing of an earlier frame.
TEST_F(MenuListTest, EveryFrameDrawsTheRowsAndIconsOnce)
{
    test::loadEngineArt();
    Frontend::MenuList& menu = list;
    menu = Frontend::MenuList();
    menu.setTitle("Test Menu", "", "");
    menu.addRow("Play", 89, "Get cutting");
    menu.addRow("Options", 102, "Set options");
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(1024, 768));
    const auto frame = [&] {
        target.clear(sf::Color::White);
        menu.draw(target);
        target.display();
        return target.getTexture().copyToImage();
    };
    const auto same = [](const sf::Image& a, const sf::Image& b) {
        return std::memcmp(a.getPixelsPtr(), b.getPixelsPtr(), 1024u * 768u * 4u) == 0;
    };
    const sf::Image onFirst = frame();
    tick({Key::Down});
    ASSERT_EQ(menu.current(), 1);
    const sf::Image onSecond = frame();
    tick({Key::Up});
    EXPECT_TRUE(same(frame(), onFirst));
    tick({Key::Down});
    EXPECT_TRUE(same(frame(), onSecond)) << "the hint's icon of the first row is gone";

    // The first row, not the current one: its colour (10, 20, 70) at 170
    // of 255 over white, beside its label; the hint's box, black at 160,
    // right of its text.
    const auto over = [](int colour, int alpha) { return (colour * alpha + 255 * (255 - alpha)) / 255; };
    const Frontend::MenuLayout layout = menu.layout(KVCore::viewSize());
    const sf::FloatRect r = layout.rows.at(0);
    const sf::Color c = onSecond.getPixel(static_cast<unsigned>(r.left + r.width - 4.f), static_cast<unsigned>(r.top + 2.f));
    EXPECT_NEAR(c.r, over(10, 170), 1);
    EXPECT_NEAR(c.b, over(70, 170), 1);
    const sf::FloatRect& box = layout.hintBox;
    const sf::Color boxed =
        onSecond.getPixel(static_cast<unsigned>(box.left + box.width - 4.f), static_cast<unsigned>(box.top + 2.f));
    EXPECT_NEAR(boxed.g, over(0, 160), 1);
    // Every row's icon is there: some of each square differs from the
    // row's colour.
    for (std::size_t i = 0; i < 2; ++i) {
        const sf::FloatRect& at = layout.rows.at(i);
        const sf::Color rowColour = onSecond.getPixel(static_cast<unsigned>(at.left + at.width - 4.f),
                                                      static_cast<unsigned>(at.top + 2.f));
        int iconPixels = 0;
        for (unsigned y = 0; y < 32; ++y)
            for (unsigned x = 0; x < 32; ++x)
                iconPixels +=
                    onSecond.getPixel(20 + x, static_cast<unsigned>(at.top + (at.height - 32.f) / 2.f) + y) != rowColour;
        EXPECT_GT(iconPixels, 20) << "row " << i;
    }
    // The current row's colour, and only its label outlined in black (the
    // darkest pixels of the other row are its colour over white).
    const sf::FloatRect& second = layout.rows.at(1);
    const sf::Color current = onSecond.getPixel(static_cast<unsigned>(second.left + second.width - 4.f),
                                                static_cast<unsigned>(second.top + 2.f));
    EXPECT_NEAR(current.b, over(215, 225), 1);
    const auto blackIn = [](const sf::Image& image, const sf::FloatRect& area) {
        int count = 0;
        for (unsigned y = static_cast<unsigned>(area.top); y < static_cast<unsigned>(area.top + area.height); ++y)
            for (unsigned x = static_cast<unsigned>(area.left); x < static_cast<unsigned>(area.left + area.width); ++x) {
                const sf::Color p = image.getPixel(x, y);
                count += p.r + p.g + p.b < 150;
            }
        return count;
    };
    const auto label = [](const sf::FloatRect& row) {
        return sf::FloatRect(row.left + row.height + 10.f, row.top, row.width - row.height - 10.f, row.height);
    };
    EXPECT_GT(blackIn(onSecond, label(second)), 0);
    EXPECT_EQ(blackIn(onSecond, label(layout.rows.at(0))), 0);
}

} // namespace
