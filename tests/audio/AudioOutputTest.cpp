// The audio module against other OpenAL outputs, each in a child process
// (OpenAL picks its driver once per process): no device at all, and a device
// that writes what it hears to a WAV file for the test to read.  The
// AudioChild tests are the children's halves, run only from here.

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

// Runs AudioChild.DISABLED_<name> of this program with extra variables; the
// exit code, with standard error in `err`.
int runChild(const std::string& name, const std::string& variables, const test::TempFolder& scratch, std::string& err)
{
    const std::string command = "env -u ALSOFT_CONF " + variables + " KV_AUDIO_TEST_SCRATCH='" +
                                scratch.root().string() + "' timeout -s KILL 60 '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() +
                                "' --gtest_also_run_disabled_tests --gtest_filter=AudioChild.DISABLED_" + name +
                                " >/dev/null 2>'" + scratch.file("err") + "'";
    const int status = std::system(command.c_str());
    err = test::readFile(scratch.file("err"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The child's scratch folder; empty when not started by runChild.
std::filesystem::path scratch()
{
    const char* folder = std::getenv("KV_AUDIO_TEST_SCRATCH");
    return folder ? folder : "";
}

TEST(AudioWithoutDevice, GameAudioRunsSilentlyWithOneLineSayingSo)
{
    test::TempFolder tmp;
    std::string err;
    ASSERT_EQ(runChild("RunsWithoutADevice", "ALSOFT_DRIVERS=nosuchdriver", tmp, err), 0) << err;
    // Ours, then SFML's line for the broken file and our error naming it;
    // nothing from OpenAL, however many calls were made.
    EXPECT_EQ(err.rfind(soundOffLine + "\n", 0), 0u) << err;
    EXPECT_NE(err.find("\nError: Unable to load sample from "), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 3) << err;
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

// A tone at the listener through OpenAL's wave writer (44.1 kHz stereo).
TEST(AudioCapture, SoundIsHeardCentredAtTheListener)
{
    test::TempFolder tmp;
    const std::string wav = tmp.file("capture.wav"), conf = tmp.file("alsoft.conf");
    test::writeFile(conf, "[general]\nsample-type = int16\ndither = false\nfrequency = 44100\nchannels = stereo\n"
                          "[wave]\nfile = " + wav + "\n");
    std::string err;
    ASSERT_EQ(runChild("PlaysATone", "ALSOFT_DRIVERS=wave ALSOFT_CONF='" + conf + "'", tmp, err), 0) << err;
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile(wav) && file.getChannelCount() == 2 && file.getSampleRate() == 44100);
    std::vector<std::int16_t> c(static_cast<std::size_t>(file.getSampleCount()));
    c.resize(static_cast<std::size_t>(file.read(c.data(), c.size())));
    // The loudest 0.1 s: the tone at sound volume 70, equally on both sides.
    std::span<const std::int16_t> loudest;
    for (std::size_t at = 0; at + 8820 <= c.size(); at += 2204)
        if (const auto part = std::span(c).subspan(at, 8820); louderRms(part) > louderRms(loudest))
            loudest = part;
    EXPECT_GT(rms(loudest, 0), 2000.0);
    EXPECT_NEAR(rms(loudest, 0) / rms(loudest, 1), 1.0, 0.02);
}

TEST(AudioChild, DISABLED_PlaysATone)
{
    const std::filesystem::path dir = scratch();
    if (dir.empty())
        GTEST_SKIP() << "started only by AudioCapture";
    test::FakeWindowScope fake;
    test::writeFile(dir / "tone.wav", wavFile(sine(440, 0.4)));
    ASSERT_TRUE(Audio::init());
    ASSERT_TRUE(Audio::loadSample((dir / "tone.wav").string(), "tone"));
    KVCore::settings().soundVolume = 70;
    ASSERT_TRUE(Audio::playSound(Audio::getSampleId("tone"), Audio::listenerPosition(), false, "", -1.f));
    sf::sleep(sf::milliseconds(700));
    Audio::shutdown();
}

} // namespace
