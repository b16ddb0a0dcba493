// A gamepad through the events poller as the screens read it: buttons as
// key presses, the stick and the d-pad as held arrow keys that press and
// repeat, and pads that come and go.  The headings and the dead zone are
// the mower's tests.
#include "engine/EventPoller.hpp"
#include "engine/Gamepad.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Key = sf::Keyboard::Key;
using Axis = sf::Joystick::Axis;

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        KVCore::setFrameLimitInEffect(30);  // every frame a tick
        KVCore::startPoller();
        fake.window.connectPad(0);
        tick();
    }

    // One tick a thirtieth of a second on; what it pressed.
    std::vector<std::int32_t> tick()
    {
        fake.time.advance(1.0 / 30.0);
        KVCore::pollEvents();
        return Keyboard::pressedKeys();
    }
    bool held(Key key) const { return Keyboard::isKeyDown(key); }

    test::FakeWindowScope fake;
};

using Keys = std::vector<std::int32_t>;

TEST_F(GamepadTest, APressesReturnBPressesEscapeStartPressesPOncePerPress)
{
    for (unsigned button = 0; button < 12; ++button) {
        SCOPED_TRACE(button);
        const Keys expected = button == Gamepad::buttonA       ? Keys{Key::Return}
                              : button == Gamepad::buttonB     ? Keys{Key::Escape}
                              : button == Gamepad::buttonStart ? Keys{Key::P}
                                                               : Keys{};
        fake.window.padButton(0, button, true);
        EXPECT_EQ(tick(), expected);
        EXPECT_EQ(tick(), Keys{}) << "a button held on presses nothing more";
        fake.window.padButton(0, button, false);
        EXPECT_EQ(tick(), Keys{});
    }
    // Any pad; and a press is taken as a key press is, not held.
    fake.window.connectPad(5);
    fake.window.padButton(5, Gamepad::buttonA, true);
    tick();
    EXPECT_FALSE(held(Key::Return));
    EXPECT_TRUE(Keyboard::keyHit(Key::Return));
    EXPECT_FALSE(Keyboard::keyHit(Key::Return));
}

TEST_F(GamepadTest, AHeldDirectionRepeatsAsAHeldKeyDoes)
{
    // A diagonal holds and presses both of its arrows.
    fake.window.moveAxis(0, Axis::X, -70.f);
    fake.window.moveAxis(0, Axis::Y, -70.f);
    EXPECT_EQ(tick(), (Keys{Key::Left, Key::Up}));
    EXPECT_TRUE(held(Key::Left) && held(Key::Up));
    EXPECT_FALSE(held(Key::A) || held(Key::W)) << "only the arrow keys";
    fake.window.focus = false;
    EXPECT_FALSE(held(Key::Left)) << "without the focus nothing is held";
    fake.window.focus = true;

    const auto countOver = [this](double seconds) {
        int presses = 0;
        for (double t = 0.0; t < seconds; t += 1.0 / 30.0) {
            const Keys keys = tick();
            presses += static_cast<int>(std::count(keys.begin(), keys.end(), Key::Up));
        }
        return presses;
    };
    EXPECT_EQ(countOver(Gamepad::repeatDelay - 0.05), 0) << "no repeat before the delay";
    const int repeats = countOver(1.0);
    EXPECT_NEAR(repeats, 1.0 / Gamepad::repeatInterval, 1.0);

    // Letting go of one arrow keeps the other going; pushing it again
    // presses it at once.
    fake.window.moveAxis(0, Axis::Y, 0.f);
    Keys keys = tick();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), Key::Up), 0);
    EXPECT_FALSE(held(Key::Up));
    EXPECT_TRUE(held(Key::Left));
    fake.window.moveAxis(0, Axis::PovY, -100.f);
    keys = tick();
    EXPECT_EQ(std::count(keys.begin(), keys.end(), Key::Up), 1);
}

// The first repeat comes on the tick the delay runs out, and each next one
// on the tick its interval does, not a tick later.
TEST_F(GamepadTest, RepeatsComeExactlyWhenTheirTimeIsUp)
{
    const auto pressesAfter = [this](double seconds) {
        fake.time.advance(seconds);
        KVCore::pollEvents();
        const Keys keys = Keyboard::pressedKeys();
        return std::count(keys.begin(), keys.end(), Key::Right);
    };
    fake.window.moveAxis(0, Axis::X, 100.f);
    EXPECT_EQ(pressesAfter(0.0), 1);
    EXPECT_EQ(pressesAfter(Gamepad::repeatDelay), 1);
    EXPECT_EQ(pressesAfter(Gamepad::repeatInterval), 1);
    EXPECT_EQ(pressesAfter(Gamepad::repeatInterval * 0.5), 0);
    EXPECT_EQ(pressesAfter(Gamepad::repeatInterval * 0.5), 1);
}

TEST_F(GamepadTest, PadsComeAndGoWithoutPressingOrHoldingAnything)
{
    // A second pad arriving presses nothing and takes nothing away.
    fake.window.moveAxis(0, Axis::X, 100.f);
    EXPECT_EQ(tick(), Keys{Key::Right});
    fake.window.connectPad(3);
    EXPECT_EQ(tick(), Keys{});
    EXPECT_TRUE(held(Key::Right));
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Gamepad 4 connected");

    // Pulled out while pushed: let go at once, and never repeated.
    fake.window.removePad(0);
    EXPECT_FALSE(held(Key::Right));
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(tick(), Keys{}) << i;
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Gamepad 1 removed");

    // Plugged in again it rests in the middle.
    fake.window.connectPad(0);
    EXPECT_EQ(tick(), Keys{});
    EXPECT_FALSE(held(Key::Right));

    // Directions are forgotten when the poller restarts, so the first tick
    // after it presses what is held.
    fake.window.moveAxis(3, Axis::PovY, 100.f);
    EXPECT_EQ(tick(), Keys{Key::Down});
    KVCore::stopPoller();
    KVCore::startPoller();
    EXPECT_EQ(tick(), Keys{Key::Down});
}

} // namespace
