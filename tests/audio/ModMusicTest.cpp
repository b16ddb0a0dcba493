// kv::ModMusic on modules the tests write: the PCM it renders, its renderer
// across seeks and the loaders chosen by extension.

#include "audio/AudioTestFiles.hpp"
#include "audio/ModMusic.hpp"
#include "support/TempFolder.hpp"

#include <SFML/System/Sleep.hpp>

#include <gtest/gtest.h>

namespace {

using namespace test::audio;

// The stream as the audio library drives it: blocks on request, seeks.
class ModMusicTest : public ::testing::Test, protected kv::ModMusic {
protected:
    bool open(const std::string& name, const std::string& bytes)
    {
        test::writeFile(tmp.root() / name, bytes);
        return kv::ModMusic::open(tmp.file(name));
    }
    // The loudness of the next 0.5 s block, on its louder channel.
    double nextBlockLevel()
    {
        Chunk chunk{nullptr, 0};
        EXPECT_TRUE(onGetData(chunk)) << "a module stream never ends";
        EXPECT_EQ(chunk.sampleCount, blockFrames * channels);
        return chunk.samples ? louderRms({chunk.samples, chunk.sampleCount}) : 0.0;
    }
    test::TempFolder tmp;
};

TEST_F(ModMusicTest, RendersTheNoteOfAWrittenModuleAndGoesOnPastTheSongsEnd)
{
    ASSERT_TRUE(open("tune.mod", modFile(64, 4000)));
    EXPECT_EQ(getChannelCount(), 2u);
    EXPECT_EQ(getSampleRate(), 44100u);
    setPlayingOffset(sf::Time::Zero);
    EXPECT_GT(nextBlockLevel(), 2000.0);

    // 13 rows last 1.56 s: the 0.12 s note sounds at 0, 1.56, 3.12 and 4.68 s,
    // in blocks 0, 3, 6 and 9, and nowhere else.
    ASSERT_TRUE(open("short.mod", modFile(13, 1000)));
    setPlayingOffset(sf::Time::Zero);
    for (int i = 0; i < 10; ++i) {
        const double level = nextBlockLevel();
        if (i % 3 == 0)
            EXPECT_GT(level, 500.0) << "block " << i;
        else
            EXPECT_EQ(level, 0.0) << "block " << i;
    }
}

TEST_F(ModMusicTest, EachSeekReplacesTheOneRenderer)
{
    const int before = liveRenderers();
    {
        test::writeFile(tmp.root() / "a.mod", modFile(4, 1000));
        ModMusic music;
        ASSERT_TRUE(music.open(tmp.file("a.mod")));
        EXPECT_EQ(liveRenderers(), before) << "opening alone starts no renderer";
        for (int s = 0; s < 5; ++s) {
            music.setPlayingOffset(sf::seconds(static_cast<float>(s)));
            EXPECT_EQ(liveRenderers(), before + 1);
        }
        music.setPlayingOffset(sf::seconds(30.f));
        EXPECT_EQ(music.rendererPosition(), 30L * 65536);
        music.play();
        ASSERT_TRUE(music.open(tmp.file("a.mod")));
        EXPECT_EQ(liveRenderers(), before) << "a new module drops the old renderer";
        EXPECT_EQ(music.getStatus(), sf::SoundSource::Stopped) << "and stops the song it was playing";
        music.setPlayingOffset(sf::Time::Zero);
    }
    EXPECT_EQ(liveRenderers(), before) << "the destructor ends the renderer";
}

// The stream thread asks for blocks until it is stopped; a module put away
// while it plays must stop it before its renderer goes.
TEST_F(ModMusicTest, AModulePutAwayWhilePlayingStopsItsStreamFirst)
{
    test::writeFile(tmp.root() / "busy.mod", modFile(64, 4000));
    const int before = liveRenderers();
    for (int i = 0; i < 40; ++i) {
        ModMusic music;
        ASSERT_TRUE(music.open(tmp.file("busy.mod")));
        music.play();
        sf::sleep(sf::milliseconds(i % 4));
    }
    EXPECT_EQ(liveRenderers(), before);
}

TEST_F(ModMusicTest, TheExtensionChoosesTheLoaderInAnyCase)
{
    ASSERT_TRUE(open("SONG.S3M", s3mFile()));
    setPlayingOffset(sf::Time::Zero);
    EXPECT_GT(nextBlockLevel(), 500.0);
    EXPECT_TRUE(open("TUNE.Mod", modFile(16, 1000)));

    // S3M bytes under an extension no loader takes; MOD bytes under ".s3m".
    for (const auto& [name, bytes] : {std::pair{"song.mo3", s3mFile()}, {"wrong.s3m", modFile(16, 1000)}}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(open(name, bytes)) << name;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "Failed to open module file: " + tmp.file(name) + "\n");
        EXPECT_FALSE(hasModule());
    }
    // Asked for data anyway, an empty stream gives silence, not old samples.
    setPlayingOffset(sf::Time::Zero);
    EXPECT_EQ(nextBlockLevel(), 0.0);
}

// Damaged music is met in mods every day: a module cut short either fails
// to open, leaving silence, or plays what is left; it never brings down the
// game, and in the sanitizer build nothing it leaves behind is ours.
TEST_F(ModMusicTest, AModuleCutShortFailsOrPlaysWhatIsLeft)
{
    for (const auto& [name, whole] : {std::pair{"cut.mod", modFile(64, 4000)}, {"cut.s3m", s3mFile()}}) {
        for (const std::size_t keep : {whole.size() / 2, whole.size() / 4, std::size_t{40}}) {
            testing::internal::CaptureStderr();
            const bool opened = open(name, whole.substr(0, keep));
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(hasModule(), opened) << name << " cut to " << keep;
            EXPECT_EQ(said, opened ? "" : "Failed to open module file: " + tmp.file(name) + "\n");
            setPlayingOffset(sf::Time::Zero);
            const double level = nextBlockLevel();
            if (!opened) {
                EXPECT_EQ(level, 0.0) << name << " cut to " << keep;
            }
        }
    }
}

} // namespace
