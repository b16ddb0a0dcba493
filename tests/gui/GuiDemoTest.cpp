// The widget demo screen run with keys fed frame by frame: its hot keys
// open every dialog, and it reports each result on standard output.
#include "engine/EventPoller.hpp"
#include "engine/Keyboard.hpp"
#include "gui/GuiDemo.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Key = sf::Keyboard::Key;

// The demo screen has no pass hook, but every frame, its own or a dialog's,
// ends by showing the picture and reading the clock.  On the first reading
// after a new frame this clock moves on a tick and runs the next step once
// two frames have passed since the last; past the frame limit it closes the
// window, which ends every loop, so no test can hang.
class FrameScript final : public KVCore::TimeSource {
public:
    explicit FrameScript(test::FakeWindow& window) : window_(window) {}

    double seconds() const override
    {
        if (window_.frames != seenFrame_) {
            seenFrame_ = window_.frames;
            now_ += 0.04;
            if (window_.frames > frameLimit)
                window_.open = false;
            else if (next_ < steps.size() && window_.frames - lastStep_ >= 3) {
                lastStep_ = window_.frames;
                steps[next_++](window_);
            }
        }
        return now_;
    }
    platform::UtcTime utcNow() const override { return {}; }

    FrameScript& press(std::initializer_list<Key> keys)
    {
        for (Key key : keys)
            steps.push_back([key](test::FakeWindow& w) { w.pressKey(key); });
        return *this;
    }
    FrameScript& type(const std::string& text)
    {
        steps.push_back([text](test::FakeWindow& w) {
            for (char c : text)
                w.typeChar(static_cast<unsigned char>(c));
        });
        return *this;
    }

    std::vector<std::function<void(test::FakeWindow&)>> steps;
    int frameLimit = 600;
    bool ranOut() const { return next_ == steps.size(); }

private:
    test::FakeWindow& window_;
    mutable std::size_t next_ = 0;
    mutable int seenFrame_ = 0, lastStep_ = -3;
    mutable double now_ = 5000.0;
};

TEST(GuiDemo, HotKeysOpenEveryDialogAndEachResultIsReported)
{
    ASSERT_TRUE(test::loadEngineFonts());
    test::FakeWindowScope fake;
    Keyboard::buildKeyNameTable();
    auto clock = std::make_unique<FrameScript>(fake.window);
    FrameScript& script = *clock;
    KVCore::setTimeSource(std::move(clock));
    KVCore::setFrameLimitInEffect(30);
    KVCore::startPoller();

    script.press({Key::Return, Key::Pause, Key::F1, Key::Return, Key::F2, Key::Escape, Key::F3})
        .type("Mo")
        .press({Key::Return, Key::F4, Key::Escape, Key::F5, Key::Escape, Key::F6, Key::Escape, Key::F7,
                Key::Return, Key::F8, Key::Down, Key::Return, Key::F9, Key::Escape, Key::F10, Key::Escape, Key::F11,
                Key::Return, Key::Escape});
    testing::internal::CaptureStdout();
    kv::runGuiDemo();
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_TRUE(script.ranOut());
    EXPECT_TRUE(fake.window.open) << "Escape left the demo before the frame limit";
    std::vector<std::string> reports;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("demo: ", 0) == 0)
            reports.push_back(line.substr(6));
    EXPECT_EQ(reports, (std::vector<std::string>{"ready", "Return", "Save clicked", "Message open",
                                                 "Message closed", "Confirm: No", "Input text: KelvaneMo",
                                                 "Input number refused", "Open cancelled", "Save cancelled",
                                                 "Colour 200, 120, 40", "Popup menu: 1", "Display mode cancelled",
                                                 "Script console closed", "Error reading closed"}));
}

} // namespace
