// The audio module against other OpenAL outputs, each in a child process
// (OpenAL picks its driver once per process): no device at all, and a
// device that writes what it hears to a WAV file for the test to read.
// The AudioChild tests are the children's halves, run only from here.

#include "audio/Audio.hpp"
#include "audio/AudioTestFiles.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Log.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Listener.hpp>
#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

namespace {

using namespace test::audio;

const std::string soundOffLine = "Sound is off: no audio device could be opened.";

struct ChildRun {
    int exitCode = -1;  // 137 when killed after a minute
    std::string out;
    std::string err;
};

// Runs AudioChild.DISABLED_<name> of this program with extra variables.
ChildRun runChild(const std::string& name, const std::string& variables, const std::filesystem::path& scratch)
{
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const std::string command = "env -u ALSOFT_CONF " + variables + " KV_AUDIO_TEST_SCRATCH='" + scratch.string() +
                                "' timeout -s KILL 60 '" + self + "' --gtest_also_run_disabled_tests" +
                                " --gtest_filter=AudioChild.DISABLED_" + name + " >'" + (scratch / "out").string() +
                                "' 2>'" + (scratch / "err").string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::readFile(scratch / "out"), test::readFile(scratch / "err")};
}

// The child's scratch folder; nothing when not started by runChild.
std::filesystem::path scratch()
{
    const char* folder = std::getenv("KV_AUDIO_TEST_SCRATCH");
    return folder ? folder : "";
}

