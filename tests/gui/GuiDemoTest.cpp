// The widget demo screen run with keys fed frame by frame: its hot keys
// open every dialog, and it reports each result on standard output.
#include "engine/EventPoller.hpp"
#include "engine/Layers.hpp"
#include "engine/Keyboard.hpp"
#include "gui/GuiDemo.hpp"
#include "support/EngineFonts.hpp"
#include "support/FakeWindow.hpp"
#include "support/Golden.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

// The demo on a stand-in window, its frames run by a script.
class GuiDemoRun : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::loadEngineArt();
        Keyboard::buildKeyNameTable();
        auto clock = std::make_unique<FrameScript>(fake.window);
        script = clock.get();
        KVCore::setTimeSource(std::move(clock));
        KVCore::setFrameLimitInEffect(30);
        KVCore::startPoller();
    }

    test::FakeWindowScope fake;
    FrameScript* script = nullptr;
};

TEST_F(GuiDemoRun, HotKeysOpenEveryDialogAndEachResultIsReported)
{
    FrameScript& script = *this->script;

    script.press({Key::Return, Key::Pause, Key::F1, Key::Return, Key::F2, Key::Escape, Key::F3})
        .type("Mo")
        .press({Key::Return, Key::F4, Key::Escape, Key::F5, Key::Escape, Key::F6, Key::Escape, Key::F7,
                Key::Return, Key::F8, Key::Down, Key::Return, Key::F9, Key::Escape, Key::F10, Key::Escape, Key::F13,
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

// Every screen of the demo drawn into a picture of the window, frame by
// frame as a player would see it, against the pictures kept beside this test.
TEST_F(GuiDemoRun, EachDialogLooksAsStored)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1024, 768));
    KVCore::setCurrentTarget(&window);
    std::vector<std::pair<std::string, sf::Image>> pictures;
    const auto snap = [&](const std::string& name) {
        script->steps.push_back([&window, &pictures, name](test::FakeWindow&) {
            window.display();
            pictures.emplace_back(name, window.getTexture().copyToImage());
        });
    };
    const auto hover = [&](sf::Vector2i at) {
        script->steps.push_back([at](test::FakeWindow& w) { w.mouse = at; });
    };

    // The first frame comes before the first tick has laid anything out.
    hover({900, 700});
    snap("demo");
    script->press({Key::F1});
    snap("message");
    script->press({Key::Return, Key::F2});
    snap("confirm");
    script->press({Key::Escape, Key::F3}).type("Mo");
    snap("input-text");
    script->press({Key::Return, Key::F5});
    snap("open-file");
    script->press({Key::Escape, Key::F7});
    snap("colour");
    script->press({Key::Return, Key::F8, Key::Down});
    snap("popup-menu");
    script->press({Key::Escape, Key::F9});
    snap("display-mode");
    script->press({Key::Escape, Key::F10});
    snap("script-console");
    script->press({Key::Escape, Key::F13});
    snap("error-reading");
    script->press({Key::Return});
    hover({145, 478});
    snap("hover");
    script->press({Key::Escape});
    // The file selector shows its folder and the home folder by name.
    const test::TempFolder folder("kelvane-demo-files");
    for (const char* name : {"lawn.png", "Notes.bmp", "readme.txt", "maps/level1.map"})
        test::writeFile(folder.root() / name, "x");
    {
        const test::ScopedEnv home("HOME", folder.root().c_str());
        const test::ScopedWorkingDirectory inFolder{folder.root()};
        kv::runGuiDemo();
    }
    KVCore::setCurrentTarget(nullptr);

    EXPECT_TRUE(script->ranOut());
    const std::filesystem::path golden = test::goldenFolder("gui");
    ASSERT_EQ(pictures.size(), 11u);
    for (const auto& [name, picture] : pictures)
        EXPECT_TRUE(test::matchesGoldenPicture(picture, golden / ("demo-" + name + ".png"))) << name;
}

// The wrapped text below the list is for reading: a click on it shows no
// selection, as its own words say.
TEST_F(GuiDemoRun, AClickOnTheWrappedTextSelectsNothing)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1024, 768));
    KVCore::setCurrentTarget(&window);
    std::vector<sf::Image> pictures;
    const auto snap = [&] {
        script->steps.push_back([&window, &pictures](test::FakeWindow&) {
            window.display();
            pictures.push_back(window.getTexture().copyToImage());
        });
    };
    script->steps.push_back([](test::FakeWindow& w) { w.mouse = {600, 275}; });
    snap();
    script->steps.push_back([](test::FakeWindow& w) {
        w.mouseButton(sf::Mouse::Left, true);
        w.mouseButton(sf::Mouse::Left, false);
    });
    snap();
    script->press({Key::Escape});
    kv::runGuiDemo();
    KVCore::setCurrentTarget(nullptr);

    EXPECT_TRUE(script->ranOut());
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_TRUE(std::equal(pictures[0].getPixelsPtr(), pictures[0].getPixelsPtr() + 1024 * 768 * 4,
                           pictures[1].getPixelsPtr()));
}

// A display change lays the demo out again, just as if it had started at
// the new size: nothing of the old layout stays behind.
TEST_F(GuiDemoRun, AfterADisplayChangeTheDemoLooksAsIfStartedThere)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1280, 1024));
    KVCore::setCurrentTarget(&window);
    std::vector<sf::Image> pictures;
    const auto run = [&](bool startSmall) {
        fake.window.resize(startSmall ? 1024 : 1280, startSmall ? 768 : 1024);
        script->steps.clear();
        script->steps.push_back([](test::FakeWindow& w) { w.resize(1280, 1024); });
        script->steps.push_back([&window, &pictures](test::FakeWindow&) {
            window.display();
            pictures.push_back(window.getTexture().copyToImage());
        });
        script->press({Key::Escape});
        kv::runGuiDemo();
        EXPECT_TRUE(script->ranOut());
    };
    run(false);
    auto clock = std::make_unique<FrameScript>(fake.window);
    script = clock.get();
    KVCore::setTimeSource(std::move(clock));
    run(true);
    KVCore::setCurrentTarget(nullptr);

    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_TRUE(std::equal(pictures[0].getPixelsPtr(), pictures[0].getPixelsPtr() + 1280 * 1024 * 4,
                           pictures[1].getPixelsPtr()));
}

} // namespace
