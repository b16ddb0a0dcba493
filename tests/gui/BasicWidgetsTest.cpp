#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Icons.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Mouse.hpp"
#include "engine/Text.hpp"
#include "gui/BevelPanel.hpp"
#include "gui/Button.hpp"
#include "gui/CheckBox.hpp"
#include "gui/Component.hpp"
#include "gui/Form.hpp"
#include "gui/GroupBox.hpp"
#include "gui/Line.hpp"
#include "gui/Rectangle.hpp"
#include "gui/Scrollbar.hpp"
#include "gui/TextMemo.hpp"
#include "gui/Theme.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

class Widgets : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::loadEngineArt();
        Keyboard::buildKeyNameTable();
        KVCore::startPoller();
    }

    // One pass whose pollEvents runs an engine tick.
    void tick()
    {
        fake.time.advance(0.05);
        KVCore::pollEvents();
        ASSERT_TRUE(KVCore::tickFlag());
    }

    void clickAt(sf::Vector2i at)
    {
        fake.window.mouse = at;
        fake.window.mouseButton(sf::Mouse::Left, true);
        fake.window.mouseButton(sf::Mouse::Left, false);
        tick();
    }

    const KVCore::Hint* hint(const std::string& key)
    {
        for (const KVCore::Hint& h : KVCore::hints())
            if (h.id == key)
                return &h;
        return nullptr;
    }

    test::FakeWindowScope fake;
};

// Draws widgets into a texture of its own for the length of a test.
struct Canvas {
    Canvas()
    {
        texture.create(200, 100);
        texture.clear(sf::Color::Black);
        kv::setGuiTarget(&texture);
    }
    ~Canvas() { kv::setGuiTarget(nullptr); }
    sf::Color pixel(unsigned x, unsigned y)
    {
        texture.display();
        return texture.getTexture().copyToImage().getPixel(x, y);
    }
    sf::RenderTexture texture;
};

// Keyboard identities: the lowest free one is handed out, and one given
// back is free again, with the keyboard gone from it.
TEST(WidgetIds, TheLowestFreeIdIsTakenAndAGivenBackOneIsFreeAgain)
{
    kv::clearIdTable();
    EXPECT_EQ(kv::takeFreeId(), 0);
    EXPECT_EQ(kv::takeFreeId(), 1);
    EXPECT_TRUE(kv::idTaken(0) && kv::idTaken(1));
    kv::setFocusedId(0);
    kv::freeId(0);
    EXPECT_FALSE(kv::idTaken(0));
    EXPECT_EQ(kv::focusedId(), -1);
    EXPECT_EQ(kv::takeFreeId(), 0);

    // Ids outside the table are never taken, and giving them back is harmless.
    for (const std::int32_t outside : {-1, kv::idTableSize}) {
        kv::freeId(outside);
        EXPECT_FALSE(kv::idTaken(outside));
    }
    for (std::int32_t id = 2; id < kv::idTableSize; ++id)
        ASSERT_EQ(kv::takeFreeId(), id);
    EXPECT_TRUE(kv::idTaken(kv::idTableSize - 1));
    kv::freeId(kv::idTableSize - 1);
    EXPECT_FALSE(kv::idTaken(kv::idTableSize - 1));
    kv::clearIdTable();
    EXPECT_FALSE(kv::idTaken(0));

    // A widget made again keeps the id it has, even the first one.
    {
        kv::TextMemo memo;
        memo.create({0.f, 0.f}, {100.f, 40.f}, "");
        ASSERT_EQ(memo.id, 0);
        memo.create({0.f, 0.f}, {100.f, 40.f}, "again");
        EXPECT_EQ(memo.id, 0);
        EXPECT_FALSE(kv::idTaken(1));
    }
    EXPECT_FALSE(kv::idTaken(0)) << "and gives it back when it goes";
}

