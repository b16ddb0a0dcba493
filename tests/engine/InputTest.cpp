#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

namespace {

TEST(KeyNames, TableCoversEveryCodeWithItsExactName)
{
    Keyboard::buildKeyNameTable();
    Keyboard::buildKeyNameTable();  // building twice must not duplicate
    const auto& table = Keyboard::keyNameTable();
    ASSERT_EQ(table.size(), 102u);
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].code, static_cast<std::int32_t>(i) - 1);

    EXPECT_EQ(Keyboard::getKeyName(-1), "");
    EXPECT_EQ(Keyboard::getKeyName(0), "A");
    EXPECT_EQ(Keyboard::getKeyName(26), "0");
    EXPECT_EQ(Keyboard::getKeyName(37), "left Control");
    EXPECT_EQ(Keyboard::getKeyName(40), "Left OS system");
    EXPECT_EQ(Keyboard::getKeyName(53), "\\");
    EXPECT_EQ(Keyboard::getKeyName(54), "~");
    EXPECT_EQ(Keyboard::getKeyName(56), "-");
    EXPECT_EQ(Keyboard::getKeyName(68), "-");
    EXPECT_EQ(Keyboard::getKeyName(52), "/");
    EXPECT_EQ(Keyboard::getKeyName(70), "/");
    EXPECT_EQ(Keyboard::getKeyName(74), "Down arrow");
    EXPECT_EQ(Keyboard::getKeyName(84), "numpad 9");
    EXPECT_EQ(Keyboard::getKeyName(96), "F12");
    EXPECT_EQ(Keyboard::getKeyName(100), "Pause");
    EXPECT_EQ(Keyboard::getKeyName(101), "");
}

TEST(PressedKeys, HoldsAtMost129AndReportsTheNext)
{
    test::FakeWindowScope fake;
    for (int i = 0; i < 129; ++i)
        Keyboard::addPressedKey(i % 100);
    EXPECT_EQ(Keyboard::pressedKeys().size(), 129u);
    EXPECT_TRUE(KVCore::consoleLines().empty());

    Keyboard::addPressedKey(5);
    EXPECT_EQ(Keyboard::pressedKeys().size(), 129u);
    ASSERT_EQ(KVCore::consoleLines().size(), 1u);
    EXPECT_EQ(KVCore::consoleLines()[0].text, "Keyboard::addPressedKey: Too many pressed keycodes.");
    EXPECT_EQ(KVCore::consoleLines()[0].colour, KVCore::errorColour);
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Error: Keyboard::addPressedKey: Too many pressed keycodes.");
}

TEST(PressedKeys, UnknownKeyIsIgnoredAndRepeatsAreKept)
{
    test::FakeWindowScope fake;
    Keyboard::addPressedKey(-1);
    Keyboard::addPressedKey(7);
    Keyboard::addPressedKey(7);
    EXPECT_EQ(Keyboard::pressedKeys().size(), 2u);
    EXPECT_FALSE(Keyboard::keyHit(-1));
    EXPECT_TRUE(Keyboard::keyHit(7));
    EXPECT_TRUE(Keyboard::keyHit(7));
    EXPECT_FALSE(Keyboard::keyHit(7));
}

TEST(PressedKeys, NothingIsHitOrHeldWithoutFocus)
{
    test::FakeWindowScope fake;
    Keyboard::addPressedKey(sf::Keyboard::A);
    fake.window.keys.insert(sf::Keyboard::A);
    fake.window.focus = false;
    EXPECT_FALSE(Keyboard::keyHit(sf::Keyboard::A));
    EXPECT_FALSE(Keyboard::isKeyDown(sf::Keyboard::A));
    fake.window.focus = true;
    EXPECT_TRUE(Keyboard::isKeyDown(sf::Keyboard::A));
    EXPECT_TRUE(Keyboard::keyHit(sf::Keyboard::A));
}

