// The shipped music as the game plays it: every piece the game names is in
// the data folder; each module, rendered exactly as the game's music stream
// renders it, plays over a minute before it repeats, never clips, never
// falls silent, and goes round into its loop again; the credits recording
// is long enough, clean and loops without a jump.  And it all sounds like
// music: in tune, in a key and without notes rubbing, with bass, middle and
// treble spread across the stereo field, the level pieces upbeat at tempos of
// their own and driven by a steady beat, and sections that vary rather than
// one phrase going round.

#include "audio/ModMusic.hpp"
#include "support/BuildPaths.hpp"
#include "storage/IniFile.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <dumb.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <numbers>
#include <set>
#include <span>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path musicFolder = test::built::runFolder() + "/base/music";
constexpr int rate = 44100;

using Pcm = std::vector<std::int16_t>;  // interleaved stereo
using Stretch = std::span<const std::int16_t>;

// Every music file game.ini names: the menu's, the credits' and each map's.
struct NamedMusic {
    std::set<std::string> all;
    std::set<std::string> levels;
};

NamedMusic musicTheGameNames()
{
    IniFile ini;
    EXPECT_TRUE(ini.load(test::built::runFolder() + "/base/game.ini")) << ini.lastError;
    NamedMusic named;
    ini.selectSection("music");
    named.all.insert(ini.getString("MenuMusic"));
    named.all.insert(ini.getString("CreditsMusic"));
    ini.selectSection("info");
    const int maps = ini.getInt("MapsCount", 0);
    EXPECT_GT(maps, 0);
    for (int i = 0; i < maps; ++i) {
        ini.selectSection("map%d", i);
        named.levels.insert(ini.getString("music"));
    }
    named.levels.erase("");
    named.all.insert(named.levels.begin(), named.levels.end());
    named.all.erase("");
    return named;
}

std::vector<std::string> modulesTheGameNames()
{
    std::vector<std::string> modules;
    for (const std::string& name : musicTheGameNames().all)
        if (fs::path(name).extension() == ".xm")
            modules.push_back(name);
    return modules;
}

double rms(Stretch pcm)
{
    double sum = 0;
    for (std::int16_t v : pcm)
        sum += static_cast<double>(v) * v;
    return pcm.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(pcm.size()));
}

int peak(Stretch pcm)
{
    int loudest = 0;
    for (std::int16_t v : pcm)
        loudest = std::max(loudest, std::abs(static_cast<int>(v)));
    return loudest;
}

// `seconds` of frames from `from` seconds in.
Stretch stretch(const Pcm& pcm, double from, double seconds)
{
    const auto first = static_cast<std::size_t>(from * rate) * 2;
    const auto count = static_cast<std::size_t>(seconds * rate) * 2;
    return Stretch(pcm).subspan(first, count);
}

// Where a module's song first goes round, and where the part it repeats
// begins, in seconds, and how long its rows last.  DUMB's loop callback
// fires at the moment the order list runs out and play goes back to the
// restart order; the first time that order began is where the repeating
// part starts.  The orders are watched every 10 ms of song time, rendered
// at a low rate to be quick.
struct SongShape {
    double end = 0;
    double loopStart = 0;
    double rowSeconds = 0;
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

    SongShape shape;
    // A tick lasts 2.5 / tempo seconds.
    shape.rowSeconds = dumb_it_sr_get_speed(it) * 2.5 / dumb_it_sr_get_tempo(it);
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
    shape.end = duh_sigrenderer_get_position(renderer.get()) / 65536.0;
    const int restart = dumb_it_sr_get_current_order(it);
    for (const auto& [time, order] : orderStarts)
        if (order == restart) {
            shape.loopStart = time;
            break;
        }
    return shape;
}

// The music stream as the game's audio library drives it: a seek to the
// start, then half-second blocks on request.
class GameMusicStream : public kv::ModMusic {
public:
    Pcm playFromStart(double seconds)
    {
        setPlayingOffset(sf::Time::Zero);
        Pcm pcm;
        while (pcm.size() < static_cast<std::size_t>(seconds * rate) * 2) {
            Chunk chunk{nullptr, 0};
            onGetData(chunk);
            pcm.insert(pcm.end(), chunk.samples, chunk.samples + chunk.sampleCount);
        }
        return pcm;
    }
};

struct PlayedModule {
    bool opened = false;
    SongShape shape;
    Pcm pcm;  // from the start to five seconds past the first time round

    double loopSeconds() const { return shape.end - shape.loopStart; }
    // One full time round the loop.
    Stretch loop() const { return stretch(pcm, shape.loopStart, loopSeconds()); }
};