TEST(AudioWithoutDevice, GameAudioRunsSilentlyWithOneLineSayingSo)
{
    test::TempFolder tmp;
    const ChildRun run = runChild("RunsWithoutADevice", "ALSOFT_DRIVERS=nosuchdriver", tmp.root());
    ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
    // Ours, then SFML's line for the broken file; nothing from OpenAL,
    // however many calls were made.
    EXPECT_EQ(run.err.rfind(soundOffLine + "\n", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
}

TEST(AudioChild, DISABLED_RunsWithoutADevice)
{
    const std::filesystem::path dir = scratch();
    if (dir.empty())
        GTEST_SKIP() << "started only by AudioWithoutDevice";
    test::FakeWindowScope fake;
    test::writeFile(dir / "sound/a1.wav", wavFile(sine(440, 0.2)));
    test::writeFile(dir / "sound/a2.wav", wavFile(sine(440, 0.2)));
    test::writeFile(dir / "sound/junk.wav", std::string(300, 'j'));
    test::writeFile(dir / "tune.mod", modFile(16, 1000));

    ASSERT_TRUE(Audio::init());
    EXPECT_FALSE(Audio::soundEnabled());
    ASSERT_EQ(KVCore::consoleLines().size(), 1u);
    EXPECT_EQ(KVCore::consoleLines()[0].text, soundOffLine);

    // Samples are still checked and named, so the game finds its ids.
    Audio::loadSampleFolder((dir / "sound").string());
    const int a = Audio::getSampleId("a");
    EXPECT_EQ(Audio::sampleVariantCount(a), 2);
    EXPECT_EQ(Audio::getSampleId("junk"), -1);
    EXPECT_EQ(KVCore::consoleLines().size(), 2u) << "the broken file is reported";

    EXPECT_FALSE(Audio::playMusic((dir / "tune.mod").string()));
    Audio::pauseResumeMusic();
    Audio::restartMusic();
    Audio::setMusicPlayingOffset(sf::seconds(5.f));
    for (int tick = 0; tick < 300; ++tick) {
        ASSERT_FALSE(Audio::playSound(a, Audio::listenerPosition(), true, "Player_Idle", -1.f));
        Audio::pollSound();
    }
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(KVCore::consoleLines().size(), 2u) << "no message per tick";
    fake.window.focus = false;
    Audio::pollSound();
    EXPECT_LT(sf::Listener::getGlobalVolume(), 100.f) << "the focus fade needs no device";
    Audio::shutdown();
}

// Runs a child with OpenAL's wave writer as its device: 44.1 kHz stereo.
std::vector<std::int16_t> captured(const std::string& name, const test::TempFolder& tmp)
{
    const std::filesystem::path wav = tmp.root() / "capture.wav";
    const std::filesystem::path conf = tmp.root() / "alsoft.conf";
    test::writeFile(conf, "[general]\nsample-type = int16\ndither = false\nfrequency = 44100\nchannels = stereo\n"
                          "[wave]\nfile = " + wav.string() + "\n");
    const ChildRun run = runChild(name, "ALSOFT_DRIVERS=wave ALSOFT_CONF='" + conf.string() + "'", tmp.root());
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    sf::InputSoundFile file;
    if (!file.openFromFile(wav.string()) || file.getChannelCount() != 2 || file.getSampleRate() != 44100) {
        ADD_FAILURE() << "no 44.1 kHz stereo capture";
        return {};
    }
    std::vector<std::int16_t> samples(static_cast<std::size_t>(file.getSampleCount()));
    samples.resize(static_cast<std::size_t>(file.read(samples.data(), samples.size())));
    return samples;
}

// The frames where sound starts after silence, judged on windows of frames.
std::vector<std::size_t> soundStarts(const std::vector<std::int16_t>& stereo, std::size_t window, double level)
{
    std::vector<std::size_t> starts;
    bool sounding = false;
    for (std::size_t f = 0; (f + window) * 2 <= stereo.size(); f += window / 4) {
        const auto part = std::span(stereo).subspan(f * 2, window * 2);
        const bool loud = rms(part, 2, 0) + rms(part, 2, 1) > level;
        if (loud && !sounding)
            starts.push_back(f);
        sounding = loud;
    }
    return starts;
}

TEST(AudioCapture, SoundsAreHeardAtTheirVolumeAndPlace)
{
    test::TempFolder tmp;
    const std::vector<std::int16_t> c = captured("PlaysThreeTones", tmp);
    const std::vector<std::size_t> tones = soundStarts(c, 2205, 300.0);
    ASSERT_EQ(tones.size(), 3u);
    ASSERT_LT((tones[2] + 13230) * 2, c.size());
    // 0.2 s from 0.1 s into each tone.
    auto level = [&](int tone, unsigned channel) {
        return rms(std::span(c).subspan((tones[static_cast<std::size_t>(tone)] + 4410) * 2, 17640), 2, channel);
    };
    // At the listener: centred, at the sound volume of 70 and then of 35.
    EXPECT_GT(level(0, 0), 2000.0);
    EXPECT_NEAR(level(0, 0) / level(0, 1), 1.0, 0.02);
    EXPECT_NEAR(pitch(std::span(c).subspan((tones[0] + 4410) * 2, 17640), 44100), 440.0, 10.0);
    EXPECT_NEAR(level(1, 0) / level(0, 0), 0.5, 0.03);
    EXPECT_NEAR(level(1, 1) / level(0, 1), 0.5, 0.03);
    // 200 units to the listener's left: quieter, and on the left.
    EXPECT_LT(level(2, 0), level(0, 0) * 0.8);
    EXPECT_GT(level(2, 0), level(2, 1) * 2.0);
}

TEST(AudioChild, DISABLED_PlaysThreeTones)
{
    const std::filesystem::path dir = scratch();
    if (dir.empty())
        GTEST_SKIP() << "started only by AudioCapture";
    test::FakeWindowScope fake;
    test::writeFile(dir / "tone.wav", wavFile(sine(440, 0.4)));
    ASSERT_TRUE(Audio::init());
    ASSERT_TRUE(Audio::loadSample((dir / "tone.wav").string(), "tone"));
    const int tone = Audio::getSampleId("tone");
    const sf::Vector2f centre = Audio::listenerPosition();
    for (const auto& [volume, offset] : {std::pair{70, 0.f}, std::pair{35, 0.f}, std::pair{70, -200.f}}) {
        KVCore::settings().soundVolume = volume;
        ASSERT_TRUE(Audio::playSound(tone, centre + sf::Vector2f(offset, 0.f), false, "", -1.f));
        sf::sleep(sf::milliseconds(700));
    }
    Audio::shutdown();
}

TEST(AudioCapture, ModuleMusicIsHeardAndPlaysOnPastTheSongsEnd)
{
    test::TempFolder tmp;
    const std::vector<std::int16_t> c = captured("PlaysModuleMusic", tmp);
    // A 0.48 s song whose 0.12 s note starts each pass.
    const std::vector<std::size_t> notes = soundStarts(c, 882, 75.0);
    ASSERT_GE(notes.size(), 3u) << "the song must be heard again after it ends";
    for (std::size_t i = 1; i < notes.size(); ++i)
        EXPECT_NEAR(static_cast<double>(notes[i] - notes[i - 1]) / 44100, 0.48, 0.03);
    EXPECT_NEAR(pitch(std::span(c).subspan((notes[0] + 882) * 2, 4410), 44100), 260.0, 20.0);
}

TEST(AudioChild, DISABLED_PlaysModuleMusic)
{
    const std::filesystem::path dir = scratch();
    if (dir.empty())
        GTEST_SKIP() << "started only by AudioCapture";
    test::FakeWindowScope fake;
    test::writeFile(dir / "loop.mod", modFile(4, 1000));
    ASSERT_TRUE(Audio::init());
    ASSERT_TRUE(Audio::playMusic((dir / "loop.mod").string())) << Audio::lastError();
    sf::sleep(sf::milliseconds(1700));
    EXPECT_EQ(Audio::musicStatus(), sf::SoundSource::Playing);
    Audio::shutdown();
}

} // namespace