TEST(PressedKeys, ModifiersCountWhenHeldOrPressedThisTick)
{
    test::FakeWindowScope fake;
    Keyboard::clearTickInput();
    EXPECT_FALSE(Keyboard::controlDown());
    fake.window.keys.insert(sf::Keyboard::RControl);
    EXPECT_TRUE(Keyboard::controlDown());
    EXPECT_FALSE(Keyboard::shiftDown());

    // Let go before the tick looked, but pressed in it; looking takes nothing.
    fake.window.keys.clear();
    Keyboard::addPressedKey(sf::Keyboard::LShift);
    Keyboard::addPressedKey(sf::Keyboard::LControl);
    EXPECT_TRUE(Keyboard::shiftDown());
    EXPECT_TRUE(Keyboard::controlDown());
    EXPECT_EQ(Keyboard::pressedKeys().size(), 2u);
    Keyboard::clearTickInput();
    EXPECT_FALSE(Keyboard::shiftDown());
    fake.window.keys.insert(sf::Keyboard::RShift);
    EXPECT_TRUE(Keyboard::shiftDown());
    EXPECT_FALSE(Keyboard::controlDown());
}

TEST(PressedKeys, WaitForReleaseGivesUpAfterHalfASecond)
{
    test::FakeWindowScope fake;
    KVCore::startPoller();
    fake.window.keys.insert(sf::Keyboard::Escape);
    // A key held for ever: the wait must end on its own, so let every
    // reading of the clock move it on by 10 ms.
    struct Stepper final : KVCore::TimeSource {
        double* now;
        double seconds() const override { return *now += 0.01; }
        platform::UtcTime utcNow() const override { return {}; }
    };
    double now = 0.0;
    auto stepper = std::make_unique<Stepper>();
    stepper->now = &now;
    KVCore::setTimeSource(std::move(stepper));
    Keyboard::waitKeyRelease(sf::Keyboard::Escape);
    EXPECT_GE(now, 0.5);
    EXPECT_LT(now, 0.6);
}

TEST(MouseState, PositionFollowsTheViewAndStaysPutWithoutFocus)
{
    test::FakeWindowScope fake;
    fake.window.mouse = {512, 384};
    EXPECT_EQ(Mouse::getViewPosition(), sf::Vector2i(512, 384));

    // A view twice the window's size doubles positions.
    fake.window.setView(sf::View(sf::FloatRect(0.f, 0.f, 2048.f, 1536.f)));
    EXPECT_EQ(Mouse::getViewPosition(), sf::Vector2i(1024, 768));

    fake.window.focus = false;
    fake.window.mouse = {10, 10};
    EXPECT_EQ(Mouse::getViewPosition(), sf::Vector2i(1024, 768));
}

TEST(MouseState, RectangleEdgesCount)
{
    test::FakeWindowScope fake;
    fake.window.mouse = {200, 100};
    EXPECT_TRUE(Mouse::isInRect(100.f, 50.f, 200.f, 100.f));
    EXPECT_FALSE(Mouse::isInRect(100.f, 50.f, 199.f, 100.f));
    EXPECT_FALSE(Mouse::isInRect(201.f, 50.f, 300.f, 150.f));
}

TEST(MouseState, ButtonsAreZeroWithoutFocus)
{
    test::FakeWindowScope fake;
    fake.window.buttons = {sf::Mouse::Left, sf::Mouse::Middle};
    EXPECT_EQ(Mouse::getButtons(), Mouse::leftBit | Mouse::middleBit);
    fake.window.focus = false;
    EXPECT_EQ(Mouse::getButtons(), 0u);
}

TEST(MouseState, CaptureEndsWhenButtonsAreReleased)
{
    test::FakeWindowScope fake;
    KVCore::startPoller();
    fake.window.buttons = {sf::Mouse::Left};
    fake.window.mouse = {10, 20};
    Mouse::beginCapture();
    EXPECT_TRUE(Mouse::isCaptured());
    EXPECT_EQ(Mouse::captureStart(), sf::Vector2i(10, 20));

    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_TRUE(Mouse::isCaptured());

    fake.window.buttons.clear();
    fake.window.mouse = {30, 40};
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_FALSE(Mouse::isCaptured());
    EXPECT_EQ(Mouse::captureEnd(), sf::Vector2i(30, 40));
}

} // namespace