TEST(WidgetGeometry, RectangleOutlinesItsCornersAndMovedShapesDrawWhereTheyWent)
{
    Canvas canvas;
    kv::Rectangle r;
    r.create({10.f, 10.f}, {30.f, 50.f});
    r.draw();
    // The outline runs just outside the box and the inside stays open.
    EXPECT_EQ(canvas.pixel(9, 20), sf::Color::White);
    EXPECT_EQ(canvas.pixel(30, 20), sf::Color::White);
    EXPECT_EQ(canvas.pixel(20, 50), sf::Color::White);
    EXPECT_EQ(canvas.pixel(20, 20), sf::Color::Black);
    EXPECT_EQ(canvas.pixel(31, 20), sf::Color::Black);

    canvas.texture.clear(sf::Color::Black);
    r.setAlpha(40);
    r.draw();
    EXPECT_EQ(canvas.pixel(9, 20), sf::Color(40, 40, 40));

    kv::Line line;
    line.set({50.f, 5.f}, {20.f, 25.f}, sf::Color::Red);
    EXPECT_EQ(line.getPosition(), sf::Vector2f(20.f, 5.f));
    line.setPosition({0.f, 0.f});
    EXPECT_EQ(line.p1, sf::Vector2f(30.f, 0.f));
    EXPECT_EQ(line.p2, sf::Vector2f(0.f, 20.f));

    // A moved and resized panel draws its fill and edges at the new place.
    canvas.texture.clear(sf::Color::Black);
    kv::BevelPanel panel;
    panel.create({50.f, 10.f}, {90.f, 40.f}, sf::Color::White, sf::Color::Red, sf::Color::Blue);
    panel.setPosition({100.f, 50.f});
    panel.draw();
    EXPECT_EQ(canvas.pixel(70, 25), sf::Color::Black);
    EXPECT_EQ(canvas.pixel(140, 70), sf::Color::Red);
    canvas.texture.clear(sf::Color::Black);
    panel.setSize({60.f, 40.f});
    panel.draw();
    EXPECT_EQ(canvas.pixel(150, 70), sf::Color::Blue);
    EXPECT_EQ(canvas.pixel(150, 50), sf::Color::White);
    EXPECT_EQ(canvas.pixel(100, 70), sf::Color::White);
    EXPECT_EQ(canvas.pixel(150, 90), sf::Color::Red);
    EXPECT_EQ(canvas.pixel(160, 70), sf::Color::Red);
}

TEST_F(Widgets, HotKeyActsWithThePointerElsewhereAndEatsTheTicksKeys)
{
    kv::Button ok;
    ok.create("OK", 175, {100.f, 100.f}, sf::Keyboard::Return);
    fake.window.mouse = {500, 500};
    fake.window.pressKey(sf::Keyboard::A);
    fake.window.pressKey(sf::Keyboard::Return);
    fake.window.pressKey(sf::Keyboard::B);
    tick();
    ok.update();
    EXPECT_TRUE(ok.clicked);
    EXPECT_FALSE(ok.mouseOver);
    EXPECT_TRUE(Keyboard::pressedKeys().empty());

    // Clicked means this pass only.
    tick();
    ok.update();
    EXPECT_FALSE(ok.clicked);

    // Cleared, a button forgets a click and neither acts nor shows.
    fake.window.pressKey(sf::Keyboard::Return);
    tick();
    ok.update();
    ASSERT_TRUE(ok.clicked);
    ok.clear();
    EXPECT_FALSE(ok.clicked);
    Canvas canvas;
    ok.setPosition({10.f, 10.f});
    ok.draw();
    EXPECT_EQ(canvas.pixel(20, 20), sf::Color::Black);
    fake.window.pressKey(sf::Keyboard::Return);
    tick();
    ok.update();
    EXPECT_FALSE(ok.clicked);
}

TEST_F(Widgets, DisabledButtonIgnoresTheMouseButNotItsHotKey)
{
    kv::Button save;
    save.create("Save", 3, {100.f, 100.f}, sf::Keyboard::F5);
    save.enabled = false;
    clickAt({110, 110});
    save.update();
    EXPECT_FALSE(save.clicked);
    EXPECT_FALSE(save.mouseOver);

    fake.window.pressKey(sf::Keyboard::F5);
    tick();
    save.update();
    EXPECT_TRUE(save.clicked);

    save.enabled = true;
    clickAt({131, 131});
    save.update();
    EXPECT_TRUE(save.clicked);
    EXPECT_FALSE(Mouse::clicked(Mouse::Left)) << "the click is used up";
}