// Each module is played once for the whole suite.
const PlayedModule& played(const std::string& name)
{
    static std::map<std::string, PlayedModule> cache;
    auto [entry, fresh] = cache.try_emplace(name);
    PlayedModule& module = entry->second;
    if (fresh) {
        const fs::path file = musicFolder / name;
        module.shape = shapeOf(file);
        GameMusicStream stream;
        module.opened = stream.open(file.string()) && module.shape.end > 0;
        if (module.opened)
            module.pcm = stream.playFromStart(module.shape.end + 5);
    }
    return module;
}

// The credits as sf::Music reads them.
struct Recording {
    bool opened = false;
    unsigned sampleRate = 0;
    unsigned channels = 0;
    Pcm pcm;
};

const Recording& credits()
{
    static const Recording recording = [] {
        Recording r;
        sf::InputSoundFile file;
        r.opened = file.openFromFile((musicFolder / "credits.ogg").string());
        if (r.opened) {
            r.sampleRate = file.getSampleRate();
            r.channels = file.getChannelCount();
            r.pcm.resize(static_cast<std::size_t>(file.getSampleCount()));
            r.pcm.resize(static_cast<std::size_t>(file.read(r.pcm.data(), r.pcm.size())));
        }
        return r;
    }();
    return recording;
}

void fft(std::vector<std::complex<double>>& a)
{
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const std::complex<double> turn = std::polar(1.0, -2 * std::numbers::pi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1;
            for (std::size_t j = 0; j < len / 2; ++j, w *= turn) {
                const std::complex<double> u = a[i + j], v = a[i + j + len / 2] * w;
                a[i + j] = u + v;
                a[i + j + len / 2] = u - v;
            }
        }
    }
}

// What a listener takes from a stretch of music: how strong each of the
// twelve pitch classes is (C first), how much of the pitched sound sits on
// the notes of equal temperament at A = 440 Hz, how much falls on
// neighbouring semitones at the same moment (notes that rub), and how the
// power splits between bass, middle and treble.
struct Hearing {
    std::array<double, 12> chroma{};
    double inTune = 0;
    double rub = 0;  // 0 when no two neighbouring semitones ever sound together
    double bass = 0, middle = 0, treble = 0;  // shares of the whole
};

Hearing listen(Stretch pcm)
{
    constexpr std::size_t size = 8192;
    Hearing heard;
    double tuned = 0, pitched = 0, neighbours = 0, alone = 0;
    std::vector<double> magnitude(size / 2);
    for (std::size_t at = 0; (at + size) * 2 <= pcm.size(); at += size) {
        std::vector<std::complex<double>> bins(size);
        for (std::size_t i = 0; i < size; ++i) {
            const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / (size - 1));
            bins[i] = window * (pcm[2 * (at + i)] + pcm[2 * (at + i) + 1]) / 2.0;
        }
        fft(bins);
        for (std::size_t b = 0; b < size / 2; ++b)
            magnitude[b] = std::abs(bins[b]);
        // The bass and the chords of this moment, as pitch classes.
        std::array<double, 12> now{};
        for (std::size_t b = 1; b < size / 2; ++b) {
            const double hz = static_cast<double>(b) * rate / size;
            if (hz >= 40 && hz <= 2000)
                now[static_cast<std::size_t>((std::lround(12 * std::log2(hz / 440.0)) % 12 + 12 + 9) % 12)] +=
                    magnitude[b] * magnitude[b];
        }
        for (std::size_t i = 0; i < 12; ++i) {
            neighbours += now[i] * now[(i + 1) % 12];
            alone += now[i] * now[i];
        }
        for (std::size_t b = 1; b + 1 < size / 2; ++b) {
            const double hz = static_cast<double>(b) * rate / size;
            const double power = magnitude[b] * magnitude[b];
            (hz < 250 ? heard.bass : hz < 4000 ? heard.middle : heard.treble) += power;
            if (hz < 80 || hz > 4000)
                continue;
            const double semitones = 12 * std::log2(hz / 440.0);
            heard.chroma[static_cast<std::size_t>((std::lround(semitones) % 12 + 12 + 9) % 12)] += power;
            // A spectral peak, placed between its bins, is a partial: how
            // far is it from the nearest note?
            const double left = magnitude[b - 1], mid = magnitude[b], right = magnitude[b + 1];
            if (mid > left && mid > right) {
                const double offset = 0.5 * (left - right) / (left - 2 * mid + right);
                const double exact = 12 * std::log2((static_cast<double>(b) + offset) * rate / size / 440.0);
                pitched += power;
                if (std::abs(exact - std::round(exact)) < 0.25)
                    tuned += power;
            }
        }
    }
    heard.inTune = pitched > 0 ? tuned / pitched : 0;
    heard.rub = alone > 0 ? neighbours / alone : 0;
    const double total = heard.bass + heard.middle + heard.treble;
    if (total > 0) {
        heard.bass /= total;
        heard.middle /= total;
        heard.treble /= total;
    }
    return heard;
}

