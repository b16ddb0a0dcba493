// The Audio Panel run in its own loop over a stand-in window, with keys and
// drags fed pass by pass and OpenAL's null device for sound.
#include "audio/Audio.hpp"
#include "audio/AudioPanel.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/EventPoller.hpp"
#include "gui/Component.hpp"
#include "gui/FileSelector.hpp"
#include "gui/ModalDriver.hpp"
#include "support/EngineFonts.hpp"
#include "support/Golden.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using namespace test::audio;
using Key = sf::Keyboard::Key;
using Window = test::FakeWindow;
const char* const noMusic = "No music loaded, click \"Load Music File\" or press F3";

class AudioPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(test::loadEngineFonts());
        test::loadEngineArt();
        saved = KVCore::settings();
        KVCore::settings() = KVCore::EngineSettings{};
        ASSERT_TRUE(Audio::init());
        ASSERT_TRUE(Audio::soundEnabled()) << "needs an audio device; run with ALSOFT_DRIVERS=null";
    }
    void TearDown() override
    {
        Audio::shutdown();
        KVCore::settings() = saved;
    }

    // A module plays on for ever, so any offset can be reached.
    void startModule()
    {
        test::writeFile(tmp.file("tune.mod"), modFile(16, 1000));
        ASSERT_TRUE(Audio::playMusic(tmp.file("tune.mod"))) << Audio::lastError();
    }
    static double offset() { return Audio::musicPlayingOffset().asSeconds(); }
    // Runs the panel until "Done" (Return) ends it.
    void run(test::ModalDriver& driver)
    {
        driver.press(Key::Return);
        Audio::runAudioPanel();
        EXPECT_FALSE(driver.gaveUp) << "the panel never ended";
    }
    static test::ModalDriver::Step holdAt(sf::Vector2f point)
    {
        return [=](Window& w) {
            w.mouse = {static_cast<int>(point.x), static_cast<int>(point.y)};
            w.buttons.insert(sf::Mouse::Left);
        };
    }
    // The panel's corner, centred in the stand-in's 1024 by 768 view.
    const sf::Vector2f panel{197.f, 149.f};

    test::FakeWindowScope fake;
    test::TempFolder tmp;
    KVCore::EngineSettings saved;
};

TEST_F(AudioPanelTest, DisplayShowsTimeNameAndABlinkingPause)
{
    EXPECT_EQ(Audio::audioPanelTimeLine(), "-:-- ");
    EXPECT_EQ(Audio::audioPanelStatusLine(500), noMusic);
    startModule();
    Audio::setMusicPlayingOffset(sf::seconds(65.8f));
    EXPECT_EQ(Audio::audioPanelTimeLine(), "1:05 tune.mod") << "seconds are cut, not rounded";
    EXPECT_EQ(Audio::audioPanelStatusLine(0), "Playing");
    Audio::pauseResumeMusic();
    EXPECT_EQ(Audio::audioPanelTimeLine(), "-:-- tune.mod");
    const std::vector<std::string> blink = {Audio::audioPanelStatusLine(2499), Audio::audioPanelStatusLine(2500),
                                            Audio::audioPanelStatusLine(2999), Audio::audioPanelStatusLine(3000)};
    EXPECT_EQ(blink, (std::vector<std::string>{"", "Paused", "Paused", ""}));

    // The time is on the display itself: another minute, another picture.
    Audio::pauseResumeMusic();
    sf::RenderTexture screen;
    ASSERT_TRUE(screen.create(1024, 768));
    kv::setGuiTarget(&screen);
    KVCore::startPoller();
    const auto shown = [&](float seconds) {
        Audio::setMusicPlayingOffset(sf::seconds(seconds));
        // A tick lays the sliders out at today's volumes.
        fake.time.advance(0.05);
        KVCore::pollEvents();
        screen.clear(sf::Color::Black);
        Audio::updateAudioPanel();
        screen.display();
        return screen.getTexture().copyToImage();
    };
    const sf::Image oneMinute = shown(65.5f), twoMinutes = shown(125.5f), again = shown(65.5f);
    kv::setGuiTarget(nullptr);
    const auto same = [](const sf::Image& a, const sf::Image& b) {
        return std::equal(a.getPixelsPtr(), a.getPixelsPtr() + 4 * 1024 * 768, b.getPixelsPtr());
    };
    EXPECT_TRUE(same(oneMinute, again));
    EXPECT_FALSE(same(oneMinute, twoMinutes));
    EXPECT_TRUE(test::matchesGoldenPicture(oneMinute, test::goldenFolder("audio") /
                                                          "audio-panel.png"));
}

TEST_F(AudioPanelTest, TransportKeysSkipResumeRestartAndStop)
{
    startModule();
    double pausedAt = 0.0;
    test::ModalDriver driver(fake.window);
    driver.then([](Window&) { Audio::setMusicPlayingOffset(sf::seconds(3.f)); })
        .press(Key::Left)
        .then([](Window&) { EXPECT_EQ(Audio::audioPanelTimeLine(), "0:00 tune.mod"); })
        .press(Key::Right)
        .press(Key::P)
        .then([&](Window&) { pausedAt = offset(); })
        .press(Key::Space)
        .then([&](Window&) {
            EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
            EXPECT_NEAR(offset(), pausedAt, 0.5) << "resumed where it was";
            EXPECT_GE(offset(), 5.0);
        })
        .press(Key::Space)
        .then([](Window&) { EXPECT_LT(offset(), 1.0) << "playing music starts again"; })
        .press(Key::S);
    run(driver);
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(Audio::audioPanelTimeLine(), "-:-- ");
}

