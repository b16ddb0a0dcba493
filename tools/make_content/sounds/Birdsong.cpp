#include "sounds/Birdsong.hpp"

#include "Random.hpp"
#include "audio/Biquad.hpp"
#include "audio/Oscillator.hpp"
#include "audio/Reverb.hpp"

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace content::sounds {

using namespace synth;

namespace {

// One note of a song: a pitch that glides through a middle point.
struct Syllable {
    double start;
    double seconds;
    double fromHz;
    double midHz;
    double toHz;
    double level = 1.0;
    double warbleHz = 0.0;  // fast wobble of the pitch, as in a trill
    double warbleDepth = 0.0;
};

class Song {
public:
    explicit Song(const std::string& seed) : chance_(seed) {}

    void add(Syllable s)
    {
        // A live bird never sings a note quite the same way twice.
        const double bend = chance_.uniform(0.97, 1.03);
        s.fromHz *= bend;
        s.midHz *= bend;
        s.toHz *= bend;
        s.level *= chance_.uniform(0.85, 1.0);
        notes_.push_back(s);
    }

    // `count` quick notes, each gliding from `fromHz` to `toHz`.
    void trill(double start, int count, double every, double seconds, double fromHz, double toHz, double level)
    {
        for (int n = 0; n < count; ++n) {
            const double fade = 1.0 - 0.3 * n / std::max(count - 1, 1);
            add({start + n * every, seconds, fromHz, (fromHz + toHz) / 2, toHz, level * fade});
        }
    }

    Signal render() const
    {
        Signal out;
        for (const Syllable& s : notes_)
            mix(out, sing(s), s.start, s.level);
        return out;
    }

private:
    static Signal sing(const Syllable& s)
    {
        Signal note(samplesFor(s.seconds));
        Oscillator voice;
        Oscillator overtone;
        Oscillator wobble;
        for (std::size_t i = 0; i < note.size(); ++i) {
            const double x = static_cast<double>(i) / static_cast<double>(note.size());
            // Through the middle point along a smooth curve, in pitch rather than hertz.
            const double a = std::log(s.fromHz), m = std::log(s.midHz), b = std::log(s.toHz);
            const double logHz = (1 - x) * (1 - x) * a + 2 * x * (1 - x) * (2 * m - (a + b) / 2) + x * x * b;
            const double hz = std::exp(logHz) * (1.0 + s.warbleDepth * wobble.sine(s.warbleHz));
            const double shape = std::pow(std::sin(std::numbers::pi * x), 0.6);
            note[i] = static_cast<float>((voice.sine(hz) + 0.07 * overtone.sine(2.0 * hz)) * shape);
        }
        return note;
    }

    content::Random chance_;
    std::vector<Syllable> notes_;
};

// A fluting blackbird-like phrase that breaks into a twitter.
void flute(Song& near, Song& far)
{
    near.add({0.00, 0.22, 1900, 2450, 2150});
    near.add({0.28, 0.16, 2550, 2500, 2200});
    near.add({0.50, 0.26, 2100, 2900, 2650, 0.9});
    near.trill(0.86, 9, 0.05, 0.034, 4300, 3200, 0.55);
    near.add({1.34, 0.07, 3000, 4200, 5200, 0.6});
    far.trill(1.55, 3, 0.16, 0.06, 3600, 4700, 0.22);
}

// Bright chirrups in a row, then a warbling trill.
void chirrups(Song& near, Song& far)
{
    const double starts[] = {0.00, 0.16, 0.30, 0.47, 0.60};
    for (double at : starts)
        near.add({at, 0.085, 3200, 4900, 3600});
    near.add({0.82, 0.42, 4400, 4700, 4300, 0.7, 27.0, 0.09});
    far.add({1.40, 0.08, 3000, 4200, 3400, 0.25});
    far.add({1.55, 0.08, 3000, 4200, 3400, 0.22});
    near.trill(1.75, 5, 0.06, 0.045, 5200, 3900, 0.5);
}

// A two-note call, high then low, four times over, and a closing trill.
void twoNote(Song& near, Song& far)
{
    for (int n = 0; n < 4; ++n) {
        const double at = n * 0.3;
        near.add({at, 0.09, 5300, 5200, 4950, 0.8});
        near.add({at + 0.12, 0.11, 3950, 3900, 3550});
    }
    near.trill(1.28, 6, 0.045, 0.03, 6000, 4600, 0.45);
    far.add({0.75, 0.2, 2200, 2600, 2400, 0.18});
}

} // namespace

Signal birdsong(int variant)
{
    const std::string name = "sounds/world/birds" + std::to_string(variant);
    Song near(name);
    Song far(name + "/far");
    switch ((variant - 1) % 3) {
    case 0: flute(near, far); break;
    case 1: chirrups(near, far); break;
    default: twoNote(near, far); break;
    }

    Signal sung = near.render();
    // The far bird is heard mostly through the garden's echoes.
    Signal distant = reverb(far.render(), {.roomSize = 0.7, .damping = 0.7, .preDelay = 0.02, .wet = 0.6, .dry = 0.5}, 0.3);
    Biquad muffle = Biquad::lowPass(5000);
    muffle.process(distant);
    mix(sung, distant, 0.0);

    Signal out = reverb(sung, {.roomSize = 0.35, .damping = 0.7, .preDelay = 0.012, .wet = 0.15}, 0.3);
    Biquad lowCut = Biquad::highPass(900);
    lowCut.process(out);
    fadeEdges(out, 0.005, 0.15);
    return out;
}

} // namespace content::sounds
