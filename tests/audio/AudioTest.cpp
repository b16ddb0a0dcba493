#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Log.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Audio/Listener.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace test::audio;

// Against the real audio library; ctest gives it OpenAL's null device.
class AudioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
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

    std::string write(const std::string& relative, const std::string& bytes)
    {
        test::writeFile(tmp.root() / relative, bytes);
        return tmp.file(relative);
    }
    // A second of tone: still playing whenever a test looks.
    std::string writeTone(const std::string& relative) { return write(relative, wavFile(sine(440, 1.0))); }
    int loadTone(const std::string& name)
    {
        EXPECT_TRUE(Audio::loadSample(writeTone("tone.wav"), name)) << Audio::lastError();
        return Audio::getSampleId(name);
    }
    bool errorShown(const std::string& text)
    {
        const auto& lines = KVCore::consoleLines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const auto& l) { return l.text == text && l.colour == KVCore::errorColour; });
    }
    bool play(int id, bool loop = false, const std::string& tag = "") { return Audio::playSound(id, here, loop, tag, -1.f); }

    test::FakeWindowScope fake;
    test::TempFolder tmp;
    KVCore::EngineSettings saved;
    const sf::Vector2f here{512.f, 384.f};
};

TEST_F(AudioTest, NumberedFilesBecomeVariantsOfOneSample)
{
    for (const char* name : {"a1.wav", "a2.wav", "a.wav", "7.wav", "interface/Click2.WAV", "interface/click13.wav"})
        writeTone(std::string("sound/") + name);
    write("sound/readme.txt", std::string(200, 'x'));
    Audio::loadSampleFolder(tmp.file("sound"));

    EXPECT_TRUE(KVCore::consoleLines().empty());
    ASSERT_EQ(Audio::sampleCount(), 4);
    EXPECT_EQ(Audio::sampleName(0), "(no sound)");
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("a")), 3);
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("7")), 1) << "a lone digit stays";
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("interface\\click")), 2);
}

TEST_F(AudioTest, SmallAndBrokenFilesAreRefusedAndLoadingGoesOn)
{
    const std::string tiny = write("tiny.wav", wavFile(sine(440, 27.0 / 22050)) + '\0');
    const std::string edge = write("edge.wav", wavFile(sine(440, 28.0 / 22050)));
    const std::string junk = write("junk.wav", std::string(100, 'j'));
    ASSERT_EQ(test::readFile(tiny).size(), 99u);
    ASSERT_EQ(test::readFile(edge).size(), 100u);

    EXPECT_FALSE(Audio::loadSample(tiny, "tiny"));
    EXPECT_EQ(Audio::lastError(), "Unable to load sample from " + tiny + " (file is too small and probably corrupt)");
    EXPECT_EQ(Audio::getSampleId("tiny"), -1);
    EXPECT_TRUE(Audio::loadSample(edge, "edge")) << Audio::lastError();
    EXPECT_FALSE(Audio::loadSample(junk, "junk"));
    EXPECT_EQ(Audio::lastError(), "Unable to load sample from " + junk) << "100 bytes reach the decoder";

    // From a folder every failure is shown and the rest loads; a broken
    // variant leaves the good one.
    write("pack/b1.wav", std::string(300, 'j'));
    writeTone("pack/b2.wav");
    write("pack/c.wav", test::readFile(tiny));
    writeTone("pack/d.wav");
    Audio::loadSampleFolder(tmp.file("pack"));
    const std::string pack = tmp.file("pack") + "\\";
    EXPECT_TRUE(errorShown("Unable to load sample from " + pack + "b1.wav"));
    EXPECT_TRUE(errorShown("Unable to load sample from " + pack + "c.wav (file is too small and probably corrupt)"));
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("b")), 1);
    EXPECT_GE(Audio::getSampleId("d"), 1);
}

TEST_F(AudioTest, SampleNamesMatchWithoutCaseAndWithAnyExtension)
{
    EXPECT_EQ(Audio::getSampleId("interface\\voltest"), -1) << "empty table";
    const int volTest = loadTone("interface\\voltest");
    ASSERT_TRUE(Audio::loadSample(writeTone("blank.wav"), "blank"));
    ASSERT_EQ(Audio::sampleName(Audio::sampleCount() - 1), "blank");

    EXPECT_EQ(Audio::getSampleId("Interface\\VolTest.wav"), volTest);
    EXPECT_EQ(Audio::getSampleId("INTERFACE\\VOLTEST"), volTest);
    EXPECT_EQ(Audio::getSampleId("interface\\voltest.ogg"), volTest);
    EXPECT_EQ(Audio::getSampleId("interface\\voltes.t"), -1);
    EXPECT_EQ(Audio::getSampleId(""), -1);
    EXPECT_EQ(Audio::getSampleId("BLANK"), -1) << "silence even when a file has that name";
    for (int id : {-1, 0, Audio::sampleCount()})
        EXPECT_FALSE(play(id));
    EXPECT_EQ(Audio::playingSoundCount(), 0);
}

