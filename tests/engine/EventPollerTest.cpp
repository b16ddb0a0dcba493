#include "engine/EventPoller.hpp"
#include "engine/Hints.hpp"
#include "engine/Keyboard.hpp"
#include "engine/Log.hpp"
#include "engine/Mouse.hpp"
#include "engine/Screenshot.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

class EventPollerTest : public ::testing::Test {
protected:
    void SetUp() override { KVCore::startPoller(); }

    // Runs frames of the given length and counts the ticks among them.
    int ticksOver(int frames, double frameSeconds)
    {
        int ticks = 0;
        for (int i = 0; i < frames; ++i) {
            fake.time.advance(frameSeconds);
            KVCore::pollEvents();
            ticks += KVCore::tickFlag() ? 1 : 0;
        }
        return ticks;
    }

    test::FakeWindowScope fake;
};

TEST_F(EventPollerTest, UnlimitedSixtyFramesASecondTickEverySecondFrame)
{
    KVCore::setFrameLimitInEffect(0);
    const int ticks = ticksOver(60, 1.0 / 60.0 + 1e-6);
    EXPECT_GE(ticks, 29);
    EXPECT_LE(ticks, 31);
}

TEST_F(EventPollerTest, LimitAtOrBelowTickRateMakesEveryFrameATick)
{
    KVCore::setFrameLimitInEffect(25);
    EXPECT_EQ(ticksOver(25, 1.0 / 25.0), 25);
    EXPECT_FLOAT_EQ(KVCore::tickDelta(), 1.0f / 30.0f);

    // Even frames far shorter than the step tick when the limit is low,
    // up to a limit of exactly the tick rate; one above, the clock decides.
    EXPECT_EQ(ticksOver(5, 0.001), 5);
    KVCore::setFrameLimitInEffect(KVCore::ticksPerSecond);
    EXPECT_EQ(ticksOver(5, 0.001), 5);
    KVCore::setFrameLimitInEffect(KVCore::ticksPerSecond + 1);
    EXPECT_EQ(ticksOver(5, 0.001), 0);
}

TEST_F(EventPollerTest, LimitOfSixtyStillTicksOnTheClock)
{
    KVCore::setFrameLimitInEffect(60);
    const int ticks = ticksOver(120, 1.0 / 60.0 + 1e-6);
    EXPECT_GE(ticks, 59);
    EXPECT_LE(ticks, 61);
}

TEST_F(EventPollerTest, SlowFrameGivesOneTickNotSix)
{
    const std::uint32_t before = KVCore::tickCounter();
    fake.time.advance(0.2);
    KVCore::pollEvents();
    EXPECT_TRUE(KVCore::tickFlag());
    EXPECT_EQ(KVCore::tickCounter(), before + 1);
    EXPECT_NEAR(KVCore::frameTime(), 0.2f, 1e-4);

    // The next short frame does not make up for the lost time.
    fake.time.advance(0.01);
    KVCore::pollEvents();
    EXPECT_FALSE(KVCore::tickFlag());

    // Time spent outside the frame loop is not a frame once the clock is
    // restarted after it.
    fake.time.advance(1.5);
    KVCore::restartFrameClock();
    fake.time.advance(0.02);
    KVCore::pollEvents();
    EXPECT_NEAR(KVCore::frameTime(), 0.02f, 1e-4);
}

TEST_F(EventPollerTest, StoppedPollerReadsNoEvents)
{
    KVCore::stopPoller();
    fake.window.pressKey(sf::Keyboard::A);
    fake.time.advance(0.1);
    KVCore::pollEvents();
    EXPECT_TRUE(Keyboard::pressedKeys().empty());
    EXPECT_EQ(fake.window.events.size(), 1u);
}

// Coming back to the window never leaves the cursor caught in it, whatever
// grabbed it while the game was away.
TEST_F(EventPollerTest, RegainedFocusLetsTheCursorGo)
{
    fake.window.cursorGrabbed = true;
    sf::Event e;
    e.type = sf::Event::GainedFocus;
    fake.window.events.push_back(e);
    fake.time.advance(0.04);
    KVCore::pollEvents();
    EXPECT_FALSE(fake.window.cursorGrabbed);
}

TEST_F(EventPollerTest, KeyPressStaysUntilTakenOrNextTick)
{
    fake.window.pressKey(sf::Keyboard::Space);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    ASSERT_TRUE(KVCore::tickFlag());

    // A frame between ticks still sees the press.
    fake.time.advance(0.001);
    KVCore::pollEvents();
    ASSERT_FALSE(KVCore::tickFlag());
    EXPECT_TRUE(Keyboard::keyHit(sf::Keyboard::Space));
    EXPECT_FALSE(Keyboard::keyHit(sf::Keyboard::Space));

    fake.window.pressKey(sf::Keyboard::Return);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_FALSE(Keyboard::keyHit(sf::Keyboard::Return));
}

