#include "music/Voices.hpp"

#include "Random.hpp"
#include "audio/Biquad.hpp"
#include "music/Partials.hpp"
#include "music/SampleBuilder.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace content::music {

using synth::Biquad;

namespace {

constexpr double middleC = 261.6255653;

double noteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

// A soft-kneed low-pass on a partial's level, so brightness falls off
// smoothly rather than at a cliff.
double rolloff(double hz, double corner, int order = 2)
{
    return 1.0 / std::sqrt(1.0 + std::pow(hz / corner, 2 * order));
}

// A short burst of filtered noise over the start of the sound: the mallet,
// the pick, the breath.
void addBurst(LoopedTone& tone, double rate, double seconds, double amplitude, Biquad filter, Random& rng)
{
    const auto frames = std::min(tone.loopStart, static_cast<std::size_t>(seconds * rate));
    for (std::size_t n = 0; n < frames; ++n) {
        const double t = static_cast<double>(n) / static_cast<double>(frames);
        const double shape = std::sin(std::numbers::pi * std::sqrt(t)) * (1 - t);
        tone.frames[n] += static_cast<float>(amplitude * shape * filter.process(static_cast<float>(rng.uniform(-1, 1))));
    }
}

// Fades the first `seconds` in along a quarter sine, so no note starts with a click.
void fadeIn(LoopedTone& tone, double rate, double seconds)
{
    const auto frames = std::min(tone.loopStart, static_cast<std::size_t>(seconds * rate));
    for (std::size_t n = 0; n < frames; ++n)
        tone.frames[n] *= static_cast<float>(std::sin(0.5 * std::numbers::pi * static_cast<double>(n) / frames));
}

// Partials of a string plucked a fifth of the way along; the higher ones
// die first.
std::vector<Partial> stringPartials(double hz, double decay, double brightness)
{
    std::vector<Partial> partials;
    for (int h = 1; h <= 48; ++h) {
        const double shape = std::abs(std::sin(std::numbers::pi * h * 0.2)) / std::pow(h, 1.2);
        if (shape < 1e-3)
            continue;
        partials.push_back({double(h), shape * rolloff(h * hz, brightness), decay * (1 + 0.45 * (h - 1)), 0, 0});
    }
    return partials;
}

// The same partials three times, a whole cycle a loop apart: a slow,
// even chorus that loops cleanly.
std::vector<Partial> ensemble(const std::vector<Partial>& one, Random& rng)
{
    std::vector<Partial> all;
    for (int detune : {-1, 0, 1})
        for (Partial partial : one) {
            partial.detune = detune;
            partial.phase = rng.uniform();
            partial.amplitude *= detune == 0 ? 1.0 : 0.55;
            all.push_back(partial);
        }
    return all;
}

struct Design {
    std::string_view name;
    double rate;  // frames a second at the zone's middle note
    LoopedTone (*make)(double hz, double rate, double reach, Random& rng);
    bool held;
    // Struck: how fast the note dies once the sample's loop begins.
    // Held: the envelope up to its sustain point, in seconds and levels.
    double decay;
    std::vector<std::pair<double, int>> envelope;
    double release;  // seconds after the key is let go
    int vibratoDepth = 0, vibratoRate = 0;
    double vibratoSweep = 0;  // seconds to reach full depth
};

LoopedTone marimba(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone = renderPartials(
        {{1, 1.0, 3.0}, {3.93, 0.32, 13}, {9.8, 0.1, 30}, {2, 0.03, 8}}, hz, rate, 0.3, 0.1, reach);
    addBurst(tone, rate, 0.004, 0.25, Biquad::lowPass(3000, Biquad::flat, rate), rng);
    fadeIn(tone, rate, 0.001);
    return tone;
}

LoopedTone pluck(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone = renderPartials(stringPartials(hz, 2.0, 4500), hz, rate, 0.5, 0.1, reach);
    addBurst(tone, rate, 0.003, 0.12, Biquad::bandPass(2500, 0.8, rate), rng);
    fadeIn(tone, rate, 0.001);
    return tone;
}

LoopedTone bell(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone = renderPartials({{1, 1.0, 1.5},
                                      {2, 0.35, 2.5},
                                      {3, 0.12, 4},
                                      {4.2, 0.3, 7},
                                      {5.4, 0.1, 12},
                                      {6.8, 0.08, 16}},
                                     hz, rate, 0.5, 0.1, reach);
    addBurst(tone, rate, 0.002, 0.1, Biquad::highPass(3000, Biquad::flat, rate), rng);
    fadeIn(tone, rate, 0.0007);
    return tone;
}

LoopedTone epiano(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone = renderPartials({{1, 1.0, 0.9},
                                      {2, 0.3, 1.8},
                                      {3, 0.08, 3},
                                      {4, 0.04, 4},
                                      {7, 0.14 * rolloff(7 * hz, 3000), 22},
                                      {10, 0.05 * rolloff(10 * hz, 3000), 30}},
                                     hz, rate, 0.6, 0.1, reach);
    addBurst(tone, rate, 0.003, 0.05, Biquad::bandPass(1800, 1.0, rate), rng);
    fadeIn(tone, rate, 0.0015);
    return tone;
}

LoopedTone kalimba(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone =
        renderPartials({{1, 1.0, 2.8}, {2, 0.05, 6}, {5.9, 0.25, 18}, {12.2, 0.06, 40}}, hz, rate, 0.4, 0.1, reach);
    addBurst(tone, rate, 0.003, 0.15, Biquad::bandPass(1500, 1.2, rate), rng);
    fadeIn(tone, rate, 0.001);
    return tone;
}

LoopedTone vibes(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone = renderPartials({{1, 1.0, 1.0}, {4, 0.25, 6}, {10, 0.05, 15}}, hz, rate, 0.4, 0.2, reach);
    // The motor's tremolo: one sway a loop, so it runs on seamlessly.
    const double period = static_cast<double>(tone.loopLength);
    for (std::size_t n = 0; n < tone.frames.size(); ++n)
        tone.frames[n] *=
            static_cast<float>(1.0 + 0.25 * std::sin(2 * std::numbers::pi * static_cast<double>(n) / period));
    addBurst(tone, rate, 0.002, 0.08, Biquad::lowPass(4000, Biquad::flat, rate), rng);
    fadeIn(tone, rate, 0.001);
    return tone;
}

LoopedTone lead(double hz, double rate, double reach, Random&)
{
    // Mostly odd harmonics: a hollow, soft square.
    std::vector<Partial> partials;
    for (int h = 1; h <= 60; ++h)
        partials.push_back({double(h), (h % 2 ? 1.0 : 0.3) / h * rolloff(h * hz, 2600), 0, 0, 0});
    LoopedTone tone = renderPartials(partials, hz, rate, 0.02, 0.1, reach);
    fadeIn(tone, rate, 0.01);
    return tone;
}

LoopedTone flute(double hz, double rate, double reach, Random& rng)
{
    LoopedTone tone =
        renderPartials({{1, 1.0}, {2, 0.3}, {3, 0.12}, {4, 0.04}, {5, 0.02}}, hz, rate, 0.08, 0.1, reach);
    addBurst(tone, rate, 0.08, 0.2, Biquad::bandPass(std::min(2 * hz, 6000.0), 1.5, rate), rng);
    fadeIn(tone, rate, 0.03);
    return tone;
}

LoopedTone organ(double hz, double rate, double reach, Random& rng)
{
    // Drawbars, a second rank a cycle a loop sharp for a slow shimmer, and
    // a quick third-harmonic percussion at the start.
    LoopedTone tone = renderPartials({{1, 1.0},
                                      {2, 0.55},
                                      {3, 0.4},
                                      {4, 0.25},
                                      {6, 0.12},
                                      {8, 0.08},
                                      {1, 0.2, 0, 0.25, 1},
                                      {2, 0.12, 0, 0.25, 1},
                                      {3, 0.5, 12}},
                                     hz, rate, 0.25, 0.5, reach);
    addBurst(tone, rate, 0.003, 0.1, Biquad::highPass(2000, Biquad::flat, rate), rng);
    fadeIn(tone, rate, 0.002);
    return tone;
}

LoopedTone pad(double hz, double rate, double reach, Random& rng)
{
    std::vector<Partial> saw;
    for (int h = 1; h <= 40; ++h)
        saw.push_back({double(h), 1.0 / h * rolloff(h * hz, 2000), 0, 0, 0});
    LoopedTone tone = renderPartials(ensemble(saw, rng), hz, rate, 0.05, 1.0, reach, 11000);
    fadeIn(tone, rate, 0.02);
    return tone;
}

LoopedTone choir(double hz, double rate, double reach, Random& rng)
{
    // An open "ah": the harmonics lifted where a singer's formants lie.
    const auto formant = [](double f, double centre, double width) {
        return 1.0 / (1.0 + std::pow((f - centre) / width, 2));
    };
    std::vector<Partial> voice;
    for (int h = 1; h <= 30; ++h) {
        const double f = h * hz;
        const double level =
            0.15 / h + formant(f, 700, 130) + 0.5 * formant(f, 1150, 150) + 0.12 * formant(f, 2800, 250);
        voice.push_back({double(h), level * rolloff(f, 3500), 0, 0, 0});
    }
    LoopedTone tone = renderPartials(ensemble(voice, rng), hz, rate, 0.05, 1.0, reach, 9000);
    fadeIn(tone, rate, 0.02);
    return tone;
}

LoopedTone chip(double hz, double rate, double reach, Random&)
{
    // A quarter-wide pulse.
    std::vector<Partial> partials;
    for (int h = 1; h <= 60; ++h)
        partials.push_back({double(h), std::abs(std::sin(std::numbers::pi * h * 0.25)) / h * rolloff(h * hz, 6000),
                            0, 0, 0});
    LoopedTone tone = renderPartials(partials, hz, rate, 0.02, 0.05, reach);
    fadeIn(tone, rate, 0.002);
    return tone;
}

LoopedTone bass(double hz, double rate, double reach, Random& rng)
{
    // A round finger bass: steady low harmonics, and a brighter twang at the
    // start that dies quickly.
    std::vector<Partial> partials;
    for (int h = 1; h <= 16; ++h) {
        partials.push_back({double(h), std::pow(h, -1.7), 0, 0, 0});
        if (h > 1)
            partials.push_back({double(h), 0.35 / h * rolloff(h * hz, 1500), 10.0 + 2 * h, 0, 0});
    }
    LoopedTone tone = renderPartials(partials, hz, rate, 0.3, 0.2, reach, 8000);
    addBurst(tone, rate, 0.004, 0.1, Biquad::lowPass(1200, Biquad::flat, rate), rng);
    fadeIn(tone, rate, 0.002);
    return tone;
}

LoopedTone synthbass(double hz, double rate, double reach, Random&)
{
    // A saw through a low-pass that starts open and settles.
    std::vector<Partial> partials;
    for (int h = 1; h <= 40; ++h) {
        const double steady = rolloff(h * hz, 700);
        const double open = rolloff(h * hz, 2500);
        partials.push_back({double(h), steady / h, 0, 0, 0});
        if (open > steady)
            partials.push_back({double(h), (open - steady) / h, 14, 0, 0});
    }
    LoopedTone tone = renderPartials(partials, hz, rate, 0.2, 0.1, reach, 10000);
    fadeIn(tone, rate, 0.002);
    return tone;
}

const std::vector<Design>& designs()
{
    static const std::vector<Design> all = {
        {"marimba", 32000, marimba, false, 4.0, {}, 0.15},
        {"pluck", 32000, pluck, false, 2.2, {}, 0.15},
        {"bell", 44100, bell, false, 1.5, {}, 0.3},
        {"epiano", 32000, epiano, false, 0.9, {}, 0.25},
        {"kalimba", 32000, kalimba, false, 2.8, {}, 0.15},
        {"vibes", 32000, vibes, false, 1.0, {}, 0.3},
        {"lead", 44100, lead, true, 0, {{0, 64}, {0.25, 56}}, 0.12, 3, 22, 0.4},
        {"flute", 44100, flute, true, 0, {{0, 64}}, 0.15, 4, 20, 0.35},
        {"organ", 32000, organ, true, 0, {{0, 64}}, 0.08},
        {"pad", 22050, pad, true, 0, {{0, 0}, {0.35, 64}}, 0.5},
        {"choir", 22050, choir, true, 0, {{0, 0}, {0.45, 64}}, 0.6},
        {"chip", 44100, chip, true, 0, {{0, 64}, {0.12, 44}, {0.3, 36}}, 0.1},
        {"bass", 22050, bass, true, 0, {{0, 64}, {0.3, 56}, {1.5, 40}}, 0.08},
        {"synthbass", 32000, synthbass, true, 0, {{0, 64}, {0.2, 54}, {1.0, 46}}, 0.06},
    };
    return all;
}

const Design& design(std::string_view name)
{
    for (const Design& d : designs())
        if (d.name == name)
            return d;
    throw std::runtime_error("no instrument named " + std::string(name));
}

std::uint16_t ticks(double seconds, double tickSeconds)
{
    return static_cast<std::uint16_t>(std::clamp<long>(std::lround(seconds / tickSeconds), 0, 65535));
}

XmEnvelope envelopeFor(const Design& d, double attackSeconds, double tickSeconds)
{
    constexpr std::uint16_t lastTick = 254;
    XmEnvelope envelope;
    if (!d.held) {
        // Full until the sample's loop, then dying away as the sound would.
        envelope.points.push_back({0, 64});
        const std::uint16_t start = ticks(attackSeconds, tickSeconds);
        envelope.points.push_back({start, 64});
        // Points along the exponential, in time constants.
        for (double k : {0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0}) {
            const double seconds = k / d.decay;
            const auto level = static_cast<std::uint16_t>(std::lround(64 * std::exp(-d.decay * seconds)));
            const std::uint16_t tick = static_cast<std::uint16_t>(start + ticks(seconds, tickSeconds));
            if (tick <= envelope.points.back().tick)
                continue;
            // Trackers draw envelopes over 255 ticks at most; by then a
            // struck note has long died away.
            if (tick >= lastTick)
                break;
            envelope.points.push_back({tick, level});
            if (level == 0 || envelope.points.size() == 11)
                break;
        }
        envelope.points.push_back({static_cast<std::uint16_t>(envelope.points.back().tick + 1), 0});
        return envelope;
    }
    for (const auto& [seconds, level] : d.envelope) {
        const std::uint16_t tick = ticks(seconds, tickSeconds);
        if (!envelope.points.empty() && tick <= envelope.points.back().tick)
            envelope.points.push_back({static_cast<std::uint16_t>(envelope.points.back().tick + 1),
                                       static_cast<std::uint16_t>(level)});
        else
            envelope.points.push_back({tick, static_cast<std::uint16_t>(level)});
    }
    envelope.sustain = static_cast<int>(envelope.points.size()) - 1;
    const std::uint16_t last = envelope.points.back().tick;
    envelope.points.push_back(
        {static_cast<std::uint16_t>(last + std::max<std::uint16_t>(1, ticks(d.release, tickSeconds))), 0});
    return envelope;
}

} // namespace