TEST_F(Widgets, IconButtonHintNamesItsKeyAndTextButtonHasNone)
{
    kv::Button save, yes;
    save.create("Save", 3, {100.f, 100.f}, sf::Keyboard::F5);
    yes.create("Yes", 175, {300.f, 100.f}, sf::Keyboard::Return);
    yes.setTextButton(0.f, 0.f);

    fake.window.mouse = {110, 110};
    tick();
    save.update();
    save.draw();
    const KVCore::Hint* h = hint(save.hintKey);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->text, "Save - [F5]");
    EXPECT_EQ(h->position, sf::Vector2f(120.f, 152.f));

    fake.window.mouse = {310, 110};
    yes.update();
    yes.draw();
    EXPECT_TRUE(yes.mouseOver);
    EXPECT_EQ(hint(yes.hintKey), nullptr);
}

TEST_F(Widgets, TextButtonSizesItselfAroundItsText)
{
    kv::Button yes;
    yes.create("Yes", 175, {0.f, 0.f}, sf::Keyboard::Return);
    yes.setTextButton(0.f, 0.f);
    sf::Text measured("Yes", Text::standardFont(), 18);
    EXPECT_NEAR(yes.getWidth(), measured.getLocalBounds().width + 48.f, 3.f);
    EXPECT_GE(yes.getHeight(), 34.f);

    // Given a size, the face fills it and the text sits in its middle.
    Canvas canvas;
    kv::Button no;
    no.create("No", -1, {10.f, 10.f});
    no.setTextButton(120.f, 42.f);
    fake.window.mouse = {500, 500};
    no.update();
    no.draw();
    EXPECT_EQ(canvas.pixel(128, 50), kv::theme::faceColour);
    EXPECT_EQ(canvas.pixel(132, 54), sf::Color::Black);
    unsigned left = 200, right = 0, top = 100, bottom = 0;
    for (unsigned y = 12; y < 50; ++y)
        for (unsigned x = 12; x < 128; ++x)
            if (canvas.pixel(x, y).r < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_LT(left, right) << "the text is drawn";
    EXPECT_NEAR((left + right) / 2.0, 70.0, 2.0);
    EXPECT_NEAR((top + bottom) / 2.0, 31.0, 4.0);

    // A separator under the mouse neither lights up nor shows a hint.
    kv::Button separator;
    separator.create("", 140, {150.f, 10.f}, sf::Keyboard::S);
    fake.window.mouse = {155, 20};
    separator.update();
    canvas.texture.clear(sf::Color::Black);
    separator.draw();
    EXPECT_EQ(canvas.pixel(160, 38), kv::theme::faceColour);
    EXPECT_EQ(hint(separator.hintKey), nullptr);
}

TEST_F(Widgets, FlatButtonsLoseTheRaisedBevelOnly)
{
    Canvas canvas;
    kv::Button yes;
    yes.create("Yes", -1, {10.f, 10.f});
    yes.setTextButton(100.f, 40.f);
    const bool flatBefore = KVCore::settings().flatButtons;

    // Top edge of the button, away from the text.
    fake.window.mouse = {190, 90};
    yes.update();
    KVCore::settings().flatButtons = false;
    yes.draw();
    const sf::Color raised = canvas.pixel(15, 10);
    EXPECT_GT(raised.r, 210) << "light edge over the face";

    KVCore::settings().flatButtons = true;
    yes.draw();
    EXPECT_EQ(canvas.pixel(15, 10), sf::Color(200, 200, 200));

    // Under the mouse: the sunken bevel's dark edge over the background.
    canvas.texture.clear(sf::Color::Black);
    fake.window.mouse = {50, 30};
    yes.update();
    yes.draw();
    const sf::Color sunken = canvas.pixel(15, 10);
    EXPECT_GT(sunken.r, 50);
    EXPECT_LT(sunken.r, 80);
    KVCore::settings().flatButtons = flatBefore;

    // Disabled and moved, it is veiled where it now stands, not where it was.
    canvas.texture.clear(sf::Color::Black);
    yes.enabled = false;
    yes.setPosition({90.f, 50.f});
    fake.window.mouse = {500, 500};
    yes.update();
    yes.draw();
    EXPECT_EQ(canvas.pixel(30, 30), sf::Color::Black);
    EXPECT_EQ(canvas.pixel(150, 60), kv::theme::faceColour);
    int blackText = 0;
    for (unsigned y = 52; y < 88; ++y)
        for (unsigned x = 92; x < 188; ++x)
            blackText += canvas.pixel(x, y) == sf::Color::Black;
    EXPECT_EQ(blackText, 0) << "the caption is greyed";
}

TEST_F(Widgets, IconButtonShowsItsIconAndFadesOutWhole)
{
    Canvas canvas;
    kv::Button save;
    save.create("Save", 3, {10.f, 10.f}, sf::Keyboard::F5);
    const auto nonBlack = [&canvas] {
        canvas.texture.display();
        const sf::Image image = canvas.texture.getTexture().copyToImage();
        int count = 0;
        for (unsigned y = 0; y < 100; ++y)
            for (unsigned x = 0; x < 200; ++x)
                count += image.getPixel(x, y) != sf::Color::Black;
        return count;
    };
    // Without its face only the icon is drawn, pressed in a pixel under the
    // mouse.  A plain white icon, as the sheet differs between processes.
    sf::Texture white;
    ASSERT_TRUE(white.create(32, 32));
    const std::vector<sf::Uint8> opaque(32 * 32 * 4, 255);
    white.update(opaque.data());
    save.icon = sf::Sprite(white);
    save.setPosition({10.f, 10.f});
    save.noFace = true;
    for (const bool over : {false, true}) {
        canvas.texture.clear(sf::Color::Black);
        fake.window.mouse = over ? sf::Vector2i(20, 20) : sf::Vector2i(500, 500);
        save.update();
        save.draw();
        EXPECT_EQ(canvas.pixel(25, 25), sf::Color::White) << over;
        EXPECT_EQ(canvas.pixel(42, 25), over ? sf::Color::White : sf::Color::Black);
    }
    save.noFace = false;

    // Faded out, no part of it shows: face, icon, hover, bevel or overlay.
    save.setAlpha(0);
    for (const bool over : {false, true})
        for (const bool enabled : {true, false}) {
            canvas.texture.clear(sf::Color::Black);
            save.enabled = enabled;
            fake.window.mouse = over ? sf::Vector2i(20, 20) : sf::Vector2i(500, 500);
            save.update();
            save.draw();
            EXPECT_EQ(nonBlack(), 0) << over << enabled;
        }
    save.setTextButton(0.f, 0.f);
    canvas.texture.clear(sf::Color::Black);
    save.draw();
    EXPECT_EQ(nonBlack(), 0);

    // The first and last icons of the sheet show; an id before or past it
    // gives a button without an icon.
    for (const auto& [iconId, shown] :
         {std::pair{-1, false}, {0, true}, {Icons::iconCount - 1, true}, {Icons::iconCount, false}}) {
        kv::Button button;
        button.create("Odd", iconId, {10.f, 10.f});
        EXPECT_EQ(button.icon.getTexture() != nullptr, shown) << iconId;
    }
}

TEST_F(Widgets, FormAndGroupBoxDrawTheirFramesAroundTheirTitles)
{
    Canvas canvas;
    const auto count = [&canvas](int left, int top, int right, int bottom, auto test) {
        canvas.texture.display();
        const sf::Image image = canvas.texture.getTexture().copyToImage();
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                found += test(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)));
        return found;
    };
    const auto dark = [](sf::Color c) { return c.r < 60 && c.g < 60 && c.b < 60; };
    const int bar = static_cast<int>(kv::Form::titleBarHeight());

    // Moved and resized, a form draws its white title on the blue bar and
    // its grey body below, and nothing where it was.
    kv::Form form;
    form.create("Mow", {10.f, 10.f}, {180.f, 80.f});
    form.setPosition({15.f, 12.f});
    form.draw();
    EXPECT_EQ(canvas.pixel(150, static_cast<unsigned>(12 + bar / 2)), kv::theme::titleBarColour);
    EXPECT_GT(count(18, 12, 60, 12 + bar, [](sf::Color c) { return c == sf::Color::White; }), 10);
    EXPECT_EQ(canvas.pixel(12, 50), sf::Color::Black);
    canvas.texture.clear(sf::Color::Black);
    form.setSize({160.f, 80.f});
    form.draw();
    EXPECT_EQ(canvas.pixel(100, static_cast<unsigned>(12 + bar + 20)), kv::theme::faceColour);
    EXPECT_EQ(canvas.pixel(180, 50), sf::Color::Black);
    canvas.texture.clear(sf::Color::Black);
    form.setAlpha(0);
    form.draw();
    EXPECT_EQ(count(0, 0, 200, 100, [](sf::Color c) { return c != sf::Color::Black; }), 0);

    // A group box: a dark frame whose top edge breaks for the title.
    canvas.texture.clear(sf::Color::White);
    kv::GroupBox group;
    group.create("Group", {0.f, 0.f}, {180.f, 80.f});
    group.setPosition({10.f, 10.f});
    group.draw();
    const int s = static_cast<int>(Text::standardLineSpacing(18) * 0.5f);
    EXPECT_GT(count(9 + s, 40, 12 + s, 60, dark), 15) << "left edge";
    EXPECT_GT(count(188 - s, 40, 191 - s, 60, dark), 15) << "right edge";
    EXPECT_GT(count(60, 88 - s, 150, 91 - s, dark), 80) << "bottom edge";
    EXPECT_GT(count(150, 9 + s, 180, 12 + s, dark), 25) << "top edge after the title";
    EXPECT_GT(count(20 + s, 10, 60 + s, 8 + s, dark), 4) << "title, above the top edge's line";
    canvas.texture.clear(sf::Color::White);
    group.setAlpha(0);
    group.draw();
    EXPECT_EQ(count(0, 0, 200, 100, dark), 0);
}

