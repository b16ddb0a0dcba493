// The shipped music as the game plays it: every piece the game names is in
// the data folder; each module, rendered exactly as the game's music stream
// renders it, plays over a minute before it repeats, never clips, never
// falls silent, and goes round into its loop again; the credits recording
// is long enough, clean and loops without a jump.

#include "audio/ModMusic.hpp"
#include "storage/IniFile.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <dumb.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path musicFolder = KV_RUN_FOLDER "/base/music";
constexpr int rate = 44100;

// Every music file game.ini names: the menu's, the credits' and each map's.
std::set<std::string> musicTheGameNames()
{
    IniFile ini;
    EXPECT_TRUE(ini.load(KV_RUN_FOLDER "/base/game.ini")) << ini.lastError;
    std::set<std::string> names;
    ini.selectSection("music");
    names.insert(ini.getString("MenuMusic"));
    names.insert(ini.getString("CreditsMusic"));
    ini.selectSection("info");
    const int maps = ini.getInt("MapsCount", 0);
    EXPECT_GT(maps, 0);
    for (int i = 0; i < maps; ++i) {
        ini.selectSection("map%d", i);
        names.insert(ini.getString("music"));
    }
    names.erase("");
    return names;
}

double rms(std::span<const std::int16_t> pcm)
{
    double sum = 0;
    for (std::int16_t v : pcm)
        sum += static_cast<double>(v) * v;
    return pcm.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(pcm.size()));
}

int peak(std::span<const std::int16_t> pcm)
{
    int loudest = 0;
    for (std::int16_t v : pcm)
        loudest = std::max(loudest, std::abs(static_cast<int>(v)));
    return loudest;
}

// Interleaved stereo: `seconds` of frames from `from` seconds in.
std::span<const std::int16_t> stretch(const std::vector<std::int16_t>& pcm, double from, double seconds)
{
    const auto first = static_cast<std::size_t>(from * rate) * 2;
    const auto count = static_cast<std::size_t>(seconds * rate) * 2;
    return std::span<const std::int16_t>(pcm).subspan(first, count);
}

// Where a module's song first goes round, and where the part it repeats
// begins, in seconds.  DUMB's loop callback fires at the moment the order
// list runs out and play goes back to the restart order; the first time
// that order began is where the repeating part starts.  The orders are
// watched every 10 ms of song time, rendered at a low rate to be quick.
struct SongShape {
    double end = 0;
    double loopStart = 0;
};

SongShape shapeOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    DUMBFILE* memory = dumbfile_open_memory(bytes.data(), static_cast<long>(bytes.size()));
    std::unique_ptr<DUH, void (*)(DUH*)> duh(memory ? dumb_read_xm(memory) : nullptr, unload_duh);
    if (memory)
        dumbfile_close(memory);
    if (!duh)
        return {};
    std::unique_ptr<DUH_SIGRENDERER, void (*)(DUH_SIGRENDERER*)> renderer(duh_start_sigrenderer(duh.get(), 0, 2, 0),
                                                                          duh_end_sigrenderer);
    DUMB_IT_SIGRENDERER* it = duh_get_it_sigrenderer(renderer.get());
    int wrapped = 0;
    const auto countWrap = [](void* count) {
        ++*static_cast<int*>(count);
        return 0;  // and play on
    };
    dumb_it_set_loop_callback(it, countWrap, &wrapped);

    constexpr int watchRate = 2000;
    std::vector<std::int16_t> scratch(2 * watchRate / 100);
    std::vector<std::pair<double, int>> orderStarts;
    // Ten minutes of song at most, so a song that never ends fails instead of hanging.
    for (int tick = 0; !wrapped && tick < 60000; ++tick) {
        const int order = dumb_it_sr_get_current_order(it);
        if (orderStarts.empty() || orderStarts.back().second != order)
            orderStarts.emplace_back(duh_sigrenderer_get_position(renderer.get()) / 65536.0, order);
        duh_render(renderer.get(), 16, 0, 1.0f, 65536.0f / watchRate, watchRate / 100, scratch.data());
    }
    if (!wrapped)
        return {};
    SongShape shape;
    shape.end = duh_sigrenderer_get_position(renderer.get()) / 65536.0;
    const int restart = dumb_it_sr_get_current_order(it);
    for (const auto& [time, order] : orderStarts)
        if (order == restart) {
            shape.loopStart = time;
            break;
        }
    return shape;
}

// How closely two stretches of sound agree once the second is slid (within
// 20 ms either way) to line up with the first: 1 is the same sound.
double bestLikeness(std::span<const std::int16_t> a, std::span<const std::int16_t> b, int slide)
{
    double best = -1;
    for (int shift = -slide; shift <= slide; ++shift) {
        double dot = 0, aa = 0, bb = 0;
        // Every fourth frame of the left channel is plenty to tell.
        for (std::size_t i = 2 * static_cast<std::size_t>(slide); i + 2 * slide < a.size(); i += 8) {
            const double x = a[i];
            const double y = b[static_cast<std::size_t>(static_cast<long>(i) + 2L * shift)];
            dot += x * y;
            aa += x * x;
            bb += y * y;
        }
        best = std::max(best, dot / std::sqrt(aa * bb + 1.0));
    }
    return best;
}