TEST_F(AudioPanelTest, SoundSliderPlaysTheTestSoundAtMostTwiceASecondMusicSliderNever)
{
    test::writeFile(tmp.file("voltest.wav"), wavFile(sine(440, 3.0)));
    ASSERT_TRUE(Audio::loadSample(tmp.file("voltest.wav"), "interface\\voltest"));
    Audio::setVolumeTestSampleId(Audio::getSampleId("interface\\voltest"));
    std::vector<int> playing;  // as each step begins
    auto dragTo = [&](float x, float y, double seconds) {
        return [&, x, y, seconds](Window& w) {
            playing.push_back(Audio::playingSoundCount());
            holdAt(panel + sf::Vector2f(x, y))(w);
            fake.time.advance(seconds);
        };
    };
    test::ModalDriver driver(fake.window);
    // Sixteenths of a second add up exactly; the last step is past the end.
    for (int step = 0; step < 18; ++step)
        driver.then(dragTo(step < 17 ? 60.f + 25.f * step : 700.f, 82.f, 0.0625));
    driver.then([](Window& w) { w.buttons.clear(); });
    for (int step = 0; step < 6; ++step)
        driver.then(dragTo(520.f - 76.f * step, 192.f, 0.625));
    run(driver);

    std::vector<int> expected{0};  // sounds at the start, after 0.5 s and after 1 s
    for (int step = 1; step < 24; ++step)
        expected.push_back(step <= 8 ? 1 : step <= 16 ? 2 : 3);
    EXPECT_EQ(playing, expected);
    EXPECT_EQ(KVCore::settings().soundVolume, 100);
    EXPECT_EQ(KVCore::settings().musicVolume, 20) << "120 px into the 590-px bar";
}

TEST_F(AudioPanelTest, DefaultsAskFirstThenSetAllThreeVolumes)
{
    KVCore::EngineSettings& s = KVCore::settings();
    s.globalVolume = 50, s.soundVolume = 40, s.musicVolume = 30;
    auto volumes = [&] { return std::vector<int>{s.globalVolume, s.soundVolume, s.musicVolume}; };
    test::ModalDriver driver(fake.window);
    driver.press(Key::D).press(Key::Escape).then([&](Window&) {
        EXPECT_EQ(volumes(), (std::vector<int>{50, 40, 30})) << "answered No";
    });
    driver.press(Key::D).press(Key::Return);
    run(driver);
    EXPECT_EQ(volumes(), (std::vector<int>{100, 70, 25}));
    const std::string ask = "Confirm: Are you sure that you want to set default sound and music volume levels?";
    EXPECT_EQ(driver.screens, (std::vector<std::string>{"Audio Panel", ask, "Audio Panel", ask, "Audio Panel"}));
}

TEST_F(AudioPanelTest, MusicFileSelectorStartsAtTheLastMusicAndPlaysTheChoice)
{
    const std::string song = tmp.file("music/song.mod");
    test::writeFile(song, modFile(16, 1000));
    KVCore::settings().musicLoadPath = song;
    kv::FileSelector selector;
    selector.create();
    Audio::prepareMusicFileSelector(selector);
    EXPECT_EQ(selector.filterLabel.getText(), "Showing: *.wav *.ogg *.it *.mod *.s3m *.xm");
    EXPECT_EQ(selector.folder(), tmp.file("music"));
    EXPECT_EQ(selector.fileNameBox.text, "song.mod");

    test::ModalDriver driver(fake.window);
    driver.press(Key::F3).press(Key::Escape).press(Key::F3).then([](Window&) {
        EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped) << "cancelled";
    });
    driver.press(Key::Return);  // Ok, with the name it started with
    run(driver);
    EXPECT_EQ(driver.screens.size(), 5u);
    EXPECT_EQ(driver.screens[1], "Select File");
    EXPECT_EQ(Audio::currentMusicPath(), song);
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);

    // On its own, the selector answers whether music was loaded.
    Audio::stopMusic();
    {
        test::ModalDriver cancelled(fake.window);
        cancelled.press(Key::Escape);
        EXPECT_FALSE(Audio::loadMusicFile());
    }
    test::ModalDriver chosen(fake.window);
    chosen.press(Key::Return);
    EXPECT_TRUE(Audio::loadMusicFile());
    EXPECT_EQ(Audio::currentMusicPath(), song);
}

TEST_F(AudioPanelTest, PanelIsCentredAgainWhenTheViewChangesSizeAndNeedsTheAudioModule)
{
    test::ModalDriver driver(fake.window);
    // The sound bar's far end in an 800 by 600 view; nothing is there in 1024 by 768.
    driver.idle(1).then([](Window& w) { w.resize(800, 600); }).then(holdAt({85.f + 20.f + 589.f, 65.f + 82.f}));
    driver.then([](Window& w) { w.buttons.clear(); });
    run(driver);
    EXPECT_GE(KVCore::settings().soundVolume, 99);

    Audio::shutdown();
    test::ModalDriver idle(fake.window, 20);
    Audio::runAudioPanel();
    EXPECT_FALSE(idle.gaveUp) << "returns at once, with nothing that could end it";
    EXPECT_TRUE(idle.screens.empty());
}

} // namespace