// Each piece (a module's loop, or the whole recording) heard once for the suite.
struct Piece {
    std::string name;
    Stretch loop;
    Hearing heard;
};

const std::vector<Piece>& everyPiece()
{
    static const std::vector<Piece> pieces = [] {
        std::vector<Piece> all;
        for (const std::string& name : modulesTheGameNames())
            if (played(name).opened)
                all.push_back({name, played(name).loop(), listen(played(name).loop())});
        if (credits().opened)
            all.push_back({"credits.ogg", Stretch(credits().pcm), listen(Stretch(credits().pcm))});
        return all;
    }();
    return pieces;
}

// How well the pitch classes fit the best major or minor key (Krumhansl
// and Kessler's profiles of how well each note fits a key): 1 is a perfect
// fit, notes drawn at random come out near 0.
double keyFit(const std::array<double, 12>& chroma)
{
    static constexpr double major[12] = {6.35, 2.23, 3.48, 2.33, 4.38, 4.09, 2.52, 5.19, 2.39, 3.66, 2.29, 2.88};
    static constexpr double minor[12] = {6.33, 2.68, 3.52, 5.38, 2.60, 3.53, 2.54, 4.75, 3.98, 2.69, 3.34, 3.17};
    double best = -1;
    for (const double* profile : {major, minor})
        for (std::size_t tonic = 0; tonic < 12; ++tonic) {
            double meanX = 0, meanY = 0;
            for (std::size_t i = 0; i < 12; ++i) {
                meanX += chroma[(i + tonic) % 12] / 12;
                meanY += profile[i] / 12;
            }
            double xy = 0, xx = 0, yy = 0;
            for (std::size_t i = 0; i < 12; ++i) {
                const double x = chroma[(i + tonic) % 12] - meanX, y = profile[i] - meanY;
                xy += x * y;
                xx += x * x;
                yy += y * y;
            }
            best = std::max(best, xy / std::sqrt(xx * yy));
        }
    return best;
}

// Loudness every 5 ms, on a log scale.
constexpr double envelopeSeconds = 0.005;

std::vector<double> loudnessEnvelope(Stretch pcm)
{
    const auto hop = static_cast<std::size_t>(envelopeSeconds * rate) * 2;
    std::vector<double> envelope;
    for (std::size_t at = 0; at + hop <= pcm.size(); at += hop)
        envelope.push_back(std::log1p(rms(pcm.subspan(at, hop))));
    return envelope;
}

// Where sounds begin: how fast the loudness rises, and nothing where it falls.
std::vector<double> onsets(Stretch pcm)
{
    const std::vector<double> envelope = loudnessEnvelope(pcm);
    std::vector<double> rising(envelope.size(), 0.0);
    for (std::size_t i = 1; i < envelope.size(); ++i)
        rising[i] = std::max(0.0, envelope[i] - envelope[i - 1]);
    double mean = 0;
    for (double v : rising)
        mean += v / static_cast<double>(rising.size());
    for (double& v : rising)
        v -= mean;
    return rising;
}

// How much the onsets repeat after `lagSeconds`, relative to their power.
double periodicity(const std::vector<double>& onset, double lagSeconds)
{
    const double lag = lagSeconds / envelopeSeconds;
    const auto whole = static_cast<std::size_t>(lag);
    const double part = lag - static_cast<double>(whole);
    double together = 0, power = 0;
    for (std::size_t i = 0; i + whole + 1 < onset.size(); ++i) {
        together += onset[i] * ((1 - part) * onset[i + whole] + part * onset[i + whole + 1]);
        power += onset[i] * onset[i];
    }
    return power > 0 ? together / power : 0;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    double meanA = 0, meanB = 0;
    for (std::size_t i = 0; i < n; ++i) {
        meanA += a[i] / static_cast<double>(n);
        meanB += b[i] / static_cast<double>(n);
    }
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < n; ++i) {
        ab += (a[i] - meanA) * (b[i] - meanB);
        aa += (a[i] - meanA) * (a[i] - meanA);
        bb += (b[i] - meanB) * (b[i] - meanB);
    }
    return ab / std::sqrt(aa * bb + 1e-12);
}