// Steps 10 ms per reading and lets go of the left button once releaseAt has
// passed, so waits for a release end as they would with a real hand.
struct HandClock final : KVCore::TimeSource {
    double seconds() const override
    {
        now += 0.01;
        if (releaseAt >= 0.0 && now >= releaseAt)
            window->buttons.erase(sf::Mouse::Left);
        return now;
    }
    platform::UtcTime utcNow() const override { return {}; }
    mutable double now = 0.0;
    double releaseAt = -1.0;
    test::FakeWindow* window = nullptr;
};

TEST_F(Widgets, CheckBoxFlipsOncePerClickAndAgainWhenHeldPastTheWait)
{
    auto clock = std::make_unique<HandClock>();
    HandClock& hand = *clock;
    hand.window = &fake.window;
    KVCore::setTimeSource(std::move(clock));

    kv::CheckBox box;
    box.create("Sound", 100.f, 100.f);
    EXPECT_GT(box.getWidth(), 40.f) << "the caption counts";
    EXPECT_FALSE(box.isChecked());

    fake.window.mouse = {105, 105};
    fake.window.buttons.insert(sf::Mouse::Left);
    hand.releaseAt = hand.now + 0.1;
    box.update();
    EXPECT_TRUE(box.isChecked());
    box.update();
    EXPECT_TRUE(box.isChecked()) << "released: no second flip";

    fake.window.buttons.insert(sf::Mouse::Left);
    hand.releaseAt = -1.0;
    const double pressedAt = hand.now;
    box.update();
    EXPECT_FALSE(box.isChecked());
    EXPECT_GE(hand.now - pressedAt, 0.5);
    box.update();
    EXPECT_TRUE(box.isChecked()) << "still held after the wait gave up";
}