// The game pauses on a focus loss; it must see each once, and not the one
// a new window gives when it loses and gains the focus in the same breath.
TEST_F(EventPollerTest, AFocusLossLastsUntilTakenOrTheNextTickUnlessWonBack)
{
    const auto tick = [this] {
        fake.time.advance(0.05);
        KVCore::pollEvents();
    };
    fake.window.loseFocus();
    tick();
    fake.time.advance(0.001);
    KVCore::pollEvents();
    ASSERT_FALSE(KVCore::tickFlag());
    EXPECT_TRUE(KVCore::takeFocusLoss()) << "a frame between ticks still sees it";
    EXPECT_FALSE(KVCore::takeFocusLoss()) << "taken once";

    fake.window.gainFocus();
    fake.window.loseFocus();
    tick();
    tick();
    EXPECT_FALSE(KVCore::takeFocusLoss()) << "gone with its tick";

    fake.window.cursorGrabbed = true;
    fake.window.loseFocus();
    fake.window.gainFocus();
    tick();
    EXPECT_FALSE(KVCore::takeFocusLoss());
    EXPECT_FALSE(fake.window.cursorGrabbed) << "coming back lets go of the mouse";
}

TEST_F(EventPollerTest, TypedTextDropsControlCharactersAndTurnsBacktickIntoTilde)
{
    for (sf::Uint32 c : {sf::Uint32('h'), sf::Uint32('i'), sf::Uint32('\t'), sf::Uint32(8), sf::Uint32(13),
                         sf::Uint32(0x80), sf::Uint32(0xE9), sf::Uint32('`'), sf::Uint32('!')})
        fake.window.typeChar(c);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_EQ(Keyboard::typedText(), "hi!");
    EXPECT_TRUE(Keyboard::keyHit(sf::Keyboard::Tilde));

    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_EQ(Keyboard::typedText(), "");
}

TEST_F(EventPollerTest, ClickNeedsReleaseWithinAFiftiethOfTheView)
{
    // 1024 by 768: the threshold is 20.48 view units.
    fake.window.mouse = {100, 100};
    fake.window.mouseButton(sf::Mouse::Left, true);
    fake.window.mouse = {110, 100};
    fake.window.mouseButton(sf::Mouse::Left, false);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_TRUE(Mouse::clicked(Mouse::Left));
    EXPECT_FALSE(Mouse::buttonDown(Mouse::Left));
    EXPECT_EQ(Mouse::pressPosition(Mouse::Left), sf::Vector2i(100, 100));

    // The click lasts exactly one frame.
    fake.time.advance(0.001);
    KVCore::pollEvents();
    EXPECT_FALSE(Mouse::clicked(Mouse::Left));

    fake.window.mouse = {100, 100};
    fake.window.mouseButton(sf::Mouse::Right, true);
    fake.window.mouse = {121, 100};
    fake.window.mouseButton(sf::Mouse::Right, false);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_FALSE(Mouse::clicked(Mouse::Right));

    // 20 units is still under 20.48.
    fake.window.mouse = {100, 100};
    fake.window.mouseButton(sf::Mouse::Middle, true);
    fake.window.mouse = {100, 120};
    fake.window.mouseButton(sf::Mouse::Middle, false);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_TRUE(Mouse::clicked(Mouse::Middle));
}

TEST_F(EventPollerTest, ReleaseWithoutPressIsNoClick)
{
    fake.window.mouseButton(sf::Mouse::Left, false);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_FALSE(Mouse::clicked(Mouse::Left));
}

TEST_F(EventPollerTest, CloseInWindowAsksAndNoKeepsRunning)
{
    int exitCode = -1;
    KVCore::setExitHandler([&](int code) { exitCode = code; });
    KVCore::setCloseConfirmation(true);

    setenv("KELVANE_MESSAGEBOX", "no", 1);
    testing::internal::CaptureStderr();
    fake.window.closeRequest();
    fake.time.advance(0.05);
    KVCore::pollEvents();
    const std::string asked = testing::internal::GetCapturedStderr();
    EXPECT_NE(asked.find("Are you sure you want to close My app ?"), std::string::npos) << asked;
    EXPECT_EQ(exitCode, -1);
    EXPECT_TRUE(fake.window.isOpen());

    setenv("KELVANE_MESSAGEBOX", "yes", 1);
    testing::internal::CaptureStderr();
    fake.window.closeRequest();
    fake.time.advance(0.05);
    KVCore::pollEvents();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(fake.window.isOpen());
    setenv("KELVANE_MESSAGEBOX", "default", 1);
}