// How closely two stretches agree once the second is slid (up to `slide`
// frames either way) to line up with the first: 1 is the same sound.
double bestLikeness(Stretch a, Stretch b, int slide)
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

// One channel of interleaved stereo.
std::vector<double> channel(Stretch pcm, std::size_t which)
{
    std::vector<double> out;
    out.reserve(pcm.size() / 2);
    for (std::size_t i = which; i < pcm.size(); i += 2)
        out.push_back(pcm[i]);
    return out;
}

TEST(MusicContentTest, EveryPieceTheGameNamesIsShipped)
{
    const NamedMusic named = musicTheGameNames();
    // The menu, four level pieces taken in turn, and the credits.
    EXPECT_EQ(named.levels.size(), 4u);
    EXPECT_EQ(named.all.size(), 6u);
    for (const std::string& name : named.all) {
        const fs::path file = musicFolder / name;
        ASSERT_TRUE(fs::exists(file)) << name;
        EXPECT_GT(fs::file_size(file), 10000u) << name;
    }
}

TEST(MusicContentTest, EachModulePlaysAMinuteBeforeItRepeatsAndGoesRoundCleanly)
{
    const std::vector<std::string> modules = modulesTheGameNames();
    EXPECT_EQ(modules.size(), 5u);
    for (const std::string& name : modules) {
        SCOPED_TRACE(name);
        const PlayedModule& module = played(name);
        ASSERT_TRUE(module.opened) << "the game cannot open it, or its song never goes round";
        const SongShape& shape = module.shape;
        EXPECT_GE(module.loopSeconds(), 60.0) << "repeats after " << module.loopSeconds() << " s";

        // One full loop, with what rings on into the second time round.
        const Stretch loop = stretch(module.pcm, shape.loopStart, module.loopSeconds() + 1);
        EXPECT_LT(peak(loop), 30000) << "leaves too little headroom before clipping";
        EXPECT_GT(rms(loop), 2500.0) << "too quiet to carry at the game's music volume";
        for (double at = 0; at + 1 <= shape.end + 4; at += 0.5)
            EXPECT_GT(rms(stretch(module.pcm, at, 1)), 700.0) << "falls silent at " << at << " s";

        // No jump in level where the song goes round...
        const double before = rms(stretch(module.pcm, shape.end - 1, 1));
        const double after = rms(stretch(module.pcm, shape.end, 1));
        EXPECT_LT(std::max(before, after) / std::min(before, after), 1.6) << before << " then " << after;
        // ...and what follows is the loop again, not the intro or silence:
        // a little way in, once the tails of the loop's end have died away,
        // it sounds as it did the first time.
        EXPECT_GT(bestLikeness(stretch(module.pcm, shape.loopStart + 2, 1.5), stretch(module.pcm, shape.end + 2, 1.5),
                               rate / 50),
                  0.98);
    }
}

TEST(MusicContentTest, TheCreditsRecordingIsLongCleanAndLoopsWithoutAJump)
{
    const Recording& recording = credits();
    ASSERT_TRUE(recording.opened);
    EXPECT_EQ(recording.sampleRate, 44100u);
    ASSERT_EQ(recording.channels, 2u);
    const Pcm& pcm = recording.pcm;
    EXPECT_GE(pcm.size() / 2, 60u * rate);
    EXPECT_LT(peak(pcm), 32767) << "clips";
    EXPECT_GT(rms(pcm), 2500.0);
    for (double at = 0; (at + 1) * rate * 2 <= static_cast<double>(pcm.size()); at += 0.5)
        EXPECT_GT(rms(stretch(pcm, at, 1)), 700.0) << "falls silent at " << at << " s";

    // sf::Music plays the last frame, then the first: the step between them
    // is no bigger than the music's own steps just either side...
    const auto step = [&](std::size_t from, std::size_t to, std::size_t side) {
        return std::abs(pcm[2 * to + side] - pcm[2 * from + side]);
    };
    const std::size_t frames = pcm.size() / 2;
    for (std::size_t side : {0u, 1u}) {
        int around = 0;
        for (std::size_t i = 0; i + 1 < 256; ++i)
            around = std::max({around, step(i, i + 1, side), step(frames - 2 - i, frames - 1 - i, side)});
        EXPECT_LE(step(frames - 1, 0, side), 2 * around + 64) << "channel " << side;
    }
    // ...and the level carries straight on.
    const double end = rms(Stretch(pcm).last(2 * rate / 4));
    const double start = rms(Stretch(pcm).first(2 * rate / 4));
    EXPECT_LT(std::max(end, start) / std::min(end, start), 1.6) << end << " then " << start;
}

