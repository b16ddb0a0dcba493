// The audio module against the real audio library; ctest gives it OpenAL's
// null device.

#include "audio/Audio.hpp"
#include "audio/ModMusic.hpp"
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

TEST_F(AudioTest, FolderFilesBecomeNamedSamplesAndBrokenOnesAreReported)
{
    for (const char* name : {"a1.wav", "a0.wav", "a.wav", "7.wav", "interface/Click2.WAV", "interface/click19.wav",
                             "interface/VolTest.wav", "b2.wav", "blank.wav"})
        writeTone(std::string("sound/") + name);
    write("sound/readme.txt", std::string(200, 'x'));
    write("sound/b1.wav", std::string(100, 'j'));  // 100 bytes reach the decoder
    write("sound/c.wav", wavFile(sine(440, 27.0 / 22050)) + '\0');
    write("sound/e.wav", wavFile(sine(440, 28.0 / 22050)));
    ASSERT_EQ(test::readFile(tmp.file("sound/c.wav")).size(), 99u);
    ASSERT_EQ(test::readFile(tmp.file("sound/e.wav")).size(), 100u);
    Audio::loadSampleFolder(tmp.file("sound"));

    const std::string folder = tmp.file("sound") + "\\";
    EXPECT_EQ(KVCore::consoleLines().size(), 2u);
    EXPECT_TRUE(errorShown("Unable to load sample from " + folder + "b1.wav"));
    EXPECT_TRUE(errorShown("Unable to load sample from " + folder + "c.wav (file is too small and probably corrupt)"));
    ASSERT_EQ(Audio::sampleCount(), 8);
    EXPECT_EQ(Audio::sampleName(0), "(no sound)");
    EXPECT_EQ(Audio::sampleName(8), "") << "one past the last sample is none";
    EXPECT_EQ(Audio::sampleVariantCount(8), 0);
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("a")), 3);
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("7")), 1) << "a lone digit stays";
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("interface\\click")), 2);
    EXPECT_EQ(Audio::sampleVariantCount(Audio::getSampleId("b")), 1) << "the broken variant leaves the good one";
    EXPECT_EQ(Audio::getSampleId("c"), -1);
    EXPECT_GE(Audio::getSampleId("e"), 1);

    // Names match without case and with any extension; "blank" is silence.
    const int volTest = Audio::getSampleId("interface\\voltest");
    ASSERT_GE(volTest, 1);
    EXPECT_EQ(Audio::getSampleId("Interface\\VolTest.wav"), volTest);
    EXPECT_EQ(Audio::getSampleId("INTERFACE\\VOLTEST.ogg"), volTest);
    EXPECT_EQ(Audio::getSampleId("interface\\voltes.t"), -1);
    EXPECT_EQ(Audio::getSampleId(""), -1);
    EXPECT_EQ(Audio::getSampleId("BLANK"), -1) << "even when a file has that name";
    for (int id : {-1, 0, Audio::sampleCount()})
        EXPECT_FALSE(play(id));
    EXPECT_EQ(Audio::playingSoundCount(), 0);

    // Started again, the module has no error of an earlier start to report.
    ASSERT_FALSE(Audio::lastError().empty());
    Audio::shutdown();
    ASSERT_TRUE(Audio::init());
    EXPECT_EQ(Audio::lastError(), "");
}