TEST_F(AudioTest, RefreshedLoopKeepsOneSlotAndStopsOnTheFourthTickWithout)
{
    const int engine = loadTone("engine");
    for (int tick = 0; tick < 10; ++tick) {
        ASSERT_TRUE(Audio::playSound(engine, here + sf::Vector2f(tick, 0.f), true, "Player_Moving", 50.f));
        Audio::pollSound();
        ASSERT_EQ(Audio::playingSoundCount(), 1) << "tick " << tick;
    }
    EXPECT_EQ(Audio::findPlayingSound("Player_Moving"), 0);
    EXPECT_EQ(Audio::findPlayingSound("player_moving"), -1) << "tags compare exactly";
    // One tick has passed since the last refresh.
    Audio::pollSound();
    Audio::pollSound();
    EXPECT_EQ(Audio::findPlayingSound("Player_Moving"), 0);
    Audio::pollSound();
    EXPECT_EQ(Audio::playingSoundCount(), 0);

    ASSERT_TRUE(play(engine, false, "once"));
    for (int tick = 0; tick < 8; ++tick)
        Audio::pollSound();
    EXPECT_EQ(Audio::findPlayingSound("once"), 0) << "sounds that do not loop are left alone";
}

TEST_F(AudioTest, UntaggedPlaysTakeTheirOwnSlotsUntilThePoolIsFull)
{
    const int tone = loadTone("tone");
    EXPECT_TRUE(play(tone));
    EXPECT_TRUE(play(tone));
    EXPECT_EQ(Audio::playingSoundCount(), 2);

    ASSERT_TRUE(play(tone, true, "hum"));
    for (int i = 3; i < Audio::soundPoolSize; ++i)
        ASSERT_TRUE(play(tone)) << "sound " << i + 1;
    EXPECT_FALSE(play(tone)) << "nothing is cut off for sound 65";
    EXPECT_FALSE(play(tone, true, "new tag"));
    EXPECT_TRUE(play(tone, true, "hum")) << "a refresh needs no free slot";
    EXPECT_EQ(Audio::playingSoundCount(), Audio::soundPoolSize);
}

TEST_F(AudioTest, LostFocusFadesOutInTwentySevenTicksAndBackByATenthOfTheGap)
{
    EXPECT_EQ(sf::Listener::getGlobalVolume(), 100.f);
    fake.window.focus = false;
    for (int tick = 1; tick <= 26; ++tick) {
        Audio::pollSound();
        ASSERT_GT(sf::Listener::getGlobalVolume(), 0.f) << "tick " << tick;
    }
    Audio::pollSound();
    EXPECT_EQ(sf::Listener::getGlobalVolume(), 0.f);

    fake.window.focus = true;
    Audio::pollSound();
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 10.f);
    Audio::pollSound();
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 19.f);
    // Muting off: the focus no longer matters and a new setting is approached.
    KVCore::settings().muteInactiveWindow = false;
    KVCore::settings().globalVolume = 29;
    fake.window.focus = false;
    Audio::pollSound();
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 20.f);
}

TEST_F(AudioTest, FileMusicIsNotRestartedAndResumesWhenPaused)
{
    const std::string path = tmp.file("song.OGG");
    {
        sf::OutputSoundFile ogg;
        ASSERT_TRUE(ogg.openFromFile(path, 22050, 1));
        const std::vector<std::int16_t> samples = sine(440, 3.0);
        ogg.write(samples.data(), samples.size());
    }
    ASSERT_TRUE(Audio::playMusic(path)) << Audio::lastError();
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(Audio::currentMusicName(), "song.OGG");
    EXPECT_EQ(KVCore::settings().musicLoadPath, path);

    sf::sleep(sf::milliseconds(300));
    const sf::Time playing = Audio::musicPlayingOffset();
    EXPECT_GT(playing, sf::milliseconds(150));
    ASSERT_TRUE(Audio::playMusic(tmp.file("SONG.ogg")));
    EXPECT_GE(Audio::musicPlayingOffset(), playing) << "not started again";
    EXPECT_EQ(Audio::currentMusicPath(), path);

    Audio::pauseResumeMusic();
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Paused);
    const sf::Time paused = Audio::musicPlayingOffset();
    sf::sleep(sf::milliseconds(200));
    ASSERT_TRUE(Audio::playMusic(path));
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
    EXPECT_NEAR(Audio::musicPlayingOffset().asSeconds(), paused.asSeconds(), 0.08) << "resumed where it stopped";

    Audio::restartMusic();
    EXPECT_LT(Audio::musicPlayingOffset(), sf::milliseconds(80));
    Audio::stopMusic();
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped);
    EXPECT_TRUE(Audio::currentMusicName().empty());
}

TEST_F(AudioTest, ModulesGoToTheModuleStreamAndOtherFilesAreRefused)
{
    ASSERT_TRUE(Audio::playMusic(write("tune.mod", modFile(16, 1000)))) << Audio::lastError();
    sf::sleep(sf::milliseconds(250));
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
    EXPECT_GT(Audio::musicPlayingOffset(), sf::milliseconds(100));

    // MOD bytes, but ".mp3" is no module extension.
    const std::string mp3 = write("song.mp3", modFile(16, 1000));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Audio::playMusic(mp3));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to open module file: " + mp3 + "\n");
    EXPECT_EQ(Audio::lastError(), "Unable to load module music from " + mp3);
    EXPECT_TRUE(errorShown(Audio::lastError()));
    EXPECT_TRUE(Audio::currentMusicPath().empty());
    Audio::restartMusic();
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped) << "an emptied stream is not played";

    const std::string wav = write("broken.WAV", std::string(300, 'j'));
    EXPECT_FALSE(Audio::playMusic(wav));
    EXPECT_EQ(Audio::lastError(), "Unable to load music from " + wav);

    EXPECT_FALSE(Audio::playMusicByName(""));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Audio::playMusicByName("missing.xm"));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(Audio::lastError(), "Unable to load module music from base\\music\\missing.xm");
}

} // namespace