TEST(MusicContentTest, EveryPieceIsInTuneAndInAKey)
{
    EXPECT_EQ(everyPiece().size(), 6u);
    for (const Piece& piece : everyPiece()) {
        // Partials of well-tuned instruments sit within a quarter tone of a note.
        EXPECT_GT(piece.heard.inTune, 0.85) << piece.name;
        // Melodies and chords keep to a key, as notes at random would not...
        EXPECT_GT(keyFit(piece.heard.chroma), 0.65) << piece.name;
        // ...and the notes sounding at once agree: a bass or chord part a
        // semitone out would grind against the rest.
        EXPECT_LT(piece.heard.rub, 0.27) << piece.name;
    }
}

TEST(MusicContentTest, EveryPieceHasBassMiddleAndTrebleSpreadAcrossTheStereoField)
{
    for (const Piece& piece : everyPiece()) {
        SCOPED_TRACE(piece.name);
        EXPECT_GT(piece.heard.bass, 0.15) << "no bass line to speak of";
        EXPECT_GT(piece.heard.middle, 0.2) << "melody and chords too thin";
        EXPECT_GT(piece.heard.treble, 0.0012) << "no hats, shakers or sparkle";
        EXPECT_LT(piece.heard.bass, 0.8) << "drowned in bass";

        // Both speakers carry it equally, but the parts sit in different
        // places: the channels are alike without being the same.
        const Stretch half = piece.loop.first(piece.loop.size() / 4 * 2);  // whole stereo frames
        const std::vector<double> left = channel(half, 0), right = channel(half, 1);
        double leftPower = 0, rightPower = 0;
        for (std::size_t i = 0; i < left.size(); ++i) {
            leftPower += left[i] * left[i];
            rightPower += right[i] * right[i];
        }
        EXPECT_LT(std::abs(10 * std::log10(leftPower / rightPower)), 1.5) << "leans to one side";
        const double alike = correlation(left, right);
        EXPECT_GT(alike, 0.5);
        EXPECT_LT(alike, 0.99) << "as good as mono";
    }
}

TEST(MusicContentTest, LevelPiecesAreUpbeatAtTempiOfTheirOwnDrivenByASteadyBeat)
{
    std::set<long> tempi;
    for (const std::string& name : musicTheGameNames().levels) {
        SCOPED_TRACE(name);
        const PlayedModule& module = played(name);
        ASSERT_TRUE(module.opened);
        // Four rows to the beat.
        const double beat = 4 * module.shape.rowSeconds;
        const double perMinute = 60 / beat;
        EXPECT_GE(perMinute, 110.0) << "too slow to mow by";
        EXPECT_LE(perMinute, 160.0) << "too frantic";
        tempi.insert(std::lround(perMinute));

        // A steady beat in four drives it: the sounds come back after a
        // beat or two far more than after three, five, six or seven rows.
        const std::vector<double> onset = onsets(module.loop());
        const auto after = [&](int rows) { return periodicity(onset, rows * module.shape.rowSeconds); };
        const double onBeats = std::max(after(4), after(8));
        const double between = std::max({after(3), after(5), after(6), after(7)});
        EXPECT_GT(onBeats, 1.3 * between) << onBeats << " against " << between;
    }
    EXPECT_EQ(tempi.size(), musicTheGameNames().levels.size()) << "two level pieces share a tempo";
}

TEST(MusicContentTest, EachModuleVariesRatherThanGoingRoundOnePhrase)
{
    for (const std::string& name : modulesTheGameNames()) {
        SCOPED_TRACE(name);
        const PlayedModule& module = played(name);
        ASSERT_TRUE(module.opened);
        // The loop in phrases of four bars, each heard as its loudness over time.
        const double phrase = 16 * 4 * module.shape.rowSeconds;
        std::vector<std::vector<double>> phrases;
        for (double at = module.shape.loopStart; at + phrase <= module.shape.end + 0.01; at += phrase)
            phrases.push_back(loudnessEnvelope(stretch(module.pcm, at, phrase)));
        ASSERT_GE(phrases.size(), 8u);
        // Phrases that sound all but the same as an earlier one are repeats.
        int fresh = 0;
        for (std::size_t i = 0; i < phrases.size(); ++i) {
            bool repeat = false;
            for (std::size_t j = 0; j < i && !repeat; ++j)
                repeat = correlation(phrases[i], phrases[j]) > 0.95;
            fresh += repeat ? 0 : 1;
        }
        EXPECT_GE(fresh, static_cast<int>(phrases.size()) / 2) << fresh << " fresh phrases of " << phrases.size();
    }
}

} // namespace
