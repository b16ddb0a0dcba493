// The shipped sound samples as the game finds and plays them: every name the
// game asks for is there with its variants, every file is clean mono 16-bit
// PCM that is heard without clipping or clicking, the engine loops join
// without a seam, and each sound has the character its name promises.

#include "audio/Audio.hpp"
#include "support/BuildPaths.hpp"
#include "engine/EngineSettings.hpp"
#include "engine/Log.hpp"
#include "support/FakeWindow.hpp"
#include "support/TempFolder.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path soundFolder = test::built::runFolder() + "/base/sound";

enum class Kind { Effect, Engine, Garden };

struct Expected {
    const char* name;
    int variants;
    double shortest;  // seconds, for every variant
    double longest;
    Kind kind;
};

const std::vector<Expected> expected{
    {"game\\skid", 3, 0.15, 0.35, Kind::Effect},
    {"game\\respawn", 3, 0.3, 0.6, Kind::Effect},
    {"game\\engine_idle", 1, 1.0, 3.0, Kind::Engine},
    {"game\\engine_moving", 1, 1.0, 3.0, Kind::Engine},
    {"game\\engine_mowing", 1, 1.0, 3.0, Kind::Engine},
    {"world\\birds", 3, 1.5, 3.0, Kind::Garden},
    {"world\\crickets", 1, 2.0, 3.0, Kind::Garden},
    {"world\\wind", 1, 2.5, 4.0, Kind::Garden},
    {"world\\battle", 1, 1.0, 3.0, Kind::Garden},
    {"world\\teleport", 1, 2.0, 4.0, Kind::Garden},
    {"interface\\voltest", 1, 0.35, 0.7, Kind::Effect},
    {"interface\\MenuMove", 1, 0.04, 0.08, Kind::Effect},
    {"interface\\MenuSelect", 1, 0.2, 0.4, Kind::Effect},
    {"interface\\MenuCancel", 1, 0.15, 0.3, Kind::Effect},
};

// A file's samples as the game would read them, with the header fields the
// sound library does not report.
struct Pcm {
    bool opened = false;
    std::uint16_t format = 0;
    std::uint16_t bits = 0;
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<double> x;  // full scale at +-1

    double seconds() const { return static_cast<double>(x.size()) / rate; }
};

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int count)
{
    std::uint32_t v = 0;
    for (int i = count - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return v;
}

Pcm read(const fs::path& file)
{
    Pcm pcm;
    const std::string bytes = test::readFile(file);
    for (std::size_t at = 12; at + 8 <= bytes.size(); at += 8 + littleEndian(bytes, at + 4, 4))
        if (bytes.compare(at, 4, "fmt ") == 0 && at + 24 <= bytes.size()) {
            pcm.format = static_cast<std::uint16_t>(littleEndian(bytes, at + 8, 2));
            pcm.bits = static_cast<std::uint16_t>(littleEndian(bytes, at + 22, 2));
        }
    sf::InputSoundFile in;
    if (!in.openFromFile(file.string()))
        return pcm;
    pcm.opened = true;
    pcm.channels = in.getChannelCount();
    pcm.rate = in.getSampleRate();
    std::vector<sf::Int16> samples(static_cast<std::size_t>(in.getSampleCount()));
    samples.resize(static_cast<std::size_t>(in.read(samples.data(), samples.size())));
    for (sf::Int16 s : samples)
        pcm.x.push_back(s / 32768.0);
    return pcm;
}

double db(double level) { return 20.0 * std::log10(std::max(level, 1e-9)); }

double peakOf(const std::vector<double>& x, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    double loudest = 0.0;
    for (std::size_t i = from; i < std::min(to, x.size()); ++i)
        loudest = std::max(loudest, std::abs(x[i]));
    return loudest;
}

double rmsOf(const std::vector<double>& x, std::size_t from = 0, std::size_t to = SIZE_MAX)
{
    to = std::min(to, x.size());
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += x[i] * x[i];
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

// Share of the sound's energy between two frequencies, from the spectrum of
// the whole file.
double energyShare(const Pcm& pcm, double lowHz, double highHz)
{
    std::size_t n = 1;
    while (n < pcm.x.size())
        n *= 2;
    std::vector<std::complex<double>> a(n);
    std::copy(pcm.x.begin(), pcm.x.end(), a.begin());
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len *= 2) {
        const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi / static_cast<double>(len));
        for (std::size_t i = 0; i < n; i += len) {
            std::complex<double> w = 1.0;
            for (std::size_t j = 0; j < len / 2; ++j, w *= step) {
                const std::complex<double> u = a[i + j], v = a[i + j + len / 2] * w;
                a[i + j] = u + v;
                a[i + j + len / 2] = u - v;
            }
        }
    }
    double inside = 0.0, total = 0.0;
    for (std::size_t k = 1; k < n / 2; ++k) {
        const double hz = static_cast<double>(k) * pcm.rate / static_cast<double>(n);
        total += std::norm(a[k]);
        if (hz >= lowHz && hz < highHz)
            inside += std::norm(a[k]);
    }
    return total > 0.0 ? inside / total : 0.0;
}