// The music stream as the game's audio library drives it: a seek to the
// start, then half-second blocks on request.
class GameMusicStream : public kv::ModMusic {
public:
    std::vector<std::int16_t> playFromStart(double seconds)
    {
        setPlayingOffset(sf::Time::Zero);
        std::vector<std::int16_t> pcm;
        while (pcm.size() < static_cast<std::size_t>(seconds * rate) * 2) {
            Chunk chunk{nullptr, 0};
            onGetData(chunk);
            pcm.insert(pcm.end(), chunk.samples, chunk.samples + chunk.sampleCount);
        }
        return pcm;
    }
};

TEST(MusicContentTest, EveryPieceTheGameNamesIsShipped)
{
    const std::set<std::string> names = musicTheGameNames();
    // The menu, four level pieces and the credits.
    EXPECT_EQ(names.size(), 6u);
    for (const std::string& name : names) {
        const fs::path file = musicFolder / name;
        ASSERT_TRUE(fs::exists(file)) << name;
        EXPECT_GT(fs::file_size(file), 10000u) << name;
    }
}

TEST(MusicContentTest, EachModulePlaysAMinuteBeforeItRepeatsAndGoesRoundCleanly)
{
    int modules = 0;
    for (const std::string& name : musicTheGameNames()) {
        if (fs::path(name).extension() != ".xm")
            continue;
        ++modules;
        SCOPED_TRACE(name);
        const fs::path file = musicFolder / name;
        const SongShape shape = shapeOf(file);
        ASSERT_GT(shape.end, 0.0) << "the song never goes round";
        EXPECT_GE(shape.end - shape.loopStart, 60.0) << "repeats after " << shape.end - shape.loopStart << " s";

        GameMusicStream stream;
        ASSERT_TRUE(stream.open(file.string()));
        const std::vector<std::int16_t> pcm = stream.playFromStart(shape.end + 5);

        // One full loop, with what rings on into the second time round.
        const auto loop = stretch(pcm, shape.loopStart, shape.end - shape.loopStart + 1);
        EXPECT_LT(peak(loop), 30000) << "leaves too little headroom before clipping";
        EXPECT_GT(rms(loop), 2500.0) << "too quiet to carry at the game's music volume";
        for (double at = 0; at + 1 <= shape.end + 4; at += 0.5)
            EXPECT_GT(rms(stretch(pcm, at, 1)), 700.0) << "falls silent at " << at << " s";

        // No jump in level where the song goes round...
        const double before = rms(stretch(pcm, shape.end - 1, 1));
        const double after = rms(stretch(pcm, shape.end, 1));
        EXPECT_LT(std::max(before, after) / std::min(before, after), 1.6) << before << " then " << after;
        // ...and what follows is the loop again, not the intro or silence:
        // a little way in, once the tails of the loop's end have died away,
        // it sounds as it did the first time.
        const double likeness = bestLikeness(stretch(pcm, shape.loopStart + 2, 1.5), stretch(pcm, shape.end + 2, 1.5),
                                             rate / 50);
        EXPECT_GT(likeness, 0.98);
    }
    EXPECT_EQ(modules, 5);
}

TEST(MusicContentTest, TheCreditsRecordingIsLongCleanAndLoopsWithoutAJump)
{
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile((musicFolder / "credits.ogg").string()));
    EXPECT_EQ(file.getSampleRate(), 44100u);
    ASSERT_EQ(file.getChannelCount(), 2u);
    EXPECT_GE(file.getDuration().asSeconds(), 60.0f);

    std::vector<std::int16_t> pcm(static_cast<std::size_t>(file.getSampleCount()));
    ASSERT_EQ(file.read(pcm.data(), pcm.size()), pcm.size());
    EXPECT_LT(peak(pcm), 32767) << "clips";
    EXPECT_GT(rms(pcm), 2500.0);

    // sf::Music plays the last frame, then the first: the step between them
    // is no bigger than the music's own steps just either side...
    const auto step = [&](std::size_t from, std::size_t to, int channel) {
        return std::abs(pcm[2 * to + channel] - pcm[2 * from + channel]);
    };
    const std::size_t frames = pcm.size() / 2;
    for (int channel : {0, 1}) {
        int around = 0;
        for (std::size_t i = 0; i + 1 < 256; ++i)
            around = std::max({around, step(i, i + 1, channel), step(frames - 2 - i, frames - 1 - i, channel)});
        EXPECT_LE(step(frames - 1, 0, channel), 2 * around + 64) << "channel " << channel;
    }
    // ...and the level carries straight on.
    const double end = rms(std::span<const std::int16_t>(pcm).last(2 * rate / 4));
    const double start = rms(std::span<const std::int16_t>(pcm).first(2 * rate / 4));
    EXPECT_LT(std::max(end, start) / std::min(end, start), 1.6) << end << " then " << start;
}

} // namespace