bool isVoice(std::string_view name)
{
    return std::any_of(designs().begin(), designs().end(), [&](const Design& d) { return d.name == name; });
}

XmInstrument makeVoice(std::string_view name, int lowest, int highest, int tempo, std::string_view seed)
{
    const Design& d = design(name);
    if (lowest > highest || lowest < 12 || highest > 107)
        throw std::runtime_error("instrument " + std::string(name) + " asked for notes out of reach");
    const double tickSeconds = 2.5 / tempo;
    Random rng(seed);

    XmInstrument instrument;
    instrument.name = std::string(name);
    double attackSeconds = 0;
    // A sample for every octave and a half, each made at the middle of its
    // range so no note is played more than a few semitones from it.
    const int zones = (highest - lowest) / 18 + 1;
    const int width = (highest - lowest) / zones + 1;
    for (int zoneLow = lowest; zoneLow <= highest; zoneLow += width) {
        const int zoneHigh = std::min(zoneLow + width - 1, highest);
        const int base = (zoneLow + zoneHigh + 1) / 2;
        const double reach = std::pow(2.0, (zoneHigh - base) / 12.0) * 1.03;  // and a little for vibrato
        LoopedTone tone = d.make(noteHz(base), d.rate, reach, rng);
        attackSeconds = static_cast<double>(tone.loopStart) / d.rate;
        XmSample sample = buildSample(std::string(name) + " " + std::to_string(base), tone.frames, 0.9,
                                      tone.loopStart, tone.loopLength);
        tuneSample(sample, middleC / tone.cyclesPerFrame);
        const auto index = static_cast<std::uint8_t>(instrument.samples.size());
        for (int midi = zoneLow; midi <= zoneHigh; ++midi)
            instrument.keymap[static_cast<std::size_t>(xmNote(midi) - 1)] = index;
        instrument.samples.push_back(std::move(sample));
    }
    // Notes past the written range use the nearest sample.
    for (int midi = 12; midi < lowest; ++midi)
        instrument.keymap[static_cast<std::size_t>(xmNote(midi) - 1)] = 0;
    for (int midi = highest + 1; midi <= 107; ++midi)
        instrument.keymap[static_cast<std::size_t>(xmNote(midi) - 1)] =
            static_cast<std::uint8_t>(instrument.samples.size() - 1);

    instrument.volumeEnvelope = envelopeFor(d, attackSeconds, tickSeconds);
    // Fadeout takes 32768 / fadeout ticks; held voices let go through their envelope.
    instrument.fadeout =
        d.held ? 0 : std::clamp(static_cast<int>(std::lround(32768 * tickSeconds / d.release)), 1, 4095);
    if (d.vibratoDepth > 0) {
        instrument.vibratoType = 0;
        instrument.vibratoDepth = d.vibratoDepth;
        instrument.vibratoRate = d.vibratoRate;
        instrument.vibratoSweep = std::clamp(static_cast<int>(std::lround(d.vibratoSweep / tickSeconds)), 0, 255);
    }
    return instrument;
}

} // namespace content::music