// Loudness in 10 ms frames, in dB.
std::vector<double> frameLevels(const Pcm& pcm)
{
    const std::size_t frame = pcm.rate / 100;
    std::vector<double> levels;
    for (std::size_t at = 0; at + frame <= pcm.x.size(); at += frame)
        levels.push_back(db(rmsOf(pcm.x, at, at + frame)));
    return levels;
}

// Separate events (barks, ticks): rises to within `withinDb` of the loudest
// frame, each after falling at least `gapDb` below that mark.
int events(const Pcm& pcm, double withinDb, double gapDb)
{
    const std::vector<double> levels = frameLevels(pcm);
    const double mark = *std::max_element(levels.begin(), levels.end()) - withinDb;
    int count = 0;
    bool armed = true;
    for (double level : levels) {
        if (armed && level >= mark) {
            ++count;
            armed = false;
        } else if (level < mark - gapDb) {
            armed = true;
        }
    }
    return count;
}

// The main repetition period of the loudness, in seconds: for an engine, the
// time from one firing to the next.
double firingPeriod(const Pcm& pcm)
{
    const std::size_t hop = pcm.rate / 1000;
    std::vector<double> envelope;
    for (std::size_t at = 0; at + hop <= pcm.x.size(); at += hop)
        envelope.push_back(rmsOf(pcm.x, at, at + hop));
    double mean = 0.0;
    for (double e : envelope)
        mean += e / static_cast<double>(envelope.size());
    std::size_t bestLag = 0;
    double best = -1e300;
    // Firings from 8 to 60 a second; the loop is seamless, so lags wrap round.
    for (std::size_t lag = 16; lag <= 125; ++lag) {
        double sum = 0.0;
        for (std::size_t i = 0; i < envelope.size(); ++i)
            sum += (envelope[i] - mean) * (envelope[(i + lag) % envelope.size()] - mean);
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    return static_cast<double>(bestLag) / 1000.0;
}

// How high a sound sits: the RMS of its slope against its own RMS, which
// grows with the frequencies it holds.
double brightness(const Pcm& pcm)
{
    std::vector<double> slope(pcm.x.size());
    for (std::size_t i = 0; i < pcm.x.size(); ++i)
        slope[i] = pcm.x[i] - pcm.x[(i + pcm.x.size() - 1) % pcm.x.size()];
    return rmsOf(slope) / rmsOf(pcm.x);
}

std::vector<fs::path> wavFilesFor(const Expected& sample)
{
    std::vector<fs::path> files;
    if (sample.variants == 1) {
        files.push_back(soundFolder / (std::string(sample.name) + ".wav"));
    } else {
        for (int v = 1; v <= sample.variants; ++v)
            files.push_back(soundFolder / (std::string(sample.name) + std::to_string(v) + ".wav"));
    }
    for (fs::path& file : files) {
        std::string native = file.string();
        std::replace(native.begin(), native.end(), '\\', '/');
        file = native;
    }
    return files;
}

Pcm readSample(const char* name, int variant = 0)
{
    for (const Expected& sample : expected)
        if (std::string(sample.name) == name) {
            const std::vector<fs::path> files = wavFilesFor(sample);
            return read(files[static_cast<std::size_t>(variant) % files.size()]);
        }
    return {};
}

// The audio module for one test, left as it was found.
struct AudioScope {
    AudioScope() : saved(KVCore::settings())
    {
        KVCore::settings() = KVCore::EngineSettings{};
        started = Audio::init();
    }
    ~AudioScope()
    {
        Audio::shutdown();
        KVCore::settings() = saved;
    }
    AudioScope(const AudioScope&) = delete;
    AudioScope& operator=(const AudioScope&) = delete;

    test::FakeWindowScope fake;
    KVCore::EngineSettings saved;
    bool started = false;
};

TEST(SoundsContentTest, TheGameFindsEverySampleItPlaysWithItsVariants)
{
    const AudioScope audio;
    ASSERT_TRUE(audio.started);
    Audio::loadSampleFolder(soundFolder.string());

    for (const KVCore::ConsoleLine& line : KVCore::consoleLines())
        EXPECT_NE(line.colour, KVCore::errorColour) << line.text;
    for (const Expected& sample : expected) {
        const int id = Audio::getSampleId(sample.name);
        ASSERT_GE(id, 1) << sample.name << " is missing";
        EXPECT_EQ(Audio::sampleVariantCount(id), sample.variants) << sample.name;
    }
    // Nothing stray: a misspelt file would be a sample nobody plays.
    EXPECT_EQ(Audio::sampleCount(), static_cast<int>(expected.size()) + 1);
}

TEST(SoundsContentTest, EveryFileIsCleanMonoPcmHeardWithoutClippingOrClicks)
{
    std::uintmax_t total = 0;
    for (const Expected& sample : expected)
        for (const fs::path& file : wavFilesFor(sample)) {
            SCOPED_TRACE(file.string());
            ASSERT_TRUE(fs::exists(file));
            total += fs::file_size(file);
            EXPECT_GT(fs::file_size(file), Audio::minimumSampleFileSize);
            const Pcm pcm = read(file);
            ASSERT_TRUE(pcm.opened);
            EXPECT_EQ(pcm.format, 1) << "integer PCM";
            EXPECT_EQ(pcm.bits, 16);
            EXPECT_EQ(pcm.channels, 1u) << "only mono sounds can be placed around the listener";
            EXPECT_EQ(pcm.rate, 44100u);
            ASSERT_FALSE(pcm.x.empty());
            EXPECT_GE(pcm.seconds(), sample.shortest);
            EXPECT_LE(pcm.seconds(), sample.longest);

            const double peak = db(peakOf(pcm.x));
            const double rms = db(rmsOf(pcm.x));
            EXPECT_LT(peak, -0.5) << "no sample reaches full scale";
            // Quieter than this, a sound at 70% volume would be lost under
            // the engine, which never stops.
            EXPECT_GT(rms, -32.0);
            double mean = 0.0;
            for (double s : pcm.x)
                mean += s / static_cast<double>(pcm.x.size());
            EXPECT_LT(std::abs(mean), 0.002) << "DC offset";

            if (sample.kind == Kind::Engine) {
                // Always on: well below the effects.
                EXPECT_GT(peak, -11.0);
                EXPECT_LT(peak, -6.0);
            } else {
                EXPECT_GT(peak, -6.0) << "mastered up with the others";
                // One-shots start and stop in silence and ease in and out
                // of it, so neither clicks.
                const std::size_t edge = pcm.rate / 5000;
                EXPECT_LT(std::abs(pcm.x.front()), 0.005) << "start";
                EXPECT_LT(std::abs(pcm.x.back()), 0.005) << "end";
                EXPECT_LT(peakOf(pcm.x, 0, edge), 0.1) << "start";
                EXPECT_LT(peakOf(pcm.x, pcm.x.size() - edge), 0.1) << "end";
            }
        }
    EXPECT_LT(total, 5u * 1024 * 1024);
}

TEST(SoundsContentTest, EngineLoopsJoinWithoutASeamAndHoldASteadyLevel)
{
    for (const char* name : {"game\\engine_idle", "game\\engine_moving", "game\\engine_mowing"}) {
        SCOPED_TRACE(name);
        const Pcm pcm = readSample(name);
        ASSERT_GT(pcm.x.size(), 1000u);
        double steps = 0.0;
        for (std::size_t i = 1; i < pcm.x.size(); ++i)
            steps += (pcm.x[i] - pcm.x[i - 1]) * (pcm.x[i] - pcm.x[i - 1]);
        const double typicalStep = std::sqrt(steps / static_cast<double>(pcm.x.size() - 1));
        EXPECT_LT(std::abs(pcm.x.front() - pcm.x.back()), 3.0 * typicalStep) << "click at the seam";

        const double whole = db(rmsOf(pcm.x));
        const std::size_t quarter = pcm.x.size() / 4;
        for (std::size_t q = 0; q < 4; ++q)
            EXPECT_NEAR(db(rmsOf(pcm.x, q * quarter, (q + 1) * quarter)), whole, 1.5) << "quarter " << q;
    }
}

TEST(SoundsContentTest, TheEngineRevsUpFromIdleAndTheBladesAddTheirWhirr)
{
    const Pcm idle = readSample("game\\engine_idle");
    const Pcm moving = readSample("game\\engine_moving");
    const Pcm mowing = readSample("game\\engine_mowing");
    ASSERT_FALSE(idle.x.empty() || moving.x.empty() || mowing.x.empty());

    // A slow putter at idle, a quicker beat on the move.
    const double idleFiring = firingPeriod(idle);
    EXPECT_GT(idleFiring, 0.05);
    EXPECT_LT(idleFiring, 0.125);
    EXPECT_LT(firingPeriod(moving), idleFiring * 0.75);
    EXPECT_LT(firingPeriod(mowing), idleFiring * 0.75);
    EXPECT_LT(brightness(idle), brightness(moving));
    // Blades and grass fill in the highs that driving alone lacks.
    EXPECT_GT(energyShare(mowing, 1500, 8000), 2.0 * energyShare(moving, 1500, 8000));
}

TEST(SoundsContentTest, EachSoundHasTheCharacterItsNameCallsFor)
{
    for (int v = 0; v < 3; ++v) {
        SCOPED_TRACE(v + 1);
        // Heard on every turn, so never harsh.
        EXPECT_LT(energyShare(readSample("game\\skid", v), 4000, 22050), 0.05);
        // Birds sing high.
        EXPECT_GT(energyShare(readSample("world\\birds", v), 1500, 9000), 0.9);
    }
    EXPECT_GT(energyShare(readSample("world\\crickets"), 3500, 7000), 0.85);
    // A dog a few gardens away, in the range of its voice, barking two or three times.
    const Pcm dog = readSample("world\\battle");
    EXPECT_GT(energyShare(dog, 250, 2000), 0.85);
    const int barks = events(dog, 8.0, 12.0);
    EXPECT_GE(barks, 2);
    EXPECT_LE(barks, 3);
    EXPECT_GE(events(readSample("world\\teleport"), 10.0, 6.0), 10) << "the sprinkler's ticks";

    // Wind rises and dies away.
    const Pcm wind = readSample("world\\wind");
    const std::size_t tenth = wind.x.size() / 10;
    const double middle = db(rmsOf(wind.x, 4 * tenth, 6 * tenth));
    EXPECT_LT(db(rmsOf(wind.x, 0, tenth)), middle - 10.0);
    EXPECT_LT(db(rmsOf(wind.x, 9 * tenth)), middle - 10.0);

    // Cancelling sounds lower than choosing, and the move tick stays soft.
    EXPECT_LT(brightness(readSample("interface\\MenuCancel")), brightness(readSample("interface\\MenuSelect")));
    EXPECT_LT(energyShare(readSample("interface\\MenuMove"), 5000, 22050), 0.05);
    // The volume test is a clear tone: its energy in the octave around its notes.
    EXPECT_GT(energyShare(readSample("interface\\voltest"), 600, 1400), 0.8);
}

} // namespace