TEST_F(AudioTest, SoundPoolSlotsAndTheLoopKeepAlive)
{
    ASSERT_TRUE(Audio::loadSample(writeTone("engine.wav"), "engine")) << Audio::lastError();
    const int engine = Audio::getSampleId("engine");
    for (int tick = 0; tick < 10; ++tick) {
        ASSERT_TRUE(Audio::playSound(engine, here + sf::Vector2f(tick, 0.f), true, "Player_Moving", 50.f));
        Audio::pollSound();
        ASSERT_EQ(Audio::playingSoundCount(), 1) << "tick " << tick;
    }
    EXPECT_EQ(Audio::findPlayingSound("player_moving"), -1) << "tags compare exactly";
    Audio::pollSound();
    Audio::pollSound();
    EXPECT_EQ(Audio::findPlayingSound("Player_Moving"), 0) << "three ticks without a refresh";
    Audio::pollSound();
    EXPECT_EQ(Audio::playingSoundCount(), 0);

    // Each refresh moves the sound and takes today's settings.
    ASSERT_TRUE(Audio::playSound(engine, here, true, "Player_Moving", 50.f));
    KVCore::settings().soundAttenuation = 0.25f;
    ASSERT_TRUE(Audio::playSound(engine, {40.f, 30.f}, true, "Player_Moving", 80.f));
    const sf::Sound* moving = Audio::soundInSlot(Audio::findPlayingSound("Player_Moving"));
    ASSERT_NE(moving, nullptr);
    EXPECT_EQ(moving->getPosition(), sf::Vector3f(40.f, 30.f, 0.f));
    EXPECT_EQ(std::make_pair(moving->getAttenuation(), moving->getMinDistance()), std::make_pair(0.25f, 80.f));
    EXPECT_EQ(Audio::soundInSlot(Audio::soundPoolSize), nullptr);
    for (int tick = 0; tick < 4; ++tick)
        Audio::pollSound();
    ASSERT_EQ(Audio::playingSoundCount(), 0);

    // A new sound starts where it is played, with today's settings too.
    KVCore::settings().soundAttenuation = 0.5f;
    ASSERT_TRUE(Audio::playSound(engine, {70.f, 20.f}, true, "fresh", 30.f));
    const sf::Sound* fresh = Audio::soundInSlot(Audio::findPlayingSound("fresh"));
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->getPosition(), sf::Vector3f(70.f, 20.f, 0.f));
    EXPECT_EQ(std::make_pair(fresh->getAttenuation(), fresh->getMinDistance()), std::make_pair(0.5f, 30.f));
    for (int tick = 0; tick < 4; ++tick)
        Audio::pollSound();
    ASSERT_EQ(Audio::playingSoundCount(), 0);

    // Untagged plays take slots of their own, until the pool is full.
    ASSERT_TRUE(play(engine, false, "once"));
    EXPECT_TRUE(play(engine));
    EXPECT_TRUE(play(engine));
    EXPECT_EQ(Audio::playingSoundCount(), 3);
    for (int tick = 0; tick < 8; ++tick)
        Audio::pollSound();
    EXPECT_EQ(Audio::findPlayingSound("once"), 0) << "sounds that do not loop are left alone";
    ASSERT_TRUE(play(engine, true, "hum"));
    for (int i = 4; i < Audio::soundPoolSize; ++i)
        ASSERT_TRUE(play(engine)) << "sound " << i + 1;
    EXPECT_FALSE(play(engine)) << "nothing is cut off for sound 65";
    EXPECT_FALSE(play(engine, true, "new tag"));
    EXPECT_TRUE(play(engine, true, "hum")) << "a refresh needs no free slot";
    EXPECT_EQ(Audio::playingSoundCount(), Audio::soundPoolSize);
}

// Each sound loaded gets a slot of its own, and plays there when it is
// free; a second one at once takes a slot that holds no sound, and the
// pool fills up before any sound leaves its own.  Giving a slot another
// sound allocates, which play must not do.
TEST_F(AudioTest, EachSoundPlaysFromASlotOfItsOwn)
{
    for (const char* name : {"a", "b", "c"})
        ASSERT_TRUE(Audio::loadSample(writeTone(std::string(name) + ".wav"), name)) << Audio::lastError();
    const int a = Audio::getSampleId("a"), b = Audio::getSampleId("b"), c = Audio::getSampleId("c");
    for (int slot = 0; slot < 4; ++slot)
        EXPECT_EQ(Audio::soundInSlot(slot)->getStatus(), sf::Sound::Stopped);
    ASSERT_TRUE(Audio::playSound(c, here, true, "c", 1.f));
    ASSERT_TRUE(Audio::playSound(b, here, true, "b", 1.f));
    EXPECT_EQ(Audio::findPlayingSound("c"), 2);
    EXPECT_EQ(Audio::findPlayingSound("b"), 1);
    ASSERT_TRUE(Audio::playSound(b, here, true, "b twice", 1.f));
    EXPECT_EQ(Audio::findPlayingSound("b twice"), 3) << "not a's slot";
    for (int tick = 0; tick < 4; ++tick)
        Audio::pollSound();
    ASSERT_EQ(Audio::playingSoundCount(), 0);

    ASSERT_TRUE(Audio::playSound(a, here, true, "a", 1.f));
    EXPECT_EQ(Audio::findPlayingSound("a"), 0);
    EXPECT_EQ(Audio::soundInSlot(1)->getBuffer(), Audio::soundInSlot(3)->getBuffer());
    // With its own slot and every empty one playing, a sound takes any
    // free slot.
    for (int i = 0; i < Audio::soundPoolSize - 3; ++i)
        ASSERT_TRUE(Audio::playSound(c, here, true, "c " + std::to_string(i), 1.f)) << i;
    ASSERT_TRUE(Audio::playSound(a, here, true, "a again", 1.f));
    EXPECT_EQ(Audio::findPlayingSound("a again"), 1);
}