TEST_F(EventPollerTest, CloseInFullScreenDoesNotAskAndEndsTheLog)
{
    int exitCode = -1;
    KVCore::setExitHandler([&](int code) { exitCode = code; });
    KVCore::setCloseConfirmation(false);
    const auto logFile = std::filesystem::temp_directory_path() / ("kelvane_close_" + std::to_string(::getpid()));
    KVCore::setLogFile(logFile.string(), true);
    setenv("KELVANE_MESSAGEBOX", "no", 1);
    testing::internal::CaptureStderr();
    fake.window.closeRequest();
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(exitCode, 0);
    // Whatever runs on the way out is not written to the log.
    KVCore::log("Events poller stopped");
    EXPECT_FALSE(std::filesystem::exists(logFile));
    KVCore::setLogFile("", false);
    KVCore::setCloseConfirmation(true);
    setenv("KELVANE_MESSAGEBOX", "default", 1);
}

TEST_F(EventPollerTest, HintsAgeByTicks)
{
    KVCore::showHint("zero", {5.f, 5.f}, 0.f, "gone soon");
    KVCore::showHint("long", {5.f, 5.f}, 1.f, "stays");
    for (int tick = 1; tick <= 2; ++tick) {
        fake.time.advance(0.05);
        KVCore::pollEvents();
        ASSERT_EQ(KVCore::hints().size(), 2u) << "tick " << tick;
    }
    fake.time.advance(0.05);
    KVCore::pollEvents();
    ASSERT_EQ(KVCore::hints().size(), 1u);
    EXPECT_EQ(KVCore::hints()[0].id, "long");

    // A hint goes on the tick its time runs out exactly.
    KVCore::clearHints();
    KVCore::showHint("timed", {5.f, 5.f}, 0.75f, "three ticks");
    KVCore::ageHints(0.25f);
    KVCore::ageHints(0.25f);
    EXPECT_EQ(KVCore::hints().size(), 1u);
    KVCore::ageHints(0.25f);
    EXPECT_TRUE(KVCore::hints().empty());
}

TEST(HintList, SameIdRefreshesAndEmptyIdsAreNumbered)
{
    test::FakeWindowScope fake;
    KVCore::showHint("button", {1.f, 2.f}, 1.f, "first");
    KVCore::showHint("button", {3.f, 4.f}, 2.f, "second");
    ASSERT_EQ(KVCore::hints().size(), 1u);
    EXPECT_EQ(KVCore::hints()[0].text, "second");
    EXPECT_EQ(KVCore::hints()[0].position, sf::Vector2f(3.f, 4.f));
    EXPECT_FLOAT_EQ(KVCore::hints()[0].timeToLive, 2.f);

    KVCore::showHint("", {0.f, 0.f}, 1.f, "a");
    KVCore::showHint("", {0.f, 0.f}, 1.f, "b");
    ASSERT_EQ(KVCore::hints().size(), 3u);
    const std::string a = KVCore::hints()[1].id, b = KVCore::hints()[2].id;
    EXPECT_EQ(a.rfind("auto:", 0), 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(std::stoul(b.substr(5)), std::stoul(a.substr(5)) + 1);
}

} // namespace

namespace {

TEST(FunctionKeys, F12AsksForAScreenshotAndControlF12ReloadsShaders)
{
    test::FakeWindowScope fake;
    KVCore::startPoller();
    fake.window.keys.insert(sf::Keyboard::LControl);
    fake.window.pressKey(sf::Keyboard::F12);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_FALSE(KVCore::screenshotPending());
    ASSERT_FALSE(KVCore::consoleLines().empty());
    EXPECT_EQ(KVCore::consoleLines().back().text, "Reloaded shaders");
    // F12 is still a key press for the screens.
    EXPECT_TRUE(Keyboard::keyHit(sf::Keyboard::F12));

    fake.window.keys.clear();
    fake.window.pressKey(sf::Keyboard::F12);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_TRUE(KVCore::screenshotPending());


    // Without the focus the Control key's state is not ours to read: F12 is
    // a screenshot whatever it says.
    KVCore::takePendingScreenshot();
    ASSERT_FALSE(KVCore::screenshotPending());
    fake.window.focus = false;
    fake.window.keys.insert(sf::Keyboard::LControl);
    fake.window.pressKey(sf::Keyboard::F12);
    fake.time.advance(0.05);
    KVCore::pollEvents();
    EXPECT_TRUE(KVCore::screenshotPending());
}

} // namespace
