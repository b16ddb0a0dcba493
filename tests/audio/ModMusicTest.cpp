#include "audio/AudioTestFiles.hpp"
#include "audio/ModMusic.hpp"
#include "support/TempFolder.hpp"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace test::audio;

// The stream as the audio library drives it: blocks on request, seeks.
class DrivenModMusic : public kv::ModMusic {
public:
    std::vector<std::int16_t> nextBlock()
    {
        Chunk chunk{nullptr, 0};
        EXPECT_TRUE(onGetData(chunk)) << "a module stream never ends";
        EXPECT_EQ(chunk.sampleCount, blockFrames * channels);
        return chunk.samples ? std::vector<std::int16_t>(chunk.samples, chunk.samples + chunk.sampleCount)
                             : std::vector<std::int16_t>{};
    }
    double nextBlockLevel()
    {
        const std::vector<std::int16_t> block = nextBlock();
        return std::max(rms(block, 2, 0), rms(block, 2, 1));
    }
};

class ModMusicTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes)
    {
        test::writeFile(tmp.root() / name, bytes);
        return tmp.file(name);
    }
    test::TempFolder tmp;
};

TEST_F(ModMusicTest, RendersTheNoteOfAWrittenModuleAndGoesOnPastTheSongsEnd)
{
    DrivenModMusic music;
    ASSERT_TRUE(music.open(write("tune.mod", modFile(64, 4000))));
    EXPECT_EQ(music.getChannelCount(), 2u);
    EXPECT_EQ(music.getSampleRate(), 44100u);
    music.setPlayingOffset(sf::Time::Zero);
    const std::vector<std::int16_t> block = music.nextBlock();
    const auto first = std::span(block).first(2 * 8820);  // 0.2 s
    EXPECT_GT(std::max(rms(first, 2, 0), rms(first, 2, 1)), 2000.0);
    EXPECT_NEAR(pitch(first, 44100), 260.0, 15.0) << "period 428";

    // 13 rows last 1.56 s: the 0.12 s note sounds at 0, 1.56, 3.12 and
    // 4.68 s, in blocks 0, 3, 6 and 9, and nowhere else.
    ASSERT_TRUE(music.open(write("short.mod", modFile(13, 1000))));
    music.setPlayingOffset(sf::Time::Zero);
    for (int i = 0; i < 10; ++i) {
        const double level = music.nextBlockLevel();
        if (i % 3 == 0)
            EXPECT_GT(level, 500.0) << "block " << i;
        else
            EXPECT_EQ(level, 0.0) << "block " << i;
    }
}

TEST_F(ModMusicTest, EachSeekReplacesTheOneRenderer)
{
    const int before = kv::ModMusic::liveRenderers();
    {
        DrivenModMusic music;
        ASSERT_TRUE(music.open(write("tune.mod", modFile(4, 1000))));
        EXPECT_EQ(kv::ModMusic::liveRenderers(), before) << "opening alone starts no renderer";
        for (int s = 0; s < 5; ++s) {
            music.setPlayingOffset(sf::seconds(static_cast<float>(s)));
            EXPECT_EQ(kv::ModMusic::liveRenderers(), before + 1);
        }
        music.setPlayingOffset(sf::seconds(30.f));
        EXPECT_EQ(music.rendererPosition(), 30L * 65536);

        // Streamed by the library's thread: seeks while playing, then on past
        // the end of the 0.48 s song.
        music.setLoop(true);
        music.play();
        for (int i = 0; i < 5; ++i) {
            music.setPlayingOffset(sf::milliseconds(40 * i));
            EXPECT_EQ(kv::ModMusic::liveRenderers(), before + 1);
        }
        sf::sleep(sf::milliseconds(700));
        EXPECT_EQ(music.getStatus(), sf::SoundSource::Playing);
        EXPECT_GT(music.getPlayingOffset(), sf::milliseconds(600));

        ASSERT_TRUE(music.open(write("other.mod", modFile(4, 1000))));
        EXPECT_EQ(kv::ModMusic::liveRenderers(), before) << "a new module drops the old renderer";
        music.setPlayingOffset(sf::Time::Zero);
    }
    EXPECT_EQ(kv::ModMusic::liveRenderers(), before) << "the destructor ends the renderer";
}

TEST_F(ModMusicTest, TheExtensionChoosesTheLoaderInAnyCase)
{
    const std::string s3m = s3mFile();
    const std::string mod = modFile(16, 1000);
    DrivenModMusic music;
    ASSERT_TRUE(music.open(write("SONG.S3M", s3m)));
    music.setPlayingOffset(sf::Time::Zero);
    const std::vector<std::int16_t> block = music.nextBlock();
    EXPECT_NEAR(pitch(std::span(block).first(2 * 8820), 44100), 260.0, 15.0) << "C-4 at 8363 Hz";
    EXPECT_TRUE(music.open(write("TUNE.Mod", mod)));

    // S3M bytes under an extension no loader takes; MOD bytes under ".s3m".
    for (const std::string name : {"song.mo3", "wrong.s3m", "noextension"}) {
        const std::string path = write(name, name == "song.mo3" ? s3m : mod);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(music.open(path)) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to open module file: " + path + "\n");
        EXPECT_FALSE(music.hasModule());
    }
    // Asked for data anyway, an empty stream gives silence, not old samples.
    music.setPlayingOffset(sf::Time::Zero);
    EXPECT_EQ(music.nextBlockLevel(), 0.0);
}

} // namespace