// Each tick brings every sound and the music to the volumes set, held to
// 0..100 whatever a settings file says.
TEST_F(AudioTest, SoundsAndMusicTakeTheirVolumesEachTick)
{
    ASSERT_TRUE(Audio::loadSample(writeTone("engine.wav"), "engine")) << Audio::lastError();
    ASSERT_TRUE(play(Audio::getSampleId("engine"), true, "hum"));
    const sf::Sound* hum = Audio::soundInSlot(Audio::findPlayingSound("hum"));
    ASSERT_NE(hum, nullptr);
    const std::vector<std::pair<int, float>> volumes{{40, 40.f}, {150, 100.f}, {-5, 0.f}, {0, 0.f}, {100, 100.f}};
    for (const auto& [set, heard] : volumes) {
        KVCore::settings().soundVolume = set;
        KVCore::settings().musicVolume = 100 - set;
        ASSERT_TRUE(play(Audio::getSampleId("engine"), true, "hum"));
        Audio::pollSound();
        EXPECT_NEAR(hum->getVolume(), heard, 0.01) << set;
        EXPECT_NEAR(Audio::musicVolume(), std::clamp(100.f - static_cast<float>(set), 0.f, 100.f), 0.01) << set;
    }
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
    // Muting off: the focus no longer matters and a new setting is approached.
    KVCore::settings().muteInactiveWindow = false;
    KVCore::settings().globalVolume = 20;
    fake.window.focus = false;
    Audio::pollSound();
    EXPECT_FLOAT_EQ(sf::Listener::getGlobalVolume(), 11.f);
}

TEST_F(AudioTest, MusicIsNotRestartedResumesWhenPausedAndPlaysModules)
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

    // Modules go to the module stream; other files are refused.
    ASSERT_TRUE(Audio::playMusic(write("tune.mod", modFile(16, 1000)))) << Audio::lastError();
    EXPECT_EQ(KVCore::lastLogLine().substr(10), "Playing music from " + tmp.file("tune.mod"));
    sf::sleep(sf::milliseconds(250));
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
    EXPECT_GT(Audio::musicPlayingOffset(), sf::milliseconds(100));
    EXPECT_EQ(kv::ModMusic::liveRenderers(), 1) << "the module renders its song, not silence";

    // MOD bytes, but ".mp3" is no module extension.
    const std::string mp3 = write("song.mp3", modFile(16, 1000));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Audio::playMusic(mp3));
    EXPECT_FALSE(Audio::playMusicByName("missing.xm"));
    EXPECT_FALSE(Audio::playMusicByName(""));
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(errorShown("Unable to load module music from " + mp3));
    EXPECT_EQ(Audio::lastError(), "Unable to load module music from base\\music\\missing.xm");
    EXPECT_TRUE(Audio::currentMusicPath().empty());
    Audio::restartMusic();
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped) << "an emptied stream is not played";

    ASSERT_TRUE(Audio::playMusic(path));
    Audio::shutdown();
    EXPECT_TRUE(Audio::currentMusicPath().empty()) << "no music is current once the audio module is down";
    EXPECT_TRUE(Audio::currentMusicName().empty());
    ASSERT_TRUE(Audio::init());

    const std::string wav = write("broken.WAV", std::string(300, 'j'));
    EXPECT_FALSE(Audio::playMusic(wav));
    EXPECT_EQ(Audio::lastError(), "Unable to load music from " + wav);
    EXPECT_TRUE(errorShown(Audio::lastError()));
}

} // namespace