TEST_F(Widgets, CheckBoxTakesAClickNeverSeenHeld)
{
    kv::CheckBox box;
    box.create("Sound", 100.f, 100.f);
    // Press and release within one tick: the button is up at every pass.
    clickAt({105, 105});
    box.update();
    EXPECT_TRUE(box.isChecked());
    box.update();
    EXPECT_TRUE(box.isChecked()) << "one click, one flip";
}

TEST_F(Widgets, SliderDragsToBothEndsUnderMouseCapture)
{
    std::int32_t volume = 40, other = 7;
    kv::Scrollbar slider, neighbour;
    slider.create("Volume", {100.f, 100.f}, {200.f, 24.f}, 100, false, 20.f, &volume);
    neighbour.create("", {100.f, 140.f}, {200.f, 24.f}, 50, false, 20.f, &other);
    EXPECT_TRUE(slider.showLabels);
    EXPECT_FALSE(neighbour.showLabels);

    // Thumb centre under the mouse: the middle of the travel is half.
    fake.window.mouse = {200, 110};
    fake.window.buttons.insert(sf::Mouse::Left);
    tick();
    slider.update();
    EXPECT_TRUE(slider.dragging);
    EXPECT_TRUE(Mouse::isCaptured());
    EXPECT_EQ(volume, 50);

    fake.window.mouse = {250, 150};
    tick();
    slider.update();
    neighbour.update();
    EXPECT_FALSE(neighbour.dragging);
    EXPECT_EQ(other, 7) << "the captured mouse belongs to the first slider";

    fake.window.mouse = {900, 150};
    tick();
    slider.update();
    EXPECT_EQ(volume, 100);
    EXPECT_FLOAT_EQ(slider.thumb.getPosition().x + slider.thumb.getWidth(), 300.f);

    fake.window.mouse = {0, 150};
    tick();
    slider.update();
    EXPECT_EQ(volume, 0);
    EXPECT_FLOAT_EQ(slider.thumb.getPosition().x, 100.f);

    fake.window.buttons.clear();
    fake.window.mouse = {150, 110};
    tick();
    slider.update();
    EXPECT_FALSE(slider.dragging);
    EXPECT_FALSE(Mouse::isCaptured());
    ASSERT_NE(hint(slider.hintKey), nullptr);
    EXPECT_EQ(hint(slider.hintKey)->text, "Click to adjust Volume");

    // The owner moves the value; the thumb follows on the next tick.
    volume = 100;
    tick();
    slider.update();
    EXPECT_FLOAT_EQ(slider.thumb.getPosition().x, 280.f);
    EXPECT_EQ(slider.valueLabel.getText(), "100");

    // Between ticks, with nothing to choose from or with no value to move,
    // a slider takes no notice of a press on it.
    std::int32_t none = 0;
    kv::Scrollbar empty, unbound;
    empty.create("", {100.f, 100.f}, {200.f, 24.f}, 0, false, 20.f, &none);
    unbound.create("", {100.f, 100.f}, {200.f, 24.f}, 100, false, 20.f, nullptr);
    fake.window.mouse = {200, 110};
    fake.window.buttons.insert(sf::Mouse::Left);
    KVCore::pollEvents();
    ASSERT_FALSE(KVCore::tickFlag());
    slider.update();
    tick();
    empty.update();
    unbound.update();
    EXPECT_FALSE(slider.dragging || empty.dragging || unbound.dragging);
    EXPECT_FALSE(Mouse::isCaptured());
    EXPECT_EQ(volume, 100);
    fake.window.buttons.clear();
    tick();

    // Two positions are still a choice.
    std::int32_t onOff = 0;
    kv::Scrollbar two;
    two.create("", {100.f, 100.f}, {200.f, 24.f}, 1, false, 20.f, &onOff);
    fake.window.mouse = {299, 110};
    fake.window.buttons.insert(sf::Mouse::Left);
    tick();
    two.update();
    EXPECT_EQ(onOff, 1);
    fake.window.buttons.clear();
    tick();
    two.update();
}

TEST_F(Widgets, SliderColourBandsAndThumbLimits)
{
    std::int32_t level = 0;
    kv::Scrollbar slider;
    slider.create("Music", {0.f, 0.f}, {200.f, 24.f}, 100, false, 0.f, &level);
    slider.colourByValue = true;
    const sf::Color orange(243, 115, 23);
    const std::pair<std::int32_t, sf::Color> bands[] = {{0, sf::Color::Green}, {24, sf::Color::Green},
        {25, sf::Color::Yellow}, {49, sf::Color::Yellow}, {50, orange}, {74, orange}, {75, sf::Color::Red}};
    for (const auto& [value, colour] : bands) {
        level = value;
        tick();
        slider.update();
        EXPECT_EQ(slider.bar.shape.getFillColor(), colour) << value;
    }
    EXPECT_NEAR(slider.bar.getWidth(), 150.f, 2.f) << "a thumbless bar fills with the value";
    slider.setPosition({0.f, 50.f});
    EXPECT_EQ(slider.track.getPosition(), sf::Vector2f(0.f, 50.f)) << "moved, the track goes along";

    std::int32_t row = 0;
    kv::Scrollbar tooLong;
    tooLong.create("", {0.f, 0.f}, {16.f, 100.f}, 10, true, 150.f, &row);
    EXPECT_EQ(tooLong.thumbLength, 32.f);
    // A thumb as long as the bar leaves nothing to drag either.
    kv::Scrollbar exact;
    exact.create("", {0.f, 0.f}, {16.f, 100.f}, 10, true, 100.f, &row);
    EXPECT_EQ(exact.thumbLength, 32.f);
    tick();
    exact.update();
    EXPECT_EQ(exact.thumb.getSize(), sf::Vector2f(16.f, 32.f));

}

} // namespace
